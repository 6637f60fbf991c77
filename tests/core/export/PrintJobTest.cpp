// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/export/PrintJob.h"
#include "core/render/PageRenderer.h"
#include "support/SheetPrinter.h"
#include "support/TestSupport.h"
#include "core/raster/JpegImage.h"

#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Quillet;

using namespace QuilletTest;

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
    void backgroundMadeOnlyWhereShown_data();
    void backgroundMadeOnlyWhereShown();
    void imageFieldsMixWithThePrintedPage_data();
    void imageFieldsMixWithThePrintedPage();
    void mixingAreasPrintAsTheWholePage_data();
    void mixingAreasPrintAsTheWholePage();
    void orientationQuestions_data();
    void orientationQuestions();
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
    // A stop asked before a job begins prints no more: a stop inside a job finishes it.
    QTest::newRow("direct, stopped before job 1")
        << 150 << false << true << 0 << QStringList{} << QStringList{} << true;
    QTest::newRow("direct, stopped before job 2")
        << 150 << false << true << 3 << QStringList{"002"} << QStringList{"9"} << true;
    QTest::newRow("direct, stopped in job 2")
        << 150 << false << true << 4 << QStringList{"002", "001"} << QStringList{"9", "5"} << true;
    QTest::newRow("pictures, stopped before page 2 renders")
        << 75 << false << false << 5 << QStringList{"000"} << QStringList{"2"} << true;
    QTest::newRow("pictures, stopped after page 2 rendered")
        << 75 << false << false << 6 << QStringList{"000"} << QStringList{"2"} << true;
    QTest::newRow("pictures, stopped before job 2")
        << 75 << false << false << 7 << QStringList{"000"} << QStringList{"2"} << true;
    QTest::newRow("direct, stopped at the last step")
        << 150 << false << false << 8 << forward << QStringList{"2", "5", "9"} << false;
    QTest::newRow("pictures, stopped at the last step")
        << 75 << false << false << 11 << QStringList{"000", "001"} << QStringList{"2", "5"} << true;
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
    // The window sizes its gauge before the print starts.
    QCOMPARE(printProgressMaximum(printer.metrics(), asImage, 3), direct ? 8 : 11);
    QCOMPARE(result.cancelled, cancelled);
    QCOMPARE(result.jobs, int(suffixes.size()));
    QCOMPARE(int(printer.jobs.size()), result.jobs);
    for (int i = 0; i < result.jobs; ++i) {
        QCOMPARE(printer.jobs[size_t(i)].title, QStringLiteral("/формы/Бланк") + suffixes[i]);
        QCOMPARE(printer.jobs[size_t(i)].copies, direct ? 3 : 0);
        QVERIFY(printer.jobs[size_t(i)].ended);
    }
    // Every step up to the stop, and on to the end of a job under way.
    QList<int> expectedSteps;
    for (int s = 0; s < std::max(stopAtStep + 1, result.jobs * (direct ? 3 : 4)); ++s)
        expectedSteps << s;
    QCOMPARE(steps, expectedSteps);
    QStringList printed;
    for (const QString& line : result.errorLines) {
        if (line == QStringLiteral("Нет данных: не указан файл Excel"))
            continue; // the form reads cells with no workbook linked
        QVERIFY2(line.contains(QStringLiteral("Мало блоков")), qPrintable(line));
        const QString page = line.section(u':', 0, 0);
        if (printed.isEmpty() || printed.last() != page)
            printed << page;
    }
    QCOMPARE(printed, pages);
}

