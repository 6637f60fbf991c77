// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/FastDIB.h"
#include "core/raster/RotateKernels.h"

namespace Quillet {

int turnSmoothRowAvx2(const TFastDIB&, TFastDIB&, int, std::uint32_t, std::uint32_t,
                      std::uint32_t, std::uint32_t)
{
    return 0;
}

} // namespace Quillet
