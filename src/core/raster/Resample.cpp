// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/CpuFeatures.h"
#include "core/raster/FastDIB.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace Quillet {

namespace {

/// Source index for each destination index: ((step >> 1) + i × step) >> 16 in unsigned
/// 32-bit arithmetic, as the nearest-neighbour rule has it.
std::vector<int> nearestIndices(int sourceSize, int destinationSize)
{
    const auto step = static_cast<std::uint32_t>((static_cast<std::uint64_t>(sourceSize) << 16)
                                                 / static_cast<std::uint64_t>(destinationSize));
    std::vector<int> indices(static_cast<std::size_t>(destinationSize));
    std::uint32_t position = step >> 1;
    for (int i = 0; i < destinationSize; ++i, position += step)
        indices[std::size_t(i)] = std::min(int(position >> 16), sourceSize - 1);
    return indices;
}

template <int Bytes>
void copyNearestRow(std::uint8_t* d, const std::uint8_t* s, const std::vector<int>& columns)
{
    const std::size_t n = columns.size();
    for (std::size_t i = 0; i < n; ++i)
        std::memcpy(d + i * Bytes, s + std::size_t(columns[i]) * Bytes, Bytes);
}

// ---- bilinear ----------------------------------------------------------------------------

// The weighted sum w00·S00 + w01·S01 + w10·S10 + w11·S11 (w00 = wy − w01, w10 = fy − w11)
// equals (S00 << 16) + fy·(S10 − S00) + w01·(S01 − S00) + w11·(S11 − S10) exactly, and the
// latter splits into a per-source-row gather (S at j0 and the difference to j1) and a purely
// vertical per-byte kernel that vectorises without any gather in the inner loop.

struct GatheredRow {
    int row = -1;
    std::vector<std::int16_t> base; // S(row, j0) per destination byte
    std::vector<std::int16_t> step; // S(row, j1) − S(row, j0)
};

struct Horizontal {
    std::vector<int> j0;           // byte offset of the left neighbour's channel 0
    std::vector<int> j1;           // byte offset of the right neighbour's channel 0
    std::vector<std::uint32_t> fx; // per destination byte
};

Horizontal horizontalPlan(int sourceWidth, int destinationWidth, int channels)
{
    const std::int32_t step = std::int32_t((sourceWidth << 16) / destinationWidth);
    Horizontal plan;
    plan.j0.resize(std::size_t(destinationWidth));
    plan.j1.resize(std::size_t(destinationWidth));
    plan.fx.resize(std::size_t(destinationWidth) * std::size_t(channels));
    std::int32_t x = (step >> 1) - 32768;
    for (int i = 0; i < destinationWidth; ++i, x += step) {
        const int j0 = x < 0 ? 0 : x >> 16;
        const std::uint32_t fx = x < 0 ? 0 : std::uint32_t(x & 65535);
        const int j1 = j0 < sourceWidth - 1 ? j0 + 1 : j0;
        plan.j0[std::size_t(i)] = j0 * channels;
        plan.j1[std::size_t(i)] = j1 * channels;
        for (int c = 0; c < channels; ++c)
            plan.fx[std::size_t(i * channels + c)] = fx;
    }
    return plan;
}

template <int Channels>
void gatherRow(const std::uint8_t* s, const Horizontal& plan, GatheredRow& out,
               std::size_t from = 0)
{
    const std::size_t n = plan.j0.size();
    std::int16_t* base = out.base.data();
    std::int16_t* step = out.step.data();
    for (std::size_t i = from; i < n; ++i) {
        const std::uint8_t* p0 = s + plan.j0[i];
        const std::uint8_t* p1 = s + plan.j1[i];
        for (int c = 0; c < Channels; ++c) {
            base[i * Channels + c] = p0[c];
            step[i * Channels + c] = std::int16_t(p1[c] - p0[c]);
        }
    }
}

#if defined(__x86_64__)
/// gatherRow<3> two pixels at a time while both have their right neighbour next to them
/// (everywhere but the right edge): one 8-byte load holds a pixel and its neighbour. The
/// 16-byte stores spill two words into the next pair, which that pair overwrites; the rows
/// keep slack for the last one. Returns how many pixels it did.
__attribute__((target("avx2"))) std::size_t gatherPairs3(const std::uint8_t* s,
                                                         const Horizontal& plan, GatheredRow& out)
{
    const __m128i left = _mm_setr_epi8(0, -1, 1, -1, 2, -1, 8, -1, 9, -1, 10, -1, -1, -1, -1, -1);
    const __m128i right =
        _mm_setr_epi8(3, -1, 4, -1, 5, -1, 11, -1, 12, -1, 13, -1, -1, -1, -1, -1);
    const std::size_t n = plan.j0.size();
    const int* j0 = plan.j0.data();
    const int* j1 = plan.j1.data();
    std::int16_t* base = out.base.data();
    std::int16_t* step = out.step.data();
    std::size_t i = 0;
    for (; i + 2 <= n && j1[i] == j0[i] + 3 && j1[i + 1] == j0[i + 1] + 3; i += 2) {
        std::int64_t first, second;
        std::memcpy(&first, s + j0[i], 8);
        std::memcpy(&second, s + j0[i + 1], 8);
        const __m128i pair = _mm_set_epi64x(second, first);
        const __m128i p0 = _mm_shuffle_epi8(pair, left);
        const __m128i p1 = _mm_shuffle_epi8(pair, right);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(base + i * 3), p0);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(step + i * 3), _mm_sub_epi16(p1, p0));
    }
    return i;
}
#endif

