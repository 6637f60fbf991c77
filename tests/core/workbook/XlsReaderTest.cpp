// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"
#include "core/workbook/XlsReader.h"
#include "core/workbook/XlsRecords.h"
#include "core/workbook/XlsxReader.h"

#include "support/WorkbookExpectations.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QtEndian>

using namespace Quillet;
using namespace QuilletTest;

// The fixtures and their expected texts come from tests/data/workbooks/
// make_xls_fixtures.py: types.xls was saved by LibreOffice from types.fods (beside it),
// biff5-1251.xls and sst-split.xls are assembled there record by record.

namespace {
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Russian(QLocale::Russian, QLocale::Russia);

// The files assembled by the fixture script keep their one stream contiguous from
// the fourth 512-byte sector on.
constexpr qsizetype AssembledStreamStart = 3 * 512;

QString workbookPath(const QString& name)
{
    return dataPath(QStringLiteral("workbooks/") + name);
}

std::unique_ptr<Workbook> readBytes(QByteArray bytes, const QLocale& locale = English)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return XlsReader().read(buffer, QStringLiteral("test.xls"), WorkbookOptions{locale});
}

std::unique_ptr<Workbook> readFixture(const QString& name, const QLocale& locale = English)
{
    return readBytes(readFile(workbookPath(name)), locale);
}

// File offset of the `nth` record of `type` in an assembled fixture, or -1.
qsizetype findRecord(const QByteArray& file, quint16 type, int nth = 0)
{
    for (qsizetype pos = AssembledStreamStart; pos + 4 <= file.size();) {
        const quint16 found = qFromLittleEndian<quint16>(file.constData() + pos);
        const quint16 length = qFromLittleEndian<quint16>(file.constData() + pos + 2);
        if (found == type && nth-- == 0)
            return pos;
        if (found == 0 && length == 0)
            break; // the padding after the last sheet
        pos += 4 + length;
    }
    return -1;
}

QByteArray patched(QByteArray file, quint16 type, qsizetype offset, QByteArray bytes, int nth = 0)
{
    const qsizetype at = findRecord(file, type, nth);
    if (at < 0)
        qFatal("fixture record %04x not found", type);
    return file.replace(at + offset, bytes.size(), bytes);
}

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// The text of row n of long-sst.xls, as make_xls_fixtures.py writes it.
QString longSstText(int n)
{
    if (n % 3 == 0)
        return QStringLiteral("Строка %1: %2").arg(n).arg(QStringLiteral("абвгд").repeated(n % 7));
    return QStringLiteral("Row %1 %2").arg(n).arg(QStringLiteral("xyz").repeated(n % 5));
}
} // namespace

class XlsReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void displayedText_data();
    void displayedText();
    void matchesExpectations_data();
    void matchesExpectations();
    void sameTextsAsXlsx_data();
    void sameTextsAsXlsx();
    void formulaResults_data();
    void formulaResults();
    void excel95CodePage();
    void codePages_data();
    void codePages();
    void sharedStringsOverContinueRecords();
    void sheets();
    void fileAndBufferAgree();
    void activeSheetFromWindowRecord();
    void workbookInRegularSectors();
    void damagedButReadable_data();
    void damagedButReadable();
    void brokenInput_data();
    void brokenInput();
};

