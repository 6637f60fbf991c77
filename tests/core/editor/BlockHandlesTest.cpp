// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/editor/BlockHandles.h"

#include "core/app/ProjectDocument.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace Quillet;
using QuilletTest::blockText;

Q_DECLARE_METATYPE(Quillet::BlockGrip)
Q_DECLARE_METATYPE(std::optional<Quillet::BlockGrip>)
Q_DECLARE_METATYPE(std::optional<Quillet::GripHit>)
Q_DECLARE_METATYPE(Quillet::BlockRect)
Q_DECLARE_METATYPE(std::optional<Quillet::BlockRect>)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

// The page of 100 × 80 mm: 1181 × 945 pixels.
const QSize Page(1181, 945);

// Field 0 with block A (100, 100)–(199, 149) and, drawn after it and overlapping it,
// block B (150, 120)–(300, 200).
struct Session {
    ProjectDocument doc;
    CanvasPressContext context;

    Session()
    {
        doc.project.settings.PrWidth = 100;
        doc.project.settings.PrHeight = 80;
        FieldNode field;
        field.text = QStringLiteral("2000") + FieldSeparator;
        field.blocks.push_back(TreeNode{blockText(100, 100, 199, 149)});
        field.blocks.push_back(TreeNode{blockText(150, 120, 300, 200)});
        doc.project.Structure.fields.push_back(field);
        context.current = NodeRef{0, 0};
    }
    const QString& text(int block) const
    {
        return doc.project.Structure.fields[0].blocks[size_t(block)].text;
    }
};

CanvasEvent at(QPoint view, double scale = 1.0)
{
    return CanvasEvent{view, scale};
}

BlockRect rect(int left, int top, int right, int bottom)
{
    return BlockRect{left, top, right, bottom};
}

} // namespace

class BlockHandlesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void draggedRectKeepsToThePage_data();
    void draggedRectKeepsToThePage();
    void gripsOnTheView_data();
    void gripsOnTheView();
    void pressTakesHold_data();
    void pressTakesHold();
    void dragWritesOnceOnRelease_data();
    void dragWritesOnceOnRelease();
    void arrowKeysNudge_data();
    void arrowKeysNudge();
};

void BlockHandlesTest::draggedRectKeepsToThePage_data()
{
    QTest::addColumn<BlockRect>("start");
    QTest::addColumn<BlockGrip>("grip");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<std::optional<BlockRect>>("expected"); // none: refused

    const BlockRect a = rect(100, 100, 199, 149);
    using G = BlockGrip;
    QTest::newRow("inside moves the block")
        << a << G::Inside << QPoint(10, -5) << std::optional(rect(110, 95, 209, 144));
    QTest::newRow("inside stops at the left edge")
        << a << G::Inside << QPoint(-150, 3) << std::optional(rect(0, 103, 99, 152));
    QTest::newRow("inside stops in the bottom right corner")
        << a << G::Inside << QPoint(5000, 5000) << std::optional(rect(1081, 895, 1180, 944));
    QTest::newRow("inside pulls a block hanging off the page onto it")
        << rect(-5, 10, 20, 20) << G::Inside << QPoint(2, 0) << std::optional(rect(0, 10, 25, 20));
    QTest::newRow("a block wider than the page is refused")
        << rect(0, 0, 1300, 10) << G::Inside << QPoint(-3, 0) << std::optional<BlockRect>();
    QTest::newRow("reversed corners come out ordered")
        << rect(199, 149, 100, 100) << G::Inside << QPoint(0, 0) << std::optional(a);
    QTest::newRow("bottom right corner: two edges")
        << a << G::BottomRight << QPoint(20, 30) << std::optional(rect(100, 100, 219, 179));
    QTest::newRow("top left corner past the far edges stops a pixel short")
        << a << G::TopLeft << QPoint(500, 500) << std::optional(rect(198, 148, 199, 149));
    QTest::newRow("right side: one edge, the other axis stays")
        << a << G::Right << QPoint(-200, 40) << std::optional(rect(100, 100, 101, 149));
    QTest::newRow("top side stops at the page")
        << a << G::Top << QPoint(7, -500) << std::optional(rect(100, 0, 199, 149));
    QTest::newRow("bottom side stops at the page")
        << a << G::Bottom << QPoint(0, 5000) << std::optional(rect(100, 100, 199, 944));
    QTest::newRow("left side of a block whose right edge is off the page is refused")
        << rect(100, 100, 1300, 149) << G::Left << QPoint(5, 0) << std::optional<BlockRect>();
    QTest::newRow("left side of a block on the page's first column is refused")
        << rect(0, 100, 0, 149) << G::Left << QPoint(5, 0) << std::optional<BlockRect>();
}

