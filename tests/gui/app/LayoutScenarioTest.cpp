// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Forms laid out from nothing through the window's widgets only. An ordinary one: fields
// created, blocks drawn with the mouse, a relation linked, blocks aligned and cloned, the
// project saved, then quillet-cli renders a filled page from it. A comb one: a row of
// boxes drawn, divided into as many blocks as the first record has characters, the field
// made a comb, and each page the page controls step to shows its record one character
// per box.

#include "core/app/NodeGrammar.h"
#include "gui/app/MainWindow.h"
#include "support/WindowDriver.h"
#include "support/CliRun.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>
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

// True when some pixel of the rectangle, `margin` pixels away from its edges, is darker
// than light grey: text was drawn there.
bool inked(const QImage& page, const BlockRect& r, int margin = 0)
{
    for (int y = r.Top + margin; y <= r.Bottom - margin; ++y) {
        for (int x = r.Left + margin; x <= r.Right - margin; ++x) {
            if (qGray(page.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

// "1" for each box with ink, "0" for each without, in block order.
QString inkedBoxes(const QImage& page, const std::vector<TreeNode>& blocks)
{
    QString marks;
    for (const TreeNode& block : blocks)
        marks += inked(page, ParseBlockRect(block.text), 3) ? u'1' : u'0';
    return marks;
}

} // namespace

class LayoutScenarioTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formFromNothing();
    void combFormFromNothing();

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

void LayoutScenarioTest::combFormFromNothing()
{
    // The records, the longest first: the first record decides the number of boxes.
    const QStringList kRecords{QStringLiteral("500100732259"), QStringLiteral("7707083893"),
                               QStringLiteral("0312")};
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
    const QDir dir(m_dir.path());
    QVERIFY(QuilletTest::writeFile(dir.filePath(QStringLiteral("data.csv")),
                                   kRecords.join(u'\n').toUtf8() + '\n'));
    const QString path = saveProject(dir, QStringLiteral("comb.qlet"), 100, 80);

    TForm1 window;
    showWithWorkbook(window, path, QStringLiteral("data.csv"));
    if (QTest::currentTestFailed())
        return;

    click(window, "CreateTextField");
    typeFieldText(window, QStringLiteral("=A1:A3"));
    click(window, "OkBtn");

    // A row of boxes 720 × 80 pixels, divided on the layout page by the first record.
    drag(window, QPoint(40, 40), QPoint(759, 119));
    const FieldTree& tree = window.document().project.Structure;
    QCOMPARE(tree.fields.size(), size_t(1));
    QCOMPARE(tree.fields[0].blocks.size(), size_t(1));
    QCOMPARE(window.viewState().PageN, 0);
    click(window, "DivideBtn");
    typeInto(window, "Row", QStringLiteral("3"));
    click(window, "ColsFromValue");
    QCOMPARE(control<QSpinBox>(window, "Col")->value(), 12);
    QCOMPARE(control<QSpinBox>(window, "Row")->value(), 1);
    QVERIFY2(window.statusBar()->currentMessage().contains(QStringLiteral("12")),
             qPrintable(window.statusBar()->currentMessage()));
    click(window, "OkBtn");
    const std::vector<TreeNode>& boxes = tree.fields[0].blocks;
    QCOMPARE(boxes.size(), size_t(12));
    QCOMPARE(ParseBlockRect(boxes[0].text), (BlockRect{40, 40, 99, 119}));
    QCOMPARE(ParseBlockRect(boxes[11].text), (BlockRect{700, 40, 759, 119}));

    setCurrent(window, 0);
    Q_EMIT control<QTreeWidget>(window, "Structure")
        ->itemDoubleClicked(control<QTreeWidget>(window, "Structure")->topLevelItem(0), 0);
    click(window, "CombChk");
    QVERIFY(control<QLineEdit>(window, "CombSkip")->isEnabled());
    click(window, "OkBtn");
    QVERIFY(ParseTextOptions(QStringView(tree.fields[0].text).mid(4)).comb);

    auto* page = control<QSpinBox>(window, "PageN");
    QCOMPARE(page->maximum(), int(kRecords.size()));
    QStringList shown;
    QStringList expected;
    for (int p = 1; p <= int(kRecords.size()); ++p) {
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Up);
        QCOMPARE(window.viewState().PageN, p);
        window.RepaintTimeTimer();
        const QImage& raster = window.pageRaster();
        // Whatever the layout, the record's first character is in the first box.
        QVERIFY2(inked(raster, ParseBlockRect(boxes[0].text), 3), qPrintable(kRecords[p - 1]));
        const qsizetype length = kRecords[p - 1].size();
        shown.append(QStringLiteral("page %1: %2").arg(p).arg(inkedBoxes(raster, boxes)));
        expected.append(QStringLiteral("page %1: %2%3")
                            .arg(p)
                            .arg(QString(length, u'1'), QString(boxes.size() - length, u'0')));
    }
    QCOMPARE(shown, expected);
}

QTEST_MAIN(LayoutScenarioTest)
#include "LayoutScenarioTest.moc"
