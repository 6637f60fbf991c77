// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Mouse work on the page view, free of widgets: drawing a new block by dragging on the
// layout page, picking the two points of the background's tilt while the angle panel is
// shown, and the live rules of the block coordinate panel. Pointer positions come in as
// view pixels; points are kept in millimetres (view / ViewScale × MmPerPixel) and the
// overlay to draw is given in page pixels (round(mm / MmPerPixel), ties to even).

#include "core/app/FieldTree.h"
#include "core/fields/FieldPanels.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

#include <optional>

namespace Quillet {

class ProjectDocument;

/// One mouse event as the page view saw it.
struct CanvasEvent {
    QPoint viewPos; ///< view pixels
    double viewScale = 1.0;
    bool ctrl = false;       ///< Ctrl held
    bool left = true;        ///< the left button (a press of any other cancels the drag)
    bool angleShown = false; ///< `AngleOpt` is visible: the event works in angle mode
};

/// What a press in block mode needs to know of the window.
struct CanvasPressContext {
    std::optional<NodeRef> current; ///< the tree's current node
    int PageN = 0;
    bool basicOptEnabled = true; ///< `BasicOpt` (disabled while a field panel is open)
    QString projectPath;         ///< image names are relative to its folder
};

/// What the view draws over the page raster, in page pixels.
struct CanvasOverlay {
    enum class Kind { None, HatchedRect, DashedLine };
    Kind kind = Kind::None;
    QPoint from; ///< the start point's pixel
    QPoint to;   ///< the current point's pixel
    bool operator==(const CanvasOverlay&) const = default;
};

/// What a release left for the window to do.
struct CanvasRelease {
    /// RepaintPending was set (a block was added, or the angle line must go).
    bool repaint = false;
    /// The block appended by a drag in block mode.
    std::optional<NodeRef> newBlock;
    /// The points for `t1_x` … `t2_y` (mm): the picked line in angle mode, all zero after
    /// a drag in block mode; none when no drag was active.
    std::optional<std::pair<QPointF, QPointF>> anglePoints;
};

/// The drag of the page view: `DragActive`, `DragField` and the two points. The mode is
/// decided at every event by CanvasEvent::angleShown.
class CanvasInteraction {
public:
    bool DragActive = false;
    std::optional<NodeRef> DragField;
    QPointF start;   ///< mm
    QPointF current; ///< mm

    /// `DXDraw1MouseDown`. Clears the drag; only the left button goes on. In angle mode
    /// both points := the pointer and the drag starts. In block mode the drag starts only
    /// with a current node that exists, PageN 0 and BasicOpt enabled; DragField is that
    /// node's field, and with Ctrl the current point is preset from the field's content
    /// (ctrlPresetMm). Returns true when a drag started. A field text that ctrlPresetMm
    /// cannot read throws ConversionError, with the drag started as a plain one.
    bool press(const ProjectDocument& doc, const CanvasEvent& event,
               const CanvasPressContext& context);

    /// `DXDraw1MouseMove` (after the readout). Nothing without a drag. Angle mode: current
    /// := the pointer, a dashed line. Block mode: current := the pointer unless Ctrl is
    /// held, a hatched rectangle. Returns the overlay to draw (None without a drag).
    CanvasOverlay move(const CanvasEvent& event);

    /// `DXDraw1MouseUp`, any button. Nothing without a drag. Angle mode: current := the
    /// pointer and a repaint. Block mode: current := the pointer unless Ctrl is held, then
    /// addDrawnBlock with both points' pixels (the block is clamped to the page; nothing
    /// when the pixels are not more than one apart both ways) and the points reset to 0.
    /// The drag ends in every case. Throws ConversionError, with the drag ended and the
    /// tree as it was, when the field's text does not read.
    CanvasRelease release(ProjectDocument& doc, const CanvasEvent& event);

    /// The overlay of the drag as it stands (None without a drag).
    CanvasOverlay overlay(bool angleShown) const;
};

/// Millimetres under a view position: each axis v / viewScale × MmPerPixel.
QPointF viewToMmPoint(QPoint viewPos, double viewScale);

/// Page pixel of a point in millimetres, each axis round(mm / MmPerPixel).
QPoint mmToPixelPoint(QPointF mm);

/// The Ctrl preset of a drag on `field` (a field node's text), as the offset (mm) from
/// the start point to the current point:
/// - text field: (w × MmPerPixel + 1, h × MmPerPixel + 1), w the width of the field text
///   and h the height of "ЙЩЁур" in page pixels, measured in the field's face and size
///   at 300 dpi (bold, italic and underline not applied); a comb field (one character
///   per block) gives one block, a square of side h × MmPerPixel + 1;
/// - image field: the picture's size in pixels × MmPerPixel; the file is looked for as
///   stored relative to `projectPath`, then as named, then beside the program; (0, 0)
///   when it does not load;
/// - shape field (or any other kind digit): (10, 10).
/// A field text whose options do not read throws ConversionError.
QPointF ctrlPresetMm(const QString& field, const QString& projectPath);

/// The block under page pixel `px` (edges inclusive), the last drawn winning where
/// blocks overlap; none when no block covers it. Blocks whose text does not read are
/// passed over.
std::optional<NodeRef> blockAt(const FieldTree& tree, QPoint px);

/// Which edit of the coordinate panel lost the focus.
enum class CoordsEdit { Min_x, Min_y, max_x, max_y };

/// `Min_xExit`: the edit `which` is snapped to a whole page pixel, then Min_x and max_x
/// are exchanged when Min_x > max_x, then Min_y and max_y likewise.
void coordsExit(CoordsValues& coords, CoordsEdit which);

/// The preview rectangle of the coordinate panel (`Min_xChange`): from the pixel of
/// (Min_x, Min_y) to the pixel of (max_x, max_y).
CanvasOverlay coordsPreviewRect(const CoordsValues& coords);

} // namespace Quillet
