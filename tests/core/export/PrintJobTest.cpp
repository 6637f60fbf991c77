// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/export/PrintJob.h"
#include "core/raster/JpegImage.h"

#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Quillet;

namespace {

double pxToMm(double px, int dpi)
{
    return px * 25.4 / dpi;
}

/// A printer printing onto a raster of the whole sheet. Its painter covers only the
/// printable area, as a real printer's does; a feed error moves and scales the print the
/// way a printer's paper path does: a point meant at p mm lands at p·scale + offset.
class SheetPrinter : public PrintDevice {
public:
    struct Job {
        QString title;
        int copies = 0;
        bool ended = false;
    };

    SheetPrinter(QSizeF sheetMm, int dpiX, int dpiY, QPoint offset)
        : m_sheet(int(std::lround(sheetMm.width() / 25.4 * dpiX)),
                  int(std::lround(sheetMm.height() / 25.4 * dpiY)), QImage::Format_RGB32)
    {
        m_metrics.name = QStringLiteral("Офис/2 \\ лазерный");
        m_metrics.dpiX = dpiX;
        m_metrics.dpiY = dpiY;
        m_metrics.printableOffset = offset;
        m_metrics.printableSize = m_sheet.size() - 2 * QSize(offset.x(), offset.y());
    }

    PrinterCalibration feedError;
    int failBeginOfJob = 0; // 1-based; 0 never fails
    int failEndOfJob = 0;
    int aborted = 0;
    std::vector<Job> jobs;

    const QImage& sheet() const { return m_sheet; }
    PrinterMetrics metrics() const override { return m_metrics; }

    void beginJob(const QString& title, int copies) override
    {
        if (int(jobs.size()) + 1 == failBeginOfJob)
            throw Error(QStringLiteral("Принтер не отвечает"));
        jobs.push_back({title, copies, false});
        m_sheet.fill(Qt::white);
        const QPoint o = m_metrics.printableOffset;
        m_area = QImage(m_sheet.bits() + o.y() * m_sheet.bytesPerLine() + o.x() * 4,
                        m_metrics.printableSize.width(), m_metrics.printableSize.height(),
                        m_sheet.bytesPerLine(), QImage::Format_RGB32);
        m_painter.begin(&m_area);
        const PrinterCalibration& e = feedError;
        const double mmX = 25.4 / m_metrics.dpiX, mmY = 25.4 / m_metrics.dpiY;
        m_painter.setTransform(QTransform(e.scaleX, 0, 0, e.scaleY,
                                          o.x() * (e.scaleX - 1) + e.offsetXMm / mmX,
                                          o.y() * (e.scaleY - 1) + e.offsetYMm / mmY));
    }
    QPainter& painter() override { return m_painter; }
    void endJob() override
    {
        m_painter.end();
        if (int(jobs.size()) == failEndOfJob)
            throw Error(QStringLiteral("Очередь печати переполнена"));
        jobs.back().ended = true;
    }
    void abortJob() noexcept override
    {
        if (m_painter.isActive())
            m_painter.end();
        ++aborted;
    }

private:
    QImage m_sheet;
    QImage m_area;
    QPainter m_painter;
    PrinterMetrics m_metrics;
};

/// A 100 × 80 mm form: black rectangles with their top left corners at (20, 15) and
/// (70, 55) mm, a text field over A1:A20 (20 pages) and a field with more words than its
/// block holds, which logs a line starting with the page number on every page; with
/// `background`, a pale background covering the page.
Project formProject(bool background)
{
    Project project;
    project.settings.PrWidth = 100;
    project.settings.PrHeight = 80;
    ShapeFieldOptions shape;
    shape.kind = ShapeKind::Rectangle;
    shape.lineStyle = 1;
    shape.fillStyle = 0;
    shape.fillColor = 0;
    FieldNode boxes;
    boxes.text = composeShapeField(project.takeNewFieldId(FieldKind::Shape), shape);
    boxes.blocks.push_back(TreeNode{composeBlockText(20, 15, 40, 30), false});
    boxes.blocks.push_back(TreeNode{composeBlockText(70, 55, 90, 70), false});
    project.Structure.fields.push_back(boxes);
    TOptTextField text;
    text.fieldText = QStringLiteral("=A1:A20");
    text.fontSize = 12;
    text.fontName = QStringLiteral("Arial");
    text.transparentBackground = true;
    FieldNode cells;
    cells.text = composeTextField(project.takeNewFieldId(FieldKind::Text), text);
    cells.blocks.push_back(TreeNode{composeBlockText(5, 35, 60, 45), false});
    project.Structure.fields.push_back(cells);
    text.fieldText = QStringLiteral("раз два три четыре пять шесть семь восемь девять");
    FieldNode narrow;
    narrow.text = composeTextField(project.takeNewFieldId(FieldKind::Text), text);
    narrow.blocks.push_back(TreeNode{composeBlockText(5, 47, 40, 50), false});
    project.Structure.fields.push_back(narrow);
    if (background) {
        QImage picture(200, 160, QImage::Format_RGB32);
        picture.fill(QColor(250, 235, 150));
        encodeJpeg(picture, 90, project.BackgroundImage);
        project.settings.ImgWidth = project.settings.PrWidth;
        project.settings.ImgHeight = project.settings.PrHeight;
    }
    return project;
}

PrintRequest requestFor(const Project& project, std::vector<int> pages)
{
    PrintRequest request;
    request.project = &project;
    request.projectPath = QStringLiteral("/формы/Бланк");
    request.pages = std::move(pages);
    return request;
}

bool isDark(QRgb c)
{
    return qGray(c) < 100;
}

bool isColoured(QRgb c)
{
    return qBlue(c) < 200;
}

/// The first pixel from `from` towards `to` (inclusive) along a row or a column of the
/// sheet that `test` accepts; -1 when none does.
int firstAlong(const QImage& sheet, bool row, int line, int from, int to, bool (*test)(QRgb))
{
    const int step = from <= to ? 1 : -1;
    for (int i = from; i != to + step; i += step) {
        if (test(row ? sheet.pixel(i, line) : sheet.pixel(line, i)))
            return i;
    }
    return -1;
}

/// The middle of the dark run along a row or a column within [from, to], in pixels.
double darkRunCentre(const QImage& sheet, bool row, int line, int from, int to)
{
    const int first = firstAlong(sheet, row, line, from, to, isDark);
    if (first < 0)
        return std::nan("");
    int last = first;
    while (last + 1 <= to
           && isDark(row ? sheet.pixel(last + 1, line) : sheet.pixel(line, last + 1)))
        ++last;
    return (first + last + 1) / 2.0;
}

} // namespace

