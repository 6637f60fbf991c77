// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/numfmt/NumberFormat.h"

#include <QTest>

#include <cmath>

using namespace Quillet;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Russian(QLocale::Russian, QLocale::Russia);
const QString Nbsp(QChar(0x00A0));

// 15 Jan 2024 13:45:30 as a serial day number of the 1900 date system.
constexpr double Monday = 45306.0;
constexpr double MondayAfternoon = 45306.57326388889;

} // namespace

class NumberFormatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void general_data();
    void general();
    void codes_data();
    void codes();
    void builtins_data();
    void builtins();
    void textSections_data();
    void textSections();
    void dateSystems();
    void hostileCodesStayCheap();
};

void NumberFormatTest::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    // What a column of standard width shows: at most 11 characters besides the sign;
    // whole numbers of up to 15 digits stay whole.
    QTest::newRow("zero") << 0.0 << "0"
                          << "0";
    QTest::newRow("negative zero") << -0.0 << "0"
                                   << "0";
    QTest::newRow("int32 max") << 2147483647.0 << "2147483647"
                               << "2147483647";
    QTest::newRow("negative int") << -2147483649.0 << "-2147483649"
                                  << "-2147483649";
    QTest::newRow("account number of 15 digits") << 123456789012345.0 << "123456789012345"
                                                 << "123456789012345";
    QTest::newRow("15 nines") << 999999999999999.0 << "999999999999999"
                              << "999999999999999";
    QTest::newRow("negative 15 digits") << -100000000000001.0 << "-100000000000001"
                                        << "-100000000000001";
    QTest::newRow("16-digit integer") << 1234567890123456.0 << "1.23457E+15"
                                      << "1,23457E+15";
    QTest::newRow("1e15") << 1e15 << "1E+15"
                          << "1E+15";
    QTest::newRow("2^53") << 9007199254740992.0 << "9.0072E+15"
                          << "9,0072E+15";
    QTest::newRow("19 digits") << 1.234567890123457e18 << "1.23457E+18"
                               << "1,23457E+18";
    QTest::newRow("1.23456789E+022") << 1.23456789e22 << "1.23457E+22"
                                     << "1,23457E+22";
    QTest::newRow("-1.23456789e20") << -1.23456789e20 << "-1.23457E+20"
                                    << "-1,23457E+20";
    QTest::newRow("three-digit exponent") << 1.23456789e100 << "1.2346E+100"
                                          << "1,2346E+100";
    QTest::newRow("1e300") << 1e300 << "1E+300"
                           << "1E+300";
    QTest::newRow("11 whole digits and a fraction") << 12345678901.5 << "12345678902"
                                                    << "12345678902";
    QTest::newRow("11 digits round up to 12") << 99999999999.6 << "1E+11"
                                              << "1E+11";
    QTest::newRow("10 whole digits and a fraction") << 1234567890.56 << "1234567891"
                                                    << "1234567891";
    QTest::newRow("12 whole digits and a fraction") << 123456789012.5 << "1.23457E+11"
                                                    << "1,23457E+11";
    QTest::newRow("15 digits with a half") << 123456789012345.6 << "1.23457E+14"
                                           << "1,23457E+14";
    QTest::newRow("11.6666666666667") << 11.6666666666667 << "11.66666667"
                                      << "11,66666667";
    QTest::newRow("17 digits") << 12345.67890123457 << "12345.6789"
                               << "12345,6789";
    QTest::newRow("pi") << 3.14159265358979 << "3.141592654"
                        << "3,141592654";
    QTest::newRow("nines carry into the integer") << 9.9999999999 << "10"
                                                  << "10";
    QTest::newRow("-1234.5678") << -1234.5678 << "-1234.5678"
                                << "-1234,5678";
    QTest::newRow("0.1") << 0.1 << "0.1"
                         << "0,1";
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.3"
                             << "0,3";
    QTest::newRow("0.7999999999999999") << 0.7999999999999999 << "0.8"
                                        << "0,8";
    QTest::newRow("1/3") << 1.0 / 3 << "0.333333333"
                         << "0,333333333";
    QTest::newRow("2/3") << 2.0 / 3 << "0.666666667"
                         << "0,666666667";
    QTest::newRow("1.0000000000000002") << 1.0000000000000002 << "1"
                                        << "1";
    QTest::newRow("0.000123") << 0.000123 << "0.000123"
                              << "0,000123";
    QTest::newRow("0.000123456789") << 0.000123456789 << "0.000123457"
                                    << "0,000123457";
    QTest::newRow("1e-5 fixed") << 1e-5 << "0.00001"
                                << "0,00001";
    QTest::newRow("0.000012345 fits") << 0.000012345 << "0.000012345"
                                      << "0,000012345";
    QTest::newRow("0.0000123456 does not") << 0.0000123456 << "1.23456E-05"
                                           << "1,23456E-05";
    QTest::newRow("1e-9 fixed") << 1e-9 << "0.000000001"
                                << "0,000000001";
    QTest::newRow("3e-10 scientific") << 3e-10 << "3E-10"
                                      << "3E-10";
    QTest::newRow("1.5e-10") << 1.5e-10 << "1.5E-10"
                             << "1,5E-10";
    QTest::newRow("many digits small") << 1.2345678901234e-5 << "1.23457E-05"
                                       << "1,23457E-05";
    QTest::newRow("nines round to 1e-6") << 9.99999999999999e-7 << "0.000001"
                                         << "0,000001";
    QTest::newRow("nines round to 1e-4") << 9.99999999999999e-5 << "0.0001"
                                         << "0,0001";
    QTest::newRow("1e-300") << 1e-300 << "1E-300"
                            << "1E-300";
    QTest::newRow("-1e-5") << -1e-5 << "-0.00001"
                           << "-0,00001";
    QTest::newRow("-1.2345678901234e-5") << -1.2345678901234e-5 << "-1.23457E-05"
                                         << "-1,23457E-05";
}

