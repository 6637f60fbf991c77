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

using namespace Quillet;
using namespace QuilletTest;

Q_DECLARE_METATYPE(Quillet::PrinterCalibration)

class CalibrationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calibrationFromMeasurements_data();
    void calibrationFromMeasurements();
    void absurdMeasurementsRefused_data();
    void absurdMeasurementsRefused();
    void calibrationStoredPerPrinter();
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

void CalibrationTest::absurdMeasurementsRefused_data()
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

void CalibrationTest::absurdMeasurementsRefused()
{
    QFETCH(QPointF, trueB);
    QFETCH(QPointF, measuredA);
    QFETCH(QPointF, measuredB);
    QVERIFY_THROWS_EXCEPTION(Error, Quillet::calibrationFromMeasurements(alignmentCrossA(), trueB,
                                                                         measuredA, measuredB));
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

// The whole calibration as a user does it: the alignment page printed on a printer that
// misfeeds, its crosses measured on the sheet, the calibration taken from them, and a page
// printed with it landing where it belongs.
void CalibrationTest::alignmentPageCalibratesAMisfeedingPrinter()
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

QTEST_MAIN(CalibrationTest)
#include "CalibrationTest.moc"
