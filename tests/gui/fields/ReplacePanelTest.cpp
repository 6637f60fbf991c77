// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The auto-replace panel driven through the window: ToolButton11, the input boxes, the
// toolbar's file commands through their dialogs, OK and Cancel.

#include "core/app/ProjectFile.h"
#include "gui/app/MainWindow.h"

#include "support/TestSupport.h"
#include "support/WindowDriver.h"

#include <QFile>
#include <QHeaderView>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;
using QuilletTest::writeFile;

namespace {

// Presses a toolbar button whose command opens dialogs, answering them in turn.
QStringList clickThrough(QWidget& window, const char* name, std::deque<DialogScript::Step> steps)
{
    DialogScript script(std::move(steps));
    click(window, name);
    if (!QTest::qWaitFor([&script] { return script.finished(); }))
        qWarning("dialogs left unanswered after %s", name);
    return script.seen;
}

// The list as shown: "caption=replacement" per row, top to bottom.
QStringList rows(QWidget& window)
{
    auto* list = control<QTreeWidget>(window, "ReplaceList");
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + QLatin1Char('=') + list->topLevelItem(i)->text(1);
    return out;
}

QStringList pairs(const ReplacePairs& list)
{
    QStringList out;
    for (const ReplacePair& pair : list)
        out << pair.find + QLatin1Char('=') + pair.replacement;
    return out;
}

void selectRow(QWidget& window, int row)
{
    auto* list = control<QTreeWidget>(window, "ReplaceList");
    const QRect rect = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class ReplacePanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void commandsThroughTheWidgetsThenCancel();
    void okKeepsTheEditedList();
    void undoWithTheListOpenUndoesTheLastTreeEdit();

private:
    QString projectWithPairs();
    QTemporaryDir m_dir;
};

void ReplacePanelTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
}

void ReplacePanelTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

QString ReplacePanelTest::projectWithPairs()
{
    Project project;
    project.settings.SizeName = QStringLiteral("A4");
    project.settings.PrWidth = 210;
    project.settings.PrHeight = 297;
    project.ReplaceList = {{QStringLiteral("ivanov"), QStringLiteral("Иванов И.И.")},
                           {QStringLiteral("пусто"), QString()}};
    const QString path = m_dir.filePath(QStringLiteral("pairs.qlet"));
    ProjectFile::save(project, path);
    return path;
}

