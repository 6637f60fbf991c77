// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Real mouse events on the page view: drawing blocks, picking the angle points, and the
// coordinate panel's snapping and preview.

#include "support/TestSupport.h"
#include "support/WindowDriver.h"

#include "core/app/NodeGrammar.h"
#include "core/common/Geometry.h"
#include "gui/app/AdvertPanel.h"
#include "gui/app/MainWindow.h"
#include "gui/app/PageView.h"

#include <QDoubleSpinBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>

using namespace Quillet;
using namespace WindowDriver;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class CanvasTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void drawingBlocks_data();
    void drawingBlocks();
    void coordinatePanelSnapsAndPreviews();
    void pressesWithAFieldPanelOpenDoNothing();
    void doubleClickDuringTheAdvertisingPauseWaits();
    void anglePointsPicked();
    void blockDraggedWithTheMouse_data();
    void blockDraggedWithTheMouse();
    void nudgesOfTheCurrentBlock_data();
    void nudgesOfTheCurrentBlock();

private:
    QTemporaryDir m_dir;
};

namespace {

const QString Shape = QStringLiteral("2000") + shapeRectangleWord() + FieldSeparator;

// A window on a 100 × 80 mm project (1181 × 945 pixels) whose tree is `lines`, with
// field 0 (or its block) current and the page drawn.
struct Session {
    TForm1 window;
    PageView* view = nullptr;

    Session(const QDir& dir, const QStringList& lines, int block = -1)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(
            window.LoadProject(saveProject(dir, QStringLiteral("canvas.qlet"), 100, 80, lines)));
        // A project comes in fitted; the tests place the mouse at one view pixel a page pixel.
        QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
        auto* tree = control<QTreeWidget>(window, "Structure");
        QTreeWidgetItem* item = tree->topLevelItem(0);
        tree->setCurrentItem(block >= 0 ? item->child(block) : item);
        window.RepaintTimeTimer();
        view = control<PageView>(window, "DXDraw1");
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(view, Qt::LeftButton, modifiers, from);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, modifiers, to);
    }
    const std::vector<TreeNode>& blocks() const
    {
        return window.document().project.Structure.fields[0].blocks;
    }
};

// ViewScale 0.5 through the calibration box: 10 cm on the ruler measure 20.
void halveTheZoom(TForm1& window)
{
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    DialogScript script({enterText(QStringLiteral("20"))});
    QTest::mouseClick(control<QToolButton>(window, "ScreenBtn"), Qt::RightButton);
    QTRY_VERIFY(script.finished());
    QCOMPARE(window.viewState().ViewScale, 0.5);
}

// Block 0 of field 0 in the drag tests, page pixels.
const QRect Block(QPoint(100, 100), QPoint(199, 149));

QStringList shapeWithBlock()
{
    return {Shape,
            QStringLiteral("\t")
                + QuilletTest::blockText(Block.left(), Block.top(), Block.right(), Block.bottom())};
}

QRect rectOf(const TreeNode& block)
{
    const BlockRect r = ParseBlockRect(block.text);
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
}

QString decimal(const char* number)
{
    return QString::fromLatin1(number).replace(u'.', QLocale().decimalPoint());
}

} // namespace

void CanvasTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
}

void CanvasTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void CanvasTest::drawingBlocks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("halfZoom");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QRect>("expected"); // page pixels, edges inclusive; null: no block

    const QString text = textField(QStringLiteral("0000"), QStringLiteral("a"));
    const Qt::KeyboardModifiers none;
    QTest::newRow("two pixels make 3 x 3") << text << false << QPoint(100, 100) << QPoint(102, 102)
                                           << none << QRect(QPoint(100, 100), QPoint(102, 102));
    QTest::newRow("one pixel makes nothing")
        << text << false << QPoint(100, 100) << QPoint(101, 180) << none << QRect();
    QTest::newRow("reverse equals forward") << text << false << QPoint(102, 102) << QPoint(100, 100)
                                            << none << QRect(QPoint(100, 100), QPoint(102, 102));
    QTest::newRow("half zoom: 50 view pixels span 100")
        << text << true << QPoint(10, 20) << QPoint(60, 70) << none
        << QRect(QPoint(20, 40), QPoint(120, 140));
    QTest::newRow("ctrl click on a shape: 10 mm")
        << Shape << false << QPoint(200, 300) << QPoint(200, 300)
        << Qt::KeyboardModifiers(Qt::ControlModifier) << QRect(QPoint(200, 300), QSize(119, 119));
}

