// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/SetAsString.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>
#include <set>

using namespace Quillet;

namespace {
constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();

// The invariant every public operation must leave behind.
bool isNormalised(const TSetAsString& set)
{
    const auto& ranges = set.ranges();
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (ranges[i].lo > ranges[i].hi)
            return false;
        if (i > 0 && int64_t(ranges[i].lo) < int64_t(ranges[i - 1].hi) + 2)
            return false;
    }
    return true;
}

TIntArray toArray(const std::set<int32_t>& values)
{
    return TIntArray(values.begin(), values.end());
}
} // namespace

class SetAsStringTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAndWrite_data();
    void readAndWrite();
    void includeExclude_data();
    void includeExclude();
    void hugeRangeIsOneRange();
    void extremeValues();
    void wholeRangesMatchOneAtATime();
    void randomOperationsMatchModel();
    void arrayRoundTrip();
    void normalizeKeepsNormalisedSet();
};

void SetAsStringTest::readAndWrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::addColumn<qint64>("count");
    QTest::newRow("unordered with duplicates") << "7,1-3,2,5"
                                               << "1-3,5,7" << qint64(5);
    QTest::newRow("leading blanks") << " 4, 5"
                                    << "4-5" << qint64(2);
    QTest::newRow("trailing blank invalidates") << "4 ,5"
                                                << "5" << qint64(1);
    QTest::newRow("two dashes") << "1-3-5"
                                << "" << qint64(0);
    QTest::newRow("negative") << "-5"
                              << "" << qint64(0);
    QTest::newRow("empty") << ""
                           << "" << qint64(0);
    QTest::newRow("one comma") << ","
                               << "" << qint64(0);
    QTest::newRow("pair is a range") << "3,4"
                                     << "3-4" << qint64(2);
    QTest::newRow("mixed example") << "1,2,3,5,7,8"
                                   << "1-3,5,7-8" << qint64(6);
    QTest::newRow("swapped range adds nothing") << "7-3"
                                                << "" << qint64(0);
    QTest::newRow("swapped beside valid") << "7-3,9"
                                          << "9" << qint64(1);
    QTest::newRow("single-number range") << "4-4"
                                         << "4" << qint64(1);
    QTest::newRow("overlapping ranges") << "1-5,3-8,10-12,9"
                                        << "1-12" << qint64(12);
    QTest::newRow("adjacent ranges merge") << "1-2,3-4"
                                           << "1-4" << qint64(4);
    QTest::newRow("blanks inside range") << " 2- 4"
                                         << "2-4" << qint64(3);
    QTest::newRow("blank before dash") << "2 -4"
                                       << "" << qint64(0);
    QTest::newRow("empty range end") << "2-"
                                     << "" << qint64(0);
    QTest::newRow("plus sign") << "+3"
                               << "" << qint64(0);
    QTest::newRow("letters") << "1a,b,3"
                             << "3" << qint64(1);
    QTest::newRow("empty tokens") << ",,2,,4,"
                                  << "2,4" << qint64(2);
    QTest::newRow("zero") << "0"
                          << "0" << qint64(1);
    QTest::newRow("leading zeros") << "007"
                                   << "7" << qint64(1);
    QTest::newRow("int32 max") << "2147483647"
                               << "2147483647" << qint64(1);
    QTest::newRow("beyond int32 skipped") << "2147483648,1"
                                          << "1" << qint64(1);
    QTest::newRow("huge digits skipped") << QString(40, u'9') << "" << qint64(0);
    QTest::newRow("huge range") << "1-2000000000"
                                << "1-2000000000" << qint64(2000000000);
    QTest::newRow("whole non-negative range") << "0-2147483647"
                                              << "0-2147483647" << qint64(2147483648LL);
    QTest::newRow("tab blank") << "\t6"
                               << "6" << qint64(1);
    QTest::newRow("cyrillic digits-like") << "з"
                                          << "" << qint64(0);
}

