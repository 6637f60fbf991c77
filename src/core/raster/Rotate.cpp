// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Geometry.h"
#include "core/raster/FastDIB.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Quillet {

namespace {

constexpr long double RadiansPerDegree = 0.017453292519943295769L;

/// The source position of destination pixel (row, column) in 16.16, wrapping like the
/// 32-bit integers it is defined in.
struct Turn {
    std::uint32_t u0; // u at row 0, column 0
    std::uint32_t v0;
    std::uint32_t c;
    std::uint32_t s;

    std::uint32_t u(int row, int column) const
    {
        return u0 + std::uint32_t(column) * c - std::uint32_t(row) * s;
    }
    std::uint32_t v(int row, int column) const
    {
        return v0 + std::uint32_t(column) * s + std::uint32_t(row) * c;
    }
};

Turn makeTurn(const TFastDIB& source, const TFastDIB& destination, std::int32_t c,
              std::int32_t s, int cx, int cy)
{
    const auto gx = std::int32_t(
        (static_cast<long long>(source.width()) - destination.width()) * 65536 / 2);
    const auto gy = std::int32_t(
        (static_cast<long long>(source.absHeight()) - destination.absHeight()) * 65536 / 2);
    Turn turn;
    turn.c = std::uint32_t(c);
    turn.s = std::uint32_t(s);
    turn.u0 = std::uint32_t(gx) + std::uint32_t(cx) * 65536u - std::uint32_t(cx) * turn.c +
              std::uint32_t(cy) * turn.s;
    turn.v0 = std::uint32_t(gy) + std::uint32_t(cy) * 65536u - std::uint32_t(cx) * turn.s -
              std::uint32_t(cy) * turn.c;
    return turn;
}

/// Colour-table index of a 1- or 4-bit pixel, and its store.
int indexAt(const std::uint8_t* line, int column, int bits)
{
    const int perByte = 8 / bits;
    return (line[column / perByte] >> (8 - bits - (column % perByte) * bits)) &
           ((1 << bits) - 1);
}

void setIndex(std::uint8_t* line, int column, int bits, int value)
{
    const int perByte = 8 / bits;
    const int shift = 8 - bits - (column % perByte) * bits;
    std::uint8_t& byte = line[column / perByte];
    byte = std::uint8_t((byte & ~(((1 << bits) - 1) << shift)) | value << shift);
}

// Quarter turns read the source down its columns; tiles keep those reads in cache.
constexpr int TileRows = 32;
constexpr int TileColumns = 128;

void turnNearest(const TFastDIB& source, TFastDIB& destination, const Turn& turn)
{
    const std::uint32_t width = std::uint32_t(source.width());
    const std::uint32_t height = std::uint32_t(source.absHeight());
    const int bits = source.bitsPerPixel();
    const int bytes = bits / 8;
    const int dw = destination.width();
    const int dh = destination.absHeight();
    for (int r0 = 0; r0 < dh; r0 += TileRows) {
        for (int x0 = 0; x0 < dw; x0 += TileColumns) {
            const int r1 = std::min(dh, r0 + TileRows);
            const int x1 = std::min(dw, x0 + TileColumns);
            for (int r = r0; r < r1; ++r) {
                std::uint8_t* d = destination.scanLine(r);
                std::uint32_t u = turn.u(r, x0);
                std::uint32_t v = turn.v(r, x0);
                for (int x = x0; x < x1; ++x, u += turn.c, v += turn.s) {
                    // Arithmetic shifts, then read as unsigned: negatives fall outside.
                    const auto j = std::uint32_t(std::int32_t(u) >> 16);
                    const auto i = std::uint32_t(std::int32_t(v) >> 16);
                    if (j >= width || i >= height)
                        continue;
                    const std::uint8_t* s = source.scanLine(int(i));
                    switch (bytes) {
                    case 3:
                        d[x * 3] = s[j * 3];
                        d[x * 3 + 1] = s[j * 3 + 1];
                        d[x * 3 + 2] = s[j * 3 + 2];
                        break;
                    case 4: std::memcpy(d + x * 4, s + j * 4, 4); break;
                    case 2: std::memcpy(d + x * 2, s + j * 2, 2); break;
                    case 1: d[x] = s[j]; break;
                    default: setIndex(d, x, bits, indexAt(s, int(j), bits)); break;
                    }
                }
            }
        }
    }
}

/// Smooth turn of destination pixels [from, to) of one storage row; u and v are the 16.16
/// source position of pixel from, c and s its steps per pixel.
void turnSmoothPixels(const TFastDIB& source, TFastDIB& destination, int row, int from,
                      int to, std::uint32_t u, std::uint32_t v, std::uint32_t c,
                      std::uint32_t s)
{
    const int width = source.width();
    const int height = source.absHeight();
    const int bytes = source.bytesPerPixel();
    std::uint8_t* d = destination.scanLine(row);
    for (int x = from; x < to; ++x, u += c, v += s) {
        const std::int32_t j = std::int32_t(u) >> 16;
        const std::int32_t i = std::int32_t(v) >> 16;
        if (j < -1 || j >= width || i < -1 || i >= height)
            continue;
        const std::int32_t fx = std::int32_t(u & 65535);
        const std::int32_t fy = std::int32_t(v & 65535);
        std::uint8_t* own = d + x * bytes;
        // A neighbour outside the source stands in with the destination pixel's value.
        const auto at = [&](std::int32_t ii, std::int32_t jj) -> const std::uint8_t* {
            if (ii < 0 || ii >= height || jj < 0 || jj >= width)
                return own;
            return source.scanLine(ii) + jj * bytes;
        };
        const std::uint8_t* p00 = at(i, j);
        const std::uint8_t* p01 = at(i, j + 1);
        const std::uint8_t* p10 = at(i + 1, j);
        const std::uint8_t* p11 = at(i + 1, j + 1);
        std::uint8_t result[4];
        for (int k = 0; k < bytes; ++k) {
            const std::int32_t top = (p00[k] + ((fx * (p01[k] - p00[k])) >> 16)) & 255;
            const std::int32_t bottom = (p10[k] + ((fx * (p11[k] - p10[k])) >> 16)) & 255;
            result[k] = std::uint8_t(top + (((bottom - top) * fy) >> 16));
        }
        std::memcpy(own, result, std::size_t(bytes));
    }
}

} // namespace