void BlockHandlesTest::draggedRectKeepsToThePage()
{
    QFETCH(BlockRect, start);
    QFETCH(BlockGrip, grip);
    QFETCH(QPoint, delta);
    QFETCH(std::optional<BlockRect>, expected);
    QCOMPARE(draggedRect(start, grip, delta, Page), expected);
}

void BlockHandlesTest::gripsOnTheView_data()
{
    QTest::addColumn<BlockRect>("block");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPoint>("view");
    QTest::addColumn<std::optional<BlockGrip>>("expected");

    // At scale 1 the block covers view [100, 200) × [100, 150); handles are 7 pixels
    // outside it.
    const BlockRect a = rect(100, 100, 199, 149);
    const auto grip = [](BlockGrip g) { return std::optional(g); };
    using G = BlockGrip;
    QTest::newRow("inside") << a << 1.0 << QPoint(150, 120) << grip(G::Inside);
    QTest::newRow("the last pixel is inside") << a << 1.0 << QPoint(199, 149) << grip(G::Inside);
    QTest::newRow("the next one is not") << a << 1.0 << QPoint(200, 149) << std::optional<G>();
    QTest::newRow("top left") << a << 1.0 << QPoint(96, 96) << grip(G::TopLeft);
    QTest::newRow("top") << a << 1.0 << QPoint(150, 96) << grip(G::Top);
    QTest::newRow("top right") << a << 1.0 << QPoint(203, 96) << grip(G::TopRight);
    QTest::newRow("right") << a << 1.0 << QPoint(203, 125) << grip(G::Right);
    QTest::newRow("bottom right") << a << 1.0 << QPoint(206, 156) << grip(G::BottomRight);
    QTest::newRow("bottom") << a << 1.0 << QPoint(150, 153) << grip(G::Bottom);
    QTest::newRow("bottom left") << a << 1.0 << QPoint(93, 153) << grip(G::BottomLeft);
    QTest::newRow("left") << a << 1.0 << QPoint(96, 125) << grip(G::Left);
    QTest::newRow("above the top, off the handles")
        << a << 1.0 << QPoint(120, 96) << std::optional<G>();
    QTest::newRow("half scale: top left") << a << 0.5 << QPoint(48, 48) << grip(G::TopLeft);
    QTest::newRow("half scale: inside") << a << 0.5 << QPoint(99, 74) << grip(G::Inside);
    QTest::newRow("half scale: bottom right")
        << a << 0.5 << QPoint(101, 76) << grip(G::BottomRight);
    // A block of one view pixel keeps its inside; its handles sit around it.
    const BlockRect tiny = rect(100, 100, 109, 109);
    QTest::newRow("tiny: inside") << tiny << 0.1 << QPoint(10, 10) << grip(G::Inside);
    QTest::newRow("tiny: top left") << tiny << 0.1 << QPoint(9, 9) << grip(G::TopLeft);
    QTest::newRow("tiny: bottom right") << tiny << 0.1 << QPoint(11, 11) << grip(G::BottomRight);
}

void BlockHandlesTest::gripsOnTheView()
{
    QFETCH(BlockRect, block);
    QFETCH(double, scale);
    QFETCH(QPoint, view);
    QFETCH(std::optional<BlockGrip>, expected);
    QCOMPARE(gripOf(block, view, scale), expected);
}