Q_DECLARE_METATYPE(Quillet::PrinterCalibration)

class PrintJobTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageLandsOnSheetMillimetres_data();
    void pageLandsOnSheetMillimetres();
    void jobsFollowTheList_data();
    void jobsFollowTheList();
    void failurePartWayKeepsEndedJobs_data();
    void failurePartWayKeepsEndedJobs();
    void orientationQuestions_data();
    void orientationQuestions();
    void calibrationFromMeasurements_data();
    void calibrationFromMeasurements();
    void absurdMeasurementsRefused_data();
    void absurdMeasurementsRefused();
    void calibrationStoredPerPrinter();
    void alignmentPageCalibratesAMisfeedingPrinter();
};

void PrintJobTest::pageLandsOnSheetMillimetres_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("asImage");
    QTest::addColumn<PrinterCalibration>("feedError");
    const PrinterCalibration none;
    const PrinterCalibration skewed{1.5, -2.0, 1.02, 0.97};
    const PrinterCalibration shrunk{-3.0, 2.5, 0.99, 1.015};
    QTest::newRow("600x600 direct, no margin") << 600 << 600 << QPoint(0, 0) << false << none;
    QTest::newRow("600x600 direct, margins") << 600 << 600 << QPoint(100, 120) << false << none;
    QTest::newRow("600x600 direct, odd margins") << 600 << 600 << QPoint(37, 51) << false << none;
    QTest::newRow("600x600 as pictures") << 600 << 600 << QPoint(37, 51) << true << none;
    QTest::newRow("600x300 pictures") << 600 << 300 << QPoint(50, 25) << false << none;
    QTest::newRow("300x600 pictures") << 300 << 600 << QPoint(25, 50) << false << none;
    QTest::newRow("600x600 direct, calibrated") << 600 << 600 << QPoint(71, 93) << false << skewed;
    QTest::newRow("300x300 direct, calibrated") << 300 << 300 << QPoint(20, 30) << false << shrunk;
    QTest::newRow("600x300 pictures, calibrated")
        << 600 << 300 << QPoint(50, 25) << false << skewed;
    QTest::newRow("300x600 pictures, calibrated") << 300 << 600 << QPoint(9, 50) << false << shrunk;
}

