// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/render/PageCanvas.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <cmath>

using namespace Quillet;

namespace {

const QRgb White = qRgb(255, 255, 255);
// Colour values are $00BBGGRR: red in the low byte.
constexpr qint32 LineValue = 0x00204080; // red 0x80, green 0x40, blue 0x20
const QRgb LineRgb = qRgb(0x80, 0x40, 0x20);
constexpr qint32 FillValue = 0x000000FF;
const QRgb FillRgb = qRgb(255, 0, 0);

ShapeFieldOptions shape(ShapeKind kind, int lineStyle = 0, int fillStyle = 1, double widthMm = 0)
{
    ShapeFieldOptions o;
    o.kind = kind;
    o.lineStyle = lineStyle;
    o.fillStyle = fillStyle;
    o.lineWidthMm = widthMm;
    o.lineColor = LineValue;
    o.fillColor = FillValue;
    return o;
}

FieldNode fieldOf(const QString& text, const std::vector<BlockRect>& blocks)
{
    FieldNode field;
    field.text = text;
    for (const BlockRect& r : blocks)
        field.blocks.push_back(TreeNode{composeBlockText(r)});
    return field;
}

FieldNode fieldOf(const ShapeFieldOptions& o, const std::vector<BlockRect>& blocks)
{
    return fieldOf(composeShapeField(QStringLiteral("2001"), o), blocks);
}

QImage drawn(const FieldNode& field, QSize size = QSize(120, 100), PageOrigin origin = {},
             const std::function<void(QPainter&)>& before = {})
{
    QImage page(size, QImage::Format_RGB32);
    page.fill(White);
    QPainter painter(&page);
    if (before)
        before(painter);
    PageCanvas canvas;
    canvas.painter = &painter;
    canvas.image = &page;
    canvas.origin = origin;
    drawShapeField(field, canvas);
    painter.end();
    return page;
}

int countColour(const QImage& page, QRgb colour, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += page.pixel(x, y) == colour ? 1 : 0;
    return n;
}

QRect boxOf(const QImage& page, QRgb colour)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

/// The point the arc primitive gets for angle a, from the block's formulas.
QPointF rayPoint(const BlockRect& r, double a)
{
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    const int cx = r.Left + w / 2;
    const int cy = r.Top + h / 2;
    const double t = std::tan(a * M_PI / 180);
    if (a == 90)
        return QPointF(cx, cy - h);
    if (a == 270)
        return QPointF(cx, cy + h);
    if (a < 45 || a >= 315)
        return QPointF(cx + w, cy - std::nearbyint(w * t));
    if (a < 135)
        return QPointF(cx + std::nearbyint(h / t), cy - h);
    if (a < 225)
        return QPointF(cx - w, cy + std::nearbyint(w * t));
    return QPointF(cx - std::nearbyint(h / t), cy + h);
}

} // namespace

Q_DECLARE_METATYPE(Quillet::BlockRect)
Q_DECLARE_METATYPE(Quillet::LineDirection)

class ShapeFieldTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void penWidth_data();
    void penWidth();
    void lineDirections_data();
    void lineDirections();
    void lineStyles_data();
    void lineStyles();
    void fillStyles_data();
    void fillStyles();
    void unknownStyleKeepsCanvasStyle();
    void rectangleCoversBlockWithoutRightAndBottomEdge();
    void roundedCorners_data();
    void roundedCorners();
    void ellipseIsAliasedAndInscribed();
    void arcEnds_data();
    void arcEnds();
    void drawsOverExclusiveOr();
    void originShiftsEveryBlock();
    void lineWithoutDirectionDrawsNothing();
    void drawsOnRasterWithoutPainter();
};

void ShapeFieldTest::penWidth_data()
{
    QTest::addColumn<double>("widthMm");
    QTest::addColumn<int>("pixels");
    QTest::newRow("0 gives 1") << 0.0 << 1;
    QTest::newRow("0.01 gives 1") << 0.01 << 1;
    QTest::newRow("0.25 gives 3") << 0.25 << 3; // 2.95
    QTest::newRow("0.5 gives 6") << 0.5 << 6;   // 5.91
    QTest::newRow("0.38 gives 4") << 0.38 << 4; // 4.49
    QTest::newRow("1 gives 12") << 1.0 << 12;   // 11.81
}

