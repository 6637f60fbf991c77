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

/// Nearest turn; Bytes is the pixel size, 0 for 1- and 4-bit indices.
template <int Bytes>
void turnNearest(const TFastDIB& source, TFastDIB& destination, const Turn& turn)
{
    const std::uint32_t width = std::uint32_t(source.width());
    const std::uint32_t height = std::uint32_t(source.absHeight());
    const int bits = source.bitsPerPixel();
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
                    if constexpr (Bytes == 0)
                        setIndex(d, x, bits, indexAt(s, int(j), bits));
                    else
                        std::memcpy(d + x * Bytes, s + j * Bytes, Bytes);
                }
            }
        }
    }
}

void turnNearest(const TFastDIB& source, TFastDIB& destination, const Turn& turn)
{
    switch (source.bytesPerPixel()) {
    case 1: turnNearest<1>(source, destination, turn); break;
    case 2: turnNearest<2>(source, destination, turn); break;
    case 3: turnNearest<3>(source, destination, turn); break;
    case 4: turnNearest<4>(source, destination, turn); break;
    default: turnNearest<0>(source, destination, turn); break;
    }
}

/// Smooth turn of one storage row; u and v are the 16.16 source position of pixel 0, c
/// and s its steps per pixel.
template <int Bytes>
void turnSmoothRow(const TFastDIB& source, std::uint8_t* d, int count, std::uint32_t u,
                   std::uint32_t v, std::uint32_t c, std::uint32_t s)
{
    const int width = source.width();
    const int height = source.absHeight();
    // Unsigned compares: a position with all four neighbours inside the source.
    const auto innerWidth = std::uint32_t(width - 1);
    const auto innerHeight = std::uint32_t(height - 1);
    for (int x = 0; x < count; ++x, u += c, v += s) {
        const std::int32_t j = std::int32_t(u) >> 16;
        const std::int32_t i = std::int32_t(v) >> 16;
        std::uint8_t* own = d + x * Bytes;
        const std::uint8_t* p00;
        const std::uint8_t* p01;
        const std::uint8_t* p10;
        const std::uint8_t* p11;
        if (std::uint32_t(j) < innerWidth && std::uint32_t(i) < innerHeight) {
            p00 = source.scanLine(i) + j * Bytes;
            p01 = p00 + Bytes;
            p10 = source.scanLine(i + 1) + j * Bytes;
            p11 = p10 + Bytes;
        } else {
            if (j < -1 || j >= width || i < -1 || i >= height)
                continue;
            // A neighbour outside the source stands in with the destination pixel's value.
            const auto at = [&](std::int32_t ii, std::int32_t jj) -> const std::uint8_t* {
                if (ii < 0 || ii >= height || jj < 0 || jj >= width)
                    return own;
                return source.scanLine(ii) + jj * Bytes;
            };
            p00 = at(i, j);
            p01 = at(i, j + 1);
            p10 = at(i + 1, j);
            p11 = at(i + 1, j + 1);
        }
        const std::int32_t fx = std::int32_t(u & 65535);
        const std::int32_t fy = std::int32_t(v & 65535);
        std::uint8_t result[Bytes];
        for (int k = 0; k < Bytes; ++k) {
            const std::int32_t top = (p00[k] + ((fx * (p01[k] - p00[k])) >> 16)) & 255;
            const std::int32_t bottom = (p10[k] + ((fx * (p11[k] - p10[k])) >> 16)) & 255;
            result[k] = std::uint8_t(top + (((bottom - top) * fy) >> 16));
        }
        std::memcpy(own, result, Bytes);
    }
}

void turnSmooth(const TFastDIB& source, TFastDIB& destination, const Turn& turn)
{
    for (int r = 0; r < destination.absHeight(); ++r) {
        std::uint8_t* d = destination.scanLine(r);
        const int n = destination.width();
        const std::uint32_t u = turn.u(r, 0);
        const std::uint32_t v = turn.v(r, 0);
        switch (source.bytesPerPixel()) {
        case 1: turnSmoothRow<1>(source, d, n, u, v, turn.c, turn.s); break;
        case 2: turnSmoothRow<2>(source, d, n, u, v, turn.c, turn.s); break;
        case 3: turnSmoothRow<3>(source, d, n, u, v, turn.c, turn.s); break;
        default: turnSmoothRow<4>(source, d, n, u, v, turn.c, turn.s); break;
        }
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
    turnSmooth(*this, destination, turn);
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
