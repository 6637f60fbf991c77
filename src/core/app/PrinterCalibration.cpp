// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/PrinterCalibration.h"

#include <cmath>

namespace Quillet {

bool PrinterCalibration::isIdentity() const
{
    return offsetXMm == 0 && offsetYMm == 0 && scaleX == 1 && scaleY == 1;
}

bool PrinterCalibration::isPlausible() const
{
    const auto scaleOk = [](double s) { return s >= MinScale && s <= MaxScale; };
    const auto offsetOk = [](double o) { return std::fabs(o) <= MaxOffsetMm; };
    // The comparisons are false for NaN, so NaN is refused too.
    return scaleOk(scaleX) && scaleOk(scaleY) && offsetOk(offsetXMm) && offsetOk(offsetYMm);
}

} // namespace Quillet
