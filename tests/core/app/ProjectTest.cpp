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
    QTest::newRow("100 mm is 1181 pixels, 99.9913 mm") << 100.0 << 1181LL;
    QTest::newRow("the least the edit holds, three pixels") << MinPageSideMm << 3LL;
    QTest::newRow("less than a pixel becomes one") << 0.05 << 1LL;
    QTest::newRow("nothing becomes one pixel") << 0.0 << 1LL;
    QTest::newRow("1.3 pixels round down") << 0.11 << 1LL;
    QTest::newRow("1.54 pixels round up") << 0.13 << 2LL;
    QTest::newRow("the most the edit holds") << MaxPageSideMm << 99992LL;
}

void ProjectTest::pageSideSnapsToWholePixels()
{
    QFETCH(double, typedMm);
    QFETCH(long long, pixels);
    const double side = pageSideAfterEdit(typedMm);
    QCOMPARE(side, double(pixelToMm(pixels)));
    QCOMPARE(mmToPixel(side), pixels);
}

QTEST_GUILESS_MAIN(ProjectTest)
#include "ProjectTest.moc"
