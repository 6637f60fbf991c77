// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Loading and composing the shape field panel.

#include "core/fields/FieldPanels.h"

#include "core/app/NodeGrammar.h"
#include "core/app/OptionReader.h"
#include "core/common/Errors.h"
#include "core/common/Numbers.h"

#include <algorithm>

#include <QCoreApplication>

namespace Quillet {
namespace {

// Shape numbers are read leniently, as the page draws them: what does not read is 0.
double lenientNumber(QStringView text, double max)
{
    const auto value = Numbers::parseDecimal(text);
    return value ? std::clamp(double(*value), 0.0, max) : 0.0;
}

int32_t lenientColor(QStringView text)
{
    return Numbers::parseInt32(text).value_or(0);
}

// The button a style character presses: its digit up to `last`, else none.
int styleButton(QStringView part, int last)
{
    if (part.isEmpty())
        return -1;
    const char16_t c = part[0].unicode();
    return (c >= u'0' && c <= u'0' + last) ? int(c - u'0') : -1;
}

int directionButton(LineDirection direction)
{
    switch (direction) {
    case LineDirection::Top:
        return LnHi;
    case LineDirection::Bottom:
        return LnLow;
    case LineDirection::Left:
        return LnLeft;
    case LineDirection::Right:
        return LnRight;
    case LineDirection::BackSlash:
        return LnBkSlsh;
    default:
        return LnSlsh;
    }
}

LineDirection buttonDirection(int button)
{
    switch (button) {
    case LnHi:
        return LineDirection::Top;
    case LnLow:
        return LineDirection::Bottom;
    case LnLeft:
        return LineDirection::Left;
    case LnRight:
        return LineDirection::Right;
    case LnBkSlsh:
        return LineDirection::BackSlash;
    default:
        return LineDirection::Slash;
    }
}

void loadDescriptor(QStringView descriptor, ShapePanelValues& v)
{
    if (descriptor.startsWith(QStringLiteral("ЛИНИЯ"))) {
        v.ShapeType = ShapeTabLine;
        v.direction = directionButton(editorLineDirection(descriptor));
    } else if (descriptor.startsWith(shapeRectangleWord())) {
        v.ShapeType = ShapeTabRectangle;
    } else if (descriptor.startsWith(shapeRoundedPrefix())) {
        v.ShapeType = ShapeTabRounded;
        v.Radius = lenientNumber(descriptor.mid(shapeRoundedPrefix().size()), MaxRadiusMm);
    } else if (descriptor.startsWith(shapeEllipsePrefix())) {
        v.ShapeType = ShapeTabEllipse;
        const QStringView angles = descriptor.mid(shapeEllipsePrefix().size());
        v.StartAngl = lenientNumber(angles.left(6), MaxAngle);
        v.FinishAngl = lenientNumber(angles.mid(7), MaxAngle);
    }
}

} // namespace

void loadShapePanel(QStringView nodeText, ShapePanelValues& v)
{
    OptionReader in(nodeText.mid(4), 5,
                    nodeName(QT_TRANSLATE_NOOP("Quillet::OptionReader", "Фигурное поле"),
                             nodeText.left(4).toString()));
    loadDescriptor(
        in.takeUntil(FieldSeparator, QT_TRANSLATE_NOOP("Quillet::OptionReader", "описание фигуры")),
        v);
    // The tab change runs as if clicked: a line presses ClearBr before the stored fill
    // style is pressed below.
    v.setShapeType(v.ShapeType);
    const QStringView line =
        in.takeUntil(FieldSeparator, QT_TRANSLATE_NOOP("Quillet::OptionReader", "настройки линии"));
    v.SizeLn = lenientNumber(line.left(5), MaxLineWidthMm);
    v.pressLineStyle(styleButton(line.mid(5), DotLn));
    v.ColorLn = lenientColor(line.mid(6));
    const QStringView fill = in.rest();
    v.pressFillStyle(styleButton(fill, DiagCrossBr));
    v.ColorBr = lenientColor(fill.mid(1));
}

QString composeShapeNode(const QString& id, const ShapePanelValues& v)
{
    if (v.ShapeType < ShapeTabLine || v.ShapeType > ShapeTabEllipse)
        throw ConversionError(QCoreApplication::translate("Quillet::FieldPanelsShape",
                                                          "Поле %1: не выбран вид фигуры.")
                                  .arg(id));
    ShapeFieldOptions o;
    o.kind = ShapeKind(v.ShapeType);
    o.direction = buttonDirection(v.direction);
    o.radiusMm = v.Radius;
    o.startAngle = v.StartAngl;
    o.endAngle = v.FinishAngl;
    o.lineWidthMm = v.SizeLn;
    // With no button down the last digit of each table is written.
    o.lineStyle = (v.lineStyle >= SolidLn && v.lineStyle <= DotLn) ? v.lineStyle : DotLn;
    o.lineColor = v.ColorLn;
    o.fillStyle =
        (v.fillStyle >= SolidBr && v.fillStyle <= DiagCrossBr) ? v.fillStyle : DiagCrossBr;
    o.fillColor = v.ColorBr;
    return composeShapeField(id, o);
}

} // namespace Quillet
