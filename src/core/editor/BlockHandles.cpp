// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/editor/BlockHandles.h"

#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"

#include <algorithm>

namespace Quillet {
namespace {

BlockRect ordered(const BlockRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

// Which edges a grip drags.
struct Moves {
    bool left = false, top = false, right = false, bottom = false;
};

Moves movesOf(BlockGrip grip)
{
    switch (grip) {
    case BlockGrip::Inside:
        return {true, true, true, true};
    case BlockGrip::TopLeft:
        return {true, true, false, false};
    case BlockGrip::Top:
        return {false, true, false, false};
    case BlockGrip::TopRight:
        return {false, true, true, false};
    case BlockGrip::Right:
        return {false, false, true, false};
    case BlockGrip::BottomRight:
        return {false, false, true, true};
    case BlockGrip::Bottom:
        return {false, false, false, true};
    case BlockGrip::BottomLeft:
        return {true, false, false, true};
    case BlockGrip::Left:
        break;
    }
    return {true, false, false, false};
}

// The travel along one axis that keeps [low, high] moved by it within [0, last]; none when
// the span does not fit.
std::optional<long long> heldTravel(long long low, long long high, long long travel, long long last)
{
    const long long least = -low;
    const long long most = last - high;
    if (least > most)
        return std::nullopt;
    return std::clamp(travel, least, most);
}

// Moves `edge` by `travel` when the grip drags it, held within [least, most]; false when
// that range is empty.
bool holdEdge(long long& edge, bool dragged, long long travel, long long least, long long most)
{
    if (!dragged)
        return true;
    if (least > most)
        return false;
    edge = std::clamp(edge + travel, least, most);
    return true;
}

std::optional<BlockRect> resized(const BlockRect& r, Moves moves, QPoint delta, QSize page)
{
    long long left = r.Left, top = r.Top, right = r.Right, bottom = r.Bottom;
    // Each dragged edge stays on the page and at least one pixel beyond the one across.
    if (!holdEdge(left, moves.left, delta.x(), 0, right - 1)
        || !holdEdge(right, moves.right, delta.x(), left + 1, page.width() - 1)
        || !holdEdge(top, moves.top, delta.y(), 0, bottom - 1)
        || !holdEdge(bottom, moves.bottom, delta.y(), top + 1, page.height() - 1))
        return std::nullopt;
    // An edge the grip leaves alone may lie off the page.
    if (left < 0 || top < 0 || right >= page.width() || bottom >= page.height())
        return std::nullopt;
    return BlockRect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
}

QPoint pagePixel(const CanvasEvent& event)
{
    return mmToPixelPoint(viewToMmPoint(event.viewPos, event.viewScale));
}

bool layoutEditable(const CanvasPressContext& context)
{
    return context.PageN == 0 && context.basicOptEnabled;
}

std::optional<BlockRect> readBlock(const FieldTree& tree, const NodeRef& node)
{
    if (!node.isBlock() || !tree.contains(node))
        return std::nullopt;
    try {
        return ordered(ParseBlockRect(tree.node(node).text));
    } catch (const Error&) {
        return std::nullopt; // the view shows no such block, so there is nothing to hold
    }
}

} // namespace

std::array<QRectF, 8> blockHandles(const BlockRect& px, double scale)
{
    const BlockRect r = ordered(px);
    const double h = HandleViewPx;
    // The block covers its edge pixels: from the left edge of its first pixel to the
    // right edge of its last.
    const double left = r.Left * scale;
    const double top = r.Top * scale;
    const double right = (r.Right + 1) * scale;
    const double bottom = (r.Bottom + 1) * scale;
    const double midX = (left + right - h) / 2;
    const double midY = (top + bottom - h) / 2;
    return {QRectF(left - h, top - h, h, h), QRectF(midX, top - h, h, h),
            QRectF(right, top - h, h, h),    QRectF(right, midY, h, h),
            QRectF(right, bottom, h, h),     QRectF(midX, bottom, h, h),
            QRectF(left - h, bottom, h, h),  QRectF(left - h, midY, h, h)};
}

std::optional<BlockGrip> gripOf(const BlockRect& px, QPoint viewPos, double scale)
{
    // A view position names a screen pixel; its centre decides.
    const QPointF at = QPointF(viewPos) + QPointF(0.5, 0.5);
    const std::array<QRectF, 8> handles = blockHandles(px, scale);
    constexpr std::array<BlockGrip, 8> grips = {
        BlockGrip::TopLeft,     BlockGrip::Top,    BlockGrip::TopRight,   BlockGrip::Right,
        BlockGrip::BottomRight, BlockGrip::Bottom, BlockGrip::BottomLeft, BlockGrip::Left};
    for (size_t i : {0u, 2u, 4u, 6u, 1u, 3u, 5u, 7u}) {
        if (handles[i].contains(at))
            return grips[i];
    }
    const BlockRect r = ordered(px);
    const QRectF inside(QPointF(r.Left * scale, r.Top * scale),
                        QPointF((r.Right + 1) * scale, (r.Bottom + 1) * scale));
    if (inside.contains(at))
        return BlockGrip::Inside;
    return std::nullopt;
}

std::optional<GripHit> gripAt(const FieldTree& tree, const CanvasEvent& event,
                              const CanvasPressContext& context)
{
    if (!event.left || event.angleShown || event.ctrl || !layoutEditable(context))
        return std::nullopt;
    if (context.current) {
        if (const std::optional<BlockRect> current = readBlock(tree, *context.current)) {
            if (const std::optional<BlockGrip> grip =
                    gripOf(*current, event.viewPos, event.viewScale))
                return GripHit{*context.current, *grip};
        }
    }
    if (const std::optional<NodeRef> under = blockAt(tree, pagePixel(event)))
        return GripHit{*under, BlockGrip::Inside};
    return std::nullopt;
}

Qt::CursorShape gripCursor(BlockGrip grip)
{
    switch (grip) {
    case BlockGrip::Inside:
        return Qt::SizeAllCursor;
    case BlockGrip::TopLeft:
    case BlockGrip::BottomRight:
        return Qt::SizeFDiagCursor;
    case BlockGrip::TopRight:
    case BlockGrip::BottomLeft:
        return Qt::SizeBDiagCursor;
    case BlockGrip::Top:
    case BlockGrip::Bottom:
        return Qt::SizeVerCursor;
    case BlockGrip::Left:
    case BlockGrip::Right:
        break;
    }
    return Qt::SizeHorCursor;
}

std::optional<BlockRect> draggedRect(const BlockRect& px, BlockGrip grip, QPoint deltaPx,
                                     QSize pagePx)
{
    const BlockRect r = ordered(px);
    const QSize page(std::max(pagePx.width(), 1), std::max(pagePx.height(), 1));
    if (grip != BlockGrip::Inside)
        return resized(r, movesOf(grip), deltaPx, page);
    const std::optional<long long> dx = heldTravel(r.Left, r.Right, deltaPx.x(), page.width() - 1);
    const std::optional<long long> dy = heldTravel(r.Top, r.Bottom, deltaPx.y(), page.height() - 1);
    if (!dx || !dy)
        return std::nullopt;
    return BlockRect{int32_t(r.Left + *dx), int32_t(r.Top + *dy), int32_t(r.Right + *dx),
                     int32_t(r.Bottom + *dy)};
}

std::optional<GripHit> BlockDrag::press(const ProjectDocument& doc, const CanvasEvent& event,
                                        const CanvasPressContext& context)
{
    m_hit.reset();
    const FieldTree& tree = doc.project.Structure;
    const std::optional<GripHit> hit = gripAt(tree, event, context);
    if (!hit)
        return std::nullopt;
    // gripAt found the block by its text, so it reads.
    m_original = *readBlock(tree, hit->block);
    m_pagePx = QSize(doc.project.pageWidthPx(), doc.project.pageHeightPx());
    m_pressView = event.viewPos;
    m_travelled = false;
    m_hit = hit;
    return hit;
}

std::optional<BlockRect> BlockDrag::dragged(const CanvasEvent& event)
{
    if ((event.viewPos - m_pressView).manhattanLength() >= m_startDistance)
        m_travelled = true;
    if (!m_travelled)
        return m_original;
    const CanvasEvent pressed{m_pressView, event.viewScale};
    return draggedRect(m_original, m_hit->grip, pagePixel(event) - pagePixel(pressed), m_pagePx);
}

BlockRect BlockDrag::move(const CanvasEvent& event)
{
    if (!m_hit)
        return {};
    return dragged(event).value_or(m_original);
}

BlockOpResult BlockDrag::release(ProjectDocument& doc, const CanvasEvent& event)
{
    BlockOpResult result;
    if (!m_hit)
        return result;
    const GripHit hit = *m_hit;
    const std::optional<BlockRect> rect = dragged(event);
    const bool travelled = m_travelled;
    m_hit.reset();
    if (!travelled)
        return result;
    if (!rect) {
        result.refused.push_back(hit.block);
        return result;
    }
    return setBlockRect(doc, hit.block, *rect);
}

std::optional<BlockOpResult> nudgeCurrentBlock(ProjectDocument& doc,
                                               const CanvasPressContext& context, int key,
                                               Qt::KeyboardModifiers modifiers, double stepMm)
{
    // The keypad's arrows count as the arrows.
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held != Qt::NoModifier && held != Qt::ShiftModifier)
        return std::nullopt;
    if (!layoutEditable(context) || !context.current || !context.current->isBlock()
        || !doc.project.Structure.contains(*context.current))
        return std::nullopt;
    const std::vector<NodeRef> block = {*context.current};
    const bool resize = held == Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_Up:
        return resize ? resizeBlocksByStep(doc, block, StepResize::VSmall, stepMm)
                      : moveBlocksByStep(doc, block, StepMove::Up, stepMm);
    case Qt::Key_Down:
        return resize ? resizeBlocksByStep(doc, block, StepResize::VBig, stepMm)
                      : moveBlocksByStep(doc, block, StepMove::Down, stepMm);
    case Qt::Key_Left:
        return resize ? resizeBlocksByStep(doc, block, StepResize::HSmall, stepMm)
                      : moveBlocksByStep(doc, block, StepMove::Left, stepMm);
    case Qt::Key_Right:
        return resize ? resizeBlocksByStep(doc, block, StepResize::HBig, stepMm)
                      : moveBlocksByStep(doc, block, StepMove::Right, stepMm);
    default:
        return std::nullopt;
    }
}

} // namespace Quillet
