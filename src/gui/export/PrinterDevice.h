// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The print loop's device over Qt's printer object: a CUPS queue, or a PDF file written
// through Qt's print-to-file. Used by the window; quillet-cli prints without Qt's printer
// (core/export/CupsPrinterDevice, PdfFileDevice).

#include "core/export/PrintJob.h"

#include <QCoreApplication>
#include <QPainter>
#include <QString>

class QPrinter;

namespace Quillet {

/// A PrintDevice printing on a QPrinter as it is set (printer, paper, orientation,
/// resolution). On a printer every job is a job of its own: beginJob sets the title and the
/// copies and begins the document, endJob ends it, which spools it. Into a PDF file
/// (QPrinter::PdfFormat) every job is one more page of the same file, which is complete once
/// finish() has run or the device is destroyed; a file holds one copy whatever the count.
/// Every job's painter draws images losslessly (Qt would send them as JPEG otherwise).
class PrinterDevice : public PrintDevice {
    Q_DECLARE_TR_FUNCTIONS(Quillet::PrinterDevice)

public:
    /// `printer` is referenced and must outlive the device.
    explicit PrinterDevice(QPrinter& printer);
    /// Ends a PDF file still open, as finish() would, but silently.
    ~PrinterDevice() override;
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    /// The printer's name (empty for a PDF file), its resolution across and down, the
    /// printable area's offset from the sheet's corner and its size (device pixels, from
    /// the paper and page rectangles, rounded to whole pixels), and its orientation.
    PrinterMetrics metrics() const override;
    /// Throws Error (in the interface's language, naming the printer or the file) when the
    /// printer is not available or the document cannot be begun.
    void beginJob(const QString& title, int copies) override;
    QPainter& painter() override;
    /// Throws Error when the printer reports the job failed.
    void endJob() override;
    /// Drops the job under way; into a PDF file this drops the whole file.
    void abortJob() noexcept override;
    /// Completes a PDF file (nothing to do on a printer). Throws Error when the file cannot
    /// be written.
    void finish();
    /// Ends a PDF file this device began and removes it, after a failure; a file it never
    /// began, and a printer, are left alone. Never throws.
    void discard() noexcept;

private:
    bool toFile() const;

    QPrinter& m_printer;
    QPainter m_painter;
    bool m_fileOpen = false;  // a PDF file begun and not finished
    bool m_fileBegun = false; // this device has written into the PDF file
};

} // namespace Quillet
