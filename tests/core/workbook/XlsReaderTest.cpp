// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"
#include "core/workbook/XlsReader.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QTest>
#include <QtEndian>

using namespace Quillet;

// types.xls was saved by LibreOffice from types.fods (beside it): values of every kind
// freexl tells apart, on two sheets.

namespace {
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Russian(QLocale::Russian, QLocale::Russia);

QString fixturePath()
{
    return QuilletTest::dataPath(QStringLiteral("workbooks/types.xls"));
}

std::unique_ptr<Workbook> readBytes(QByteArray bytes, const QLocale& locale = English)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    WorkbookOptions options;
    options.locale = locale;
    return XlsReader().read(buffer, QStringLiteral("test.xls"), options);
}
} // namespace

class XlsReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void displayedText_data();
    void displayedText();
    void sheets();
    void fileAndBufferAgree();
    void activeSheetFromWindowRecord();
    void workbookInRegularSectors();
    void brokenInput_data();
    void brokenInput();
    void dateText_data();
    void dateText();
};

void XlsReaderTest::displayedText_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    QTest::newRow("text") << 1 << 1 << "Текст" << "Текст";
    QTest::newRow("integer") << 1 << 2 << "42" << "42";
    QTest::newRow("decimal") << 2 << 2 << "1.5" << "1,5";
    QTest::newRow("third") << 3 << 2 << "0.333333333333333" << "0,333333333333333";
    QTest::newRow("19 digits") << 4 << 2 << "1.23456789012346E+018" << "1,23456789012346E+018";
    QTest::newRow("negative half") << 5 << 2 << "-0.5" << "-0,5";
    QTest::newRow("tiny") << 6 << 2 << "1.5E-10" << "1,5E-10";
    QTest::newRow("date") << 7 << 2 << "1/15/2024" << "15.01.2024";
    QTest::newRow("date and time") << 8 << 2 << "1/15/2024 13:45" << "15.01.2024 13:45";
    QTest::newRow("time") << 9 << 2 << "13:45:30" << "13:45:30";
    QTest::newRow("two paragraphs") << 10 << 2 << "строка1\nстрока2" << "строка1\nстрока2";
    QTest::newRow("negative integer") << 11 << 2 << "-123456" << "-123456";
    QTest::newRow("empty row") << 12 << 1 << "" << "";
    QTest::newRow("typographic and tab") << 13 << 1 << "ёЁ «кавычки»\ttab" << "ёЁ «кавычки»\ttab";
    QTest::newRow("fraction") << 13 << 2 << "123456.789" << "123456,789";
    QTest::newRow("beyond the data") << 14 << 1 << "" << "";
    QTest::newRow("beyond the columns") << 1 << 3 << "" << "";
    QTest::newRow("row zero") << 0 << 1 << "" << "";
    QTest::newRow("far away") << 65536 << 256 << "" << "";
}

void XlsReaderTest::displayedText()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    const QByteArray bytes = QuilletTest::readFile(fixturePath());
    const auto inEnglish = readBytes(bytes, English);
    const auto inRussian = readBytes(bytes, Russian);
    QCOMPARE(inEnglish->worksheet("Числа")->cellText(row, column), english);
    QCOMPARE(inRussian->worksheet("Числа")->cellText(row, column), russian);
}

void XlsReaderTest::sheets()
{
    const auto workbook = readBytes(QuilletTest::readFile(fixturePath()));
    QCOMPARE(workbook->sheetNames(), (QStringList{"Числа", "Второй лист"}));
    QCOMPARE(workbook->activeSheetName(), QStringLiteral("Числа"));
    const Worksheet* second = workbook->worksheet("Второй лист");
    QVERIFY(second);
    QCOMPARE(second->name(), QStringLiteral("Второй лист"));
    QCOMPARE(second->cellText(1, 1), QStringLiteral("x"));
    QCOMPARE(second->cellText(2, 3), QStringLiteral("y"));
    QCOMPARE(second->cellText(2, 1), QString());
    QVERIFY(!workbook->worksheet("числа"));
    QVERIFY(!workbook->worksheet(QString()));
}

