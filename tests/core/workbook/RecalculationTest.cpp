// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Opening workbooks whose formulas have no stored results (written by openpyxl). Starting
// LibreOffice takes seconds, so the real conversions are few: one for the fixture, one
// after changing its content.

#include "core/common/LibreOffice.h"
#include "core/data/CellAddress.h"
#include "core/workbook/WorkbookFile.h"
#include "support/OfficeSupport.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;
using namespace QuilletTest;

namespace {

const QString Fixture = QStringLiteral("workbooks/uncached-formulas.xlsx");

// The fixture's formula cells without results, in file order.
QStringList expectedLines()
{
    QStringList lines;
    for (const char* cell : {"B1", "D1", "E1", "B2", "D2", "B3", "D3", "B4", "B5", "B6"})
        lines << QStringLiteral("Формула без вычисленного значения: Лист1!") + cell;
    return lines;
}

QString text(const Workbook& workbook, const QString& cell)
{
    const CellPosition at = ParseCellAddress(cell);
    return workbook.worksheet(QStringLiteral("Лист1"))->cellText(at.row, at.column);
}

WorkbookOptions inLocale(const char* name)
{
    WorkbookOptions options;
    options.locale = QLocale(QString::fromLatin1(name));
    return options;
}

} // namespace

class RecalculationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void withoutLibreOfficeCellsAreLines();
    void timeOutGivesTheLines();
    void computedTexts_data();
    void computedTexts();
    void secondOpenRunsNothing();
    void changedContentIsComputedAgain();
    void lineNamesQuotedSheets_data();
    void lineNamesQuotedSheets();

private:
    QString copyOfFixture(const QString& name);
    OpenedWorkbook open(const QString& path, const WorkbookOptions& options = {});

    QTemporaryDir m_dir;
    RecalculationSettings m_settings;
    QString m_installed;
    CountingOffice m_office;
    QString m_book;
};

QString RecalculationTest::copyOfFixture(const QString& name)
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    if (!QFile::copy(dataPath(Fixture), path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

OpenedWorkbook RecalculationTest::open(const QString& path, const WorkbookOptions& options)
{
    return openWorkbookFile(path, options, m_settings);
}

void RecalculationTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_settings.cacheFolder = m_dir.filePath("cache");
    m_installed = installedLibreOffice();
    if (!m_installed.isEmpty())
        m_office = countingOffice(m_dir.path(), m_installed);
    m_book = copyOfFixture("книга с формулами.xlsx");
    QVERIFY(!m_book.isEmpty());
}

void RecalculationTest::withoutLibreOfficeCellsAreLines()
{
    const ScopedEnvironment env(LibreOfficeProgramVariable, m_dir.filePath("no/soffice"));
    const OpenedWorkbook opened = open(copyOfFixture("без программы.xlsx"));
    QCOMPARE(opened.problems, expectedLines());
    for (const char* cell : {"B1", "B2", "B3", "B4", "B5", "B6", "D2", "E1"})
        QCOMPARE(text(*opened.workbook, cell), QString());
    // Values and stored results read as always.
    QCOMPARE(text(*opened.workbook, "A1"), "2");
    QCOMPARE(text(*opened.workbook, "C1"), "text");
    QCOMPARE(text(*opened.workbook, "F1"), "2");
    QCOMPARE(opened.workbook->activeSheetName(), "Данные");
}

void RecalculationTest::timeOutGivesTheLines()
{
    const QString program = m_dir.filePath("sleeping soffice");
    QVERIFY(writeScript(program, "sleep 60\n"));
    const ScopedEnvironment env(LibreOfficeProgramVariable, program);
    RecalculationSettings quick = m_settings;
    quick.timeoutMs = 1000;
    const QString path = copyOfFixture("медленно.xlsx");
    QElapsedTimer clock;
    clock.start();
    const OpenedWorkbook opened = openWorkbookFile(path, WorkbookOptions(), quick);
    QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!opened.problems.isEmpty());
    QVERIFY2(opened.problems.first().contains("не справился")
                 && opened.problems.first().contains(path),
             qPrintable(opened.problems.first()));
    QCOMPARE(opened.problems.mid(1), expectedLines());
    QCOMPARE(text(*opened.workbook, "B1"), QString());
}

