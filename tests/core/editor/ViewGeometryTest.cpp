// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/UserSettings.h"
#include "core/editor/ViewGeometry.h"

#include <QTest>

#include <vector>

using namespace Quillet;
using namespace Quillet::ViewZoom;

Q_DECLARE_METATYPE(std::vector<int>)

class ViewGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zoomSteps();
    void bounds_data();
    void bounds();
    void fit_data();
    void fit();
    void physical_data();
    void physical();
    void calibration_data();
    void calibration();
    void viewSizes_data();
    void viewSizes();
    void readouts_data();
    void readouts();
    void ticks_data();
    void ticks();
    void labelRoom_data();
    void labelRoom();
    void recentList_data();
    void recentList();
};

void ViewGeometryTest::zoomSteps()
{
    double scale = 1.0;
    for (int i = 0; i < 5; ++i)
        scale = zoomIn(scale);
    QVERIFY(qAbs(scale - 2.48832) < 1e-12);
    for (int i = 0; i < 5; ++i)
        scale = zoomOut(scale);
    QVERIFY(qAbs(scale - 1.0) < 1e-12);
    // The step is the extended 1.2, not the double nearest to it: 0.1 × 1.2 in extended
    // precision, stored back, is not what 0.1 × 1.2 in doubles gives.
    QCOMPARE(zoomIn(0.1), static_cast<double>(0.1L * 1.2L));
}

void ViewGeometryTest::bounds_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("expected");
    QTest::newRow("inside") << 2.48832 << 2.48832;
    QTest::newRow("fit into a tiny box") << -0.2 << MinScale;
    QTest::newRow("calibrated far too large") << 1e5 << MaxScale;
    QTest::newRow("not a number") << std::nan("") << 1.0;
    QTest::newRow("upper edge") << 16.0 << 16.0;
}

void ViewGeometryTest::bounds()
{
    QFETCH(double, scale);
    QFETCH(double, expected);
    QCOMPARE(bounded(scale), expected);
}

void ViewGeometryTest::fit_data()
{
    QTest::addColumn<QSize>("box");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("expected");
    QTest::newRow("A4 height-limited") << QSize(417, 544) << 2480 << 3508 << 539.0 / 3508;
    QTest::newRow("landscape width-limited") << QSize(417, 544) << 3508 << 2480 << 412.0 / 3508;
    QTest::newRow("tie takes the height ratio") << QSize(105, 55) << 100 << 50 << 1.0;
    QTest::newRow("box smaller than the margin") << QSize(3, 3) << 10 << 10 << -0.2;
}

void ViewGeometryTest::fit()
{
    QFETCH(QSize, box);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, expected);
    QCOMPARE(fitScale(box, width, height), expected);
    if (box == QSize(417, 544) && width == 2480)
        QCOMPARE(QString::number(fitScale(box, width, height), 'f', 5), QStringLiteral("0.15365"));
}

void ViewGeometryTest::physical_data()
{
    QTest::addColumn<double>("calibrated");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("expected");
    QTest::newRow("96 dpi, never calibrated") << 0.0 << 96.0 << 0.32;
    QTest::newRow("144 dpi, never calibrated") << 0.0 << 144.0 << 0.48;
    QTest::newRow("calibration wins") << 0.3249 << 96.0 << 0.3249;
}

void ViewGeometryTest::physical()
{
    QFETCH(double, calibrated);
    QFETCH(double, dpi);
    QFETCH(double, expected);
    QCOMPARE(physicalScale(calibrated, dpi), expected);
}

void ViewGeometryTest::calibration_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("expected"); // from a view scale of 0.32
    QTest::newRow("default 9,85") << "9,85"
                                  << "ru_RU" << true << 10.0 / 9.85 * 0.32;
    QTest::newRow("10 keeps the scale") << "10"
                                        << "ru_RU" << true << 0.32;
    QTest::newRow("point under a point locale") << "9.85"
                                                << "en_US" << true << 10.0 / 9.85 * 0.32;
    QTest::newRow("not a number") << "abc"
                                  << "ru_RU" << false << 0.0;
    QTest::newRow("zero") << "0"
                          << "ru_RU" << false << 0.0;
    QTest::newRow("negative") << "-3"
                              << "ru_RU" << false << 0.0;
    QTest::newRow("typographic minus") << "−3"
                                       << "ru_RU" << false << 0.0;
    QTest::newRow("empty") << ""
                           << "ru_RU" << false << 0.0;
}

