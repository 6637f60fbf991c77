// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/numfmt/NumberFormatDigits.h"

#include "core/numfmt/NumberFormat.h"
#include "core/numfmt/NumberFormatLocale.h"

#include <QLocale>

#include <cmath>
#include <algorithm>
#include <charconv>

namespace Quillet {

bool DecimalDigits::isZero() const
{
    return integer.find_first_not_of('0') == std::string::npos
           && fraction.find_first_not_of('0') == std::string::npos;
}

namespace {

// The 15 significant digits of `v` > 0 and the position of the decimal point
// relative to them: v = 0.d1d2...d15 × 10^point.
void significantDigits(double v, std::string* digits, int* point)
{
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
    const char* e = std::find(buffer, result.ptr, 'e');
    digits->clear();
    for (const char* p = buffer; p < e; ++p) {
        if (*p != '.')
            digits->push_back(*p);
    }
    int exponent = 0;
    const char* start = e + 1 < result.ptr && e[1] == '+' ? e + 2 : e + 1;
    std::from_chars(start, result.ptr, exponent);
    *point = exponent + 1;
}

std::string stripTrailingZeros(std::string fraction)
{
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction;
}

QString joinNumber(bool negative, const DecimalDigits& d, const QString& decimal)
{
    QString text;
    if (negative)
        text += QLatin1Char('-');
    text += d.integer.empty() ? QStringLiteral("0") : QString::fromLatin1(d.integer);
    const std::string fraction = stripTrailingZeros(d.fraction);
    if (!fraction.empty())
        text += decimal + QString::fromLatin1(fraction);
    return text;
}

// Mantissa of at most 15 significant digits, exponent with `minExponentDigits`.
QString scientific(bool negative, double a, const QString& decimal, int minExponentDigits)
{
    std::string digits;
    int point = 0;
    significantDigits(a, &digits, &point);
    const int exponent = point - 1;
    QString text;
    if (negative)
        text += QLatin1Char('-');
    text += QLatin1Char(digits[0]);
    const std::string rest = stripTrailingZeros(digits.substr(1));
    if (!rest.empty())
        text += decimal + QString::fromLatin1(rest);
    text += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    text += QString::number(std::abs(exponent)).rightJustified(minExponentDigits, QLatin1Char('0'));
    return text;
}

// Decimal exponent of `v` > 0 as its 17-digit expansion shows it, free of the
// rounding log10 suffers next to powers of ten.
int magnitudeOf(double v)
{
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 16);
    const char* e = std::find(buffer, result.ptr, 'e');
    int exponent = 0;
    const char* start = e + 1 < result.ptr && e[1] == '+' ? e + 2 : e + 1;
    std::from_chars(start, result.ptr, exponent);
    return exponent;
}

double roundAt(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

bool approxEqual(double a, double b)
{
    if (a == b)
        return true;
    const double tolerance = 1.0 / (16777216.0 * 16777216.0);
    const double d = std::fabs(a - b);
    return d <= std::fabs(a) * tolerance && d <= std::fabs(b) * tolerance;
}

QString formatBelowOne(bool negative, double a, const QString& decimal)
{
    // Fixed notation unless the number would need many leading zeros or shows
    // digits beyond the 16th decimal.
    bool fixed = a > 1e-4;
    if (!fixed) {
        const int zeros = int(std::ceil(-std::log10(a)));
        fixed = zeros <= 9 && approxEqual(roundAt(a, 16), roundAt(a, zeros + 16));
    }
    if (!fixed)
        return scientific(negative, a, decimal, 2);
    const int decimals = std::min(20, 14 - magnitudeOf(a));
    return joinNumber(negative, roundToDecimals(a, decimals), decimal);
}

} // namespace

DecimalDigits roundToDecimals(double absValue, int decimals)
{
    DecimalDigits result;
    if (!(absValue > 0) || !std::isfinite(absValue)) {
        result.fraction.assign(size_t(decimals), '0');
        return result;
    }
    std::string digits;
    int point = 0;
    significantDigits(absValue, &digits, &point);
    // A leading zero absorbs the carry of rounding 9.99 up to 10.0.
    if (point < 1) {
        digits.insert(0, size_t(1 - point), '0');
        point = 1;
    }
    digits.insert(digits.begin(), '0');
    ++point;
    const size_t keep = size_t(point + decimals);
    if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        for (size_t i = keep; up && i-- > 0;) {
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
        }
    } else {
        digits.append(keep - digits.size(), '0');
    }
    result.integer = digits.substr(0, size_t(point));
    result.fraction = digits.substr(size_t(point));
    const size_t first = result.integer.find_first_not_of('0');
    result.integer = first == std::string::npos ? std::string() : result.integer.substr(first);
    return result;
}

QString formatGeneralWith(double value, const QString& decimal)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    const bool negative = value < 0;
    const double a = std::fabs(value);
    if (std::isinf(a))
        return negative ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (a == 0)
        return QStringLiteral("0");
    if (a < 1)
        return formatBelowOne(negative, a, decimal);
    if (a < 9007199254740992.0 && std::floor(a) == a)
        return QString::number(negative ? -(long long)a : (long long)a);
    const int magnitude = magnitudeOf(a);
    if (magnitude >= 15)
        return scientific(negative, a, decimal, 3);
    return joinNumber(negative, roundToDecimals(a, 14 - magnitude), decimal);
}

QString decimalSeparatorFor(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::English:
    case QLocale::C:
        return locale.territory() == QLocale::UnitedStates || locale.language() == QLocale::C
                   ? QStringLiteral(".")
                   : locale.decimalPoint();
    case QLocale::Russian:
        return QStringLiteral(",");
    default:
        return locale.decimalPoint();
    }
}

QString formatGeneral(double value, const QLocale& locale)
{
    return formatGeneralWith(value, decimalSeparatorFor(locale));
}

QString booleanText(bool value, const QLocale& locale)
{
    if (locale.language() == QLocale::Russian)
        return value ? QStringLiteral("ИСТИНА") : QStringLiteral("ЛОЖЬ");
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

} // namespace Quillet