void XlsReaderTest::displayedText_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    QTest::newRow("text") << 1 << 1 << "Текст"
                          << "Текст";
    QTest::newRow("integer") << 1 << 2 << "42"
                             << "42";
    QTest::newRow("decimal") << 2 << 2 << "1.5"
                             << "1,5";
    QTest::newRow("third") << 3 << 2 << "0.333333333"
                           << "0,333333333";
    QTest::newRow("19 digits") << 4 << 2 << "1.23457E+18"
                               << "1,23457E+18";
    QTest::newRow("negative half") << 5 << 2 << "-0.5"
                                   << "-0,5";
    QTest::newRow("tiny") << 6 << 2 << "1.5E-10"
                          << "1,5E-10";
    // The file formats these as DD.MM.YYYY [HH:MM], whatever the locale.
    QTest::newRow("date") << 7 << 2 << "15.01.2024"
                          << "15.01.2024";
    QTest::newRow("date and time") << 8 << 2 << "15.01.2024 13:45"
                                   << "15.01.2024 13:45";
    QTest::newRow("time") << 9 << 2 << "13:45:30"
                          << "13:45:30";
    QTest::newRow("two paragraphs") << 10 << 2 << "строка1\nстрока2"
                                    << "строка1\nстрока2";
    QTest::newRow("negative integer") << 11 << 2 << "-123456"
                                      << "-123456";
    QTest::newRow("empty row") << 12 << 1 << ""
                               << "";
    QTest::newRow("typographic and tab") << 13 << 1 << "ёЁ «кавычки»\ttab"
                                         << "ёЁ «кавычки»\ttab";
    QTest::newRow("fraction") << 13 << 2 << "123456.789"
                              << "123456,789";
    QTest::newRow("beyond the data") << 14 << 1 << ""
                                     << "";
    QTest::newRow("beyond the columns") << 1 << 3 << ""
                                        << "";
    QTest::newRow("row zero") << 0 << 1 << ""
                              << "";
    QTest::newRow("far away") << 65536 << 256 << ""
                              << "";
}

void XlsReaderTest::displayedText()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    const auto inEnglish = readFixture(QStringLiteral("types.xls"), English);
    const auto inRussian = readFixture(QStringLiteral("types.xls"), Russian);
    QCOMPARE(inEnglish->worksheet("Числа")->cellText(row, column), english);
    QCOMPARE(inRussian->worksheet("Числа")->cellText(row, column), russian);
}

void XlsReaderTest::matchesExpectations_data()
{
    QVERIFY(addExpectationRows({QStringLiteral(".xls")}) >= 5);
}

void XlsReaderTest::matchesExpectations()
{
    QFETCH(QString, expectations);
    QFETCH(QString, localeKey);
    const QStringList problems = checkExpectations(XlsReader(), expectations, localeKey);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void XlsReaderTest::sameTextsAsXlsx_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("en_US") << English;
    QTest::newRow("ru_RU") << Russian;
}

