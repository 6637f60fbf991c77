// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/editor/CanvasInteraction.h"
#include "core/app/NodeGrammar.h"
#include "core/app/ProjectDocument.h"
#include "core/common/Geometry.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

QString textField(int points, bool comb = false)
{
    TOptTextField options;
    options.fieldText = QStringLiteral("Образец");
    options.fontSize = points;
    options.fontName = QStringLiteral("DejaVu Sans");
    options.comb = comb;
    return composeTextField(QStringLiteral("0000"), options);
}

// An A4 page with one field and no blocks, the field current.
struct Session {
    ProjectDocument doc;
    CanvasInteraction drag;
    CanvasPressContext context;

    explicit Session(const QString& fieldText = QStringLiteral("2000") + FieldSeparator)
    {
        doc.project.settings.PrWidth = 210;
        doc.project.settings.PrHeight = 297;
        FieldNode field;
        field.text = fieldText;
        doc.project.Structure.fields.push_back(field);
        context.current = NodeRef{0, -1};
    }
    std::vector<TreeNode>& blocks() { return doc.project.Structure.fields[0].blocks; }
};

CanvasEvent at(QPoint view, double scale = 1.0, bool ctrl = false, bool angle = false)
{
    return CanvasEvent{view, scale, ctrl, true, angle};
}

} // namespace

Q_DECLARE_METATYPE(CoordsValues)

class CanvasInteractionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blockDrag_data();
    void blockDrag();
    void pressConditions_data();
    void pressConditions();
    void angleDragKeepsItsPoints();
    void ctrlPresets();
    void ctrlPresetOfTextField_data();
    void ctrlPresetOfTextField();
    void coordsExitSnapsThenOrders_data();
    void coordsExitSnapsThenOrders();
};

void CanvasInteractionTest::blockDrag_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QString>("expected"); // empty: no block, no snapshot

    const auto& text = QuilletTest::blockText;
    QTest::newRow("click") << QPoint(100, 100) << QPoint(100, 100) << 1.0 << false << QString();
    QTest::newRow("two pixels: 3 x 3 block")
        << QPoint(100, 100) << QPoint(102, 102) << 1.0 << false << text(100, 100, 102, 102);
    QTest::newRow("one pixel across")
        << QPoint(100, 100) << QPoint(101, 150) << 1.0 << false << QString();
    QTest::newRow("reverse equals forward")
        << QPoint(102, 102) << QPoint(100, 100) << 1.0 << false << text(100, 100, 102, 102);
    QTest::newRow("half scale doubles")
        << QPoint(50, 20) << QPoint(100, 70) << 0.5 << false << text(100, 40, 200, 140);
    QTest::newRow("ctrl click on a shape: 10 mm")
        << QPoint(300, 300) << QPoint(300, 300) << 1.0 << true << text(300, 300, 418, 418);
    QTest::newRow("off the page is clamped")
        << QPoint(2470, 3500) << QPoint(2600, 3700) << 1.0 << false << text(2470, 3500, 2479, 3507);
}

void CanvasInteractionTest::blockDrag()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(double, scale);
    QFETCH(bool, ctrl);
    QFETCH(QString, expected);
    Session s;
    QVERIFY(s.drag.press(s.doc, at(from, scale, ctrl), s.context));
    const CanvasOverlay shown = s.drag.move(at(to, scale, ctrl));
    QCOMPARE(shown.kind, CanvasOverlay::Kind::HatchedRect);
    const CanvasRelease done = s.drag.release(s.doc, at(to, scale, ctrl));
    QVERIFY(!s.drag.DragActive);
    QCOMPARE(done.anglePoints, std::optional(std::pair(QPointF(), QPointF())));
    QCOMPARE(done.newBlock.has_value(), !expected.isEmpty());
    QCOMPARE((s.doc.undo.available() == 0), expected.isEmpty());
    QCOMPARE(s.doc.RepaintPending, !expected.isEmpty());
    if (!expected.isEmpty()) {
        QCOMPARE(s.blocks().size(), size_t(1));
        QCOMPARE(s.blocks()[0].text, expected);
        QVERIFY(!s.blocks()[0].marked);
    } else {
        QVERIFY(s.blocks().empty());
    }
    if (!expected.isEmpty()) {
        s.blocks().push_back(TreeNode{QStringLiteral("not a block")});
        const BlockRect r = ParseBlockRect(expected);
        const FieldTree& tree = s.doc.project.Structure;
        QCOMPARE(blockAt(tree, {r.Right, r.Bottom}), std::optional(NodeRef{0, 0}));
        QCOMPARE(blockAt(tree, {r.Right + 1, r.Bottom}), std::optional<NodeRef>());
    }
}

