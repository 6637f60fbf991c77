// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/SpreadsheetReader.h"

#include <QTest>

using namespace Quillet;

Q_DECLARE_METATYPE(Quillet::CellContent)

class GridWorkbookTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void contentOfText_data();
    void contentOfText();
};

void GridWorkbookTest::contentOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<CellContent>("content");
    QTest::newRow("empty") << QString() << CellContent::Empty;
    QTest::newRow("integer") << "42" << CellContent::Value;
    QTest::newRow("decimal comma") << "1,5" << CellContent::Value;
    QTest::newRow("decimal point") << "-0.25" << CellContent::Value;
    QTest::newRow("groups by blanks") << "1 234 567,50" << CellContent::Value;
    QTest::newRow("groups by no-break spaces")
        << QStringLiteral("1\u00A0234,50") << CellContent::Value;
    QTest::newRow("typographic minus") << QStringLiteral("\u22127") << CellContent::Value;
    QTest::newRow("percent") << "7,5 %" << CellContent::Value;
    QTest::newRow("leading decimal comma") << ",5" << CellContent::Value;
    QTest::newRow("date") << "31.12.2024" << CellContent::Value;
    QTest::newRow("iso date") << "2024-12-31" << CellContent::Value;
    QTest::newRow("date and time") << "31.12.2024 9:30" << CellContent::Value;
    QTest::newRow("time") << "09:30:15" << CellContent::Value;
    QTest::newRow("word") << "Сумма" << CellContent::Text;
    QTest::newRow("blank") << " " << CellContent::Text;
    QTest::newRow("phone number") << "+7 912 345-67-89" << CellContent::Text;
    QTest::newRow("groups not of three") << "12 34" << CellContent::Text;
    QTest::newRow("two decimal marks") << "1,2,3" << CellContent::Text;
    QTest::newRow("mixed date marks") << "31.12-2024" << CellContent::Text;
    QTest::newRow("code") << "К-01" << CellContent::Text;
}

void GridWorkbookTest::contentOfText()
{
    QFETCH(QString, text);
    QFETCH(CellContent, content);
    QCOMPARE(Quillet::contentOfText(text), content);
}

QTEST_MAIN(GridWorkbookTest)
#include "GridWorkbookTest.moc"
