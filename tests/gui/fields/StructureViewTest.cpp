// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The field tree `Structure` in the window: a readable line for each node over the stored
// node text, which the items, the tooltips and the model keep as it was.

#include "core/app/NodeDisplayText.h"
#include "core/app/NodeGrammar.h"
#include "gui/app/MainWindow.h"
#include "gui/fields/StructureView.h"
#include "support/WindowDriver.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

namespace {

QStringList treeLines()
{
    ImageFieldOptions image;
    image.fileName = QStringLiteral("img\\stamp.png");
    ShapeFieldOptions circle;
    circle.kind = ShapeKind::Ellipse;
    circle.startAngle = 90;
    circle.endAngle = 90;
    return {textField(QStringLiteral("0000"), QStringLiteral("=A1:A3")),
            block("0012,70 0025,40/0050,80 0030,48"),
            composeImageField(QStringLiteral("1001"), image),
            block("0012,70 0035,40/0050,80 0040,48"),
            composeShapeField(QStringLiteral("2002"), circle),
            QStringLiteral("0003 unreadable")};
}

QTreeWidgetItem* item(QTreeWidget* tree, int field, int block = -1)
{
    QTreeWidgetItem* item = tree->topLevelItem(field);
    return block >= 0 ? item->child(block) : item;
}

} // namespace

class StructureViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void readableLinesOverStoredTexts();
    void typingFindsAReadableLine();

private:
    QString m_project;
    QTemporaryDir m_dir;
};

void StructureViewTest::initTestCase()
{
    // The blocks' millimetres follow the locale's decimal mark.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void StructureViewTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
    m_project = saveProject(QDir(m_dir.path()), QStringLiteral("tree.qlet"), 210, 297, treeLines());
}

void StructureViewTest::readableLinesOverStoredTexts()
{
    TForm1 window;
    QVERIFY(window.LoadProject(m_project));
    auto* tree = control<QTreeWidget>(window, "Structure");
    const FieldTree& model = window.document().project.Structure;
    QCOMPARE(model, FieldTree::fromText(treeLines().join(QStringLiteral("\r\n"))));
    QCOMPARE(tree->topLevelItemCount(), 4);

    QCOMPARE(item(tree, 0)->text(0), QStringLiteral("0000  Текст  =A1:A3  Arial 12 pt"));
    QCOMPARE(item(tree, 0, 0)->text(0), QStringLiteral("x 12,70 y 25,40 — 38,10 × 5,08 мм"));
    QCOMPARE(item(tree, 1)->text(0), QStringLiteral("1001  Картинка  stamp.png"));
    QCOMPARE(item(tree, 2)->text(0), QStringLiteral("2002  Фигура  Круг"));
    QCOMPARE(item(tree, 3)->text(0), QStringLiteral("0003 unreadable"));
    // The stored text, separators made visible, is the tooltip.
    QCOMPARE(item(tree, 0)->toolTip(0),
             QStringLiteral("0000=A1:A3␈0000000$00FFFFFF$00000000000012Arial"));
    QCOMPARE(item(tree, 0, 0)->toolTip(0), QStringLiteral("0012,70 0025,40/0050,80 0030,48"));
    QCOMPARE(item(tree, 0)->checkState(0), Qt::Unchecked);

    for (int f = 0; f < tree->topLevelItemCount(); ++f) {
        const FieldNode& field = model.fields[f];
        QCOMPARE(item(tree, f)->data(0, StructureView::NodeTextRole).toString(), field.text);
        QCOMPARE(item(tree, f)->toolTip(0), visibleNodeText(field.text));
        QCOMPARE(item(tree, f)->childCount(), int(field.blocks.size()));
        for (int b = 0; b < item(tree, f)->childCount(); ++b) {
            QCOMPARE(item(tree, f, b)->data(0, StructureView::NodeTextRole).toString(),
                     field.blocks[b].text);
        }
    }
}

void StructureViewTest::typingFindsAReadableLine()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(m_project));
    click(window, "StructureBtn");
    auto* tree = control<QTreeWidget>(window, "Structure");
    tree->setFocus();
    tree->setCurrentItem(item(tree, 1));
    // Only the readable line of a block starts with "x": its stored text starts with digits.
    QTest::keyClick(tree, Qt::Key_X);
    QCOMPARE(tree->currentItem(), item(tree, 1, 0));
    QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{item(tree, 1, 0)});
    QCOMPARE(window.document().project.Structure,
             FieldTree::fromText(treeLines().join(QStringLiteral("\r\n"))));
}

QTEST_MAIN(StructureViewTest)
#include "StructureViewTest.moc"
