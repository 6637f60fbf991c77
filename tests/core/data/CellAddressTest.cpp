// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/CellAddress.h"

#include <QTest>

#include <algorithm>
#include <limits>

using namespace Quillet;

class CellAddressTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void upperCaseCyrillic_data();
    void upperCaseCyrillic();
    void columnNumber_data();
    void columnNumber();
    void parseCellAddress_data();
    void parseCellAddress();
    void splitReference_data();
    void splitReference();
    void fieldText_data();
    void fieldText();
};

void CellAddressTest::upperCaseCyrillic_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("latin") << "abc xyz"
                           << "ABC XYZ";
    QTest::newRow("upper stays") << "ABZ"
                                 << "ABZ";
    QTest::newRow("cyrillic first and last") << "ая"
                                             << "АЯ";
    QTest::newRow("cyrillic word") << "привет"
                                   << "ПРИВЕТ";
    QTest::newRow("yo unchanged") << "ёЁ"
                                  << "ёЁ";
    QTest::newRow("latin accents unchanged") << "éß"
                                             << "éß";
    QTest::newRow("digits and signs") << "a1:$b2"
                                      << "A1:$B2";
    // The code points just outside both ranges must not move.
    const QString neighbours = QString::fromUtf16(u"`{\u042F\u0450");
    QTest::newRow("neighbours") << neighbours << neighbours;
    QTest::newRow("empty") << ""
                           << "";
}

void CellAddressTest::upperCaseCyrillic()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(UpperCaseCyrillic(text), expected);
}

void CellAddressTest::columnNumber_data()
{
    QTest::addColumn<QString>("letters");
    QTest::addColumn<int>("expected");
    QTest::newRow("A") << "A" << 1;
    QTest::newRow("Z") << "Z" << 26;
    QTest::newRow("AA") << "AA" << 27;
    QTest::newRow("AZ") << "AZ" << 52;
    QTest::newRow("BA") << "BA" << 53;
    QTest::newRow("ZZ") << "ZZ" << 702;
    QTest::newRow("AAA") << "AAA" << 703;
    QTest::newRow("XFD") << "XFD" << 16384;
    QTest::newRow("lower") << "xfd" << 16384;
    QTest::newRow("cyrillic look-alikes") << "ВМ" << 65;
    QTest::newRow("cyrillic lower") << "с" << 3;
    // Each look-alike alone, in both cases, against its Latin letter's position.
    const QString cyrillic = QStringLiteral("АВЕНМОРСТХ");
    const QList<int> latin{1, 2, 5, 8, 13, 15, 16, 3, 20, 24};
    for (qsizetype i = 0; i < cyrillic.size(); ++i) {
        const QString upper(cyrillic[i]);
        QTest::addRow("look-alike %s", qPrintable(upper)) << upper << latin[i];
        QTest::addRow("look-alike lower %s", qPrintable(upper)) << upper.toLower() << latin[i];
    }
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("cyrillic not a look-alike") << "К" << -1;
    QTest::newRow("digit") << "A1" << -1;
    QTest::newRow("dollar") << "$A" << -1;
    QTest::newRow("blank") << "A B" << -1;
    QTest::newRow("saturates") << QString(40, u'Z') << std::numeric_limits<int>::max();
}

void CellAddressTest::columnNumber()
{
    QFETCH(QString, letters);
    QFETCH(int, expected);
    QCOMPARE(ColumnNumber(letters), expected);
    // The letters a column number is written with are the plain Latin upper-case ones.
    const bool plain = !letters.isEmpty() && letters.size() < 5
                       && std::all_of(letters.begin(), letters.end(),
                                      [](QChar c) { return c >= u'A' && c <= u'Z'; });
    if (plain)
        QCOMPARE(columnLetters(expected), letters);
}

