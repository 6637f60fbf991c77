// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Spreading an export over shards and naming its files after their records; the progress
// line of long runs.

#include "support/TestSupport.h"

#include "core/app/PageCount.h"
#include "core/app/ProgressLine.h"
#include "core/app/Project.h"
#include "core/common/Errors.h"
#include "core/export/ExportPlan.h"
#include "core/workbook/SpreadsheetReader.h"

#include <QLocale>
#include <QTest>

#include <numeric>

using namespace Quillet;

class ExportPlanTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shardFromText_data();
    void shardFromText();
    void shardFromScheduler_data();
    void shardFromScheduler();
    void shardsCoverThePagesOnce();
    void safeNames_data();
    void safeNames();
    void namesFromRecords_data();
    void namesFromRecords();
    void progress_data();
    void progress();
};

void ExportPlanTest::shardFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index"); // 0: refused
    QTest::addColumn<int>("count");
    QTest::newRow("first") << "1/3" << 1 << 3;
    QTest::newRow("last, spaces") << " 16 / 16 " << 16 << 16;
    QTest::newRow("only one") << "1/1" << 1 << 1;
    QTest::newRow("largest") << "9999/9999" << 9999 << 9999;
    QTest::newRow("counted from 1") << "0/3" << 0 << 0;
    QTest::newRow("past the count") << "4/3" << 0 << 0;
    QTest::newRow("too many") << "1/10000" << 0 << 0;
    QTest::newRow("no count") << "2" << 0 << 0;
    QTest::newRow("negative") << "-1/3" << 0 << 0;
    QTest::newRow("words") << "two/three" << 0 << 0;
    QTest::newRow("huge") << "1/99999999999999999999" << 0 << 0;
}

void ExportPlanTest::shardFromText()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(int, count);
    if (index == 0) {
        QVERIFY_THROWS_EXCEPTION(Error, parseShard(text));
        return;
    }
    const Shard shard = parseShard(text);
    QCOMPARE(shard, (Shard{index, count}));
    QCOMPARE(shardPrefix(QStringLiteral("out/list"), shard),
             QStringLiteral("out/list-%1-of-%2")
                 .arg(index, 4, 10, QLatin1Char('0'))
                 .arg(count, 4, 10, QLatin1Char('0')));
}

void ExportPlanTest::shardFromScheduler_data()
{
    QTest::addColumn<QStringList>("environment"); // NAME=VALUE
    QTest::addColumn<int>("shards");              // --shards, 0 when not given
    QTest::addColumn<int>("index");               // 0: refused
    QTest::addColumn<int>("count");
    const auto env = [](std::initializer_list<const char*> items) {
        QStringList list;
        for (const char* item : items)
            list << QString::fromLatin1(item);
        return list;
    };
    QTest::newRow("slurm, count") << env({"SLURM_ARRAY_TASK_ID=0", "SLURM_ARRAY_TASK_COUNT=16",
                                          "SLURM_ARRAY_TASK_MIN=0", "SLURM_ARRAY_TASK_MAX=15"})
                                  << 0 << 1 << 16;
    QTest::newRow("slurm, from 1")
        << env({"SLURM_ARRAY_TASK_ID=4", "SLURM_ARRAY_TASK_MIN=1", "SLURM_ARRAY_TASK_MAX=4"}) << 0
        << 4 << 4;
    QTest::newRow("slurm, step") << env({"SLURM_ARRAY_TASK_ID=6", "SLURM_ARRAY_TASK_MIN=0",
                                         "SLURM_ARRAY_TASK_MAX=8", "SLURM_ARRAY_TASK_STEP=2"})
                                 << 0 << 4 << 5;
    QTest::newRow("slurm, off the step")
        << env({"SLURM_ARRAY_TASK_ID=5", "SLURM_ARRAY_TASK_MIN=0", "SLURM_ARRAY_TASK_MAX=8",
                "SLURM_ARRAY_TASK_STEP=2"})
        << 0 << 0 << 0;
    QTest::newRow("slurm, --shards replaces the size")
        << env({"SLURM_ARRAY_TASK_ID=2", "SLURM_ARRAY_TASK_COUNT=4"}) << 8 << 3 << 8;
    QTest::newRow("slurm, task past --shards")
        << env({"SLURM_ARRAY_TASK_ID=5", "SLURM_ARRAY_TASK_COUNT=8"}) << 4 << 0 << 0;
    QTest::newRow("slurm, no size") << env({"SLURM_ARRAY_TASK_ID=2"}) << 0 << 0 << 0;
    QTest::newRow("slurm, not a number")
        << env({"SLURM_ARRAY_TASK_ID=x", "SLURM_ARRAY_TASK_COUNT=4"}) << 0 << 0 << 0;
    QTest::newRow("slurm before kubernetes")
        << env({"SLURM_ARRAY_TASK_ID=1", "SLURM_ARRAY_TASK_COUNT=2", "JOB_COMPLETION_INDEX=0"}) << 0
        << 2 << 2;
    QTest::newRow("kubernetes") << env({"JOB_COMPLETION_INDEX=15"}) << 16 << 16 << 16;
    QTest::newRow("kubernetes without --shards") << env({"JOB_COMPLETION_INDEX=0"}) << 0 << 0 << 0;
    QTest::newRow("kubernetes past --shards") << env({"JOB_COMPLETION_INDEX=16"}) << 16 << 0 << 0;
    QTest::newRow("no scheduler") << env({"HOME=/root"}) << 4 << 0 << 0;
}