void TFastDIB::rotateFixed(TFastDIB& destination, std::int32_t c, std::int32_t s, int cx,
                           int cy, bool smooth) const
{
    if (isEmpty() || destination.isEmpty() || bitsPerPixel() != destination.bitsPerPixel())
        return;
    if (width() == 0 || absHeight() == 0)
        return;
    const Turn turn = makeTurn(*this, destination, c, s, cx, cy);
    if (!smooth || bitsPerPixel() < 8) {
        turnNearest(*this, destination, turn);
        return;
    }
    for (int r = 0; r < destination.absHeight(); ++r)
        turnSmoothPixels(*this, destination, r, 0, destination.width(), turn.u(r, 0),
                         turn.v(r, 0), turn.c, turn.s);
}

void TFastDIB::SizeForRotation(TFastDIB& destination, double degrees) const
{
    const long double theta = std::fabs(static_cast<long double>(degrees)) * RadiansPerDegree;
    const long double cosine = std::cos(theta);
    const long double sine = std::sin(theta);
    const long double w = width();
    const long double h = absHeight();
    DibHeader header = m_header;
    header.width = int(roundHalfEven(std::fabs(cosine * w) + std::fabs(sine * h) + 0.4L));
    header.height = int(roundHalfEven(std::fabs(sine * w) + std::fabs(cosine * h) + 0.4L));
    // The turned picture needs zero pixels around it even when the destination had this
    // size already and SetSizeFromHeader kept its pixels.
    if (destination.SetSizeFromHeader(header) && !destination.isEmpty())
        std::memset(destination.bits(), 0, destination.header().sizeImage);
}

void TFastDIB::RotateTo(TFastDIB& destination, bool smooth, double degrees) const
{
    const long double radians = static_cast<long double>(degrees) * RadiansPerDegree;
    const auto c = std::int32_t(roundHalfEven(std::cos(radians) * 65536.0L));
    const auto s = std::int32_t(roundHalfEven(std::sin(radians) * 65536.0L));
    rotateFixed(destination, c, s, destination.width() >> 1, destination.height() >> 1,
                smooth);
}

namespace {

void sizeQuarter(const TFastDIB& source, TFastDIB& destination, bool exchange)
{
    DibHeader header = source.header();
    if (exchange) {
        header.width = source.absHeight();
        header.height = source.width();
    }
    if (destination.SetSizeFromHeader(header) && !destination.isEmpty())
        std::memset(destination.bits(), 0, destination.header().sizeImage);
}

} // namespace

void TFastDIB::Rotate90To(TFastDIB& destination) const
{
    sizeQuarter(*this, destination, true);
    rotateFixed(destination, 0, 65536, destination.width() >> 1, destination.height() >> 1,
                false);
}

void TFastDIB::Rotate180To(TFastDIB& destination) const
{
    sizeQuarter(*this, destination, false);
    rotateFixed(destination, -65536, 0, destination.width() >> 1, destination.height() >> 1,
                false);
}

void TFastDIB::Rotate270To(TFastDIB& destination) const
{
    sizeQuarter(*this, destination, true);
    rotateFixed(destination, 0, -65536, destination.width() >> 1, destination.height() >> 1,
                false);
}

} // namespace Quillet