// The printer misplaces by `feedError` and the print is calibrated for it, so every edge
// must land on its own millimetre of the sheet: exactly round(mm / 25.4 · dpi) device
// pixels from the sheet's corner for a printer without error.
void PrintJobTest::pageLandsOnSheetMillimetres()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(QPoint, offset);
    QFETCH(bool, asImage);
    QFETCH(PrinterCalibration, feedError);
    const Project project = formProject(true);
    SheetPrinter printer(QSizeF(110, 90), dpiX, dpiY, offset);
    printer.feedError = feedError;
    PrintRequest request = requestFor(project, {3});
    request.asImage = asImage;
    request.copies = 2;
    request.calibration = feedError;
    const PrintResult result = printPages(request, printer);
    QCOMPARE(result.jobs, 1);
    QCOMPARE(printer.jobs.front().copies, dpiX == dpiY && !asImage ? 2 : 0);
    const QImage& sheet = printer.sheet();
    const auto x = [&](double mm) { return int(std::lround(mm / 25.4 * dpiX)); };
    const auto y = [&](double mm) { return int(std::lround(mm / 25.4 * dpiY)); };
    struct Edge {
        const char* what;
        double trueMm;
        int measuredPx; // where the edge lies on the sheet: first pixel past it
        int dpi;
    };
    const int right = sheet.width() - 1, bottom = sheet.height() - 1;
    const Edge edges[] = {
        {"box A left", 20, firstAlong(sheet, true, y(22.5), 0, x(30), isDark), dpiX},
        {"box A top", 15, firstAlong(sheet, false, x(30), 0, y(22.5), isDark), dpiY},
        {"box B left", 70, firstAlong(sheet, true, y(62.5), x(60), x(80), isDark), dpiX},
        {"box B top", 55, firstAlong(sheet, false, x(80), y(45), y(62.5), isDark), dpiY},
        {"page right", 100, firstAlong(sheet, true, y(10), right, 0, isColoured) + 1, dpiX},
        {"page bottom", 80, firstAlong(sheet, false, x(10), bottom, 0, isColoured) + 1, dpiY},
    };
    for (const Edge& edge : edges) {
        const QByteArray what = QByteArray(edge.what) + " at "
                                + QByteArray::number(pxToMm(edge.measuredPx, edge.dpi)) + " mm";
        if (feedError.isIdentity() && dpiX == dpiY) {
            QVERIFY2(edge.measuredPx == mmToPixel(edge.trueMm, mmPerPixelAt(edge.dpi)), what);
        } else {
            // Rounded twice on the way (page pixels, then device pixels).
            const double tolerance = pxToMm(1.6, std::min(dpiX, dpiY));
            QVERIFY2(std::fabs(pxToMm(edge.measuredPx, edge.dpi) - edge.trueMm) <= tolerance, what);
        }
    }
}

void PrintJobTest::jobsFollowTheList_data()
{
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<bool>("asImage");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<int>("stopAtStep");
    QTest::addColumn<QStringList>("suffixes");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("cancelled");
    const QStringList all{"002", "001", "000"}, forward{"000", "001", "002"};
    QTest::newRow("direct, reversed")
        << 150 << false << true << -1 << all << QStringList{"9", "5", "2"} << false;
    QTest::newRow("direct, forward")
        << 150 << false << false << -1 << forward << QStringList{"2", "5", "9"} << false;
    QTest::newRow("pictures 150x75, reversed")
        << 75 << false << true << -1 << all << QStringList{"9", "5", "2"} << false;
    QTest::newRow("as pictures, forward")
        << 150 << true << false << -1 << forward << QStringList{"2", "5", "9"} << false;
    QTest::newRow("direct, stopped in job 2")
        << 150 << false << true << 4 << QStringList{"002", "001"} << QStringList{"9", "5"} << true;
    QTest::newRow("pictures, stopped at the last step")
        << 75 << false << false << 11 << forward << QStringList{"2", "5", "9"} << false;
}

