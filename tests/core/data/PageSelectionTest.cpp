// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/PageSelection.h"

#include <QTest>

#include <limits>

using namespace Quillet;

class PageSelectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void invert_data();
    void invert();
    void toggleAndRanges();
};

void PageSelectionTest::invert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("inside") << "2-3" << 5 << "1,4-5";
    QTest::newRow("pages beyond the last stay") << "2,9" << 5 << "1,3-5,9";
    QTest::newRow("page 0 and negatives stay") << "0,3" << 4 << "0-2,4";
    QTest::newRow("empty selects all") << "" << 3 << "1-3";
    QTest::newRow("all selects none") << "1-3" << 3 << "";
    QTest::newRow("unreadable parts dropped") << "x,2" << 3 << "1,3";
    // A reference over two billion rows must not be walked page by page.
    QTest::newRow("huge") << "5" << std::numeric_limits<int32_t>::max() << "1-4,6-2147483647";
}

void PageSelectionTest::invert()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QCOMPARE(PageSelection::invertPages(text, count), expected);
}

void PageSelectionTest::toggleAndRanges()
{
    QCOMPARE(PageSelection::togglePage(u"1-5", 3), QStringLiteral("1-2,4-5"));
    QCOMPARE(PageSelection::togglePage(u"1-2,4-5", 3), QStringLiteral("1-5"));
    QCOMPARE(PageSelection::togglePage(u"3,1", 0), QStringLiteral("1,3"));
    QCOMPARE(PageSelection::allPages(1), QStringLiteral("1"));
    QCOMPARE(PageSelection::allPages(12), QStringLiteral("1-12"));
    QCOMPARE(PageSelection::pagesThrough(1), QStringLiteral("1-1"));
    QVERIFY(PageSelection::pagesThrough(0).isEmpty());
}

QTEST_GUILESS_MAIN(PageSelectionTest)
#include "PageSelectionTest.moc"