void PrintJobTest::failurePartWayKeepsEndedJobs_data()
{
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<int>("failBeginOfJob");
    QTest::addColumn<int>("failEndOfJob");
    QTest::addColumn<bool>("brokenField");
    QTest::addColumn<bool>("asImage");
    QTest::addColumn<PrinterCalibration>("calibration");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("jobsBegun");
    QTest::addColumn<int>("jobsEnded");
    QTest::addColumn<int>("aborted");
    QTest::addColumn<QString>("message");
    const PrinterCalibration none;
    const QList<int> pages{2, 5, 9};
    QTest::newRow("job 2 not begun")
        << pages << 2 << 0 << false << false << none << 150 << 1 << 1 << 0 << "Принтер не отвечает";
    QTest::newRow("job 3 not ended") << pages << 0 << 3 << false << false << none << 150 << 3 << 2
                                     << 1 << "Очередь печати переполнена";
    // A page that does not render sends no job: a form fed for it would come out blank.
    // The layout view (page 0) does not read the fields' options, so it prints.
    QTest::newRow("field refused, direct")
        << pages << 0 << 0 << true << false << none << 150 << 0 << 0 << 0 << "ID";
    QTest::newRow("field refused after the layout view, direct")
        << QList<int>{0, 2, 5} << 0 << 0 << true << false << none << 150 << 1 << 1 << 0 << "ID";
    QTest::newRow("field refused after the layout view, as pictures")
        << QList<int>{0, 2, 5} << 0 << 0 << true << true << none << 150 << 1 << 1 << 0 << "ID";
    QTest::newRow("calibration of scale 0")
        << pages << 0 << 0 << false << false << PrinterCalibration{0, 0, 0, 1} << 150 << 0 << 0 << 0
        << "Калибровка";
    QTest::newRow("printer without resolution")
        << pages << 0 << 0 << false << false << none << 0 << 0 << 0 << 0 << "разрешение";
}

void PrintJobTest::failurePartWayKeepsEndedJobs()
{
    QFETCH(QList<int>, pages);
    QFETCH(int, failBeginOfJob);
    QFETCH(int, failEndOfJob);
    QFETCH(bool, brokenField);
    QFETCH(bool, asImage);
    QFETCH(PrinterCalibration, calibration);
    QFETCH(int, dpi);
    QFETCH(int, jobsBegun);
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
    PrintRequest request = requestFor(project, {pages.begin(), pages.end()});
    request.calibration = calibration;
    request.asImage = asImage;
    try {
        printPages(request, printer);
        QFAIL("the print went through");
    } catch (const PrintError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        QCOMPARE(error.jobsEnded(), jobsEnded);
    }
    QCOMPARE(int(printer.jobs.size()), jobsBegun);
    QCOMPARE(printer.aborted, aborted);
    QVERIFY(project == before);
}

void PrintJobTest::backgroundMadeOnlyWhereShown_data()
{
    QTest::addColumn<bool>("withBackground");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<bool>("asImage");
    QTest::addColumn<bool>("fails");
    QTest::newRow("without it, direct") << false << QList<int>{2, 5} << false << false;
    QTest::newRow("without it, as pictures") << false << QList<int>{2, 5} << true << false;
    QTest::newRow("with it") << true << QList<int>{2, 5} << false << true;
    QTest::newRow("without it, the layout view") << false << QList<int>{0, 2} << false << true;
}

// A background that does not decode fails only a print that shows it.
void PrintJobTest::backgroundMadeOnlyWhereShown()
{
    QFETCH(bool, withBackground);
    QFETCH(QList<int>, pages);
    QFETCH(bool, asImage);
    QFETCH(bool, fails);
    Project project = formProject(true);
    project.BackgroundImage = jpegOf(noisePicture(400, 320, 7)).left(4000);
    SheetPrinter printer(QSizeF(100, 80), 150, 150, QPoint(10, 5));
    PrintRequest request = requestFor(project, {pages.begin(), pages.end()});
    request.withBackground = withBackground;
    request.asImage = asImage;
    try {
        const PrintResult result = printPages(request, printer);
        QVERIFY(!fails);
        QCOMPARE(result.jobs, int(pages.size()));
        // The page itself is there: box A's left edge.
        QVERIFY(isDark(printer.sheet().pixel(int(std::lround(20 / 25.4 * 150)),
                                             int(std::lround(22.5 / 25.4 * 150)))));
    } catch (const PrintError& error) {
        QVERIFY2(fails, qPrintable(error.message()));
        QCOMPARE(error.jobsEnded(), 0);
        QVERIFY(printer.jobs.empty());
    }
}

