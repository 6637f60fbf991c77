// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Printing from the window: the questions before a print, prints into a PDF file read back
// through poppler, and jobs on a private CUPS server, calibrated through the dialog.

#include "support/WindowDriver.h"
#include "support/CupsServer.h"
#include "support/PrintSupport.h"
#include "support/TestSupport.h"

#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"
#include "core/data/SpreadsheetLink.h"
#include "core/export/PrintJob.h"
#include "core/render/PageRenderer.h"
#include "gui/app/MainWindow.h"
#include "gui/export/Printing.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Quillet;
using namespace WindowDriver;

namespace {

const QString kLandscapeQuestion =
    QStringLiteral("Предупреждение|Для вашего проекта рекомендуется альбомная ориентация "
                   "страницы.\n\rИзменить ориентацию листа на альбомную?");
const QString kPortraitQuestion =
    QStringLiteral("Предупреждение|Для вашего проекта рекомендуется книжная ориентация "
                   "страницы.\n\rИзменить ориентацию листа на книжную?");

// 300 dpi pixels per millimetre.
constexpr double kPxPerMm = 300 / 25.4;

struct Sink : RenderErrorSink {
    void LogRenderError(const QString&) override {}
};

// A 100 × 150 mm project of nine pages whose one text field, in the block (100, 200)–
// (999, 299) at 300 dpi, shows the workbook's row k on page k: k letters "M", so every
// page's ink has a width of its own. Returns the project's path.
QString saveRecordsProject(const QDir& dir)
{
    QFile records(dir.filePath(QStringLiteral("records.csv")));
    if (!records.open(QIODevice::WriteOnly))
        qFatal("cannot write the records");
    for (int k = 1; k <= 9; ++k)
        records.write(QByteArray(k, 'M') + "\r\n");
    records.close();
    Project project;
    project.settings.SizeName = QStringLiteral("Мой");
    project.settings.PrWidth = 100;
    project.settings.PrHeight = 150;
    project.settings.xlsFile = QStringLiteral("records.csv");
    project.settings.sheet = QStringLiteral("records");
    project.Structure =
        FieldTree::fromText(QStringList{textField(QStringLiteral("0000"), QStringLiteral("=A1:A9")),
                                        block("0008,47 0016,93/0084,58 0025,32")}
                                .join(QStringLiteral("\r\n")));
    const QString path = dir.filePath(QStringLiteral("records.qlet"));
    ProjectFile::save(project, path);
    return path;
}

// The bounding box of the dark pixels.
QRect ink(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    QRect box;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (row[x] < 128)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The ink of each page of the project at `path` as the renderer draws it at 300 dpi with
// the project's workbook; index 0 is left empty.
QList<QRect> renderedInk(const QString& path)
{
    ProjectDocument document;
    SpreadsheetLink link;
    if (!document.LoadProject(path))
        qFatal("the project does not load");
    const Project& project = document.project;
    link.openWorkbook(SpreadsheetLink::resolveXlsPath(project.settings.xlsFile, path),
                      project.settings.sheet);
    const std::shared_ptr<const Workbook> workbook = link.workbook();
    QList<QRect> boxes{QRect()};
    for (int page = 1; page <= 9; ++page) {
        QImage raster = makePageRaster(project);
        RenderSource source;
        source.project = &project;
        source.projectPath = path;
        source.workbook = workbook.get();
        RenderTarget target;
        target.image = &raster;
        Sink sink;
        RenderPage(source, target, page, sink);
        boxes << ink(raster);
    }
    return boxes;
}

// The pages of the PDF document `pdf` at `dpi`.
QList<QImage> pdfPages(const QByteArray& pdf, double dpi)
{
    QList<QImage> pages;
    for (;;) {
        QImage page = QuilletTest::pdfPageImage(pdf, int(pages.size()), dpi);
        if (page.isNull())
            return pages;
        pages << page;
    }
}

// True when two ink boxes agree within a pixel on every edge.
bool sameInk(const QRect& printed, const QRect& expected)
{
    const int edges[4][2] = {{printed.left(), expected.left()},
                             {printed.top(), expected.top()},
                             {printed.right(), expected.right()},
                             {printed.bottom(), expected.bottom()}};
    for (const auto& edge : edges) {
        if (std::abs(edge[0] - edge[1]) > 1) {
            qWarning("printed ink %d,%d %d×%d, expected %d,%d %d×%d", printed.x(), printed.y(),
                     printed.width(), printed.height(), expected.x(), expected.y(),
                     expected.width(), expected.height());
            return false;
        }
    }
    return expected.isValid();
}

// The main window on the project at `path`. Its session printer prints on the CUPS queue
// `queue`, or with no queue into a PDF file on A4 paper whose printable area starts 10 mm
// from the left and 15 mm from the top; either at the resolution the window gives it.
struct Host {
    TForm1 window;
    PrintController* printing = nullptr;
    QString pdf;

    explicit Host(const QString& path, const QString& queue = {})
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window) || !window.LoadProject(path))
            qFatal("the project does not open");
        printing = window.findChild<PrintController*>();
        QPrinter& printer = printing->printer();
        if (!queue.isEmpty()) {
            printer.setPrinterName(queue);
            return;
        }
        pdf = QFileInfo(path).dir().filePath(QStringLiteral("print.pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter);
    }

    void setPages(const QString& text) { control<QLineEdit>(window, "sEdit1")->setText(text); }
    // Clicks `JPGPrint` and waits until the print has ended.
    void print()
    {
        QSignalSpy finished(printing, &PrintController::printFinished);
        QTest::mouseClick(control<QToolButton>(window, "JPGPrint"), Qt::LeftButton);
        if (printing->isPrinting())
            QVERIFY(finished.wait(60000));
    }
    void chooseMenuItem(const char* name)
    {
        QMenu* menu = control<QToolButton>(window, "JPGPrint")->menu();
        menu->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
};

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void orientationQuestions_data();
    void orientationQuestions();
    void noPagesNoPrint_data();
    void noPagesNoPrint();
    void pagesLandOnTheSheet_data();
    void pagesLandOnTheSheet();
    void failureIsShown_data();
    void failureIsShown();
    void jobsOnPrinterQueue();
    void picturePrintsTakeTheCopies();
    void calibrationMovesThePrint_data();
    void calibrationMovesThePrint();

private:
    QTemporaryDir m_dir;
    // Started before anything asks the print system about printers: libcups keeps the
    // server it first used for the thread.
    std::unique_ptr<QuilletTest::CupsServer> m_cups;
    QString m_cupsProblem;
};

void PrintingTest::initTestCase()
{
    m_cupsProblem = QuilletTest::CupsServer::missingTools();
    if (!m_cupsProblem.isEmpty())
        return;
    m_cups = std::make_unique<QuilletTest::CupsServer>();
    if (!m_cups->start())
        m_cupsProblem = m_cups->error();
}

void PrintingTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
    QFile::remove(m_dir.filePath(QStringLiteral("print.pdf")));
}

