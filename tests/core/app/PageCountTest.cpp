// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/FieldTree.h"
#include "core/app/PageCount.h"

#include <QTest>

#include <limits>

using namespace Quillet;

namespace {
// A field node with the given ID and field text, followed by the 31 option characters.
FieldNode field(const QString& id, const QString& fieldText)
{
    FieldNode node;
    node.text =
        id + fieldText + QChar(u'\u0008') + QStringLiteral("0000000$00FFFFFF$00000000000012Arial");
    return node;
}

FieldTree treeOf(const QStringList& idsAndTexts)
{
    FieldTree tree;
    for (qsizetype i = 0; i + 1 < idsAndTexts.size(); i += 2)
        tree.fields.push_back(field(idsAndTexts[i], idsAndTexts[i + 1]));
    return tree;
}
} // namespace

class PageCountTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void upperBound_data();
    void upperBound();
    void directChangePullsPageDown();
    void clampPageNumber_data();
    void clampPageNumber();
};

void PageCountTest::upperBound_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("alongColumns");
    QTest::addColumn<int>("alongRows");
    const int max = std::numeric_limits<int>::max();
    QTest::newRow("no fields") << QStringList{} << 1 << 1;
    QTest::newRow("plain text only") << QStringList{"0000", "Hello"} << 1 << 1;
    QTest::newRow("two columns of rows")
        << QStringList{"0000", "=A2:A21", "0001", "=B2:B11"} << 1 << 20;
    QTest::newRow("one row") << QStringList{"0000", "=A1:C1"} << 3 << 1;
    QTest::newRow("single cell") << QStringList{"0000", "=B7"} << 1 << 1;
    QTest::newRow("rectangle") << QStringList{"0000", "=B2:E9"} << 4 << 8;
    QTest::newRow("backwards counts as one") << QStringList{"0000", "=A9:A1"} << 1 << 1;
    QTest::newRow("longest wins") << QStringList{"0000",    "=A1:A5", "0001",
                                                 "=C1:C50", "0002",   "=D1:D3"}
                                  << 1 << 50;
    QTest::newRow("cyrillic letters") << QStringList{"0000", "=а1:с1"} << 3 << 1;
    // Only text fields count; an image field's file name may well begin with "=".
    QTest::newRow("image field ignored") << QStringList{"1000", "=A1:A99"} << 1 << 1;
    QTest::newRow("shape field ignored") << QStringList{"2000", "=A1:Z1"} << 1 << 1;
    QTest::newRow("malformed id ignored") << QStringList{"00x0", "=A1:A9"} << 1 << 1;
    QTest::newRow("equals not first") << QStringList{"0000", "x=A1:A9"} << 1 << 1;
    QTest::newRow("second address after colon") << QStringList{"0000", "=A1:B2:C3"} << 2 << 2;
    QTest::newRow("malformed end reads row 0") << QStringList{"0000", "=A5:B#"} << 2 << 1;
    QTest::newRow("huge span saturates")
        << QStringList{"0000", "=A-2147483648:A2147483647"} << 1 << max;
    QTest::newRow("huge row") << QStringList{"0000", "=A1:A2147483647"} << 1 << max;
}

void PageCountTest::upperBound()
{
    QFETCH(QStringList, fields);
    QFETCH(int, alongColumns);
    QFETCH(int, alongRows);
    const FieldTree tree = treeOf(fields);
    QCOMPARE(UpdatePageCount(tree, DirectColumns), alongColumns);
    QCOMPARE(UpdatePageCount(tree, DirectRows), alongRows);
}

void PageCountTest::directChangePullsPageDown()
{
    // =A1:C1 along columns has three pages; switching to rows leaves one, and page 3
    // is pulled down to it.
    const FieldTree tree = treeOf({"0000", "=A1:C1"});
    const int32_t columns = UpdatePageCount(tree, DirectColumns);
    QCOMPARE(columns, 3);
    QCOMPARE(Quillet::clampPageNumber(3, columns), 3);
    QCOMPARE(Quillet::clampPageNumber(3, UpdatePageCount(tree, DirectRows)), 1);
}

void PageCountTest::clampPageNumber_data()
{
    QTest::addColumn<qint64>("page");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("expected");
    QTest::newRow("inside") << qint64(4) << 10 << 4;
    QTest::newRow("layout view") << qint64(0) << 10 << 0;
    QTest::newRow("above") << qint64(11) << 10 << 10;
    QTest::newRow("negative") << qint64(-1) << 10 << 0;
    QTest::newRow("upper bound zero") << qint64(1) << 0 << 0;
    QTest::newRow("64-bit page") << (qint64(1) << 40) << 7 << 7;
}

void PageCountTest::clampPageNumber()
{
    QFETCH(qint64, page);
    QFETCH(int, upper);
    QFETCH(int, expected);
    QCOMPARE(Quillet::clampPageNumber(page, upper), expected);
}

QTEST_APPLESS_MAIN(PageCountTest)
#include "PageCountTest.moc"
