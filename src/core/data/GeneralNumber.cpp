// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/GeneralNumber.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Quillet {
namespace {

// The 15 significant digits of |value| (rounded once, by the C library, to nearest) and
// its decimal exponent: value ≈ d.dddddddddddddd × 10^exponent.
struct Digits {
    QString digits;
    int exponent = 0;
};

Digits significantDigits(double magnitude)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    // "d.dddddddddddddde±x…"
    Digits result;
    const char* p = buffer;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9')
            result.digits += QLatin1Char(*p);
    }
    if (*p == 'e')
        result.exponent = std::atoi(p + 1);
    while (result.digits.size() > 1 && result.digits.endsWith(u'0'))
        result.digits.chop(1);
    return result;
}

QString scientific(const Digits& d, const QString& point, int minExponentDigits)
{
    QString text = d.digits.left(1);
    if (d.digits.size() > 1)
        text += point + d.digits.mid(1);
    text += d.exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    text += QString::number(std::abs(d.exponent)).rightJustified(minExponentDigits, u'0');
    return text;
}

QString fixed(const Digits& d, const QString& point)
{
    if (d.exponent < 0)
        return QStringLiteral("0") + point + QString(-d.exponent - 1, u'0') + d.digits;
    const qsizetype integerDigits = d.exponent + 1;
    if (d.digits.size() <= integerDigits)
        return d.digits + QString(integerDigits - d.digits.size(), u'0');
    return d.digits.left(integerDigits) + point + d.digits.mid(integerDigits);
}

} // namespace

QString formatGeneralNumber(double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    if (value == 0)
        return QStringLiteral("0");
    const QString point = locale.decimalPoint();
    const double magnitude = std::fabs(value);
    const Digits d = significantDigits(magnitude);
    QString text;
    if (magnitude > 1e15)
        text = scientific(d, point, 3);
    else if (magnitude < 1e-5)
        text = scientific(d, point, 2);
    else
        text = fixed(d, point);
    return value < 0 ? QStringLiteral("-") + text : text;
}

} // namespace Quillet
