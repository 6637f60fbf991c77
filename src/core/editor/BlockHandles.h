// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The current block on the layout view, as a layout designer offers it: a press on a block
// makes it current, its eight handles resize it, its inside moves it, and the arrow keys
// nudge it by the step. Everything stays in whole page pixels: a drag travels the
// difference of the page pixels under the pointer (round(view / ViewScale), as every
// mouse position is read) and writes the block once, when the button is released.

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/editor/BlockOperations.h"
#include "core/editor/CanvasInteraction.h"

#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <array>
#include <optional>

namespace Quillet {

class ProjectDocument;

/// Where the pointer holds a block: its inside, or one of its handles (clockwise from the
/// top left corner).
enum class BlockGrip {
    Inside,
    TopLeft,
    Top,
    TopRight,
    Right,
    BottomRight,
    Bottom,
    BottomLeft,
    Left
};

/// Side of a handle on screen, view pixels.
inline constexpr double HandleViewPx = 7.0;

/// The handles of the block `px` (page pixels, edges inclusive) on a view of `scale` view
/// pixels per page pixel, in the order of BlockGrip from TopLeft: squares of HandleViewPx
/// just outside the block's corners and the middles of its sides, so that however small
/// the block shows, its whole inside is left for moving it.
std::array<QRectF, 8> blockHandles(const BlockRect& px, double scale);

/// What the view position `viewPos` holds of the block `px`: a handle (a corner before a
/// side where they overlap), else its inside; none when it is off both.
std::optional<BlockGrip> gripOf(const BlockRect& px, QPoint viewPos, double scale);

/// A block and where the pointer holds it.
struct GripHit {
    NodeRef block;
    BlockGrip grip = BlockGrip::Inside;
    bool operator==(const GripHit&) const = default;
};

/// What a press of the left button at `event` takes hold of: the current block by a handle
/// or its inside, else the topmost block under the pointer by its inside (blockAt). Only
/// on the layout view (PageN 0) with BasicOpt enabled, outside angle mode and without Ctrl
/// (Ctrl draws); none otherwise, and none leaves the press to drawing. Blocks whose text
/// does not read are passed over.
std::optional<GripHit> gripAt(const FieldTree& tree, const CanvasEvent& event,
                              const CanvasPressContext& context);

/// The pointer's shape over a grip: a double arrow along what a handle moves, four arrows
/// over the inside.
Qt::CursorShape gripCursor(BlockGrip grip);

/// The block `px` once `grip` is dragged by `deltaPx` page pixels on a page of `pagePx`
/// pixels (edges come out ordered):
/// - Inside moves the whole block, its travel held so that the block stays on the page;
/// - a corner moves its two edges, a side its one, each held on the page and at least one
///   pixel beyond the edge across from it (the least size a step resize leaves).
/// None when the block cannot be kept on the page that way (it is larger than the page,
/// or an edge that does not move lies off it): it is refused as the step moves refuse a
/// block that would leave the page.
std::optional<BlockRect> draggedRect(const BlockRect& px, BlockGrip grip, QPoint deltaPx,
                                     QSize pagePx);

/// A drag of a block by a handle or its inside, from press to release.
class BlockDrag {
public:
    /// The pointer must travel `startDistance` view pixels (Manhattan length) before a press
    /// becomes a drag, so that a click leaves the block where it is.
    explicit BlockDrag(int startDistance = 0) : m_startDistance(startDistance) {}

    bool active() const { return m_hit.has_value(); }
    /// The block and grip held, while active.
    const std::optional<GripHit>& hit() const { return m_hit; }

    /// Any press ends the drag there was (a second button cancels it). A left press that
    /// gripAt finds something for starts one; the hit is returned, and its block is to be
    /// made current. None leaves the press to drawing.
    std::optional<GripHit> press(const ProjectDocument& doc, const CanvasEvent& event,
                                 const CanvasPressContext& context);

    /// The block as a release at `event` would leave it (the live preview): the block as it
    /// is until the pointer has travelled far enough, and also while the drag is refused.
    /// Without a drag, an empty rectangle.
    BlockRect move(const CanvasEvent& event);

    /// Ends the drag (any button). When the pointer travelled far enough, the block takes
    /// draggedRect with setBlockRect: one snapshot when it changes, none when it does not,
    /// and a refused block is listed. Nothing without a drag.
    BlockOpResult release(ProjectDocument& doc, const CanvasEvent& event);

private:
    std::optional<BlockRect> dragged(const CanvasEvent& event);

    int m_startDistance = 0;
    std::optional<GripHit> m_hit;
    BlockRect m_original; // ordered
    QSize m_pagePx;
    QPoint m_pressView;
    bool m_travelled = false;
};

/// The arrow keys on the page view, on the current block under the conditions of gripAt
/// (PageN 0, BasicOpt enabled): Up, Down, Left and Right move it by `stepMm` as `MoveUP`,
/// `MoveDown`, `MoveLeft` and `MoveRight` do; with Shift they make it shorter (`VSmall`),
/// taller (`VBig`), narrower (`HSmall`) and wider (`HBig`). Each takes the step snapshot of
/// those buttons, so a run of nudges of one block is one undo step. None, with nothing
/// done, when the key is not for this (another key or modifier, no current block, another
/// page, BasicOpt disabled): the key then goes on as it would have.
std::optional<BlockOpResult> nudgeCurrentBlock(ProjectDocument& doc,
                                               const CanvasPressContext& context, int key,
                                               Qt::KeyboardModifiers modifiers, double stepMm);

} // namespace Quillet
