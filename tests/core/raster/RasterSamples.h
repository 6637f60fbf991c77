// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/raster/FastDIB.h"

#include <cstring>
#include <random>

namespace QuilletTest {

/// Fills every pixel byte (not the padding) with pseudo-random values from seed.
inline void fillRandom(Quillet::TFastDIB& raster, unsigned seed)
{
    std::mt19937 generator(seed);
    const int bytes = raster.stride() - raster.gap();
    for (int y = 0; y < raster.absHeight(); ++y)
        for (int x = 0; x < bytes; ++x)
            raster.scanLine(y)[x] = std::uint8_t(generator());
}

/// Sets every padding byte of every row to value.
inline void fillPadding(Quillet::TFastDIB& raster, std::uint8_t value)
{
    const int used = raster.stride() - raster.gap();
    for (int y = 0; y < raster.absHeight(); ++y)
        std::memset(raster.scanLine(y) + used, value, std::size_t(raster.gap()));
}

/// True when both rasters hold the same bytes in every row, padding included.
inline bool sameBytes(const Quillet::TFastDIB& a, const Quillet::TFastDIB& b)
{
    if (a.stride() != b.stride() || a.absHeight() != b.absHeight())
        return false;
    return std::memcmp(a.bits(), b.bits(), std::size_t(a.stride()) * a.absHeight()) == 0;
}

/// Sets pixel (storage row, column) of a 24-bit raster.
inline void setBGR(Quillet::TFastDIB& raster, int row, int column, std::uint8_t blue,
                   std::uint8_t green, std::uint8_t red)
{
    std::uint8_t* p = raster.scanLine(row) + column * 3;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}

} // namespace QuilletTest