void PrintJobTest::jobsFollowTheList()
{
    QFETCH(int, dpiY);
    QFETCH(bool, asImage);
    QFETCH(bool, reverse);
    QFETCH(int, stopAtStep);
    QFETCH(QStringList, suffixes);
    QFETCH(QStringList, pages);
    QFETCH(bool, cancelled);
    const Project project = formProject(false);
    SheetPrinter printer(QSizeF(100, 80), 150, dpiY, QPoint(10, 5));
    PrintRequest request = requestFor(project, {2, 5, 9});
    request.reverse = reverse;
    request.asImage = asImage;
    request.copies = 3;
    const bool direct = dpiY == 150 && !asImage;
    QList<int> steps;
    const PrintResult result = printPages(request, printer, [&](int step, int maximum) {
        if (maximum != (direct ? 3 * 3 - 1 : 4 * 3 - 1))
            steps << -maximum;
        steps << step;
        return step != stopAtStep;
    });
    QCOMPARE(result.cancelled, cancelled);
    QCOMPARE(result.jobs, int(suffixes.size()));
    QCOMPARE(int(printer.jobs.size()), result.jobs);
    for (int i = 0; i < result.jobs; ++i) {
        QCOMPARE(printer.jobs[size_t(i)].title, QStringLiteral("/формы/Бланк") + suffixes[i]);
        QCOMPARE(printer.jobs[size_t(i)].copies, direct ? 3 : 0);
        QVERIFY(printer.jobs[size_t(i)].ended);
    }
    QList<int> expectedSteps;
    for (int s = 0; s < result.jobs * (direct ? 3 : 4); ++s)
        expectedSteps << s;
    QCOMPARE(steps, expectedSteps);
    QStringList printed;
    for (const QString& line : result.errorLines) {
        QVERIFY2(line.contains(QStringLiteral("Мало блоков")), qPrintable(line));
        const QString page = line.section(u':', 0, 0);
        if (printed.isEmpty() || printed.last() != page)
            printed << page;
    }
    QCOMPARE(printed, pages);
}

void PrintJobTest::failurePartWayKeepsEndedJobs_data()
{
    QTest::addColumn<int>("failBeginOfJob");
    QTest::addColumn<int>("failEndOfJob");
    QTest::addColumn<bool>("brokenField");
    QTest::addColumn<PrinterCalibration>("calibration");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("jobsEnded");
    QTest::addColumn<int>("aborted");
    QTest::addColumn<QString>("message");
    const PrinterCalibration none;
    QTest::newRow("job 2 not begun")
        << 2 << 0 << false << none << 150 << 1 << 0 << "Принтер не отвечает";
    QTest::newRow("job 3 not ended")
        << 0 << 3 << false << none << 150 << 2 << 1 << "Очередь печати переполнена";
    QTest::newRow("field refused while drawing") << 0 << 0 << true << none << 150 << 0 << 1 << "ID";
    QTest::newRow("calibration of scale 0")
        << 0 << 0 << false << PrinterCalibration{0, 0, 0, 1} << 150 << 0 << 0 << "Калибровка";
    QTest::newRow("printer without resolution")
        << 0 << 0 << false << none << 0 << 0 << 0 << "разрешение";
}

void PrintJobTest::failurePartWayKeepsEndedJobs()
{
    QFETCH(int, failBeginOfJob);
    QFETCH(int, failEndOfJob);
    QFETCH(bool, brokenField);
    QFETCH(PrinterCalibration, calibration);
    QFETCH(int, dpi);
    QFETCH(int, jobsEnded);
    QFETCH(int, aborted);
    QFETCH(QString, message);
    Project project = formProject(true);
    if (brokenField)
        project.Structure.fields.push_back(FieldNode{{QStringLiteral("без номера"), false}, {}});
    const Project before = project;
    SheetPrinter printer(QSizeF(100, 80), dpi, dpi, QPoint(10, 5));
    printer.failBeginOfJob = failBeginOfJob;
    printer.failEndOfJob = failEndOfJob;
    PrintRequest request = requestFor(project, {2, 5, 9});
    request.calibration = calibration;
    try {
        printPages(request, printer);
        QFAIL("the print went through");
    } catch (const PrintError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        QCOMPARE(error.jobsEnded(), jobsEnded);
    }
    QCOMPARE(printer.aborted, aborted);
    QVERIFY(project == before);
}

