// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Checking prints: the PDF the program sends to a printer or writes into a file, read
// through poppler as a printer's interpreter would, and held against the rendered page.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace QuilletTest {

/// The text of every page of the PDF document `pdf`, in page order; empty when the data
/// is no PDF.
QStringList pdfPageTexts(const QByteArray& pdf);

/// Page `index` (from 0) of the PDF document `pdf` rasterised at `dpi` with anti-aliasing
/// on `paper`, Format_RGB32; a null image when the data is no PDF or has no such page.
QImage pdfPageImage(const QByteArray& pdf, int index, double dpi, const QColor& paper = Qt::white);

/// Where two rasters of a page at one resolution have their marks. A dark pixel of one
/// counts as in place when the other has ink, even light, within one pixel around it, so
/// anti-aliasing that differs between resolutions passes and a mark moved by two pixels
/// does not. The rasters are compared over the area they share.
struct MarkComparison {
    qint64 expectedMarks = 0; // dark pixels of the expected raster
    qint64 missing = 0;       // of them, with no ink near in the actual one
    qint64 actualMarks = 0;
    qint64 extra = 0; // dark pixels of the actual raster with no ink near
    /// True when at most one mark in 5,000 strays on either side: arcs of rounded shapes,
    /// whose radii round to whole pixels at each resolution, stray at a few points, while
    /// a page misplaced or misscaled strays everywhere.
    bool linesUp() const;
    QString describe() const;
};
MarkComparison compareMarks(const QImage& expected, const QImage& actual);

/// Writes into `folder` the bundled demo project with its workbook and picture, every
/// text of it set in `points`, and returns the project's path (demo<points>.qlet). Throws
/// Quillet::Error when it cannot.
QString demoWithFontSize(const QString& folder, int points);

} // namespace QuilletTest