void XlsReaderTest::sameTextsAsXlsx()
{
    // The same workbook in both containers: every format shows the same text.
    QFETCH(QLocale, locale);
    const auto xls = readFixture(QStringLiteral("cases-lo-biff8.xls"), locale);
    QBuffer xlsxFile;
    xlsxFile.setData(readFile(workbookPath(QStringLiteral("cases-lo.xlsx"))));
    xlsxFile.open(QIODevice::ReadOnly);
    const auto xlsx =
        XlsxReader().read(xlsxFile, QStringLiteral("cases-lo.xlsx"), WorkbookOptions{locale});
    QCOMPARE(xls->sheetNames(), xlsx->sheetNames());
    QCOMPARE(xls->activeSheetName(), xlsx->activeSheetName());
    QStringList problems;
    for (const QString& name : xls->sheetNames()) {
        for (int row = 1; row <= 110; ++row) {
            for (int column = 1; column <= 8; ++column) {
                const QString a = xls->worksheet(name)->cellText(row, column);
                const QString b = xlsx->worksheet(name)->cellText(row, column);
                if (a != b)
                    problems << QStringLiteral("%1!%2: xls %3, xlsx %4")
                                    .arg(name, a1(row, column), visible(a), visible(b));
            }
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void XlsReaderTest::formulaResults_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    QTest::newRow("number") << 1 << "0.25"
                            << "0,25";
    QTest::newRow("number as percent") << 2 << "25.00%"
                                       << "25,00%";
    QTest::newRow("reference") << 3 << "2.00"
                               << "2,00";
    QTest::newRow("date") << 4 << "15.01.2024"
                          << "15.01.2024";
    QTest::newRow("text") << 5 << "ab"
                          << "ab";
    QTest::newRow("text longer than 255")
        << 7 << QString("дx").repeated(200) << QString("дx").repeated(200);
    // A spreadsheet shows a logical result by name, whatever LibreOffice's export shows.
    QTest::newRow("true") << 8 << "TRUE"
                          << "ИСТИНА";
    QTest::newRow("false") << 9 << "FALSE"
                           << "ЛОЖЬ";
    QTest::newRow("error") << 10 << "#DIV/0!"
                           << "#ДЕЛ/0!";
    QTest::newRow("not available") << 11 << "#N/A"
                                   << "#Н/Д";
    QTest::newRow("value error") << 12 << "#VALUE!"
                                 << "#ЗНАЧ!";
    QTest::newRow("empty text") << 13 << ""
                                << "";
}

void XlsReaderTest::formulaResults()
{
    QFETCH(int, row);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    const auto inEnglish = readFixture(QStringLiteral("formulas.xls"), English);
    const auto inRussian = readFixture(QStringLiteral("formulas.xls"), Russian);
    QCOMPARE(inEnglish->worksheet("Formulas")->cellText(row, 2), english);
    QCOMPARE(inRussian->worksheet("Formulas")->cellText(row, 2), russian);
    QVERIFY(inEnglish->uncachedFormulas().empty());
}

void XlsReaderTest::excel95CodePage()
{
    const auto workbook = readFixture(QStringLiteral("biff5-1251.xls"), Russian);
    QCOMPARE(workbook->sheetNames(), (QStringList{"Первый", "Второй"}));
    QCOMPARE(workbook->activeSheetName(), QStringLiteral("Второй"));
    const Worksheet* first = workbook->worksheet("Первый");
    QCOMPARE(first->cellText(1, 1), QStringLiteral("Привет, мир"));
    QCOMPARE(first->cellText(2, 1), QStringLiteral("1234,50 руб."));
    QCOMPARE(first->cellText(3, 1), QStringLiteral("ИСТИНА"));
    QCOMPARE(first->cellText(4, 1), QStringLiteral("Ёлка"));
    QCOMPARE(workbook->worksheet("Второй")->cellText(1, 1), QStringLiteral("Второй лист: ёЁ №"));
}

void XlsReaderTest::codePages_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1251") << 1251 << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2 \xb9\xa8") << "Привет №Ё";
    QTest::newRow("1252") << 1252 << QByteArray("\x80 \x85 \x93x\x94 \xe9") << "€ … “x” é";
    QTest::newRow("Excel's 1252") << 0x8001 << QByteArray("\x80\x9f") << "€Ÿ";
    QTest::newRow("unknown as Latin-1") << 54321 << QByteArray("a\xe9") << "aé";
}

void XlsReaderTest::codePages()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(decodeCodePage(bytes, quint16(codePage)), expected);
}

void XlsReaderTest::sharedStringsOverContinueRecords()
{
    const auto workbook = readFixture(QStringLiteral("long-sst.xls"));
    const Worksheet* sheet = workbook->worksheet("Strings");
    QVERIFY(sheet);
    for (int n = 1; n <= 3000; ++n) {
        if (sheet->cellText(n, 1) != longSstText(n))
            QFAIL(qPrintable(QStringLiteral("row %1: %2").arg(n).arg(sheet->cellText(n, 1))));
    }
    QString longest;
    for (int i = 0; i < 3000; ++i)
        longest += QStringLiteral("Ж%1z").arg(i);
    QCOMPARE(sheet->cellText(1, 2), longest);
}

