// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/Calibration.h"

#include "core/common/Errors.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace Quillet {
namespace {

constexpr double kMinScale = 0.8;
constexpr double kMaxScale = 1.2;
constexpr double kMaxOffsetMm = 20;
constexpr double kMinCrossDistanceMm = 50;

// Where a millimetre from the sheet's corner falls on a device drawing from the printable
// area's corner, as a direct print puts it.
QPointF devicePoint(const PrinterMetrics& m, double xMm, double yMm)
{
    return {xMm / 25.4 * m.dpiX - m.printableOffset.x(),
            yMm / 25.4 * m.dpiY - m.printableOffset.y()};
}

void drawRulers(QPainter& painter, const PrinterMetrics& m, const QFont& font)
{
    const double sheetWidthMm = (m.printableOffset.x() + m.printableSize.width()) * 25.4 / m.dpiX;
    const double sheetHeightMm = (m.printableOffset.y() + m.printableSize.height()) * 25.4 / m.dpiY;
    painter.setFont(font);
    // Long ticks: the first millimetres of the sheet usually do not print, and the part
    // of a tick that does still shows where it stands.
    const auto tickLength = [](int mm) { return mm % 10 == 0 ? 14.0 : mm % 5 == 0 ? 11.0 : 8.0; };
    for (int mm = 1; mm < sheetWidthMm; ++mm) {
        painter.drawLine(devicePoint(m, mm, 0), devicePoint(m, mm, tickLength(mm)));
        if (mm % 10 == 0 && mm > 20) {
            const QPointF at = devicePoint(m, mm + 0.5, 18);
            painter.drawText(at, QString::number(mm));
        }
    }
    for (int mm = 1; mm < sheetHeightMm; ++mm) {
        painter.drawLine(devicePoint(m, 0, mm), devicePoint(m, tickLength(mm), mm));
        if (mm % 10 == 0 && mm > 20) {
            const QPointF at = devicePoint(m, 15.5, mm - 0.5);
            painter.drawText(at, QString::number(mm));
        }
    }
}

void drawCross(QPainter& painter, const PrinterMetrics& m, QPointF mm, const QString& name)
{
    constexpr double arm = 6;
    painter.drawLine(devicePoint(m, mm.x() - arm, mm.y()), devicePoint(m, mm.x() + arm, mm.y()));
    painter.drawLine(devicePoint(m, mm.x(), mm.y() - arm), devicePoint(m, mm.x(), mm.y() + arm));
    // Below the cross, clear of the arms where the user lays the ruler, and inside the
    // sheet for a cross near its right edge.
    const QPointF at = devicePoint(m, mm.x() - arm, mm.y() + arm + 6);
    painter.drawText(at, QStringLiteral("%1 (%2; %3 мм)").arg(name).arg(mm.x()).arg(mm.y()));
}

} // namespace

void checkPrinterMetrics(const PrinterMetrics& m)
{
    if (m.dpiX <= 0 || m.dpiY <= 0 || m.dpiX > 100000 || m.dpiY > 100000) {
        throw Error(QStringLiteral("Принтер «%1» сообщил недопустимое разрешение %2 × %3 "
                                   "точек на дюйм.")
                        .arg(m.name)
                        .arg(m.dpiX)
                        .arg(m.dpiY));
    }
}

bool PrinterCalibration::isIdentity() const
{
    return offsetXMm == 0 && offsetYMm == 0 && scaleX == 1 && scaleY == 1;
}

bool PrinterCalibration::isPlausible() const
{
    const auto scaleOk = [](double s) { return s >= kMinScale && s <= kMaxScale; };
    const auto offsetOk = [](double o) { return std::fabs(o) <= kMaxOffsetMm; };
    // The comparisons are false for NaN, so NaN is refused too.
    return scaleOk(scaleX) && scaleOk(scaleY) && offsetOk(offsetXMm) && offsetOk(offsetYMm);
}

// Clear of the rulers' ticks and numbers, which take the first 18 mm of each edge.
QPointF alignmentCrossA()
{
    return {30, 30};
}

QPointF alignmentCrossB()
{
    return {180, 260};
}

PrinterCalibration calibrationFromMeasurements(QPointF trueA, QPointF trueB, QPointF measuredA,
                                               QPointF measuredB)
{
    for (const QPointF& p : {trueA, trueB, measuredA, measuredB}) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            throw Error(QStringLiteral("Измерения должны быть числами в миллиметрах."));
    }
    const double spanX = trueB.x() - trueA.x();
    const double spanY = trueB.y() - trueA.y();
    if (std::fabs(spanX) < kMinCrossDistanceMm || std::fabs(spanY) < kMinCrossDistanceMm) {
        throw Error(QStringLiteral("Кресты калибровочной страницы должны отстоять друг от друга "
                                   "не меньше чем на %1 мм по каждой оси.")
                        .arg(kMinCrossDistanceMm));
    }
    PrinterCalibration c;
    c.scaleX = (measuredB.x() - measuredA.x()) / spanX;
    c.scaleY = (measuredB.y() - measuredA.y()) / spanY;
    c.offsetXMm = measuredA.x() - trueA.x() * c.scaleX;
    c.offsetYMm = measuredA.y() - trueA.y() * c.scaleY;
    if (!c.isPlausible()) {
        throw Error(QStringLiteral("Такие измерения не похожи на отпечаток принтера: масштаб "
                                   "должен быть от %1 до %2, а сдвиг — не больше %3 мм. "
                                   "Проверьте, что расстояния измерены от левого и верхнего "
                                   "краёв листа до центров крестов A и B.")
                        .arg(kMinScale)
                        .arg(kMaxScale)
                        .arg(kMaxOffsetMm));
    }
    return c;
}

void drawAlignmentPage(QPainter& painter, const PrinterMetrics& metrics)
{
    checkPrinterMetrics(metrics);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), metrics.printableSize), Qt::white);
    QPen pen(Qt::black);
    pen.setWidthF(0.15 / 25.4 * metrics.dpiX); // 0.15 mm: thin enough to measure to a tenth
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, int(std::lround(9.0 / 72 * metrics.dpiY))));
    drawRulers(painter, metrics, font);
    drawCross(painter, metrics, alignmentCrossA(), QStringLiteral("A"));
    drawCross(painter, metrics, alignmentCrossB(), QStringLiteral("B"));
    font.setPixelSize(std::max(1, int(std::lround(11.0 / 72 * metrics.dpiY))));
    painter.setFont(font);
    const QStringList lines{
        QStringLiteral("Калибровочная страница"),
        QStringLiteral("Принтер: %1").arg(metrics.name),
        QStringLiteral("Разрешение: %1 × %2 точек на дюйм").arg(metrics.dpiX).arg(metrics.dpiY),
        QStringLiteral("Измерьте линейкой расстояния от левого и от верхнего края листа"),
        QStringLiteral("до центров крестов A и B и введите их в окне калибровки."),
        QStringLiteral("Лист печатается в книжной ориентации, без масштабирования."),
    };
    for (int k = 0; k < int(lines.size()); ++k)
        painter.drawText(devicePoint(metrics, 35, 60 + 7 * k), lines[k]);
    painter.restore();
}

} // namespace Quillet
