// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTest>

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList& args, const QString& lang = QStringLiteral("C.UTF-8"))
{
    const QuilletTest::CliRun run = QuilletTest::runCli(QStringList{"cells"} + args, lang);
    return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}

QString fixture(const QString& name)
{
    return QuilletTest::dataPath("workbooks/" + name);
}
} // namespace

class CellsCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prints_data();
    void prints();
    void fails_data();
    void fails();
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
    QTest::newRow("one cell") << QStringList{fixture("people.csv"), "--range", "A2"}
                              << "C.UTF-8" << "Иванов, И.\n";
    QTest::newRow("reversed range") << QStringList{fixture("people.csv"), "--range", "B2:A1"}
                                    << "C.UTF-8" << "Имя\tСумма\nИванов, И.\t1,5\n";
    QTest::newRow("lower-case range")
        << QStringList{fixture("people.csv"), "--range=a1:b1"} << "C.UTF-8" << "Имя\tСумма\n";
    QTest::newRow("sheet by name")
        << QStringList{fixture("people.csv"), "--sheet", "people", "--range", "A1"} << "C.UTF-8"
        << "Имя\n";
    QTest::newRow("xls active sheet, en_US")
        << QStringList{fixture("types.xls"), "--range", "B2:B3"} << "en_US.UTF-8"
        << "1.5\n0.333333333333333\n";
    QTest::newRow("xls under ru_RU")
        << QStringList{fixture("types.xls"), "--range", "B2:B3"} << "ru_RU.UTF-8"
        << "1,5\n0,333333333333333\n";
    QTest::newRow("xls other sheet")
        << QStringList{fixture("types.xls"), "--sheet", "Второй лист", "--range", "A1:C2"}
        << "C.UTF-8" << "x\t\t\n\t\ty\n";
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
    QTest::newRow("missing file")
        << QStringList{"/nonexistent/book.xlsx", "--range", "A1"}
        << "Не существует файла: /nonexistent/book.xlsx";
    QTest::newRow("missing sheet")
        << QStringList{fixture("types.xls"), "--sheet", "Нет такого", "--range", "A1"}
        << "Нет указанного листа: Нет такого";
    QTest::newRow("truncated workbook")
        << QStringList{fixture("truncated.xls"), "--range", "A1"} << "truncated.xls";
    QTest::newRow("not a workbook")
        << QStringList{fixture("not-a-workbook.doc"), "--range", "A1"}
        << "Неизвестный формат книги";
    QTest::newRow("no range") << QStringList{fixture("people.csv")} << "--range";
    QTest::newRow("bad range")
        << QStringList{fixture("people.csv"), "--range", "$A$1:B2"} << "--range";
    QTest::newRow("no workbook") << QStringList{"--range", "A1"} << "WORKBOOK";
    QTest::newRow("unknown option")
        << QStringList{fixture("people.csv"), "--range", "A1", "--bogus"} << "--bogus";
}

void CellsCommandTest::fails()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run run = runCli(args);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    // The failure itself is one line; usage errors add the usage line after it.
    QVERIFY2(run.err.count(u'\n') <= 2, qPrintable(run.err));
}

QTEST_GUILESS_MAIN(CellsCommandTest)
#include "CellsCommandTest.moc"
