// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/LibreOffice.h"
#include "support/CliRun.h"
#include "support/OfficeSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList& args, const QString& lang = QString())
{
    const QuilletTest::CliRun run = QuilletTest::runCli(QStringList{"cells"} + args, lang);
    return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}

QString fixture(const QString& name)
{
    return QuilletTest::dataPath("workbooks/" + name);
}

// A private copy of the workbook with formulas but no results, with a cache folder of its
// own for the program (so no run finds another's computed copy).
struct FormulaBook {
    QTemporaryDir dir;
    QString path = dir.filePath("формулы.xlsx");
    QuilletTest::ScopedEnvironment cache{"XDG_CACHE_HOME", dir.filePath("cache")};
    bool ready = QFile::copy(fixture("uncached-formulas.xlsx"), path);
    QStringList args{path, "--sheet", "Лист1", "--range", "B1:B6"};
};
} // namespace

class CellsCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prints_data();
    void prints();
    void fails_data();
    void fails();
    void formulasWithoutLibreOfficeAreLines();
    void formulasComputedOncePerFile();
};

void CellsCommandTest::prints_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("expected");
    QTest::newRow("csv escapes line breaks and quotes")
        << QStringList{fixture("people.csv"), "--range", "A1:C3"} << "C.UTF-8"
        << "Имя\tСумма\tЗаметка\nИванов, И.\t1,5\tстрока1\\nстрока2\nPetrov\t2\tsay \"hi\"\n";
    QTest::newRow("backslash and tab escaped")
        << QStringList{fixture("bom-comma.csv"), "--range", "A3:B3"} << "C.UTF-8"
        << "back\\\\slash\ta\\tb\n";
    QTest::newRow("empty rows and cells kept")
        << QStringList{fixture("people.csv"), "--range", "B4:C5"} << "C.UTF-8"
        << "\t\n\tlast\n";
    QTest::newRow("one cell") << QStringList{fixture("people.csv"), "--range", "A2"} << "C.UTF-8"
                              << "Иванов, И.\n";
    QTest::newRow("reversed range")
        << QStringList{fixture("people.csv"), "--range", "B2:A1"} << "C.UTF-8"
        << "Имя\tСумма\nИванов, И.\t1,5\n";
    QTest::newRow("lower-case range")
        << QStringList{fixture("people.csv"), "--range=a1:b1"} << "C.UTF-8"
        << "Имя\tСумма\n";
    QTest::newRow("sheet by name")
        << QStringList{fixture("people.csv"), "--sheet", "people", "--range", "A1"} << "C.UTF-8"
        << "Имя\n";
    QTest::newRow("xls active sheet, en_US")
        << QStringList{fixture("types.xls"), "--range", "B2:B3"} << "en_US.UTF-8"
        << "1.5\n0.333333333\n";
    QTest::newRow("xls under ru_RU")
        << QStringList{fixture("types.xls"), "--range", "B2:B3"} << "ru_RU.UTF-8"
        << "1,5\n0,333333333\n";
    QTest::newRow("xls other sheet")
        << QStringList{fixture("types.xls"), "--sheet", "Второй лист", "--range", "A1:C2"}
        << "C.UTF-8"
        << "x\t\t\n\t\ty\n";
    QTest::newRow("xls multi-line text")
        << QStringList{fixture("types.xls"), "--range", "B10"} << "C.UTF-8"
        << "строка1\\nстрока2\n";
}

void CellsCommandTest::prints()
{
    QFETCH(QStringList, args);
    QFETCH(QString, lang);
    QFETCH(QString, expected);
    const Run run = runCli(args, lang);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
}

void CellsCommandTest::fails_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("lang");
    QTest::newRow("missing file") << QStringList{"/nonexistent/book.xlsx", "--range", "A1"}
                                  << "Не существует файла: /nonexistent/book.xlsx" << QString();
    QTest::newRow("missing file, English") << QStringList{"/nonexistent/book.xlsx", "--range", "A1"}
                                           << "File does not exist: /nonexistent/book.xlsx"
                                           << "en_US.UTF-8";
    QTest::newRow("missing sheet")
        << QStringList{fixture("types.xls"), "--sheet", "Нет такого", "--range", "A1"}
        << "Нет указанного листа: Нет такого" << QString();
    QTest::newRow("truncated workbook")
        << QStringList{fixture("truncated.xls"), "--range", "A1"} << "truncated.xls" << QString();
    QTest::newRow("not a workbook") << QStringList{fixture("not-a-workbook.doc"), "--range", "A1"}
                                    << "Неизвестный формат книги" << QString();
    QTest::newRow("no range") << QStringList{fixture("people.csv")} << "--range" << QString();
    QTest::newRow("bad range") << QStringList{fixture("people.csv"), "--range", "$A$1:B2"}
                               << "--range" << QString();
    QTest::newRow("no workbook") << QStringList{"--range", "A1"} << "КНИГА" << QString();
    QTest::newRow("unknown option")
        << QStringList{fixture("people.csv"), "--range", "A1", "--bogus"} << "--bogus" << QString();
}

void CellsCommandTest::fails()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QFETCH(QString, lang);
    const Run run = runCli(args, lang);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    // The failure itself is one line; usage errors add the usage line after it.
    QVERIFY2(run.err.count(u'\n') <= 2, qPrintable(run.err));
}

void CellsCommandTest::formulasWithoutLibreOfficeAreLines()
{
    FormulaBook book;
    QVERIFY(book.ready);
    const QuilletTest::ScopedEnvironment office(Quillet::LibreOfficeProgramVariable,
                                                book.dir.filePath("no/soffice"));
    const Run run = runCli(book.args);
    // Empty cells are the error list's business: the command still succeeds.
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, "\n\n\n\n\n\n");
    QStringList expected;
    for (const char* cell : {"B1", "D1", "E1", "B2", "D2", "B3", "D3", "B4", "B5", "B6"})
        expected << QStringLiteral("Формула без вычисленного значения: Лист1!") + cell;
    QCOMPARE(run.err.split(u'\n', Qt::SkipEmptyParts), expected);
}

void CellsCommandTest::formulasComputedOncePerFile()
{
    const QString installed = QuilletTest::installedLibreOffice();
    if (installed.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    FormulaBook book;
    QVERIFY(book.ready);
    const QuilletTest::CountingOffice counting =
        QuilletTest::countingOffice(book.dir.path(), installed);
    const QuilletTest::ScopedEnvironment office(Quillet::LibreOfficeProgramVariable,
                                                counting.program);
    const Run first = runCli(book.args, "ru_RU.UTF-8");
    QCOMPARE(first.err, QString());
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.out, "5\n50,00\nСумма: 5\n#ДЕЛ/0!\n15.01.2024\n14\n");
    // The next run finds the computed copy in the cache folder.
    const Run second = runCli(book.args, "en_US.UTF-8");
    QCOMPARE(second.err, QString());
    QCOMPARE(second.out, "5\n50.00\nСумма: 5\n#DIV/0!\n15.01.2024\n14\n");
    QCOMPARE(counting.runs(), 1);
}

QTEST_GUILESS_MAIN(CellsCommandTest)
#include "CellsCommandTest.moc"