void SetAsStringTest::readAndWrite()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QFETCH(qint64, count);
    TSetAsString set;
    set.Include(99); // reading must clear what was there
    set.setAsString(text);
    QVERIFY(isNormalised(set));
    QCOMPARE(set.AsString(), written);
    QCOMPARE(qint64(set.Count()), count);
    // The written form reads back to the same set.
    TSetAsString again;
    again.setAsString(set.AsString());
    QCOMPARE(again.ranges(), set.ranges());
}

void SetAsStringTest::includeExclude_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QList<int>>("include");
    QTest::addColumn<QList<int>>("exclude");
    QTest::addColumn<QString>("expected");
    using L = QList<int>;
    QTest::newRow("split middle") << "1-5" << L{} << L{3} << "1-2,4-5";
    QTest::newRow("split and rejoin") << "1-5" << L{3} << L{3} << "1-5";
    QTest::newRow("exclude low end") << "1-5" << L{} << L{1} << "2-5";
    QTest::newRow("exclude high end") << "1-5" << L{} << L{5} << "1-4";
    QTest::newRow("exclude single") << "1,3" << L{} << L{3} << "1";
    QTest::newRow("exclude absent gap") << "1,5" << L{} << L{3} << "1,5";
    QTest::newRow("exclude absent after") << "1-5" << L{} << L{9} << "1-5";
    QTest::newRow("exclude from empty") << "" << L{} << L{1} << "";
    QTest::newRow("exclude two-range") << "4-5" << L{} << L{4} << "5";
    QTest::newRow("include below adjacent") << "5-7" << L{4} << L{} << "4-7";
    QTest::newRow("include above adjacent") << "5-7" << L{8} << L{} << "5-8";
    QTest::newRow("include bridges gap") << "1-3,5-7" << L{4} << L{} << "1-7";
    QTest::newRow("include present") << "1-3" << L{2} << L{} << "1-3";
    QTest::newRow("include front") << "5" << L{1} << L{} << "1,5";
    QTest::newRow("include between") << "1,9" << L{5} << L{} << "1,5,9";
    QTest::newRow("include end") << "1" << L{9} << L{} << "1,9";
    QTest::newRow("include into empty") << "" << L{0} << L{} << "0";
    QTest::newRow("bridge from both sides") << "1,3" << L{2} << L{} << "1-3";
}

void SetAsStringTest::includeExclude()
{
    QFETCH(QString, start);
    QFETCH(QList<int>, include);
    QFETCH(QList<int>, exclude);
    QFETCH(QString, expected);
    TSetAsString set;
    set.setAsString(start);
    for (int n : exclude)
        set.Exclude(n);
    for (int n : include)
        set.Include(n);
    QVERIFY(isNormalised(set));
    QCOMPARE(set.AsString(), expected);
    for (int n : include)
        QVERIFY(set.Contains(n));
    for (int n : exclude) {
        if (!include.contains(n))
            QVERIFY(!set.Contains(n));
    }
}

void SetAsStringTest::hugeRangeIsOneRange()
{
    TSetAsString set;
    set.setAsString(u"1-2000000000");
    QCOMPARE(set.ranges().size(), size_t(1));
    QVERIFY(set.Contains(1));
    QVERIFY(set.Contains(2000000000));
    QVERIFY(!set.Contains(0));
    QVERIFY(!set.Contains(2000000001));
    set.Exclude(1000000000);
    QCOMPARE(set.AsString(), QStringLiteral("1-999999999,1000000001-2000000000"));
    QCOMPARE(set.Count(), int64_t(1999999999));
    set.Include(1000000000);
    QCOMPARE(set.AsString(), QStringLiteral("1-2000000000"));
}