void PrintingTest::orientationQuestions_data()
{
    QTest::addColumn<QSizeF>("pageMm");
    QTest::addColumn<bool>("printerPortrait");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("printedPortrait");

    const QSizeF wide(150, 100);
    const QSizeF tall(100, 150);
    QTest::newRow("wide page, portrait printer, yes")
        << wide << true << true << QStringList{kLandscapeQuestion} << false;
    // No keeps portrait, and a wide page does not then ask for portrait.
    QTest::newRow("wide page, portrait printer, no")
        << wide << true << false << QStringList{kLandscapeQuestion} << true;
    QTest::newRow("tall page, landscape printer, yes")
        << tall << false << true << QStringList{kPortraitQuestion} << true;
    QTest::newRow("tall page, landscape printer, no")
        << tall << false << false << QStringList{kPortraitQuestion} << false;
    QTest::newRow("wide page, landscape printer")
        << wide << false << true << QStringList{} << false;
    QTest::newRow("square page") << QSizeF(120, 120) << true << true << QStringList{} << true;
    QTest::newRow("square page, landscape printer")
        << QSizeF(120, 120) << false << true << QStringList{} << false;
}

void PrintingTest::orientationQuestions()
{
    QFETCH(QSizeF, pageMm);
    QFETCH(bool, printerPortrait);
    QFETCH(bool, answerYes);
    QFETCH(QStringList, asked);
    QFETCH(bool, printedPortrait);

    Host host(saveProject(QDir(m_dir.path()), QStringLiteral("form.qlet"), pageMm.width(),
                          pageMm.height()));
    host.printing->printer().setPageOrientation(printerPortrait ? QPageLayout::Portrait
                                                                : QPageLayout::Landscape);
    host.setPages(QStringLiteral("1"));
    std::deque<DialogScript::Step> steps;
    for (int k = 0; k < asked.size(); ++k)
        steps.push_back(press(answerYes ? QMessageBox::Yes : QMessageBox::No));
    DialogScript script(std::move(steps));
    host.print();
    QCOMPARE(script.seen, asked);

    // The printer keeps the orientation for the next print, and the page went out in it.
    const bool portrait =
        host.printing->printer().pageLayout().orientation() == QPageLayout::Portrait;
    QCOMPARE(portrait, printedPortrait);
    const QList<QImage> pages = pdfPages(QuilletTest::readFile(host.pdf), 10);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages[0].height() > pages[0].width(), printedPortrait);
}