void PrintJobTest::orientationQuestions_data()
{
    QTest::addColumn<QSize>("page");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<int>("advice");
    QTest::addColumn<QString>("question");
    const QString landscape =
        QStringLiteral("Для вашего проекта рекомендуется альбомная ориентация страницы.\n\r"
                       "Изменить ориентацию листа на альбомную?");
    const QString portrait =
        QStringLiteral("Для вашего проекта рекомендуется книжная ориентация страницы.\n\r"
                       "Изменить ориентацию листа на книжную?");
    const int none = int(OrientationAdvice::None);
    QTest::newRow("wide page, portrait printer")
        << QSize(3508, 2480) << true << int(OrientationAdvice::Landscape) << landscape;
    QTest::newRow("wide page, landscape printer") << QSize(3508, 2480) << false << none << "";
    QTest::newRow("tall page, landscape printer")
        << QSize(2480, 3508) << false << int(OrientationAdvice::Portrait) << portrait;
    QTest::newRow("tall page, portrait printer") << QSize(2480, 3508) << true << none << "";
    QTest::newRow("square page, portrait") << QSize(1000, 1000) << true << none << "";
    QTest::newRow("square page, landscape") << QSize(1000, 1000) << false << none << "";
}

void PrintJobTest::orientationQuestions()
{
    QFETCH(QSize, page);
    QFETCH(bool, portrait);
    QFETCH(int, advice);
    QFETCH(QString, question);
    QCOMPARE(int(orientationAdvice(page, portrait)), advice);
    QCOMPARE(orientationQuestion(OrientationAdvice(advice)), question);
}

void PrintJobTest::calibrationFromMeasurements_data()
{
    QTest::addColumn<PrinterCalibration>("printer");
    QTest::newRow("exact printer") << PrinterCalibration{};
    QTest::newRow("shifted") << PrinterCalibration{2.5, -1.25, 1, 1};
    QTest::newRow("stretched and shifted") << PrinterCalibration{-4, 3, 1.012, 0.985};
    QTest::newRow("at the limits") << PrinterCalibration{20, -20, 0.8, 1.2};
}

// The crosses measured where a printer of the row's error puts them give back its error.
void PrintJobTest::calibrationFromMeasurements()
{
    QFETCH(PrinterCalibration, printer);
    const QPointF a = alignmentCrossA(), b = alignmentCrossB();
    const auto landed = [&](QPointF p) {
        return QPointF(p.x() * printer.scaleX + printer.offsetXMm,
                       p.y() * printer.scaleY + printer.offsetYMm);
    };
    const PrinterCalibration c = Quillet::calibrationFromMeasurements(a, b, landed(a), landed(b));
    QVERIFY(std::fabs(c.offsetXMm - printer.offsetXMm) < 1e-9);
    QVERIFY(std::fabs(c.offsetYMm - printer.offsetYMm) < 1e-9);
    QVERIFY(std::fabs(c.scaleX - printer.scaleX) < 1e-12);
    QVERIFY(std::fabs(c.scaleY - printer.scaleY) < 1e-12);
    QCOMPARE(c.isIdentity(), printer.isIdentity());
    // Both crosses fit the printable part of an A4 and a Letter sheet.
    for (const QPointF& p : {a, b})
        QVERIFY(p.x() >= 10 && p.y() >= 10 && p.x() <= 215.9 - 15 && p.y() <= 279.4 - 15);
}

void PrintJobTest::absurdMeasurementsRefused_data()
{
    QTest::addColumn<QPointF>("trueB");
    QTest::addColumn<QPointF>("measuredA");
    QTest::addColumn<QPointF>("measuredB");
    const QPointF b = alignmentCrossB();
    const double nan = std::nan("");
    QTest::newRow("half size") << b << QPointF(10, 10) << QPointF(90, 130);
    QTest::newRow("crosses swapped") << b << b << alignmentCrossA();
    QTest::newRow("offset of 25 mm")
        << b << alignmentCrossA() + QPointF(25, 0) << b + QPointF(25, 0);
    QTest::newRow("not a number") << b << QPointF(nan, 20) << b;
    QTest::newRow("infinite") << b << QPointF(20, 20) << QPointF(180, HUGE_VAL);
    const QPointF near = alignmentCrossA() + QPointF(10, 10);
    QTest::newRow("crosses 10 mm apart") << near << alignmentCrossA() << near;
}

void PrintJobTest::absurdMeasurementsRefused()
{
    QFETCH(QPointF, trueB);
    QFETCH(QPointF, measuredA);
    QFETCH(QPointF, measuredB);
    QVERIFY_THROWS_EXCEPTION(Error, Quillet::calibrationFromMeasurements(alignmentCrossA(), trueB,
                                                                         measuredA, measuredB));
}

