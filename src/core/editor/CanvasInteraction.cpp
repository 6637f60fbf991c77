// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/editor/CanvasInteraction.h"

#include "core/app/NodeGrammar.h"
#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/editor/BlockOperations.h"
#include "core/editor/ViewGeometry.h"
#include "core/raster/FastDIB.h"
#include "core/render/TextLayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <utility>

namespace Quillet {
namespace {

constexpr int kPageDpi = 300;
constexpr double kShapePresetMm = 10.0;

QPointF textPreset(const QString& field)
{
    const TOptTextField options = ParseTextOptions(QStringView(field).mid(4), field.left(4));
    QFont font(options.fontName);
    font.setPixelSize(std::max(1, fontPixelSize(std::max(options.fontSize, 1), kPageDpi)));
    font.setHintingPreference(QFont::PreferNoHinting);
    // Metrics taken through a painter on a 300-dpi image, as the page canvas measures.
    QImage canvas(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(kPageDpi / 0.0254));
    canvas.setDotsPerMeterX(dotsPerMetre);
    canvas.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&canvas);
    painter.setFont(font);
    const QFontMetricsF metrics = painter.fontMetrics();
    const double h = metrics.boundingRect(QStringLiteral("ЙЩЁур")).height();
    const double mmPerPx = double(MmPerPixel);
    // A comb field takes one character per block: each click draws one square block.
    const double w = options.comb ? h : metrics.horizontalAdvance(options.fieldText);
    return {w * mmPerPx + 1.0, h * mmPerPx + 1.0};
}

QPointF imagePreset(const QString& field, const QString& projectPath)
{
    const ImageFieldOptions options = parseImageOptions(QStringView(field).mid(4), field.left(4));
    TFastDIB picture;
    if (options.fileName.isEmpty()
        || !LoadPictureFile(resolveImagePath(options.fileName, projectPath), picture))
        return {0.0, 0.0};
    const double mmPerPx = double(MmPerPixel);
    return {picture.width() * mmPerPx, picture.absHeight() * mmPerPx};
}

} // namespace

QPointF viewToMmPoint(QPoint viewPos, double viewScale)
{
    return {double(ViewZoom::viewToMm(viewPos.x(), viewScale)),
            double(ViewZoom::viewToMm(viewPos.y(), viewScale))};
}

QPoint mmToPixelPoint(QPointF mm)
{
    return {int(mmToPixel(mm.x())), int(mmToPixel(mm.y()))};
}

QPointF ctrlPresetMm(const QString& field, const QString& projectPath)
{
    if (field.startsWith(u'0'))
        return textPreset(field);
    if (field.startsWith(u'1'))
        return imagePreset(field, projectPath);
    return {kShapePresetMm, kShapePresetMm};
}

bool CanvasInteraction::press(const ProjectDocument& doc, const CanvasEvent& event,
                              const CanvasPressContext& context)
{
    DragActive = false;
    if (!event.left)
        return false;
    const QPointF at = viewToMmPoint(event.viewPos, event.viewScale);
    if (event.angleShown) {
        start = current = at;
        DragActive = true;
        return true;
    }
    const FieldTree& tree = doc.project.Structure;
    if (!context.current || !tree.contains(*context.current) || context.PageN != 0
        || !context.basicOptEnabled)
        return false;
    DragField = NodeRef{context.current->field, -1};
    start = current = at;
    // The drag starts before the preset is read, so a field text that does not read
    // still leaves a plain drag going.
    DragActive = true;
    if (event.ctrl)
        current = start + ctrlPresetMm(tree.node(*DragField).text, context.projectPath);
    return true;
}

CanvasOverlay CanvasInteraction::overlay(bool angleShown) const
{
    if (!DragActive)
        return {};
    const auto kind =
        angleShown ? CanvasOverlay::Kind::DashedLine : CanvasOverlay::Kind::HatchedRect;
    return {kind, mmToPixelPoint(start), mmToPixelPoint(current)};
}

CanvasOverlay CanvasInteraction::move(const CanvasEvent& event)
{
    if (!DragActive)
        return {};
    if (event.angleShown || !event.ctrl)
        current = viewToMmPoint(event.viewPos, event.viewScale);
    return overlay(event.angleShown);
}

CanvasRelease CanvasInteraction::release(ProjectDocument& doc, const CanvasEvent& event)
{
    CanvasRelease result;
    if (!DragActive)
        return result;
    DragActive = false;
    if (event.angleShown) {
        current = viewToMmPoint(event.viewPos, event.viewScale);
        doc.RepaintPending = true;
        result.repaint = true;
        result.anglePoints = std::pair{start, current};
        return result;
    }
    if (!event.ctrl)
        current = viewToMmPoint(event.viewPos, event.viewScale);
    const QPoint from = mmToPixelPoint(start);
    const QPoint to = mmToPixelPoint(current);
    start = current = QPointF();
    result.anglePoints = std::pair{start, current};
    result.newBlock = addDrawnBlock(doc, DragField, from, to);
    result.repaint = result.newBlock.has_value();
    return result;
}

std::optional<NodeRef> blockAt(const FieldTree& tree, QPoint px)
{
    for (int f = int(tree.fields.size()) - 1; f >= 0; --f) {
        const std::vector<TreeNode>& blocks = tree.fields[size_t(f)].blocks;
        for (int b = int(blocks.size()) - 1; b >= 0; --b) {
            try {
                const BlockRect r = ParseBlockRect(blocks[size_t(b)].text);
                if (px.x() >= std::min(r.Left, r.Right) && px.x() <= std::max(r.Left, r.Right)
                    && px.y() >= std::min(r.Top, r.Bottom) && px.y() <= std::max(r.Top, r.Bottom))
                    return NodeRef{f, b};
            } catch (const Error&) {
                // The page view shows such a block nowhere, so nothing can be under the pointer.
            }
        }
    }
    return std::nullopt;
}

void coordsExit(CoordsValues& coords, CoordsEdit which)
{
    double* edit = nullptr;
    switch (which) {
    case CoordsEdit::Min_x:
        edit = &coords.Min_x;
        break;
    case CoordsEdit::Min_y:
        edit = &coords.Min_y;
        break;
    case CoordsEdit::max_x:
        edit = &coords.max_x;
        break;
    case CoordsEdit::max_y:
        edit = &coords.max_y;
        break;
    }
    *edit = double(snapToPixel(*edit));
    if (coords.Min_x > coords.max_x)
        std::swap(coords.Min_x, coords.max_x);
    if (coords.Min_y > coords.max_y)
        std::swap(coords.Min_y, coords.max_y);
}

CanvasOverlay coordsPreviewRect(const CoordsValues& coords)
{
    return {CanvasOverlay::Kind::HatchedRect, mmToPixelPoint({coords.Min_x, coords.Min_y}),
            mmToPixelPoint({coords.max_x, coords.max_y})};
}

} // namespace Quillet
