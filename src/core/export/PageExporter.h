// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Saving pages as files: one JPEG (or PNG) per page named prefix + page number
// ("000") + extension, or one multi-page PDF. Pages render in parallel, each worker with
// its own page raster and encoder buffer; the files are the same as from one worker.

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace Quillet {

class JpegPageReference;
class Project;
class Workbook;

enum class ExportFormat { Jpeg, Png, Pdf };

struct ExportRequest {
    const Project* project = nullptr;
    QString projectPath; // image fields named without a folder sit beside it
    const Workbook* workbook = nullptr;
    std::vector<int> pages; // ascending page numbers
    QString prefix;         // path without extension
    ExportFormat format = ExportFormat::Jpeg;
    bool withBackground = true; // `WithBack`
    bool reverse = false;       // `Reverce`: pages are written last to first
    int jobs = 1;               // worker threads (PDF pages are written by one)
    int jpegQuality = 90;
    /// JPEG pages are encoded against the page with its background alone, transforming
    /// only the blocks fields drew on; false encodes every page whole. The files are the
    /// same either way.
    bool jpegReuseBackground = true;
    /// Names for the pages' files, parallel to `pages`, each going between the prefix and
    /// the extension in place of the page number; with PDF every page then becomes a
    /// file of its own. Empty: pages are named by their numbers, PDF is one file.
    QStringList names;
};

struct ExportResult {
    QStringList files;      // written, in the order of the page list
    QStringList errorLines; // the render's error-list lines, page by page
    bool cancelled = false;
};

/// Progress: called from the calling thread after each page with the number of pages
/// done and the total; returning false cancels the export after the pages under way.
using ExportProgress = std::function<bool(int done, int total)>;

/// Page file name: prefix + the page number with at least three digits + extension
/// (".jpg" or ".png"); for PDF, prefix + ".pdf".
QString exportFileName(const QString& prefix, int page, ExportFormat format);

/// The prefix for a chosen file name: the name without the extension of its last path
/// component ("D:/forms/Project1.qlet" → "D:/forms/Project1"; a dot in a folder stays).
QString exportPrefix(const QString& chosenPath);

/// What an export that ended says to the user: how many files went into which folder
/// ("Сохранено файлов: 30 в папке /forms"), or the PDF file and its page count for
/// `pages` pages ("Сохранён файл /forms/list.pdf, страниц: 30"); a cancelled export says
/// it was stopped and what it kept. Empty when nothing was written and nothing stopped.
QString exportSummary(const ExportResult& result, ExportFormat format, int pages);

/// The files `request` writes, in the order of its page list (one for a PDF of all pages).
QStringList exportFileNames(const ExportRequest& request);

/// Renders and writes the pages. Throws FileError when a file cannot be written (the
/// pages written before it stay) and ConversionError for a node text that does not
/// parse.
ExportResult exportPages(const ExportRequest& request, const ExportProgress& progress = {});

/// The page with its background alone (`shownBackground`, drawn when the request has
/// `withBackground`), ready for JPEG pages to be encoded against; null where it cannot
/// serve and pages are encoded whole.
std::shared_ptr<const JpegPageReference> jpegBackgroundReference(const ExportRequest& request,
                                                                 const QImage& shownBackground);

} // namespace Quillet