void CanvasTest::drawingBlocks()
{
    QFETCH(QString, field);
    QFETCH(bool, halfZoom);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QRect, expected);
    Session s(QDir(m_dir.path()), {field});
    if (halfZoom)
        halveTheZoom(s.window);
    const qint64 rasterKey = s.window.pageRaster().cacheKey();

    QTest::mousePress(s.view, Qt::LeftButton, modifiers, from);
    // A move without Ctrl would take the preset's corner back to the pointer.
    if (modifiers == Qt::NoModifier)
        QTest::mouseMove(s.view, to);
    // The drag is drawn over the page, never into it.
    QCOMPARE(s.view->overlay().kind, CanvasOverlay::Kind::HatchedRect);
    QCOMPARE(s.window.pageRaster().cacheKey(), rasterKey);
    QTest::mouseRelease(s.view, Qt::LeftButton, modifiers, to);
    QCOMPARE(s.view->overlay().kind, CanvasOverlay::Kind::None);

    QCOMPARE(s.blocks().size(), size_t(expected.isNull() ? 0 : 1));
    QCOMPARE(s.window.document().RepaintPending, !expected.isNull());
    if (expected.isNull())
        return;
    const BlockRect r = ParseBlockRect(s.blocks()[0].text);
    QCOMPARE(QPoint(r.Left, r.Top), expected.topLeft());
    // 10 mm is 118.1 pixels, so the far edge falls 118 or 119 pixels on.
    const int slack = field == Shape ? 1 : 0;
    QVERIFY2(qAbs(r.Right - expected.right()) <= slack
                 && qAbs(r.Bottom - expected.bottom()) <= slack,
             qPrintable(s.blocks()[0].text));
    // The new block is current in the tree and outlined on the next repaint.
    auto* tree = control<QTreeWidget>(s.window, "Structure");
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0)->child(0));
    s.window.RepaintTimeTimer();
    QCOMPARE(s.window.document().undo.available(), 1);
}

void CanvasTest::coordinatePanelSnapsAndPreviews()
{
    Session s(QDir(m_dir.path()), {Shape, block("0001,00 0002,00/0030,00 0020,00")});
    // A double click inside the block on the layout view opens it in Coords.
    QTest::mouseDClick(s.view, Qt::LeftButton, {}, QPoint(200, 100));
    auto* tree = control<QTreeWidget>(s.window, "Structure");
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0)->child(0));
    QCOMPARE(s.window.fieldEditor().panel(), EditorPanel::Coords);
    QVERIFY(s.blocks().size() == 1); // the double click's own press drew nothing

    typeInto(s.window, "Min_x", decimal("12.3"));
    auto* minX = control<QDoubleSpinBox>(s.window, "Min_x");
    QCOMPARE(minX->text(), decimal("12.28"));
    QCOMPARE(s.window.fieldEditor().coords.Min_x, double(145 * MmPerPixel));
    QCOMPARE(s.view->overlay(), (CanvasOverlay{CanvasOverlay::Kind::HatchedRect,
                                               {145, 24},
                                               {int(mmToPixel(30)), int(mmToPixel(20))}}));

    // A minimum beyond its maximum trades places with it.
    typeInto(s.window, "Min_y", decimal("25"));
    QCOMPARE(s.window.fieldEditor().coords.Min_y, 20.0);
    QCOMPARE(s.window.fieldEditor().coords.max_y, double(snapToPixel(25)));

    // The multiplier snaps like the edges; X halves the width of the panel's values only.
    QCOMPARE(control<QDoubleSpinBox>(s.window, "BlockScale")->value(), 0.5);
    typeInto(s.window, "BlockScale", decimal("0.5"));
    QCOMPARE(control<QDoubleSpinBox>(s.window, "BlockScale")->value(), 0.508);
    const CoordsValues before = s.window.fieldEditor().coords;
    QTest::mouseClick(control<QToolButton>(s.window, "ScaleX"), Qt::LeftButton);
    QCOMPARE(s.window.fieldEditor().coords.max_x,
             before.Min_x + (before.max_x - before.Min_x) * 0.508);
    QCOMPARE(s.blocks()[0].text, QStringLiteral("0001,00 0002,00/0030,00 0020,00"));
    QCOMPARE(s.view->overlay().to.x(), int(mmToPixel(s.window.fieldEditor().coords.max_x)));
}

