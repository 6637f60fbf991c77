// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/FieldValue.h"
#include "core/app/NodeGrammar.h"
#include "core/app/PageCount.h"
#include "core/app/Project.h"
#include "core/workbook/SpreadsheetReader.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace Quillet;

class FieldValueTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valueOnPage_data();
    void valueOnPage();
};

void FieldValueTest::valueOnPage_data()
{
    QTest::addColumn<QString>("fieldText");
    QTest::addColumn<bool>("autoReplace");
    QTest::addColumn<int>("direct");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("value");
    const int rows = DirectRows;
    const int columns = DirectColumns;
    const QString records = QStringLiteral("records");
    QTest::newRow("constant text") << "0312" << false << rows << records << 2 << "0312";
    QTest::newRow("constant text, auto-replaced")
        << "м" << true << rows << records << 1 << "мужской";
    QTest::newRow("a column of records: the page's row")
        << "=A2:A4" << false << rows << records << 2 << "500100732259";
    QTest::newRow("the layout page shows the first record")
        << "=A2:A4" << false << rows << records << 0 << "7707083893";
    QTest::newRow("one cell on every page")
        << "=B2" << false << rows << records << 3 << "01.02.2024";
    QTest::newRow("a cell, auto-replaced") << "=C2:C4" << true << rows << records << 2 << "женский";
    QTest::newRow("records and series: the page's first element")
        << "=A2:C4" << false << rows << records << 2 << "500100732259";
    QTest::newRow("pages along columns: a row walks the columns")
        << "=A2:C2" << false << columns << records << 2 << "01.02.2024";
    QTest::newRow("pages along columns: a column is the page's elements")
        << "=B2:B4" << false << columns << records << 3 << "01.02.2024";
    QTest::newRow("elements typed backwards: nothing")
        << "=C2:A2" << false << rows << records << 1 << "";
    QTest::newRow("an empty cell") << "=A2:A4" << false << rows << records << 3 << "";
    QTest::newRow("no such sheet") << "=A2:A4" << false << rows << "Лист1" << 1 << "";
    // The row number saturates at the largest integer; the page's row must not overflow.
    QTest::newRow("a row beyond any sheet")
        << "=A2147483646:A2147483647" << false << rows << records << 9 << "";
}

void FieldValueTest::valueOnPage()
{
    QFETCH(QString, fieldText);
    QFETCH(bool, autoReplace);
    QFETCH(int, direct);
    QFETCH(QString, sheet);
    QFETCH(int, page);
    QFETCH(QString, value);
    const std::unique_ptr<Workbook> workbook =
        QuilletTest::csvWorkbook("ИНН;Дата;Пол\n"
                                 "7707083893;01.02.2024;м\n"
                                 "500100732259;15.11.2023;ж\n");
    Project project;
    project.settings.sheet = sheet;
    project.settings.Direct = direct;
    project.ReplaceList = {{QStringLiteral("ж"), QStringLiteral("женский")},
                           {QStringLiteral("м"), QStringLiteral("мужской")}};
    TOptTextField options;
    options.fieldText = fieldText;
    options.autoReplace = autoReplace;
    QCOMPARE(fieldValueOnPage(project, workbook.get(), options, page), value);
    // Without a workbook every cell reads empty; a constant text stays.
    QCOMPARE(fieldValueOnPage(project, nullptr, options, page),
             fieldText.startsWith(u'=') ? QString() : value);
}

QTEST_MAIN(FieldValueTest)
#include "FieldValueTest.moc"