void ShapeFieldTest::penWidth()
{
    QFETCH(double, widthMm);
    QFETCH(int, pixels);
    ShapeFieldOptions o = shape(ShapeKind::Line, 0, 1, widthMm);
    o.direction = LineDirection::Top;
    const QImage page = drawn(fieldOf(o, {{20, 40, 90, 70}}));
    QCOMPARE(countColour(page, LineRgb, QRect(55, 0, 1, 100)), pixels);
    QCOMPARE(page.pixel(55, 40), LineRgb);
}

void ShapeFieldTest::lineDirections_data()
{
    QTest::addColumn<LineDirection>("direction");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    // Block (10, 20)–(70, 80): a square block so that the diagonals are exact.
    QTest::newRow("top") << LineDirection::Top << QPoint(10, 20) << QPoint(70, 20);
    QTest::newRow("bottom") << LineDirection::Bottom << QPoint(10, 80) << QPoint(70, 80);
    QTest::newRow("left") << LineDirection::Left << QPoint(10, 20) << QPoint(10, 80);
    QTest::newRow("right") << LineDirection::Right << QPoint(70, 20) << QPoint(70, 80);
    QTest::newRow("backslash") << LineDirection::BackSlash << QPoint(10, 20) << QPoint(70, 80);
    QTest::newRow("slash") << LineDirection::Slash << QPoint(70, 20) << QPoint(10, 80);
}

void ShapeFieldTest::lineDirections()
{
    QFETCH(LineDirection, direction);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    ShapeFieldOptions o = shape(ShapeKind::Line);
    o.direction = direction;
    const QImage page = drawn(fieldOf(o, {{10, 20, 70, 80}}));
    // The 1-pixel line covers the segment between the two points with one of its end
    // pixels left out, as the platform's line primitive draws it; nothing off the segment.
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    QSet<QPoint> segment;
    for (int i = 0; i <= steps; ++i)
        segment.insert(from + (to - from) * i / steps);
    for (int i = 1; i < steps; ++i)
        QCOMPARE(page.pixel(from + (to - from) * i / steps), LineRgb);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) == LineRgb)
                QVERIFY2(segment.contains(QPoint(x, y)),
                         qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
    QCOMPARE(countColour(page, LineRgb, page.rect()), steps);
}

void ShapeFieldTest::lineStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<Qt::PenStyle>("qtStyle"); // none: nothing drawn
    QTest::newRow("0 solid") << 0 << Qt::SolidLine;
    QTest::newRow("1 none") << 1 << Qt::NoPen;
    QTest::newRow("2 dashed") << 2 << Qt::DashLine;
    QTest::newRow("3 dash-dot") << 3 << Qt::DashDotLine;
    QTest::newRow("4 dotted") << 4 << Qt::DotLine;
}

void ShapeFieldTest::lineStyles()
{
    // The stored digit order is the program's own; the pixels must match the pattern of
    // that style drawn directly.
    QFETCH(int, style);
    QFETCH(Qt::PenStyle, qtStyle);
    ShapeFieldOptions o = shape(ShapeKind::Line, style);
    o.direction = LineDirection::Top;
    const QImage page = drawn(fieldOf(o, {{5, 30, 110, 60}}));
    QImage reference(page.size(), QImage::Format_RGB32);
    reference.fill(White);
    {
        QPainter painter(&reference);
        QPen pen(LineRgb);
        pen.setWidth(1);
        pen.setStyle(qtStyle);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(5, 30, 110, 30);
    }
    QCOMPARE(page, reference);
    const int drawnPixels = countColour(page, LineRgb, QRect(0, 30, 120, 1));
    if (style == 0)
        QCOMPARE(drawnPixels, 105);
    else if (style == 1)
        QCOMPARE(drawnPixels, 0);
    else
        QVERIFY(drawnPixels > 10 && drawnPixels < 100);
}

void ShapeFieldTest::fillStyles_data()
{
    QTest::addColumn<int>("style");
    for (int s = 0; s < 8; ++s)
        QTest::addRow("fill %d", s) << s;
}

