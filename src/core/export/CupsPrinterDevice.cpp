// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/CupsPrinterDevice.h"

#include "core/common/Errors.h"
#include "core/export/PdfSheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPdfWriter>

#include <cups/cups.h>

namespace Quillet {
namespace {

QString queueName(const cups_dest_t& dest)
{
    const QString name = QString::fromUtf8(dest.name);
    return dest.instance ? name + QLatin1Char('/') + QString::fromUtf8(dest.instance) : name;
}

// Lengths of the media CUPS reports, in hundredths of a millimetre, that a sheet can have.
bool plausible(const cups_size_t& media)
{
    return media.width > 0 && media.length > 0 && media.left >= 0 && media.right >= 0
           && media.top >= 0 && media.bottom >= 0 && media.left + media.right < media.width
           && media.top + media.bottom < media.length;
}

// The sheet the queue prints on when a job names none: the user's choice (lpoptions), else
// the printer's own default. libcups' cupsGetDestMediaDefault looks only at the former and
// then takes Letter wherever Letter is offered, A4 printers included; it is the last resort.
bool defaultMedia(cups_dest_t* dest, cups_dinfo_t* info, cups_size_t& media)
{
    const char* name = cupsGetOption(CUPS_MEDIA, dest->num_options, dest->options);
    if (!name) {
        ipp_attribute_t* printers = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA);
        name = printers ? ippGetString(printers, 0, nullptr) : nullptr;
    }
    if (name
        && cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info, name, CUPS_MEDIA_FLAGS_DEFAULT,
                                  &media))
        return true;
    return cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &media);
}

} // namespace

QStringList cupsPrinterNames()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << queueName(dests[i]);
    cupsFreeDests(count, dests);
    return names;
}

QString cupsDefaultPrinter()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QString name;
    for (int i = 0; i < count && name.isEmpty(); ++i) {
        if (dests[i].is_default)
            name = queueName(dests[i]);
    }
    cupsFreeDests(count, dests);
    return name;
}

struct CupsPrinterDevice::Queue {
    QString name;
    int dpi = PrintResolutionDpi;
    cups_dest_t* dest = nullptr;
    cups_dinfo_t* info = nullptr;
    cups_size_t media{};

    Queue() = default;
    Queue(const Queue&) = delete;
    Queue& operator=(const Queue&) = delete;
    ~Queue()
    {
        if (info)
            cupsFreeDestInfo(info);
        if (dest)
            cupsFreeDests(1, dest);
    }
    QString label() const { return QStringLiteral("«%1»").arg(name); }
    int pixels(int hundredthsMm) const { return hundredthsMmToPixels(hundredthsMm, dpi); }
};

// The page of one job, drawn into memory until it is complete.
struct CupsPrinterDevice::Job {
    QString title;
    int copies = 1;
    QBuffer pdf;
    std::unique_ptr<QPdfWriter> writer;
};

CupsPrinterDevice::CupsPrinterDevice(const QString& name, int dpi)
    : m_queue(std::make_unique<Queue>())
{
    Queue& q = *m_queue;
    q.name = name;
    q.dpi = dpi;
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    const QByteArray queue = name.left(slash).toUtf8();
    const QByteArray instance = slash < 0 ? QByteArray() : name.mid(slash + 1).toUtf8();
    q.dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                              instance.isEmpty() ? nullptr : instance.constData());
    if (q.dest)
        q.info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, q.dest);
    if (!q.info)
        throw Error(
            QCoreApplication::translate("Quillet::CupsPrinterDevice", "Принтер %1 недоступен")
                .arg(q.label()));
    if (!defaultMedia(q.dest, q.info, q.media) || !plausible(q.media)) {
        throw Error(QCoreApplication::translate("Quillet::CupsPrinterDevice",
                                                "Принтер %1 не сообщает размер бумаги")
                        .arg(q.label()));
    }
}

CupsPrinterDevice::~CupsPrinterDevice()
{
    abortJob();
}

void CupsPrinterDevice::setCopyCount(int copies)
{
    m_copies = copies;
}

