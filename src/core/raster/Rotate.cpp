// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Geometry.h"
#include "core/raster/CpuFeatures.h"
#include "core/raster/FastDIB.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

Turn makeTurn(const TFastDIB& source, const TFastDIB& destination, std::int32_t c, std::int32_t s,
              int cx, int cy)
{
    const auto gx =
        std::int32_t((static_cast<long long>(source.width()) - destination.width()) * 65536 / 2);
    const auto gy = std::int32_t(
        (static_cast<long long>(source.absHeight()) - destination.absHeight()) * 65536 / 2);
    Turn turn;
    turn.c = std::uint32_t(c);
    turn.s = std::uint32_t(s);
    turn.u0 = std::uint32_t(gx) + std::uint32_t(cx) * 65536u - std::uint32_t(cx) * turn.c
              + std::uint32_t(cy) * turn.s;
    turn.v0 = std::uint32_t(gy) + std::uint32_t(cy) * 65536u - std::uint32_t(cx) * turn.s
              - std::uint32_t(cy) * turn.c;
    return turn;
}

/// Colour-table index of a 1- or 4-bit pixel, and its store.
int indexAt(const std::uint8_t* line, int column, int bits)
{
    const int perByte = 8 / bits;
    return (line[column / perByte] >> (8 - bits - (column % perByte) * bits)) & ((1 << bits) - 1);
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
    case 1:
        turnNearest<1>(source, destination, turn);
        break;
    case 2:
        turnNearest<2>(source, destination, turn);
        break;
    case 3:
        turnNearest<3>(source, destination, turn);
        break;
    case 4:
        turnNearest<4>(source, destination, turn);
        break;
    default:
        turnNearest<0>(source, destination, turn);
        break;
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

#if defined(__x86_64__)
#define QUILLET_AVX2 __attribute__((target("avx2")))

/// Eight bytes from each of four offsets, one per 64-bit lane.
QUILLET_AVX2 inline __m256i loadPairs(const std::uint8_t* bytes, const std::int32_t* offsets)
{
    std::int64_t q[4];
    for (int k = 0; k < 4; ++k)
        std::memcpy(&q[k], bytes + offsets[k], 8);
    return _mm256_setr_epi64x(q[0], q[1], q[2], q[3]);
}

/// Bytes of half h of eight loaded pixels as 16-bit lanes.
QUILLET_AVX2 inline __m256i widenHalf(__m256i pixels, int h)
{
    return h == 0 ? _mm256_unpacklo_epi8(pixels, _mm256_setzero_si256())
                  : _mm256_unpackhi_epi8(pixels, _mm256_setzero_si256());
}

/// (p + ((f × (q − p)) >> 16)) mod 256 per 16-bit lane, the shift flooring, for fractions
/// f of 0–65535. mulhi treats f as signed, i.e. as f − 65536 from 32768 up; adding q − p
/// back there is exact because 65536 × (q − p) >> 16 is a whole number.
QUILLET_AVX2 inline __m256i lerpBytes(__m256i p, __m256i q, __m256i f)
{
    const __m256i d = _mm256_sub_epi16(q, p);
    const __m256i step =
        _mm256_add_epi16(_mm256_mulhi_epi16(f, d), _mm256_and_si256(d, _mm256_srai_epi16(f, 15)));
    return _mm256_and_si256(_mm256_add_epi16(p, step), _mm256_set1_epi16(255));
}

/// turnSmoothRow for 24- and 32-bit rasters, 8 pixels at a time where all of their
/// neighbours lie inside the source (the store's slack makes the bytes read past a 24-bit
/// pixel pair safe); groups near an edge go pixel by pixel.
template <int Bytes>
QUILLET_AVX2 void turnSmoothRowAvx2(const TFastDIB& source, std::uint8_t* d, int count,
                                    std::uint32_t u, std::uint32_t v, std::uint32_t c,
                                    std::uint32_t s)
{
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i stepU = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(std::int32_t(c)));
    const __m256i stepV = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(std::int32_t(s)));
    const __m256i lastColumn = _mm256_set1_epi32(source.width() - 1);
    const __m256i lastRow = _mm256_set1_epi32(source.absHeight() - 1);
    const __m256i minusOne = _mm256_set1_epi32(-1);
    const __m256i stride = _mm256_set1_epi32(source.stride());
    // The low 16 bits of each pixel's position (its fraction) copied to its four bytes.
    const __m256i spreadLow = _mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 4, 5, 4, 5, 4, 5, 4, 5, 0, 1,
                                               0, 1, 0, 1, 0, 1, 4, 5, 4, 5, 4, 5, 4, 5);
    const __m256i spreadHigh =
        _mm256_setr_epi8(8, 9, 8, 9, 8, 9, 8, 9, 12, 13, 12, 13, 12, 13, 12, 13, 8, 9, 8, 9, 8, 9,
                         8, 9, 12, 13, 12, 13, 12, 13, 12, 13);
    const std::uint8_t* bytes = source.bits();
    // Within each 128-bit lane: two 8-byte loads [p0 p1 ..] become dwords p0, p0', p1, p1'.
    const __m256i splitPairs =
        Bytes == 4 ? _mm256_setr_epi8(0, 1, 2, 3, 8, 9, 10, 11, 4, 5, 6, 7, 12, 13, 14, 15, 0, 1, 2,
                                      3, 8, 9, 10, 11, 4, 5, 6, 7, 12, 13, 14, 15)
                   : _mm256_setr_epi8(0, 1, 2, -1, 8, 9, 10, -1, 3, 4, 5, -1, 11, 12, 13, -1, 0, 1,
                                      2, -1, 8, 9, 10, -1, 3, 4, 5, -1, 11, 12, 13, -1);
    // Packs the low three bytes of each 32-bit lane together, per 128-bit half.
    const __m256i pack24 = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,
                                            0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const std::uint32_t ux = u + std::uint32_t(x) * c;
        const std::uint32_t vx = v + std::uint32_t(x) * s;
        const __m256i uu = _mm256_add_epi32(_mm256_set1_epi32(std::int32_t(ux)), stepU);
        const __m256i vv = _mm256_add_epi32(_mm256_set1_epi32(std::int32_t(vx)), stepV);
        const __m256i j = _mm256_srai_epi32(uu, 16);
        const __m256i i = _mm256_srai_epi32(vv, 16);
        const __m256i inside = _mm256_and_si256(
            _mm256_and_si256(_mm256_cmpgt_epi32(j, minusOne), _mm256_cmpgt_epi32(lastColumn, j)),
            _mm256_and_si256(_mm256_cmpgt_epi32(i, minusOne), _mm256_cmpgt_epi32(lastRow, i)));
        if (_mm256_movemask_epi8(inside) != -1) {
            turnSmoothRow<Bytes>(source, d + x * Bytes, 8, ux, vx, c, s);
            continue;
        }
        const __m256i column =
            Bytes == 4 ? _mm256_slli_epi32(j, 2) : _mm256_add_epi32(j, _mm256_add_epi32(j, j));
        const __m256i at00 = _mm256_add_epi32(_mm256_mullo_epi32(i, stride), column);
        // Each pixel's two horizontal neighbours come in one 8-byte load per source row
        // (cheaper than gathers); pixels sit in the order 0, 1, 4, 5 | 2, 3, 6, 7 until the
        // final permute.
        alignas(32) std::int32_t offsets[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(offsets), at00);
        const std::uint8_t* below = bytes + source.stride();
        const __m256i topA = _mm256_shuffle_epi8(loadPairs(bytes, offsets), splitPairs);
        const __m256i topB = _mm256_shuffle_epi8(loadPairs(bytes, offsets + 4), splitPairs);
        const __m256i bottomA = _mm256_shuffle_epi8(loadPairs(below, offsets), splitPairs);
        const __m256i bottomB = _mm256_shuffle_epi8(loadPairs(below, offsets + 4), splitPairs);
        const __m256i p00 = _mm256_unpacklo_epi64(topA, topB);
        const __m256i p01 = _mm256_unpackhi_epi64(topA, topB);
        const __m256i p10 = _mm256_unpacklo_epi64(bottomA, bottomB);
        const __m256i p11 = _mm256_unpackhi_epi64(bottomA, bottomB);
        const __m256i uOrdered = _mm256_permute4x64_epi64(uu, 0xD8);
        const __m256i vOrdered = _mm256_permute4x64_epi64(vv, 0xD8);
        __m256i half[2];
        for (int h = 0; h < 2; ++h) {
            const __m256i spread = h == 0 ? spreadLow : spreadHigh;
            const __m256i fx = _mm256_shuffle_epi8(uOrdered, spread);
            const __m256i fy = _mm256_shuffle_epi8(vOrdered, spread);
            const __m256i top = lerpBytes(widenHalf(p00, h), widenHalf(p01, h), fx);
            const __m256i bottom = lerpBytes(widenHalf(p10, h), widenHalf(p11, h), fx);
            half[h] = lerpBytes(top, bottom, fy);
        }
        const __m256i pixel = _mm256_permute4x64_epi64(_mm256_packus_epi16(half[0], half[1]), 0xD8);
        std::uint8_t* out = d + x * Bytes;
        if constexpr (Bytes == 4) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), pixel);
        } else {
            // Exactly 24 bytes: a wider store would spoil pixels that edge groups still read.
            const __m256i packed = _mm256_shuffle_epi8(pixel, pack24);
            const __m128i lo = _mm256_castsi256_si128(packed);
            const __m128i hi = _mm256_extracti128_si256(packed, 1);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out), lo);
            const std::uint32_t loTail = std::uint32_t(_mm_extract_epi32(lo, 2));
            std::memcpy(out + 8, &loTail, 4);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 12), hi);
            const std::uint32_t hiTail = std::uint32_t(_mm_extract_epi32(hi, 2));
            std::memcpy(out + 20, &hiTail, 4);
        }
    }
    turnSmoothRow<Bytes>(source, d + x * Bytes, count - x, u + std::uint32_t(x) * c,
                         v + std::uint32_t(x) * s, c, s);
}

