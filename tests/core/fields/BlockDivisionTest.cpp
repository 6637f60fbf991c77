// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/BlockDivision.h"
#include "core/app/NodeGrammar.h"
#include "core/fields/FieldPanels.h"

#include <QTest>

using namespace Quillet;

class BlockDivisionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnsForValue_data();
    void columnsForValue();
};

void BlockDivisionTest::columnsForValue_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("skip");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("inMessage");
    QTest::newRow("a tax number") << "7707083893"
                                  << "" << 10 << "«7707083893»";
    QTest::newRow("a date between printed dots") << "01.02.2024"
                                                 << "." << 8 << "«01.02.2024»";
    QTest::newRow("a telephone number without its signs") << "+7 (912) 345-67-89"
                                                          << " ()-+" << 11 << "11";
    QTest::newRow("spaces kept take blocks") << "А Б"
                                             << "" << 3 << "3";
    QTest::newRow("one character") << "Ж"
                                   << "" << 1 << "«Ж»";
    QTest::newRow("more characters than columns")
        << QString(150, u'9') << "" << MaxDivisions << "150";
    QTest::newRow("an empty value: the division stays") << ""
                                                        << "" << 0 << "пусто";
    QTest::newRow("only characters to skip: the division stays") << "..."
                                                                 << "." << 0 << "«...»";
}

void BlockDivisionTest::columnsForValue()
{
    QFETCH(QString, value);
    QFETCH(QString, skip);
    QFETCH(int, columns);
    QFETCH(QString, inMessage);
    TOptTextField options;
    options.comb = true;
    options.skipChars = skip;
    const ColumnsForValue counted = Quillet::columnsForValue(value, options);
    QCOMPARE(counted.columns, columns);
    QVERIFY2(counted.message.contains(inMessage), qPrintable(counted.message));
}

QTEST_MAIN(BlockDivisionTest)
#include "BlockDivisionTest.moc"
