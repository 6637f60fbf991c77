// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/Icons.h"

#include <QAbstractButton>
#include <QRegularExpression>
#include <QToolButton>

#include <array>

namespace Quillet {
namespace {

using enum IconName;

constexpr int kToolbar = 24;
constexpr int kPanel = 16;

// Theme names come from the freedesktop icon naming; an icon without one is always ours.
constexpr std::array kCatalogue = {
    IconEntry{AreaProject, "area-project", "document-properties", kToolbar},
    IconEntry{AreaBackground, "area-background", "image-x-generic", kToolbar},
    IconEntry{AreaBlocks, "area-blocks", nullptr, kToolbar},
    IconEntry{AreaStructure, "area-structure", nullptr, kToolbar},
    IconEntry{AreaExport, "area-export", nullptr, kToolbar},
    IconEntry{Undo, "edit-undo", "edit-undo", kToolbar},
    IconEntry{Redo, "edit-redo", "edit-redo", kToolbar},
    IconEntry{Help, "help", "help-contents", kToolbar},
    IconEntry{ZoomOriginal, "zoom-original", "zoom-original", kToolbar},
    IconEntry{ZoomPhysical, "zoom-physical", nullptr, kToolbar},
    IconEntry{ZoomFit, "zoom-fit", "zoom-fit-best", kToolbar},
    IconEntry{ZoomIn, "zoom-in", "zoom-in", kToolbar},
    IconEntry{ZoomOut, "zoom-out", "zoom-out", kToolbar},
    IconEntry{PageRepaint, "page-repaint", "view-refresh", kToolbar},
    IconEntry{PageLast, "go-last", "go-last", kToolbar},
    IconEntry{SelectNone, "select-none", nullptr, kPanel},
    IconEntry{SelectAll, "select-all", "edit-select-all", kPanel},
    IconEntry{Delete, "delete", "edit-delete", kPanel},
    IconEntry{BlocksMoveToCurrent, "blocks-move-to-current", nullptr, kPanel},
    IconEntry{AlignLeft, "align-left", nullptr, kPanel},
    IconEntry{AlignTop, "align-top", nullptr, kPanel},
    IconEntry{AlignRight, "align-right", nullptr, kPanel},
    IconEntry{AlignBottom, "align-bottom", nullptr, kPanel},
    IconEntry{AlignHCenter, "align-hcenter", nullptr, kPanel},
    IconEntry{Clone, "clone", "edit-copy", kPanel},
    IconEntry{BlocksMerge, "blocks-merge", nullptr, kPanel},
    IconEntry{BlockDivide, "block-divide", nullptr, kPanel},
    IconEntry{AutoReplace, "autoreplace", "edit-find-replace", kPanel},
    IconEntry{MoveUp, "go-up", "go-up", kPanel},
    IconEntry{MoveDown, "go-down", "go-down", kPanel},
    IconEntry{MoveLeft, "go-previous", "go-previous", kPanel},
    IconEntry{MoveRight, "go-next", "go-next", kPanel},
    IconEntry{SizeNarrower, "size-narrower", nullptr, kPanel},
    IconEntry{SizeWider, "size-wider", nullptr, kPanel},
    IconEntry{SizeShorter, "size-shorter", nullptr, kPanel},
    IconEntry{SizeTaller, "size-taller", nullptr, kPanel},
    IconEntry{RelationLink, "relation-link", "insert-link", kPanel},
    IconEntry{RelationUnlink, "relation-unlink", nullptr, kPanel},
    IconEntry{ListAdd, "list-add", "list-add", kPanel},
    IconEntry{ListRemove, "list-remove", "list-remove", kPanel},
    IconEntry{ListClear, "list-clear", "edit-clear", kPanel},
    IconEntry{DocumentNew, "document-new", "document-new", kPanel},
    IconEntry{DocumentOpen, "document-open", "document-open", kPanel},
    IconEntry{DocumentAppend, "document-append", nullptr, kPanel},
    IconEntry{DocumentSave, "document-save", "document-save", kPanel},
    IconEntry{PagesAll, "pages-all", nullptr, kPanel},
    IconEntry{PagesToCurrent, "pages-to-current", nullptr, kPanel},
    IconEntry{PagesInvert, "pages-invert", nullptr, kPanel},
    IconEntry{PagesToggleCurrent, "pages-toggle-current", nullptr, kPanel},
    IconEntry{ExportPdf, "export-pdf", nullptr, kPanel},
    IconEntry{Print, "document-print", "document-print", kPanel},
    IconEntry{SpellCheck, "spell-check", "tools-check-spelling", kPanel},
    IconEntry{JustifyLeft, "justify-left", "format-justify-left", kPanel},
    IconEntry{JustifyCenter, "justify-center", "format-justify-center", kPanel},
    IconEntry{JustifyRight, "justify-right", "format-justify-right", kPanel},
    IconEntry{VAlignTop, "valign-top", nullptr, kPanel},
    IconEntry{VAlignMiddle, "valign-middle", nullptr, kPanel},
    IconEntry{VAlignBottom, "valign-bottom", nullptr, kPanel},
    IconEntry{FillTopDown, "fill-top-down", nullptr, kPanel},
    IconEntry{FillBottomUp, "fill-bottom-up", nullptr, kPanel},
    IconEntry{PlaceLeft, "place-left", nullptr, kPanel},
    IconEntry{PlaceCenter, "place-center", nullptr, kPanel},
    IconEntry{PlaceRight, "place-right", nullptr, kPanel},
    IconEntry{PlaceTop, "place-top", nullptr, kPanel},
    IconEntry{PlaceMiddle, "place-middle", nullptr, kPanel},
    IconEntry{PlaceBottom, "place-bottom", nullptr, kPanel},
    IconEntry{LineTop, "line-top", nullptr, kPanel},
    IconEntry{LineBottom, "line-bottom", nullptr, kPanel},
    IconEntry{LineLeft, "line-left", nullptr, kPanel},
    IconEntry{LineRight, "line-right", nullptr, kPanel},
    IconEntry{LineBackslash, "line-backslash", nullptr, kPanel},
    IconEntry{LineSlash, "line-slash", nullptr, kPanel},
    IconEntry{StrokeSolid, "stroke-solid", nullptr, kPanel},
    IconEntry{StrokeNone, "stroke-none", nullptr, kPanel},
    IconEntry{StrokeDash, "stroke-dash", nullptr, kPanel},
    IconEntry{StrokeDashDot, "stroke-dashdot", nullptr, kPanel},
    IconEntry{StrokeDot, "stroke-dot", nullptr, kPanel},
    IconEntry{FillSolid, "fill-solid", nullptr, kPanel},
    IconEntry{FillNone, "fill-none", nullptr, kPanel},
    IconEntry{FillBDiag, "fill-bdiag", nullptr, kPanel},
    IconEntry{FillFDiag, "fill-fdiag", nullptr, kPanel},
    IconEntry{FillVertical, "fill-vertical", nullptr, kPanel},
    IconEntry{FillHorizontal, "fill-horizontal", nullptr, kPanel},
    IconEntry{FillCross, "fill-cross", nullptr, kPanel},
    IconEntry{FillDiagCross, "fill-diagcross", nullptr, kPanel},
    IconEntry{ScaleWidth, "scale-width", nullptr, kPanel},
    IconEntry{ScaleHeight, "scale-height", nullptr, kPanel},
    IconEntry{Reload, "view-refresh", "view-refresh", kPanel},
    IconEntry{WorkbookShow, "workbook-show", "x-office-spreadsheet", kPanel},
    IconEntry{Apply, "apply", nullptr, kPanel},
    IconEntry{Cancel, "cancel", nullptr, kPanel},
    IconEntry{Paste, "edit-paste", "edit-paste", kPanel},
    IconEntry{Scanner, "scanner", "scanner", kPanel},
};

constexpr bool catalogueFollowsEnum()
{
    for (size_t i = 0; i < kCatalogue.size(); ++i) {
        if (size_t(kCatalogue[i].name) != i)
            return false;
    }
    return size_t(Scanner) + 1 == kCatalogue.size();
}
static_assert(catalogueFollowsEnum(), "one catalogue entry per IconName, in its order");

// A trailing "( F2 )", "(CTRL+Y)" or "( ALT + \"+\" )": a key, which an assistive tool
// reads from the shortcut itself.
QString withoutKey(const QString& hint)
{
    static const QRegularExpression key(QStringLiteral("\\s*\\([^()\\p{Ll}]*\\)\\s*$"));
    QString name = hint;
    name.remove(key);
    return name.isEmpty() ? hint : name;
}

} // namespace

std::span<const IconEntry> iconCatalogue()
{
    return kCatalogue;
}

const IconEntry& iconEntry(IconName name)
{
    return kCatalogue[size_t(name)];
}

QIcon fallbackIcon(IconName name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(iconEntry(name).file)));
}

QIcon themedIcon(IconName name)
{
    const IconEntry& entry = iconEntry(name);
    if (entry.themeName == nullptr)
        return fallbackIcon(name);
    return QIcon::fromTheme(QLatin1String(entry.themeName), fallbackIcon(name));
}

QSize iconDesignSize(IconName name)
{
    const int side = iconEntry(name).designPx;
    return QSize(side, side);
}

void setIconFace(QAbstractButton* button, IconName name, const QString& hint,
                 const QString& accessibleName)
{
    button->setText(QString());
    button->setIcon(themedIcon(name));
    button->setIconSize(iconDesignSize(name));
    button->setToolTip(hint);
    button->setAccessibleName(accessibleName.isEmpty() ? withoutKey(hint) : accessibleName);
}

void setIconBesideText(QAbstractButton* button, IconName name)
{
    button->setIcon(themedIcon(name));
    button->setIconSize(iconDesignSize(name));
}

QToolButton* iconButton(QWidget* parent, const char* objectName, IconName name, const QString& hint,
                        const QString& accessibleName)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    setIconFace(button, name, hint, accessibleName);
    return button;
}

} // namespace Quillet
