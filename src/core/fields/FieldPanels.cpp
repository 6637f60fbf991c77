// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The panels' click rules, picture names and the block coordinates panel.

#include "core/fields/FieldPanels.h"

#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/common/Numbers.h"

#include <algorithm>

#include <QCoreApplication>

namespace Quillet {
namespace {

bool isPanelIndex(int value, int last)
{
    return value >= 0 && value <= last;
}

// The project's folder with its final separator; project paths may come with either
// separator (typed, or from a file written on another system).
QString projectFolder(const QString& projectPath)
{
    const qsizetype cut = std::max(projectPath.lastIndexOf(u'/'), projectPath.lastIndexOf(u'\\'));
    return projectPath.left(cut + 1);
}

double coordsEdge(QStringView blockText, int from, const char* name)
{
    const QStringView part = blockText.mid(from - 1, 7);
    const auto value = part.size() == 7 ? Numbers::parseDecimal(part) : std::nullopt;
    if (!value) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldPanels",
                                        "Блок «%1», символы %2–%3: значение %4 «%5» "
                                        "не является числом.")
                .arg(blockText.left(40).toString())
                .arg(from)
                .arg(from + 6)
                .arg(QCoreApplication::translate("Quillet::FieldPanels", name), part.toString()));
    }
    // The edits hold what a block text can: a value outside shows, and is applied, as
    // the nearest one they take.
    return std::clamp(double(*value), 0.0, MaxCoordMm);
}

} // namespace

// ---- Text panel ---------------------------------------------------------------------

void TextPanelValues::selectBlock(int kind)
{
    if (!isPanelIndex(kind, BlockLast))
        return;
    block = kind;
    const int code = AlignCodes[size_t(kind)];
    alignHorizontal = code % 3;
    if (code <= 8)
        alignVertical = code / 3;
}

void TextPanelValues::pressHorizontal(int h)
{
    if (!isPanelIndex(h, 2))
        return;
    alignHorizontal = h;
    AlignCodes[size_t(block)] = alignmentCode(alignHorizontal, alignVertical);
}

void TextPanelValues::pressVertical(int v)
{
    if (!isPanelIndex(v, 2))
        return;
    alignVertical = v;
    AlignCodes[size_t(block)] = alignmentCode(alignHorizontal, alignVertical);
}

// ---- Image panel --------------------------------------------------------------------

void ImagePanelValues::setCopyMode(int mode)
{
    if (!isPanelIndex(mode, 3))
        return;
    CopyMode = mode;
    // Darkening with AND keeps only what the background lets through, so the block
    // background must be white; the other two combine with black neutrally.
    if (mode == 1)
        FonImgColor = ColorWhite;
    else if (mode == 2 || mode == 3)
        FonImgColor = ColorBlack;
}

QString storedImageName(const QString& chosenPath, const QString& projectPath)
{
    if (projectPath.isEmpty())
        return chosenPath;
    const QString folder = projectFolder(projectPath);
    if (!folder.isEmpty() && chosenPath.startsWith(folder))
        return chosenPath.mid(folder.size());
    return chosenPath;
}

// ---- Shape panel --------------------------------------------------------------------

void ShapePanelValues::setShapeType(int tab)
{
    if (!isPanelIndex(tab, ShapeTabEllipse))
        return;
    ShapeType = tab;
    if (tab == ShapeTabLine)
        pressFillStyle(ClearBr);
}

void ShapePanelValues::pressLineStyle(int style)
{
    if (style == -1) {
        lineStyle = -1;
        return;
    }
    if (!isPanelIndex(style, DotLn))
        return;
    lineStyle = style;
    m_sizeLnEnabled = style == SolidLn;
    // Dashed and dotted pens keep their pattern only one pixel wide, so the width is
    // pinned to the thinnest value the stored form holds.
    if (!m_sizeLnEnabled)
        SizeLn = ThinLineWidthMm;
}

void ShapePanelValues::pressFillStyle(int style)
{
    if (style == -1 || isPanelIndex(style, DiagCrossBr))
        fillStyle = style;
}

int ShapePanelValues::samplePenWidthPx() const
{
    return int(roundHalfEven(static_cast<long double>(SizeLn) * 96.0L / 25.4L));
}

Qt::PenStyle ShapePanelValues::samplePenStyle() const
{
    return linePenStyle(lineStyle);
}

Qt::PenStyle linePenStyle(int lineStyle)
{
    switch (lineStyle) {
    case SolidLn:
        return Qt::SolidLine;
    case ClearLn:
        return Qt::NoPen;
    case DashLn:
        return Qt::DashLine;
    case DashDotLn:
        return Qt::DashDotLine;
    default:
        return Qt::DotLine;
    }
}

Qt::BrushStyle fillBrushStyle(int fillStyle)
{
    switch (fillStyle) {
    case SolidBr:
        return Qt::SolidPattern;
    case ClearBr:
        return Qt::NoBrush;
    case BDiagBr:
        return Qt::BDiagPattern; // lines rising to the right
    case FDiagBr:
        return Qt::FDiagPattern; // lines falling to the right
    case VerticalBr:
        return Qt::VerPattern;
    case HorizontBr:
        return Qt::HorPattern;
    case CrossBr:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

Qt::BrushStyle ShapePanelValues::sampleBrushStyle() const
{
    // The sample shows the two diagonals mirrored.
    const Qt::BrushStyle page = fillBrushStyle(fillStyle);
    if (page == Qt::BDiagPattern)
        return Qt::FDiagPattern;
    if (page == Qt::FDiagPattern)
        return Qt::BDiagPattern;
    return page;
}

// ---- Block coordinates --------------------------------------------------------------

void loadCoords(QStringView blockText, CoordsValues& values)
{
    values.max_x =
        coordsEdge(blockText, 17, QT_TRANSLATE_NOOP("Quillet::FieldPanels", "правого края"));
    values.max_y =
        coordsEdge(blockText, 25, QT_TRANSLATE_NOOP("Quillet::FieldPanels", "нижнего края"));
    values.Min_x =
        coordsEdge(blockText, 1, QT_TRANSLATE_NOOP("Quillet::FieldPanels", "левого края"));
    values.Min_y =
        coordsEdge(blockText, 9, QT_TRANSLATE_NOOP("Quillet::FieldPanels", "верхнего края"));
}

QString composeCoordsNode(const CoordsValues& values)
{
    return composeBlockText(values.Min_x, values.Min_y, values.max_x, values.max_y);
}

} // namespace Quillet