#undef QUILLET_AVX2
#endif

void turnSmooth(const TFastDIB& source, TFastDIB& destination, const Turn& turn)
{
#if defined(__x86_64__)
    const bool vector = cpuHasAvx2();
#else
    const bool vector = false;
#endif
    for (int r = 0; r < destination.absHeight(); ++r) {
        std::uint8_t* d = destination.scanLine(r);
        const int n = destination.width();
        const std::uint32_t u = turn.u(r, 0);
        const std::uint32_t v = turn.v(r, 0);
        switch (source.bytesPerPixel()) {
        case 1:
            turnSmoothRow<1>(source, d, n, u, v, turn.c, turn.s);
            break;
        case 2:
            turnSmoothRow<2>(source, d, n, u, v, turn.c, turn.s);
            break;
#if defined(__x86_64__)
        case 3:
            if (vector)
                turnSmoothRowAvx2<3>(source, d, n, u, v, turn.c, turn.s);
            else
                turnSmoothRow<3>(source, d, n, u, v, turn.c, turn.s);
            break;
        default:
            if (vector)
                turnSmoothRowAvx2<4>(source, d, n, u, v, turn.c, turn.s);
            else
                turnSmoothRow<4>(source, d, n, u, v, turn.c, turn.s);
            break;
#else
        case 3:
            turnSmoothRow<3>(source, d, n, u, v, turn.c, turn.s);
            break;
        default:
            turnSmoothRow<4>(source, d, n, u, v, turn.c, turn.s);
            break;
#endif
        }
    }
}

} // namespace

void TFastDIB::rotateFixed(TFastDIB& destination, std::int32_t c, std::int32_t s, int cx, int cy,
                           bool smooth) const
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
    rotateFixed(destination, c, s, destination.width() >> 1, destination.height() >> 1, smooth);
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
    rotateFixed(destination, 0, 65536, destination.width() >> 1, destination.height() >> 1, false);
}

void TFastDIB::Rotate180To(TFastDIB& destination) const
{
    sizeQuarter(*this, destination, false);
    rotateFixed(destination, -65536, 0, destination.width() >> 1, destination.height() >> 1, false);
}

void TFastDIB::Rotate270To(TFastDIB& destination) const
{
    sizeQuarter(*this, destination, true);
    rotateFixed(destination, 0, -65536, destination.width() >> 1, destination.height() >> 1, false);
}

} // namespace Quillet