void gather(const std::uint8_t* s, const Horizontal& plan, int channels, GatheredRow& out)
{
    switch (channels) {
    case 1:
        gatherRow<1>(s, plan, out);
        break;
    case 3: {
        std::size_t done = 0;
#if defined(__x86_64__)
        if (cpuHasAvx2())
            done = gatherPairs3(s, plan, out);
#endif
        gatherRow<3>(s, plan, out, done);
        break;
    }
    default:
        gatherRow<4>(s, plan, out);
        break;
    }
}

/// One destination row from the gathered rows i0 (top) and i1: count bytes from byte from.
void blendRowsScalar(std::uint8_t* d, const GatheredRow& r0, const GatheredRow& r1,
                     const std::uint32_t* fx, std::uint32_t wy, std::uint32_t fy, std::size_t from,
                     std::size_t count)
{
    for (std::size_t k = from; k < from + count; ++k) {
        const std::int32_t w01 = std::int32_t((wy * fx[k]) >> 16);
        const std::int32_t w11 = std::int32_t((fy * fx[k]) >> 16);
        const std::int32_t a0 = r0.base[k];
        const std::int32_t sum = (a0 << 16) + std::int32_t(fy) * (r1.base[k] - a0)
                                 + w01 * r0.step[k] + w11 * r1.step[k] + 32768;
        d[k] = std::uint8_t(std::uint32_t(sum) >> 16);
    }
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) inline __m256i widen16(const std::int16_t* p)
{
    return _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

__attribute__((target("avx2"))) std::size_t blendRowsAvx2(std::uint8_t* d, const GatheredRow& r0,
                                                          const GatheredRow& r1,
                                                          const std::uint32_t* fx, std::uint32_t wy,
                                                          std::uint32_t fy, std::size_t count)
{
    const __m256i wyv = _mm256_set1_epi32(std::int32_t(wy));
    const __m256i fyv = _mm256_set1_epi32(std::int32_t(fy));
    const __m256i half = _mm256_set1_epi32(32768);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const std::int16_t* base0 = r0.base.data();
    const std::int16_t* base1 = r1.base.data();
    const std::int16_t* step0 = r0.step.data();
    const std::int16_t* step1 = r1.step.data();
    std::size_t k = 0;
    for (; k + 16 <= count; k += 16) {
        __m256i result[2];
        for (int half16 = 0; half16 < 2; ++half16) {
            const std::size_t at = k + std::size_t(half16) * 8;
            const __m256i a0 = widen16(base0 + at);
            const __m256i a1 = widen16(base1 + at);
            const __m256i s0 = widen16(step0 + at);
            const __m256i s1 = widen16(step1 + at);
            const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fx + at));
            // Both products stay below 2^32, so the low halves are the exact unsigned ones.
            const __m256i w01 = _mm256_srli_epi32(_mm256_mullo_epi32(f, wyv), 16);
            const __m256i w11 = _mm256_srli_epi32(_mm256_mullo_epi32(f, fyv), 16);
            __m256i sum = _mm256_add_epi32(_mm256_slli_epi32(a0, 16), half);
            sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(_mm256_sub_epi32(a1, a0), fyv));
            sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(w01, s0));
            sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(w11, s1));
            result[half16] = _mm256_srli_epi32(sum, 16);
        }
        // 16 results of at most 255: pack to words, then to bytes, undoing the lane split.
        const __m256i words = _mm256_packus_epi32(result[0], result[1]);
        const __m256i bytes = _mm256_packus_epi16(words, words);
        const __m256i ordered = _mm256_permutevar8x32_epi32(bytes, order);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k), _mm256_castsi256_si128(ordered));
    }
    return k;
}
#endif

void blendRows(std::uint8_t* d, const GatheredRow& r0, const GatheredRow& r1,
               const std::uint32_t* fx, std::uint32_t wy, std::uint32_t fy, std::size_t count)
{
    std::size_t done = 0;
#if defined(__x86_64__)
    if (cpuHasAvx2())
        done = blendRowsAvx2(d, r0, r1, fx, wy, fy, count);
#endif
    blendRowsScalar(d, r0, r1, fx, wy, fy, done, count - done);
}

} // namespace

