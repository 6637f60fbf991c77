// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/GeneralNumber.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Quillet;

class GeneralNumberTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void general_data();
    void general();
};

void GeneralNumberTest::general_data()
{
    // Texts LibreOffice shows for these values in a General cell, en_US and ru_RU.
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    QTest::newRow("zero") << 0.0 << "0" << "0";
    QTest::newRow("negative zero") << -0.0 << "0" << "0";
    QTest::newRow("integer") << 42.0 << "42" << "42";
    QTest::newRow("int32 max") << 2147483647.0 << "2147483647" << "2147483647";
    QTest::newRow("below int32 min") << -2147483649.0 << "-2147483649" << "-2147483649";
    QTest::newRow("15 digits") << 999999999999999.0 << "999999999999999" << "999999999999999";
    QTest::newRow("1e15 still fixed") << 1e15 << "1000000000000000" << "1000000000000000";
    QTest::newRow("19 digits") << 1234567890123456789.0 << "1.23456789012346E+018"
                               << "1,23456789012346E+018";
    QTest::newRow("2^53+1") << 9007199254740993.0 << "9.00719925474099E+015"
                            << "9,00719925474099E+015";
    QTest::newRow("1e16") << 1e16 << "1E+016" << "1E+016";
    QTest::newRow("-1.23456789e20") << -1.23456789e20 << "-1.23456789E+020" << "-1,23456789E+020";
    QTest::newRow("1e300") << 1e300 << "1E+300" << "1E+300";
    QTest::newRow("0.1") << 0.1 << "0.1" << "0,1";
    QTest::newRow("-0.5") << -0.5 << "-0.5" << "-0,5";
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.3" << "0,3";
    QTest::newRow("0.1+0.7") << 0.1 + 0.7 << "0.8" << "0,8";
    QTest::newRow("1/3") << 1.0 / 3 << "0.333333333333333" << "0,333333333333333";
    QTest::newRow("2/3") << 2.0 / 3 << "0.666666666666667" << "0,666666666666667";
    QTest::newRow("pi") << 3.14159265358979 << "3.14159265358979" << "3,14159265358979";
    QTest::newRow("17 digits") << 12345.678901234567 << "12345.6789012346" << "12345,6789012346";
    QTest::newRow("1234567.891") << 1234567.891 << "1234567.891" << "1234567,891";
    QTest::newRow("0.000123") << 0.000123 << "0.000123" << "0,000123";
    QTest::newRow("0.00001") << 0.00001 << "0.00001" << "0,00001";
    QTest::newRow("1.5e-10") << 1.5e-10 << "1.5E-10" << "1,5E-10";
    QTest::newRow("1e-300") << 1e-300 << "1E-300" << "1E-300";
    QTest::newRow("rounds up to a power of ten") << 999999999999999.9 << "1000000000000000"
                                                 << "1000000000000000";
    QTest::newRow("largest double") << std::numeric_limits<double>::max()
                                    << "1.79769313486232E+308" << "1,79769313486232E+308";
    QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min()
                                        << "4.94065645841247E-324" << "4,94065645841247E-324";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "#NUM!" << "#NUM!";
    QTest::newRow("nan") << std::nan("") << "#NUM!" << "#NUM!";
}

void GeneralNumberTest::general()
{
    QFETCH(double, value);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    QCOMPARE(formatGeneralNumber(value, QLocale(QLocale::English, QLocale::UnitedStates)),
             english);
    QCOMPARE(formatGeneralNumber(value, QLocale(QLocale::Russian, QLocale::Russia)), russian);
}

QTEST_APPLESS_MAIN(GeneralNumberTest)
#include "GeneralNumberTest.moc"
