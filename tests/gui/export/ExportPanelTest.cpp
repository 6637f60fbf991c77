// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WindowDriver.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"
#include "support/DesktopUrls.h"

#include "core/background/DocumentImport.h"
#include "core/data/SpreadsheetLink.h"
#include "core/export/PageExporter.h"
#include "gui/app/MainWindow.h"
#include "gui/export/ExportPanel.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

using namespace Quillet;
using namespace WindowDriver;

namespace {

constexpr int kDemoPages = 200;

QStringList filesIn(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Chooses the file type `filter` (an index into the dialog's list), then the name.
DialogScript::Step chooseFileOfType(const QString& path, int filter)
{
    return [path, filter](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog != nullptr);
        dialog->selectNameFilter(dialog->nameFilters().value(filter));
        chooseFile(path)(w);
    };
}

// Records the name the dialog proposes, then cancels it.
DialogScript::Step recordProposal(QString* proposed)
{
    return [proposed](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog != nullptr);
        *proposed = dialog->selectedFiles().value(0);
        cancel()(w);
    };
}

// What the window showed while one export ran.
struct Watched {
    QList<int> progress;
    bool panelShown = false;
    bool cancelShown = false;
    bool controlsDisabled = true;
    qint64 longestStallMs = 0;
    QStringList dialogs;
};

// Clicks JPGSave with `sEdit1` = `pages`, answers the dialogs with `steps` and waits for
// the export to end. `onProgress` runs at each gauge step.
Watched exportFromWindow(TForm1& window, const QString& pages, std::deque<DialogScript::Step> steps,
                         const std::function<void(int)>& onProgress = {},
                         const char* button = "JPGSave")
{
    auto* panel = control<ExportPanel>(window, "Exportpr");
    auto* gauge = control<QProgressBar>(window, "Progress");
    Watched watched;
    QObject::connect(gauge, &QProgressBar::valueChanged, panel, [&](int value) {
        watched.progress << value;
        watched.panelShown = control<QWidget>(window, "ProgressPanel")->isVisibleTo(&window);
        watched.cancelShown = control<QWidget>(window, "ProgressCancel")->isVisibleTo(&window);
        watched.controlsDisabled &= !control<QWidget>(window, "JPGSave")->isEnabled()
                                    && !control<QWidget>(window, "sEdit1")->isEnabled();
        if (onProgress)
            onProgress(value);
    });
    // The window's own loop ticks on while the pages are made.
    QElapsedTimer sinceTick;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, panel, [&] {
        watched.longestStallMs = std::max(watched.longestStallMs, sinceTick.restart());
    });
    control<QLineEdit>(window, "sEdit1")->setText(pages);
    DialogScript script(std::move(steps));
    sinceTick.start();
    ticker.start(10);
    QTest::mouseClick(control<QToolButton>(window, button), Qt::LeftButton);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(!panel->isExporting() && script.finished(), 120000); }();
    ticker.stop();
    QObject::disconnect(gauge, nullptr, panel, nullptr);
    watched.dialogs = script.seen;
    return watched;
}

} // namespace

class ExportPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void demoPagesEqualTheCommandLine();
    void fileTypeChosenInTheDialog_data();
    void fileTypeChosenInTheDialog();
    void cancelStopsWithinOnePagePerWorker_data();
    void cancelStopsWithinOnePagePerWorker();
    void withoutPagesNothingIsAsked_data();
    void withoutPagesNothingIsAsked();
    void dialogProposesTheLastName();
    void exportSaysWhatItDid_data();
    void exportSaysWhatItDid();
    void unwritableFileIsReported();
    void printControlsReportTheirCommands();

private:
    QString smallProject(const QString& name);
    QString m_cliFolder;
    QTemporaryDir m_dir;
};

void ExportPanelTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_cliFolder = m_dir.filePath(QStringLiteral("cli"));
    QVERIFY(QDir().mkpath(m_cliFolder));
    const QuilletTest::CliRun run =
        QuilletTest::runCli({QStringLiteral("export"), QuilletTest::demoProjectPath(),
                             QStringLiteral("--out"), m_cliFolder + QStringLiteral("/demo")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(filesIn(m_cliFolder, QStringLiteral("*.jpg")).size(), kDemoPages);
}

void ExportPanelTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

QString ExportPanelTest::smallProject(const QString& name)
{
    return saveProject(QDir(m_dir.path()), name, 60, 40,
                       {textField(QStringLiteral("0000"), QStringLiteral("=A1:A3")),
                        block("0005,00 0005,00/0050,00 0015,00"),
                        textField(QStringLiteral("0001"), QStringLiteral("Итого")),
                        block("0005,00 0020,00/0050,00 0035,00")});
}

void ExportPanelTest::demoPagesEqualTheCommandLine()
{
    TForm1 window;
    QVERIFY(window.LoadProject(QuilletTest::demoProjectPath()));
    control<QTimer>(window, "RepaintTime")->stop();
    window.document().RepaintPending = false;
    const QImage raster = window.pageRaster().copy();
    const QString folder = m_dir.filePath(QStringLiteral("window"));
    QVERIFY(QDir().mkpath(folder));
    QTest::mouseClick(control<QToolButton>(window, "ToolButton49"), Qt::LeftButton);
    const QString all = control<QLineEdit>(window, "sEdit1")->text();
    QCOMPARE(all, QStringLiteral("1-200"));

    const Watched watched =
        exportFromWindow(window, all, {chooseFile(folder + QStringLiteral("/demo.qlet"))});
    QVERIFY(watched.panelShown);
    QVERIFY(watched.cancelShown);
    QVERIFY(watched.controlsDisabled);
    QVERIFY2(watched.longestStallMs < 1000, qPrintable(QString::number(watched.longestStallMs)));
    QVERIFY(std::is_sorted(watched.progress.begin(), watched.progress.end()));
    QCOMPARE(watched.progress.last(), kDemoPages);
    QVERIFY(!control<QWidget>(window, "ProgressPanel")->isVisibleTo(&window));
    QVERIFY(control<QWidget>(window, "JPGSave")->isEnabled());
    QVERIFY(window.document().RepaintPending);
    QCOMPARE(window.pageRaster(), raster);

    const QStringList files = filesIn(folder, QStringLiteral("*"));
    QCOMPARE(files, filesIn(m_cliFolder, QStringLiteral("*")));
    for (const QString& name : files) {
        QVERIFY2(QuilletTest::readFile(folder + u'/' + name)
                     == QuilletTest::readFile(m_cliFolder + u'/' + name),
                 qPrintable(name));
    }
}

void ExportPanelTest::fileTypeChosenInTheDialog_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QStringList>("files");
    const QString three = QStringLiteral("3,1-2");
    QTest::newRow("PNG") << 1 << "png" << three
                         << QStringList{"out001.png", "out002.png", "out003.png"};
    QTest::newRow("PDF") << 2 << "pdf" << three << QStringList{"out.pdf"};
    // Page 0 is a page like any other: the layout view, under its own number.
    QTest::newRow("JPEG with the layout view") << 0 << "jpg"
                                               << "1,0" << QStringList{"out000.jpg", "out001.jpg"};
}

// Pages written last to first, against the command line's files.
void ExportPanelTest::fileTypeChosenInTheDialog()
{
    QFETCH(int, filter);
    QFETCH(QString, format);
    QFETCH(QString, pages);
    QFETCH(QStringList, files);
    TForm1 window;
    const QString project = smallProject(QStringLiteral("typed.qlet"));
    QVERIFY(window.LoadProject(project));
    QTest::mouseClick(control<QCheckBox>(window, "Reverce"), Qt::LeftButton);
    const QString folder = m_dir.filePath(format);
    const QString cliFolder = folder + QStringLiteral("-cli");
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(cliFolder));
    exportFromWindow(window, pages,
                     {chooseFileOfType(folder + QStringLiteral("/out.qlet"), filter)});
    QCOMPARE(filesIn(folder, QStringLiteral("*")), files);

    const QuilletTest::CliRun run =
        QuilletTest::runCli({QStringLiteral("export"), project, QStringLiteral("--pages"), pages,
                             QStringLiteral("--reverse"), QStringLiteral("--format"), format,
                             QStringLiteral("--out"), cliFolder + QStringLiteral("/out")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(filesIn(cliFolder, QStringLiteral("*")), files);
    if (format != QLatin1String("pdf")) {
        for (const QString& name : files) {
            QVERIFY(QuilletTest::readFile(folder + u'/' + name)
                    == QuilletTest::readFile(cliFolder + u'/' + name));
        }
        return;
    }
    // A PDF carries its time of writing: the pages are compared as poppler draws them.
    ImportDocument ours;
    ImportDocument theirs;
    ours.open(folder + QStringLiteral("/out.pdf"));
    theirs.open(cliFolder + QStringLiteral("/out.pdf"));
    QCOMPARE(ours.pageCount(), 3);
    QCOMPARE(theirs.pageCount(), 3);
    for (int page = 1; page <= 3; ++page)
        QCOMPARE(ours.page(page, 40), theirs.page(page, 40));
}

void ExportPanelTest::cancelStopsWithinOnePagePerWorker_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("JPEG") << 0 << "*.jpg";
    QTest::newRow("PDF") << 2 << "*.pdf";
}

