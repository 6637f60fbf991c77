// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/PageSelection.h"
#include "core/common/Errors.h"

#include <QTest>

#include <algorithm>
#include <limits>

using namespace Quillet;

class PageSelectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void invert_data();
    void invert();
    void toggleAndRanges();
    void listedPages_data();
    void listedPages();
    void pagesWithoutData_data();
    void pagesWithoutData();
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

// The limit counts the pages of the whole set, however it is split into ranges.
void PageSelectionTest::listedPages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("count"); // -1: refused
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("a few, in order") << "7,1-5" << qint64(6) << 1 << 7;
    QTest::newRow("nothing valid") << "а-б, 3-1" << qint64(0) << 0 << 0;
    QTest::newRow("page 0 is a page") << "0-2" << qint64(3) << 0 << 2;
    QTest::newRow("exactly the limit") << "1-1000000" << qint64(1000000) << 1 << 1000000;
    QTest::newRow("one past the limit") << "1-1000001" << qint64(-1) << 0 << 0;
    QTest::newRow("two ranges under the limit, together over it")
        << "1-600000,700001-1300000" << qint64(-1) << 0 << 0;
    QTest::newRow("two billion") << "1-2000000000" << qint64(-1) << 0 << 0;
}

void PageSelectionTest::listedPages()
{
    QFETCH(QString, text);
    QFETCH(qint64, count);
    QFETCH(int, first);
    QFETCH(int, last);
    if (count < 0) {
        QVERIFY_THROWS_EXCEPTION(Error, PageSelection::listedPages(text));
        return;
    }
    const std::vector<int> pages = PageSelection::listedPages(text);
    QCOMPARE(qint64(pages.size()), count);
    if (count > 0) {
        QCOMPARE(pages.front(), first);
        QCOMPARE(pages.back(), last);
        QVERIFY(std::is_sorted(pages.begin(), pages.end()));
    }
}

void PageSelectionTest::pagesWithoutData_data()
{
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QString>("question");
    const QString tail = QStringLiteral(": данных нет. Всё равно сохранить?");
    QTest::newRow("all have data") << "0-30" << 30 << QString();
    QTest::newRow("a run past the last record")
        << "1-3000" << 30 << QStringLiteral("Страницы 31–3000 пусты") + tail;
    QTest::newRow("one page") << "5,31" << 30 << QStringLiteral("Страница 31 пуста") + tail;
    QTest::newRow("runs apart") << "1,40-41,50" << 30
                                << QStringLiteral("Страницы 40–41, 50 пусты") + tail;
    QTest::newRow("no page has data") << "1-2" << 0 << QStringLiteral("Страницы 1–2 пусты") + tail;
}

void PageSelectionTest::pagesWithoutData()
{
    QFETCH(QString, pages);
    QFETCH(int, pageCount);
    QFETCH(QString, question);
    QCOMPARE(PageSelection::pagesWithoutDataQuestion(PageSelection::listedPages(pages), pageCount,
                                                     QStringLiteral("сохранить")),
             question);
}

QTEST_GUILESS_MAIN(PageSelectionTest)
#include "PageSelectionTest.moc"
