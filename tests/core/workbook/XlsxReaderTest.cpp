// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WorkbookExpectations.h"

#include "core/common/Errors.h"
#include "core/workbook/XlsxReader.h"

#include <QFileInfo>
#include <QTest>

#include <atomic>
#include <thread>

using namespace Quillet;
using namespace QuilletTest;

namespace {

std::unique_ptr<Workbook> readXlsx(const QByteArray& bytes, const QLocale& locale,
                                   const ZipLimits& limits = ZipLimits())
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    WorkbookOptions options;
    options.locale = locale;
    return XlsxReader(limits).read(buffer, QStringLiteral("book.xlsx"), options);
}

} // namespace

class XlsxReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesExpectations_data();
    void matchesExpectations();
    void activeSheetAndLookup();
    void outsideTheData();
    void parallelReads();
    void writerVariants_data();
    void writerVariants();
    void decodesEscapes_data();
    void decodesEscapes();
    void brokenFilesFail_data();
    void brokenFilesFail();
    void listsFormulasWithoutResults_data();
    void listsFormulasWithoutResults();
};

void XlsxReaderTest::matchesExpectations_data()
{
    QVERIFY(addExpectationRows({QStringLiteral(".xlsx"), QStringLiteral(".xlsm")}) >= 1);
}

