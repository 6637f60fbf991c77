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

// The widest General text of a column of standard width, sign not counted.
constexpr int GeneralWidth = 11;

// `digits` (significant digits, the point after the first) rounded half up to `keep`
// digits; true when the rounding carried into a new leading digit ("1" then stands for 10).
bool roundSignificant(std::string* digits, size_t keep)
{
    if (digits->size() <= keep)
        return false;
    const bool up = (*digits)[keep] >= '5';
    digits->resize(keep);
    for (size_t i = keep; up && i-- > 0;) {
        if ((*digits)[i] != '9') {
            ++(*digits)[i];
            return false;
        }
        (*digits)[i] = '0';
    }
    if (up)
        digits->insert(digits->begin(), '1');
    return up;
}

// d.ddddE+xx with as many mantissa digits as the width leaves beside the exponent.
QString scientific(bool negative, const std::string& significant, int exponent,
                   const QString& decimal)
{
    std::string digits = significant;
    const int exponentDigits = std::abs(exponent) >= 100 ? 3 : 2;
    // "d." and "E+" take four characters.
    if (roundSignificant(&digits, size_t(GeneralWidth - 3 - exponentDigits)))
        ++exponent;
    QString text;
    if (negative)
        text += QLatin1Char('-');
    text += QLatin1Char(digits[0]);
    const std::string rest =
        stripTrailingZeros(digits.substr(1, GeneralWidth - 4 - exponentDigits));
    if (!rest.empty())
        text += decimal + QString::fromLatin1(rest);
    text += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    text += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return text;
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
    if (a < 1e15 && std::floor(a) == a)
        return QString::number(negative ? -(long long)a : (long long)a);
    std::string digits;
    int point = 0;
    significantDigits(a, &digits, &point);
    const int exponent = point - 1;
    if (exponent >= GeneralWidth)
        return scientific(negative, digits, exponent, decimal);
    if (exponent < -4) {
        // Below 0.0001 the nine decimals of fixed notation hold fewer digits than the
        // exponent form shows: they are used when the number needs no more.
        std::string mantissa = digits;
        const int shownExponent = exponent + (roundSignificant(&mantissa, 6) ? 1 : 0);
        const int shown = int(stripTrailingZeros(mantissa).size());
        if (shownExponent < -4 && shown > 10 + shownExponent)
            return scientific(negative, digits, exponent, decimal);
    }
    // An integer part of ten or eleven digits leaves no room for the point.
    const int decimals = exponent >= 9 ? 0 : GeneralWidth - 2 - qMax(exponent, 0);
    const DecimalDigits rounded = roundToDecimals(a, decimals);
    if (int(rounded.integer.size()) > GeneralWidth)
        return scientific(negative, digits, exponent, decimal);
    return joinNumber(negative, rounded, decimal);
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

QString errorText(const QString& code, const QLocale& locale)
{
    if (locale.language() != QLocale::Russian)
        return code;
    static const struct {
        const char16_t* code;
        const char16_t* russian;
    } words[] = {
        {u"#NULL!", u"#ПУСТО!"}, {u"#DIV/0!", u"#ДЕЛ/0!"}, {u"#VALUE!", u"#ЗНАЧ!"},
        {u"#REF!", u"#ССЫЛКА!"}, {u"#NAME?", u"#ИМЯ?"},    {u"#NUM!", u"#ЧИСЛО!"},
        {u"#N/A", u"#Н/Д"},
    };
    for (const auto& word : words) {
        if (code == QStringView(word.code))
            return QString::fromUtf16(word.russian);
    }
    return code;
}

} // namespace Quillet