PrinterMetrics CupsPrinterDevice::metrics() const
{
    const Queue& q = *m_queue;
    const cups_size_t& m = q.media;
    PrinterMetrics metrics;
    metrics.name = q.name;
    metrics.dpiX = q.dpi;
    metrics.dpiY = q.dpi;
    metrics.printableOffset = QPoint(q.pixels(m.left), q.pixels(m.top));
    metrics.printableSize =
        QSize(q.pixels(m.width - m.left - m.right), q.pixels(m.length - m.top - m.bottom));
    metrics.portrait = true;
    return metrics;
}

void CupsPrinterDevice::beginJob(const QString& title, int copies)
{
    abortJob();
    const Queue& q = *m_queue;
    auto job = std::make_unique<Job>();
    job->title = title;
    job->copies = copies > 0 ? copies : m_copies;
    job->pdf.open(QIODevice::WriteOnly);
    job->writer = std::make_unique<QPdfWriter>(&job->pdf);
    job->writer->setResolution(q.dpi);
    job->writer->setTitle(title);
    const QPageLayout sheet = pdfSheetLayout(QSizeF(q.media.width / 100.0, q.media.length / 100.0));
    if (!job->writer->setPageLayout(sheet) || !m_painter.begin(job->writer.get()))
        throw Error(QCoreApplication::translate("Quillet::CupsPrinterDevice",
                                                "Не удаётся начать печать на принтере %1")
                        .arg(q.label()));
    m_job = std::move(job);
    resetPrintPainter(m_painter);
    const PrinterMetrics m = metrics();
    m_painter.translate(m.printableOffset);
}

QPainter& CupsPrinterDevice::painter()
{
    return m_painter;
}

void CupsPrinterDevice::endJob()
{
    const bool ended = m_painter.end();
    const std::unique_ptr<Job> job = std::move(m_job);
    if (!ended || !job) {
        throw Error(QCoreApplication::translate("Quillet::CupsPrinterDevice",
                                                "Принтер %1 не принял задание «%2»")
                        .arg(m_queue->label(), job ? job->title : QString()));
    }
    job->writer.reset();
    send(job->pdf.data(), job->title, job->copies);
}

void CupsPrinterDevice::abortJob() noexcept
{
    if (m_painter.isActive())
        m_painter.end();
    m_job.reset();
}

void CupsPrinterDevice::send(const QByteArray& pdf, const QString& title, int copies)
{
    const Queue& q = *m_queue;
    const auto refused = [&] {
        return Error(QCoreApplication::translate("Quillet::CupsPrinterDevice",
                                                 "Принтер %1 не принял задание «%2»")
                         .arg(q.label(), title));
    };
    cups_option_t* options = nullptr;
    int count = cupsAddOption(CUPS_COPIES, QByteArray::number(copies).constData(), 0, &options);
    // The sheet the page was drawn for, should the queue's default change meanwhile.
    count = cupsAddOption(CUPS_MEDIA, q.media.media, count, &options);
    const QByteArray name = title.toUtf8();
    int id = 0;
    const ipp_status_t created =
        cupsCreateDestJob(CUPS_HTTP_DEFAULT, q.dest, q.info, &id, name.constData(), count, options);
    cupsFreeOptions(count, options);
    if (created > IPP_STATUS_OK_CONFLICTING || id <= 0)
        throw refused();
    if (cupsStartDestDocument(CUPS_HTTP_DEFAULT, q.dest, q.info, id, name.constData(),
                              CUPS_FORMAT_PDF, 0, nullptr, 1)
        != HTTP_STATUS_CONTINUE) {
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, q.dest, id);
        throw refused();
    }
    const bool written =
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), size_t(pdf.size()))
        == HTTP_STATUS_CONTINUE;
    // Finished even after a failed write: it reads the server's answer and ends the request.
    const bool finished =
        cupsFinishDestDocument(CUPS_HTTP_DEFAULT, q.dest, q.info) <= IPP_STATUS_OK_CONFLICTING;
    if (!written || !finished) {
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, q.dest, id);
        throw refused();
    }
}

} // namespace Quillet
