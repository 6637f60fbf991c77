// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/PrintJob.h"

#include "core/common/Numbers.h"

#include <QPainter>

namespace Quillet {

bool PrinterCalibration::isIdentity() const
{
    return offsetXMm == 0 && offsetYMm == 0 && scaleX == 1 && scaleY == 1;
}

QPointF alignmentCrossA()
{
    return {20, 20};
}

QPointF alignmentCrossB()
{
    return {180, 260};
}

PrinterCalibration calibrationFromMeasurements(QPointF, QPointF, QPointF, QPointF)
{
    return {};
}

void drawAlignmentPage(QPainter&, const PrinterMetrics&) {}

OrientationAdvice orientationAdvice(QSize pageSize, bool portrait)
{
    if (pageSize.height() < pageSize.width() && portrait)
        return OrientationAdvice::Landscape;
    if (pageSize.width() < pageSize.height() && !portrait)
        return OrientationAdvice::Portrait;
    return OrientationAdvice::None;
}

QString orientationQuestion(OrientationAdvice)
{
    return {};
}

QString printJobTitle(const QString& projectPath, int position)
{
    return projectPath + Numbers::formatInt(position, 3);
}

bool printsDirectly(const PrinterMetrics& metrics, bool asImage)
{
    return metrics.dpiX == metrics.dpiY && !asImage;
}

PrintResult printPages(const PrintRequest&, PrintDevice&, const PrintProgress&)
{
    return {};
}

} // namespace Quillet