void ShapeFieldTest::fillStyles()
{
    QFETCH(int, style);
    const QImage page = drawn(fieldOf(shape(ShapeKind::Rectangle, 1, style), {{8, 8, 72, 72}}));
    const QRect inside(16, 16, 48, 48);
    const auto on = [&](int x, int y) { return page.pixel(x, y) == FillRgb; };
    int filled = 0;
    bool rising = true;  // every filled pixel continues up to the right: "/"
    bool falling = true; // down to the right: "\"
    bool vertical = true;
    bool horizontal = true;
    for (int y = inside.top(); y < inside.bottom(); ++y) {
        for (int x = inside.left(); x < inside.right(); ++x) {
            if (!on(x, y))
                continue;
            ++filled;
            rising = rising && on(x + 1, y - 1);
            falling = falling && on(x + 1, y + 1);
            vertical = vertical && on(x, y + 1);
            horizontal = horizontal && on(x + 1, y);
        }
    }
    const int all = inside.width() * inside.height();
    switch (style) {
    case 0:
        QCOMPARE(countColour(page, FillRgb, inside), all);
        break;
    case 1:
        QCOMPARE(countColour(page, White, inside), all);
        break;
    case 2:
        QVERIFY(filled > 0 && filled < all / 2 && rising && !falling);
        break;
    case 3:
        QVERIFY(filled > 0 && filled < all / 2 && falling && !rising);
        break;
    case 4:
        QVERIFY(filled > 0 && filled < all / 2 && vertical && !horizontal);
        break;
    case 5:
        QVERIFY(filled > 0 && filled < all / 2 && horizontal && !vertical);
        break;
    case 6:
        // Both grid directions: some rows and some columns are filled through.
        QVERIFY(filled > 0 && filled < all / 2 && !rising && !falling);
        QVERIFY(countColour(page, FillRgb, QRect(inside.left(), 16, inside.width(), 1))
                    == inside.width()
                || countColour(page, FillRgb, QRect(inside.left(), 17, 48, 8)) >= 48);
        QVERIFY(!vertical && !horizontal);
        break;
    case 7:
        QVERIFY(filled > 0 && filled < all / 2 && !rising && !falling && !vertical);
        break;
    }
    // The hatches and the fill have only the two colours: no smoothing.
    QCOMPARE(countColour(page, FillRgb, inside) + countColour(page, White, inside), all);
}

void ShapeFieldTest::unknownStyleKeepsCanvasStyle()
{
    // A style character outside the table leaves what the canvas has: a dashed pen and a
    // solid brush set by an earlier shape stay.
    QString text = composeShapeField(QStringLiteral("2001"), shape(ShapeKind::Rectangle, 0, 0));
    const int first = int(text.indexOf(FieldSeparator));
    const int second = int(text.indexOf(FieldSeparator, first + 1));
    text[first + 6] = QLatin1Char('x');
    text[second + 1] = QLatin1Char('?');
    const QImage page =
        drawn(fieldOf(text, {{10, 10, 100, 80}}), QSize(120, 100), {}, [](QPainter& painter) {
            painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
            painter.setBrush(QBrush(Qt::black, Qt::VerPattern));
        });
    const int top = countColour(page, LineRgb, QRect(10, 10, 90, 1));
    QVERIFY(top > 10 && top < 80); // dashed
    int columns = 0;
    for (int x = 20; x < 80; ++x)
        columns += countColour(page, FillRgb, QRect(x, 30, 1, 30)) == 30 ? 1 : 0;
    QVERIFY(columns > 0 && columns < 30); // vertical hatch in the fill colour
}

void ShapeFieldTest::rectangleCoversBlockWithoutRightAndBottomEdge()
{
    const QImage page = drawn(fieldOf(shape(ShapeKind::Rectangle, 0, 0), {{10, 12, 40, 30}}));
    QCOMPARE(boxOf(page, LineRgb), QRect(QPoint(10, 12), QPoint(39, 29)));
    QCOMPARE(boxOf(page, FillRgb), QRect(QPoint(11, 13), QPoint(38, 28)));
    QCOMPARE(countColour(page, LineRgb, page.rect()), 2 * 30 + 2 * 16);
}