void BlockHandlesTest::pressTakesHold_data()
{
    QTest::addColumn<int>("current"); // block of field 0; -1: the field; -2: none
    QTest::addColumn<QPoint>("view");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("angle");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("basicOpt");
    QTest::addColumn<std::optional<GripHit>>("expected"); // none: the press draws

    const auto hit = [](int block, BlockGrip grip) {
        return std::optional(GripHit{NodeRef{0, block}, grip});
    };
    const std::optional<GripHit> draws;
    const QPoint both(160, 130); // inside A and B
    using G = BlockGrip;
    QTest::newRow("the current block before one drawn over it")
        << 0 << both << false << true << false << 0 << true << hit(0, G::Inside);
    QTest::newRow("another block by its inside")
        << 0 << QPoint(250, 180) << false << true << false << 0 << true << hit(1, G::Inside);
    QTest::newRow("a handle of the current block")
        << 0 << QPoint(96, 96) << false << true << false << 0 << true << hit(0, G::TopLeft);
    QTest::newRow("no handles on a block not current")
        << 1 << QPoint(96, 96) << false << true << false << 0 << true << draws;
    QTest::newRow("a field current: the topmost block")
        << -1 << both << false << true << false << 0 << true << hit(1, G::Inside);
    QTest::newRow("nothing current: the topmost block")
        << -2 << both << false << true << false << 0 << true << hit(1, G::Inside);
    QTest::newRow("empty page draws")
        << 0 << QPoint(600, 600) << false << true << false << 0 << true << draws;
    QTest::newRow("Ctrl draws") << 0 << both << true << true << false << 0 << true << draws;
    QTest::newRow("right button") << 0 << both << false << false << false << 0 << true << draws;
    QTest::newRow("angle panel") << 0 << both << false << true << true << 0 << true << draws;
    QTest::newRow("data page") << 0 << both << false << true << false << 1 << true << draws;
    QTest::newRow("a panel open") << 0 << both << false << true << false << 0 << false << draws;
}

void BlockHandlesTest::pressTakesHold()
{
    QFETCH(int, current);
    QFETCH(QPoint, view);
    QFETCH(bool, ctrl);
    QFETCH(bool, left);
    QFETCH(bool, angle);
    QFETCH(int, page);
    QFETCH(bool, basicOpt);
    QFETCH(std::optional<GripHit>, expected);
    Session s;
    s.context.current =
        current == -2 ? std::nullopt : std::optional(NodeRef{0, current < 0 ? -1 : current});
    s.context.PageN = page;
    s.context.basicOptEnabled = basicOpt;
    BlockDrag drag;
    QCOMPARE(drag.press(s.doc, CanvasEvent{view, 1.0, ctrl, left, angle}, s.context), expected);
    QCOMPARE(drag.active(), expected.has_value());
}

void BlockHandlesTest::dragWritesOnceOnRelease_data()
{
    QTest::addColumn<double>("pageWidthMm");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("detour");      // the pointer goes 40 pixels away and back first
    QTest::addColumn<QString>("expected"); // block A after the release
    QTest::addColumn<int>("snapshots");

    const QString a = blockText(100, 100, 199, 149);
    QTest::newRow("inside by (30, 20)") << 100.0 << 1.0 << QPoint(150, 110) << QPoint(180, 130)
                                        << true << blockText(130, 120, 229, 169) << 1;
    QTest::newRow("half scale: a view pixel is two page pixels")
        << 100.0 << 0.5 << QPoint(75, 55) << QPoint(90, 65) << true << blockText(130, 120, 229, 169)
        << 1;
    QTest::newRow("bottom right handle by (20, 10)")
        << 100.0 << 1.0 << QPoint(203, 153) << QPoint(223, 163) << true
        << blockText(100, 100, 219, 159) << 1;
    QTest::newRow("a click") << 100.0 << 1.0 << QPoint(150, 110) << QPoint(150, 110) << false << a
                             << 0;
    QTest::newRow("less than the start distance")
        << 100.0 << 1.0 << QPoint(150, 110) << QPoint(155, 114) << false << a << 0;
    QTest::newRow("back where it started")
        << 100.0 << 1.0 << QPoint(150, 110) << QPoint(150, 110) << true << a << 0;
    QTest::newRow("held on the page") << 100.0 << 1.0 << QPoint(150, 110) << QPoint(-400, 2000)
                                      << true << blockText(0, 895, 99, 944) << 1;
    QTest::newRow("refused: wider than the page")
        << 5.0 << 1.0 << QPoint(150, 110) << QPoint(180, 130) << false << a << 0;
}

