// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/editor/ViewGeometry.h"

#include "core/common/Numbers.h"

#include <algorithm>
#include <cmath>

namespace Quillet::ViewZoom {
namespace {

// Readouts come from the file-format writer, which always writes a comma.
QString withDecimalPoint(QString text, QChar decimalPoint)
{
    text.replace(QLatin1Char(','), decimalPoint);
    return text;
}

} // namespace

double bounded(double viewScale)
{
    if (std::isnan(viewScale))
        return 1.0;
    return std::clamp(viewScale, MinScale, MaxScale);
}

double zoomIn(double viewScale)
{
    return static_cast<double>(viewScale * Step);
}

double zoomOut(double viewScale)
{
    return static_cast<double>(viewScale / Step);
}

double fitScale(QSize outerBox, int pageWidthPx, int pageHeightPx)
{
    const double byWidth = static_cast<double>(outerBox.width() - 5) / std::max(pageWidthPx, 1);
    const double byHeight = static_cast<double>(outerBox.height() - 5) / std::max(pageHeightPx, 1);
    return byWidth >= byHeight ? byHeight : byWidth;
}

double physicalScale(double calibratedScale, double screenDpi)
{
    if (calibratedScale != 0.0)
        return calibratedScale;
    return screenDpi / 300.0;
}

std::optional<double> calibrate(double viewScale, const QString& entry, const QLocale& locale)
{
    bool ok = false;
    const double value = locale.toDouble(entry.trimmed(), &ok);
    if (!ok || !(value > 0.0) || !std::isfinite(value))
        return std::nullopt;
    return 10.0 / value * viewScale;
}

QSize viewSize(int pageWidthPx, int pageHeightPx, double viewScale)
{
    const auto side = [viewScale](int px) {
        return static_cast<int>(
            roundHalfEven(static_cast<long double>(px) * static_cast<long double>(viewScale)));
    };
    return QSize(side(pageWidthPx), side(pageHeightPx));
}

QString zoomReadout(double viewScale, QChar decimalPoint)
{
    return withDecimalPoint(Numbers::formatFixed(viewScale * 100.0L, 1, 2), decimalPoint)
           + QLatin1Char('%');
}

long double viewToMm(int viewPx, double viewScale)
{
    return static_cast<long double>(viewPx) / viewScale * MmPerPixel;
}

QString pointerReadout(int viewPx, double viewScale, QChar decimalPoint)
{
    return withDecimalPoint(Numbers::formatFixed(viewToMm(viewPx, viewScale), 4, 2), decimalPoint);
}

std::vector<int> rulerTicks(double viewScale, int extent)
{
    std::vector<int> ticks;
    const long double step = 10.0L * viewScale / MmPerPixel;
    if (!(step > 0.0L)) {
        if (extent > 0)
            ticks.push_back(0);
        return ticks;
    }
    if (step < 1.0L) {
        // Ticks closer than a pixel land on every pixel; walking n would take forever
        // at a tiny scale.
        for (int position = 0; position < extent; ++position)
            ticks.push_back(position);
        return ticks;
    }
    for (long long n = 0;; ++n) {
        const long long position = roundHalfEven(10.0L * n * viewScale / MmPerPixel);
        if (position >= extent)
            break;
        ticks.push_back(static_cast<int>(position));
    }
    return ticks;
}

long long rulerLabelRoom(double viewScale)
{
    return roundHalfEven(10.0L * viewScale / MmPerPixel - 2.0L);
}

} // namespace Quillet::ViewZoom