void TFastDIB::ScaleNearestTo(TFastDIB& destination) const
{
    if (isEmpty() || destination.isEmpty() || width() == 0 || absHeight() == 0
        || destination.width() == 0 || destination.absHeight() == 0)
        return;
    const int sourceBits = bitsPerPixel();
    const int targetBits = destination.bitsPerPixel();
    if (sourceBits != targetBits && (targetBits != 24 || sourceBits < 8))
        return; // 1- and 4-bit sources, and targets other than 24 bits, get nothing
    const std::vector<int> columns = nearestIndices(width(), destination.width());
    const std::vector<int> rows = nearestIndices(absHeight(), destination.absHeight());
    std::uint8_t palette[256 * 3];
    if (sourceBits == 8 && targetBits == 24) {
        for (int i = 0; i < 256; ++i) {
            palette[i * 3] = m_colors[i].blue;
            palette[i * 3 + 1] = m_colors[i].green;
            palette[i * 3 + 2] = m_colors[i].red;
        }
    }
    const std::uint8_t* table = sourceBits == 16 && targetBits == 24 ? table16To24() : nullptr;
    const std::size_t n = columns.size();
    for (int j = 0; j < destination.absHeight(); ++j) {
        const std::uint8_t* s = scanLine(rows[std::size_t(j)]);
        std::uint8_t* d = destination.scanLine(j);
        if (sourceBits == targetBits) {
            switch (sourceBits) {
            case 8:
                copyNearestRow<1>(d, s, columns);
                break;
            case 16:
                copyNearestRow<2>(d, s, columns);
                break;
            case 24:
                copyNearestRow<3>(d, s, columns);
                break;
            case 32:
                copyNearestRow<4>(d, s, columns);
                break;
            default:
                // Indices of 1 and 4 bits are moved bit field by bit field.
                for (std::size_t i = 0; i < n; ++i) {
                    const int bits = sourceBits;
                    const int perByte = 8 / bits;
                    const int c = columns[i];
                    const int from = 8 - bits - (c % perByte) * bits;
                    const int to = 8 - bits - int(i % std::size_t(perByte)) * bits;
                    const int value = (s[c / perByte] >> from) & ((1 << bits) - 1);
                    std::uint8_t& byte = d[i / std::size_t(perByte)];
                    byte = std::uint8_t((byte & ~(((1 << bits) - 1) << to)) | value << to);
                }
                break;
            }
        } else if (sourceBits == 8) {
            for (std::size_t i = 0; i < n; ++i)
                std::memcpy(d + i * 3, palette + s[columns[i]] * 3, 3);
        } else if (sourceBits == 16) {
            for (std::size_t i = 0; i < n; ++i) {
                const std::uint8_t* p = s + std::size_t(columns[i]) * 2;
                std::memcpy(d + i * 3, table + (unsigned(p[0]) | unsigned(p[1]) << 8) * 3, 3);
            }
        } else {
            for (std::size_t i = 0; i < n; ++i)
                std::memcpy(d + i * 3, s + std::size_t(columns[i]) * 4, 3);
        }
    }
}

void TFastDIB::ResizeSmoothTo(TFastDIB& destination) const
{
    if (isEmpty() || destination.isEmpty() || width() == 0 || absHeight() == 0
        || destination.width() == 0 || destination.absHeight() == 0)
        return;
    const int bits = bitsPerPixel();
    if (bits != destination.bitsPerPixel() || (bits != 8 && bits != 24 && bits != 32))
        return;
    if (width() >= 32768 || absHeight() >= 32768)
        return; // the 16.16 positions would overflow
    const int channels = bits / 8;
    const int sourceHeight = absHeight();
    const Horizontal plan = horizontalPlan(width(), destination.width(), channels);
    const std::size_t rowBytes = std::size_t(destination.width()) * std::size_t(channels);
    GatheredRow slots[2];
    for (GatheredRow& slot : slots) {
        slot.base.resize(rowBytes + 8); // slack for the paired gather's last store
        slot.step.resize(rowBytes + 8);
    }
    const auto rowFor = [&](int row, int keep) -> const GatheredRow& {
        for (GatheredRow& slot : slots)
            if (slot.row == row)
                return slot;
        GatheredRow& slot = slots[0].row == keep ? slots[1] : slots[0];
        gather(scanLine(row), plan, channels, slot);
        slot.row = row;
        return slot;
    };
    const std::int32_t yStep = std::int32_t((sourceHeight << 16) / destination.absHeight());
    std::int32_t y = (yStep >> 1) - 32768;
    for (int j = 0; j < destination.absHeight(); ++j, y += yStep) {
        const int i0 = y < 0 ? 0 : y >> 16;
        const std::uint32_t fy = y < 0 ? 0 : std::uint32_t(y & 65535);
        const int i1 = i0 < sourceHeight - 1 ? i0 + 1 : i0;
        const GatheredRow& top = rowFor(i0, i1);
        const GatheredRow& bottom = rowFor(i1, i0);
        blendRows(destination.scanLine(j), top, bottom, plan.fx.data(), 65536 - fy, fy, rowBytes);
    }
}

} // namespace Quillet