void CanvasInteractionTest::pressConditions_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("basicOpt");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("current"); // -1: none; 5: a field that does not exist
    QTest::addColumn<bool>("starts");

    QTest::newRow("layout page") << 0 << true << true << 0 << true;
    QTest::newRow("data page") << 1 << true << true << 0 << false;
    QTest::newRow("field panel open") << 0 << false << true << 0 << false;
    QTest::newRow("right button") << 0 << true << false << 0 << false;
    QTest::newRow("no current node") << 0 << true << true << -1 << false;
    QTest::newRow("stale current node") << 0 << true << true << 5 << false;
}

void CanvasInteractionTest::pressConditions()
{
    QFETCH(int, page);
    QFETCH(bool, basicOpt);
    QFETCH(bool, left);
    QFETCH(int, current);
    QFETCH(bool, starts);
    Session s;
    s.context.PageN = page;
    s.context.basicOptEnabled = basicOpt;
    s.context.current = current < 0 ? std::nullopt : std::optional(NodeRef{current, -1});
    CanvasEvent press = at({10, 10});
    press.left = left;
    QCOMPARE(s.drag.press(s.doc, press, s.context), starts);
    QCOMPARE(s.drag.DragActive, starts);
    QCOMPARE(s.drag.move(at({90, 90})).kind,
             starts ? CanvasOverlay::Kind::HatchedRect : CanvasOverlay::Kind::None);
    s.drag.release(s.doc, at({90, 90}));
    QCOMPARE(s.blocks().size(), size_t(starts ? 1 : 0));

    // A second button during a drag cancels it.
    if (starts) {
        QVERIFY(s.drag.press(s.doc, at({10, 10}), s.context));
        press.left = false;
        QVERIFY(!s.drag.press(s.doc, press, s.context));
        QVERIFY(!s.drag.release(s.doc, at({90, 90})).anglePoints);
        QCOMPARE(s.blocks().size(), size_t(1));
    }
}

void CanvasInteractionTest::angleDragKeepsItsPoints()
{
    // Angle mode needs no current node and works on any page; Ctrl changes nothing.
    Session s;
    s.context.current.reset();
    s.context.PageN = 3;
    QVERIFY(s.drag.press(s.doc, at({118, 118}, 1.0, true, true), s.context));
    const CanvasOverlay line = s.drag.move(at({1299, 236}, 1.0, true, true));
    QCOMPARE(line, (CanvasOverlay{CanvasOverlay::Kind::DashedLine, {118, 118}, {1299, 236}}));
    const CanvasRelease done = s.drag.release(s.doc, at({1299, 236}, 1.0, true, true));
    QVERIFY(done.repaint && s.doc.RepaintPending && !done.newBlock);
    QVERIFY(done.anglePoints);
    QCOMPARE(done.anglePoints->first, QPointF(118 * double(MmPerPixel), 118 * double(MmPerPixel)));
    QCOMPARE(done.anglePoints->second.x(), 1299 * double(MmPerPixel));
    QVERIFY((s.doc.undo.available() == 0) && s.blocks().empty());
}

void CanvasInteractionTest::ctrlPresets()
{
    const double mm = double(MmPerPixel);
    // A picture loads relative to the project; one that does not load gives nothing.
    QTemporaryDir dir;
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("p.png"))));
    ImageFieldOptions image;
    image.fileName = QStringLiteral("p.png");
    const QString imageField = composeImageField(QStringLiteral("1000"), image);
    const QString project = dir.filePath(QStringLiteral("form.qlet"));
    QCOMPARE(ctrlPresetMm(imageField, project), QPointF(7 * mm, 5 * mm));
    QCOMPARE(ctrlPresetMm(imageField, QStringLiteral("/nowhere/form.qlet")), QPointF(0, 0));

    QCOMPARE(ctrlPresetMm(QStringLiteral("2000") + FieldSeparator, QString()), QPointF(10, 10));

    // A Ctrl + click on a field with an unreadable picture creates nothing.
    Session s(imageField);
    s.context.projectPath = QStringLiteral("/nowhere/form.qlet");
    QVERIFY(s.drag.press(s.doc, at({10, 10}, 1.0, true), s.context));
    QVERIFY(!s.drag.release(s.doc, at({10, 10}, 1.0, true)).newBlock);
}