void RecalculationTest::computedTexts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("expected");
    const QList<std::pair<const char*, const char*>> same = {
        {"B1", "5"}, {"B3", "Сумма: 5"}, {"B5", "15.01.2024"}, {"B6", "14"}, {"D1", "3"},
        {"D3", "5"}, {"E1", "6"},        {"F1", "2"},          {"A1", "2"},  {"C2", "29.02.2020"}};
    // Cells without formulas read as the file's own reading shows them, not as LibreOffice
    // exported their formats: a built-in short date follows the reader's locale.
    for (const char* locale : {"en_US", "ru_RU"}) {
        for (const auto& [cell, expected] : same)
            QTest::addRow("%s %s", locale, cell) << locale << cell << expected;
    }
    QTest::newRow("en_US formatted number") << "en_US"
                                            << "B2"
                                            << "50.00";
    QTest::newRow("ru_RU formatted number") << "ru_RU"
                                            << "B2"
                                            << "50,00";
    QTest::newRow("en_US error") << "en_US"
                                 << "B4"
                                 << "#DIV/0!";
    QTest::newRow("ru_RU error") << "ru_RU"
                                 << "B4"
                                 << "#ДЕЛ/0!";
    QTest::newRow("en_US built-in short date") << "en_US"
                                               << "C3"
                                               << "1/15/2024";
    QTest::newRow("ru_RU built-in short date") << "ru_RU"
                                               << "C3"
                                               << "15.01.2024";
}

void RecalculationTest::computedTexts()
{
    if (m_installed.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QFETCH(QString, locale);
    QFETCH(QString, cell);
    QFETCH(QString, expected);
    const ScopedEnvironment env(LibreOfficeProgramVariable, m_office.program);
    // LibreOffice itself runs in a locale whose date separator is a dot: what it computes
    // must not depend on that.
    const ScopedEnvironment lang("LANG", "ru_RU.UTF-8");
    const ScopedEnvironment all("LC_ALL", "ru_RU.UTF-8");
    const OpenedWorkbook opened = open(m_book, inLocale(qPrintable(locale)));
    QCOMPARE(opened.problems, QStringList());
    QCOMPARE(opened.workbook->sheetNames(), QStringList({"Лист1", "Данные"}));
    QCOMPARE(opened.workbook->activeSheetName(), "Данные");
    QCOMPARE(text(*opened.workbook, cell), expected);
}

void RecalculationTest::secondOpenRunsNothing()
{
    if (m_installed.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    {
        const ScopedEnvironment env(LibreOfficeProgramVariable, m_office.program);
        QCOMPARE(text(*open(m_book).workbook, "B1"), "5");
        QCOMPARE(m_office.runs(), 1);
        QCOMPARE(text(*open(m_book).workbook, "B1"), "5");
        QCOMPARE(m_office.runs(), 1);
    }
    // The computed copy is the file's, whether or not LibreOffice is still there.
    const ScopedEnvironment gone(LibreOfficeProgramVariable, m_dir.filePath("no/soffice"));
    const OpenedWorkbook opened = open(m_book);
    QCOMPARE(opened.problems, QStringList());
    QCOMPARE(text(*opened.workbook, "B3"), "Сумма: 5");
    QCOMPARE(QDir(m_settings.cacheFolder).entryList(QDir::Files).size(), 1);
}

void RecalculationTest::changedContentIsComputedAgain()
{
    if (m_installed.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    const ScopedEnvironment env(LibreOfficeProgramVariable, m_office.program);
    QCOMPARE(text(*open(m_book).workbook, "B1"), "5");
    const int before = m_office.runs();
    const QDateTime modified = QFileInfo(m_book).lastModified();
    QFile file(m_book);
    QVERIFY(file.open(QIODevice::ReadWrite));
    // A new time alone is no new content.
    QVERIFY(file.setFileTime(modified.addSecs(-3600), QFileDevice::FileModificationTime));
    QCOMPARE(text(*open(m_book).workbook, "B1"), "5");
    QCOMPARE(m_office.runs(), before);
    // Another content of the same size with the old time kept (cp -p, rsync -t): here the
    // first entry's stored date, which leaves the workbook valid.
    QVERIFY(file.seek(10));
    QByteArray stamp = file.read(2);
    stamp[0] = char(stamp[0] ^ 0x20);
    QVERIFY(file.seek(10) && file.write(stamp) == 2);
    QVERIFY(file.setFileTime(modified.addSecs(-3600), QFileDevice::FileModificationTime));
    file.close();
    const OpenedWorkbook opened = open(m_book);
    QCOMPARE(m_office.runs(), before + 1);
    QCOMPARE(text(*opened.workbook, "B4"), "#DIV/0!");
    // The entry of the old content gives way to the new one.
    QCOMPARE(QDir(m_settings.cacheFolder).entryList(QDir::Files).size(), 1);
}

void RecalculationTest::lineNamesQuotedSheets_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Лист1" << 3 << 2 << "Лист1!B3";
    QTest::newRow("space quoted") << "Мой лист" << 10 << 27 << "'Мой лист'!AA10";
    QTest::newRow("quote doubled") << "It's" << 1 << 16384 << "'It''s'!XFD1";
}

void RecalculationTest::lineNamesQuotedSheets()
{
    QFETCH(QString, sheet);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    QCOMPARE(uncachedFormulaLine({sheet, row, column}),
             "Формула без вычисленного значения: " + expected);
}

QTEST_GUILESS_MAIN(RecalculationTest)
#include "RecalculationTest.moc"
