// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/background/ScanModes.h"

#include <QTest>

using namespace Quillet;

class ScanModesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void labels_data();
    void labels();
};

void ScanModesTest::labels_data()
{
    QTest::addColumn<QString>("saneName");
    QTest::addColumn<QString>("label");
    QTest::newRow("colour") << "Color"
                            << "Цветной";
    QTest::newRow("grey") << "Gray"
                          << "Оттенки серого";
    QTest::newRow("line art") << "Lineart"
                              << "Чёрно-белый";
    QTest::newRow("a backend's own mode") << "Halftone"
                                          << "Halftone";
    QTest::newRow("the case counts") << "color"
                                     << "color";
}

void ScanModesTest::labels()
{
    QFETCH(QString, saneName);
    QFETCH(QString, label);
    QCOMPARE(scanModeLabel(saneName), label);
}

QTEST_GUILESS_MAIN(ScanModesTest)
#include "ScanModesTest.moc"
