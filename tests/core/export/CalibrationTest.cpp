// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "core/export/Calibration.h"
#include "core/export/PrintJob.h"
#include "support/SheetPrinter.h"

#include <QLineF>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Quillet;
using namespace QuilletTest;

Q_DECLARE_METATYPE(Quillet::PrinterCalibration)

namespace {

// A sheet printer turned to landscape: the sheet it is given is the page as it reads.
class TurnedSheetPrinter : public SheetPrinter {
public:
    using SheetPrinter::SheetPrinter;
    PrinterMetrics metrics() const override
    {
        PrinterMetrics m = SheetPrinter::metrics();
        m.portrait = false;
        return m;
    }
};

// The alignment page of an A4 portrait sheet on a 300 dpi printer with 5 mm margins.
AlignmentPage a4Page()
{
    return alignmentPage(SheetPrinter(QSizeF(210, 297), 300, 300, QPoint(59, 59)).metrics(),
                         QSizeF(210, 297));
}

} // namespace

class CalibrationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calibrationFromMeasurements_data();
    void calibrationFromMeasurements();
    void absurdMeasurementsRefused_data();
    void absurdMeasurementsRefused();
    void alignmentPageFitsTheSheet_data();
    void alignmentPageFitsTheSheet();
    void calibrationStoredPerPrinter();
    void alignmentPageCalibratesAMisfeedingPrinter_data();
    void alignmentPageCalibratesAMisfeedingPrinter();
};

void CalibrationTest::calibrationFromMeasurements_data()
{
    QTest::addColumn<PrinterCalibration>("printer");
    QTest::newRow("exact printer") << PrinterCalibration{};
    QTest::newRow("shifted") << PrinterCalibration{2.5, -1.25, 1, 1};
    QTest::newRow("stretched and shifted") << PrinterCalibration{-4, 3, 1.012, 0.985};
    QTest::newRow("at the limits") << PrinterCalibration{20, -20, 0.8, 1.2};
}

// The crosses measured where a printer of the row's error puts them give back its error.
void CalibrationTest::calibrationFromMeasurements()
{
    QFETCH(PrinterCalibration, printer);
    const QPointF a = a4Page().crossA, b = a4Page().crossB;
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
}

void CalibrationTest::absurdMeasurementsRefused_data()
{
    QTest::addColumn<QPointF>("trueB");
    QTest::addColumn<QPointF>("measuredA");
    QTest::addColumn<QPointF>("measuredB");
    const QPointF a = a4Page().crossA, b = a4Page().crossB;
    const double nan = std::nan("");
    QTest::newRow("half size") << b << QPointF(10, 10) << QPointF(90, 130);
    QTest::newRow("crosses swapped") << b << b << a;
    QTest::newRow("offset of 25 mm") << b << a + QPointF(25, 0) << b + QPointF(25, 0);
    QTest::newRow("not a number") << b << QPointF(nan, 20) << b;
    QTest::newRow("infinite") << b << QPointF(20, 20) << QPointF(180, HUGE_VAL);
    const QPointF near = a + QPointF(10, 10);
    QTest::newRow("crosses 10 mm apart") << near << a << near;
}

void CalibrationTest::absurdMeasurementsRefused()
{
    QFETCH(QPointF, trueB);
    QFETCH(QPointF, measuredA);
    QFETCH(QPointF, measuredB);
    QVERIFY_THROWS_EXCEPTION(
        Error, Quillet::calibrationFromMeasurements(a4Page().crossA, trueB, measuredA, measuredB));
}

void CalibrationTest::alignmentPageFitsTheSheet_data()
{
    QTest::addColumn<QSizeF>("sheetMm");
    QTest::addColumn<int>("marginPx");
    QTest::addColumn<QPointF>("crossB"); // null: refused
    QTest::newRow("A4") << QSizeF(210, 297) << 50 << QPointF(180, 267);
    QTest::newRow("A4 in landscape") << QSizeF(297, 210) << 50 << QPointF(267, 180);
    QTest::newRow("Letter") << QSizeF(215.9, 279.4) << 50 << QPointF(185.9, 249.4);
    QTest::newRow("A5") << QSizeF(148, 210) << 50 << QPointF(118, 180);
    QTest::newRow("A6 in landscape") << QSizeF(148, 105) << 50 << QPointF();
    QTest::newRow("smallest") << QSizeF(110, 110) << 50 << QPointF(80, 80);
    QTest::newRow("narrower") << QSizeF(109.5, 200) << 50 << QPointF();
    // 30 mm in, the cross's arm reaches to 24 mm.
    QTest::newRow("margins of 23 mm") << QSizeF(210, 297) << 272 << QPointF(180, 267);
    QTest::newRow("margins of 25 mm") << QSizeF(210, 297) << 296 << QPointF();
}

