// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Decimal digits of doubles as spreadsheets show them: 15 significant digits,
// halves rounded away from zero on the decimal digits (so 2.675 gives 2.68).

#include <QLocale>
#include <QString>

#include <string>

namespace Quillet {

struct DecimalDigits {
    std::string integer;  ///< no leading zeros; empty for a zero integer part
    std::string fraction; ///< exactly the requested number of digits
    bool isZero() const;
};

/// `absValue` (finite, not negative) rounded to `decimals` places (0-30).
DecimalDigits roundToDecimals(double absValue, int decimals);

/// General format with the given decimal separator.
QString formatGeneralWith(double value, const QString& decimal);

/// The decimal separator a spreadsheet application uses under `locale`.
QString decimalSeparatorFor(const QLocale& locale);

} // namespace Quillet
