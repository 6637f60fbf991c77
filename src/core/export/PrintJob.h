// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Printing pages onto pre-printed forms: one job per page, so that a millimetre of the page
// lands on the same millimetre of the sheet measured from the sheet's physical corner.
// The printer itself sits behind PrintDevice (QPrinter in the GUI, a CUPS queue or a PDF
// file for the command line, a raster device in the tests); everything here is arithmetic
// and the loop over the pages.

#include "core/common/Errors.h"
#include "core/export/Calibration.h"

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

/// One printer as the print loop uses it: a QPrinter, a CUPS queue, a PDF file, or a raster
/// in tests.
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
/// false stops the print: a job under way is finished, and no job begins after it. Each
/// page is rendered before step 3i (direct) or between steps 4i + 1 and 4i + 2 (pictures),
/// and its job begins after step 3i or 4i + 3.
using PrintProgress = std::function<bool(int step, int maximum)>;

/// The resolution a printer is driven at, from the window and from the command line alike.
/// Qt asks a printer for nothing but its paper, so the resolution is ours to choose; 600 dpi
/// is what office printers print at and keeps an A3 page as a picture within memory.
constexpr int PrintResolutionDpi = 600;

/// True when pages for `metrics` print directly (the renderer drawing on the printer):
/// equal resolutions across and down and no request for pictures.
bool printsDirectly(const PrinterMetrics& metrics, bool asImage);

/// The last step of the progress of a print of `pages` pages on a printer of `metrics`:
/// 3·pages − 1 printing directly, 4·pages − 1 printing pictures (the maximum PrintProgress
/// is given).
int printProgressMaximum(const PrinterMetrics& metrics, bool asImage, int pages);

/// Prints the request's pages on `device`, one job per page in the list's order (reversed
/// for `reverse`), titled printJobTitle(projectPath, position in the ascending list).
/// Direct printing draws at the printer's resolution with the printable offset taken off
/// every position and sets `copies` on each job; image fields that mix their picture with
/// the page take the pixels under it from a render of the page on a raster at the
/// printer's resolution. Picture printing renders a bitmap at the horizontal resolution
/// and stretches it by dpiY/dpiX down, leaving the device's copy count. The calibration
/// moves and scales the page in both modes. The print uses its own background rebuilt at
/// the printer's resolution (only when a page shows it), so neither the project nor the
/// caller's render state changes. A page is rendered before its job begins, so a page
/// that fails to render sends no job. Nothing to print (no project, no page) gives an
/// empty result. Throws PrintError carrying the message of what failed (the device, the
/// renderer, the background, a page raster too large for memory, or a printer reporting
/// no resolution) and the jobs ended before it, which stay spooled.
PrintResult printPages(const PrintRequest& request, PrintDevice& device,
                       const PrintProgress& progress = {});

} // namespace Quillet
