// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// How one printer misplaces what it prints: a value the user settings store per printer
// and orientation, and the print applies.

namespace Quillet {

/// How one printer misplaces what it prints, measured on the alignment page. A point meant
/// at p mm from the sheet's corner lands at p·scale + offset.
struct PrinterCalibration {
    /// The range a real printer's scales lie in, and the largest offset it shows, mm.
    static constexpr double MinScale = 0.8;
    static constexpr double MaxScale = 1.2;
    static constexpr double MaxOffsetMm = 20;

    double offsetXMm = 0; // how far the print lands right of where it should, mm
    double offsetYMm = 0; // how far the print lands below where it should, mm
    double scaleX = 1;    // printed length / true length across
    double scaleY = 1;    // printed length / true length down
    /// True when printing with it is exactly printing without it.
    bool isIdentity() const;
    /// True when every value is a finite number a real printer can give: scales within
    /// MinScale–MaxScale, offsets within ±MaxOffsetMm.
    bool isPlausible() const;
    bool operator==(const PrinterCalibration&) const = default;
};

} // namespace Quillet