void ReplacePanelTest::commandsThroughTheWidgetsThenCancel()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(projectWithPairs()));
    const QStringList loaded{QStringLiteral("пусто="), QStringLiteral("ivanov=Иванов И.И.")};
    QCOMPARE(pairs(window.document().project.ReplaceList), loaded);

    QCOMPARE(control<QToolButton>(window, "ToolButton11")->toolTip(),
             QStringLiteral("Настроить автозамену"));
    QVERIFY(control<QToolBar>(window, "sToolBar3")
                ->isAncestorOf(control<QWidget>(window, "ToolButton11")));
    click(window, "ToolButton11");
    QVERIFY(control<QWidget>(window, "replace")->isVisible());
    QVERIFY(control<QScrollArea>(window, "AddOpt")->isVisible());
    QVERIFY(!control<QScrollArea>(window, "BasicOpt")->isEnabled());
    auto* list = control<QTreeWidget>(window, "ReplaceList");
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Что заменяем"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Чем заменяем"));
    QCOMPARE(list->columnWidth(0), 150);
    QCOMPARE(list->columnWidth(1), 150);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(rows(window), loaded);

    // Add, then the same caption in other letters updates it; a cancelled box adds nothing.
    QCOMPARE(clickThrough(window, "ToolButton31",
                          {enterText(QStringLiteral("abc")), enterText(QStringLiteral("X"))}),
             (QStringList{"Автозамена|Что заменяем ...", "Автозамена|чем заменяем ..."}));
    clickThrough(window, "ToolButton31",
                 {enterText(QStringLiteral("ABC")), enterText(QStringLiteral("Y"))});
    clickThrough(window, "ToolButton31", {enterText(QStringLiteral("new")), cancel()});
    QCOMPARE(rows(window), (QStringList{"пусто=", "ABC=Y", "ivanov=Иванов И.И."}));
    QCOMPARE(list->currentItem()->text(0), QStringLiteral("ABC"));

    // Delete the selected row; without a selection nothing goes.
    selectRow(window, 2);
    click(window, "ToolButton33");
    QCOMPARE(rows(window), (QStringList{"пусто=", "ABC=Y"}));
    list->clearSelection();
    click(window, "ToolButton33");
    QCOMPARE(rows(window).size(), 2);

    // Save under a typed .txt name: the .arl file is written, CR LF after every line.
    QCOMPARE(clickThrough(window, "ToolButton37",
                          {chooseFile(m_dir.filePath(QStringLiteral("list.txt")))}),
             QStringList{"file dialog"});
    QFile saved(m_dir.filePath(QStringLiteral("list.arl")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("\xEF\xF3\xF1\xF2\xEE\r\n\r\nABC\r\nY\r\n"));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("list.txt"))));

    // Clear, open a file with a caption twice (two rows), merge the saved list into it,
    // and a missing file changes nothing.
    click(window, "ToolButton35");
    QCOMPARE(rows(window), QStringList{});
    const QString twice = m_dir.filePath(QStringLiteral("twice.arl"));
    writeFile(twice, "IVANOV\r\n2\r\nIvanov\r\n1\r\nodd\r\n");
    clickThrough(window, "ToolButton36", {chooseFile(twice)});
    QCOMPARE(rows(window), (QStringList{"Ivanov=1", "IVANOV=2"}));
    clickThrough(window, "ToolButton32", {chooseFile(saved.fileName())});
    QCOMPARE(rows(window), (QStringList{"пусто=", "ABC=Y", "Ivanov=1", "IVANOV=2"}));
    writeFile(twice, "ivanov\r\n0\r\n");
    clickThrough(window, "ToolButton32", {chooseFile(twice)});
    QCOMPARE(rows(window), (QStringList{"пусто=", "ABC=Y", "ivanov=0", "IVANOV=2"}));
    clickThrough(window, "ToolButton36", {chooseFile(m_dir.filePath(QStringLiteral("no.arl")))});
    QCOMPARE(rows(window).size(), 4);

    // Cancel after clearing brings every pair back in its order.
    click(window, "ToolButton35");
    click(window, "CancelBtn");
    QVERIFY(!control<QScrollArea>(window, "AddOpt")->isVisible());
    QVERIFY(control<QScrollArea>(window, "BasicOpt")->isEnabled());
    QCOMPARE(pairs(window.document().project.ReplaceList), loaded);
    click(window, "ToolButton11");
    QCOMPARE(rows(window), loaded);
    click(window, "CancelBtn");
}

void ReplacePanelTest::okKeepsTheEditedList()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(projectWithPairs()));
    click(window, "ToolButton11");
    selectRow(window, 0);
    click(window, "ToolButton33");
    clickThrough(window, "ToolButton31",
                 {enterText(QStringLiteral("IVANOV")), enterText(QStringLiteral("I."))});
    click(window, "OkBtn");
    QVERIFY(!control<QScrollArea>(window, "AddOpt")->isVisible());
    QCOMPARE(pairs(window.document().project.ReplaceList), QStringList{"IVANOV=I."});
    // The list goes into the project file with it.
    const QString path = m_dir.filePath(QStringLiteral("kept.qlet"));
    window.document().WriteProjectFile(path);
    QCOMPARE(pairs(ProjectFile::load(path).ReplaceList), QStringList{"IVANOV=I."});
}

// Undo closes the panel keeping the list's edits (undo does not cover the list, and OK
// keeps them), and then undoes the last edit of the tree: closing the panel must not take
// a snapshot of its own for the undo to restore.
void ReplacePanelTest::undoWithTheListOpenUndoesTheLastTreeEdit()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(projectWithPairs()));
    click(window, "CreateTextField");
    click(window, "OkBtn");
    QCOMPARE(window.document().project.Structure.fields.size(), size_t(1));
    click(window, "ToolButton11");
    click(window, "ToolButton35");
    click(window, "UndoBtn");
    QVERIFY(!control<QScrollArea>(window, "AddOpt")->isVisible());
    QVERIFY(window.document().project.Structure.isEmpty());
    QVERIFY(window.document().project.ReplaceList.empty());
    QCOMPARE(window.document().undo.available(), 0);
}

QTEST_MAIN(ReplacePanelTest)
#include "ReplacePanelTest.moc"
