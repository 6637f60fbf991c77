// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Commands on the marked blocks and on the current node of the field tree, and the core of
// drawing a block with the mouse. Everything is computed in whole pixels of the 300-dpi
// page (edges inclusive, reals rounded half to even), so every coordinate written is a
// whole multiple of MmPerPixel.
//
// Common rules of the commands below:
// - `current` is the tree's current node; a ref that names no node counts as none.
// - The commands marked "snapshot" call PushUndoSnapshot before anything else, also when
//   they then find nothing to do; the step moves and resizes take a step snapshot (a run
//   of them on the same blocks is one undo step) and setBlockRect one only when it changes
//   the block; the others never take one.
// - A block whose result would put a written edge below 0 or beyond the page (0 …
//   pageWidthPx − 1, 0 … pageHeightPx − 1) is left as it is and listed in `refused`;
//   the other blocks are still done.
// - A block text that does not read throws ConversionError. The tree is then left as it
//   was (a snapshot already taken stays), so a command never stops halfway.
// - A changed edge is written at its own seven positions with the rest of the text kept;
//   a block made from a whole new rectangle gets a fresh text.

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/fields/FieldPanels.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace Quillet {

class ProjectDocument;

/// What a command did, for the window to follow up.
struct BlockOpResult {
    /// The tree (texts, order or marks) differs from before.
    bool changed = false;
    /// The command set RepaintPending.
    bool repaint = false;
    /// The node to make current, when the command chooses one (a clone, a merge, an
    /// alignment on a field; after delete or move the current node's new position).
    std::optional<NodeRef> current;
    /// Blocks left alone because the result would leave the page, by their position
    /// after the command (for a clone: the block whose copy was not made).
    std::vector<NodeRef> refused;
};

/// One line for the error list about a refused block, in Russian, naming its field and
/// its text. `node` must exist in `tree`.
QString refusalMessage(const FieldTree& tree, const NodeRef& node);
/// What the status bar says about the refused blocks of one operation, so that a user who
/// does not watch the error list still learns of them: the one block's line, or how many
/// were left as they were; empty when none was refused.
QString refusalSummary(const FieldTree& tree, const std::vector<NodeRef>& refused);

/// `ToolButton22` / `ToolButton23`: every field and block unmarked / marked, and every
/// relation item's check box cleared / set. No snapshot, no repaint.
BlockOpResult unmarkAll(ProjectDocument& doc);
BlockOpResult markAll(ProjectDocument& doc);

/// `ToolButton13`, snapshot: deletes every marked block, and every marked field with all
/// its blocks after removing its number (the value of its ID) from the relations. No
/// repaint. `current` is the current node's new position, none when it was deleted.
BlockOpResult deleteMarked(ProjectDocument& doc, std::optional<NodeRef> current);

/// `ToolButton24`, snapshot: the marked blocks, in tree order and unmarked, go directly
/// before the current block in its field, or after the last block of the current field.
/// A marked current block keeps its place and is unmarked. No repaint. Nothing without a
/// current node. `current` is the current node's new position.
BlockOpResult moveMarkedToCurrent(ProjectDocument& doc, std::optional<NodeRef> current);

enum class AlignEdge {
    Left,   ///< `ToolButton14`: moves to the reference's left edge, keeping the width
    Top,    ///< `ToolButton17`: moves to the reference's top edge, keeping the height
    Right,  ///< `ToolButton8`: right edge := the reference's when the left edge is left of it
    Bottom, ///< `ToolButton9`: bottom edge := the reference's when the top edge is above it
};

/// The four alignments, snapshot: the current block (a current field's first block, which
/// `current` then names) is the reference and never changes; every other marked block is
/// aligned to it. Nothing without a current node or on a field without blocks; otherwise
/// sets RepaintPending.
BlockOpResult alignMarked(ProjectDocument& doc, std::optional<NodeRef> current, AlignEdge edge);

/// `ToolButton18`, snapshot: only with a current block. C = (X1 + X2) div 2 of it; every
/// marked block, the current one included, keeps its width W = X2 − X1 and gets
/// X1 = C − W div 2 (both divisions truncating toward zero). Sets RepaintPending.
BlockOpResult centreMarked(ProjectDocument& doc, std::optional<NodeRef> current);

/// `ToolButton20`, snapshot. A current block gets an unmarked copy directly after it and
/// directly below it (X1, Y2 + 1, X2, 2·Y2 − Y1 + 1), which becomes current. A current
/// field gets an unmarked copy appended as the last field, with the kind digit, the next
/// field number (Project::takeCloneFieldId) and all options, and its blocks shifted right
/// by S = round(stepMm / MmPerPixel) pixels; the new field becomes current, and copies
/// of blocks that would leave the page are not made. Nothing without a current node;
/// otherwise sets RepaintPending. Throws Error when the field numbers are used up, with
/// nothing changed and no number taken.
BlockOpResult cloneCurrent(ProjectDocument& doc, std::optional<NodeRef> current, double stepMm);

/// `ToolButton26`, snapshot: every marked block, of whatever field, is deleted and their
/// bounding box is appended, unmarked, as the last block of the current field (or of the
/// current block's field) and made current. Nothing without a current node or without a
/// marked block; otherwise sets RepaintPending.
BlockOpResult mergeMarked(ProjectDocument& doc, std::optional<NodeRef> current);

enum class StepMove { Up, Down, Left, Right }; ///< `MoveUP`, `MoveDown`, `MoveLeft`, `MoveRight`

/// Moves every marked block by `stepMm` (moveBlocksByStep).
BlockOpResult moveMarkedByStep(ProjectDocument& doc, StepMove move, double stepMm);
/// Moves each of `blocks` that exists by `stepMm`, each edge as
/// round((mm ± stepMm) / MmPerPixel) from the millimetres of its text. A step snapshot
/// (ProjectDocument::PushStepSnapshot): the first of a run of steps on the same blocks
/// takes one, the rest none. Always sets RepaintPending.
BlockOpResult moveBlocksByStep(ProjectDocument& doc, const std::vector<NodeRef>& blocks,
                               StepMove move, double stepMm);

enum class StepResize { VBig, VSmall, HBig, HSmall };

/// Resizes every marked block by `stepMm` (resizeBlocksByStep).
BlockOpResult resizeMarkedByStep(ProjectDocument& doc, StepResize resize, double stepMm);
/// Moves the bottom (V) or right (H) edge of each of `blocks` that exists by ± `stepMm`
/// as round((mm ± stepMm) / MmPerPixel) and writes the top or left edge back as its own
/// pixel; a block whose far edge would not stay beyond its near edge is left as it is
/// (not refused: it is simply too small). A step snapshot as for moveBlocksByStep;
/// always sets RepaintPending.
BlockOpResult resizeBlocksByStep(ProjectDocument& doc, const std::vector<NodeRef>& blocks,
                                 StepResize resize, double stepMm);

/// The block `block` takes the rectangle `px` (page pixels, edges ordered), every edge
/// written at its own positions. When that changes the block: a snapshot, then the write
/// and RepaintPending. A rectangle off the page is refused (the block stays as it is, no
/// snapshot). Nothing when `block` names no block or the block already has `px`.
BlockOpResult setBlockRect(ProjectDocument& doc, const NodeRef& block, const BlockRect& px);

/// `ScaleX` / `ScaleY` of the coordinate panel: max := min + (max − min) × blockScale on
/// the panel's values only (the block is written when the panel is applied).
void ScaleX(CoordsValues& coords, double blockScale);
void ScaleY(CoordsValues& coords, double blockScale);

/// Range of the `Step` edit, millimetres.
inline constexpr double MaxStepMm = 254.0;
/// Default `Step`: exactly 3 pixels.
inline constexpr double DefaultStepMm = MmEditStep;

/// `Step` when it loses the focus: round(mm / MmPerPixel) × MmPerPixel, kept within
/// 0 … MaxStepMm; not a number gives 0.
double snapStep(double mm);

// ---- Drawing a block ----------------------------------------------------------------

/// The rectangle with its corners ordered and every edge moved into the page
/// (0 … width − 1, 0 … height − 1; sides of at least one pixel).
BlockRect clampToPage(const BlockRect& px, QSize pagePx);

/// Block text of a drawn rectangle: clampToPage, then each edge as px × MmPerPixel.
QString drawnBlockText(const BlockRect& px, QSize pagePx);

/// Appends an unmarked block of drawnBlockText(px, page size) as the last block of the
/// field `node` names (or of the field of the block it names) and sets RepaintPending.
/// Takes no snapshot (addDrawnBlock does). Returns the new block; none, with nothing
/// changed, when `node` names nothing.
std::optional<NodeRef> appendBlock(ProjectDocument& doc, const NodeRef& node, const BlockRect& px);

/// The release of a drag in block mode: the field is the current node or its field; the
/// edges are the two points' pixels ordered and moved into the page, inclusive. When they
/// are more than one pixel apart both ways: snapshot, appendBlock, the new block is
/// returned. Otherwise (or without a current node) nothing happens and none is returned.
std::optional<NodeRef> addDrawnBlock(ProjectDocument& doc, std::optional<NodeRef> current,
                                     QPoint startPx, QPoint endPx);

} // namespace Quillet
