// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <cmath>
#include <cstdint>

namespace Quillet {

/// Rounds to the nearest integer, halves going to the even neighbour (100.5 → 100,
/// 101.5 → 102), independent of the floating-point rounding mode. Every conversion of
/// page geometry from reals to pixels goes through this; qRound and QRectF::toRect()
/// round halves away from zero and must not be used for it.
inline long long roundHalfEven(long double value)
{
    const long double below = std::floor(value);
    const long double fraction = value - below;
    long long result = static_cast<long long>(below);
    if (fraction > 0.5L || (fraction == 0.5L && (result & 1) != 0))
        ++result;
    return result;
}

/// Millimetres per pixel at `dpi` dots per inch: the extended-precision value nearest to
/// 25.4 / dpi (computed as 127 / (5·dpi), both exact, so the division rounds once).
/// The page raster works at 300 dpi; printing uses the printer's own resolution.
constexpr long double mmPerPixelAt(int dpi)
{
    return 127.0L / (5.0L * static_cast<long double>(dpi));
}

/// 25.4/300 mm: one pixel of the 300-dpi page raster.
inline constexpr long double MmPerPixel = mmPerPixelAt(300);

/// The step of the millimetre edits (block edges, page size, background size, margins and
/// points): three page pixels, a hundredth of an inch, so that stepping keeps a value on
/// whole pixels.
inline constexpr double MmEditStep = 0.254;

/// Pixel offset subtracted from all block coordinates while drawing (a printer's
/// unprintable margin); (0, 0) everywhere else.
struct PageOrigin {
    int x = 0;
    int y = 0;
    bool operator==(const PageOrigin&) const = default;
};

/// Page pixel of a millimetre value: round(mm / mmPerPixel), ties to even.
inline long long mmToPixel(long double mm, long double mmPerPixel = MmPerPixel)
{
    return roundHalfEven(mm / mmPerPixel);
}

/// Millimetres of a page pixel: px × mmPerPixel.
inline long double pixelToMm(long long px, long double mmPerPixel = MmPerPixel)
{
    return static_cast<long double>(px) * mmPerPixel;
}

/// Snaps a millimetre value to a whole page pixel: round(mm / mmPerPixel) × mmPerPixel.
inline long double snapToPixel(long double mm, long double mmPerPixel = MmPerPixel)
{
    return pixelToMm(mmToPixel(mm, mmPerPixel), mmPerPixel);
}

} // namespace Quillet
