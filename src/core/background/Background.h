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

/// True when `background` holds a JPEG whose header gives a picture of non-zero width
/// and height; only then does RebuildBackground make anything.
bool hasBackground(const QByteArray& background);

/// `RebuildBackground`: makes the processed background from the JPEG data `background`
/// and the size, margin and angle settings at `mmPerPixel`, pixel for pixel as the
/// raster operations give it. Returns Format_RGB888, holding the working raster's memory
/// itself (no copy of the result is ever made):
/// - a null image when there is no background (hasBackground() is false) or when the
///   outer size is 0 (or negative) pixels either way;
/// - a white image of the outer size when the inner size (size minus margins) is 0 or
///   less either way.
/// Throws Error, with every working raster released, when the data has a header but does
/// not decode, when the angle or a length is not a finite number of sane size (beyond
/// 10⁹ pixels, or 10¹⁴ degrees), or when a raster of the resulting size cannot be
/// allocated or resampled (sides of 32768 pixels or more).
QImage RebuildBackground(const QByteArray& background, const ProjectSettings& settings,
                         long double mmPerPixel = MmPerPixel);

/// RebuildBackground from a picture already decoded (a background that holds a bitmap,
/// such as one just inverted): the same steps and failures, a null image for a null
/// picture.
QImage RebuildBackground(const QImage& picture, const ProjectSettings& settings,
                         long double mmPerPixel = MmPerPixel);

/// Width and height in pixels of the background turned by `degrees` as
/// TFastDIB::SizeForRotation gives them (the sizes the angle edit works with); (0, 0)
/// for a picture of 0 pixels.
QSize turnedSize(QSize picture, double degrees);

} // namespace Quillet
