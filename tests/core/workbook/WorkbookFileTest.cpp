// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"
#include "core/workbook/WorkbookFile.h"

#include "support/OfficeSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

class WorkbookFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensByContent_data();
    void opensByContent();
    void missingFile();
    void errorsNameTheFile_data();
    void errorsNameTheFile();
    void convertedFormatsNeedLibreOffice_data();
    void convertedFormatsNeedLibreOffice();
    void convertedFormatsAreRead_data();
    void convertedFormatsAreRead();
};

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
    // Strict Office Open XML differs in its namespaces, which the reader does not heed.
    QTest::newRow("strict xlsx") << "strict.xlsx"
                                 << "strict.xlsx"
                                 << "Люди"
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

namespace {

// Copies the fixture `fixture` into `dir` as `savedAs`.
QString copyFixture(const QTemporaryDir& dir, const QString& fixture, const QString& savedAs)
{
    const QString path = dir.filePath(savedAs);
    if (!QFile::copy(QuilletTest::dataPath("workbooks/" + fixture), path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

} // namespace

void WorkbookFileTest::convertedFormatsNeedLibreOffice_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("format");
    QTest::newRow("xlsb") << "converted.xlsb"
                          << "Excel binary (.xlsb)";
    QTest::newRow("numbers") << "converted.numbers"
                             << "Apple Numbers (.numbers)";
    QTest::newRow("dbf") << "converted.dbf"
                         << "dBase (.dbf)";
    QTest::newRow("sylk") << "converted.slk"
                          << "SYLK (.slk)";
}

void WorkbookFileTest::convertedFormatsNeedLibreOffice()
{
    QFETCH(QString, fixture);
    QFETCH(QString, format);
    QTemporaryDir dir;
    const QString path = copyFixture(dir, fixture, "книга." + QFileInfo(fixture).suffix());
    QVERIFY(!path.isEmpty());
    const QuilletTest::ScopedEnvironment env(LibreOfficeProgramVariable,
                                             dir.filePath("no/soffice"));
    RecalculationSettings settings;
    settings.cacheFolder = dir.filePath("cache");
    try {
        openWorkbookFile(path, WorkbookOptions(), settings);
        QFAIL("a workbook that needs LibreOffice was opened without it");
    } catch (const FileError& error) {
        QVERIFY2(error.message().contains(path) && error.message().contains(format)
                     && error.message().contains("LibreOffice"),
                 qPrintable(error.message()));
    }
}

void WorkbookFileTest::convertedFormatsAreRead_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QStringList>("row2");
    // The content decides, and LibreOffice is given a copy of that format's extension.
    QTest::newRow("xlsb under an xlsx name") << "converted.xlsb"
                                             << "Отчёт за май.xlsx"
                                             << "document.xlsb"
                                             << "Люди" << QStringList{"Анна", "Тверь", "12.5"};
    // A table without a sheet name of its own takes the file's.
    QTest::newRow("dbf") << "converted.dbf"
                         << "Клиенты 2024.dbf"
                         << "document.dbf"
                         << "Клиенты 2024" << QStringList{"Anna", "Tver", "12.5"};
    QTest::newRow("sylk") << "converted.slk"
                          << "список.slk"
                          << "document.slk"
                          << "список" << QStringList{"Анна", "Тверь", "12.5"};
}

void WorkbookFileTest::convertedFormatsAreRead()
{
    const QString installed = QuilletTest::installedLibreOffice();
    if (installed.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QFETCH(QString, fixture);
    QFETCH(QString, savedAs);
    QFETCH(QString, copy);
    QFETCH(QString, sheet);
    QFETCH(QStringList, row2);
    QTemporaryDir dir;
    const QString path = copyFixture(dir, fixture, savedAs);
    QVERIFY(!path.isEmpty());
    const QuilletTest::CountingOffice office = QuilletTest::countingOffice(dir.path(), installed);
    const QuilletTest::ScopedEnvironment env(LibreOfficeProgramVariable, office.program);
    RecalculationSettings settings;
    settings.cacheFolder = dir.filePath("cache");
    WorkbookOptions options;
    options.locale = QLocale(QStringLiteral("en_US"));
    const OpenedWorkbook opened = openWorkbookFile(path, options, settings);
    QCOMPARE(opened.problems, QStringList());
    QCOMPARE(opened.workbook->sheetNames(), QStringList{sheet});
    QCOMPARE(opened.workbook->activeSheetName(), sheet);
    const Worksheet* worksheet = opened.workbook->worksheet(sheet);
    QVERIFY(worksheet);
    QCOMPARE(worksheet->name(), sheet);
    for (int column = 1; column <= row2.size(); ++column)
        QCOMPARE(worksheet->cellText(2, column), row2.at(column - 1));
    // Nothing of the user's file name reaches LibreOffice's command line.
    QCOMPARE(office.runs(), 1);
    const QString passed = office.lastDocument();
    QVERIFY2(passed.endsWith(u'/' + copy), qPrintable(passed));
    QVERIFY2(!passed.contains(QFileInfo(savedAs).completeBaseName()), qPrintable(passed));
}

QTEST_GUILESS_MAIN(WorkbookFileTest)
#include "WorkbookFileTest.moc"
