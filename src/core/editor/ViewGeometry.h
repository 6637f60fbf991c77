// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The page view's zoom and the arithmetic behind its rulers and readouts. View pixels are
// screen pixels; one page pixel is ViewScale view pixels.

#include "core/common/Geometry.h"

#include <QChar>
#include <QLocale>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace Quillet {

/// What the page view shows and how large: the page number and the zoom.
struct ViewState {
    /// The page shown; 0 is the layout view.
    int PageN = 0;
    /// Screen pixels per page pixel; no bound either way.
    double ViewScale = 1.0;
    /// The scale at which the page shows at its real size; 0 when never calibrated.
    double CalibratedScale = 0.0;
};

namespace ViewZoom {

/// The zoom step, an extended-precision constant; products are stored back as doubles.
inline constexpr long double Step = 1.2L;

/// The zoom the view accepts: beyond 16 screen pixels per page pixel an A4 page would
/// need views and rulers hundreds of thousands of pixels long; below 1/100 the page is a
/// speck. Not a number counts as 1.
inline constexpr double MinScale = 0.01;
inline constexpr double MaxScale = 16.0;
double bounded(double viewScale);

double zoomIn(double viewScale);
double zoomOut(double viewScale);

/// Fit: the smaller of (box width − 5) / page width and (box height − 5) / page height,
/// each computed as a double; the height ratio wins a tie. Page sides in page pixels,
/// at least 1.
double fitScale(QSize outerBox, int pageWidthPx, int pageHeightPx);

/// Physical size: the calibrated scale when there is one (not 0), else the screen's
/// pixels per inch over the raster's 300.
double physicalScale(double calibratedScale, double screenDpi);

/// Calibration: the user says how many centimetres the ruler's 10 really cover. Returns
/// the new scale 10 / value × viewScale, or std::nullopt when `entry` is not a decimal
/// number in `locale` or is not greater than 0.
std::optional<double> calibrate(double viewScale, const QString& entry, const QLocale& locale);

/// Size of the view for a page of the given page pixels: each side round(px × scale),
/// ties to even.
QSize viewSize(int pageWidthPx, int pageHeightPx, double viewScale);

/// The zoom readout: viewScale × 100 as "0.00" followed by "%", with `decimalPoint`
/// as the decimal mark ("100,00%").
QString zoomReadout(double viewScale, QChar decimalPoint);

/// Millimetres under view coordinate `viewPx`: viewPx / viewScale × MmPerPixel.
long double viewToMm(int viewPx, double viewScale);

/// The pointer readout for one axis: viewToMm as "0000.00" ("0008,47" for 100 view
/// pixels at scale 1 with a decimal comma).
QString pointerReadout(int viewPx, double viewScale, QChar decimalPoint);

/// Ruler positions, in view pixels from the page's top-left corner, of the centimetre
/// ticks n = 0, 1, 2, …: round(10·n × viewScale / MmPerPixel), up to but excluding the
/// first at or beyond `extent`. A scale that does not advance (0, negative, not a
/// number) gives only the tick at 0, when 0 lies before `extent`.
std::vector<int> rulerTicks(double viewScale, int extent);

/// Room for a ruler label: round(10 × viewScale / MmPerPixel − 2), the tick spacing
/// less 2 pixels. A label is drawn only when its extent along the ruler is below this.
long long rulerLabelRoom(double viewScale);

} // namespace ViewZoom
} // namespace Quillet