void PrintingTest::noPagesNoPrint_data()
{
    QTest::addColumn<QString>("pages");
    QTest::newRow("empty") << QString();
    QTest::newRow("nothing readable") << QStringLiteral("a-b, 3-1");
}

void PrintingTest::noPagesNoPrint()
{
    QFETCH(QString, pages);
    Host host(saveProject(QDir(m_dir.path()), QStringLiteral("form.qlet"), 100, 150));
    host.setPages(pages);
    DialogScript script({press(QMessageBox::Ok)});
    host.print();
    QCOMPARE(script.seen, QStringList{QStringLiteral("Внимание|Не выбраны страницы")});
    QVERIFY(!host.printing->isPrinting());
    QVERIFY(!QFile::exists(host.pdf));
}

void PrintingTest::pagesLandOnTheSheet_data()
{
    QTest::addColumn<bool>("asImage");
    QTest::newRow("direct") << false;
    QTest::newRow("as pictures") << true;
}

// Into a PDF file each job is one page, here last page first; each page's text lands on the
// sheet where the renderer puts it on the page, whatever the margins, and the window's page
// stays as it was.
void PrintingTest::pagesLandOnTheSheet()
{
    QFETCH(bool, asImage);
    const QString path = saveRecordsProject(QDir(m_dir.path()));
    Host host(path);
    control<QCheckBox>(host.window, "PrintAsImg")->setChecked(asImage);
    control<QCheckBox>(host.window, "Reverce")->setChecked(true);
    host.setPages(QStringLiteral("1-3"));
    // The page as the window shows it, once drawn.
    QTRY_VERIFY(!host.window.document().RepaintPending);
    const QImage screen = host.window.pageRaster();
    const Project before = host.window.document().project;
    host.print();

    const QList<QImage> pages = pdfPages(QuilletTest::readFile(host.pdf), 300);
    QCOMPARE(pages.size(), 3);
    const QList<QRect> expected = renderedInk(path);
    for (int k = 0; k < 3; ++k) {
        QVERIFY(std::abs(pages[k].width() - 2480) <= 1);
        QVERIFY(std::abs(pages[k].height() - 3508) <= 1);
        QVERIFY2(sameInk(ink(pages[k]), expected[3 - k]), qPrintable(QString::number(k)));
    }
    QVERIFY(host.window.pageRaster() == screen);
    QVERIFY(host.window.document().project == before);
}

void PrintingTest::failureIsShown_data()
{
    QTest::addColumn<bool>("pageFails");
    QTest::newRow("file that cannot be written") << false;
    QTest::newRow("page failing after one printed") << true;
}

// A print that fails ends with the message in the error box and leaves no PDF file, not
// even the pages printed before the failure; the progress panel goes and the controls come
// back.
void PrintingTest::failureIsShown()
{
    QFETCH(bool, pageFails);
    Host host(saveProject(QDir(m_dir.path()), QStringLiteral("form.qlet"), 100, 150));
    if (pageFails) {
        // The layout view (page 0) shows a field with no ID; a filled page cannot.
        FieldNode field;
        field.text = QStringLiteral("поле без номера");
        host.window.document().project.Structure.fields.push_back(field);
        host.setPages(QStringLiteral("0-1"));
    } else {
        host.printing->printer().setOutputFileName(m_dir.filePath(QStringLiteral("no/print.pdf")));
        host.setPages(QStringLiteral("1"));
    }
    QString shown;
    DialogScript script({[&](QWidget* w) {
        shown = qobject_cast<QMessageBox*>(w)->text();
        press(QMessageBox::Ok)(w);
    }});
    host.print();
    QTRY_VERIFY(script.finished());
    QCOMPARE(script.seen.size(), 1);
    QVERIFY2(script.seen[0].startsWith(QStringLiteral("Quillet|")), qPrintable(script.seen[0]));
    QVERIFY2(shown.contains(pageFails ? QStringLiteral("ID") : QStringLiteral("no/print.pdf")),
             qPrintable(shown));
    QVERIFY2(!shown.contains(QStringLiteral("отправлено")), qPrintable(shown));
    QVERIFY(!QFile::exists(host.printing->printer().outputFileName()));
    QVERIFY(!control<QWidget>(host.window, "ProgressPanel")->isVisible());
    QVERIFY(control<QWidget>(host.window, "JPGPrint")->isEnabled());
}