void ExportPlanTest::shardFromScheduler()
{
    QFETCH(QStringList, environment);
    QFETCH(int, shards);
    QFETCH(int, index);
    QFETCH(int, count);
    QProcessEnvironment env;
    for (const QString& item : environment)
        env.insert(item.section(u'=', 0, 0), item.section(u'=', 1));
    if (index == 0)
        QVERIFY_THROWS_EXCEPTION(Error, shardFromEnvironment(env, shards));
    else
        QCOMPARE(shardFromEnvironment(env, shards), (Shard{index, count}));
}

void ExportPlanTest::shardsCoverThePagesOnce()
{
    // Shards in turn give back the pages in order, each shard a contiguous run, the runs
    // differing by one page at most.
    for (const int total : {0, 1, 5, 200, 1001}) {
        std::vector<int> pages(static_cast<size_t>(total), 0);
        std::iota(pages.begin(), pages.end(), 3);
        for (const int count : {1, 2, 3, 7, 16, 9999}) {
            std::vector<int> joined;
            size_t shortest = pages.size();
            size_t longest = 0;
            for (int index = 1; index <= count; ++index) {
                const std::vector<int> part = pagesOfShard(pages, {index, count});
                joined.insert(joined.end(), part.begin(), part.end());
                shortest = std::min(shortest, part.size());
                longest = std::max(longest, part.size());
            }
            QVERIFY2(joined == pages,
                     qPrintable(QStringLiteral("%1 pages in %2 shards").arg(total).arg(count)));
            QVERIFY(longest - shortest <= 1);
        }
    }
}

void ExportPlanTest::safeNames_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("name");
    QTest::newRow("as it is") << "Смирнов Г. С."
                              << "Смирнов Г. С";
    QTest::newRow("separators") << "a/b\\c"
                                << "a_b_c";
    QTest::newRow("refused by Windows") << "x:y*z?\"<>|"
                                        << "x_y_z_____";
    QTest::newRow("control characters") << "a\tb\nc\x7f"
                                        << "a_b_c_";
    QTest::newRow("up a folder") << "../../etc/passwd"
                                 << "_.._etc_passwd";
    QTest::newRow("hidden") << "...profile "
                            << "profile";
    QTest::newRow("only dots") << " .. "
                               << "";
    QTest::newRow("device") << "Nul.txt"
                            << "Nul.txt_";
    QTest::newRow("device word inside") << "console"
                                        << "console";
    QTest::newRow("cut at a character")
        << QString(QStringLiteral("Ж").repeated(70)) << QString(QStringLiteral("Ж").repeated(60));
    QTest::newRow("cut before a pair")
        << QString(QStringLiteral("a").repeated(118) + QStringLiteral("\U0001F600b"))
        << QString(QStringLiteral("a").repeated(118));
    QTest::newRow("cut leaves a space") << QString(QStringLiteral("a").repeated(119) + u' ' + u'b')
                                        << QString(QStringLiteral("a").repeated(119));
}

