// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <string>

namespace Quillet {

/// Serial day number (days since 30 Dec 1899, fraction for the time of day) of an
/// office:date-value such as "2023-05-07" or "2023-12-31T23:59:59.5". Reads the same
/// under every C library locale. Returns false, leaving `serial` alone, when `text` is
/// not such a date.
bool parseDateValue(const std::string& text, double* serial);

/// Days (fractional, negative for "-P...") of an office:time-value duration such as
/// "PT12H30M05.5S" or "-P1DT2H". Reads the same under every C library locale. Returns
/// false when `text` is not such a duration; `days` is then left alone.
bool parseTimeValue(const std::string& text, double* days);

/// True when `text` is the TRUE or FALSE word of one of the languages the spreadsheet
/// application stores a formula's boolean result in (the result is stored as 1 or 0
/// with the word as the cell's text).
bool isBooleanWord(const std::string& text);

} // namespace Quillet