void XlsxReaderTest::matchesExpectations()
{
    QFETCH(QString, expectations);
    QFETCH(QString, localeKey);
    const QStringList problems = checkExpectations(XlsxReader(), expectations, localeKey);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void XlsxReaderTest::activeSheetAndLookup()
{
    const auto workbook = readXlsx(readFile(dataPath(QStringLiteral("workbooks/sample.xlsx"))),
                                   QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(workbook->activeSheetName(), QStringLiteral("Даты"));
    QCOMPARE(workbook->sheetNames().size(), 7);
    QCOMPARE(workbook->sheetNames().first(), QStringLiteral("Числа"));
    QVERIFY(workbook->worksheet(QStringLiteral("Formats")));
    QCOMPARE(workbook->worksheet(QStringLiteral("Formats"))->name(), QStringLiteral("Formats"));
    QVERIFY(!workbook->worksheet(QStringLiteral("formats")));
    QVERIFY(!workbook->worksheet(QStringLiteral("Missing")));
}

void XlsxReaderTest::outsideTheData()
{
    const auto workbook = readXlsx(readFile(dataPath(QStringLiteral("workbooks/sample.xlsx"))),
                                   QLocale(QLocale::English, QLocale::UnitedStates));
    const Worksheet* sheet = workbook->worksheet(QStringLiteral("Text"));
    QVERIFY(sheet);
    QCOMPARE(sheet->cellText(2, 2), QStringLiteral("Hello"));
    QCOMPARE(sheet->cellText(0, 2), QString());
    QCOMPARE(sheet->cellText(2, 0), QString());
    QCOMPARE(sheet->cellText(-5, -5), QString());
    QCOMPARE(sheet->cellText(1048576, 16384), QString());
    QCOMPARE(sheet->cellText(2000000000, 2000000000), QString());
}

void XlsxReaderTest::parallelReads()
{
    const auto workbook = readXlsx(readFile(dataPath(QStringLiteral("workbooks/sample.xlsx"))),
                                   QLocale(QLocale::Russian, QLocale::Russia));
    const Worksheet* sheet = workbook->worksheet(QStringLiteral("Даты"));
    QVERIFY(sheet);
    const QString expected = sheet->cellText(3, 2);
    QCOMPARE(expected, QStringLiteral("15 января 2024"));
    std::vector<std::thread> threads;
    std::atomic<int> mismatches{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                if (sheet->cellText(3, 2) != expected)
                    ++mismatches;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    QCOMPARE(mismatches.load(), 0);
}

void XlsxReaderTest::writerVariants_data()
{
    // variants.xlsx (make_crafted.py): texts as LibreOffice shows them, except I3, a
    // formula without a cached result, which LibreOffice computes and we leave empty.
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("prefixed inline") << "Prefixed" << 1 << 1 << "prefixed";
    QTest::newRow("cell without reference") << "Prefixed" << 1 << 2 << "2.5";
    QTest::newRow("row without number") << "Prefixed" << 2 << 1 << "7";
    QTest::newRow("shared via absolute part name") << "Prefixed" << 2 << 2 << "shared";
    QTest::newRow("phonetic guide left out") << "Second" << 3 << 1 << "русский";
    QTest::newRow("inline rich runs") << "Second" << 3 << 2 << "rich runs";
    QTest::newRow("ISO date cell") << "Second" << 3 << 3 << "29.02.2024 06:30";
    QTest::newRow("formula text keeps escapes") << "Second" << 3 << 4 << "cr_x000D_lf";
    QTest::newRow("boolean") << "Second" << 3 << 5 << "FALSE";
    QTest::newRow("error") << "Second" << 3 << 6 << "#REF!";
    QTest::newRow("built-in percent") << "Second" << 3 << 7 << "25%";
    QTest::newRow("style beyond the table") << "Second" << 3 << 8 << "3";
    QTest::newRow("formula without result") << "Second" << 3 << 9 << "";
    QTest::newRow("row before the data") << "Second" << 1 << 1 << "";
}

void XlsxReaderTest::writerVariants()
{
    QFETCH(QString, sheet);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    const auto workbook = readXlsx(readFile(dataPath(QStringLiteral("workbooks/variants.xlsx"))),
                                   QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(workbook->activeSheetName(), QStringLiteral("Second"));
    const Worksheet* worksheet = workbook->worksheet(sheet);
    QVERIFY(worksheet);
    QCOMPARE(worksheet->cellText(row, column), expected);
}

void XlsxReaderTest::decodesEscapes_data()
{
    // Sheet "Escapes" of the fixtures of make_escapes.py: xlsxwriter escapes as Excel
    // does, in shared strings and rich text and (constant-memory mode) inline strings;
    // the crafted file has the forms no writer at hand produces.
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    for (const char* written : {"escapes-xlsxwriter.xlsx", "escapes-xlsxwriter-inline.xlsx"}) {
        const QString name = QString::fromLatin1(written);
        auto row = [&](const char* what) -> QTestData& {
            return QTest::newRow(qPrintable(name + QLatin1String(": ") + QLatin1String(what)));
        };
        row("carriage return") << name << 1 << 1 << "carriage\nreturn";
        row("control characters") << name << 2 << 1
                                  << "start\x01\x1f"
                                     "end";
        row("escaped underscore keeps an escape-like text")
            << name << 3 << 1 << "literal _x000D_ stays";
        row("escaped underscore before itself") << name << 4 << 1 << "_x005F_";
        row("rich text runs") << name << 5 << 1 << "run\n_x0041_ end\x02";
    }
    const QString crafted = QStringLiteral("escapes-crafted.xlsx");
    const QString grinning = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("lower-case hex digits") << crafted << 1 << 1 << "lower\ncase";
    QTest::newRow("lower-case escaped underscore") << crafted << 2 << 1 << "_x000D_";
    QTest::newRow("escaped surrogate pair") << crafted << 3 << 1 << grinning;
    QTest::newRow("capital X is no escape") << crafted << 4 << 1 << "_X000D_";
    QTest::newRow("a letter that is no hex digit") << crafted << 5 << 1 << "_x00G0_";
    QTest::newRow("no closing underscore") << crafted << 6 << 1 << "end_x000D";
    QTest::newRow("two escapes in a row") << crafted << 7 << 1 << "AB";
    QTest::newRow("escape cut by a run boundary") << crafted << 8 << 1 << "_x0041_";
    QTest::newRow("inline surrogate pair in lower case") << crafted << 1 << 2 << grinning;
    QTest::newRow("inline CR and LF in two runs") << crafted << 2 << 2 << "a\nb";
    QTest::newRow("inline escape cut by a run boundary") << crafted << 3 << 2 << "_x0041_";
}

void XlsxReaderTest::decodesEscapes()
{
    QFETCH(QString, fixture);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    const auto workbook = readXlsx(readFile(dataPath("workbooks/" + fixture)),
                                   QLocale(QLocale::English, QLocale::UnitedStates));
    const Worksheet* sheet = workbook->worksheet(QStringLiteral("Escapes"));
    QVERIFY(sheet);
    QCOMPARE(sheet->cellText(row, column), expected);
}

void XlsxReaderTest::brokenFilesFail_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    auto file = [](const char* name) {
        return readFile(dataPath(QStringLiteral("workbooks/") + QLatin1String(name)));
    };
    const QByteArray sample = file("sample.xlsx");
    QTest::newRow("empty") << QByteArray() << "zip";
    QTest::newRow("not a zip") << QByteArray("just some text, not a workbook") << "zip";
    QTest::newRow("truncated") << sample.left(sample.size() / 2) << "";
    QTest::newRow("no workbook part") << file("broken-no-workbook.xlsx") << "xlsx";
    QTest::newRow("no sheets") << file("broken-no-sheets.xlsx") << "нет листов";
    QTest::newRow("missing sheet part") << file("broken-missing-sheet.xlsx") << "sheet1.xml";
    QTest::newRow("malformed sheet") << file("broken-malformed-sheet.xlsx") << "ошибка в XML";
    QTest::newRow("column beyond grid") << file("broken-column-beyond-grid.xlsx") << "XFE1";
    QTest::newRow("row beyond grid") << file("broken-row-beyond-grid.xlsx") << "1048577";
    QTest::newRow("shared string index") << file("broken-shared-index.xlsx") << "общую строку";
    QTest::newRow("malformed number") << file("broken-number.xlsx") << "12abc";
    QTest::newRow("doctype") << file("broken-doctype.xlsx") << "DOCTYPE";
    QTest::newRow("decompression bomb") << file("broken-bomb.xlsx") << "допустим";
}

void XlsxReaderTest::brokenFilesFail()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    ZipLimits limits;
    limits.maxEntryBytes = 16 << 20;
    try {
        readXlsx(bytes, QLocale(QLocale::English, QLocale::UnitedStates), limits);
        QFAIL("a broken workbook was read");
    } catch (const FileError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void XlsxReaderTest::listsFormulasWithoutResults_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("expected");
    // openpyxl writes an empty <v/>; shared formulas' followers and array formulas count,
    // a formula with its result stored (F1) does not.
    QTest::newRow("openpyxl formulas")
        << "uncached-formulas.xlsx"
        << QStringList{"Лист1!B1", "Лист1!D1", "Лист1!E1", "Лист1!B2", "Лист1!D2",
                       "Лист1!B3", "Лист1!D3", "Лист1!B4", "Лист1!B5", "Лист1!B6"};
    QTest::newRow("formula with no value element") << "variants.xlsx" << QStringList{"Second!I3"};
    for (const char* stored :
         {"sample.xlsx", "cases-lo.xlsx", "cases-xlsxwriter.xlsx", "cases-openpyxl.xlsx"})
        QTest::newRow(stored) << stored << QStringList();
}

void XlsxReaderTest::listsFormulasWithoutResults()
{
    QFETCH(QString, fixture);
    QFETCH(QStringList, expected);
    const auto workbook = readXlsx(readFile(dataPath("workbooks/" + fixture)),
                                   QLocale(QLocale::English, QLocale::UnitedStates));
    QStringList cells;
    for (const FormulaCell& cell : workbook->uncachedFormulas()) {
        QString column;
        for (int c = cell.column; c > 0; c = (c - 1) / 26)
            column.prepend(QChar(u'A' + (c - 1) % 26));
        cells << QStringLiteral("%1!%2%3").arg(cell.sheet, column).arg(cell.row);
    }
    QCOMPARE(cells, expected);
}

QTEST_GUILESS_MAIN(XlsxReaderTest)
#include "XlsxReaderTest.moc"
