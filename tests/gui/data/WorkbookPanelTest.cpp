// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The workbook link in the window: a file that is no workbook never costs the user the
// link that works, a page that cannot read its cells says so, "Показать файл" never fails
// without a word, a workbook LibreOffice must compute is opened aside with a Cancel, and
// the browse dialog offers every kind of workbook.

#include "support/WindowDriver.h"

#include "core/common/LibreOffice.h"
#include "gui/app/MainWindow.h"
#include "support/DesktopUrls.h"
#include "support/OfficeSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace Quillet;
using namespace WindowDriver;

using QuilletTest::writeFile;

namespace {

/// A page with one field reading column A, linked to `workbook` beside it.
QString linkedProject(const QDir& dir, const QString& workbook)
{
    Project project;
    project.settings.PrWidth = 100;
    project.settings.PrHeight = 50;
    project.settings.xlsFile = workbook;
    project.settings.sheet = QStringLiteral("data");
    project.Structure =
        FieldTree::fromText(textField(QStringLiteral("0000"), QStringLiteral("=A1:A3"))
                            + QStringLiteral("\r\n") + block("0010,00 0010,00/0090,00 0020,00"));
    const QString path = dir.filePath(QStringLiteral("form.qlet"));
    ProjectFile::save(project, path);
    return path;
}

QString errorList(TForm1& window)
{
    return control<QPlainTextEdit>(window, "ErroreList")->toPlainText();
}

/// Page 1 drawn by the repaint tick, with the error list emptied first.
void renderPageOne(TForm1& window)
{
    control<QPlainTextEdit>(window, "ErroreList")->clear();
    control<QSpinBox>(window, "PageN")->setValue(1);
    window.document().RepaintPending = true;
    window.RepaintTimeTimer();
}

} // namespace

class WorkbookPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void notAWorkbookKeepsTheLink_data();
    void notAWorkbookKeepsTheLink();
    void projectWithABrokenWorkbookSaysSoOnEveryPage();
    void showFileNeverFailsSilently_data();
    void showFileNeverFailsSilently();
    void libreOfficeWorksAside_data();
    void libreOfficeWorksAside();
    void browseOffersEveryKindOfWorkbook();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void WorkbookPanelTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    writeFile(m_dir->filePath(QStringLiteral("data.csv")), "Анна\nБорис\nВера\n");
    writeFile(m_dir->filePath(QStringLiteral("notes.xlsx")), "this is no workbook\n");
}

void WorkbookPanelTest::notAWorkbookKeepsTheLink_data()
{
    QTest::addColumn<bool>("browse");
    QTest::newRow("chosen in the dialog") << true;
    QTest::newRow("typed into the edit") << false;
}

void WorkbookPanelTest::notAWorkbookKeepsTheLink()
{
    QFETCH(bool, browse);
    TForm1 window;
    window.show();
    QVERIFY(window.LoadProject(linkedProject(QDir(m_dir->path()), QStringLiteral("data.csv"))));
    renderPageOne(window);
    QCOMPARE(errorList(window), QString());

    auto* edit = control<QLineEdit>(window, "xlsFile");
    std::deque<DialogScript::Step> steps;
    if (browse)
        steps.push_back(chooseFile(m_dir->filePath(QStringLiteral("notes.xlsx"))));
    steps.push_back(press(QMessageBox::Ok));
    DialogScript script(std::move(steps));
    if (browse) {
        QTest::mouseClick(control<QToolButton>(window, "xlsFileBrowse"), Qt::LeftButton);
    } else {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(edit, &in);
        edit->setText(QStringLiteral("notes.xlsx"));
        QFocusEvent out(QEvent::FocusOut); // leaving the edit opens the name
        QApplication::sendEvent(edit, &out);
    }
    QTRY_VERIFY(script.finished());
    QCOMPARE(script.seen.size(), browse ? 2 : 1); // the file dialog, then one message
    QVERIFY2(script.seen.last().contains(QStringLiteral("Связь с прежним файлом сохранена")),
             qPrintable(script.seen.last()));
    QCOMPARE(edit->text(), QStringLiteral("data.csv"));
    QCOMPARE(window.document().project.settings.xlsFile, QStringLiteral("data.csv"));
    // Pages still read the workbook that works: no line says otherwise.
    renderPageOne(window);
    QCOMPARE(errorList(window), QString());
}

