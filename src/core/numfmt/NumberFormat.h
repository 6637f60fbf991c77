// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QLocale>
#include <QString>

#include <memory>

namespace Quillet {

struct CompiledFormat;

/// A spreadsheet number-format code ("#,##0.00;[Red]-#,##0.00", "dd.mm.yyyy", "@")
/// compiled once and applied to cell values the way a spreadsheet application
/// displays them: the whole text, never "###" for a narrow column. Immutable after
/// construction, so one object may format from several threads at once.
class NumberFormat {
public:
    /// The General format under the default locale.
    NumberFormat();
    /// Compiles `code` for a program running under `locale`: its decimal and grouping
    /// separators, month and day names and date separator apply unless the code carries
    /// a language tag such as [$-419]. Never fails: what cannot be understood is shown
    /// as literal text.
    NumberFormat(const QString& code, const QLocale& locale);

    /// The built-in format `id` of the workbook formats (0-49: 14 is the short date
    /// of `locale`); ids without a format of their own are General.
    static NumberFormat builtin(int id, const QLocale& locale);

    /// The displayed text of a number. Serial dates count days from 30 Dec 1899, or
    /// from 1 Jan 1904 when `date1904` is set.
    QString format(double value, bool date1904 = false) const;
    /// The displayed text of a text cell: the text section when the code has one,
    /// otherwise the text unchanged.
    QString formatText(const QString& text) const;

    bool isGeneral() const;
    /// True when the format shows numbers as dates or times.
    bool isDateTime() const;

private:
    std::shared_ptr<const CompiledFormat> m_format;
};

/// A number in the General format as LibreOffice shows it: up to 15 significant
/// digits, integers below 2^53 in full, scientific notation such as
/// 1.23456789012346E+018 for larger magnitudes and 1.5E-10 for tiny ones.
QString formatGeneral(double value, const QLocale& locale);

/// How a boolean cell reads under `locale` ("TRUE"/"FALSE", "ИСТИНА"/"ЛОЖЬ").
QString booleanText(bool value, const QLocale& locale);

} // namespace Quillet
