// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/Calibration.h"

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace Quillet {
namespace {

constexpr double kMinCrossDistanceMm = 50;
// Crosses stand this far in from the corners: clear of the rulers' ticks and numbers,
// which take the first 18 mm of the top and left edges, and of the usual unprintable
// margins at the others.
constexpr double kCrossInsetMm = 30;
constexpr double kCrossArmMm = 6;

// Where a millimetre from the sheet's corner falls on a device drawing from the printable
// area's corner, as a direct print puts it.
QPointF devicePoint(const PrinterMetrics& m, double xMm, double yMm)
{
    return {xMm / 25.4 * m.dpiX - m.printableOffset.x(),
            yMm / 25.4 * m.dpiY - m.printableOffset.y()};
}

void drawRulers(QPainter& painter, const PrinterMetrics& m, QSizeF sheetMm, const QFont& font)
{
    const double sheetWidthMm = sheetMm.width();
    const double sheetHeightMm = sheetMm.height();
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
    constexpr double arm = kCrossArmMm;
    painter.drawLine(devicePoint(m, mm.x() - arm, mm.y()), devicePoint(m, mm.x() + arm, mm.y()));
    painter.drawLine(devicePoint(m, mm.x(), mm.y() - arm), devicePoint(m, mm.x(), mm.y() + arm));
    // Below the cross, clear of the arms where the user lays the ruler, and inside the
    // sheet for a cross near its right edge.
    const QPointF at = devicePoint(m, mm.x() - arm, mm.y() + arm + 6);
    painter.drawText(at, QCoreApplication::translate("Quillet::Calibration", "%1 (%2; %3 мм)")
                             .arg(name)
                             .arg(mm.x())
                             .arg(mm.y()));
}

// The page's text, between the crosses: as large as 11 pt where the sheet has room,
// smaller on a small sheet, so that it keeps clear of cross B and of the sheet's edge.
void drawInstructions(QPainter& painter, const PrinterMetrics& m, const AlignmentPage& page,
                      QFont font)
{
    const QStringList lines{
        QCoreApplication::translate("Quillet::Calibration", "Калибровочная страница"),
        QCoreApplication::translate("Quillet::Calibration", "Принтер: %1").arg(m.name),
        QCoreApplication::translate("Quillet::Calibration", "Разрешение: %1 × %2 точек на дюйм")
            .arg(m.dpiX)
            .arg(m.dpiY),
        page.portrait
            ? QCoreApplication::translate("Quillet::Calibration", "Ориентация листа: книжная")
            : QCoreApplication::translate("Quillet::Calibration", "Ориентация листа: альбомная"),
        QCoreApplication::translate("Quillet::Calibration",
                                    "Держите лист так, чтобы этот текст читался."),
        QCoreApplication::translate("Quillet::Calibration",
                                    "Измерьте линейкой расстояния от левого и от верхнего"),
        QCoreApplication::translate("Quillet::Calibration", "края листа до центров крестов A и B"),
        QCoreApplication::translate("Quillet::Calibration", "и введите их в окне калибровки."),
    };
    const QPointF topLeft(page.crossA.x() + 5, page.crossA.y() + 22);
    const double widthMm = page.sheetMm.width() - 12 - topLeft.x();
    const double heightMm = page.crossB.y() - kCrossArmMm - 4 - topLeft.y();
    const double pxPerMmY = m.dpiY / 25.4;
    font.setPixelSize(std::max(1, int(std::lround(11.0 / 72 * m.dpiY))));
    painter.setFont(font);
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, painter.fontMetrics().horizontalAdvance(line) * 25.4 / m.dpiX);
    const double lineMm = painter.fontMetrics().lineSpacing() / pxPerMmY;
    const double shrink = std::min({1.0, widthMm / widest, heightMm / (lineMm * lines.size())});
    if (shrink < 1) {
        font.setPixelSize(std::max(1, int(font.pixelSize() * shrink)));
        painter.setFont(font);
    }
    const double stepMm = painter.fontMetrics().lineSpacing() / pxPerMmY;
    const double ascentMm = painter.fontMetrics().ascent() / pxPerMmY;
    for (int k = 0; k < int(lines.size()); ++k) {
        painter.drawText(devicePoint(m, topLeft.x(), topLeft.y() + ascentMm + k * stepMm),
                         lines[k]);
    }
}

} // namespace

void checkPrinterMetrics(const PrinterMetrics& m)
{
    if (m.dpiX <= 0 || m.dpiY <= 0 || m.dpiX > 100000 || m.dpiY > 100000) {
        throw Error(
            QCoreApplication::translate("Quillet::Calibration",
                                        "Принтер «%1» сообщил недопустимое разрешение %2 × %3 "
                                        "точек на дюйм.")
                .arg(m.name)
                .arg(m.dpiX)
                .arg(m.dpiY));
    }
}

