// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Geometry.h"
#include "core/common/Numbers.h"

#include <QTest>

using namespace Quillet;

class NumbersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatFixed_data();
    void formatFixed();
    void formatGeneral_data();
    void formatGeneral();
    void parseDecimal_data();
    void parseDecimal();
    void parseInt32();
    void roundHalfEven();
    void mmPerPixelIsNearestExtended();
};

void NumbersTest::formatFixed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("intDigits");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pixel 100") << double(100 * MmPerPixel) << 4 << 2 << "0008,47";
    QTest::newRow("pixel 399") << double(399 * MmPerPixel) << 4 << 2 << "0033,78";
    QTest::newRow("zero") << 0.0 << 4 << 2 << "0000,00";
    QTest::newRow("half away up") << 0.125 << 4 << 2 << "0000,13";
    QTest::newRow("half away negative") << -0.125 << 4 << 2 << "-0000,13";
    QTest::newRow("carry") << 9999.995 << 4 << 2 << "10000,00";
    QTest::newRow("below half") << 2.675 << 4 << 2 << "0002,67"; // 2.67499999...
    QTest::newRow("negative") << -2.032 << 4 << 2 << "-0002,03";
    QTest::newRow("tiny negative is zero") << -0.001 << 4 << 2 << "0000,00";
    QTest::newRow("radius") << 3.0 << 2 << 2 << "03,00";
    QTest::newRow("angle") << 90.0 << 3 << 2 << "090,00";
    QTest::newRow("wide") << 12345.678 << 4 << 2 << "12345,68";
}

void NumbersTest::formatFixed()
{
    QFETCH(double, value);
    QFETCH(int, intDigits);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(Numbers::formatFixed(value, intDigits, decimals), expected);
}

void NumbersTest::formatGeneral_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative quarter") << -1.25 << "-1,25";
    QTest::newRow("integer") << 90.0 << "90";
    QTest::newRow("third") << 1.0 / 3 << "0,333333333333333";
    QTest::newRow("small") << 0.00001 << "0,00001";
    QTest::newRow("tiny") << 0.000001 << "1E-6";
    QTest::newRow("big") << 1e15 << "1E15";
    QTest::newRow("big fixed") << 123456789012345.0 << "123456789012345";
    QTest::newRow("fraction") << 5.71 << "5,71";
}

void NumbersTest::formatGeneral()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(Numbers::formatGeneral(value), expected);
    // What is written reads back to the value (up to the 15 digits kept).
    const auto back = Numbers::parseDecimal(expected);
    QVERIFY(back.has_value());
    QVERIFY(qFuzzyCompare(1.0 + double(*back), 1.0 + value));
}

void NumbersTest::parseDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << "0012,70" << true << 12.70;
    QTest::newRow("point") << "0012.70" << true << 12.70;
    QTest::newRow("negative") << "-1,25" << true << -1.25;
    QTest::newRow("plus") << "+3" << true << 3.0;
    QTest::newRow("blanks") << "  7,5 " << true << 7.5;
    QTest::newRow("exponent") << "1E-6" << true << 1e-6;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("letters") << "12a" << false << 0.0;
    QTest::newRow("two marks") << "1,2,3" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("double sign") << "+-1" << false << 0.0;
    QTest::newRow("infinity") << "1e99999" << false << 0.0;
    QTest::newRow("cyrillic") << "1,5р" << false << 0.0;
}

void NumbersTest::parseDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto parsed = Numbers::parseDecimal(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(double(*parsed), value);
}

void NumbersTest::parseInt32()
{
    QCOMPARE(Numbers::parseInt32(u"$00FFFFFF"), std::optional<int32_t>(0xFFFFFF));
    QCOMPARE(Numbers::parseInt32(u"$FFFFFFFF"), std::optional<int32_t>(-1));
    QCOMPARE(Numbers::parseInt32(u"$0000ff00"), std::optional<int32_t>(0xFF00));
    QCOMPARE(Numbers::parseInt32(u"-16777216"), std::optional<int32_t>(-16777216));
    QCOMPARE(Numbers::parseInt32(u"010"), std::optional<int32_t>(10));
    QVERIFY(!Numbers::parseInt32(u"$").has_value());
    QVERIFY(!Numbers::parseInt32(u"$123456789").has_value());
    QVERIFY(!Numbers::parseInt32(u"$12G").has_value());
    QVERIFY(!Numbers::parseInt32(u"2147483648").has_value());
    QVERIFY(!Numbers::parseInt32(u"1O").has_value());
    QCOMPARE(Numbers::formatColorHex(0xFFFFFF), QStringLiteral("$00FFFFFF"));
    QCOMPARE(Numbers::formatColorHex(-1), QStringLiteral("$FFFFFFFF"));
}

void NumbersTest::roundHalfEven()
{
    QCOMPARE(Quillet::roundHalfEven(100.5L), 100LL);
    QCOMPARE(Quillet::roundHalfEven(101.5L), 102LL);
    QCOMPARE(Quillet::roundHalfEven(-0.5L), 0LL);
    QCOMPARE(Quillet::roundHalfEven(-1.5L), -2LL);
    QCOMPARE(Quillet::roundHalfEven(-23.622L), -24LL);
    QCOMPARE(Quillet::roundHalfEven(2.4999L), 2LL);
    QCOMPARE(mmToPixel(210), 2480LL);
    QCOMPARE(mmToPixel(297), 3508LL);
    QCOMPARE(mmToPixel(-2), -24LL);
    QCOMPARE(mmToPixel(100), 1181LL);
}

void NumbersTest::mmPerPixelIsNearestExtended()
{
    // 127/1500 lies strictly between two neighbouring long doubles; the constant must be
    // the nearer one. Check by the remainder of the exact product.
    const long double m = MmPerPixel;
    const long double up = std::nextafter(m, 1.0L);
    const long double down = std::nextafter(m, 0.0L);
    const long double err = std::fabs(std::fma(m, 1500.0L, -127.0L));
    QVERIFY(err <= std::fabs(std::fma(up, 1500.0L, -127.0L)));
    QVERIFY(err <= std::fabs(std::fma(down, 1500.0L, -127.0L)));
    QVERIFY(sizeof(long double) < 10 || m != static_cast<long double>(25.4 / 300));
}

QTEST_APPLESS_MAIN(NumbersTest)
#include "NumbersTest.moc"
