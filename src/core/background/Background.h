// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The processed background (`ShownBackground`): the stored background turned by the
// rotation angle, scaled to the background size, framed or cropped by the margins, on
// white, at a given resolution.

#include "core/common/Geometry.h"

#include <QByteArray>
#include <QImage>

namespace Quillet {

struct ProjectSettings;

/// `RebuildBackground`: makes the processed background from the JPEG data `background`
/// and the size, margin and angle settings at `mmPerPixel`. Returns a null image when
/// there is no background (or it does not decode), and a white or empty image as the
/// geometry gives it. Format_RGB888.
QImage RebuildBackground(const QByteArray& background, const ProjectSettings& settings,
                         long double mmPerPixel = MmPerPixel);

} // namespace Quillet