// Cross A stays at 30 mm from the top left corner, clear of the rulers; cross B comes 30 mm
// in from the far corner of whatever sheet the printer has, or the sheet is refused with a
// message naming its size.
void CalibrationTest::alignmentPageFitsTheSheet()
{
    QFETCH(QSizeF, sheetMm);
    QFETCH(int, marginPx);
    QFETCH(QPointF, crossB);
    const SheetPrinter printer(sheetMm, 300, 300, QPoint(marginPx, marginPx));
    if (crossB.isNull()) {
        try {
            alignmentPage(printer.metrics(), sheetMm);
            QFAIL("the sheet is taken");
        } catch (const Error& e) {
            QVERIFY2(e.message().contains(QString::number(sheetMm.height())),
                     qPrintable(e.message()));
        }
        return;
    }
    const AlignmentPage page = alignmentPage(printer.metrics(), sheetMm);
    QCOMPARE(page.crossA, QPointF(30, 30));
    QCOMPARE(page.crossB, crossB);
    QCOMPARE(page.sheetMm, sheetMm);
}

// Per printer and orientation, apart from the page sizes whatever their names.
void CalibrationTest::calibrationStoredPerPrinter()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("user.ini"));
    const QString office = QStringLiteral("Офис/2 \\ лазерный");
    const QString calibration = QStringLiteral("Calibration");
    const PrinterCalibration skewed{1.5, -2.0, 1.02, 0.97};
    const PrinterCalibration turned{-0.5, 3.0, 0.99, 1.01};
    {
        UserSettings settings(ini);
        settings.savePageSize(QStringLiteral("A5"), PageSize{148, 210});
        settings.savePageSize(calibration, PageSize{100, 70});
        QCOMPARE(settings.calibration(office, true), PrinterCalibration{});
        settings.setCalibration(office, true, skewed);
        settings.setCalibration(office, false, turned);
        settings.setCalibration(QStringLiteral("Office"), true, PrinterCalibration{0, 1, 1, 1});
        QVERIFY_THROWS_EXCEPTION(Error, settings.setCalibration(QStringLiteral("Office"), true,
                                                                PrinterCalibration{0, 0, 2, 1}));
        QVERIFY_THROWS_EXCEPTION(Error, settings.setCalibration(QString(), true, skewed));
    }
    UserSettings settings(ini);
    QCOMPARE(settings.calibration(office, true), skewed);
    QCOMPARE(settings.calibration(office, false), turned);
    QCOMPARE(settings.calibration(QStringLiteral("Office"), true),
             (PrinterCalibration{0, 1, 1, 1}));
    QCOMPARE(settings.calibration(QStringLiteral("Office"), false), PrinterCalibration{});
    QCOMPARE(settings.calibration(QStringLiteral("Офис"), true), PrinterCalibration{});
    QCOMPARE(settings.pageSizeNames(), (QStringList{QStringLiteral("A5"), calibration}));
    QCOMPARE(settings.pageSize(calibration)->heightMm, 70.0);
    settings.removePageSize(calibration);
    QCOMPARE(settings.pageSizeNames(), QStringList{QStringLiteral("A5")});
    QVERIFY(!settings.pageSize(calibration).has_value());
    QCOMPARE(settings.calibration(office, true), skewed);
    // Reset in one orientation, the other one stays.
    settings.setCalibration(office, true, PrinterCalibration{});
    QCOMPARE(settings.calibration(office, true), PrinterCalibration{});
    QCOMPARE(settings.calibration(office, false), turned);
    QCOMPARE(settings.calibration(QStringLiteral("Office"), true),
             (PrinterCalibration{0, 1, 1, 1}));
    QCOMPARE(settings.pageSizeNames(), QStringList{QStringLiteral("A5")});
    {
        QSettings raw(settings.calibrationFile(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("portrait/Office/scaleX"), QStringLiteral("много"));
    }
    QVERIFY_THROWS_EXCEPTION(Error, settings.calibration(QStringLiteral("Office"), true));
}