void PrintJobTest::imageFieldsMixWithThePrintedPage_data()
{
    QTest::addColumn<int>("copyMode");
    QTest::addColumn<bool>("keyed");
    QTest::addColumn<bool>("transparentBackground");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<PrinterCalibration>("calibration");
    const PrinterCalibration none;
    const int copy = int(CopyMode::Copy), multiply = int(CopyMode::Multiply);
    QTest::newRow("copy, opaque") << copy << false << false << 255 << none;
    QTest::newRow("copy, keyed, faded") << copy << true << true << 150 << none;
    QTest::newRow("copy, keyed on a fill") << copy << true << false << 200 << none;
    QTest::newRow("multiply, keyed, 220") << multiply << true << true << 220 << none;
    QTest::newRow("difference") << int(CopyMode::Difference) << false << true << 255 << none;
    QTest::newRow("add, keyed, faded") << int(CopyMode::AddClamped) << true << true << 180 << none;
    QTest::newRow("multiply, calibrated")
        << multiply << true << true << 220
        << PrinterCalibration{12 * 25.4 / 300, -6 * 25.4 / 300, 1, 1};
}

// Printed directly, an image field mixes its picture with what the page has under it (the
// background, the form's lines, text), so the printed sheet is the page as rendered into
// an image, blocks reaching into the printer's margin included.
void PrintJobTest::imageFieldsMixWithThePrintedPage()
{
    QFETCH(int, copyMode);
    QFETCH(bool, keyed);
    QFETCH(bool, transparentBackground);
    QFETCH(int, opacity);
    QFETCH(PrinterCalibration, calibration);
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("ring.png"));
    QVERIFY(saveRingPicture(picture));
    Project project = formProject(true);
    ImageFieldOptions o;
    o.fileName = picture;
    o.transparency = keyed ? TransparencyMode::ChosenColor : TransparencyMode::None;
    o.transparentColor = 0xFFFFFF;
    o.backgroundColor = 0x60C0F0;
    o.transparentBackground = transparentBackground;
    o.copyMode = CopyMode(copyMode);
    o.opacity = opacity;
    FieldNode field;
    field.text = composeImageField(project.takeNewFieldId(FieldKind::Image), o);
    // Over box A's corner, over the text, half in the printer's margin, and past the page's
    // corner on a sheet larger than the page.
    for (const QRectF& mm : {QRectF(15, 10, 14, 14), QRectF(8, 33, 14, 14), QRectF(0, 60, 14, 14),
                             QRectF(92, 72, 14, 14)})
        field.blocks.push_back(
            TreeNode{composeBlockText(mm.left(), mm.top(), mm.right(), mm.bottom()), false});
    project.Structure.fields.push_back(field);

    const QPoint offset(40, 30);
    SheetPrinter printer(QSizeF(110, 90), 300, 300, offset);
    printer.feedError = calibration;
    PrintRequest request = requestFor(project, {3});
    request.calibration = calibration;
    const PrintResult result = printPages(request, printer);
    QCOMPARE(result.jobs, 1);

    const QImage page = wholePageRender(project, 3);
    // The printable area, less a pixel where the calibration's rounding may move an edge.
    const QRect area =
        (QRect(offset, printer.metrics().printableSize) & page.rect()).adjusted(2, 2, -2, -2);
    // Nothing of the page lands beyond it (past the calibration's shift).
    const QImage& sheet = printer.sheet();
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = page.width() + 20; x < sheet.width(); ++x)
            QVERIFY2(sheet.pixel(x, y) == qRgb(255, 255, 255), "ink right of the page");
    }
    for (int y = page.height() + 20; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x)
            QVERIFY2(sheet.pixel(x, y) == qRgb(255, 255, 255), "ink below the page");
    }
    const auto [worst, at] = worstDifference(sheet, page, area);
    // The blend of a faded copy rounds alike within a step or two.
    QVERIFY2(worst <= 2,
             qPrintable(
                 QStringLiteral("%1 levels apart at (%2, %3)").arg(worst).arg(at.x()).arg(at.y())));
}

struct MixingPicture {
    CopyMode mode;
    QPointF cornerMm; // the block's top left corner; the 150-pixel picture runs past it
};
using MixingPictures = std::vector<MixingPicture>;
Q_DECLARE_METATYPE(MixingPictures)