void NumberFormatTest::general()
{
    QFETCH(double, value);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    QCOMPARE(formatGeneral(value, English), english);
    QCOMPARE(formatGeneral(value, Russian), russian);
    QCOMPARE(NumberFormat(QStringLiteral("General"), Russian).format(value), russian);
}

void NumberFormatTest::codes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    const QString g = Nbsp;
    QTest::newRow("0.00 rounds half up") << "0.00" << 2.675 << "2.68"
                                         << "2,68";
    QTest::newRow("0.00 1.005") << "0.00" << 1.005 << "1.01"
                                << "1,01";
    QTest::newRow("0.00 tiny negative") << "0.00" << -0.001 << "0.00"
                                        << "0,00";
    QTest::newRow("0 half away") << "0" << -2.5 << "-3"
                                 << "-3";
    QTest::newRow("0 beyond 15 digits") << "0" << 1.234567890123457e19 << "12345678901234600000"
                                        << "12345678901234600000";
    QTest::newRow("00000") << "00000" << 123.0 << "00123"
                           << "00123";
    QTest::newRow("grouping") << "#,##0.00" << 1234567.891 << "1,234,567.89"
                              << "1" + g + "234" + g + "567,89";
    QTest::newRow("grouping carry") << "#,##0.00" << 999.995 << "1,000.00"
                                    << "1" + g + "000,00";
    QTest::newRow("grouping negative") << "#,##0" << -1234567.5 << "-1,234,568"
                                       << "-1" + g + "234" + g + "568";
    QTest::newRow("percent") << "0.00%" << 0.12345 << "12.35%"
                             << "12,35%";
    QTest::newRow("percent negative") << "0.0%" << -0.05 << "-5.0%"
                                      << "-5,0%";
    QTest::newRow("scientific") << "0.00E+00" << 12345.678 << "1.23E+04"
                                << "1,23E+04";
    QTest::newRow("scientific small") << "0.00E+00" << 0.000123 << "1.23E-04"
                                      << "1,23E-04";
    QTest::newRow("engineering") << "##0.0E+0" << 12345.678 << "12.3E+3"
                                 << "12,3E+3";
    QTest::newRow("fraction") << "# ?/?" << 1.25 << "1 1/4"
                              << "1 1/4";
    QTest::newRow("fraction two digits") << "# ?\?/?\?" << 3.14159 << "3 14/99"
                                         << "3 14/99";
    QTest::newRow("currency prefix") << "$#,##0.00" << 1234.5 << "$1,234.50"
                                     << "$1" + g + "234,50";
    QTest::newRow("parentheses section") << "$#,##0.00_);($#,##0.00)" << -1234.5 << "($1,234.50)"
                                         << "($1" + g + "234,50)";
    QTest::newRow("currency tag keeps separators") << "[$$-409]#,##0.00" << 1234.5 << "$1,234.50"
                                                   << "$1" + g + "234,50";
    QTest::newRow("ruble tag") << "#,##0.00 [$₽-419]" << 1234.5 << "1,234.50 ₽"
                               << "1" + g + "234,50 ₽";
    QTest::newRow("blank widths") << "#,##0.00_р_." << 1234.5 << "1,234.50   "
                                  << "1" + g + "234,50   ";
    QTest::newRow("language tag ru") << "[$-419]#,##0.00" << 1234.5 << "1" + g + "234,50"
                                     << "1" + g + "234,50";
    QTest::newRow("language tag en") << "[$-409]#,##0.00" << 1234.5 << "1,234.50"
                                     << "1,234.50";
    QTest::newRow("accounting zero")
        << "_-* #,##0.00\\ \"₽\"_-;\\-* #,##0.00\\ \"₽\"_-;_-* \"-\"??\\ \"₽\"_-;_-@_-" << 0.0
        << " -   ₽ "
        << " -   ₽ ";
    QTest::newRow("accounting positive")
        << "_-* #,##0.00\\ \"₽\"_-;\\-* #,##0.00\\ \"₽\"_-;_-* \"-\"??\\ \"₽\"_-;_-@_-"
        << 1234.5 << " 1,234.50 ₽ "
        << " 1" + g + "234,50 ₽ ";
    // Fill (*x) shows nothing and a blank (_x) the width of x in spaces, also in a
    // section without digits and with a plain space before the currency.
    const QString ruble = QStringLiteral("_-* \"-\"?? \"₽\"_-");
    QTest::newRow("accounting zero section plain space") << ruble << 0.0 << " -   ₽ "
                                                         << " -   ₽ ";
    QTest::newRow("accounting zero section as positive") << ruble << 1234.5 << " -1235 ₽ "
                                                         << " -1235 ₽ ";
    QTest::newRow("accounting zero section as negative") << ruble << -1234.5 << "- -1235 ₽ "
                                                         << "- -1235 ₽ ";
    QTest::newRow("accounting single section negative")
        << "_-* #,##0.00 \"₽\"_-" << -1234.5 << "- 1,234.50 ₽ "
        << "- 1" + g + "234,50 ₽ ";
    QTest::newRow("accounting dash only") << "_(* \"-\"_)" << 5.0 << " - "
                                          << " - ";
    QTest::newRow("accounting dash only negative") << "_(* \"-\"_)" << -5.0 << " - "
                                                   << " - ";
    QTest::newRow("literals alone show no sign") << "\"a\"*-\"b\"" << -1.0 << "ab"
                                                 << "ab";
    QTest::newRow("accounting dash and blanks") << "_(* \"-\"??_)" << 0.0 << " -   "
                                                << " -   ";
    QTest::newRow("fill before digits") << "*x0" << 1234.5 << "1235"
                                        << "1235";
    QTest::newRow("fill after digits") << "0*x" << 1234.5 << "1235"
                                       << "1235";
    QTest::newRow("fill between literals") << "\"a\"*-\"b\"" << 1.0 << "ab"
                                           << "ab";
    QTest::newRow("blank of W") << "_W0" << 0.0 << "   0"
                                << "   0";
    QTest::newRow("blank of space") << "_ 0" << 0.0 << " 0"
                                    << " 0";
    QTest::newRow("blanks of ) and %") << "0_)_%" << 0.0 << "0    "
                                       << "0    ";
    QTest::newRow("blank of euro") << "_€0" << 0.0 << "  0"
                                   << "  0";
    QTest::newRow("blank of Cyrillic") << "0_Ж" << 0.0 << "0  "
                                       << "0  ";
    QTest::newRow("red negative") << "#,##0.00;[Red]-#,##0.00" << -1234.5 << "-1,234.50"
                                  << "-1" + g + "234,50";
    QTest::newRow("zero section") << "0.00;-0.00;\"ноль\"" << 0.0 << "ноль"
                                  << "ноль";
    QTest::newRow("conditions scale")
        << "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0" << 1234567.0 << "1.2M"
        << "1,2M";
    QTest::newRow("conditions second")
        << "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0" << 4500.0 << "4.5K"
        << "4,5K";
    QTest::newRow("conditions else") << "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0" << 12.0 << "12"
                                     << "12";
    QTest::newRow("literal suffix") << "0.00 \"кг\"" << 1234.5 << "1234.50 кг"
                                    << "1234,50 кг";
    QTest::newRow("text format shows number") << "@" << 1234.5 << "1234.5"
                                              << "1234,5";
    QTest::newRow("elapsed hours") << "[h]:mm:ss" << 1.5 << "36:00:00"
                                   << "36:00:00";
    QTest::newRow("dd.mm.yyyy") << "dd.mm.yyyy" << Monday << "15.01.2024"
                                << "15.01.2024";
    QTest::newRow("genitive month") << "d mmmm yyyy" << Monday << "15 January 2024"
                                    << "15 января 2024";
    QTest::newRow("tag 419") << "[$-419]d mmmm yyyy" << Monday << "15 января 2024"
                             << "15 января 2024";
    QTest::newRow("tag 409") << "[$-409]d mmmm yyyy" << Monday << "15 January 2024"
                             << "15 January 2024";
    QTest::newRow("unknown tag FC19")
        << "[$-FC19]dd mmmm yyyy \"г.\"" << Monday << "15 January 2024 г."
        << "15 января 2024 г.";
    QTest::newRow("nominative month") << "[$-419]mmmm yyyy" << Monday << "Январь 2024"
                                      << "Январь 2024";
    QTest::newRow("abbreviated month") << "[$-419]d mmm yyyy" << Monday << "15 янв 2024"
                                       << "15 янв 2024";
    QTest::newRow("day name") << "[$-419]dddd, d mmmm yyyy" << Monday
                              << "понедельник, 15 января 2024"
                              << "понедельник, 15 января 2024";
    QTest::newRow("system long date")
        << "[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy" << Monday << "Monday, January 15, 2024"
        << "понедельник, 15 января, 2024";
    QTest::newRow("system time") << "[$-F400]h:mm:ss\\ AM/PM" << MondayAfternoon << "01:45:30 PM"
                                 << "13:45:30";
    QTest::newRow("slash is the date separator") << "mm/dd/yy" << Monday << "01/15/24"
                                                 << "01.15.24";
    QTest::newRow("m/d/yyyy") << "m/d/yyyy" << Monday << "1/15/2024"
                              << "1.15.2024";
    QTest::newRow("iso") << "yyyy-mm-dd" << Monday << "2024-01-15"
                         << "2024-01-15";
    QTest::newRow("minutes after hours")
        << "dd/mm/yyyy hh:mm" << MondayAfternoon << "15/01/2024 13:45"
        << "15.01.2024 13:45";
    QTest::newRow("seconds not rounded into minutes") << "hh:mm" << MondayAfternoon << "13:45"
                                                      << "13:45";
    QTest::newRow("am/pm") << "h:mm AM/PM" << MondayAfternoon << "1:45 PM"
                           << "1:45 PM";
    QTest::newRow("midnight is 12 AM") << "h:mm AM/PM" << Monday << "12:00 AM"
                                       << "12:00 AM";
    QTest::newRow("month before day") << "mmm d, yyyy" << Monday << "Jan 15, 2024"
                                      << "янв 15, 2024";
    QTest::newRow("day names") << "ddd dd.mm.yy" << Monday << "Mon 15.01.24"
                               << "Пн 15.01.24";
    QTest::newRow("month alone") << "mmmm" << Monday << "January"
                                 << "Январь";
    QTest::newRow("narrow month") << "mmmmm" << Monday << "J"
                                  << "Я";
    QTest::newRow("elapsed minutes") << "[h]:mm" << 1.5 << "36:00"
                                     << "36:00";
    QTest::newRow("second fractions") << "hh:mm:ss.000" << 45306.5732667824 << "13:45:30.250"
                                      << "13:45:30,250";
    QTest::newRow("minutes before seconds") << "mm:ss" << 0.0007523148148148148 << "01:05"
                                            << "01:05";
    QTest::newRow("tenths") << "mm:ss.0" << 0.000755787037037037 << "01:05.3"
                            << "01:05,3";
    QTest::newRow("time of day only") << "dd.mm.yyyy hh:mm" << 0.5625 << "00.01.1900 13:30"
                                      << "00.01.1900 13:30";
    QTest::newRow("serial 60") << "dd.mm.yyyy" << 60.0 << "29.02.1900"
                               << "29.02.1900";
    QTest::newRow("serial 61") << "dd.mm.yyyy" << 61.0 << "01.03.1900"
                               << "01.03.1900";
    QTest::newRow("rounds into next day")
        << "dd.mm.yyyy hh:mm:ss" << 36525.99999537037 << "01.01.2000 00:00:00"
        << "01.01.2000 00:00:00";
    QTest::newRow("last day") << "dd.mm.yyyy" << 2958465.0 << "31.12.9999"
                              << "31.12.9999";
    QTest::newRow("negative elapsed") << "[h]:mm" << -1.5 << "-36:00"
                                      << "-36:00";
    // Faults the writer fixtures found.
    QTest::newRow("no point without decimals") << "#.##" << 5.0 << "5"
                                               << "5";
    QTest::newRow("point kept with decimals") << "#.##" << 5.25 << "5.25"
                                              << "5,25";
    QTest::newRow("whole number keeps fraction width") << "# ?/?" << 5.0 << "5    "
                                                       << "5    ";
    QTest::newRow("fixed denominator 100") << "# ?\?/100" << 0.37 << " 37/100"
                                           << " 37/100";
    QTest::newRow("a/p is lower case") << "h:mm A/P" << 0.78125 << "6:45 p"
                                       << "6:45 p";
    QTest::newRow("second fraction tie to even")
        << "mm:ss.00" << 0.0007215856481481482 << "01:02.34"
        << "01:02,34";
    QTest::newRow("second fraction rounds") << "mm:ss.0" << 0.008733333333333333 << "12:34.6"
                                            << "12:34,6";
    QTest::newRow("abbreviated May after day") << "d mmm yyyy" << 45053.0 << "7 May 2023"
                                               << "7 май 2023";
    QTest::newRow("full May after day") << "d mmmm yyyy" << 45053.0 << "7 May 2023"
                                        << "7 мая 2023";
    QTest::newRow("builtin-like 20 without padding") << "h:mm" << 0.2951388888888889 << "7:05"
                                                     << "7:05";
}