void CalibrationTest::alignmentPageCalibratesAMisfeedingPrinter_data()
{
    QTest::addColumn<QSizeF>("sheetMm");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<PrinterCalibration>("feedError");
    QTest::newRow("A4") << QSizeF(210, 297) << true << PrinterCalibration{1.2, -0.8, 1.005, 0.995};
    QTest::newRow("A5") << QSizeF(148, 210) << true << PrinterCalibration{-1.5, 2.1, 0.996, 1.004};
    // Across the landscape page is along the sheet's length: the error differs from the
    // portrait one and is corrected in the page's own axes.
    QTest::newRow("A4 in landscape")
        << QSizeF(297, 210) << false << PrinterCalibration{-1.4, 1.1, 0.997, 1.004};
}

// The whole calibration as a user does it: the alignment page printed on a printer that
// misfeeds, its crosses measured on the sheet, the calibration taken from them and stored
// for the orientation, and a page printed with what is stored for the printer's
// orientation landing where it belongs.
void CalibrationTest::alignmentPageCalibratesAMisfeedingPrinter()
{
    QFETCH(QSizeF, sheetMm);
    QFETCH(bool, portrait);
    QFETCH(PrinterCalibration, feedError);
    const int dpi = 300;
    std::unique_ptr<SheetPrinter> printer =
        portrait ? std::make_unique<SheetPrinter>(sheetMm, dpi, dpi, QPoint(50, 50))
                 : std::make_unique<TurnedSheetPrinter>(sheetMm, dpi, dpi, QPoint(50, 50));
    printer->feedError = feedError;
    const AlignmentPage page = alignmentPage(printer->metrics(), sheetMm);
    QCOMPARE(page.portrait, portrait);
    printer->beginJob(QStringLiteral("калибровка"), 1);
    drawAlignmentPage(printer->painter(), printer->metrics(), page);
    printer->endJob();
    const QImage& sheet = printer->sheet();
    const auto px = [&](double mm) { return int(std::lround(mm / 25.4 * dpi)); };
    QPointF measured[2];
    const QPointF crosses[2] = {page.crossA, page.crossB};
    for (int k = 0; k < 2; ++k) {
        const QPointF c = crosses[k];
        // Across the vertical arm below the centre, down the horizontal arm right of it.
        const double x = darkRunCentre(sheet, true, px(c.y() + 3.5), px(c.x() - 5), px(c.x() + 5));
        const double y = darkRunCentre(sheet, false, px(c.x() + 3.5), px(c.y() - 5), px(c.y() + 5));
        measured[k] = QPointF(pxToMm(x, dpi), pxToMm(y, dpi));
        const QPointF expected(c.x() * feedError.scaleX + feedError.offsetXMm,
                               c.y() * feedError.scaleY + feedError.offsetYMm);
        QVERIFY2(QLineF(measured[k], expected).length() < 0.15,
                 qPrintable(QStringLiteral("cross %1 at %2, %3")
                                .arg(k)
                                .arg(measured[k].x())
                                .arg(measured[k].y())));
    }
    QTemporaryDir dir;
    UserSettings settings(dir.filePath(QStringLiteral("user.ini")));
    const QString name = printer->metrics().name;
    settings.setCalibration(
        name, page.portrait,
        Quillet::calibrationFromMeasurements(crosses[0], crosses[1], measured[0], measured[1]));
    QVERIFY(settings.calibration(name, !portrait).isIdentity());

    const Project project = formProject(false);
    PrintRequest request = requestFor(project, {1});
    request.calibration = settings.calibration(name, printer->metrics().portrait);
    printPages(request, *printer);
    const int left = firstAlong(sheet, true, px(62.5), px(60), px(80), isDark);
    const int top = firstAlong(sheet, false, px(80), px(45), px(62.5), isDark);
    QVERIFY2(std::fabs(pxToMm(left, dpi) - 70) < 0.2, qPrintable(QString::number(left)));
    QVERIFY2(std::fabs(pxToMm(top, dpi) - 55) < 0.2, qPrintable(QString::number(top)));
}

QTEST_MAIN(CalibrationTest)
#include "CalibrationTest.moc"