void ViewGeometryTest::calibration()
{
    QFETCH(QString, entry);
    QFETCH(QString, localeName);
    QFETCH(bool, accepted);
    QFETCH(double, expected);
    const std::optional<double> scale = calibrate(0.32, entry, QLocale(localeName));
    QCOMPARE(scale.has_value(), accepted);
    if (accepted)
        QCOMPARE(*scale, expected);
}

void ViewGeometryTest::viewSizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("A4 at 1.0") << 2480 << 3508 << 1.0 << QSize(2480, 3508);
    QTest::newRow("halves go to even") << 5 << 7 << 0.5 << QSize(2, 4);
    QTest::newRow("A4 fitted") << 2480 << 3508 << 539.0 / 3508 << QSize(381, 539);
}

void ViewGeometryTest::viewSizes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, scale);
    QFETCH(QSize, expected);
    QCOMPARE(viewSize(width, height, scale), expected);
}

void ViewGeometryTest::readouts_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zoom 1.0, comma") << zoomReadout(1.0, u',') << "100,00%";
    QTest::newRow("zoom 1.0, point") << zoomReadout(1.0, u'.') << "100.00%";
    QTest::newRow("zoom 96 dpi") << zoomReadout(0.32, u',') << "32,00%";
    QTest::newRow("zoom five steps") << zoomReadout(2.48832, u',') << "248,83%";
    QTest::newRow("pointer 100 px") << pointerReadout(100, 1.0, u',') << "0008,47";
    QTest::newRow("pointer 100 px, point") << pointerReadout(100, 1.0, u'.') << "0008.47";
    QTest::newRow("pointer at zoom 2") << pointerReadout(100, 2.0, u',') << "0004,23";
    QTest::newRow("pointer origin") << pointerReadout(0, 0.5, u',') << "0000,00";
}

void ViewGeometryTest::readouts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void ViewGeometryTest::ticks_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("extent");
    QTest::addColumn<std::vector<int>>("expected");
    QTest::newRow("scale 1.0") << 1.0 << 700 << std::vector<int>{0, 118, 236, 354, 472, 591};
    QTest::newRow("stops at the extent") << 1.0 << 591 << std::vector<int>{0, 118, 236, 354, 472};
    QTest::newRow("scale 0.5") << 0.5 << 240 << std::vector<int>{0, 59, 118, 177, 236};
    QTest::newRow("empty ruler") << 1.0 << 0 << std::vector<int>{};
    QTest::newRow("sub-pixel spacing") << 1e-9 << 3 << std::vector<int>{0, 1, 2};
    QTest::newRow("zero scale") << 0.0 << 10 << std::vector<int>{0};
}

void ViewGeometryTest::ticks()
{
    QFETCH(double, scale);
    QFETCH(int, extent);
    QFETCH(std::vector<int>, expected);
    QCOMPARE(rulerTicks(scale, extent), expected);
}

void ViewGeometryTest::labelRoom_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<long long>("expected");
    QTest::newRow("scale 1.0") << 1.0 << 116LL;
    QTest::newRow("fitted A4") << 0.15365 << 16LL;
    QTest::newRow("tiny") << 0.01 << -1LL;
}

void ViewGeometryTest::labelRoom()
{
    QFETCH(double, scale);
    QFETCH(long long, expected);
    QCOMPARE(rulerLabelRoom(scale), expected);
}

void ViewGeometryTest::recentList_data()
{
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("new path goes first") << QStringList{"/a.qlet", "/b.qlet"} << "/c.qlet"
                                         << QStringList{"/c.qlet", "/a.qlet", "/b.qlet"};
    QTest::newRow("Latin case folds")
        << QStringList{"/a.qlet", "/B.QLET"} << "/b.qlet" << QStringList{"/b.qlet", "/a.qlet"};
    QTest::newRow("Cyrillic case folds") << QStringList{"/Проект.qlet", "/x.qlet"} << "/ПРОЕКТ.QLET"
                                         << QStringList{"/ПРОЕКТ.QLET", "/x.qlet"};
    QTest::newRow("ё is not folded")
        << QStringList{"/ё.qlet"} << "/Ё.qlet" << QStringList{"/Ё.qlet", "/ё.qlet"};
    QTest::newRow("every duplicate leaves")
        << QStringList{"/a", "/b", "/A"} << "/a" << QStringList{"/a", "/b"};
}

void ViewGeometryTest::recentList()
{
    QFETCH(QStringList, menu);
    QFETCH(QString, path);
    QFETCH(QStringList, expected);
    QCOMPARE(UserSettings::withRecentProject(menu, path), expected);
}

QTEST_GUILESS_MAIN(ViewGeometryTest)
#include "ViewGeometryTest.moc"