AlignmentPage alignmentPage(const PrinterMetrics& metrics, QSizeF sheetMm)
{
    checkPrinterMetrics(metrics);
    const double span = 2 * kCrossInsetMm + kMinCrossDistanceMm;
    if (!(sheetMm.width() >= span && sheetMm.height() >= span)) {
        throw Error(
            QCoreApplication::translate("Quillet::Calibration",
                                        "Лист %1 × %2 мм слишком мал для калибровочной страницы: "
                                        "её кресты должны стоять в %3 мм от углов и не ближе %4 мм "
                                        "друг к другу, для этого нужен лист не меньше %5 × %5 мм.")
                .arg(sheetMm.width(), 0, 'f', 0)
                .arg(sheetMm.height(), 0, 'f', 0)
                .arg(kCrossInsetMm)
                .arg(kMinCrossDistanceMm)
                .arg(span));
    }
    AlignmentPage page;
    page.sheetMm = sheetMm;
    page.portrait = metrics.portrait;
    page.crossA = QPointF(kCrossInsetMm, kCrossInsetMm);
    // In tenths, as the user reads a ruler: paper sizes in millimetres come with fractions.
    const auto tenths = [](double mm) { return std::round(mm * 10) / 10; };
    page.crossB =
        QPointF(tenths(sheetMm.width() - kCrossInsetMm), tenths(sheetMm.height() - kCrossInsetMm));
    // A cross the printer cannot print cannot be measured.
    const QRectF printable(QPointF(0, 0), QSizeF(metrics.printableSize));
    const char* names[2] = {"A", "B"};
    const QPointF crosses[2] = {page.crossA, page.crossB};
    for (int k = 0; k < 2; ++k) {
        const QPointF c = crosses[k];
        const QRectF cross(devicePoint(metrics, c.x() - kCrossArmMm, c.y() - kCrossArmMm),
                           devicePoint(metrics, c.x() + kCrossArmMm, c.y() + kCrossArmMm));
        if (!printable.contains(cross)) {
            throw Error(QCoreApplication::translate(
                            "Quillet::Calibration",
                            "Крест %1 калибровочной страницы (%2; %3 мм) не попадает "
                            "в область печати принтера «%4»: у него слишком широкие "
                            "поля для листа %5 × %6 мм.")
                            .arg(QLatin1String(names[k]))
                            .arg(c.x())
                            .arg(c.y())
                            .arg(metrics.name)
                            .arg(sheetMm.width(), 0, 'f', 0)
                            .arg(sheetMm.height(), 0, 'f', 0));
        }
    }
    return page;
}

PrinterCalibration calibrationFromMeasurements(QPointF trueA, QPointF trueB, QPointF measuredA,
                                               QPointF measuredB)
{
    for (const QPointF& p : {trueA, trueB, measuredA, measuredB}) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            throw Error(QCoreApplication::translate(
                "Quillet::Calibration", "Измерения должны быть числами в миллиметрах."));
    }
    const double spanX = trueB.x() - trueA.x();
    const double spanY = trueB.y() - trueA.y();
    if (std::fabs(spanX) < kMinCrossDistanceMm || std::fabs(spanY) < kMinCrossDistanceMm) {
        throw Error(QCoreApplication::translate(
                        "Quillet::Calibration",
                        "Кресты калибровочной страницы должны отстоять друг от друга "
                        "не меньше чем на %1 мм по каждой оси.")
                        .arg(kMinCrossDistanceMm));
    }
    PrinterCalibration c;
    c.scaleX = (measuredB.x() - measuredA.x()) / spanX;
    c.scaleY = (measuredB.y() - measuredA.y()) / spanY;
    c.offsetXMm = measuredA.x() - trueA.x() * c.scaleX;
    c.offsetYMm = measuredA.y() - trueA.y() * c.scaleY;
    if (!c.isPlausible()) {
        throw Error(
            QCoreApplication::translate("Quillet::Calibration",
                                        "Такие измерения не похожи на отпечаток принтера: масштаб "
                                        "должен быть от %1 до %2, а сдвиг — не больше %3 мм. "
                                        "Проверьте, что расстояния измерены от левого и верхнего "
                                        "краёв листа до центров крестов A и B.")
                .arg(PrinterCalibration::MinScale)
                .arg(PrinterCalibration::MaxScale)
                .arg(PrinterCalibration::MaxOffsetMm));
    }
    return c;
}

void drawAlignmentPage(QPainter& painter, const PrinterMetrics& metrics, const AlignmentPage& page)
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
    drawRulers(painter, metrics, page.sheetMm, font);
    drawCross(painter, metrics, page.crossA, QStringLiteral("A"));
    drawCross(painter, metrics, page.crossB, QStringLiteral("B"));
    drawInstructions(painter, metrics, page, font);
    painter.restore();
}

} // namespace Quillet
