// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Vector blends: SSE2 (always there on x86-64) and AVX2 (compiled for that target here and
// only called when the processor has it). Products are kept in 16-bit lanes: a × b and
// w × a + (256 − w) × b never exceed 65280, so the low 16 bits are the exact products and
// the results match the per-byte definitions to the bit.

#include "core/raster/BlendKernels.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace Quillet {

#if defined(__x86_64__)

namespace {

// Tails shorter than a vector, byte by byte.
inline void multiplyTail(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                         std::size_t i, std::size_t count)
{
    for (; i < count; ++i)
        d[i] = std::uint8_t((unsigned(a[i]) * b[i]) >> 8);
}

inline void addTail(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b, std::size_t i,
                    std::size_t count)
{
    for (; i < count; ++i)
        d[i] = std::uint8_t(std::min(255u, unsigned(a[i]) + b[i]));
}

inline void differenceTail(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                           std::size_t i, std::size_t count)
{
    for (; i < count; ++i)
        d[i] = std::uint8_t(a[i] > b[i] ? a[i] - b[i] : b[i] - a[i]);
}

inline void alphaTail(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b, std::size_t i,
                      std::size_t count, int weight)
{
    for (; i < count; ++i)
        d[i] = std::uint8_t(b[i] + ((weight * (int(a[i]) - int(b[i]))) >> 8));
}

// ---- SSE2 -----------------------------------------------------------------------------

inline __m128i load128(const std::uint8_t* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline void store128(std::uint8_t* p, __m128i v)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

void multiplySse2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b, std::size_t count)
{
    const __m128i zero = _mm_setzero_si128();
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i va = load128(a + i);
        const __m128i vb = load128(b + i);
        const __m128i lo = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero)), 8);
        const __m128i hi = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero)), 8);
        store128(d + i, _mm_packus_epi16(lo, hi));
    }
    multiplyTail(d, a, b, i, count);
}

void addClampedSse2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                    std::size_t count)
{
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16)
        store128(d + i, _mm_adds_epu8(load128(a + i), load128(b + i)));
    addTail(d, a, b, i, count);
}

void differenceSse2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                    std::size_t count)
{
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i va = load128(a + i);
        const __m128i vb = load128(b + i);
        store128(d + i, _mm_or_si128(_mm_subs_epu8(va, vb), _mm_subs_epu8(vb, va)));
    }
    differenceTail(d, a, b, i, count);
}

void alphaSse2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b, std::size_t count,
               int weight)
{
    // b + ((w × (a − b)) >> 8) with the shift flooring is (w × a + (256 − w) × b) >> 8.
    const __m128i zero = _mm_setzero_si128();
    const __m128i wa = _mm_set1_epi16(std::int16_t(weight));
    const __m128i wb = _mm_set1_epi16(std::int16_t(256 - weight));
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i va = load128(a + i);
        const __m128i vb = load128(b + i);
        const __m128i lo =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(va, zero), wa),
                                         _mm_mullo_epi16(_mm_unpacklo_epi8(vb, zero), wb)),
                           8);
        const __m128i hi =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(va, zero), wa),
                                         _mm_mullo_epi16(_mm_unpackhi_epi8(vb, zero), wb)),
                           8);
        store128(d + i, _mm_packus_epi16(lo, hi));
    }
    alphaTail(d, a, b, i, count, weight);
}

// ---- AVX2 -----------------------------------------------------------------------------

#define QUILLET_AVX2 __attribute__((target("avx2")))

QUILLET_AVX2 inline __m256i load256(const std::uint8_t* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

QUILLET_AVX2 inline void store256(std::uint8_t* p, __m256i v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

QUILLET_AVX2 void multiplyAvx2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                               std::size_t count)
{
    const __m256i zero = _mm256_setzero_si256();
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i va = load256(a + i);
        const __m256i vb = load256(b + i);
        // unpack and pack both work within 128-bit lanes, so the byte order survives.
        const __m256i lo = _mm256_srli_epi16(
            _mm256_mullo_epi16(_mm256_unpacklo_epi8(va, zero), _mm256_unpacklo_epi8(vb, zero)), 8);
        const __m256i hi = _mm256_srli_epi16(
            _mm256_mullo_epi16(_mm256_unpackhi_epi8(va, zero), _mm256_unpackhi_epi8(vb, zero)), 8);
        store256(d + i, _mm256_packus_epi16(lo, hi));
    }
    multiplyTail(d, a, b, i, count);
}

QUILLET_AVX2 void addClampedAvx2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                                 std::size_t count)
{
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32)
        store256(d + i, _mm256_adds_epu8(load256(a + i), load256(b + i)));
    addTail(d, a, b, i, count);
}

QUILLET_AVX2 void differenceAvx2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                                 std::size_t count)
{
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i va = load256(a + i);
        const __m256i vb = load256(b + i);
        store256(d + i, _mm256_or_si256(_mm256_subs_epu8(va, vb), _mm256_subs_epu8(vb, va)));
    }
    differenceTail(d, a, b, i, count);
}

QUILLET_AVX2 void alphaAvx2(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                            std::size_t count, int weight)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i wa = _mm256_set1_epi16(std::int16_t(weight));
    const __m256i wb = _mm256_set1_epi16(std::int16_t(256 - weight));
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i va = load256(a + i);
        const __m256i vb = load256(b + i);
        const __m256i lo = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(va, zero), wa),
                             _mm256_mullo_epi16(_mm256_unpacklo_epi8(vb, zero), wb)),
            8);
        const __m256i hi = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(va, zero), wa),
                             _mm256_mullo_epi16(_mm256_unpackhi_epi8(vb, zero), wb)),
            8);
        store256(d + i, _mm256_packus_epi16(lo, hi));
    }
    alphaTail(d, a, b, i, count, weight);
}

#undef QUILLET_AVX2

constexpr BlendKernels Sse2Kernels{multiplySse2, addClampedSse2, differenceSse2, alphaSse2};
constexpr BlendKernels Avx2Kernels{multiplyAvx2, addClampedAvx2, differenceAvx2, alphaAvx2};

} // namespace

const BlendKernels* sse2BlendKernels()
{
    return &Sse2Kernels;
}
const BlendKernels* avx2BlendKernels()
{
    return &Avx2Kernels;
}

#else

const BlendKernels* sse2BlendKernels()
{
    return nullptr;
}
const BlendKernels* avx2BlendKernels()
{
    return nullptr;
}

#endif

} // namespace Quillet
