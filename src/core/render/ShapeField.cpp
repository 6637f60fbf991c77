// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Shape fields: a line, rectangle, rounded rectangle, ellipse or elliptic arc in every
// block of the field, drawn aliased so that pages are the same pixels everywhere.
//
// Figures take the block as a drawing library takes a box: the right and bottom edges
// are exclusive, so a 1-pixel outline covers the columns Left … Right − 1 and the rows
// Top … Bottom − 1. A line runs between the two points the descriptor names with flat
// ends; a 1-pixel line leaves one end pixel out, as line primitives do.

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/common/Geometry.h"
#include "core/render/PageCanvas.h"

#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace Quillet {

namespace {

constexpr double Pi = 3.14159265358979323846;

/// A colour value $00BBGGRR (red in the low byte); the high byte is ignored.
QColor colorOf(std::int32_t value)
{
    const auto v = std::uint32_t(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

/// Stored line-style digits; -1 keeps what the canvas has.
Qt::PenStyle penStyleOf(int digit, Qt::PenStyle current)
{
    switch (digit) {
    case 0:
        return Qt::SolidLine;
    case 1:
        return Qt::NoPen;
    case 2:
        return Qt::DashLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DotLine;
    default:
        return current;
    }
}

/// Stored fill-style digits; -1 keeps what the canvas has. Qt's BDiagPattern is the
/// rising hatch "////", FDiagPattern the falling one.
Qt::BrushStyle brushStyleOf(int digit, Qt::BrushStyle current)
{
    switch (digit) {
    case 0:
        return Qt::SolidPattern;
    case 1:
        return Qt::NoBrush;
    case 2:
        return Qt::BDiagPattern;
    case 3:
        return Qt::FDiagPattern;
    case 4:
        return Qt::VerPattern;
    case 5:
        return Qt::HorPattern;
    case 6:
        return Qt::CrossPattern;
    case 7:
        return Qt::DiagCrossPattern;
    default:
        return current;
    }
}

void setUpPainter(QPainter& painter, const ShapeFieldOptions& o, long double mmPerPixel)
{
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    long double widthPx = o.lineWidthMm / mmPerPixel;
    if (!std::isfinite(widthPx))
        widthPx = 1;
    const long long width = std::max(1LL, roundHalfEven(std::min(widthPx, 1e6L)));
    QPen pen(colorOf(o.lineColor));
    pen.setWidth(int(width));
    pen.setStyle(penStyleOf(o.lineStyle, painter.pen().style()));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(
        QBrush(colorOf(o.fillColor), brushStyleOf(o.fillStyle, painter.brush().style())));
}

/// The box of a figure in the block: right and bottom edges exclusive.
QRectF figureBox(const BlockRect& r)
{
    return QRectF(QPointF(r.Left, r.Top), QPointF(r.Right - 1.0, r.Bottom - 1.0)).normalized();
}

/// The point that gives the arc primitive the ray at angle a (degrees, counter-clockwise
/// from the x axis, y growing downwards on the page).
QPointF rayPoint(const BlockRect& r, double a)
{
    const long long w = static_cast<long long>(r.Right) - r.Left;
    const long long h = static_cast<long long>(r.Bottom) - r.Top;
    const long long cx = r.Left + w / 2;
    const long long cy = r.Top + h / 2;
    // Angles outside 0–360 are taken modulo a full turn.
    if (!std::isfinite(a))
        a = 0;
    a = std::fmod(a, 360.0);
    if (a < 0)
        a += 360.0;
    const double rad = a * Pi / 180.0;
    if (a == 90)
        return QPointF(cx, cy - h);
    if (a == 270)
        return QPointF(cx, cy + h);
    if (a < 45 || a >= 315)
        return QPointF(cx + w, cy - roundHalfEven(w * std::tan(rad)));
    if (a < 135)
        return QPointF(cx + roundHalfEven(h / std::tan(rad)), cy - h);
    if (a < 225)
        return QPointF(cx - w, cy + roundHalfEven(w * std::tan(rad)));
    return QPointF(cx - roundHalfEven(h / std::tan(rad)), cy + h);
}

/// Where the ray from the centre of box through p meets the ellipse, as the parametric
/// angle the painter's arcs are given in.
double ellipseAngle(const QRectF& box, QPointF p)
{
    const double dx = p.x() - box.center().x();
    const double dy = box.center().y() - p.y();
    const double halfWidth = box.width() / 2;
    const double halfHeight = box.height() / 2;
    if (halfWidth <= 0 || halfHeight <= 0)
        return std::atan2(dy, dx) * 180.0 / Pi;
    return std::atan2(dy * halfWidth, dx * halfHeight) * 180.0 / Pi;
}

void drawArc(QPainter& painter, const BlockRect& r, double a1, double a2)
{
    const QRectF box = figureBox(r);
    const double start = ellipseAngle(box, rayPoint(r, a1));
    double span = std::fmod(ellipseAngle(box, rayPoint(r, a2)) - start, 360.0);
    if (span <= 1e-9)
        span += 360.0; // rays that coincide give the whole ellipse
    QPainterPath path;
    path.arcMoveTo(box, start);
    path.arcTo(box, start, span);
    painter.strokePath(path, painter.pen());
}

void drawLine(QPainter& painter, const BlockRect& r, LineDirection direction)
{
    switch (direction) {
    case LineDirection::Top:
        painter.drawLine(r.Left, r.Top, r.Right, r.Top);
        break;
    case LineDirection::Bottom:
        painter.drawLine(r.Left, r.Bottom, r.Right, r.Bottom);
        break;
    case LineDirection::Left:
        painter.drawLine(r.Left, r.Top, r.Left, r.Bottom);
        break;
    case LineDirection::Right:
        painter.drawLine(r.Right, r.Top, r.Right, r.Bottom);
        break;
    case LineDirection::BackSlash:
        painter.drawLine(r.Left, r.Top, r.Right, r.Bottom);
        break;
    case LineDirection::Slash:
        painter.drawLine(r.Right, r.Top, r.Left, r.Bottom);
        break;
    case LineDirection::None:
        break;
    }
}

void drawShape(QPainter& painter, const ShapeFieldOptions& o, const BlockRect& r,
               long double mmPerPixel)
{
    switch (o.kind) {
    case ShapeKind::Line:
        drawLine(painter, r, o.direction);
        break;
    case ShapeKind::Rectangle:
        painter.drawRect(figureBox(r));
        break;
    case ShapeKind::RoundedRectangle: {
        long double radius = o.radiusMm / mmPerPixel;
        if (!std::isfinite(radius))
            radius = 0;
        const double r2 = double(roundHalfEven(std::clamp(radius, -1e9L, 1e9L)));
        painter.drawRoundedRect(figureBox(r), r2, r2, Qt::AbsoluteSize);
        break;
    }
    case ShapeKind::Ellipse:
        if (std::fabs(o.startAngle - o.endAngle) < 0.00001)
            painter.drawEllipse(figureBox(r));
        else
            drawArc(painter, r, o.startAngle, o.endAngle);
        break;
    case ShapeKind::Unknown:
        break;
    }
}

} // namespace

void drawShapeField(const FieldNode& field, PageCanvas& canvas)
{
    const QString id = field.text.left(4);
    const ShapeFieldOptions options = parseShapeOptions(QStringView(field.text).mid(4), id);
    // Without a painter of the caller's the shape paints on the page raster itself.
    QPainter own;
    if (canvas.painter == nullptr && (canvas.image == nullptr || !own.begin(canvas.image)))
        return;
    QPainter& painter = canvas.painter != nullptr ? *canvas.painter : own;
    setUpPainter(painter, options, canvas.mmPerPixel);
    if (options.kind == ShapeKind::Line && options.direction == LineDirection::None)
        return;
    for (const TreeNode& block : field.blocks) {
        const BlockRect r = ParseBlockRect(block.text, canvas.mmPerPixel, canvas.origin);
        drawShape(painter, options, r, canvas.mmPerPixel);
    }
}

} // namespace Quillet
