// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <cstddef>
#include <cstdint>

namespace Quillet {

/// Instruction-set variants of the per-byte blends; all give the same bytes.
enum class BlendIsa { Portable, Sse2, Avx2 };

using BlendRowFunction = void (*)(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                                  std::size_t count);
using BlendAlphaRowFunction = void (*)(std::uint8_t* d, const std::uint8_t* a,
                                       const std::uint8_t* b, std::size_t count, int weight);

/// Row kernels of one variant; d may equal a or b. The alpha kernel takes weights 0–255.
struct BlendKernels {
    BlendRowFunction multiply;
    BlendRowFunction addClamped;
    BlendRowFunction difference;
    BlendAlphaRowFunction alpha;
};

/// Kernels of a variant, or nullptr when this processor or build lacks it.
const BlendKernels* blendKernels(BlendIsa isa);

/// The variant the blends use: the widest the processor offers, chosen at start-up.
BlendIsa activeBlendIsa();

/// Makes isa the variant in use (tests run every variant); false when unavailable.
bool setActiveBlendIsa(BlendIsa isa);

// The vector kernels, defined in BlendSimd.cpp; null where the build has none.
const BlendKernels* sse2BlendKernels();
const BlendKernels* avx2BlendKernels();

} // namespace Quillet