void CanvasTest::pressesWithAFieldPanelOpenDoNothing()
{
    Session s(QDir(m_dir.path()), {textField(QStringLiteral("0000"), QStringLiteral("a"))});
    auto* tree = control<QTreeWidget>(s.window, "Structure");
    Q_EMIT tree->itemDoubleClicked(tree->topLevelItem(0), 0);
    QCOMPARE(s.window.fieldEditor().panel(), EditorPanel::TextField);
    s.drag({100, 100}, {300, 300});
    QCOMPARE(s.view->overlay().kind, CanvasOverlay::Kind::None);
    QVERIFY(s.blocks().empty());
}

void CanvasTest::doubleClickDuringTheAdvertisingPauseWaits()
{
    Session s(QDir(m_dir.path()), {Shape, block("0001,00 0002,00/0030,00 0020,00")});
    auto* ad = control<AdvertPanel>(s.window, "AD");
    control<QTimer>(s.window, "Timer1")->stop();
    control<QTimer>(s.window, "RepaintTime")->stop();
    for (int second = 0; second < 30; ++second)
        ad->Timer1Timer();
    for (int tick = 0; tick < 240 && ad->isHidden(); ++tick)
        s.window.RepaintTimeTimer();
    QVERIFY(ad->isVisible());

    // The editing area is out of sight: the click opens nothing and says why.
    QTest::mouseDClick(s.view, Qt::LeftButton, {}, QPoint(200, 100));
    QVERIFY(!s.window.fieldEditor().isOpen());
    QVERIFY(s.view->isEnabled());
    QVERIFY(s.window.statusBar()->currentMessage().contains(QStringLiteral("рекламной паузы")));

    for (int second = 0; second < 30; ++second)
        ad->Timer1Timer();
    QVERIFY(ad->isHidden());
    QTest::mouseDClick(s.view, Qt::LeftButton, {}, QPoint(200, 100));
    QCOMPARE(s.window.fieldEditor().panel(), EditorPanel::Coords);
}

void CanvasTest::anglePointsPicked()
{
    // No current node is needed, and the line is drawn over the page.
    Session s(QDir(m_dir.path()), {Shape});
    control<QAbstractButton>(s.window, "sSpeedButton3")->click();
    QCOMPARE(s.window.fieldEditor().panel(), EditorPanel::AngleOpt);
    QTest::mousePress(s.view, Qt::LeftButton, {}, QPoint(118, 118));
    QTest::mouseMove(s.view, QPoint(1299, 236));
    QCOMPARE(s.view->overlay().kind, CanvasOverlay::Kind::DashedLine);
    QTest::mouseRelease(s.view, Qt::LeftButton, {}, QPoint(1299, 236));
    QCOMPARE(s.view->overlay().kind, CanvasOverlay::Kind::None);
    QVERIFY(s.blocks().empty());

    const double mm = double(MmPerPixel);
    QVERIFY(qAbs(control<QDoubleSpinBox>(s.window, "t1_x")->value() - 118 * mm) < 0.001);
    const double a = std::atan2(118 * mm, 1181 * mm) * 180 / M_PI; // Angle1 is 0
    QCOMPARE(control<QDoubleSpinBox>(s.window, "Angle2")->value(), std::round(a * 100) / 100);
}

void CanvasTest::blockDraggedWithTheMouse_data()
{
    QTest::addColumn<int>("current"); // block 0 current, or the field (-1)
    QTest::addColumn<bool>("halfZoom");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QRect>("expected"); // block 0 after the release
    QTest::addColumn<int>("blocks");

    const Qt::KeyboardModifiers none;
    QTest::newRow("a click makes the block current")
        << -1 << false << QPoint(150, 120) << QPoint(150, 120) << none << Block << 1;
    QTest::newRow("the inside moves it") << -1 << false << QPoint(150, 120) << QPoint(180, 140)
                                         << none << Block.translated(30, 20) << 1;
    QTest::newRow("half zoom: a view pixel is two page pixels")
        << -1 << true << QPoint(75, 60) << QPoint(90, 70) << none << Block.translated(30, 20) << 1;
    QTest::newRow("the bottom right handle resizes it")
        << 0 << false << QPoint(203, 153) << QPoint(223, 173) << none
        << Block.adjusted(0, 0, 20, 20) << 1;
    QTest::newRow("the top handle stops at the page")
        << 0 << false << QPoint(150, 96) << QPoint(150, -300) << none
        << QRect(QPoint(100, 0), Block.bottomRight()) << 1;
    QTest::newRow("with Ctrl a press on the block draws")
        << 0 << false << QPoint(150, 120) << QPoint(150, 120)
        << Qt::KeyboardModifiers(Qt::ControlModifier) << Block << 2;
}