void ShapeFieldTest::roundedCorners_data()
{
    QTest::addColumn<double>("radiusMm");
    QTest::addColumn<bool>("cornerDrawn");
    QTest::newRow("0 mm: square corners") << 0.0 << true;
    QTest::newRow("1 mm: 12 pixels") << 1.0 << false;
    QTest::newRow("larger than the block") << 99.0 << false;
}

void ShapeFieldTest::roundedCorners()
{
    QFETCH(double, radiusMm);
    QFETCH(bool, cornerDrawn);
    ShapeFieldOptions o = shape(ShapeKind::RoundedRectangle, 0, 0);
    o.radiusMm = radiusMm;
    const QImage page = drawn(fieldOf(o, {{10, 10, 90, 70}}));
    QCOMPARE(page.pixel(10, 10) == LineRgb, cornerDrawn);
    QCOMPARE(page.pixel(89, 69) == LineRgb, cornerDrawn);
    QCOMPARE(page.pixel(50, 10), LineRgb); // the straight part of the top edge
    QCOMPARE(page.pixel(10, 40), LineRgb);
    QCOMPARE(page.pixel(50, 40), FillRgb);
    if (radiusMm == 1.0) {
        // A radius of round(1 / MmPerPixel) = 12 pixels: the corner curve leaves the top
        // edge about 12 pixels in, and the edge is straight from there on.
        QCOMPARE(page.pixel(10 + 13, 10), LineRgb);
        QVERIFY(page.pixel(10 + 3, 10) != LineRgb);
    }
}

void ShapeFieldTest::ellipseIsAliasedAndInscribed()
{
    ShapeFieldOptions o = shape(ShapeKind::Ellipse, 0, 0);
    o.startAngle = 120;
    o.endAngle = 120;
    const QImage page = drawn(fieldOf(o, {{10, 20, 110, 80}}));
    QCOMPARE(boxOf(page, LineRgb), QRect(QPoint(10, 20), QPoint(109, 79)));
    QCOMPARE(page.pixel(60, 50), FillRgb);
    QCOMPARE(page.pixel(11, 21), White);
    QCOMPARE(countColour(page, LineRgb, page.rect()) + countColour(page, FillRgb, page.rect())
                 + countColour(page, White, page.rect()),
             page.width() * page.height());
}

void ShapeFieldTest::arcEnds_data()
{
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("a2");
    for (const auto& [a1, a2] : std::vector<std::pair<double, double>>{{0, 90},
                                                                       {90, 0},
                                                                       {0, 45},
                                                                       {30, 200},
                                                                       {200, 30},
                                                                       {100, 260},
                                                                       {270, 300},
                                                                       {315, 10},
                                                                       {44.9, 135},
                                                                       {180, 270},
                                                                       {225, 315},
                                                                       {0, 360},
                                                                       {350, 5}})
        QTest::addRow("%g to %g", a1, a2) << a1 << a2;
}