// Pages 2, 5 and 9 reversed with three copies: three jobs of three copies, last page first,
// titled by their positions in the ascending list, each page where it belongs on a sheet
// with 1/4 inch and 1/2 inch margins.
void PrintingTest::jobsOnPrinterQueue()
{
    if (m_cups == nullptr)
        QSKIP(qPrintable(m_cupsProblem));
    QVERIFY2(m_cupsProblem.isEmpty(), qPrintable(m_cupsProblem));
    const QString queue = QStringLiteral("Titles");
    QVERIFY2(m_cups->addQueue(queue), qPrintable(m_cups->error()));
    const QString path = saveRecordsProject(QDir(m_dir.path()));
    Host host(path, queue);
    control<QCheckBox>(host.window, "Reverce")->setChecked(true);
    control<QSpinBox>(host.window, "NCopies")->setValue(3);
    host.setPages(QStringLiteral("9,2,5"));
    host.print();

    const std::vector<QuilletTest::CapturedJob> jobs = m_cups->capturedJobs(queue, 3);
    QCOMPARE(jobs.size(), size_t(3));
    const QList<QRect> expected = renderedInk(path);
    const int printed[3] = {9, 5, 2};
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(jobs[k].title, path + QStringLiteral("00%1").arg(2 - k));
        QCOMPARE(jobs[k].copies, 3);
        const QList<QImage> pages = pdfPages(jobs[k].document, 300);
        QCOMPARE(pages.size(), 1);
        QVERIFY(sameInk(ink(pages[0]), expected[printed[k]]));
    }

    // The window prints at quillet-cli's resolution: a picture of the 100 mm wide page is
    // that many dots across.
    control<QCheckBox>(host.window, "PrintAsImg")->setChecked(true);
    host.setPages(QStringLiteral("4"));
    host.print();
    QCOMPARE(host.printing->printer().resolution(), PrintResolutionDpi);
    const std::vector<QuilletTest::CapturedJob> pictures = m_cups->capturedJobs(queue, 4);
    QCOMPARE(pictures.size(), size_t(4));
    const int dots = int(std::lround(100 / 25.4 * PrintResolutionDpi));
    QVERIFY(pictures[3].document.contains("/Width " + QByteArray::number(dots) + '\n'));
    QVERIFY(sameInk(ink(pdfPages(pictures[3].document, 300).value(0)), expected[4]));
}

// Printed as pictures, which a form with a picture always is, each job still asks for the
// copies of "Копий", as a direct print does; nothing printed before set them.
void PrintingTest::picturePrintsTakeTheCopies()
{
    if (m_cups == nullptr)
        QSKIP(qPrintable(m_cupsProblem));
    QVERIFY2(m_cupsProblem.isEmpty(), qPrintable(m_cupsProblem));
    const QString queue = QStringLiteral("Pictures");
    QVERIFY2(m_cups->addQueue(queue), qPrintable(m_cups->error()));
    Host host(saveRecordsProject(QDir(m_dir.path())), queue);
    control<QCheckBox>(host.window, "PrintAsImg")->setChecked(true);
    control<QSpinBox>(host.window, "NCopies")->setValue(2);
    host.setPages(QStringLiteral("1,2"));
    host.print();

    const std::vector<QuilletTest::CapturedJob> jobs = m_cups->capturedJobs(queue, 2);
    QCOMPARE(jobs.size(), size_t(2));
    for (const QuilletTest::CapturedJob& job : jobs)
        QCOMPARE(job.copies, 2);
}

void PrintingTest::calibrationMovesThePrint_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::newRow("portrait") << false;
    QTest::newRow("landscape") << true;
}