void WorkbookPanelTest::projectWithABrokenWorkbookSaysSoOnEveryPage()
{
    TForm1 window;
    window.show();
    QVERIFY(window.LoadProject(linkedProject(QDir(m_dir->path()), QStringLiteral("data.csv"))));
    // Another project names a file that is no workbook: what the first one linked is not
    // its data, so nothing is linked, and each page says so.
    const QDir other(m_dir->filePath(QStringLiteral("other")));
    QVERIFY(QDir().mkpath(other.path()));
    QVERIFY(QFile::copy(m_dir->filePath(QStringLiteral("notes.xlsx")),
                        other.filePath(QStringLiteral("notes.xlsx"))));
    DialogScript script({press(QMessageBox::Ok)});
    QVERIFY(window.LoadProject(linkedProject(other, QStringLiteral("notes.xlsx"))));
    QTRY_VERIFY(script.finished());
    QVERIFY2(script.seen.first().contains(QStringLiteral("Файл Excel не связан")),
             qPrintable(script.seen.first()));
    for (int repaint = 0; repaint < 2; ++repaint) {
        renderPageOne(window);
        QCOMPARE(errorList(window),
                 QStringLiteral("Нет данных: не открыт файл Excel «notes.xlsx»"));
    }
}

void WorkbookPanelTest::showFileNeverFailsSilently_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<bool>("application");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing open") << false << true << "Файл Excel не открыт";
    QTest::newRow("no application for it") << true << false << "нет программы";
    QTest::newRow("shown") << true << true << QString();
}

void WorkbookPanelTest::showFileNeverFailsSilently()
{
    QFETCH(bool, linked);
    QFETCH(bool, application);
    QFETCH(QString, message);
    TForm1 window;
    window.show();
    if (linked) {
        QVERIFY(window.LoadProject(linkedProject(QDir(m_dir->path()), QStringLiteral("data.csv"))));
    }
    // The desktop's handler of local files: one that records them, or none to be found.
    QuilletTest::UrlCatcher catcher(application ? QStringList{QStringLiteral("file")}
                                                : QStringList{});
    const QTemporaryDir emptyPath;
    const QuilletTest::ScopedEnvironment path("PATH", emptyPath.path());
    DialogScript script({press(QMessageBox::Ok)});
    QTest::mouseClick(control<QToolButton>(window, "sSpeedButton4"), Qt::LeftButton);
    if (message.isEmpty()) {
        QCOMPARE(catcher.opened.size(), 1);
        QVERIFY(script.seen.isEmpty());
        return;
    }
    QTRY_VERIFY(script.finished());
    QVERIFY2(script.seen.first().contains(message), qPrintable(script.seen.first()));
}

void WorkbookPanelTest::libreOfficeWorksAside_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("finished") << false;
}

