// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"
#include "core/workbook/WorkbookFile.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

Q_DECLARE_METATYPE(Quillet::WorkbookFormat)

class WorkbookFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void detectFormat_data();
    void detectFormat();
    void opensByContent_data();
    void opensByContent();
    void missingFile();
    void errorsNameTheFile_data();
    void errorsNameTheFile();
};

void WorkbookFileTest::detectFormat_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<WorkbookFormat>("format");
    const QByteArray zip("PK\x03\x04", 4);
    const QByteArray odsHead =
        zip + QByteArray(26, '\0') + "mimetype" + "application/vnd.oasis.opendocument.spreadsheet";
    const QByteArray cfb("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    QTest::newRow("xlsx") << zip << "a.xlsx" << WorkbookFormat::Xlsx;
    QTest::newRow("xlsm") << zip << "a.XLSM" << WorkbookFormat::Xlsx;
    QTest::newRow("ods by extension") << zip << "a.ods" << WorkbookFormat::Ods;
    QTest::newRow("ods by mimetype") << odsHead << "a.xlsx" << WorkbookFormat::Ods;
    QTest::newRow("xls") << cfb << "a.xls" << WorkbookFormat::Xls;
    QTest::newRow("xls named csv") << cfb << "a.csv" << WorkbookFormat::Xls;
    QTest::newRow("zip named xls") << zip << "a.xls" << WorkbookFormat::Xlsx;
    QTest::newRow("csv") << QByteArray("a;b") << "a.csv" << WorkbookFormat::Csv;
    QTest::newRow("txt upper case") << QByteArray("a;b") << "A.TXT" << WorkbookFormat::Csv;
    QTest::newRow("text named xls") << QByteArray("a;b") << "a.xls" << WorkbookFormat::Unknown;
    QTest::newRow("unknown extension") << QByteArray("a;b") << "a.doc" << WorkbookFormat::Unknown;
    QTest::newRow("no extension") << QByteArray() << "data" << WorkbookFormat::Unknown;
    QTest::newRow("flat ods") << QByteArray("<?xml") << "a.fods" << WorkbookFormat::Ods;
}

void WorkbookFileTest::detectFormat()
{
    QFETCH(QByteArray, head);
    QFETCH(QString, fileName);
    QFETCH(WorkbookFormat, format);
    QCOMPARE(detectWorkbookFormat(head, fileName), format);
}

void WorkbookFileTest::opensByContent_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("a1");
    QTest::newRow("csv") << "people.csv"
                         << "people.csv"
                         << "people"
                         << "Имя";
    QTest::newRow("txt") << "legacy-1251.txt"
                         << "Список.txt"
                         << "Список"
                         << "Имя";
    QTest::newRow("xls") << "types.xls"
                         << "types.xls"
                         << "Числа"
                         << "Текст";
    QTest::newRow("xls under a csv name") << "types.xls"
                                          << "data.csv"
                                          << "Числа"
                                          << "Текст";
    QTest::newRow("xls whose streams share sectors") << "shared-sectors.xls"
                                                     << "shared-sectors.xls"
                                                     << "Данные"
                                                     << "Имя";
    QTest::newRow("flat ods") << "types.fods"
                              << "types.fods"
                              << "Числа"
                              << "Текст";
}

void WorkbookFileTest::opensByContent()
{
    QFETCH(QString, fixture);
    QFETCH(QString, savedAs);
    QFETCH(QString, sheet);
    QFETCH(QString, a1);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(savedAs);
    QVERIFY(QFile::copy(QuilletTest::dataPath("workbooks/" + fixture), path));
    const auto workbook = openWorkbookFile(path, WorkbookOptions()).workbook;
    QCOMPARE(workbook->activeSheetName(), sheet);
    const Worksheet* worksheet = workbook->worksheet(sheet);
    QVERIFY(worksheet);
    QCOMPARE(worksheet->cellText(1, 1), a1);
}

void WorkbookFileTest::missingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("нет.xlsx");
    try {
        openWorkbookFile(path, WorkbookOptions());
        QFAIL("a missing file was opened");
    } catch (const FileError& error) {
        QCOMPARE(error.message(), "Не существует файла: " + path);
    }
}

void WorkbookFileTest::errorsNameTheFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("unknown format") << "notes.doc" << QByteArray("hello");
    QTest::newRow("text named xls") << "table.xls" << QByteArray("a;b\n");
    QTest::newRow("truncated xls")
        << "cut.xls"
        << QuilletTest::readFile(QuilletTest::dataPath("workbooks/types.xls")).left(3000);
    QTest::newRow("binary csv") << "bin.csv" << QByteArray("\0\1\2", 3);
    QTest::newRow("broken zip") << "broken.xlsx" << QByteArray("PK\x03\x04garbage", 11);
    QTest::newRow("empty xlsx") << "empty.xlsx" << QByteArray();
    QTest::newRow("a folder") << "folder.xlsx" << QByteArray();
}

void WorkbookFileTest::errorsNameTheFile()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    if (fileName.startsWith("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    try {
        openWorkbookFile(path, WorkbookOptions());
        QFAIL("a file that is no workbook was opened");
    } catch (const FileError& error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(WorkbookFileTest)
#include "WorkbookFileTest.moc"