void XlsReaderTest::sheets()
{
    const auto workbook = readFixture(QStringLiteral("types.xls"));
    QCOMPARE(workbook->sheetNames(), (QStringList{"Числа", "Второй лист"}));
    QCOMPARE(workbook->activeSheetName(), QStringLiteral("Числа"));
    const Worksheet* second = workbook->worksheet("Второй лист");
    QVERIFY(second);
    QCOMPARE(second->name(), QStringLiteral("Второй лист"));
    QCOMPARE(second->cellText(1, 1), QStringLiteral("x"));
    QCOMPARE(second->cellText(2, 3), QStringLiteral("y"));
    QCOMPARE(second->cellText(2, 1), QString());
    const Worksheet* first = workbook->worksheet("Числа");
    for (const auto& [row, column] :
         {std::pair{0, 1}, {1, 0}, {14, 1}, {1, 3}, {65536, 256}, {65537, 1}, {1, 257}, {-1, -1}})
        QCOMPARE(first->cellText(row, column), QString());
    QVERIFY(!workbook->worksheet("числа"));
    QVERIFY(!workbook->worksheet(QString()));
}

void XlsReaderTest::fileAndBufferAgree()
{
    QFile file(workbookPath(QStringLiteral("types.xls")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto fromFile = XlsReader().read(file, "types.xls", WorkbookOptions{English});
    const auto fromBuffer = readFixture(QStringLiteral("types.xls"));
    const Worksheet* a = fromFile->worksheet("Числа");
    const Worksheet* b = fromBuffer->worksheet("Числа");
    QVERIFY(a && b);
    for (int row = 1; row <= 14; ++row) {
        for (int column = 1; column <= 3; ++column)
            QCOMPARE(a->cellText(row, column), b->cellText(row, column));
    }
}

void XlsReaderTest::activeSheetFromWindowRecord()
{
    // Saved by LibreOffice from active-third.fods, then its window record's active tab
    // set to the third sheet, as a spreadsheet application saves it when that sheet
    // is the one shown.
    const auto workbook = readFixture(QStringLiteral("active-third.xls"));
    QCOMPARE(workbook->sheetNames(), (QStringList{"Первый", "Второй", "Третий"}));
    QCOMPARE(workbook->activeSheetName(), QStringLiteral("Третий"));
    QCOMPARE(workbook->worksheet("Третий")->cellText(1, 1), QStringLiteral("3"));
}

void XlsReaderTest::workbookInRegularSectors()
{
    // 400 rows make the workbook stream larger than the mini stream holds.
    const auto workbook = readFixture(QStringLiteral("rows400.xls"));
    const Worksheet* sheet = workbook->worksheet(workbook->activeSheetName());
    QVERIFY(sheet);
    QCOMPARE(sheet->name(), QStringLiteral("Rows"));
    for (int row : {1, 200, 400}) {
        QCOMPARE(sheet->cellText(row, 1), QStringLiteral("строка %1").arg(row));
        QCOMPARE(sheet->cellText(row, 2), QStringLiteral("%1.25").arg(row));
    }
    QCOMPARE(sheet->cellText(401, 1), QString());
}

void XlsReaderTest::damagedButReadable_data()
{
    const QByteArray split = readFile(workbookPath(QStringLiteral("sst-split.xls")));
    const QByteArray biff5 = readFile(workbookPath(QStringLiteral("biff5-1251.xls")));
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    // The table holds fewer strings than it claims: those it has are read.
    QTest::newRow("string count too high")
        << patched(split, 0x00FC, 8, le32(1000000)) << 0 << 4 << 1 << "ЯЮЭABCDEFGH";
    QTest::newRow("active tab beyond the sheets")
        << patched(biff5, 0x003D, 4 + 10, le16(40)) << 0 << 1 << 1 << "Привет, мир";
    QTest::newRow("format index beyond the formats")
        << patched(biff5, 0x0203, 4 + 4, le16(999)) << 0 << 1 << 2 << "45306";
    QTest::newRow("last row of the grid")
        << patched(biff5, 0x0204, 4, le16(0xFFFF)) << 0 << 65536 << 1 << "Привет, мир";
    QTest::newRow("unknown code page")
        << patched(biff5, 0x0042, 4, le16(54321)) << 0 << 2 << 2 << "25.0%";
}

void XlsReaderTest::damagedButReadable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, sheet);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    const auto workbook = readBytes(bytes);
    QVERIFY(workbook->worksheet(workbook->activeSheetName()));
    // By position: under a wrong code page the sheet names change too.
    const Worksheet* shown = workbook->worksheet(workbook->sheetNames().value(sheet));
    QVERIFY(shown);
    QCOMPARE(shown->cellText(row, column), expected);
}

