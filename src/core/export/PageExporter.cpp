// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/PageExporter.h"

#include "core/app/Project.h"
#include "core/common/Errors.h"
#include "core/common/Numbers.h"
#include "core/raster/JpegImage.h"
#include "core/raster/JpegPageEncoder.h"
#include "core/render/PageCanvas.h"
#include "core/render/PageRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace Quillet {
namespace {

struct CollectLines : RenderErrorSink {
    QStringList lines;
    void LogRenderError(const QString& line) override { lines << line; }
};

// A page goes to a scratch name beside its own and is renamed over it, so a failed write
// never leaves half a page under the page's name. Pages are not synced to disk one by one:
// on a spinning disk that would cost more than drawing them.
void replaceByScratch(const QString& scratch, const QString& path);

void writeFile(const QString& path, const QByteArray& bytes)
{
    const QString scratch = path + QStringLiteral(".part");
    QFile file(scratch);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush()) {
        const QString reason = reasonInRussian(file.errorString());
        file.close();
        QFile::remove(scratch);
        throw FileError(
            QCoreApplication::translate("Quillet::PageExporter", "Не удаётся записать файл %1: %2")
                .arg(path, reason));
    }
    file.close();
    replaceByScratch(scratch, path);
}

void replaceByScratch(const QString& scratch, const QString& path)
{
    if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(path).constData())) {
        const QString reason = reasonInRussian(QString::fromLocal8Bit(std::strerror(errno)));
        QFile::remove(scratch);
        throw FileError(
            QCoreApplication::translate("Quillet::PageExporter", "Не удаётся записать файл %1: %2")
                .arg(path, reason));
    }
}

// The state the workers share: which page comes next, what each produced.
struct Shared {
    const ExportRequest& request;
    RenderSource source;
    std::vector<int> order; // page numbers in writing order
    QStringList paths;      // each page's file, parallel to `order`
    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable changed;
    int done = 0;
    int reported = 0;               // pages the progress callback has been told of
    std::vector<QStringList> lines; // per position in `order`
    std::exception_ptr failure;
    // The page with its background alone, encoded once; null when pages go whole.
    std::shared_ptr<const JpegPageReference> jpegReference;
};

void renderWorker(Shared& shared)
{
    const ExportRequest& request = shared.request;
    // Reused from page to page: touching fresh memory for every page costs more than
    // drawing it.
    // With a reference the raster holds it between pages (the encoder puts back what a
    // page changed), so a page draws only its fields.
    JpegPageEncoder jpeg(shared.jpegReference);
    const bool onReference = !jpeg.reference().isNull();
    RenderSource fieldsOnly = shared.source;
    fieldsOnly.withBackground = false;
    QImage raster = onReference ? jpeg.reference().copy() : makePageRaster(*request.project);
    QByteArray encoded;
    while (!shared.stop) {
        const int index = shared.next.fetch_add(1);
        if (index >= int(shared.order.size()))
            break;
        const int page = shared.order[size_t(index)];
        try {
            if (!onReference)
                raster.fill(Qt::white);
            RenderTarget target;
            target.image = &raster;
            CollectLines errors;
            RenderPage(onReference ? fieldsOnly : shared.source, target, page, errors);
            const QString& path = shared.paths[index];
            if (request.format == ExportFormat::Png) {
                encoded.clear();
                QBuffer buffer(&encoded);
                buffer.open(QIODevice::WriteOnly);
                if (!raster.convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG")) {
                    throw FileError(
                        QCoreApplication::translate("Quillet::PageExporter",
                                                    "Не удаётся закодировать страницу %1.")
                            .arg(page));
                }
                writeFile(path, encoded);
            } else {
                const bool done = onReference ? jpeg.encodeAndRestore(raster, encoded)
                                              : encodeJpeg(raster, request.jpegQuality, encoded);
                if (!done) {
                    throw FileError(
                        QCoreApplication::translate("Quillet::PageExporter",
                                                    "Не удаётся закодировать страницу %1.")
                            .arg(page));
                }
                writeFile(path, encoded);
            }
            std::unique_lock lock(shared.mutex);
            shared.lines[size_t(index)] = errors.lines;
            const int done = ++shared.done;
            // The next page waits until this one was reported, so a cancel costs at most
            // the page each worker has under way.
            shared.changed.notify_all();
            shared.changed.wait(lock, [&] { return shared.reported >= done || shared.stop; });
        } catch (...) {
            std::lock_guard lock(shared.mutex);
            if (!shared.failure)
                shared.failure = std::current_exception();
            shared.stop = true;
        }
        shared.changed.notify_all();
    }
    shared.changed.notify_all();
}

} // namespace

