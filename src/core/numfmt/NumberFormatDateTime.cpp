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
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;        ///< 0 Monday … 6 Sunday
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

void setDate(Moment& m, const QDate& date)
{
    m.year = date.year();
    m.month = date.month();
    m.day = date.day();
    m.weekday = date.dayOfWeek() - 1;
}

// Excel counts 29 Feb 1900 as a day, so its serials 1-60 name the day after the
// calendar's, 60 is that fictitious day and 0 the day before 1 January; its weekdays run
// on by the serial alone (serial 1 is a Sunday).
void setExcelDate(Moment& m, long long days)
{
    if (days >= 61) {
        setDate(m, QDate(1899, 12, 30).addDays(days));
    } else if (days == 60 || days == 0) {
        m.year = 1900;
        m.month = days == 60 ? 2 : 1;
        m.day = days == 60 ? 29 : 0;
    } else {
        setDate(m, QDate(1899, 12, 31).addDays(days));
    }
    m.weekday = int(((days + 5) % 7 + 7) % 7);
}

Moment makeMoment(double serial, int digits, DateSystem dates)
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
    switch (dates) {
    case DateSystem::Date1900:
        setExcelDate(m, days);
        break;
    case DateSystem::Date1904:
        setDate(m, QDate(1904, 1, 1).addDays(days));
        break;
    case DateSystem::Calendar1899:
        setDate(m, QDate(1899, 12, 30).addDays(days));
        break;
    }
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
        out += item.count == 2 ? padded(((m.year % 100) + 100) % 100, 2) : QString::number(m.year);
        break;
    case FormatToken::Month:
        out += padded(m.month, item.count);
        break;
    case FormatToken::MonthName:
        out += monthName(locale, m.month, item.count, section.monthCase);
        break;
    case FormatToken::Day:
        out += padded(m.day, item.count);
        break;
    case FormatToken::DayName:
        out += (item.count == 3 ? locale.daysAbbr : locale.daysFull).value(m.weekday);
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
                          DateSystem dates)
{
    if (std::fabs(value) > MaxSerial)
        return formatGeneralWith(value, locale.decimal);
    const Moment moment = makeMoment(value, section.fractionDigits, dates);
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

double serialOfDate(const QDate& date, DateSystem dates)
{
    switch (dates) {
    case DateSystem::Date1904:
        return double(QDate(1904, 1, 1).daysTo(date));
    case DateSystem::Calendar1899:
        return double(QDate(1899, 12, 30).daysTo(date));
    case DateSystem::Date1900:
        break;
    }
    // Before the fictitious 29 February the count is one day short of the calendar's.
    const QDate epoch = date < QDate(1900, 3, 1) ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    return double(epoch.daysTo(date));
}

} // namespace Quillet
