// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"
#include "core/workbook/CsvReader.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QTest>

#include <limits>

using namespace Quillet;

namespace {
using Records = QList<QStringList>;

Records toRecords(const std::vector<std::vector<QString>>& parsed)
{
    Records records;
    for (const auto& record : parsed)
        records << QStringList(record.begin(), record.end());
    return records;
}

// Every cell of a sheet up to the given size, row by row.
Records cells(const Worksheet& sheet, int rows, int columns)
{
    Records records;
    for (int r = 1; r <= rows; ++r) {
        QStringList row;
        for (int c = 1; c <= columns; ++c)
            row << sheet.cellText(r, c);
        records << row;
    }
    return records;
}

std::unique_ptr<Workbook> readBytes(const QByteArray& bytes, const QString& fileName)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return CsvReader().read(buffer, fileName, WorkbookOptions());
}
} // namespace

class CsvReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decode_data();
    void decode();
    void detectSeparator_data();
    void detectSeparator();
    void parse_data();
    void parse();
    void sheetName_data();
    void sheetName();
    void fixtures_data();
    void fixtures();
    void cellsOutsideTheDataAreEmpty();
    void binaryContentIsAnError();
    void emptyFileHasOneEmptySheet();
};

void CsvReaderTest::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("a;b") << "a;b";
    QTest::newRow("utf-8") << QByteArray("\xd0\x98\xd0\xbc\xd1\x8f") << "Имя";
    QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbf\xd0\x98x") << "Иx";
    QTest::newRow("bom only") << QByteArray("\xef\xbb\xbf") << "";
    QTest::newRow("windows-1251") << QByteArray("\xc8\xec\xff") << "Имя";
    QTest::newRow("1251 yo and quotes") << QByteArray("\xb8\xa8\xab\xbb") << "ёЁ«»";
    // Valid UTF-8 up to a stray byte: the whole file is Windows-1251.
    QTest::newRow("mostly utf-8") << QByteArray("\xd0\xb8;\xc8") << "Рё;И";
    QTest::newRow("utf-16le") << QByteArray("\xff\xfe\x18\x04\x3b\x00", 6) << "И;";
    QTest::newRow("utf-16be") << QByteArray("\xfe\xff\x04\x18\x00\x3b", 6) << "И;";
    QTest::newRow("empty") << QByteArray() << "";
}

void CsvReaderTest::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(CsvReader::decode(bytes), text);
}

void CsvReaderTest::detectSeparator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::newRow("semicolon") << "a;b;c\n1;2;3\n"
                               << ";";
    QTest::newRow("comma") << "a,b,c\n1,2,3\n"
                           << ",";
    QTest::newRow("tab") << "a\tb\n1\t2\n"
                         << "\t";
    QTest::newRow("decimal commas under semicolons") << "x;y\n1,5;2,25\n"
                                                     << ";";
    QTest::newRow("commas inside quotes") << "\"a,b\";c\n\"d,e\";f\n"
                                          << ";";
    QTest::newRow("semicolons inside quotes") << "\"a;b\",c\n\"d;e\",f\n"
                                              << ",";
    QTest::newRow("quoted line break") << "\"a\nb\",c\nd,e\n"
                                       << ",";
    QTest::newRow("tab beats comma text") << "Smith, J.\tLondon\nDoe, A.\tParis\n"
                                          << "\t";
    QTest::newRow("not on every line: most often") << "a,b,c\nd;e\nf,g\n"
                                                   << ",";
    QTest::newRow("blank lines ignored") << "a;b\n\n\nc;d\n"
                                         << ";";
    QTest::newRow("single column") << "a\nb\n"
                                   << ";";
    QTest::newRow("empty") << ""
                           << ";";
    QTest::newRow("crlf") << "a,b\r\nc,d\r\n"
                          << ",";
}

void CsvReaderTest::detectSeparator()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QCOMPARE(QString(CsvReader::detectSeparator(text)), separator);
}

void CsvReaderTest::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Records>("records");
    QTest::newRow("plain") << "a;b\nc;d" << Records{{"a", "b"}, {"c", "d"}};
    QTest::newRow("final line break adds no record") << "a;b\n" << Records{{"a", "b"}};
    QTest::newRow("crlf and lone cr") << "a\r\nb\rc" << Records{{"a"}, {"b"}, {"c"}};
    QTest::newRow("empty fields") << ";a;;\n" << Records{{"", "a", "", ""}};
    QTest::newRow("trailing separator at end") << "a;" << Records{{"a", ""}};
    QTest::newRow("blank line is an empty record") << "a\n\nb\n" << Records{{"a"}, {""}, {"b"}};
    QTest::newRow("quoted separator") << "\"a;b\";c" << Records{{"a;b", "c"}};
    QTest::newRow("doubled quotes") << "\"say \"\"hi\"\"\"" << Records{{"say \"hi\""}};
    QTest::newRow("quoted crlf becomes lf") << "\"l1\r\nl2\";x" << Records{{"l1\nl2", "x"}};
    QTest::newRow("quoted lf kept") << "\"l1\nl2\"" << Records{{"l1\nl2"}};
    QTest::newRow("empty quoted") << "\"\";b" << Records{{"", "b"}};
    QTest::newRow("quote inside unquoted kept") << "ab\"c;d" << Records{{"ab\"c", "d"}};
    QTest::newRow("text after closing quote kept") << "\"ab\"cd;e" << Records{{"abcd", "e"}};
    QTest::newRow("unclosed quote runs to end") << "\"ab;c\nd" << Records{{"ab;c\nd"}};
    QTest::newRow("lone quote") << "\"" << Records{{""}};
    QTest::newRow("blanks kept") << " a ; b " << Records{{" a ", " b "}};
    QTest::newRow("empty text") << "" << Records{};
}

