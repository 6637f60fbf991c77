// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The block and relation toolbars of the fields areas, clicked as a user clicks them.

#include "core/app/NodeGrammar.h"
#include "gui/app/MainWindow.h"
#include "support/WindowDriver.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

namespace {

// Makes the node current and toggles its mark with the space key.
void markNode(QWidget& window, int field, int block = -1)
{
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* item = tree->topLevelItem(field);
    if (block >= 0)
        item = item->child(block);
    tree->setCurrentItem(item);
    QTest::keyClick(tree, Qt::Key_Space);
}

void makeCurrent(QWidget& window, int field, int block = -1)
{
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* item = tree->topLevelItem(field);
    tree->setCurrentItem(block >= 0 ? item->child(block) : item);
}

} // namespace

class BlockToolsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cloneMarkAllAndRefusals();
    void linkAsksAndRelationsFollow();

private:
    QTemporaryDir m_dir;
};

void BlockToolsTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void BlockToolsTest::cloneMarkAllAndRefusals()
{
    // (100, 200)–(399, 299) and a block at the left edge of the page.
    const QString path = saveProject(QDir(m_dir.path()), QStringLiteral("tools.qlet"), 100, 80,
                                     {textField(QStringLiteral("0000"), QStringLiteral("a")),
                                      block("0008,47 0016,93/0033,78 0025,32"),
                                      block("0000,00 0001,02/0002,03 0003,05")});
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(path));
    const FieldTree& tree = window.document().project.Structure;

    makeCurrent(window, 0, 0);
    click(window, "ToolButton20");
    QCOMPARE(tree.fields[0].blocks.size(), size_t(3));
    QCOMPARE(ParseBlockRect(tree.fields[0].blocks[1].text), (BlockRect{100, 300, 399, 399}));
    auto* view = control<QTreeWidget>(window, "Structure");
    QCOMPARE(view->currentItem(), view->topLevelItem(0)->child(1));

    // The block at the left edge cannot move further left: it stays and the list says so,
    // and so does the status bar, for a user who keeps the error list closed.
    control<QCheckBox>(window, "ShowErr")->setChecked(false);
    markNode(window, 0, 2);
    click(window, "MoveLeft");
    QCOMPARE(ParseBlockRect(tree.fields[0].blocks[2].text).Left, 0);
    auto* errors = control<QPlainTextEdit>(window, "ErroreList");
    QCOMPARE(errors->document()->blockCount(), 1);
    QVERIFY(errors->toPlainText().contains(QStringLiteral("за пределы страницы")));
    QCOMPARE(window.statusBar()->currentMessage(), errors->toPlainText());

    click(window, "ToolButton23");
    for (const FieldNode& field : tree.fields) {
        QVERIFY(field.marked);
        for (const TreeNode& b : field.blocks)
            QVERIFY(b.marked);
    }
    QCOMPARE(view->topLevelItem(0)->child(0)->checkState(0), Qt::Checked);
    click(window, "ToolButton13");
    QVERIFY(tree.isEmpty());
    QCOMPARE(view->topLevelItemCount(), 0);
    pressKey(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(tree.fields.size(), size_t(1));
}

void BlockToolsTest::linkAsksAndRelationsFollow()
{
    QStringList lines;
    for (const char* id : {"0003", "0004", "0005", "0009"})
        lines << textField(QString::fromLatin1(id), QStringLiteral("x"));
    const QString path =
        saveProject(QDir(m_dir.path()), QStringLiteral("links.qlet"), 100, 80, lines);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(path));
    markNode(window, 0);
    markNode(window, 1);
    markNode(window, 2);
    click(window, "ToolButton1");
    auto* list = control<QListWidget>(window, "RelateList");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("3-5"));

    click(window, "ToolButton22");
    markNode(window, 1);
    markNode(window, 3);
    DialogScript script({press(QMessageBox::No)});
    click(window, "ToolButton1");
    QTRY_VERIFY(script.finished());
    QCOMPARE(script.seen.size(), 1);
    QVERIFY(script.seen[0].contains(
        QStringLiteral("Поле с ID: 0004входит в состав другой зависимости.\n\r")));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("3,5"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("4,9"));

    click(window, "ToolButton23");
    QCOMPARE(list->item(1)->checkState(), Qt::Checked);
    list->item(0)->setSelected(true);
    click(window, "ToolButton15");
    QCOMPARE(list->count(), 1);
    QCOMPARE(window.document().project.RelateList.front().text, QStringLiteral("4,9"));
    click(window, "ToolButton16");
    QCOMPARE(list->count(), 0);
}

QTEST_MAIN(BlockToolsTest)
#include "BlockToolsTest.moc"