void CellAddressTest::parseCellAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("A1") << "A1" << 1 << 1;
    QTest::newRow("Z9") << "Z9" << 26 << 9;
    QTest::newRow("AA10") << "AA10" << 27 << 10;
    QTest::newRow("AZ1") << "AZ1" << 52 << 1;
    QTest::newRow("XFD3") << "XFD3" << 16384 << 3;
    QTest::newRow("lower a1") << "a1" << 1 << 1;
    QTest::newRow("cyrillic А1") << "А1" << 1 << 1;
    QTest::newRow("cyrillic с12") << "с12" << 3 << 12;
    QTest::newRow("cyrillic ВМ7") << "ВМ7" << 65 << 7;
    QTest::newRow("mixed cyrillic latin") << "аB2" << 28 << 2;
    QTest::newRow("К5 not a look-alike") << "К5" << 0 << 0;
    QTest::newRow("$A$1") << "$A$1" << 0 << 0;
    QTest::newRow("trailing text") << "B2x" << 2 << 2;
    QTest::newRow("letters only") << "B" << 2 << 0;
    QTest::newRow("digits only") << "12" << 0 << 12;
    QTest::newRow("blank between") << "A 1" << 1 << 1;
    QTest::newRow("blank before") << " A1" << 0 << 0;
    QTest::newRow("blank before digits") << " 7" << 0 << 7;
    QTest::newRow("plus sign") << "C+4" << 3 << 4;
    QTest::newRow("minus sign") << "C-4" << 3 << -4;
    QTest::newRow("sign alone") << "C-" << 3 << 0;
    QTest::newRow("leading zeros") << "D007" << 4 << 7;
    QTest::newRow("second colon part") << "B2:C3" << 2 << 2;
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("row max") << "A2147483647" << 1 << std::numeric_limits<int>::max();
    QTest::newRow("row overflow saturates")
        << "A2147483648" << 1 << std::numeric_limits<int>::max();
    QTest::newRow("huge row saturates")
        << "A" + QString(200, u'9') << 1 << std::numeric_limits<int>::max();
    QTest::newRow("row min") << "A-2147483648" << 1 << std::numeric_limits<int>::min();
    QTest::newRow("huge negative saturates")
        << "A-" + QString(50, u'9') << 1 << std::numeric_limits<int>::min();
}

void CellAddressTest::parseCellAddress()
{
    QFETCH(QString, address);
    QFETCH(int, column);
    QFETCH(int, row);
    const CellPosition position = ParseCellAddress(address);
    QCOMPARE(position.column, column);
    QCOMPARE(position.row, row);
}

void CellAddressTest::splitReference_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("single cell") << "B3"
                                 << "B3"
                                 << "B3";
    QTest::newRow("range") << "A1:C5"
                           << "A1"
                           << "C5";
    QTest::newRow("backwards kept") << "C5:A1"
                                    << "C5"
                                    << "A1";
    QTest::newRow("two colons") << "A1:B2:C3"
                                << "A1"
                                << "B2:C3";
    QTest::newRow("empty second") << "A1:"
                                  << "A1"
                                  << "";
    QTest::newRow("empty first") << ":B2"
                                 << ""
                                 << "B2";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void CellAddressTest::splitReference()
{
    QFETCH(QString, reference);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const ReferenceParts parts = Quillet::splitReference(reference);
    QCOMPARE(parts.first, first);
    QCOMPARE(parts.second, second);
}

void CellAddressTest::fieldText_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("fieldText");
    QTest::addColumn<bool>("isReference");
    QTest::addColumn<QString>("reference");
    const QString options = QStringLiteral("\u0008") + QString(31, u'0') + "Arial";
    QTest::newRow("reference") << "0003=A2:A21" + options << "=A2:A21" << true << "A2:A21";
    QTest::newRow("plain text") << "0004Name" + options << "Name" << false << "";
    QTest::newRow("equals inside") << "0005a=b" + options << "a=b" << false << "";
    QTest::newRow("no separator") << "0006=B1"
                                  << "=B1" << true << "B1";
    QTest::newRow("empty field text") << "0007" + options << "" << false << "";
    QTest::newRow("bare equals") << "0008=" + options << "=" << true << "";
    QTest::newRow("short node") << "00"
                                << "" << false << "";
}

void CellAddressTest::fieldText()
{
    QFETCH(QString, node);
    QFETCH(QString, fieldText);
    QFETCH(bool, isReference);
    QFETCH(QString, reference);
    QCOMPARE(fieldTextOfNode(node), fieldText);
    const auto parsed = referenceOfFieldText(fieldText);
    QCOMPARE(parsed.has_value(), isReference);
    if (isReference)
        QCOMPARE(*parsed, reference);
}

QTEST_APPLESS_MAIN(CellAddressTest)
#include "CellAddressTest.moc"
