// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// A form laid out from nothing through the window's widgets only: fields created, blocks
// drawn with the mouse, a relation linked, blocks aligned and cloned, the project saved;
// then quillet-cli renders a filled page from it.

#include "core/app/NodeGrammar.h"
#include "gui/app/MainWindow.h"
#include "support/WindowDriver.h"
#include "support/CliRun.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

namespace {

void typeFieldText(QWidget& window, const QString& text)
{
    auto* edit = control<QLineEdit>(window, "Text");
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// A drag with the left button on the page view, in view pixels.
void drag(QWidget& window, QPoint from, QPoint to)
{
    auto* view = control<QWidget>(window, "DXDraw1");
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, (from + to) / 2);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

void setCurrent(QWidget& window, int field, int block = -1)
{
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* item = tree->topLevelItem(field);
    tree->setCurrentItem(block >= 0 ? item->child(block) : item);
}

void toggleMark(QWidget& window, int field, int block = -1)
{
    setCurrent(window, field, block);
    QTest::keyClick(control<QTreeWidget>(window, "Structure"), Qt::Key_Space);
}

// True when some pixel of the rectangle is darker than light grey: text was drawn there.
bool inked(const QImage& page, const BlockRect& r)
{
    for (int y = r.Top; y <= r.Bottom; ++y) {
        for (int x = r.Left; x <= r.Right; ++x) {
            if (qGray(page.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

} // namespace

class LayoutScenarioTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formFromNothing();

private:
    QTemporaryDir m_dir;
};

void LayoutScenarioTest::formFromNothing()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
    const QDir dir(m_dir.path());
    QFile csv(dir.filePath(QStringLiteral("data.csv")));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("WWWW,MMMM\r\nHHHH,NNNN\r\n");
    csv.close();
    const QString path = saveProject(dir, QStringLiteral("form.qlet"), 100, 80);

    TForm1 window;
    showWithWorkbook(window, path, QStringLiteral("data.csv"));
    if (QTest::currentTestFailed())
        return;

    // Two text fields, each with a block drawn on the layout page.
    click(window, "CreateTextField");
    typeFieldText(window, QStringLiteral("=A1:A2"));
    click(window, "OkBtn");
    drag(window, QPoint(50, 40), QPoint(450, 140));
    click(window, "CreateTextField");
    typeFieldText(window, QStringLiteral("=B1:B2"));
    click(window, "OkBtn");
    drag(window, QPoint(80, 300), QPoint(480, 400));
    const FieldTree& tree = window.document().project.Structure;
    QCOMPARE(tree.fields.size(), size_t(2));
    QCOMPARE(tree.fields[0].blocks.size(), size_t(1));
    QCOMPARE(tree.fields[1].blocks.size(), size_t(1));
    QCOMPARE(ParseBlockRect(tree.fields[0].blocks[0].text), (BlockRect{50, 40, 450, 140}));

    // The second block aligned left on the first, then both fields linked.
    toggleMark(window, 1, 0);
    setCurrent(window, 0, 0);
    click(window, "ToolButton14");
    QCOMPARE(ParseBlockRect(tree.fields[1].blocks[0].text), (BlockRect{50, 300, 450, 400}));
    click(window, "ToolButton22");
    toggleMark(window, 0);
    toggleMark(window, 1);
    click(window, "ToolButton1");
    QCOMPARE(control<QListWidget>(window, "RelateList")->item(0)->text(), QStringLiteral("0-1"));

    // The first block cloned below itself.
    setCurrent(window, 0, 0);
    click(window, "ToolButton20");
    QCOMPARE(ParseBlockRect(tree.fields[0].blocks[1].text), (BlockRect{50, 141, 450, 241}));

    pressKey(control<QWidget>(window, "Structure"), Qt::Key_S, Qt::ControlModifier);
    const QString png = dir.filePath(QStringLiteral("page1.png"));
    const QuilletTest::CliRun run =
        QuilletTest::runCli({QStringLiteral("render"), path, QStringLiteral("--page"),
                             QStringLiteral("1"), QStringLiteral("--out"), png});
    QCOMPARE(run.exitCode, 0);
    const QImage page(png);
    QVERIFY(!page.isNull());
    QVERIFY(inked(page, {50, 40, 450, 140}));
    QVERIFY(inked(page, {50, 300, 450, 400}));
    // Nothing is drawn where no block was.
    QVERIFY(!inked(page, {600, 500, 900, 800}));
}

QTEST_MAIN(LayoutScenarioTest)
#include "LayoutScenarioTest.moc"
