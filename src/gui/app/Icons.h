// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The pictures on the window's buttons. Each has a drawing of ours in the resources
// (":/icons/<file>.svg", line icons made for 16 or 24 pixels, so they stay sharp at that
// size and at whole multiples of it) and, where the freedesktop icon naming fits it, a
// theme name: the desktop's icon theme draws those instead when it has them. A platform
// without an icon theme (the offscreen one of the tests and pictures) shows our drawings.

#include <QIcon>
#include <QSize>

#include <span>

class QAbstractButton;
class QToolButton;
class QWidget;

namespace Quillet {

enum class IconName {
    // The window's two toolbars, drawn for 24 pixels.
    AreaProject,
    AreaBackground,
    AreaBlocks,
    AreaStructure,
    AreaExport,
    Undo,
    Redo,
    Help,
    ZoomOriginal,
    ZoomPhysical,
    ZoomFit,
    ZoomIn,
    ZoomOut,
    PageRepaint,
    PageLast,
    // The panels' buttons, drawn for 16 pixels.
    SelectNone,
    SelectAll,
    Delete,
    BlocksMoveToCurrent,
    AlignLeft,
    AlignTop,
    AlignRight,
    AlignBottom,
    AlignHCenter,
    Clone,
    BlocksMerge,
    BlockDivide,
    AutoReplace,
    MoveUp,
    MoveDown,
    MoveLeft,
    MoveRight,
    SizeNarrower,
    SizeWider,
    SizeShorter,
    SizeTaller,
    RelationLink,
    RelationUnlink,
    ListAdd,
    ListRemove,
    ListClear,
    DocumentNew,
    DocumentOpen,
    DocumentAppend,
    DocumentSave,
    PagesAll,
    PagesToCurrent,
    PagesInvert,
    PagesToggleCurrent,
    ExportPdf,
    Print,
    SpellCheck,
    JustifyLeft,
    JustifyCenter,
    JustifyRight,
    VAlignTop,
    VAlignMiddle,
    VAlignBottom,
    FillTopDown,
    FillBottomUp,
    PlaceLeft,
    PlaceCenter,
    PlaceRight,
    PlaceTop,
    PlaceMiddle,
    PlaceBottom,
    LineTop,
    LineBottom,
    LineLeft,
    LineRight,
    LineBackslash,
    LineSlash,
    StrokeSolid,
    StrokeNone,
    StrokeDash,
    StrokeDashDot,
    StrokeDot,
    FillSolid,
    FillNone,
    FillBDiag,
    FillFDiag,
    FillVertical,
    FillHorizontal,
    FillCross,
    FillDiagCross,
    ScaleWidth,
    ScaleHeight,
    Reload,
    WorkbookShow,
    Apply,
    Cancel,
    Paste,
    Scanner,
};

struct IconEntry {
    IconName name;
    const char* file;      // our drawing, ":/icons/" + file + ".svg"
    const char* themeName; // the freedesktop name, or nullptr where none fits
    int designPx;          // the size the drawing is made for
};

/// Every icon, one entry per IconName in its order.
std::span<const IconEntry> iconCatalogue();

/// The entry of `name`.
const IconEntry& iconEntry(IconName name);

/// The desktop theme's icon for `name` where the theme has one, else our drawing.
QIcon themedIcon(IconName name);

/// Our drawing of `name`, whatever the desktop's theme.
QIcon fallbackIcon(IconName name);

/// The size `name` is drawn for, in device-independent pixels.
QSize iconDesignSize(IconName name);

/// Makes `button` show `name` alone at its design size, with `hint` as its tooltip.
/// Assistive tools read `accessibleName`, or, when that is empty, the hint without a
/// trailing key in brackets ("Работа с подложкой ( F2 )" reads "Работа с подложкой").
void setIconFace(QAbstractButton* button, IconName name, const QString& hint,
                 const QString& accessibleName = QString());

/// Shows `name` at its design size beside the caption of `button`.
void setIconBesideText(QAbstractButton* button, IconName name);

/// A new tool button named `objectName` showing `name` alone (setIconFace).
QToolButton* iconButton(QWidget* parent, const char* objectName, IconName name, const QString& hint,
                        const QString& accessibleName = QString());

} // namespace Quillet