// The alignment page goes out as one job in the orientation chosen, for the queue's A4
// paper; the measurements typed into the dialog become the printer's calibration for that
// orientation alone, which moves the next print in it, and "Сбросить" takes it away. The
// printer keeps its own orientation and copies.
void PrintingTest::calibrationMovesThePrint()
{
    QFETCH(bool, landscape);
    if (m_cups == nullptr)
        QSKIP(qPrintable(m_cupsProblem));
    QVERIFY2(m_cupsProblem.isEmpty(), qPrintable(m_cupsProblem));
    const QString queue = landscape ? QStringLiteral("Turned") : QStringLiteral("Upright");
    QVERIFY2(m_cups->addQueue(queue), qPrintable(m_cups->error()));
    const QString path = saveRecordsProject(QDir(m_dir.path()));
    Host host(path, queue);
    host.setPages(QStringLiteral("4"));
    host.printing->printer().setCopyCount(2);

    // Both crosses landed 3 mm right of and 2 mm above where they belong.
    const QPointF crossB = landscape ? QPointF(267, 180) : QPointF(180, 267);
    QString title;
    QString result;
    const auto measure = [&](QWidget* w) {
        QCOMPARE(w->objectName(), QStringLiteral("CalibrationDialog"));
        title = w->windowTitle();
        const QPointF a = QPointF(30, 30) + QPointF(3, -2);
        const QPointF b = crossB + QPointF(3, -2);
        const std::pair<const char*, double> typed[] = {
            {"CrossAX", a.x()}, {"CrossAY", a.y()}, {"CrossBX", b.x()}, {"CrossBY", b.y()}};
        for (const auto& [name, value] : typed) {
            auto* edit = control<QDoubleSpinBox>(*w, name);
            edit->selectAll();
            QTest::keyClicks(edit, edit->locale().toString(value, 'f', 1));
        }
        result = control<QLabel>(*w, "CalibrationResult")->text();
        QTest::mouseClick(control<QPushButton>(*w, "CalibrationSave"), Qt::LeftButton);
    };
    const char* choice = landscape ? "CalibrateLandscape" : "CalibratePortrait";
    const auto choose = [choice](QWidget* w) {
        QTest::mouseClick(control<QPushButton>(*w, choice), Qt::LeftButton);
    };
    DialogScript script({choose, measure});
    host.chooseMenuItem("CalibrationItem");
    QVERIFY(script.finished());
    QVERIFY2(script.seen.value(0).contains(QStringLiteral("Сейчас принтер печатает в книжной")),
             qPrintable(script.seen.value(0)));
    QCOMPARE(title, landscape ? QStringLiteral("Калибровка принтера: альбомная ориентация")
                              : QStringLiteral("Калибровка принтера: книжная ориентация"));
    QVERIFY2(result.contains(QStringLiteral("мм вправо"))
                 && result.contains(QStringLiteral("мм вверх")),
             qPrintable(result));
    std::vector<QuilletTest::CapturedJob> jobs = m_cups->capturedJobs(queue, 1);
    QCOMPARE(jobs.size(), size_t(1));
    QCOMPARE(jobs[0].copies, 1);
    const QImage alignment = QuilletTest::pdfPageImage(jobs[0].document, 0, 10);
    QCOMPARE(alignment.width() > alignment.height(), landscape);
    QCOMPARE(host.printing->printer().copyCount(), 2);
    QCOMPARE(host.printing->printer().pageLayout().orientation(), QPageLayout::Portrait);

    UserSettings& settings = host.window.userSettings();
    const PrinterCalibration stored = settings.calibration(queue, !landscape);
    QVERIFY(std::abs(stored.offsetXMm - 3) < 1e-9 && std::abs(stored.offsetYMm + 2) < 1e-9);
    QVERIFY(std::abs(stored.scaleX - 1) < 1e-9 && std::abs(stored.scaleY - 1) < 1e-9);
    QVERIFY(settings.calibration(queue, landscape).isIdentity());
    // The page prints in portrait: moved by the portrait calibration only.
    host.print();
    jobs = m_cups->capturedJobs(queue, 2);
    QCOMPARE(jobs.size(), size_t(2));
    const QRect plain = renderedInk(path)[4];
    const QRect printed = ink(QuilletTest::pdfPageImage(jobs[1].document, 0, 300));
    const QPoint shift =
        landscape ? QPoint() : QPoint(std::lround(-3 * kPxPerMm), std::lround(2 * kPxPerMm));
    QVERIFY(sameInk(printed, plain.translated(shift)));

    DialogScript reset({choose, [](QWidget* w) {
                            QTest::mouseClick(control<QPushButton>(*w, "CalibrationReset"),
                                              Qt::LeftButton);
                        }});
    host.chooseMenuItem("CalibrationItem");
    QVERIFY(reset.finished());
    QVERIFY(settings.calibration(queue, !landscape).isIdentity());
}

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
