// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <memory>

namespace Quillet {

struct CompiledFormat;

/// How a workbook counts serial day numbers.
enum class DateSystem : unsigned char {
    /// Excel's 1900 system: 1 is 1 Jan 1900 and 60 the 29 February 1900 that never was,
    /// so serials before 61 (1 Mar 1900) are one day later than the calendar count; 0
    /// shows as the day 0 of January 1900.
    Date1900,
    /// 0 is 1 Jan 1904.
    Date1904,
    /// 0 is 30 Dec 1899 on the real calendar (how LibreOffice counts): the same days as
    /// Date1900 from 1 Mar 1900 on.
    Calendar1899,
};

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

    /// The displayed text of a number; dates and times read `value` as a serial day
    /// number of `dates`.
    QString format(double value, DateSystem dates = DateSystem::Date1900) const;
    /// The displayed text of a text cell: the text section when the code has one,
    /// otherwise the text unchanged.
    QString formatText(const QString& text) const;

    bool isGeneral() const;
    /// True when the format shows numbers as dates or times.
    bool isDateTime() const;

private:
    std::shared_ptr<const CompiledFormat> m_format;
};

/// A number in the General format as a column of standard width shows it: at most 11
/// characters besides the sign (11.66666667, 0.000012345), decimals rounded to fit,
/// scientific notation with a mantissa of up to six digits and an exponent of at least
/// two beyond that (1.23457E+22, 3E-10). Integers of up to 15 digits stay whole, so an
/// account number is never cut short.
QString formatGeneral(double value, const QLocale& locale);

/// How a boolean cell reads under `locale` ("TRUE"/"FALSE", "ИСТИНА"/"ЛОЖЬ").
QString booleanText(bool value, const QLocale& locale);

/// How an error value reads under `locale`: the code a workbook stores ("#DIV/0!",
/// "#N/A", ...) in the words of a Russian spreadsheet under a Russian locale ("#ДЕЛ/0!",
/// "#Н/Д", ...), unchanged otherwise and for codes not known.
QString errorText(const QString& code, const QLocale& locale);

/// The serial day number `dates` gives midnight of `date`.
double serialOfDate(const QDate& date, DateSystem dates);

} // namespace Quillet
