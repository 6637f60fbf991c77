// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// A printer as the print loop sees it, and how one printer misplaces what it prints: the
// alignment page, and the calibration measured on it.

#include "core/app/PrinterCalibration.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>

class QPainter;

namespace Quillet {

/// What the device reports, in device pixels.
struct PrinterMetrics {
    QString name;
    int dpiX = 600; // horizontal resolution, dots per inch
    int dpiY = 600; // vertical resolution, dots per inch
    /// The printable area's corner from the sheet's corner, device pixels.
    QPoint printableOffset;
    /// The printable area, device pixels.
    QSize printableSize;
    bool portrait = true;
};

/// The alignment page for one sheet. Positions are millimetres from the sheet's top left
/// corner as the page reads (in landscape, the sheet turned so that its text is upright),
/// which is how prints in that orientation place pages, so the calibration measured on it
/// belongs to that orientation.
struct AlignmentPage {
    QSizeF sheetMm;       // width across, height down, as the page reads
    bool portrait = true; // the orientation it is printed in
    QPointF crossA;       // near the top left corner
    QPointF crossB;       // near the bottom right corner
};

/// The alignment page for the printer of `metrics` on a sheet of `sheetMm` (as the page
/// reads in the printer's orientation): cross A 30 mm in from the top left corner, cross B
/// 30 mm in from the bottom right one, clear of the rulers along the top and left edges.
/// Throws Error, with a message for the user, when the sheet is too small for the crosses
/// to stand 50 mm apart across and down (a side under 110 mm) or a cross would fall
/// outside the printable area.
AlignmentPage alignmentPage(const PrinterMetrics& metrics, QSizeF sheetMm);

/// The calibration from the alignment page: the crosses' true positions (mm from the
/// sheet's corner, as AlignmentPage gives them) and where the user measured them (mm).
/// Throws Error, with a message for the user, for measurements no printer gives: a value
/// that is not a finite number, crosses less than 50 mm apart in either direction, a scale
/// outside 0.8–1.2 or an offset beyond ±20 mm.
PrinterCalibration calibrationFromMeasurements(QPointF trueA, QPointF trueB, QPointF measuredA,
                                               QPointF measuredB);

/// Draws `page` on `painter`, whose (0, 0) is the printable area's corner of a device of
/// `metrics` (in the page's orientation): millimetre rulers along the sheet's top and left
/// edges (numbered every 10 mm), crosses A and B, the printer's name, resolution and
/// orientation, and what to measure. Positions are taken from the sheet's corner as a
/// direct print takes them (printable offset subtracted) and no calibration is applied, so
/// the page shows the printer's own error. What falls outside the printable area is simply
/// not printed. Leaves the painter's state as it found it. Throws Error for a resolution
/// no printer reports.
void drawAlignmentPage(QPainter& painter, const PrinterMetrics& metrics, const AlignmentPage& page);

/// Throws Error, with a message for the user, for a resolution no printer reports.
void checkPrinterMetrics(const PrinterMetrics& metrics);

} // namespace Quillet