void ExportPlanTest::safeNames()
{
    QFETCH(QString, value);
    QFETCH(QString, name);
    QCOMPARE(safeFileName(value), name);
    QVERIFY(name.toUtf8().size() <= 120);
}

void ExportPlanTest::namesFromRecords_data()
{
    QTest::addColumn<QString>("nameText");
    QTest::addColumn<int>("direct");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QStringList>("names");
    const int rows = 1;
    const int columns = DirectColumns;
    QTest::newRow("one cell moves with the page")
        << "=A2" << rows << QList<int>{1, 2, 3, 4, 5, 6}
        << QStringList{"Иванов", "Петров", "иванов (2)", "004", "a_b", "004 (2)"};
    QTest::newRow("a run, as a field reads it")
        << "=A2:A7" << rows << QList<int>{2, 5} << QStringList{"Петров", "a_b"};
    QTest::newRow("a shard's pages, numbered as in the whole run")
        << "=A2" << rows << QList<int>{3} << QStringList{"иванов"};
    QTest::newRow("pages along columns")
        << "=B1" << columns << QList<int>{1, 2, 3} << QStringList{"Сумма", "100", "200"};
    QTest::newRow("past the records keeps the number")
        << "=B2" << rows << QList<int>{7, 40} << QStringList{"007", "040"};
    QTest::newRow("layout view") << "=A2" << rows << QList<int>{0} << QStringList{"Иванов"};
    QTest::newRow("constant text")
        << "счёт" << rows << QList<int>{1, 2, 3} << QStringList{"счёт", "счёт (2)", "счёт (3)"};
}

void ExportPlanTest::namesFromRecords()
{
    QFETCH(QString, nameText);
    QFETCH(int, direct);
    QFETCH(QList<int>, pages);
    QFETCH(QStringList, names);
    // Page 4's record has no name, so it keeps its number, which page 6's record repeats.
    const std::unique_ptr<Workbook> workbook = QuilletTest::csvWorkbook("Фамилия;Сумма;100;200\n"
                                                                        "Иванов;1\n"
                                                                        "Петров;2\n"
                                                                        "иванов;3\n"
                                                                        ";4\n"
                                                                        "a/b;5\n"
                                                                        "004;6\n");
    Project project;
    project.settings.sheet = QStringLiteral("records");
    project.settings.Direct = direct;
    QCOMPARE(recordFileNames(project, workbook.get(), nameText,
                             std::vector<int>(pages.begin(), pages.end())),
             names);
}

void ExportPlanTest::progress_data()
{
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("total");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<QString>("line");
    QTest::newRow("nothing done yet") << 0 << 200 << qint64(5000) << "страница 0 из 200";
    QTest::newRow("too soon for a pace") << 3 << 200 << qint64(150) << "страница 3 из 200";
    QTest::newRow("slow pace") << 40 << 200 << qint64(8000)
                               << "страница 40 из 200 · 5,0 стр./с · осталось 0:32";
    QTest::newRow("fast pace, part of a second left")
        << 199 << 200 << qint64(2000) << "страница 199 из 200 · 100 стр./с · осталось 0:01";
    QTest::newRow("done") << 200 << 200 << qint64(2000)
                          << "страница 200 из 200 · 100 стр./с · осталось 0:00";
    QTest::newRow("hours left") << 10 << 1000000 << qint64(1000)
                                << "страница 10 из 1000000 · 10 стр./с · осталось 27:46:39";
}

void ExportPlanTest::progress()
{
    QFETCH(int, done);
    QFETCH(int, total);
    QFETCH(qint64, elapsedMs);
    QFETCH(QString, line);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(progressLine(done, total, elapsedMs), line);
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(ExportPlanTest)
#include "ExportPlanTest.moc"
