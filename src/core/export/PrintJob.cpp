// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/PrintJob.h"

#include "core/app/Project.h"
#include "core/background/Background.h"
#include "core/common/Geometry.h"
#include "core/common/Numbers.h"
#include "core/render/PageCanvas.h"
#include "core/render/PageRenderer.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace Quillet {
namespace {

// A page bitmap beyond this many pixels is refused rather than allocated (A3 at 1200 dpi
// would need over a gigabyte).
constexpr long long kMaxBitmapPixels = 200'000'000;

struct CollectLines : RenderErrorSink {
    QStringList lines;
    void LogRenderError(const QString& line) override { lines << line; }
};

// ---- The print loop ------------------------------------------------------------------

// What every page of one print shares.
struct PrintRun {
    PrintRun(const PrintRequest& r, PrintDevice& d, const PrintProgress& p)
        : request(r), device(d), progress(p), order(r.pages)
    {
    }

    const PrintRequest& request;
    PrintDevice& device;
    const PrintProgress& progress;
    PrinterMetrics metrics;
    RenderSource source;
    std::vector<int> order; // page numbers in printing order
    PrintResult result;
    int lastStep = 0; // the progress maximum
    bool stopAsked = false;
    bool jobOpen = false; // begun and not yet ended: a failure drops it
    // Printing directly: image-field pictures kept from job to job. Printing pictures: the
    // page bitmap.
    PlacedPictures pictures;
    QImage raster;

    void begin(int i, int copies)
    {
        device.beginJob(title(i), copies);
        jobOpen = true;
    }
    void end()
    {
        device.endJob();
        jobOpen = false;
        ++result.jobs;
    }

    /// False once the progress callback has asked to stop.
    bool step(int position, int maximum)
    {
        if (progress && !progress(position, maximum))
            stopAsked = true;
        return !stopAsked;
    }
    // The job title counts positions in the ascending list whatever the printing order.
    QString title(int i) const
    {
        const int n = int(order.size());
        return printJobTitle(request.projectPath, request.reverse ? n - 1 - i : i);
    }
};

// Beyond this many separate areas a page's mixing pictures are gathered into fewer, larger
// ones: every area costs a render of the whole page.
constexpr size_t kMaxMixingAreas = 8;

long long areaOf(const QRect& r)
{
    return static_cast<long long>(r.width()) * r.height();
}

// The areas of the page whose pixels the mixing pictures read, from where the pictures go
// (`places`, page pixels): each place cut to the page, places that overlap joined into
// their bounding rectangle until no two areas overlap, then the pair that grows least
// joined while there are too many. A place past the page's edge keeps its edge there, so
// that a picture reads beyond its area only what it would read beyond the whole page.
std::vector<QRect> mixingAreas(const std::vector<QRect>& places, const QRect& page)
{
    std::vector<QRect> areas;
    for (const QRect& place : places) {
        const QRect area = place & page;
        if (!area.isEmpty())
            areas.push_back(area);
    }
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t i = 0; i < areas.size() && !joined; ++i) {
            for (size_t j = i + 1; j < areas.size(); ++j) {
                if (areas[i].intersects(areas[j])) {
                    areas[i] |= areas[j];
                    areas.erase(areas.begin() + std::ptrdiff_t(j));
                    joined = true;
                    break;
                }
            }
        }
        if (!joined && areas.size() > kMaxMixingAreas) {
            size_t bestI = 0, bestJ = 1;
            long long bestGrowth = -1;
            for (size_t i = 0; i < areas.size(); ++i) {
                for (size_t j = i + 1; j < areas.size(); ++j) {
                    const long long growth =
                        areaOf(areas[i] | areas[j]) - areaOf(areas[i]) - areaOf(areas[j]);
                    if (bestGrowth < 0 || growth < bestGrowth) {
                        bestGrowth = growth;
                        bestI = i;
                        bestJ = j;
                    }
                }
            }
            areas[bestI] |= areas[bestJ];
            areas.erase(areas.begin() + std::ptrdiff_t(bestJ));
            joined = true;
        }
    }
    return areas;
}