void CsvReaderTest::parse()
{
    QFETCH(QString, text);
    QFETCH(Records, records);
    QCOMPARE(toRecords(CsvReader::parse(text, QChar(u';'))), records);
}

void CsvReaderTest::sheetName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("csv") << "data.csv"
                         << "data";
    QTest::newRow("txt") << "Список.txt"
                         << "Список";
    QTest::newRow("two dots") << "my.data.csv"
                              << "my.data";
    QTest::newRow("no extension") << "table"
                                  << "table";
    QTest::newRow("no name") << ""
                             << "Sheet1";
}

void CsvReaderTest::sheetName()
{
    QFETCH(QString, fileName);
    QFETCH(QString, sheet);
    const auto workbook = readBytes("a", fileName);
    QCOMPARE(workbook->sheetNames(), QStringList{sheet});
    QCOMPARE(workbook->activeSheetName(), sheet);
    QVERIFY(workbook->worksheet(sheet));
    QVERIFY(!workbook->worksheet(sheet + "x"));
}

void CsvReaderTest::fixtures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Records>("expected");
    QTest::newRow("utf-8 semicolons, quotes, line breaks")
        << "people.csv"
        << Records{{"Имя", "Сумма", "Заметка"},
                   {"Иванов, И.", "1,5", "строка1\nстрока2"},
                   {"Petrov", "2", "say \"hi\""},
                   {"", "", ""},
                   {"", "", "last"}};
    QTest::newRow("bom, commas, tab inside quotes") << "bom-comma.csv"
                                                    << Records{{"name", "city", ""},
                                                               {"Smith, J.", "London", ""},
                                                               {"back\\slash", "a\tb", ""},
                                                               {"", "", ""},
                                                               {"", "", ""}};
    QTest::newRow("windows-1251 tabs") << "legacy-1251.txt"
                                       << Records{{"Имя", "Город", ""},
                                                  {"Иван", "Москва", ""},
                                                  {"", "", ""},
                                                  {"", "", ""},
                                                  {"", "", ""}};
}

void CsvReaderTest::fixtures()
{
    QFETCH(QString, file);
    QFETCH(Records, expected);
    const auto workbook =
        readBytes(QuilletTest::readFile(QuilletTest::dataPath("workbooks/" + file)), file);
    const Worksheet* sheet = workbook->worksheet(workbook->activeSheetName());
    QVERIFY(sheet);
    QCOMPARE(cells(*sheet, 5, 3), expected);
}

void CsvReaderTest::cellsOutsideTheDataAreEmpty()
{
    const auto workbook = readBytes("a;b\nc\n", "t.csv");
    const Worksheet* sheet = workbook->worksheet("t");
    QVERIFY(sheet);
    QCOMPARE(sheet->cellText(1, 2), QStringLiteral("b"));
    QCOMPARE(sheet->cellText(2, 2), QString());
    QCOMPARE(sheet->cellText(0, 1), QString());
    QCOMPARE(sheet->cellText(1, 0), QString());
    QCOMPARE(sheet->cellText(-1, -1), QString());
    QCOMPARE(sheet->cellText(3, 1), QString());
    QCOMPARE(sheet->cellText(std::numeric_limits<int>::max(), 1), QString());
    QCOMPARE(sheet->cellText(1, std::numeric_limits<int>::max()), QString());
}

void CsvReaderTest::binaryContentIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(FileError, readBytes(QByteArray("a;b\0c", 5), "t.csv"));
    // A legacy workbook renamed to .csv is not read as text.
    QVERIFY_THROWS_EXCEPTION(
        FileError, readBytes(QuilletTest::readFile(QuilletTest::dataPath("workbooks/types.xls")),
                             "types.csv"));
}

void CsvReaderTest::emptyFileHasOneEmptySheet()
{
    const auto workbook = readBytes(QByteArray(), "empty.csv");
    QCOMPARE(workbook->sheetNames(), QStringList{"empty"});
    QCOMPARE(workbook->worksheet("empty")->cellText(1, 1), QString());
}

QTEST_GUILESS_MAIN(CsvReaderTest)
#include "CsvReaderTest.moc"
