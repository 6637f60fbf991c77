// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The print loop's device for a CUPS queue without Qt's printer object (which needs the
// widget stack): each job is drawn into a PDF of the queue's default sheet and handed to
// CUPS through libcups. The server is the one CUPS_SERVER names, else the system's.

#include "core/export/PrintJob.h"

#include <QPainter>
#include <QString>
#include <QStringList>

#include <memory>

namespace Quillet {

/// The queues the print server offers, as lp names them ("queue" or "queue/instance"), in
/// the server's order; empty when there are none or no server answers.
QStringList cupsPrinterNames();

/// The queue lp prints on when none is named (the user's choice, else the server's); empty
/// when there is none.
QString cupsDefaultPrinter();

/// A PrintDevice printing on the CUPS queue it was made for. Every job is a job of its own
/// with its title and copy count, one page of the queue's default media in PDF, the painter
/// drawing at the device's resolution from the corner of the printable area the queue
/// reports for that media (the sheet taken as it comes, upright). The page is held in
/// memory until endJob, so a job dropped by abortJob never reaches the printer.
class CupsPrinterDevice : public PrintDevice {
public:
    /// Opens the queue `name` ("queue" or "queue/instance") for pages drawn at `dpi` dots
    /// per inch and reads its default media and margins. Throws Error (in Russian, naming
    /// the printer) when there is no such queue or it does not answer.
    CupsPrinterDevice(const QString& name, int dpi);
    ~CupsPrinterDevice() override;
    CupsPrinterDevice(const CupsPrinterDevice&) = delete;
    CupsPrinterDevice& operator=(const CupsPrinterDevice&) = delete;

    /// The copies of each job begun with no count of its own (1 until set).
    void setCopyCount(int copies);

    /// The queue's name, the resolution both ways, the printable area of its default media
    /// in whole device pixels, portrait.
    PrinterMetrics metrics() const override;
    /// Throws Error when the page cannot be begun.
    void beginJob(const QString& title, int copies) override;
    QPainter& painter() override;
    /// Sends the page to the queue as one job. Throws Error (naming the printer and the
    /// job) when CUPS does not take it.
    void endJob() override;
    /// Drops the page under way: nothing of it is sent.
    void abortJob() noexcept override;

private:
    struct Queue;
    struct Job;
    void send(const QByteArray& pdf, const QString& title, int copies);

    std::unique_ptr<Queue> m_queue;
    std::unique_ptr<Job> m_job;
    QPainter m_painter;
    int m_copies = 1;
};

} // namespace Quillet