QImage pixelsAt(long long width, long long height, int dpi, const QString& advice,
                const ProjectSettings& settings);

// Qt cannot take back a job once begun, and a form fed for a page whose render then fails
// comes out blank; so the page is rendered before its job begins, on a device of one pixel:
// that finds out whether the page renders, places the shared pictures and tells where the
// pictures that mix with the page go. Each area under those (cut to the page) is then
// rendered on a raster of its own at the printer's resolution, with the area's corner as
// the origin: the pixels there are the whole page's, and the painter render that follows
// takes the mixed pictures' pixels from these renders. Only the areas are held in memory,
// never the whole page.
void renderBeforeTheJob(PrintRun& run, const RenderTarget& onPrinter, int page)
{
    run.pictures.startPage();
    CollectLines ignored; // the render on the printer gives the same lines
    {
        QImage pixel(1, 1, QImage::Format_RGB32);
        QPainter painter(&pixel);
        RenderTarget dry = onPrinter;
        dry.painter = &painter;
        RenderPage(run.source, dry, page, ignored);
    }
    std::vector<QRect> places = run.pictures.mixingAreas();
    if (places.empty())
        return;
    const PageOrigin& o = onPrinter.origin;
    for (QRect& place : places)
        place.translate(o.x, o.y);
    const ProjectSettings& s = run.request.project->settings;
    const QRect whole(0, 0, int(mmToPixel(s.PrWidth, onPrinter.mmPerPixel)),
                      int(mmToPixel(s.PrHeight, onPrinter.mmPerPixel)));
    for (const QRect& area : mixingAreas(places, whole)) {
        QImage raster = pixelsAt(
            area.width(), area.height(), onPrinter.dpi,
            QCoreApplication::translate("Quillet::PrintJob", "печатайте с меньшим разрешением."),
            s);
        raster.fill(Qt::white);
        RenderTarget pixels = onPrinter;
        pixels.painter = nullptr;
        pixels.image = &raster;
        pixels.origin = PageOrigin{area.x(), area.y()}; // blocks in the margin mix too
        RenderPage(run.source, pixels, page, ignored);
    }
}

// The page drawn straight on the printer: the renderer works at the printer's resolution
// with the printable offset as its origin. The calibration goes into the painter: a point
// meant at p mm is drawn at (p − offset) / scale, where the printer's error puts it at p.
// False when a stop was asked before the job began.
bool printDirect(PrintRun& run, int i)
{
    const int page = run.order[size_t(i)];
    const PrinterMetrics& m = run.metrics;
    const PrinterCalibration& c = run.request.calibration;
    RenderTarget target;
    target.dpi = m.dpiX;
    target.mmPerPixel = mmPerPixelAt(m.dpiX);
    target.origin = PageOrigin{m.printableOffset.x(), m.printableOffset.y()};
    target.pictures = &run.pictures;
    renderBeforeTheJob(run, target, page);
    if (!run.step(3 * i, run.lastStep))
        return false;
    run.begin(i, std::max(1, run.request.copies));
    QPainter& painter = run.device.painter();
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), m.printableSize), Qt::white);
    if (!c.isIdentity()) {
        const double mm = double(target.mmPerPixel);
        const PageOrigin& o = target.origin;
        const QTransform calibrate(1 / c.scaleX, 0, 0, 1 / c.scaleY,
                                   o.x / c.scaleX - c.offsetXMm / (c.scaleX * mm) - o.x,
                                   o.y / c.scaleY - c.offsetYMm / (c.scaleY * mm) - o.y);
        painter.setTransform(calibrate, true);
    }
    // Nothing of the page spills onto the sheet beyond it, as nothing does beyond a raster:
    // a picture running past the page's edge is cut there.
    const ProjectSettings& s = run.request.project->settings;
    painter.setClipRect(QRectF(-double(target.origin.x), -double(target.origin.y),
                               double(mmToPixel(s.PrWidth, target.mmPerPixel)),
                               double(mmToPixel(s.PrHeight, target.mmPerPixel))),
                        Qt::IntersectClip);
    run.step(3 * i + 1, run.lastStep);
    target.painter = &painter;
    CollectLines errors;
    try {
        RenderPage(run.source, target, page, errors);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
    run.result.errorLines += errors.lines;
    run.step(3 * i + 2, run.lastStep);
    run.end();
    return true;
}