void PrintJobTest::mixingAreasPrintAsTheWholePage_data()
{
    QTest::addColumn<MixingPictures>("pictures");
    QTest::addColumn<bool>("noisyBackground");
    const CopyMode multiply = CopyMode::Multiply, difference = CopyMode::Difference,
                   add = CopyMode::AddClamped, copy = CopyMode::Copy;
    QTest::newRow("one, over box A and the text") << MixingPictures{{multiply, {15, 25}}} << false;
    QTest::newRow("two overlapping, the second mixing with the first")
        << MixingPictures{{multiply, {15, 10}}, {difference, {22, 18}}} << false;
    QTest::newRow("opposite corners, two areas")
        << MixingPictures{{multiply, {0, 0}}, {add, {88, 68}}} << false;
    QTest::newRow("past the right and bottom edges")
        << MixingPictures{{difference, {92, 30}}, {multiply, {40, 74}}} << false;
    QTest::newRow("a copied picture under a mixing one")
        << MixingPictures{{copy, {60, 45}}, {multiply, {66, 50}}} << false;
    QTest::newRow("many apart, gathered into fewer areas") << [] {
        MixingPictures many;
        for (int i = 0; i < 12; ++i)
            many.push_back(
                {i % 2 ? multiply : difference, {double(i % 6) * 16, i < 6 ? 2.0 : 50.0}});
        return many;
    }() << false;
    // The background is printed in bands of rows: every one must land where the whole would.
    QTest::newRow("a noisy background, no picture") << MixingPictures{} << true;
    QTest::newRow("a noisy background under pictures")
        << MixingPictures{{multiply, {15, 25}}, {difference, {60, 60}}} << true;
}

// Only the areas under the pictures that mix with the page are rendered on rasters, each
// with its corner as the origin, and the background goes to the printer in bands of rows:
// the printed sheet is the page rendered whole, exactly so under those pictures.
void PrintJobTest::mixingAreasPrintAsTheWholePage()
{
    QFETCH(MixingPictures, pictures);
    QFETCH(bool, noisyBackground);
    QTemporaryDir dir;
    const QString ring = dir.filePath(QStringLiteral("ring.png"));
    QVERIFY(saveRingPicture(ring));
    Project project = formProject(true);
    if (noisyBackground)
        project.BackgroundImage = jpegOf(noisePicture(400, 320, 11));
    for (const MixingPicture& m : pictures) {
        ImageFieldOptions o;
        o.fileName = ring;
        o.transparency = TransparencyMode::ChosenColor;
        o.transparentColor = 0xFFFFFF;
        o.copyMode = m.mode;
        FieldNode field;
        field.text = composeImageField(project.takeNewFieldId(FieldKind::Image), o);
        field.blocks.push_back(TreeNode{composeBlockText(m.cornerMm.x(), m.cornerMm.y(),
                                                         m.cornerMm.x() + 5, m.cornerMm.y() + 5),
                                        false});
        project.Structure.fields.push_back(field);
    }
    // A printer without a margin, so that the sheet's pixels are the page's.
    SheetPrinter printer(QSizeF(110, 90), 300, 300, QPoint(0, 0));
    const PrintResult result = printPages(requestFor(project, {3}), printer);
    QCOMPARE(result.jobs, 1);
    const QImage page = wholePageRender(project, 3);
    const QImage& sheet = printer.sheet();

    const auto [worst, at] = worstDifference(sheet, page, page.rect());
    QVERIFY2(worst <= 2,
             qPrintable(
                 QStringLiteral("%1 levels apart at (%2, %3)").arg(worst).arg(at.x()).arg(at.y())));
    for (const MixingPicture& m : pictures) {
        if (m.mode == CopyMode::Copy)
            continue;
        const QPoint corner(int(std::lround(m.cornerMm.x() / 25.4 * 300)),
                            int(std::lround(m.cornerMm.y() / 25.4 * 300)));
        const QRect under = QRect(corner, QSize(150, 150)).adjusted(1, 1, -1, -1) & page.rect();
        const auto [apart, where] = worstDifference(sheet, page, under);
        QVERIFY2(apart == 0,
                 qPrintable(QStringLiteral("%1 levels apart under a picture at (%2, %3)")
                                .arg(apart)
                                .arg(where.x())
                                .arg(where.y())));
    }
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

QTEST_MAIN(PrintJobTest)
#include "PrintJobTest.moc"
