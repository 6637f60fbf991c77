// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QLocale>
#include <QString>

namespace Quillet {

/// A number in the General format as LibreOffice displays it, whatever the column width:
/// at most 15 significant digits, trailing zeros dropped, the decimal separator of
/// `locale`. Magnitudes above 10^15 are scientific with an exponent of at least three
/// digits ("1.23456789012346E+018", "1E+016"); magnitudes below 10^-5 scientific with at
/// least two ("1.5E-10", "1E-300"); everything between is fixed ("1000000000000000",
/// "0.00001"). Zero, negative zero included, is "0"; infinities and NaN give "#NUM!".
QString formatGeneralNumber(double value, const QLocale& locale);

} // namespace Quillet
