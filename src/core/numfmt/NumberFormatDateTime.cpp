// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/numfmt/NumberFormatDigits.h"
#include "core/numfmt/NumberFormatSection.h"

#include <QDate>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Quillet {

namespace {

// Serial days beyond this are not dates any calendar shows (year 9999 is 2958465).
constexpr double MaxSerial = 1e8;

struct Moment {
    QDate date;
    long long hour = 0;     ///< of the day
    long long minute = 0;   ///< of the hour
    long long second = 0;   ///< of the minute
    long long fraction = 0; ///< of the second, in units of 10^-digits
    long long totalHours = 0;
    long long totalMinutes = 0;
    long long totalSeconds = 0;
};

// `value` (seconds) in units of 10^-digits. The noise of binary day fractions is
// rounded away at microseconds first; a remaining tie goes to the even unit, so
// 62.345 shows as 62.34 and 23:59:59.6 without fractions as the next midnight.
long long roundedUnits(double value, int digits)
{
    const long long micro = std::llround(value * 1e6);
    long long divisor = 1;
    for (int i = digits; i < 6; ++i)
        divisor *= 10;
    long long q = micro / divisor;
    long long r = micro % divisor;
    if (r < 0) {
        r += divisor;
        --q;
    }
    if (2 * r > divisor || (2 * r == divisor && q % 2 != 0))
        ++q;
    return q;
}

Moment makeMoment(double serial, int digits, bool date1904)
{
    // The time of day is rounded to the finest unit the format shows, so 23:59:59.6
    // shown without second fractions is midnight of the next day.
    long long unitsPerSecond = 1;
    for (int i = 0; i < digits; ++i)
        unitsPerSecond *= 10;
    const long long unitsPerDay = 86400 * unitsPerSecond;
    long long days = (long long)std::floor(serial);
    long long inDay = roundedUnits((serial - double(days)) * 86400.0, digits);
    if (inDay >= unitsPerDay) {
        ++days;
        inDay -= unitsPerDay;
    }
    Moment m;
    const QDate epoch = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    m.date = epoch.addDays(days);
    const long long seconds = inDay / unitsPerSecond;
    m.fraction = inDay % unitsPerSecond;
    m.hour = seconds / 3600;
    m.minute = seconds / 60 % 60;
    m.second = seconds % 60;
    const long long allSeconds = roundedUnits(std::fabs(serial) * 86400.0, digits) / unitsPerSecond;
    m.totalSeconds = allSeconds;
    m.totalMinutes = allSeconds / 60;
    m.totalHours = allSeconds / 3600;
    return m;
}

QString padded(long long value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

QString monthName(const FormatLocale& locale, int month, int count, int monthCase)
{
    const int index = month - 1;
    if (count == 3)
        return (monthCase ? locale.monthsAbbrGenitive : locale.monthsAbbr).value(index);
    const QString full = (monthCase ? locale.monthsGenitive : locale.monthsFull).value(index);
    if (count == 5)
        return full.left(1);
    return full;
}

struct DateWriter {
    const FormatSection& section;
    const FormatLocale& locale;
    const Moment& m;
    bool twelveHour = false;
    bool hasElapsed = false;
    QString out;

    void item(const FormatItem& item);
};

void DateWriter::item(const FormatItem& item)
{
    const QDate& date = m.date;
    switch (item.kind) {
    case FormatToken::Literal:
        out += item.text;
        break;
    case FormatToken::DateSeparator:
        out += locale.dateSeparator;
        break;
    case FormatToken::TimeSeparator:
        out += locale.timeSeparator;
        break;
    case FormatToken::Year:
        out += item.count == 2 ? padded(((date.year() % 100) + 100) % 100, 2)
                               : QString::number(date.year());
        break;
    case FormatToken::Month:
        out += padded(date.month(), item.count);
        break;
    case FormatToken::MonthName:
        out += monthName(locale, date.month(), item.count, section.monthCase);
        break;
    case FormatToken::Day:
        out += padded(date.day(), item.count);
        break;
    case FormatToken::DayName:
        out += (item.count == 3 ? locale.daysAbbr : locale.daysFull).value(date.dayOfWeek() - 1);
        break;
    case FormatToken::Hour: {
        long long hour = m.hour;
        if (twelveHour)
            hour = hour % 12 == 0 ? 12 : hour % 12;
        out += padded(hour, item.count);
        break;
    }
    case FormatToken::Minute:
        out += padded(m.minute, item.count);
        break;
    case FormatToken::Second:
        out += padded(m.second, item.count);
        break;
    case FormatToken::SecondFraction: {
        const QString digits = padded(m.fraction, section.fractionDigits);
        out += locale.decimal + digits.left(item.count);
        break;
    }
    case FormatToken::AmPm: {
        const bool pm = m.hour >= 12;
        if (item.text.size() == 3) // A/P shows a lower-case letter
            out += pm ? QLatin1Char('p') : QLatin1Char('a');
        else
            out += pm ? locale.pm : locale.am;
        break;
    }
    case FormatToken::ElapsedHours:
        out += padded(m.totalHours, item.count);
        break;
    case FormatToken::ElapsedMinutes:
        out += padded(m.totalMinutes, item.count);
        break;
    case FormatToken::ElapsedSeconds:
        out += padded(m.totalSeconds, item.count);
        break;
    default:
        break;
    }
}

} // namespace

QString formatDateSection(const FormatSection& section, const FormatLocale& locale, double value,
                          bool date1904)
{
    if (std::fabs(value) > MaxSerial)
        return formatGeneralWith(value, locale.decimal);
    const Moment moment = makeMoment(value, section.fractionDigits, date1904);
    DateWriter writer{section, locale, moment, false, false, {}};
    for (const FormatItem& item : section.items) {
        writer.twelveHour = writer.twelveHour || item.kind == FormatToken::AmPm;
        writer.hasElapsed = writer.hasElapsed || item.kind == FormatToken::ElapsedHours
                            || item.kind == FormatToken::ElapsedMinutes
                            || item.kind == FormatToken::ElapsedSeconds;
    }
    for (const FormatItem& item : section.items)
        writer.item(item);
    if (writer.hasElapsed && value < 0)
        writer.out.prepend(QLatin1Char('-'));
    return writer.out;
}

} // namespace Quillet