void XlsReaderTest::fileAndBufferAgree()
{
    // A QFile is read by its path, a buffer through a temporary copy: same result.
    QFile file(fixturePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto fromFile = XlsReader().read(file, "types.xls", WorkbookOptions{English});
    const auto fromBuffer = readBytes(QuilletTest::readFile(fixturePath()));
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
    const auto workbook = readBytes(
        QuilletTest::readFile(QuilletTest::dataPath("workbooks/active-third.xls")));
    QCOMPARE(workbook->sheetNames(), (QStringList{"Первый", "Второй", "Третий"}));
    QCOMPARE(workbook->activeSheetName(), QStringLiteral("Третий"));
    QCOMPARE(workbook->worksheet("Третий")->cellText(1, 1), QStringLiteral("3"));
}

void XlsReaderTest::workbookInRegularSectors()
{
    // 400 rows make the workbook stream larger than the mini stream holds.
    const auto workbook =
        readBytes(QuilletTest::readFile(QuilletTest::dataPath("workbooks/rows400.xls")));
    const Worksheet* sheet = workbook->worksheet(workbook->activeSheetName());
    QVERIFY(sheet);
    QCOMPARE(sheet->name(), QStringLiteral("Rows"));
    for (int row : {1, 200, 400}) {
        QCOMPARE(sheet->cellText(row, 1), QStringLiteral("строка %1").arg(row));
        QCOMPARE(sheet->cellText(row, 2), QStringLiteral("%1.25").arg(row));
    }
    QCOMPARE(sheet->cellText(401, 1), QString());
}

void XlsReaderTest::brokenInput_data()
{
    const QByteArray good = QuilletTest::readFile(fixturePath());
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("a;b;c\n1;2;3\n");
    QTest::newRow("signature only") << good.left(8);
    QTest::newRow("header only") << good.left(512);
    QTest::newRow("truncated at half") << good.left(good.size() / 2);
    QTest::newRow("truncated near the end") << good.left(good.size() - 700);
    QByteArray zeroedFat = good;
    zeroedFat.replace(76, 4, QByteArray(4, '\xff'));
    QTest::newRow("no fat sector") << zeroedFat;
    QTest::newRow("zip") << QByteArray("PK\x03\x04", 4) + QByteArray(600, 'x');
    QByteArray oddSectors = good;
    oddSectors[0x1E] = 10;
    QTest::newRow("sector size 1024") << oddSectors;
    QByteArray farDirectory = good;
    const quint32 directorySector = qFromLittleEndian<quint32>(good.constData() + 0x30);
    farDirectory.replace(0x30, 4, QByteArray("\x00\x00\x00\x7f", 4));
    QTest::newRow("directory sector outside the file") << farDirectory;
    // A directory entry whose stored name length exceeds its 64-byte field made freexl
    // read far past a stack buffer (found by fuzzing).
    QByteArray longName = good;
    longName.replace(512 * (directorySector + 1) + 64, 2, QByteArray("\x00\x6f", 2));
    QTest::newRow("directory name length beyond its field") << longName;
    QTest::newRow("fuzzed directory name length") << QuilletTest::readFile(
        QuilletTest::sourcePath("fuzz/corpus/xlsreader/crash-directory-name-length.xls"));
}

void XlsReaderTest::brokenInput()
{
    QFETCH(QByteArray, bytes);
    try {
        readBytes(bytes);
        QFAIL("a broken workbook was read without an error");
    } catch (const FileError& error) {
        QVERIFY(error.message().contains(QStringLiteral("test.xls")));
    }
}

void XlsReaderTest::dateText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en_US") << English << "1/5/2024";
    QTest::newRow("ru_RU") << Russian << "05.01.2024";
    QTest::newRow("C counts as en_US") << QLocale::c() << "1/5/2024";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "05.01.2024";
}

void XlsReaderTest::dateText()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(xlsDateText(QDate(2024, 1, 5), locale), expected);
}

QTEST_GUILESS_MAIN(XlsReaderTest)
#include "XlsReaderTest.moc"