void WorkbookPanelTest::libreOfficeWorksAside()
{
    QFETCH(bool, cancel);
    const QString installed = QuilletTest::installedLibreOffice();
    if (!cancel && installed.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    // LibreOffice held back until the test lets it go: as slow as need be, without a clock.
    const QuilletTest::HeldOffice office =
        QuilletTest::heldOffice(m_dir->path(), cancel ? QString() : installed);
    const QuilletTest::ScopedEnvironment env(LibreOfficeProgramVariable, office.program);
    const QuilletTest::ScopedEnvironment cache("XDG_CACHE_HOME", m_dir->filePath("cache"));
    QVERIFY(QFile::copy(QuilletTest::dataPath("workbooks/uncached-formulas.xlsx"),
                        m_dir->filePath(QStringLiteral("формулы.xlsx"))));
    TForm1 window;
    window.show();
    QVERIFY(window.LoadProject(linkedProject(QDir(m_dir->path()), QStringLiteral("data.csv"))));
    auto* edit = control<QLineEdit>(window, "xlsFile");
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(edit, &in);
    edit->setText(QStringLiteral("формулы.xlsx"));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(edit, &out);

    // The window goes on while LibreOffice works, showing that it does and offering Cancel.
    auto* progress = control<QWidget>(window, "ProgressPanel");
    QVERIFY(progress->isVisible());
    QVERIFY(control<QWidget>(window, "ProgressCancel")->isVisible());
    QVERIFY(!control<QWidget>(window, "LinkGroup")->isEnabled());
    QTRY_VERIFY(office.pid() > 0);
    // Meanwhile the pages read the workbook linked before.
    renderPageOne(window);
    QCOMPARE(errorList(window), QString());

    if (cancel) {
        click(window, "ProgressCancel");
        QTRY_VERIFY(!progress->isVisible());
        QTRY_VERIFY(QuilletTest::processEnded(office.pid()));
        QVERIFY(control<QWidget>(window, "LinkGroup")->isEnabled());
        QCOMPARE(QApplication::activeModalWidget(), nullptr); // no message for a cancel
        QCOMPARE(edit->text(), QStringLiteral("data.csv"));
        QCOMPARE(window.document().project.settings.xlsFile, QStringLiteral("data.csv"));
        renderPageOne(window);
        QCOMPARE(errorList(window), QString());
        return;
    }
    // The repaint tick would draw the page, and clear the request, before the check below.
    window.findChild<QTimer*>(QStringLiteral("RepaintTime"))->stop();
    window.document().RepaintPending = false;
    office.release();
    QTRY_VERIFY_WITH_TIMEOUT(!progress->isVisible(), 120000);
    QVERIFY(control<QWidget>(window, "LinkGroup")->isEnabled());
    // Linked now, with every formula computed, and the page is to be drawn anew.
    QVERIFY(window.document().RepaintPending);
    QCOMPARE(edit->text(), QStringLiteral("формулы.xlsx"));
    QCOMPARE(errorList(window), QString());
    control<QLineEdit>(window, "sheet")->setText(QStringLiteral("Лист1"));
    window.document().project.settings.sheet = QStringLiteral("Лист1");
    renderPageOne(window);
    QCOMPARE(errorList(window), QString());
}

void WorkbookPanelTest::browseOffersEveryKindOfWorkbook()
{
    TForm1 window;
    window.show();
    QStringList filters;
    DialogScript script({[&filters](QWidget* dialog) {
        filters = qobject_cast<QFileDialog*>(dialog)->nameFilters();
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    }});
    QTest::mouseClick(control<QToolButton>(window, "xlsFileBrowse"), Qt::LeftButton);
    QTRY_VERIFY(script.finished());
    QVERIFY2(filters.value(0).startsWith(QStringLiteral("Все книги (")),
             qPrintable(filters.join('|')));
    const QString everyBook = filters.value(0);
    const QStringList patterns = {"*.xlsx", "*.xlsm", "*.xls", "*.ods", "*.fods", "*.csv", "*.txt"};
    for (const QString& pattern : patterns)
        QVERIFY2(everyBook.contains(pattern), qPrintable(pattern));
    // LibreOffice is installed where the tests run: what it converts is offered too.
    if (!libreOfficeProgram().isEmpty()) {
        for (const char* pattern : {"*.xlsb", "*.numbers", "*.dbf", "*.slk"})
            QVERIFY2(everyBook.contains(QLatin1String(pattern)), pattern);
    }
    QCOMPARE(filters.last(), QStringLiteral("Все файлы (*)"));
}

QTEST_MAIN(WorkbookPanelTest)
#include "WorkbookPanelTest.moc"