// A raster of `width` × `height` pixels reporting `dpi`, refused (with `advice`) when too
// large to make.
QImage pixelsAt(long long width, long long height, int dpi, const QString& advice,
                const ProjectSettings& settings)
{
    if (width < 1 || height < 1 || width > kMaxBitmapPixels / height) {
        throw Error(
            QCoreApplication::translate("Quillet::PrintJob",
                                        "Страница %1 × %2 мм при %3 точках на дюйм не помещается "
                                        "в памяти; %4")
                .arg(settings.PrWidth)
                .arg(settings.PrHeight)
                .arg(dpi)
                .arg(advice));
    }
    QImage bitmap(int(width), int(height), QImage::Format_RGB32);
    if (bitmap.isNull())
        throw Error(QCoreApplication::translate("Quillet::PrintJob",
                                                "Недостаточно памяти для изображения страницы."));
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    bitmap.setDotsPerMeterX(dotsPerMeter);
    bitmap.setDotsPerMeterY(dotsPerMeter);
    return bitmap;
}

// The page bitmap of a print of pictures: the whole page at `dpi`.
QImage pageBitmap(const Project& project, int dpi)
{
    const long double mmPerPixel = mmPerPixelAt(dpi);
    return pixelsAt(mmToPixel(project.settings.PrWidth, mmPerPixel),
                    mmToPixel(project.settings.PrHeight, mmPerPixel), dpi,
                    QCoreApplication::translate("Quillet::PrintJob",
                                                "печатайте без режима картинки или с "
                                                "меньшим разрешением."),
                    project.settings);
}

// Where the page bitmap goes on the printer, device pixels from the printable corner: one
// bitmap pixel per dot across, stretched by dpiY/dpiX down, moved by the printable offset;
// the calibration then moves and scales the rectangle as it does the page in direct mode.
QRect bitmapPlacement(const PrinterMetrics& m, const PrinterCalibration& c, QSize bitmap)
{
    const long double mmX = mmPerPixelAt(m.dpiX);
    const long double mmY = mmPerPixelAt(m.dpiY);
    const long long left = -m.printableOffset.x() + roundHalfEven(-c.offsetXMm / (c.scaleX * mmX));
    const long long top = -m.printableOffset.y() + roundHalfEven(-c.offsetYMm / (c.scaleY * mmY));
    const long long width = roundHalfEven(bitmap.width() / c.scaleX);
    const long long height =
        roundHalfEven(static_cast<long double>(bitmap.height()) * m.dpiY / m.dpiX / c.scaleY);
    return QRect(int(left), int(top), int(width), int(height));
}

// False when a stop was asked before the job began.
bool printPicture(PrintRun& run, int i)
{
    const PrinterMetrics& m = run.metrics;
    QImage& bitmap = run.raster;
    if (!run.step(4 * i, run.lastStep))
        return false;
    bitmap.fill(Qt::white);
    if (!run.step(4 * i + 1, run.lastStep))
        return false;
    RenderTarget target;
    target.image = &bitmap;
    target.dpi = m.dpiX;
    target.mmPerPixel = mmPerPixelAt(m.dpiX);
    CollectLines errors;
    RenderPage(run.source, target, run.order[size_t(i)], errors);
    if (!run.step(4 * i + 2, run.lastStep) || !run.step(4 * i + 3, run.lastStep))
        return false;
    run.result.errorLines += errors.lines; // of the pages printed
    run.begin(i, 0);
    QPainter& painter = run.device.painter();
    painter.save();
    // Whole rows repeated, as the printer's own stretching does: no blur of thin lines.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(bitmapPlacement(m, run.request.calibration, bitmap.size()), bitmap);
    painter.restore();
    run.end();
    return true;
}

