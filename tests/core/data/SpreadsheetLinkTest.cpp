// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"
#include "core/data/SpreadsheetLink.h"

#include "support/OfficeSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;
using QuilletTest::writeFile;

namespace {
QString cell(const SpreadsheetLink& link, const QString& sheet, int row, int column)
{
    const Worksheet* worksheet = link.worksheet(sheet);
    return worksheet ? worksheet->cellText(row, column) : QStringLiteral("<no sheet>");
}
} // namespace

class SpreadsheetLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void resolveXlsPath_data();
    void resolveXlsPath();
    void displayName_data();
    void displayName();
    void openFillsEmptySheetOnly();
    void openMissingFileClosesPrevious();
    void brokenFileKeepsTheWorkingLink_data();
    void brokenFileKeepsTheWorkingLink();
    void exitHandler();
    void browseInProjectFolderThenExitDoesNotReopen();
    void reopenKeepsSheetText();
    void rereadsWhenFileIsRewritten();
    void rereadsWhenFileIsReplacedByRename();
    void worksheetLookup();
    void formulasWithoutResultsReachTheErrorList();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_project;
    QString m_csv;
    QString m_xls;
};

void SpreadsheetLinkTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_project = m_dir->filePath("form.qlet");
    writeFile(m_project, "project");
    m_csv = m_dir->filePath("data.csv");
    writeFile(m_csv, "a;b\n1;2\n");
    m_xls = m_dir->filePath("types.xls");
    QVERIFY(QFile::copy(QuilletTest::dataPath("workbooks/types.xls"), m_xls));
}

void SpreadsheetLinkTest::resolveXlsPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("withProject");
    QTest::addColumn<bool>("joined");
    QTest::newRow("file in project folder") << "data.csv" << true << true;
    QTest::newRow("missing in project folder") << "other.csv" << true << false;
    QTest::newRow("no project") << "data.csv" << false << false;
    QTest::newRow("empty name") << "" << true << false;
}

void SpreadsheetLinkTest::resolveXlsPath()
{
    QFETCH(QString, name);
    QFETCH(bool, withProject);
    QFETCH(bool, joined);
    const QString resolved =
        SpreadsheetLink::resolveXlsPath(name, withProject ? m_project : QString());
    QCOMPARE(resolved, joined ? m_dir->filePath(name) : name);
    // An absolute name is taken as it is.
    QCOMPARE(SpreadsheetLink::resolveXlsPath(m_csv, m_project), m_csv);
}

void SpreadsheetLinkTest::displayName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("shown");
    QTest::newRow("inside project folder") << "/p/x/data.xlsx"
                                           << "/p/x/a.qlet"
                                           << "data.xlsx";
    QTest::newRow("in a subfolder") << "/p/x/in/d.xlsx"
                                    << "/p/x/a.qlet"
                                    << "in/d.xlsx";
    QTest::newRow("elsewhere") << "/q/data.xlsx"
                               << "/p/x/a.qlet"
                               << "/q/data.xlsx";
    QTest::newRow("folder name prefix only") << "/p/xy/d.xlsx"
                                             << "/p/x/a.qlet"
                                             << "/p/xy/d.xlsx";
    QTest::newRow("no project") << "/p/x/d.xlsx"
                                << ""
                                << "/p/x/d.xlsx";
}

void SpreadsheetLinkTest::displayName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, project);
    QFETCH(QString, shown);
    QCOMPARE(SpreadsheetLink::displayName(chosen, project), shown);
}

void SpreadsheetLinkTest::openFillsEmptySheetOnly()
{
    SpreadsheetLink link;
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    const auto filled = link.openWorkbook(m_xls, QString());
    QVERIFY(filled.opened);
    QCOMPARE(filled.sheet, QStringLiteral("Числа"));
    QCOMPARE(changed.count(), 1);
    const auto kept = link.openWorkbook(m_xls, QStringLiteral("Второй лист"));
    QCOMPARE(kept.sheet, QStringLiteral("Второй лист"));
    QCOMPARE(link.path(), m_xls);
}

void SpreadsheetLinkTest::openMissingFileClosesPrevious()
{
    SpreadsheetLink link;
    QVERIFY(link.openWorkbook(m_csv, QString()).opened);
    const auto result = link.openWorkbook(m_dir->filePath("missing.xlsx"), QStringLiteral("s"));
    QVERIFY(!result.opened);
    QCOMPARE(result.sheet, QStringLiteral("s"));
    QVERIFY(!link.isOpen());
    QCOMPARE(link.path(), QString());
    QVERIFY(!link.worksheet("data"));
}