std::shared_ptr<const JpegPageReference> jpegBackgroundReference(const ExportRequest& request,
                                                                 const QImage& shownBackground)
{
    if (!request.project)
        return nullptr;
    RenderSource source;
    source.project = request.project;
    source.projectPath = request.projectPath;
    source.withBackground = request.withBackground;
    source.shownBackground = shownBackground;
    QImage background = makePageRaster(*request.project);
    RenderTarget target;
    target.image = &background;
    RenderPageBackground(source, target);
    return JpegPageReference::make(background, request.jpegQuality);
}

namespace {

ExportResult exportImages(Shared& shared, const ExportProgress& progress)
{
    const ExportRequest& request = shared.request;
    const int total = int(shared.order.size());
    const int jobs = std::clamp(request.jobs, 1, std::max(1, total));
    if (request.format == ExportFormat::Jpeg && request.jpegReuseBackground)
        shared.jpegReference = jpegBackgroundReference(request, shared.source.shownBackground);
    std::vector<std::thread> workers;
    for (int i = 0; i < jobs; ++i)
        workers.emplace_back(renderWorker, std::ref(shared));
    ExportResult result;
    {
        std::unique_lock lock(shared.mutex);
        int reported = 0;
        while (true) {
            shared.changed.wait(lock, [&] {
                return shared.done != reported || shared.stop || shared.done == total;
            });
            if (shared.done != reported) {
                reported = shared.done;
                if (progress) {
                    lock.unlock();
                    const bool goOn = progress(reported, total);
                    lock.lock();
                    if (!goOn) {
                        shared.stop = true;
                        result.cancelled = reported < total;
                    }
                }
                shared.reported = reported;
                shared.changed.notify_all();
            }
            if (shared.stop || reported == total)
                break;
        }
    }
    shared.changed.notify_all();
    for (std::thread& worker : workers)
        worker.join();
    if (shared.failure)
        std::rethrow_exception(shared.failure);
    for (int i = 0; i < total; ++i) {
        if (!shared.lines[size_t(i)].isEmpty() || i < shared.done)
            result.errorLines += shared.lines[size_t(i)];
    }
    for (const QString& path : exportFileNames(request)) {
        if (QFileInfo::exists(path))
            result.files << path;
    }
    return result;
}

// Writes the pages `first` … `first + count - 1` of the writing order as one document.
// `progress` is told of pages counted from `first`.
ExportResult writePdf(Shared& shared, int first, int count, const QString& path,
                      const ExportProgress& progress)
{
    const ExportRequest& request = shared.request;
    const Project& project = *request.project;
    // As for pages: a cancelled or failed document leaves nothing under its name, and
    // the scratch file goes after the writer has closed it.
    struct Scratch {
        QString name;
        ~Scratch() { QFile::remove(name); }
    } scratch{path + QStringLiteral(".part")};
    QPdfWriter writer(scratch.name);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("Quillet"));
    writer.setPageSize(QPageSize(QSizeF(project.settings.PrWidth, project.settings.PrHeight),
                                 QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        throw FileError(
            QCoreApplication::translate("Quillet::PageExporter", "Не удаётся записать файл %1.")
                .arg(path));
    // One set of pictures for all pages: an image field placed alike on every page is
    // one image in the file. Pictures that combine with the page under them need the
    // page's pixels, so those pages are drawn on a raster first.
    PlacedPictures pictures;
    QImage raster;
    if (PlacedPictures::needsPagePixels(project.Structure))
        raster = makePageRaster(project);
    ExportResult result;
    const int total = int(shared.order.size());
    for (int i = first; i < first + count; ++i) {
        if (i > first)
            writer.newPage();
        const int page = shared.order[size_t(i)];
        pictures.startPage();
        if (!raster.isNull()) {
            raster.fill(Qt::white);
            RenderTarget pixels;
            pixels.image = &raster;
            pixels.pictures = &pictures;
            CollectLines ignored; // the painter render below gives the same lines
            RenderPage(shared.source, pixels, page, ignored);
        }
        RenderTarget target;
        target.painter = &painter;
        target.pictures = &pictures;
        CollectLines errors;
        RenderPage(shared.source, target, page, errors);
        result.errorLines += errors.lines;
        if (progress && !progress(i + 1, total)) {
            result.cancelled = i + 1 < first + count;
            break;
        }
    }
    if (!painter.end())
        throw FileError(
            QCoreApplication::translate("Quillet::PageExporter", "Не удаётся записать файл %1.")
                .arg(path));
    if (!result.cancelled) {
        replaceByScratch(scratch.name, path);
        result.files << path;
    }
    return result;
}

ExportResult exportPdf(Shared& shared, const ExportProgress& progress)
{
    const int total = int(shared.order.size());
    if (shared.request.names.isEmpty())
        return writePdf(shared, 0, total, shared.paths.first(), progress);
    // A document per page, named after its record.
    ExportResult result;
    bool goOn = true;
    for (int i = 0; i < total && goOn; ++i) {
        ExportResult page = writePdf(shared, i, 1, shared.paths[i], [&](int done, int all) {
            goOn = !progress || progress(done, all);
            return true;
        });
        result.files += page.files;
        result.errorLines += page.errorLines;
        result.cancelled = !goOn && i + 1 < total;
    }
    return result;
}

} // namespace

QString exportFileName(const QString& prefix, int page, ExportFormat format)
{
    switch (format) {
    case ExportFormat::Jpeg:
        return prefix + Numbers::formatInt(page, 3) + QStringLiteral(".jpg");
    case ExportFormat::Png:
        return prefix + Numbers::formatInt(page, 3) + QStringLiteral(".png");
    case ExportFormat::Pdf:
        break;
    }
    return prefix + QStringLiteral(".pdf");
}

QString exportPrefix(const QString& chosenPath)
{
    const qsizetype slash = std::max(chosenPath.lastIndexOf(u'/'), chosenPath.lastIndexOf(u'\\'));
    const qsizetype dot = chosenPath.lastIndexOf(u'.');
    if (dot > slash)
        return chosenPath.left(dot);
    return chosenPath;
}

QString exportSummary(const ExportResult& result, ExportFormat format, int pages)
{
    const QString stopped = result.cancelled ? QCoreApplication::translate("Quillet::PageExporter",
                                                                           "Экспорт остановлен. ")
                                             : QString();
    if (result.files.isEmpty())
        return result.cancelled ? QCoreApplication::translate(
                   "Quillet::PageExporter", "Экспорт остановлен: ничего не сохранено.")
                                : QString();
    const QString first = QDir::toNativeSeparators(result.files.first());
    if (format == ExportFormat::Pdf)
        return stopped
               + QCoreApplication::translate("Quillet::PageExporter",
                                             "Сохранён файл %1, страниц: %2")
                     .arg(first)
                     .arg(pages);
    return stopped
           + QCoreApplication::translate("Quillet::PageExporter", "Сохранено файлов: %1 в папке %2")
                 .arg(result.files.size())
                 .arg(QDir::toNativeSeparators(QFileInfo(result.files.first()).absolutePath()));
}

QStringList exportFileNames(const ExportRequest& request)
{
    QStringList files;
    if (request.names.isEmpty() && request.format == ExportFormat::Pdf)
        return {exportFileName(request.prefix, 0, request.format)};
    const QString extension = exportFileName({}, 0, request.format).section(u'.', -1);
    for (size_t i = 0; i < request.pages.size(); ++i) {
        files << (request.names.isEmpty()
                      ? exportFileName(request.prefix, request.pages[i], request.format)
                      : request.prefix + request.names[qsizetype(i)] + u'.' + extension);
    }
    return files;
}

ExportResult exportPages(const ExportRequest& request, const ExportProgress& progress)
{
    if (!request.project || request.pages.empty())
        return {};
    if (!request.names.isEmpty() && size_t(request.names.size()) != request.pages.size())
        throw Error(QStringLiteral("export: %1 names for %2 pages")
                        .arg(request.names.size())
                        .arg(request.pages.size()));
    Shared shared{request, RenderSource{}, {}, {}, {}, {}, {}, {}, 0, 0, {}, {}, {}};
    shared.source.project = request.project;
    shared.source.projectPath = request.projectPath;
    shared.source.workbook = request.workbook;
    shared.source.withBackground = request.withBackground;
    shared.source.shownBackground = pageBackground(*request.project);
    shared.order = request.pages;
    shared.paths = exportFileNames(request);
    if (request.reverse) {
        std::reverse(shared.order.begin(), shared.order.end());
        std::reverse(shared.paths.begin(), shared.paths.end());
    }
    shared.lines.resize(shared.order.size());
    if (request.format == ExportFormat::Pdf)
        return exportPdf(shared, progress);
    return exportImages(shared, progress);
}

} // namespace Quillet