void NumberFormatTest::codes()
{
    QFETCH(QString, code);
    QFETCH(double, value);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    QCOMPARE(NumberFormat(code, English).format(value), english);
    QCOMPARE(NumberFormat(code, Russian).format(value), russian);
}

void NumberFormatTest::builtins_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    const QString g = Nbsp;
    QTest::newRow("1") << 1 << 1234.56 << "1235"
                       << "1235";
    QTest::newRow("3") << 3 << 1234567.8 << "1,234,568"
                       << "1" + g + "234" + g + "568";
    QTest::newRow("5 currency") << 5 << 1234.5 << "$1,235 "
                                << "1" + g + "235р.";
    QTest::newRow("7 currency negative") << 7 << -1234.5 << "($1,234.50)"
                                         << "-1" + g + "234,50р.";
    QTest::newRow("10") << 10 << 0.256 << "25.60%"
                        << "25,60%";
    QTest::newRow("12") << 12 << 2.5 << "2 1/2"
                        << "2 1/2";
    QTest::newRow("14 short date") << 14 << Monday << "1/15/2024"
                                   << "15.01.2024";
    QTest::newRow("15") << 15 << Monday << "15-Jan-24"
                        << "15.янв.24";
    QTest::newRow("16") << 16 << Monday << "15-Jan"
                        << "15.янв";
    QTest::newRow("17") << 17 << Monday << "Jan-24"
                        << "янв.24";
    QTest::newRow("19") << 19 << MondayAfternoon << "1:45:30 PM"
                        << "1:45:30 PM";
    QTest::newRow("22") << 22 << MondayAfternoon << "1/15/2024 13:45"
                        << "15.01.2024 13:45";
    QTest::newRow("37") << 37 << -1234.0 << "(1,234)"
                        << "-1" + g + "234   ";
    QTest::newRow("39") << 39 << 1234.5 << "1,234.50 "
                        << "1" + g + "234,50   ";
    QTest::newRow("43") << 43 << 1234.5 << " 1,234.50 "
                        << " 1" + g + "234,50    ";
    QTest::newRow("46") << 46 << 1.5 << "36:00:00"
                        << "36:00:00";
    QTest::newRow("48") << 48 << 12345.678 << "12.3E+3"
                        << "12,3E+3";
    QTest::newRow("49 text") << 49 << 42.0 << "42"
                             << "42";
    QTest::newRow("unknown id is General") << 200 << 0.5 << "0.5"
                                           << "0,5";
}

