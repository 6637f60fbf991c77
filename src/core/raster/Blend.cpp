// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/BlendKernels.h"
#include "core/raster/CpuFeatures.h"
#include "core/raster/FastDIB.h"

#include <algorithm>

namespace Quillet {

namespace {

void multiplyPortable(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                      std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        d[i] = std::uint8_t((unsigned(a[i]) * b[i]) >> 8);
}

void addClampedPortable(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                        std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        d[i] = std::uint8_t(std::min(255u, unsigned(a[i]) + b[i]));
}

void differencePortable(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                        std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        d[i] = std::uint8_t(a[i] > b[i] ? a[i] - b[i] : b[i] - a[i]);
}

void alphaPortable(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b, std::size_t count,
                   int weight)
{
    for (std::size_t i = 0; i < count; ++i)
        d[i] = std::uint8_t(b[i] + ((weight * (int(a[i]) - int(b[i]))) >> 8));
}

constexpr BlendKernels PortableKernels{multiplyPortable, addClampedPortable, differencePortable,
                                       alphaPortable};

BlendIsa widestIsa()
{
    if (cpuHasAvx2() && avx2BlendKernels() != nullptr)
        return BlendIsa::Avx2;
    if (sse2BlendKernels() != nullptr)
        return BlendIsa::Sse2;
    return BlendIsa::Portable;
}

// Chosen once, before main, so no blend ever asks the processor again.
BlendIsa g_activeIsa = widestIsa();

bool blendable(const TFastDIB& d, const TFastDIB& a, const TFastDIB& b)
{
    const int bits = d.bitsPerPixel();
    return !d.isEmpty() && !a.isEmpty() && !b.isEmpty() && a.bitsPerPixel() == bits
           && b.bitsPerPixel() == bits && (bits == 8 || bits == 24 || bits == 32);
}

template <typename Kernel>
void blendRasters(TFastDIB& d, const TFastDIB& a, const TFastDIB& b, Kernel kernel)
{
    if (!blendable(d, a, b))
        return;
    const int rows = std::min({d.absHeight(), a.absHeight(), b.absHeight()});
    const auto bytes =
        std::size_t(std::min({d.stride() - d.gap(), a.stride() - a.gap(), b.stride() - b.gap()}));
    for (int r = 0; r < rows; ++r)
        kernel(d.scanLine(r), a.scanLine(r), b.scanLine(r), bytes);
}

const BlendKernels& active()
{
    return *blendKernels(g_activeIsa);
}

} // namespace

const BlendKernels* blendKernels(BlendIsa isa)
{
    switch (isa) {
    case BlendIsa::Portable:
        return &PortableKernels;
    case BlendIsa::Sse2:
        return sse2BlendKernels();
    case BlendIsa::Avx2:
        return cpuHasAvx2() ? avx2BlendKernels() : nullptr;
    }
    return nullptr;
}

BlendIsa activeBlendIsa()
{
    return g_activeIsa;
}

bool setActiveBlendIsa(BlendIsa isa)
{
    if (blendKernels(isa) == nullptr)
        return false;
    g_activeIsa = isa;
    return true;
}

void BlendMultiply(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b)
{
    blendRasters(destination, a, b, active().multiply);
}

void BlendAddClamped(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b)
{
    blendRasters(destination, a, b, active().addClamped);
}

void BlendDifference(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b)
{
    blendRasters(destination, a, b, active().difference);
}

void BlendAlpha(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b, int weight)
{
    // The vector kernels hold their products in 16 bits, true for weights 0–255 only.
    const BlendAlphaRowFunction kernel =
        weight >= 0 && weight <= 255 ? active().alpha : PortableKernels.alpha;
    blendRasters(destination, a, b,
                 [&](std::uint8_t* d, const std::uint8_t* pa, const std::uint8_t* pb,
                     std::size_t count) { kernel(d, pa, pb, count, weight); });
}

} // namespace Quillet