void ShapeFieldTest::arcEnds()
{
    // The arc runs counter-clockwise from where the ray to the first point meets the
    // ellipse to where the ray to the second does, on a wide ellipse where the ray angle
    // and the ellipse's own parameter differ.
    QFETCH(double, a1);
    QFETCH(double, a2);
    const BlockRect block{20, 20, 220, 120};
    ShapeFieldOptions o = shape(ShapeKind::Ellipse, 0, 0);
    o.startAngle = a1;
    o.endAngle = a2;
    const QImage page = drawn(fieldOf(o, {block}), QSize(240, 140));
    QCOMPARE(countColour(page, FillRgb, page.rect()), 0); // an arc is not filled
    const double cx = (block.Left + block.Right - 1) / 2.0;
    const double cy = (block.Top + block.Bottom - 1) / 2.0;
    const double rx = (block.Right - 1 - block.Left) / 2.0;
    const double ry = (block.Bottom - 1 - block.Top) / 2.0;
    // Direction of each ray (y up) and where it meets the ellipse.
    const auto rayAngle = [&](double a) {
        const QPointF p = rayPoint(block, a);
        const double deg = std::atan2(cy - p.y(), p.x() - cx) * 180 / M_PI;
        return deg < 0 ? deg + 360 : deg;
    };
    const auto meets = [&](double deg) {
        const double dx = std::cos(deg * M_PI / 180);
        const double dy = -std::sin(deg * M_PI / 180);
        const double t = 1 / std::hypot(dx / rx, dy / ry);
        return QPointF(cx + t * dx, cy + t * dy);
    };
    const double from = rayAngle(a1);
    double span = rayAngle(a2) - from;
    if (span <= 0)
        span += 360;
    const QPointF start = meets(from);
    const QPointF end = meets(from + span);
    double nearStart = 1e9;
    double nearEnd = 1e9;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.pixel(x, y) != LineRgb)
                continue;
            // On the ellipse…
            const double e = std::hypot((x - cx) / rx, (y - cy) / ry);
            QVERIFY2(std::abs(e - 1) < 0.03, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            // …and within the sweep, allowing a pixel or two at the ends.
            double angle = std::atan2(cy - y, x - cx) * 180 / M_PI - from;
            while (angle < 0)
                angle += 360;
            QVERIFY2(angle <= span + 1.5 || angle >= 360 - 1.5,
                     qPrintable(QStringLiteral("(%1, %2) outside the sweep").arg(x).arg(y)));
            nearStart = std::min(nearStart, std::hypot(x - start.x(), y - start.y()));
            nearEnd = std::min(nearEnd, std::hypot(x - end.x(), y - end.y()));
        }
    }
    // Both ends are reached.
    QVERIFY2(nearStart < 1.5, qPrintable(QString::number(nearStart)));
    QVERIFY2(nearEnd < 1.5, qPrintable(QString::number(nearEnd)));
}

void ShapeFieldTest::drawsOverExclusiveOr()
{
    // The layout view leaves the canvas mixing by exclusive or; shapes draw by copying.
    ShapeFieldOptions o = shape(ShapeKind::Rectangle, 0, 0);
    const QImage page =
        drawn(fieldOf(o, {{10, 10, 50, 50}}), QSize(120, 100), {}, [](QPainter& painter) {
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        });
    QCOMPARE(page.pixel(10, 10), LineRgb);
    QCOMPARE(page.pixel(30, 30), FillRgb);
}

void ShapeFieldTest::originShiftsEveryBlock()
{
    const QImage page =
        drawn(fieldOf(shape(ShapeKind::Rectangle, 0, 1), {{30, 30, 60, 50}, {70, 60, 100, 90}}),
              QSize(120, 100), PageOrigin{20, 25});
    QCOMPARE(page.pixel(10, 5), LineRgb);
    QCOMPARE(page.pixel(50, 35), LineRgb);
    QCOMPARE(page.pixel(79, 64), LineRgb);
    QCOMPARE(page.pixel(30, 30), White);
}

void ShapeFieldTest::lineWithoutDirectionDrawsNothing()
{
    QString text = composeShapeField(QStringLiteral("2001"), [] {
        ShapeFieldOptions o = shape(ShapeKind::Line);
        o.direction = LineDirection::Top;
        return o;
    }());
    text.replace(shapeLinePrefix() + lineDirectionWord(LineDirection::Top),
                 shapeLinePrefix() + QStringLiteral("КРАЙ"));
    const QImage page = drawn(fieldOf(text, {{10, 10, 50, 50}}));
    QCOMPARE(countColour(page, White, page.rect()), page.width() * page.height());
}

void ShapeFieldTest::drawsOnRasterWithoutPainter()
{
    const FieldNode field = fieldOf(shape(ShapeKind::Rectangle, 0, 0), {{10, 12, 40, 30}});
    QImage page(60, 50, QImage::Format_RGB32);
    page.fill(White);
    PageCanvas canvas;
    canvas.image = &page;
    drawShapeField(field, canvas);
    QCOMPARE(page, drawn(field, QSize(60, 50)));
    PageCanvas nothing; // neither a painter nor a raster: nothing to draw on, no crash
    drawShapeField(field, nothing);
}

QTEST_MAIN(ShapeFieldTest)
#include "ShapeFieldTest.moc"
