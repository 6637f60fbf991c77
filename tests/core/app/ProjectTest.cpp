// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Project.h"

#include <QTest>

using namespace Quillet;

class ProjectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageSideSnapsToWholePixels_data();
    void pageSideSnapsToWholePixels();
};

void ProjectTest::pageSideSnapsToWholePixels_data()
{
    QTest::addColumn<double>("typedMm");
    QTest::addColumn<long long>("pixels");
    QTest::addColumn<double>("shown"); // two decimals at most, as few as land on the pixel
    QTest::newRow("210 mm is 2480 pixels, 209.9733 mm, shown as 210") << 210.0 << 2480LL << 210.0;
    QTest::newRow("100 mm is 1181 pixels, 99.9913 mm") << 100.0 << 1181LL << 100.0;
    QTest::newRow("Letter's 215.9 mm needs its decimal") << 215.9 << 2550LL << 215.9;
    QTest::newRow("the least the edit holds, three pixels") << MinPageSideMm << 3LL << 0.25;
    QTest::newRow("less than a pixel becomes one") << 0.05 << 1LL << 0.1;
    QTest::newRow("nothing becomes one pixel") << 0.0 << 1LL << 0.1;
    QTest::newRow("1.3 pixels round down") << 0.11 << 1LL << 0.1;
    QTest::newRow("1.54 pixels round up") << 0.13 << 2LL << 0.2;
    QTest::newRow("the most the edit holds") << MaxPageSideMm << 99992LL << 8466.0;
}

void ProjectTest::pageSideSnapsToWholePixels()
{
    QFETCH(double, typedMm);
    QFETCH(long long, pixels);
    QFETCH(double, shown);
    const double side = pageSideAfterEdit(typedMm);
    QCOMPARE(side, double(pixelToMm(pixels)));
    QCOMPARE(mmToPixel(side), pixels);
    QCOMPARE(shownPageSide(side), shown);
    QCOMPARE(pageSideAfterEdit(shownPageSide(side)), side); // leaving it unchanged keeps it
}

QTEST_GUILESS_MAIN(ProjectTest)
#include "ProjectTest.moc"
