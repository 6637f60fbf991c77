// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/PdfSheet.h"

#include "core/common/Errors.h"
#include "core/common/Geometry.h"

#include <QCoreApplication>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>

namespace Quillet {

QPageLayout pdfSheetLayout(QSizeF sheetMm)
{
    if (!(sheetMm.width() > 0 && sheetMm.height() > 0))
        throw Error(QCoreApplication::translate("Quillet::PdfSheet", "У страницы нет размера"));
    const bool landscape = sheetMm.width() > sheetMm.height();
    const QSizeF upright = landscape ? sheetMm.transposed() : sheetMm;
    QPageLayout layout(QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
    // The painter's (0, 0) is the sheet's corner; a device with an unprintable margin moves
    // its painter itself, by whole pixels as the printer reports them.
    layout.setMode(QPageLayout::FullPageMode);
    if (!layout.isValid())
        throw Error(QCoreApplication::translate("Quillet::PdfSheet",
                                                "Размер страницы не подходит для файла PDF"));
    return layout;
}

int hundredthsMmToPixels(int hundredthsMm, int dpi)
{
    return int(roundHalfEven(static_cast<long double>(hundredthsMm) * dpi / 2540));
}

void resetPrintPainter(QPainter& painter)
{
    painter.resetTransform();
    painter.setClipping(false);
    painter.setOpacity(1);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen());
    painter.setBrush(QBrush());
    painter.setBackground(QBrush(Qt::white));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHint(QPainter::LosslessImageRendering);
}

} // namespace Quillet
