// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace Quillet::Numbers {
namespace {

// Trims ASCII blanks; the texts come from fixed-width items and edits.
QStringView trimmed(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.mid(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

// ASCII copy of a number's text; non-ASCII characters make it unreadable.
std::optional<std::string> asciiNumber(QStringView text, bool allowDecimalMark)
{
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            out.push_back(char(u));
        else if (u == u'-' || u == u'+')
            out.push_back(char(u));
        else if (allowDecimalMark && (u == u',' || u == u'.'))
            out.push_back('.');
        else if (allowDecimalMark && (u == u'e' || u == u'E'))
            out.push_back('e');
        else
            return std::nullopt;
    }
    return out;
}

} // namespace

QString formatFixed(long double value, int intDigits, int decimals)
{
    // The exact decimal expansion of a long double below 1e20 needs far fewer than 120
    // fractional digits, so the digit after the last kept one decides exactly.
    const bool negative = std::signbit(value);
    const long double magnitude = std::fabs(value);
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 120);
    std::string digits(buffer, result.ptr);
    const size_t point = digits.find('.');
    std::string intPart = digits.substr(0, point);
    std::string fracPart = point == std::string::npos ? std::string() : digits.substr(point + 1);
    fracPart.resize(size_t(std::max(decimals, 0)) + 1, '0');
    const bool roundUp = fracPart.back() >= '5';
    fracPart.pop_back();
    if (roundUp) {
        // Propagate the carry through the kept decimals and the integer digits.
        int i = int(fracPart.size()) - 1;
        bool carry = true;
        for (; i >= 0 && carry; --i) {
            if (fracPart[size_t(i)] == '9') {
                fracPart[size_t(i)] = '0';
            } else {
                ++fracPart[size_t(i)];
                carry = false;
            }
        }
        for (int j = int(intPart.size()) - 1; j >= 0 && carry; --j) {
            if (intPart[size_t(j)] == '9') {
                intPart[size_t(j)] = '0';
            } else {
                ++intPart[size_t(j)];
                carry = false;
            }
        }
        if (carry)
            intPart.insert(intPart.begin(), '1');
    }
    while (intPart.size() > 1 && intPart.front() == '0')
        intPart.erase(intPart.begin());
    if (int(intPart.size()) < intDigits)
        intPart.insert(0, size_t(intDigits) - intPart.size(), '0');
    const bool allZero = intPart.find_first_not_of('0') == std::string::npos
                         && fracPart.find_first_not_of('0') == std::string::npos;
    QString out;
    if (negative && !allZero)
        out += QLatin1Char('-');
    out += QString::fromLatin1(intPart.data(), qsizetype(intPart.size()));
    if (decimals > 0) {
        out += QLatin1Char(',');
        out += QString::fromLatin1(fracPart.data(), qsizetype(fracPart.size()));
    }
    return out;
}

QString formatInt(long long value, int digits)
{
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    QString body = QString::number(magnitude);
    if (body.size() < digits)
        body.prepend(QString(digits - body.size(), QLatin1Char('0')));
    return value < 0 ? QLatin1Char('-') + body : body;
}

QString formatGeneral(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string text(buffer, result.ptr); // [-]d.ddddddddddddddde[+-]xx
    const bool negative = text.front() == '-';
    if (negative)
        text.erase(text.begin());
    const size_t e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string mantissa = text.substr(0, 1) + text.substr(2, e - 2);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    std::string out;
    if (negative)
        out.push_back('-');
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out.append("0,");
            out.append(size_t(-exponent - 1), '0');
            out.append(mantissa);
        } else {
            const size_t intLen = size_t(exponent) + 1;
            if (mantissa.size() <= intLen) {
                out.append(mantissa);
                out.append(intLen - mantissa.size(), '0');
            } else {
                out.append(mantissa, 0, intLen);
                out.push_back(',');
                out.append(mantissa, intLen, std::string::npos);
            }
        }
    } else {
        out.push_back(mantissa[0]);
        if (mantissa.size() > 1) {
            out.push_back(',');
            out.append(mantissa, 1, std::string::npos);
        }
        out.push_back('E');
        out.append(std::to_string(exponent));
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

std::optional<long double> parseDecimal(QStringView text)
{
    const auto ascii = asciiNumber(trimmed(text), true);
    if (!ascii || ascii->empty())
        return std::nullopt;
    std::string s = *ascii;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (*first == '+')
        ++first; // from_chars takes no leading plus
    if (first == last || *first == '+' || (first != s.data() && *first == '-'))
        return std::nullopt;
    long double value = 0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> parseInteger(QStringView text)
{
    const auto ascii = asciiNumber(trimmed(text), false);
    if (!ascii || ascii->empty())
        return std::nullopt;
    const char* first = ascii->data();
    const char* last = first + ascii->size();
    if (*first == '+')
        ++first;
    if (first == last || *first == '+' || (first != ascii->data() && *first == '-'))
        return std::nullopt;
    long long value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last)
        return std::nullopt;
    return value;
}

std::optional<int32_t> parseInt32(QStringView text)
{
    const QStringView t = trimmed(text);
    if (t.startsWith(u'$')) {
        const QStringView hex = t.mid(1);
        if (hex.isEmpty() || hex.size() > 8)
            return std::nullopt;
        uint32_t value = 0;
        for (QChar c : hex) {
            const char16_t u = c.unicode();
            int digit = 0;
            if (u >= u'0' && u <= u'9')
                digit = u - u'0';
            else if (u >= u'A' && u <= u'F')
                digit = u - u'A' + 10;
            else if (u >= u'a' && u <= u'f')
                digit = u - u'a' + 10;
            else
                return std::nullopt;
            value = (value << 4) | uint32_t(digit);
        }
        return static_cast<int32_t>(value);
    }
    const auto value = parseInteger(t);
    if (!value || *value < std::numeric_limits<int32_t>::min()
        || *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

QString formatColorHex(int32_t value)
{
    return QLatin1Char('$')
           + QStringLiteral("%1")
                 .arg(static_cast<uint32_t>(value), 8, 16, QLatin1Char('0'))
                 .toUpper();
}

} // namespace Quillet::Numbers