void XlsReaderTest::brokenInput_data()
{
    const QByteArray good = readFile(workbookPath(QStringLiteral("types.xls")));
    const QByteArray split = readFile(workbookPath(QStringLiteral("sst-split.xls")));
    const QByteArray biff5 = readFile(workbookPath(QStringLiteral("biff5-1251.xls")));
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("a;b;c\n1;2;3\n");
    QTest::newRow("signature only") << good.left(8);
    QTest::newRow("header only") << good.left(512);
    QTest::newRow("truncated at half") << good.left(good.size() / 2);
    QTest::newRow("truncated near the end") << good.left(good.size() - 700);
    QTest::newRow("truncated file") << readFile(workbookPath(QStringLiteral("truncated.xls")));
    QByteArray zeroedFat = good;
    zeroedFat.replace(76, 4, QByteArray(4, '\xff'));
    QTest::newRow("no fat sector") << zeroedFat;
    QTest::newRow("zip") << QByteArray("PK\x03\x04", 4) + QByteArray(600, 'x');
    QByteArray oddSectors = good;
    oddSectors[0x1E] = 10;
    QTest::newRow("sector size 1024") << oddSectors;
    QByteArray farDirectory = good;
    farDirectory.replace(0x30, 4, QByteArray("\x00\x00\x00\x7f", 4));
    QTest::newRow("directory sector outside the file") << farDirectory;
    QTest::newRow("fuzzed directory name length")
        << readFile(sourcePath("fuzz/corpus/xlsreader/crash-directory-name-length.xls"));
    QTest::newRow("no workbook stream") << QByteArray(biff5).replace(
        AssembledStreamStart - 512 + 128, 8, QByteArray("X\0o\0o\0k\0", 8));
    QTest::newRow("record length past the end") << patched(split, 0x00FD, 2, le16(0xFFF0), 3);
    QTest::newRow("string longer than its record") << patched(biff5, 0x0204, 10, le16(5000));
    QTest::newRow("shared string index beyond the table") << patched(split, 0x00FD, 10, le32(4));
    QTest::newRow("string count too low, cell refers past it")
        << patched(split, 0x00FC, 8, le32(2));
    QTest::newRow("split string cut short") << patched(split, 0x00FC, 4 + 23, le16(9000));
    QTest::newRow("column beyond the grid") << patched(biff5, 0x0203, 6, le16(0x4000));
    QTest::newRow("multiple numbers beyond the grid") << patched(biff5, 0x00BD, 6, le16(255));
    QTest::newRow("sheet offset outside the stream") << patched(biff5, 0x0085, 4, le32(0x7FFFFFF0));
    QTest::newRow("sheet offset not at a sheet") << patched(biff5, 0x0085, 4, le32(4));
    QTest::newRow("password protected") << patched(biff5, 0x0022, 0, le16(0x002F));
    QTest::newRow("Excel 4 worksheet") << patched(biff5, 0x0809, 0, le16(0x0409));
    QTest::newRow("unknown BIFF version") << patched(biff5, 0x0809, 4, le16(0x0300));
    QTest::newRow("no worksheets") << patched(patched(biff5, 0x0085, 9, QByteArray(1, '\2')),
                                              0x0085, 9, QByteArray(1, '\2'), 1);
}

void XlsReaderTest::brokenInput()
{
    QFETCH(QByteArray, bytes);
    try {
        readBytes(bytes);
        QFAIL("a broken workbook was read without an error");
    } catch (const FileError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("test.xls")), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(XlsReaderTest)
#include "XlsReaderTest.moc"
