// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <cstdint>

namespace Quillet {

class TFastDIB;

/// Smooth turn of destination pixels [from, to) of one storage row; u and v are the 16.16
/// source position of pixel from, c and s its steps per pixel. Every pixel is handled,
/// border rules included.
void turnSmoothPixels(const TFastDIB& source, TFastDIB& destination, int row, int from,
                      int to, std::uint32_t u, std::uint32_t v, std::uint32_t c,
                      std::uint32_t s);

/// The same for a row of a 24- or 32-bit raster from column 0 with AVX2, the processor
/// permitting; pixels near the source's edges are passed to turnSmoothPixels. Returns how
/// many leading pixels it did (the caller does the rest).
int turnSmoothRowAvx2(const TFastDIB& source, TFastDIB& destination, int row,
                      std::uint32_t u, std::uint32_t v, std::uint32_t c, std::uint32_t s);

} // namespace Quillet