void BlockHandlesTest::dragWritesOnceOnRelease()
{
    QFETCH(double, pageWidthMm);
    QFETCH(double, scale);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, detour);
    QFETCH(QString, expected);
    QFETCH(int, snapshots);
    Session s;
    s.doc.project.settings.PrWidth = pageWidthMm;
    const bool refused = pageWidthMm < 10;
    BlockDrag drag(10);
    QVERIFY(drag.press(s.doc, at(from, scale), s.context));
    // The preview follows the pointer; the tree waits for the release.
    if (detour)
        QVERIFY(drag.move(at(from + QPoint(40, 40), scale)) != rect(100, 100, 199, 149));
    const BlockRect shown = drag.move(at(to, scale));
    QCOMPARE(s.text(0), blockText(100, 100, 199, 149));
    QCOMPARE(s.doc.undo.available(), 0);
    const BlockOpResult result = drag.release(s.doc, at(to, scale));
    QVERIFY(!drag.active());
    QCOMPARE(s.text(0), expected);
    QCOMPARE(composeBlockText(shown), expected);
    QCOMPARE(s.doc.undo.available(), snapshots);
    QCOMPARE(s.doc.RepaintPending, snapshots > 0);
    const std::vector<NodeRef> left = refused ? std::vector{NodeRef{0, 0}} : std::vector<NodeRef>();
    QCOMPARE(result.refused, left);
    QCOMPARE(s.text(1), blockText(150, 120, 300, 200));
}

void BlockHandlesTest::arrowKeysNudge_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("current"); // block of field 0; -1: the field
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected"); // block A after three presses; empty: not taken

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift(Qt::ShiftModifier);
    QTest::newRow("right") << int(Qt::Key_Right) << none << 0 << 0 << blockText(109, 100, 208, 149);
    QTest::newRow("up") << int(Qt::Key_Up) << none << 0 << 0 << blockText(100, 91, 199, 140);
    QTest::newRow("keypad left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                 << 0 << 0 << blockText(91, 100, 190, 149);
    QTest::newRow("shift down: taller")
        << int(Qt::Key_Down) << shift << 0 << 0 << blockText(100, 100, 199, 158);
    QTest::newRow("shift up: shorter")
        << int(Qt::Key_Up) << shift << 0 << 0 << blockText(100, 100, 199, 140);
    QTest::newRow("shift left: narrower")
        << int(Qt::Key_Left) << shift << 0 << 0 << blockText(100, 100, 190, 149);
    QTest::newRow("shift right: wider")
        << int(Qt::Key_Right) << shift << 0 << 0 << blockText(100, 100, 208, 149);
    QTest::newRow("ctrl is not taken")
        << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0 << 0 << "";
    QTest::newRow("another key") << int(Qt::Key_A) << none << 0 << 0 << "";
    QTest::newRow("a field current") << int(Qt::Key_Right) << none << -1 << 0 << "";
    QTest::newRow("a data page") << int(Qt::Key_Right) << none << 0 << 1 << "";
}

void BlockHandlesTest::arrowKeysNudge()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, current);
    QFETCH(int, page);
    QFETCH(QString, expected);
    Session s;
    s.context.current = NodeRef{0, current};
    s.context.PageN = page;
    for (int press = 0; press < 3; ++press) {
        const std::optional<BlockOpResult> result =
            nudgeCurrentBlock(s.doc, s.context, key, modifiers, DefaultStepMm);
        QCOMPARE(result.has_value(), !expected.isEmpty());
    }
    QCOMPARE(s.text(0), expected.isEmpty() ? blockText(100, 100, 199, 149) : expected);
    // Three nudges of one block are one undo step.
    QCOMPARE(s.doc.undo.available(), expected.isEmpty() ? 0 : 1);
    QCOMPARE(s.text(1), blockText(150, 120, 300, 200));
}

QTEST_APPLESS_MAIN(BlockHandlesTest)
#include "BlockHandlesTest.moc"