void SpreadsheetLinkTest::brokenFileKeepsTheWorkingLink_data()
{
    QTest::addColumn<QString>("via");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    const QByteArray text("this is no workbook\n");
    const QByteArray truncated = QuilletTest::readFile(m_xls).left(2000);
    for (const char* via : {"open", "exit", "browse", "reopen"}) {
        QTest::addRow("%s, not a zip archive", via) << via << "broken.xlsx" << text;
        QTest::addRow("%s, truncated compound file", via) << via << "broken.xls" << truncated;
    }
}

void SpreadsheetLinkTest::brokenFileKeepsTheWorkingLink()
{
    QFETCH(QString, via);
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    writeFile(m_dir->filePath(name), content);
    SpreadsheetLink link;
    QVERIFY(link.xlsFileExit("data.csv", m_project, QString()).action
            == SpreadsheetLink::ExitResult::Opened);
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    const auto attempt = [&] {
        if (via == "open")
            link.openWorkbook(m_dir->filePath(name), QStringLiteral("data"));
        else if (via == "exit")
            link.xlsFileExit(name, m_project, QStringLiteral("data"));
        else if (via == "browse")
            link.afterBrowse(m_dir->filePath(name), m_project, QStringLiteral("data"));
        else
            link.reopen(name, m_project, QStringLiteral("data"));
    };
    QVERIFY_THROWS_EXCEPTION(FileError, attempt());
    QVERIFY(link.isOpen());
    QCOMPARE(link.path(), m_csv);
    QCOMPARE(cell(link, "data", 2, 1), QStringLiteral("1"));
    QCOMPARE(changed.count(), 0);
}

void SpreadsheetLinkTest::exitHandler()
{
    SpreadsheetLink link;
    QSignalSpy errors(&link, &SpreadsheetLink::errorLine);

    auto result = link.xlsFileExit("data.csv", m_project, QString());
    QCOMPARE(result.action, SpreadsheetLink::ExitResult::Opened);
    QCOMPARE(result.sheet, QStringLiteral("data"));
    QCOMPARE(link.LastXlsPath(), m_csv);

    // The same name again does not reopen.
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    result = link.xlsFileExit("data.csv", m_project, QStringLiteral("data"));
    QCOMPARE(result.action, SpreadsheetLink::ExitResult::Nothing);
    QCOMPARE(changed.count(), 0);

    // Another existing name replaces the open workbook.
    result = link.xlsFileExit("types.xls", m_project, QString());
    QCOMPARE(result.action, SpreadsheetLink::ExitResult::Opened);
    QCOMPARE(link.path(), m_xls);
    QCOMPARE(result.sheet, QStringLiteral("Числа"));

    // A missing name reports its line and leaves the link as it was.
    result = link.xlsFileExit("gone.xlsx", m_project, QStringLiteral("Числа"));
    QCOMPARE(result.action, SpreadsheetLink::ExitResult::Missing);
    QCOMPARE(result.errorLine, QStringLiteral("Не существует файла: gone.xlsx"));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), result.errorLine);
    QCOMPARE(link.path(), m_xls);

    // An empty edit changes nothing.
    result = link.xlsFileExit(QString(), m_project, QString());
    QCOMPARE(result.action, SpreadsheetLink::ExitResult::Nothing);
    QVERIFY(link.isOpen());
}

void SpreadsheetLinkTest::browseInProjectFolderThenExitDoesNotReopen()
{
    SpreadsheetLink link;
    link.xlsFileEnter(QString());
    const auto browsed = link.afterBrowse(m_xls, m_project, QString());
    QCOMPARE(browsed.editText, QStringLiteral("types.xls"));
    QVERIFY(browsed.open.opened);
    QCOMPARE(browsed.open.sheet, QStringLiteral("Числа"));
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    const auto exited = link.xlsFileExit(browsed.editText, m_project, browsed.open.sheet);
    QCOMPARE(exited.action, SpreadsheetLink::ExitResult::Nothing);
    QCOMPARE(changed.count(), 0);

    // A cancelled dialog hands back the edit's text, relative to the project: the same
    // workbook opens again, and the link stays.
    const auto cancelled = link.afterBrowse(browsed.editText, m_project, QStringLiteral("x"));
    QVERIFY(cancelled.open.opened);
    QCOMPARE(link.path(), m_xls);
    QCOMPARE(cancelled.editText, QStringLiteral("types.xls"));
    // Without a project folder the name is looked up as it is: no such file, no link.
    const auto unsaved = link.afterBrowse(browsed.editText, QString(), QStringLiteral("x"));
    QVERIFY(!unsaved.open.opened);
    QVERIFY(!link.isOpen());
}

