// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace Quillet {

/// The words and separators a displayed number or date needs in one language, as a
/// spreadsheet application under that locale shows them.
struct FormatLocale {
    QString decimal;
    QString group;
    QString dateSeparator;
    QString timeSeparator;
    QStringList monthsFull;
    QStringList monthsGenitive;
    QStringList monthsAbbr;
    QStringList monthsAbbrGenitive;
    QStringList daysFull; ///< Monday first
    QStringList daysAbbr;
    QString am;
    QString pm;
    QString trueWord;
    QString falseWord;
    QString systemLongDate; ///< format code that [$-F800] stands for
    QString systemTime;     ///< format code that [$-F400] stands for
    QLocale::Language language = QLocale::AnyLanguage;
};

/// Words and separators for `locale`; Russian and English use the spreadsheet
/// application's own tables, other languages Qt's.
FormatLocale makeFormatLocale(const QLocale& locale);

/// The locale a Windows language id (the hex number of a [$-419] tag, calendar bits
/// removed) stands for; false when the id is not one we know.
bool localeForLanguageId(unsigned id, QLocale* locale);

/// The format code of a built-in number format id (0-49) as it is shown under
/// `locale`; empty for ids without a code of their own (they display as General).
QString builtinFormatCode(int id, const QLocale& locale);

} // namespace Quillet
