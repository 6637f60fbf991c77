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
    void statusTexts_data();
    void statusTexts();
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

void ScanModesTest::statusTexts_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("device busy") << 3 << "сканер занят";
    QTest::newRow("jammed") << 6 << "в податчике застряла бумага";
    QTest::newRow("no documents") << 7 << "в податчике нет бумаги";
    QTest::newRow("cover open") << 8 << "крышка сканера открыта";
    QTest::newRow("input or output") << 9 << "ошибка обмена данными со сканером";
    QTest::newRow("access denied") << 11 << "нет доступа к сканеру";
    QTest::newRow("a later status keeps the library's words") << 12 << "Library words";
}

void ScanModesTest::statusTexts()
{
    QFETCH(int, status);
    QFETCH(QString, text);
    QCOMPARE(scanStatusText(status, QStringLiteral("Library words")), text);
}

QTEST_GUILESS_MAIN(ScanModesTest)
#include "ScanModesTest.moc"