void ExportPanelTest::cancelStopsWithinOnePagePerWorker()
{
    QFETCH(int, filter);
    QFETCH(QString, pattern);
    TForm1 window;
    QVERIFY(window.LoadProject(QuilletTest::demoProjectPath()));
    const QString folder = m_dir.filePath(QStringLiteral("cancel") + QString::number(filter));
    QVERIFY(QDir().mkpath(folder));
    int doneAtCancel = -1;
    int filesAtCancel = -1;
    const Watched watched = exportFromWindow(
        window, QStringLiteral("1-200"),
        {chooseFileOfType(folder + QStringLiteral("/stop.qlet"), filter)}, [&](int done) {
            if (done < 3 || doneAtCancel >= 0)
                return;
            doneAtCancel = done;
            filesAtCancel = int(filesIn(folder, pattern).size());
            QTest::mouseClick(control<QPushButton>(window, "ProgressCancel"), Qt::LeftButton);
        });
    QVERIFY(doneAtCancel >= 3);
    QVERIFY(!control<QWidget>(window, "ProgressCancel")->isVisibleTo(&window));
    // Nothing half written stays, under the page's name or beside it.
    QVERIFY(filesIn(folder, QStringLiteral("*.part")).isEmpty());
    const QStringList written = filesIn(folder, pattern);
    if (pattern == QLatin1String("*.pdf")) {
        QVERIFY(written.isEmpty());
        QVERIFY(watched.progress.last() < kDemoPages);
        return;
    }
    // Each worker ends the page it had under way and takes no other.
    QVERIFY2(
        written.size() <= filesAtCancel + QThread::idealThreadCount(),
        qPrintable(
            QStringLiteral("%1 files, %2 at the cancel").arg(written.size()).arg(filesAtCancel)));
    for (const QString& name : written) {
        QVERIFY2(QuilletTest::readFile(folder + u'/' + name)
                     == QuilletTest::readFile(m_cliFolder + u'/' + name.mid(4).prepend("demo")),
                 qPrintable(name));
    }
}

void ExportPanelTest::withoutPagesNothingIsAsked_data()
{
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QString>("message");
    const QString none = QStringLiteral("Внимание|Не выбраны страницы");
    QTest::newRow("empty set") << "" << none;
    QTest::newRow("no valid token") << "а-б, 3-1" << none;
    QTest::newRow("too many to list")
        << "1-2000000000" << QStringLiteral("Quillet|Слишком много страниц: 2000000000");
}

void ExportPanelTest::withoutPagesNothingIsAsked()
{
    QFETCH(QString, pages);
    QFETCH(QString, message);
    TForm1 window;
    QVERIFY(window.LoadProject(smallProject(QStringLiteral("few.qlet"))));
    control<QLineEdit>(window, "sEdit1")->setText(pages);
    // A file dialog after the message would be the fault; it is cancelled then.
    DialogScript script({press(QMessageBox::Ok), cancel()});
    QTest::mouseClick(control<QToolButton>(window, "JPGSave"), Qt::LeftButton);
    QCOMPARE(script.seen, QStringList{message});
    QVERIFY(!control<ExportPanel>(window, "Exportpr")->isExporting());
}

void ExportPanelTest::dialogProposesTheLastName()
{
    TForm1 window;
    const QString project = smallProject(QStringLiteral("named.qlet"));
    QVERIFY(window.LoadProject(project));
    const QString chosen = m_dir.filePath(QStringLiteral("named/pictures.x.qlet"));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("named"))));
    QString proposed;
    // The dialog gives the name the chosen file type's extension.
    exportFromWindow(window, QStringLiteral("2"), {recordProposal(&proposed)});
    QCOMPARE(exportPrefix(proposed), exportPrefix(project));
    exportFromWindow(window, QStringLiteral("2"), {chooseFile(chosen)});
    QCOMPARE(filesIn(m_dir.filePath(QStringLiteral("named")), QStringLiteral("*")),
             QStringList{QStringLiteral("pictures.x002.jpg")});
    exportFromWindow(window, QStringLiteral("2"), {recordProposal(&proposed)});
    QCOMPARE(exportPrefix(proposed), exportPrefix(chosen));
    // Saving the project names the dialog again.
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    exportFromWindow(window, QStringLiteral("2"), {recordProposal(&proposed)});
    QCOMPARE(exportPrefix(proposed), exportPrefix(project));
}

void ExportPanelTest::exportSaysWhatItDid_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("answer"); // to the question about pages without data; 0 none
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("summary");
    QTest::newRow("pictures") << "JPGSave"
                              << "1-2" << 0 << QStringList{"out001.jpg", "out002.jpg"}
                              << "Сохранено файлов: 2 в папке ";
    QTest::newRow("past the data, declined")
        << "JPGSave"
        << "2-5" << int(QMessageBox::No) << QStringList{} << QString();
    QTest::newRow("past the data, written all the same")
        << "JPGSave"
        << "3-4" << int(QMessageBox::Yes) << QStringList{"out003.jpg", "out004.jpg"}
        << "Сохранено файлов: 2 в папке ";
    QTest::newRow("PDF by name") << "PDFSave"
                                 << "1-3" << 0 << QStringList{"out.pdf"} << "Сохранён файл ";
}

