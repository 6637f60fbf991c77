// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Compiled form of a number-format code, shared by the parser and the formatters.

#include "core/numfmt/NumberFormat.h"
#include "core/numfmt/NumberFormatLocale.h"

#include <QString>

#include <vector>

namespace Quillet {

enum class FormatToken : unsigned char {
    Literal,
    Digit0,
    DigitHash,
    DigitQuestion,
    Decimal,
    Grouping, ///< a "," between integer digits: nothing of its own is shown
    Percent,
    Exponent, ///< text is "E+" or "E-"
    Slash,
    TextValue, ///< "@"
    General,
    Year,      ///< count 2 or 4
    Month,     ///< count 1 or 2
    MonthName, ///< count 3, 4 or 5
    Day,       ///< count 1 or 2
    DayName,   ///< count 3 or 4
    Hour,
    Minute,
    Second,
    SecondFraction, ///< count digits
    AmPm,           ///< text is "AM/PM" or "A/P" as written
    ElapsedHours,
    ElapsedMinutes,
    ElapsedSeconds,
    DateSeparator,
    TimeSeparator,
};

struct FormatItem {
    FormatToken kind;
    int count = 0;
    QString text;
};

enum class SectionKind : unsigned char {
    Number,
    Scientific,
    Fraction,
    DateTime,
    Text,
    General,
    Literal,
};

enum class Condition : unsigned char {
    None,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
};

struct FormatSection {
    std::vector<FormatItem> items;
    SectionKind kind = SectionKind::General;
    Condition condition = Condition::None;
    double conditionValue = 0;
    int percent = 0;        ///< number of "%": value × 100 each
    int scaleThousands = 0; ///< trailing ",": value ÷ 1000 each
    bool grouping = false;
    int monthCase = 0;      ///< 0 nominative, 1 genitive
    int fractionDigits = 0; ///< for dates: digits of second fractions
    bool hasHour = false;
};

struct CompiledFormat {
    std::vector<FormatSection> sections;
    FormatLocale locale;
    bool general = true;
    bool dateTime = false;
};

/// Builds the compiled form of `code` for a program under `programLocale`.
CompiledFormat compileFormat(const QString& code, const QLocale& programLocale);

/// Displayed text of `value` under one section; the sign is already handled.
QString formatNumberSection(const FormatSection& section, const FormatLocale& locale, double value,
                            bool negative);
QString formatDateSection(const FormatSection& section, const FormatLocale& locale, double value,
                          DateSystem dates);

} // namespace Quillet
