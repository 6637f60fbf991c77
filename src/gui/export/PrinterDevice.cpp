// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/export/PrinterDevice.h"

#include "core/common/Errors.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>

#include <cmath>

namespace Quillet {
namespace {

QPoint wholePixels(QPointF point)
{
    return {int(std::lrint(point.x())), int(std::lrint(point.y()))};
}

QSize wholePixels(QSizeF size)
{
    return {int(std::lrint(size.width())), int(std::lrint(size.height()))};
}

// Pictures go to the printer as their exact pixels: Qt's PDF engine, which also feeds
// CUPS, otherwise stores them as JPEG, which rings around small text on a page printed as
// a picture.
void setHints(QPainter& painter)
{
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHint(QPainter::LosslessImageRendering);
}

// A PDF page after the first inherits whatever the previous job left on the painter; a
// printer job starts from a fresh one. Give every page the fresh one's state.
void resetState(QPainter& painter)
{
    painter.resetTransform();
    painter.setClipping(false);
    painter.setOpacity(1);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen());
    painter.setBrush(QBrush());
    painter.setBackground(QBrush(Qt::white));
    painter.setBackgroundMode(Qt::TransparentMode);
    setHints(painter);
}

// Qt's PDF engine reports a file it cannot open only as a warning on stderr and a painter
// that does not begin; find out first, with the system's reason.
void checkWritable(const QString& path)
{
    QFile file(path);
    const bool existed = file.exists();
    if (!file.open(QIODevice::Append)) {
        throw Error(PrinterDevice::tr("Не удаётся записать файл %1: %2")
                        .arg(path, reasonInRussian(file.errorString())));
    }
    file.close();
    if (!existed)
        file.remove();
}

} // namespace

PrinterDevice::PrinterDevice(QPrinter& printer) : m_printer(printer) {}

PrinterDevice::~PrinterDevice()
{
    if (m_painter.isActive())
        m_painter.end();
}

PrinterMetrics PrinterDevice::metrics() const
{
    const QRectF paper = m_printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = m_printer.pageRect(QPrinter::DevicePixel);
    PrinterMetrics metrics;
    metrics.name = m_printer.printerName();
    // The logical resolution is the one the painter's pixels have; Qt's PDF engine, which
    // also prints to CUPS, reports a fixed 1200 as its physical one whatever it draws at.
    metrics.dpiX = m_printer.logicalDpiX();
    metrics.dpiY = m_printer.logicalDpiY();
    metrics.printableOffset = wholePixels(page.topLeft() - paper.topLeft());
    metrics.printableSize = wholePixels(page.size());
    metrics.portrait = m_printer.pageLayout().orientation() == QPageLayout::Portrait;
    return metrics;
}

void PrinterDevice::beginJob(const QString& title, int copies)
{
    if (m_fileOpen) {
        if (!m_printer.newPage())
            throw Error(tr("Не удаётся записать файл %1").arg(m_printer.outputFileName()));
        resetState(m_painter);
        return;
    }
    if (toFile())
        checkWritable(m_printer.outputFileName());
    else if (!m_printer.isValid())
        throw Error(tr("Принтер «%1» недоступен").arg(m_printer.printerName()));
    m_printer.setDocName(title);
    if (copies > 0)
        m_printer.setCopyCount(copies);
    if (!m_painter.begin(&m_printer)) {
        if (toFile())
            throw Error(tr("Не удаётся записать файл %1").arg(m_printer.outputFileName()));
        throw Error(tr("Не удаётся начать печать на принтере «%1»").arg(m_printer.printerName()));
    }
    setHints(m_painter);
    m_fileOpen = toFile();
    m_fileBegun = m_fileBegun || m_fileOpen;
}

QPainter& PrinterDevice::painter()
{
    return m_painter;
}

void PrinterDevice::endJob()
{
    if (m_fileOpen) // the page is complete; the file is written by finish()
        return;
    if (!m_painter.end() || m_printer.printerState() == QPrinter::Error) {
        throw Error(tr("Принтер «%1» не принял задание «%2»")
                        .arg(m_printer.printerName(), m_printer.docName()));
    }
}

void PrinterDevice::abortJob() noexcept
{
    if (!m_painter.isActive())
        return;
    // Qt cannot cancel a job once begun (its PDF engine has no abort): ending it spools
    // what was drawn. Cover the whole sheet with white first, so that a form fed for a page
    // that failed half-way comes out untouched rather than with half of its values.
    const QRectF paper = m_printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = m_printer.pageRect(QPrinter::DevicePixel);
    resetState(m_painter);
    m_painter.fillRect(paper.translated(-page.topLeft()), Qt::white);
    if (!m_fileOpen)
        m_painter.end();
}

void PrinterDevice::finish()
{
    if (!m_fileOpen)
        return;
    m_fileOpen = false;
    if (!m_painter.end() || m_printer.printerState() == QPrinter::Error) {
        throw Error(tr("Не удаётся записать файл %1").arg(m_printer.outputFileName()));
    }
}

void PrinterDevice::discard() noexcept
{
    if (!toFile())
        return;
    if (m_painter.isActive())
        m_painter.end();
    m_fileOpen = false;
    if (m_fileBegun)
        QFile::remove(m_printer.outputFileName());
    m_fileBegun = false;
}

bool PrinterDevice::toFile() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat;
}

} // namespace Quillet