void ExportPanelTest::exportSaysWhatItDid()
{
    QFETCH(QString, button);
    QFETCH(QString, pages);
    QFETCH(int, answer);
    QFETCH(QStringList, files);
    QFETCH(QString, summary);
    TForm1 window;
    QVERIFY(window.LoadProject(smallProject(QStringLiteral("told.qlet")))); // three records
    const QString folder =
        m_dir.filePath(QStringLiteral("told-")
                       + QString::number(qHash(QString::fromLatin1(QTest::currentDataTag()))));
    QVERIFY(QDir().mkpath(folder));
    std::deque<DialogScript::Step> steps;
    QString question;
    if (answer != 0) {
        steps.push_back([&question, answer](QWidget* w) {
            question = qobject_cast<QMessageBox*>(w)->text();
            press(QMessageBox::StandardButton(answer))(w);
        });
    }
    QString filter;
    if (!files.isEmpty()) {
        steps.push_back([&filter, folder](QWidget* w) {
            filter = qobject_cast<QFileDialog*>(w)->selectedNameFilter();
            chooseFile(folder + QStringLiteral("/out.qlet"))(w);
        });
    }
    exportFromWindow(window, pages, std::move(steps), {}, button.toLatin1().constData());
    if (answer != 0)
        QVERIFY2(question.endsWith(QStringLiteral(": данных нет. Всё равно сохранить?")),
                 qPrintable(question));
    QCOMPARE(filesIn(folder, QStringLiteral("*")), files);
    auto* done = window.findChild<QMessageBox*>(QStringLiteral("ExportDone"));
    if (summary.isEmpty()) {
        QVERIFY(done == nullptr);
        return;
    }
    QCOMPARE(filter.contains(QStringLiteral("pdf")), button == QStringLiteral("PDFSave"));
    QVERIFY(done != nullptr && done->isVisible());
    QVERIFY(done->windowModality() == Qt::NonModal); // the window goes on meanwhile
    QVERIFY2(done->text().startsWith(summary), qPrintable(done->text()));
    QuilletTest::UrlCatcher desktop({QStringLiteral("file")});
    QTest::mouseClick(control<QPushButton>(*done, "OpenFolder"), Qt::LeftButton);
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
}

void ExportPanelTest::unwritableFileIsReported()
{
    TForm1 window;
    QVERIFY(window.LoadProject(smallProject(QStringLiteral("blocked.qlet"))));
    const QString folder = m_dir.filePath(QStringLiteral("blocked"));
    // A folder where the first page's file should go: it cannot be replaced by a file.
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/page001.jpg")));
    const QStringList seen =
        exportFromWindow(window, QStringLiteral("1"),
                         {chooseFile(folder + QStringLiteral("/page")), press(QMessageBox::Ok)})
            .dialogs;
    QCOMPARE(seen.size(), 2);
    QVERIFY2(seen[1].startsWith(QStringLiteral("Quillet|Не удаётся записать файл ") + folder
                                + QStringLiteral("/page001.jpg")),
             qPrintable(seen[1]));
    QCOMPARE(filesIn(folder, QStringLiteral("*")), QStringList{QStringLiteral("page001.jpg")});
    QVERIFY(!control<QWidget>(window, "ProgressPanel")->isVisibleTo(&window));
    QVERIFY(control<QWidget>(window, "JPGSave")->isEnabled());
}

void ExportPanelTest::printControlsReportTheirCommands()
{
    ExportOptions options;
    ProjectDocument document;
    ViewState view;
    SpreadsheetLink link;
    ExportPanel panel(options, document, view, link);
    QSignalSpy print(&panel, &ExportPanel::printRequested);
    QSignalSpy setup(&panel, &ExportPanel::printerSetupRequested);
    QSignalSpy calibration(&panel, &ExportPanel::calibrationRequested);
    auto* button = control<QToolButton>(panel, "JPGPrint");
    QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    button->menu()->findChild<QAction*>(QStringLiteral("N1"))->trigger();
    button->menu()->findChild<QAction*>(QStringLiteral("CalibrationItem"))->trigger();
    QCOMPARE(print.size(), 1);
    QCOMPARE(setup.size(), 1);
    QCOMPARE(calibration.size(), 1);

    auto* copies = control<QSpinBox>(panel, "NCopies");
    QCOMPARE(panel.copies(), 1);
    copies->setValue(400);
    QCOMPARE(panel.copies(), 250);
    copies->setValue(0);
    QCOMPARE(panel.copies(), 1);
}

QTEST_MAIN(ExportPanelTest)
#include "ExportPanelTest.moc"