void CanvasTest::blockDraggedWithTheMouse()
{
    QFETCH(int, current);
    QFETCH(bool, halfZoom);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QRect, expected);
    QFETCH(int, blocks);
    Session s(QDir(m_dir.path()), shapeWithBlock(), current);
    if (halfZoom)
        halveTheZoom(s.window);
    auto* tree = control<QTreeWidget>(s.window, "Structure");

    QTest::mousePress(s.view, Qt::LeftButton, modifiers, from);
    if (modifiers == Qt::NoModifier) {
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0)->child(0));
        QTest::mouseMove(s.view, to);
        // The preview follows the pointer; the tree waits for the release.
        const CanvasOverlay preview = s.view->overlay();
        if (expected != Block) {
            QCOMPARE(preview.kind, CanvasOverlay::Kind::HatchedRect);
            QCOMPARE(QRect(preview.from, preview.to), expected);
        }
        QCOMPARE(rectOf(s.blocks()[0]), Block);
    }
    QTest::mouseRelease(s.view, Qt::LeftButton, modifiers, to);
    QCOMPARE(s.view->overlay().kind, CanvasOverlay::Kind::None);

    QCOMPARE(rectOf(s.blocks()[0]), expected);
    QCOMPARE(s.blocks().size(), size_t(blocks));
    const bool changed = expected != Block || blocks > 1;
    QCOMPARE(s.window.document().undo.available(), changed ? 1 : 0);
    if (!changed)
        return;
    click(s.window, "UndoBtn");
    QCOMPARE(rectOf(s.blocks()[0]), Block);
    QCOMPARE(s.blocks().size(), size_t(1));
}

void CanvasTest::nudgesOfTheCurrentBlock_data()
{
    QTest::addColumn<QString>("button"); // empty: the key
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QRect>("expected"); // after three presses of the default 3-pixel step

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift(Qt::ShiftModifier);
    QTest::newRow("right") << QString() << int(Qt::Key_Right) << none << Block.translated(9, 0);
    QTest::newRow("shift down: taller")
        << QString() << int(Qt::Key_Down) << shift << Block.adjusted(0, 0, 0, 9);
    QTest::newRow("alt right still scrolls")
        << QString() << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::AltModifier) << Block;
    QTest::newRow("MoveUP on the marked block")
        << QStringLiteral("MoveUP") << 0 << none << Block.translated(0, -9);
    QTest::newRow("HSmall on the marked block")
        << QStringLiteral("HSmall") << 0 << none << Block.adjusted(0, 0, -9, 0);
}

void CanvasTest::nudgesOfTheCurrentBlock()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QRect, expected);
    Session s(QDir(m_dir.path()), shapeWithBlock(), 0);
    auto* scroll = control<QScrollArea>(s.window, "sScrollBox1")->horizontalScrollBar();
    QCOMPARE(scroll->value(), 0);
    // The view takes the focus as a user's click gives it.
    QTest::mouseClick(s.view, Qt::LeftButton, {}, QPoint(150, 120));
    QVERIFY(s.view->hasFocus());
    if (!button.isEmpty())
        click(s.window, "ToolButton23");
    for (int press = 0; press < 3; ++press) {
        if (button.isEmpty())
            QTest::keyClick(s.view, Qt::Key(key), modifiers);
        else
            click(s.window, qPrintable(button));
    }
    QCOMPARE(rectOf(s.blocks()[0]), expected);
    QCOMPARE(scroll->value() > 0, modifiers == Qt::AltModifier);
    // The run of steps is one undo step.
    QCOMPARE(s.window.document().undo.available(), expected == Block ? 0 : 1);
    click(s.window, "UndoBtn");
    QCOMPARE(rectOf(s.blocks()[0]), Block);
}

QTEST_MAIN(CanvasTest)
#include "CanvasTest.moc"
