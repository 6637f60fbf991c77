// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace Quillet {

/// Numbers as the project's texts hold them. Written with a decimal comma (the files'
/// own convention), read with either a comma or a point. None of these depend on the
/// process locale.
namespace Numbers {

/// Picture format such as "0000.00": at least `intDigits` integer digits (zero-padded),
/// exactly `decimals` decimals, rounded half away from zero on the exact binary value,
/// decimal comma. A negative value gets a leading "-" before its digits ("-0001,50");
/// values outside the width simply grow wider.
QString formatFixed(long double value, int intDigits, int decimals);

/// Integer with at least `digits` digits, zero-padded ("0000": 12 → "0012", -5 → "-0005").
QString formatInt(long long value, int digits);

/// Shortest general form with up to 15 significant digits and a decimal comma:
/// 0 → "0", -1.25 → "-1,25", 1e-6 → "1E-6", 1e15 → "1E15".
QString formatGeneral(double value);

/// A decimal number: optional surrounding blanks, optional sign, digits with a comma or
/// point as decimal mark, optional exponent. std::nullopt for anything else, including
/// an empty text, infinities and NaN.
std::optional<long double> parseDecimal(QStringView text);

/// A decimal integer with optional surrounding blanks and sign; std::nullopt for anything
/// else or when it does not fit in 64 bits.
std::optional<long long> parseInteger(QStringView text);

/// An integer as the colour and size items hold it: "$" followed by up to eight
/// hexadecimal digits (read as 32 bits, so "$FFFFFFFF" is -1), or a decimal integer in
/// the signed 32-bit range. Surrounding blanks are allowed.
std::optional<int32_t> parseInt32(QStringView text);

/// "$" + eight upper-case hexadecimal digits of the 32-bit value.
QString formatColorHex(int32_t value);

} // namespace Numbers
} // namespace Quillet
