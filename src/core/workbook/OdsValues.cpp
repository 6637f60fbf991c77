// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/OdsValues.h"

#include <QDate>

#include <charconv>
#include <cmath>

namespace Quillet {

namespace {

// Numbers in the file are written in the C locale whatever LC_NUMERIC says, so they are
// read with from_chars rather than strtod or sscanf. Each reader advances `p` on success.
bool readInt(const char*& p, const char* end, int* value)
{
    const auto result = std::from_chars(p, end, *value);
    if (result.ec != std::errc())
        return false;
    p = result.ptr;
    return true;
}

bool readDouble(const char*& p, const char* end, double* value)
{
    const auto result = std::from_chars(p, end, *value);
    if (result.ec != std::errc() || !std::isfinite(*value))
        return false;
    p = result.ptr;
    return true;
}

bool skip(const char*& p, const char* end, char expected)
{
    if (p == end || *p != expected)
        return false;
    ++p;
    return true;
}

} // namespace

bool parseDateValue(const std::string& text, double* serial)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    const bool negativeYear = skip(p, end, '-');
    if (!readInt(p, end, &year) || !skip(p, end, '-') || !readInt(p, end, &month)
        || !skip(p, end, '-') || !readInt(p, end, &day))
        return false;
    if (skip(p, end, 'T')) {
        if (!readInt(p, end, &hour) || !skip(p, end, ':') || !readInt(p, end, &minute))
            return false;
        if (skip(p, end, ':') && !readDouble(p, end, &second))
            return false;
    }
    const QDate date(negativeYear ? -year : year, month, day);
    if (!date.isValid() || hour < 0 || hour > 24 || minute < 0 || minute > 59 || second < 0
        || second >= 61)
        return false;
    *serial = double(QDate(1899, 12, 30).daysTo(date))
              + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return true;
}

bool parseTimeValue(const std::string& text, double* days)
{
    const char* p = text.data();
    const char* end = p + text.size();
    const bool negative = skip(p, end, '-');
    if (!skip(p, end, 'P'))
        return false;
    double seconds = 0;
    bool inTime = false;
    bool any = false;
    while (p != end) {
        if (skip(p, end, 'T')) {
            inTime = true;
            continue;
        }
        double amount = 0;
        if (!readDouble(p, end, &amount) || p == end)
            return false;
        const char unit = *p;
        if (unit == 'D' && !inTime)
            seconds += amount * 86400;
        else if (unit == 'H' && inTime)
            seconds += amount * 3600;
        else if (unit == 'M' && inTime)
            seconds += amount * 60;
        else if (unit == 'S' && inTime)
            seconds += amount;
        else
            return false;
        any = true;
        ++p;
    }
    if (!any || !std::isfinite(seconds))
        return false;
    *days = (negative ? -seconds : seconds) / 86400.0;
    return true;
}

bool isBooleanWord(const std::string& text)
{
    static const char* const words[] = {"TRUE",  "FALSE",  "ИСТИНА",    "ЛОЖЬ",  "WAHR", "FALSCH",
                                        "VRAI",  "FAUX",   "VERDADERO", "FALSO", "VERO", "PRAWDA",
                                        "FAŁSZ", "ISTINA", "HIBA",      "IGAZ"};
    for (const char* word : words) {
        if (text == word)
            return true;
    }
    return false;
}

} // namespace Quillet