void NumberFormatTest::builtins()
{
    QFETCH(int, id);
    QFETCH(double, value);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    QCOMPARE(NumberFormat::builtin(id, English).format(value), english);
    QCOMPARE(NumberFormat::builtin(id, Russian).format(value), russian);
}

void NumberFormatTest::textSections_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fourth section") << "0.00;-0.00;0;\"Текст: \"@"
                                    << "abc"
                                    << "Текст: abc";
    QTest::newRow("at sign alone") << "@"
                                   << "007"
                                   << "007";
    QTest::newRow("no text section") << "0.00"
                                     << "abc"
                                     << "abc";
    QTest::newRow("General") << "General"
                             << " x "
                             << " x ";
    QTest::newRow("accounting text") << "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)"
                                     << "abc"
                                     << " abc ";
}

void NumberFormatTest::textSections()
{
    QFETCH(QString, code);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(NumberFormat(code, English).formatText(text), expected);
}

void NumberFormatTest::dateSystems()
{
    const NumberFormat format(QStringLiteral("yyyy-mm-dd"), English);
    QCOMPARE(format.format(0, DateSystem::Date1904), QStringLiteral("1904-01-01"));
    QCOMPARE(format.format(Monday - 1462, DateSystem::Date1904), QStringLiteral("2024-01-15"));
    QCOMPARE(format.format(Monday, DateSystem::Date1900), QStringLiteral("2024-01-15"));
    QVERIFY(format.isDateTime());
    QVERIFY(!NumberFormat(QStringLiteral("0.00"), English).isDateTime());
    QVERIFY(NumberFormat().isGeneral());
}

