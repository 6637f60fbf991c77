// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Printing pages onto pre-printed forms: one job per page, so that a millimetre of the page
// lands on the same millimetre of the sheet measured from the sheet's physical corner.
// The printer itself sits behind PrintDevice (QPrinter lives in the GUI, a raster device
// in the tests); everything here is arithmetic and the loop over the pages.

#include "core/common/Errors.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;

namespace Quillet {

class Project;
class Workbook;

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

/// How one printer misplaces what it prints, measured on the alignment page. A point meant
/// at p mm from the sheet's corner lands at p·scale + offset.
struct PrinterCalibration {
    double offsetXMm = 0; // how far the print lands right of where it should, mm
    double offsetYMm = 0; // how far the print lands below where it should, mm
    double scaleX = 1;    // printed length / true length across
    double scaleY = 1;    // printed length / true length down
    /// True when printing with it is exactly printing without it.
    bool isIdentity() const;
    /// True when every value is a finite number a real printer can give: scales within
    /// 0.8–1.2, offsets within ±20 mm.
    bool isPlausible() const;
    bool operator==(const PrinterCalibration&) const = default;
};

/// The alignment page's crosses, mm from the sheet's corner; both lie inside A4 and Letter
/// and well inside the usual printable margins.
QPointF alignmentCrossA();
QPointF alignmentCrossB();

/// The calibration from the alignment page: the crosses' true positions (mm from the
/// sheet's corner, as drawAlignmentPage puts them) and where the user measured them (mm).
/// Throws Error, with a message for the user, for measurements no printer gives: a value
/// that is not a finite number, crosses less than 50 mm apart in either direction, a scale
/// outside 0.8–1.2 or an offset beyond ±20 mm.
PrinterCalibration calibrationFromMeasurements(QPointF trueA, QPointF trueB, QPointF measuredA,
                                               QPointF measuredB);

/// Draws the alignment page on `painter`, whose (0, 0) is the printable area's corner of a
/// device of `metrics`: millimetre rulers along the sheet's top and left edges (numbered
/// every 10 mm), a cross at alignmentCrossA() and alignmentCrossB() mm from the sheet's
/// corner, and the printer's name and resolution. Positions are taken from the sheet's
/// corner as a direct print takes them (printable offset subtracted) and no calibration is
/// applied, so the page shows the printer's own error. What falls outside the printable
/// area is simply not printed. Leaves the painter's state as it found it.
void drawAlignmentPage(QPainter& painter, const PrinterMetrics& metrics);

/// The question to ask before printing a page raster of `pageSize` on a printer set to
/// `portrait`: Landscape for a wide page on a portrait printer, Portrait for a tall page on
/// a landscape printer, None otherwise (square pages included). The window asks it; the
/// command line never does.
enum class OrientationAdvice { None, Landscape, Portrait };
OrientationAdvice orientationAdvice(QSize pageSize, bool portrait);

/// The question's text: its two sentences joined by a line feed and a carriage return;
/// empty for None.
QString orientationQuestion(OrientationAdvice advice);

/// The title of the job at `position` (from 0) of the ascending page list: the project's
/// path followed by the position written with at least three digits.
QString printJobTitle(const QString& projectPath, int position);

/// One printer as the print loop uses it: a QPrinter, a PDF file, or a raster in tests.
/// Every call but abortJob may throw Error.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    /// The device as it is set now (resolution, printable area, orientation).
    virtual PrinterMetrics metrics() const = 0;
    /// Starts a job titled `title`; `copies` above 0 sets the job's copy count, 0 leaves
    /// the count the device already holds.
    virtual void beginJob(const QString& title, int copies) = 0;
    /// The painter of the job under way, its (0, 0) at the printable area's corner and one
    /// unit per device pixel; valid between beginJob and endJob.
    virtual QPainter& painter() = 0;
    /// Finishes the job under way (it is spooled).
    virtual void endJob() = 0;
    /// Drops the job under way after a failure (called only when beginJob returned and
    /// endJob did not), so that no half-drawn page reaches a form; never throws. The default
    /// does nothing: the device then decides what becomes of the job.
    virtual void abortJob() noexcept {}
};

struct PrintRequest {
    const Project* project = nullptr;
    QString projectPath; // job titles; image fields named without a folder sit beside it
    const Workbook* workbook = nullptr;
    std::vector<int> pages;     // ascending page numbers
    bool reverse = false;       // `Reverce`: last page first
    int copies = 1;             // `NCopies`: copies per job, direct printing only
    bool asImage = false;       // `PrintAsImg`: print pictures even where direct would do
    bool withBackground = true; // `WithBack`
    PrinterCalibration calibration;
};

/// A print that failed part-way: the device's or the renderer's message as it stands, and
/// how many jobs had ended (and stay spooled) before it.
class PrintError : public Error {
public:
    PrintError(const QString& message, int jobsEnded) : Error(message), m_jobsEnded(jobsEnded) {}
    int jobsEnded() const { return m_jobsEnded; }

private:
    int m_jobsEnded = 0;
};

struct PrintResult {
    int jobs = 0;           // jobs ended (spooled)
    bool cancelled = false; // the progress callback stopped the print before the last page
    QStringList errorLines; // the render's error-list lines, job by job
};

/// Progress: called on the calling thread at each step of each job with the step and the
/// maximum (3n − 1 printing directly, 4n − 1 printing pictures, for n pages); returning
/// false stops the print once the current job has ended.
using PrintProgress = std::function<bool(int step, int maximum)>;

/// True when pages for `metrics` print directly (the renderer drawing on the printer):
/// equal resolutions across and down and no request for pictures.
bool printsDirectly(const PrinterMetrics& metrics, bool asImage);

/// Prints the request's pages on `device`, one job per page in the list's order (reversed
/// for `reverse`), titled printJobTitle(projectPath, position in the ascending list).
/// Direct printing draws at the printer's resolution with the printable offset taken off
/// every position and sets `copies` on each job; picture printing renders a bitmap at the
/// horizontal resolution and stretches it by dpiY/dpiX down, leaving the device's copy
/// count. The calibration moves and scales the page in both modes. The print uses its own
/// background rebuilt at the printer's resolution, so neither the project nor the caller's
/// render state changes. Nothing to print (no project, no page) gives an empty result.
/// Throws PrintError carrying the message of what failed (the device, the renderer, the
/// background, or a printer reporting no resolution) and the jobs ended before it, which
/// stay spooled.
PrintResult printPages(const PrintRequest& request, PrintDevice& device,
                       const PrintProgress& progress = {});

} // namespace Quillet
