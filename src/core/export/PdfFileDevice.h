// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The print loop's device for a PDF file: what a printer would get, every job one more
// page of the same file, on a sheet of the page's own size with no margin and no
// printer's correction.

#include "core/export/PrintJob.h"

#include <QPainter>
#include <QSizeF>
#include <QString>

#include <memory>

class QPdfWriter;
class QSaveFile;

namespace Quillet {

/// A PrintDevice writing the PDF file `path` at `dpi` dots per inch on a sheet of `sheetMm`
/// (width × height, mm) with no unprintable margin, in landscape when the sheet is wider
/// than tall. Every job is one more page; a file holds one copy whatever the count. The
/// file appears only when finish() completes it: until then, and after a failure, whatever
/// was at `path` stays as it was.
class PdfFileDevice : public PrintDevice {
public:
    /// Throws Error when the sheet has no area.
    PdfFileDevice(const QString& path, int dpi, QSizeF sheetMm);
    /// Drops a file not finished.
    ~PdfFileDevice() override;
    PdfFileDevice(const PdfFileDevice&) = delete;
    PdfFileDevice& operator=(const PdfFileDevice&) = delete;

    /// No name, the file's resolution both ways, the whole sheet printable, landscape for
    /// a wide sheet.
    PrinterMetrics metrics() const override;
    /// The first job opens the file and takes `title` as the document's; throws Error (in
    /// Russian, naming the file) when it cannot be written.
    void beginJob(const QString& title, int copies) override;
    QPainter& painter() override;
    /// The page is complete; the file is written by finish().
    void endJob() override;
    /// Drops the whole file.
    void abortJob() noexcept override;
    /// Completes the file at `path` (nothing to do when no job began). Throws Error when it
    /// cannot be written; nothing is left at `path` then.
    void finish();
    /// Drops the file after a failure. Never throws.
    void discard() noexcept;

private:
    QString m_path;
    int m_dpi;
    QSizeF m_sheetMm;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
};

} // namespace Quillet
