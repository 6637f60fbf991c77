// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/RenderSupport.h"

#include "core/common/Geometry.h"
#include "core/workbook/SpreadsheetReader.h"

namespace QuilletTest {

using namespace Quillet;

QRect inkBox(const QImage& image, const QRect& area)
{
    QRect box;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 192)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

QRect pixelsOf(const BlockRect& block)
{
    return QRect(block.Left, block.Top, block.Right - block.Left, block.Bottom - block.Top);
}

RenderedPage::RenderedPage(int width, int height, const Workbook* book, const QString& sheet)
    : workbook(book)
{
    project.settings.PrWidth = double(pixelToMm(width));
    project.settings.PrHeight = double(pixelToMm(height));
    project.settings.sheet = sheet;
}

QString RenderedPage::addTextField(const TOptTextField& options,
                                   const std::vector<BlockRect>& blocks)
{
    const QString id = project.takeNewFieldId(FieldKind::Text);
    FieldNode field;
    field.text = composeTextField(id, options);
    for (const BlockRect& block : blocks)
        field.blocks.push_back(TreeNode{composeBlockText(block), false});
    project.Structure.fields.push_back(field);
    return id;
}

void RenderedPage::render(int page, int dpi)
{
    raster = makePageRaster(project);
    if (dpi != 300) {
        raster =
            QImage(raster.width() * dpi / 300, raster.height() * dpi / 300, QImage::Format_RGB32);
        raster.fill(Qt::white);
    }
    drawn.clear();
    errors.lines.clear();
    RenderSource source;
    source.project = &project;
    source.workbook = workbook;
    source.lineObserver = [this](const BlockRect& block, const QString& text, int, int,
                                 int pixelSize) {
        drawn.push_back({block, text, pixelSize});
    };
    RenderTarget target;
    target.image = &raster;
    target.dpi = dpi;
    target.mmPerPixel = mmPerPixelAt(dpi);
    RenderPage(source, target, page, errors);
}

QStringList RenderedPage::textsIn(const BlockRect& block) const
{
    QStringList texts;
    for (const DrawnText& d : drawn) {
        if (d.block == block)
            texts << d.text;
    }
    return texts;
}

} // namespace QuilletTest