// A text field's preset is as high as "ЙЩЁур" in its font: an ordinary field as wide as
// its text, a comb field one square block per Ctrl + click.
void CanvasInteractionTest::ctrlPresetOfTextField_data()
{
    QTest::addColumn<bool>("comb");
    QTest::addColumn<double>("leastWidthOverHeight");
    QTest::addColumn<double>("mostWidthOverHeight");
    QTest::newRow("ordinary field: the whole text") << false << 2.0 << 10.0;
    QTest::newRow("comb field: one square block") << true << 1.0 << 1.0;
}

void CanvasInteractionTest::ctrlPresetOfTextField()
{
    QFETCH(bool, comb);
    QFETCH(double, leastWidthOverHeight);
    QFETCH(double, mostWidthOverHeight);
    const double mm = double(MmPerPixel);
    // 10 pt is 42 pixels at 300 dpi; twice the size, about twice the extent.
    const QPointF small = ctrlPresetMm(textField(10, comb), QString());
    const QPointF large = ctrlPresetMm(textField(20, comb), QString());
    const double height = (small.y() - 1) / mm;
    QVERIFY2(height > 42 && height < 84, qPrintable(QString::number(height)));
    QVERIFY(qAbs((large.y() - 1) / (small.y() - 1) - 2) < 0.1);
    const double ratio = (small.x() - 1) / (small.y() - 1);
    QVERIFY2(ratio >= leastWidthOverHeight && ratio <= mostWidthOverHeight,
             qPrintable(QString::number(ratio)));
    // The sample's height does not depend on the comb.
    QCOMPARE(small.y(), ctrlPresetMm(textField(10, !comb), QString()).y());

    // Each Ctrl + click draws one block of the preset's size where it was clicked.
    Session s(textField(10, comb));
    for (const QPoint click : {QPoint(100, 100), QPoint(300, 100)}) {
        QVERIFY(s.drag.press(s.doc, at(click, 1.0, true), s.context));
        QVERIFY(s.drag.release(s.doc, at(click, 1.0, true)).newBlock);
    }
    QCOMPARE(s.blocks().size(), size_t(2));
    const QPoint corner = mmToPixelPoint(viewToMmPoint({300, 100}, 1.0) + small);
    QCOMPARE(ParseBlockRect(s.blocks()[1].text), (BlockRect{300, 100, corner.x(), corner.y()}));
}

void CanvasInteractionTest::coordsExitSnapsThenOrders_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<CoordsValues>("before");
    QTest::addColumn<CoordsValues>("after");

    const double mm = double(MmPerPixel);
    QTest::newRow("12.3 snaps to pixel 145")
        << int(CoordsEdit::Min_x) << CoordsValues{12.3, 1, 50, 50}
        << CoordsValues{145 * mm, 1, 50, 50};
    QTest::newRow("min beyond max swaps after the snap")
        << int(CoordsEdit::Min_x) << CoordsValues{60, 1, 50, 50}
        << CoordsValues{50, 1, double(snapToPixel(60)), 50};
    QTest::newRow("both axes ordered, only the left edit snaps")
        << int(CoordsEdit::max_y) << CoordsValues{9, 40, 5, 20.3}
        << CoordsValues{5, double(snapToPixel(20.3)), 9, 40};
}

void CanvasInteractionTest::coordsExitSnapsThenOrders()
{
    QFETCH(int, which);
    QFETCH(CoordsValues, before);
    QFETCH(CoordsValues, after);
    coordsExit(before, CoordsEdit(which));
    QCOMPARE(before, after);
    QCOMPARE(coordsPreviewRect(after).to,
             QPoint(int(mmToPixel(after.max_x)), int(mmToPixel(after.max_y))));
}

QTEST_MAIN(CanvasInteractionTest)
#include "CanvasInteractionTest.moc"