void runPrint(PrintRun& run)
{
    const PrintRequest& request = run.request;
    run.metrics = run.device.metrics();
    checkPrinterMetrics(run.metrics);
    if (!request.calibration.isPlausible()) {
        throw Error(QCoreApplication::translate("Quillet::PrintJob",
                                                "Калибровка принтера «%1» недопустима; выполните "
                                                "калибровку заново.")
                        .arg(run.metrics.name));
    }
    const bool direct = printsDirectly(run.metrics, request.asImage);
    run.lastStep = printProgressMaximum(run.metrics, request.asImage, int(run.order.size()));
    const int dpi = run.metrics.dpiX;
    const Project& project = *request.project;
    // The layout view (page 0) always shows the background; filled pages only with it.
    // Made only then: at printer resolution it costs time and memory, and a background
    // that does not decode must not stop a print that leaves it out.
    const bool drawsBackground =
        request.withBackground
        || std::find(run.order.begin(), run.order.end(), 0) != run.order.end();
    if (drawsBackground) {
        run.source.shownBackground =
            RebuildBackground(project.BackgroundImage, project.settings, mmPerPixelAt(dpi));
    }
    // Printed directly, the background stays as it was made and is converted band by band as
    // it is drawn (a whole converted copy would be a third more, and the printer's driver
    // copies what it is given); the page bitmap takes it converted once for every page.
    if (!direct) {
        if (!run.source.shownBackground.isNull()) {
            run.source.shownBackground =
                run.source.shownBackground.convertToFormat(QImage::Format_RGB32);
        }
        run.raster = pageBitmap(project, dpi);
    }
    const int n = int(run.order.size());
    for (int i = 0; i < n; ++i) {
        const bool printed = direct ? printDirect(run, i) : printPicture(run, i);
        if (run.stopAsked) {
            run.result.cancelled = !printed || i + 1 < n;
            break;
        }
    }
}

} // namespace

OrientationAdvice orientationAdvice(QSize pageSize, bool portrait)
{
    if (pageSize.height() < pageSize.width() && portrait)
        return OrientationAdvice::Landscape;
    if (pageSize.width() < pageSize.height() && !portrait)
        return OrientationAdvice::Portrait;
    return OrientationAdvice::None;
}

QString orientationQuestion(OrientationAdvice advice)
{
    switch (advice) {
    case OrientationAdvice::Landscape:
        return QCoreApplication::translate(
            "Quillet::PrintJob", "Для вашего проекта рекомендуется альбомная ориентация страницы."
                                 "\n\rИзменить ориентацию листа на альбомную?");
    case OrientationAdvice::Portrait:
        return QCoreApplication::translate(
            "Quillet::PrintJob", "Для вашего проекта рекомендуется книжная ориентация страницы."
                                 "\n\rИзменить ориентацию листа на книжную?");
    case OrientationAdvice::None:
        break;
    }
    return {};
}

int printProgressMaximum(const PrinterMetrics& metrics, bool asImage, int pages)
{
    // The steps printDirect and printPicture report for each page.
    const int stepsPerPage = printsDirectly(metrics, asImage) ? 3 : 4;
    return stepsPerPage * pages - 1;
}

QString printJobTitle(const QString& projectPath, int position)
{
    return projectPath + Numbers::formatInt(position, 3);
}

bool printsDirectly(const PrinterMetrics& metrics, bool asImage)
{
    return metrics.dpiX == metrics.dpiY && !asImage;
}

PrintResult printPages(const PrintRequest& request, PrintDevice& device,
                       const PrintProgress& progress)
{
    if (!request.project || request.pages.empty())
        return {};
    PrintRun run(request, device, progress);
    run.source.project = request.project;
    run.source.projectPath = request.projectPath;
    run.source.workbook = request.workbook;
    run.source.withBackground = request.withBackground;
    if (request.reverse)
        std::reverse(run.order.begin(), run.order.end());
    try {
        runPrint(run);
    } catch (const Error& error) {
        if (run.jobOpen)
            device.abortJob();
        throw PrintError(error.message(), run.result.jobs);
    } catch (const std::bad_alloc&) {
        if (run.jobOpen)
            device.abortJob();
        throw PrintError(
            QCoreApplication::translate("Quillet::PrintJob", "Недостаточно памяти для печати."),
            run.result.jobs);
    }
    return run.result;
}

} // namespace Quillet