void PrintJobTest::calibrationStoredPerPrinter()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("user.ini"));
    const QString office = QStringLiteral("Офис/2 \\ лазерный");
    const PrinterCalibration skewed{1.5, -2.0, 1.02, 0.97};
    {
        UserSettings settings(ini);
        settings.savePageSize(QStringLiteral("A5"), PageSize{148, 210});
        QCOMPARE(settings.calibration(office), PrinterCalibration{});
        settings.setCalibration(office, skewed);
        settings.setCalibration(QStringLiteral("Office"), PrinterCalibration{0, 1, 1, 1});
        QVERIFY_THROWS_EXCEPTION(Error, settings.setCalibration(QStringLiteral("Office"),
                                                                PrinterCalibration{0, 0, 2, 1}));
        QVERIFY_THROWS_EXCEPTION(Error, settings.setCalibration(QString(), skewed));
    }
    UserSettings settings(ini);
    QCOMPARE(settings.calibration(office), skewed);
    QCOMPARE(settings.calibration(QStringLiteral("Office")), (PrinterCalibration{0, 1, 1, 1}));
    QCOMPARE(settings.calibration(QStringLiteral("Офис")), PrinterCalibration{});
    QCOMPARE(settings.pageSizeNames(), QStringList{QStringLiteral("A5")});
    settings.setCalibration(office, PrinterCalibration{});
    QCOMPARE(settings.calibration(office), PrinterCalibration{});
    QCOMPARE(settings.calibration(QStringLiteral("Office")), (PrinterCalibration{0, 1, 1, 1}));
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Calibration/Office/scaleX"), QStringLiteral("много"));
    }
    QVERIFY_THROWS_EXCEPTION(Error, settings.calibration(QStringLiteral("Office")));
}

// The whole calibration as a user does it: the alignment page printed on a printer that
// misfeeds, its crosses measured on the sheet, the calibration taken from them, and a page
// printed with it landing where it belongs.
void PrintJobTest::alignmentPageCalibratesAMisfeedingPrinter()
{
    const int dpi = 300;
    SheetPrinter printer(QSizeF(210, 297), dpi, dpi, QPoint(50, 50));
    printer.feedError = PrinterCalibration{1.2, -0.8, 1.005, 0.995};
    printer.beginJob(QStringLiteral("калибровка"), 1);
    drawAlignmentPage(printer.painter(), printer.metrics());
    printer.endJob();
    const QImage& sheet = printer.sheet();
    const auto px = [&](double mm) { return int(std::lround(mm / 25.4 * dpi)); };
    QPointF measured[2];
    const QPointF crosses[2] = {alignmentCrossA(), alignmentCrossB()};
    for (int k = 0; k < 2; ++k) {
        const QPointF c = crosses[k];
        // Across the vertical arm below the centre, down the horizontal arm right of it.
        const double x = darkRunCentre(sheet, true, px(c.y() + 3.5), px(c.x() - 5), px(c.x() + 5));
        const double y = darkRunCentre(sheet, false, px(c.x() + 3.5), px(c.y() - 5), px(c.y() + 5));
        measured[k] = QPointF(pxToMm(x, dpi), pxToMm(y, dpi));
        const QPointF expected(c.x() * 1.005 + 1.2, c.y() * 0.995 - 0.8);
        QVERIFY2(QLineF(measured[k], expected).length() < 0.15,
                 qPrintable(QStringLiteral("cross %1 at %2, %3")
                                .arg(k)
                                .arg(measured[k].x())
                                .arg(measured[k].y())));
    }
    const PrinterCalibration c =
        Quillet::calibrationFromMeasurements(crosses[0], crosses[1], measured[0], measured[1]);
    const Project project = formProject(false);
    PrintRequest request = requestFor(project, {1});
    request.calibration = c;
    printPages(request, printer);
    const int left = firstAlong(sheet, true, px(62.5), px(60), px(80), isDark);
    const int top = firstAlong(sheet, false, px(80), px(45), px(62.5), isDark);
    QVERIFY2(std::fabs(pxToMm(left, dpi) - 70) < 0.2, qPrintable(QString::number(left)));
    QVERIFY2(std::fabs(pxToMm(top, dpi) - 55) < 0.2, qPrintable(QString::number(top)));
}

QTEST_MAIN(PrintJobTest)
#include "PrintJobTest.moc"