void NumberFormatTest::hostileCodesStayCheap()
{
    // Unbalanced quotes and brackets, huge repeat counts, and values far outside any
    // calendar must give some text, never hang or crash.
    const QStringList codes = {QStringLiteral("\"unterminated"),
                               QStringLiteral("[$-"),
                               QStringLiteral("[<"),
                               QStringLiteral("0.") + QString(5000, '0'),
                               QString(3000, QLatin1Char('#')) + QStringLiteral("/#"),
                               QStringLiteral("# ?\?\?\?/?\?\?\?"),
                               QStringLiteral("yyyy;;;;;;"),
                               QStringLiteral("0E+"),
                               QStringLiteral("\\"),
                               QStringLiteral("_"),
                               QStringLiteral("*")};
    for (const QString& code : codes) {
        const NumberFormat format(code, English);
        for (double value : {0.0, -1.5, 1e308, 1e-308, 123456.789, 1e20}) {
            const QString text = format.format(value);
            QVERIFY2(text.size() < 20000, qPrintable(code));
        }
    }
    // Digit placeholders glued to a month name.
    for (const char* code : {"0mmm", "mmm0", "mmmm#", "[$-409]0mmm"})
        QVERIFY(!NumberFormat(QString::fromLatin1(code), English).format(45306.0).isEmpty());
    // More decimal places than rounding keeps: the rest are zeros, not bytes past the end.
    QCOMPARE(NumberFormat(QStringLiteral("0.") + QString(40, '0'), English).format(0.5),
             QStringLiteral("0.5") + QString(39, '0'));
    QCOMPARE(NumberFormat(QStringLiteral("0.") + QString(40, '#'), English).format(0.25),
             QStringLiteral("0.25"));
    QCOMPARE(NumberFormat(QStringLiteral("dd.mm.yyyy"), English).format(1e300),
             QStringLiteral("1E+300"));
    QCOMPARE(NumberFormat(QStringLiteral("0.00"), English).format(std::nan("")),
             QStringLiteral("NaN"));
}

QTEST_GUILESS_MAIN(NumberFormatTest)
#include "NumberFormatTest.moc"
