// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/PdfFileDevice.h"

#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/export/PdfSheet.h"

#include <QCoreApplication>
#include <QPdfWriter>
#include <QSaveFile>

namespace Quillet {

PdfFileDevice::PdfFileDevice(const QString& path, int dpi, QSizeF sheetMm)
    : m_path(path), m_dpi(dpi), m_sheetMm(sheetMm)
{
    pdfSheetLayout(sheetMm); // refuses a sheet with no area before anything is drawn
}

PdfFileDevice::~PdfFileDevice()
{
    discard();
}

PrinterMetrics PdfFileDevice::metrics() const
{
    const long double mmPerPixel = mmPerPixelAt(m_dpi);
    PrinterMetrics metrics;
    metrics.dpiX = m_dpi;
    metrics.dpiY = m_dpi;
    metrics.printableSize = QSize(int(mmToPixel(m_sheetMm.width(), mmPerPixel)),
                                  int(mmToPixel(m_sheetMm.height(), mmPerPixel)));
    metrics.portrait = !(m_sheetMm.width() > m_sheetMm.height());
    return metrics;
}

void PdfFileDevice::beginJob(const QString& title, int)
{
    if (m_painter.isActive()) {
        if (!m_writer->newPage())
            throw Error(
                QCoreApplication::translate("Quillet::PdfFileDevice", "Не удаётся записать файл %1")
                    .arg(m_path));
        resetPrintPainter(m_painter);
        return;
    }
    // Written beside the target and renamed over it at the end, so that a print failing
    // half-way leaves no half-made file.
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString reason = reasonInRussian(m_file->errorString());
        m_file.reset();
        throw Error(
            QCoreApplication::translate("Quillet::PdfFileDevice", "Не удаётся записать файл %1: %2")
                .arg(m_path, reason));
    }
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setResolution(m_dpi);
    m_writer->setTitle(title);
    if (!m_writer->setPageLayout(pdfSheetLayout(m_sheetMm)) || !m_painter.begin(m_writer.get())) {
        discard();
        throw Error(
            QCoreApplication::translate("Quillet::PdfFileDevice", "Не удаётся записать файл %1")
                .arg(m_path));
    }
    resetPrintPainter(m_painter);
}

QPainter& PdfFileDevice::painter()
{
    return m_painter;
}

void PdfFileDevice::endJob() {}

void PdfFileDevice::abortJob() noexcept
{
    discard();
}

void PdfFileDevice::finish()
{
    if (!m_file)
        return;
    const bool ended = m_painter.end();
    m_writer.reset();
    if (!ended || !m_file->commit()) {
        m_file.reset();
        throw Error(
            QCoreApplication::translate("Quillet::PdfFileDevice", "Не удаётся записать файл %1")
                .arg(m_path));
    }
    m_file.reset();
}

void PdfFileDevice::discard() noexcept
{
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
}

} // namespace Quillet