void SpreadsheetLinkTest::reopenKeepsSheetText()
{
    SpreadsheetLink link;
    link.xlsFileExit("types.xls", m_project, QString());
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    const auto result = link.reopen("types.xls", m_project, QStringLiteral("Второй лист"));
    QCOMPARE(result.action, SpreadsheetLink::ExitResult::Opened);
    QCOMPARE(result.sheet, QStringLiteral("Второй лист"));
    QVERIFY(changed.count() >= 1);
    QVERIFY(link.isOpen());
    // Even an empty sheet text stays empty: reopening keeps what the user had.
    QCOMPARE(link.reopen("types.xls", m_project, QString()).sheet, QString());
}

void SpreadsheetLinkTest::rereadsWhenFileIsRewritten()
{
    SpreadsheetLink link;
    link.openWorkbook(m_csv, QString());
    QCOMPARE(cell(link, "data", 2, 2), QStringLiteral("2"));
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    const auto before = link.workbook();
    writeFile(m_csv, "a;b\n1;22;333\n");
    QVERIFY(changed.wait(15000));
    QCOMPARE(cell(link, "data", 2, 2), QStringLiteral("22"));
    // A render holding the old snapshot still reads the old data.
    QCOMPARE(before->worksheet("data")->cellText(2, 2), QStringLiteral("2"));
}

void SpreadsheetLinkTest::rereadsWhenFileIsReplacedByRename()
{
    SpreadsheetLink link;
    link.openWorkbook(m_csv, QString());
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    for (const QByteArray& value : {QByteArray("first"), QByteArray("second")}) {
        const QString temporary = m_dir->filePath("data.csv.tmp");
        writeFile(temporary, "a;" + value + "\n");
        QVERIFY(QFile::remove(m_csv));
        QVERIFY(QFile::rename(temporary, m_csv));
        // The watch must be re-armed after each replacement, so the second one is seen.
        QTRY_COMPARE_WITH_TIMEOUT(cell(link, "data", 1, 2), QString::fromLatin1(value), 15000);
    }
    QVERIFY(changed.count() >= 2);
}

void SpreadsheetLinkTest::worksheetLookup()
{
    SpreadsheetLink link;
    QVERIFY(!link.worksheet("data"));
    QVERIFY(!link.show());
    link.openWorkbook(m_xls, QString());
    QVERIFY(link.worksheet("Второй лист"));
    QVERIFY(!link.worksheet("Третий"));
    link.closeWorkbook();
    QVERIFY(!link.worksheet("Второй лист"));
    QVERIFY(!link.workbook());
}

void SpreadsheetLinkTest::formulasWithoutResultsReachTheErrorList()
{
    const QuilletTest::ScopedEnvironment office(LibreOfficeProgramVariable,
                                                m_dir->filePath("no/soffice"));
    const QString path = m_dir->filePath("формулы.xlsx");
    const QByteArray content =
        QuilletTest::readFile(QuilletTest::dataPath("workbooks/uncached-formulas.xlsx"));
    writeFile(path, content);
    SpreadsheetLink link;
    QSignalSpy errors(&link, &SpreadsheetLink::errorLine);
    QCOMPARE(link.openWorkbook(path, QString()).sheet, QStringLiteral("Данные"));
    QCOMPARE(errors.count(), 10);
    QCOMPARE(errors.first().first().toString(),
             QStringLiteral("Формула без вычисленного значения: Лист1!B1"));
    QCOMPARE(cell(link, "Лист1", 1, 2), QString());
    // Saved again by a script: the lines come again with the new data.
    QSignalSpy changed(&link, &SpreadsheetLink::workbookChanged);
    writeFile(path, content);
    QVERIFY(changed.wait(15000));
    QCOMPARE(errors.count(), 20);
}

QTEST_GUILESS_MAIN(SpreadsheetLinkTest)
#include "SpreadsheetLinkTest.moc"
