// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// A comb form laid out from nothing through the window's widgets: a row of boxes drawn
// with the mouse, divided into as many blocks as the first record has characters, the
// field made a comb and tied to a column of a workbook; then each page the page controls
// step to shows its record one character per box.

#include "core/app/NodeGrammar.h"
#include "gui/app/MainWindow.h"
#include "support/WindowDriver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

namespace {

// The records, the longest first: the first record decides the number of boxes.
const QStringList kRecords{QStringLiteral("500100732259"), QStringLiteral("7707083893"),
                           QStringLiteral("0312")};

// A drag with the left button on the page view, in view pixels.
void drag(QWidget& window, QPoint from, QPoint to)
{
    auto* view = control<QWidget>(window, "DXDraw1");
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, (from + to) / 2);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

void doubleClickNode(QWidget& window, int field)
{
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* item = tree->topLevelItem(field);
    tree->setCurrentItem(item);
    Q_EMIT tree->itemDoubleClicked(item, 0);
}

// True when some pixel inside the box, away from its edges, is darker than light grey.
bool inked(const QImage& page, const BlockRect& box)
{
    constexpr int margin = 3;
    for (int y = box.Top + margin; y <= box.Bottom - margin; ++y) {
        for (int x = box.Left + margin; x <= box.Right - margin; ++x) {
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
        marks += inked(page, ParseBlockRect(block.text)) ? u'1' : u'0';
    return marks;
}

} // namespace

class CombFormScenarioTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void combFormFromNothing();

private:
    QTemporaryDir m_dir;
};

void CombFormScenarioTest::combFormFromNothing()
{
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
    auto* text = control<QLineEdit>(window, "Text");
    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("=A1:A3"));
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

    doubleClickNode(window, 0);
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
        QVERIFY2(inked(raster, ParseBlockRect(boxes[0].text)), qPrintable(kRecords[p - 1]));
        const qsizetype length = kRecords[p - 1].size();
        shown.append(QStringLiteral("page %1: %2").arg(p).arg(inkedBoxes(raster, boxes)));
        expected.append(QStringLiteral("page %1: %2%3")
                            .arg(p)
                            .arg(QString(length, u'1'), QString(boxes.size() - length, u'0')));
    }
    QCOMPARE(shown, expected);
}

QTEST_MAIN(CombFormScenarioTest)
#include "CombFormScenarioTest.moc"