void SetAsStringTest::extremeValues()
{
    // Adjacency tests at the ends of the 32-bit range must not wrap around.
    TSetAsString set;
    set.setAsArray({Max, Min, Max - 1, Min + 1});
    QVERIFY(isNormalised(set));
    QCOMPARE(set.AsString(), QStringLiteral("-2147483648--2147483647,2147483646-2147483647"));
    QCOMPARE(set.Count(), int64_t(4));
    set.includeRange(Min, Max);
    QCOMPARE(set.ranges().size(), size_t(1));
    QCOMPARE(set.Count(), int64_t(1) << 32);
    set.Exclude(Min);
    set.Exclude(Max);
    QCOMPARE(set.Count(), (int64_t(1) << 32) - 2);
    QVERIFY(!set.Contains(Min));
    QVERIFY(set.Contains(Min + 1));
    QVERIFY(!set.Contains(Max));
    set.excludeRange(Min, Max);
    QVERIFY(set.isEmpty());
    // A negative number written out cannot be read back («-5» is not a number).
    set.Include(-5);
    TSetAsString reread;
    reread.setAsString(set.AsString());
    QVERIFY(reread.isEmpty());
}

void SetAsStringTest::wholeRangesMatchOneAtATime()
{
    // Texts of overlapping, touching and nested ranges: adding each range whole must give
    // exactly the set that adding every integer one at a time gives.
    QRandomGenerator random(20261209);
    for (int round = 0; round < 300; ++round) {
        QStringList tokens;
        std::set<int32_t> model;
        const int tokenCount = random.bounded(1, 8);
        for (int t = 0; t < tokenCount; ++t) {
            const int lo = random.bounded(0, 60);
            const int hi = random.bounded(0, 60);
            tokens << QStringLiteral("%1-%2").arg(lo).arg(hi);
            for (int n = lo; n <= hi; ++n)
                model.insert(n);
        }
        TSetAsString set;
        set.setAsString(tokens.join(u','));
        QVERIFY2(isNormalised(set), qPrintable(tokens.join(u',')));
        QCOMPARE(set.AsArray(), toArray(model));
        QCOMPARE(set.Count(), int64_t(model.size()));
    }
}

void SetAsStringTest::randomOperationsMatchModel()
{
    QRandomGenerator random(4242);
    TSetAsString set;
    std::set<int32_t> model;
    for (int step = 0; step < 5000; ++step) {
        const int32_t n = random.bounded(-20, 40);
        const int op = random.bounded(4);
        if (op == 0) {
            set.Include(n);
            model.insert(n);
        } else if (op == 1) {
            set.Exclude(n);
            model.erase(n);
        } else if (op == 2) {
            const int32_t hi = n + random.bounded(0, 6);
            set.includeRange(n, hi);
            for (int32_t v = n; v <= hi; ++v)
                model.insert(v);
        } else {
            const int32_t hi = n + random.bounded(0, 6);
            set.excludeRange(n, hi);
            for (int32_t v = n; v <= hi; ++v)
                model.erase(v);
        }
        QVERIFY(isNormalised(set));
        QCOMPARE(set.Contains(n), model.count(n) == 1);
        if (step % 50 == 0)
            QCOMPARE(set.AsArray(), toArray(model));
    }
    QCOMPARE(set.AsArray(), toArray(model));
    set.Clear();
    QVERIFY(set.isEmpty());
    QCOMPARE(set.AsString(), QString());
}

void SetAsStringTest::arrayRoundTrip()
{
    TSetAsString set;
    set.setAsArray({8, 3, 5, 4, 3, 8});
    QCOMPARE(set.AsString(), QStringLiteral("3-5,8"));
    QCOMPARE(set.AsArray(), (TIntArray{3, 4, 5, 8}));
    set.setAsArray({});
    QVERIFY(set.isEmpty());
    QCOMPARE(set.AsArray(), TIntArray());
}

void SetAsStringTest::normalizeKeepsNormalisedSet()
{
    TSetAsString set;
    set.setAsString(u"1-3,5,7-8");
    const auto before = set.ranges();
    set.Normalize();
    QCOMPARE(set.ranges(), before);
}

QTEST_APPLESS_MAIN(SetAsStringTest)
#include "SetAsStringTest.moc"
