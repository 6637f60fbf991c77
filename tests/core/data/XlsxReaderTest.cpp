// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "XlsxWorkbookExpectations.h"

#include "core/common/Errors.h"
#include "core/data/XlsxReader.h"

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
};

void XlsxReaderTest::matchesExpectations_data()
{
    QTest::addColumn<QString>("expectations");
    QTest::addColumn<QString>("localeKey");
    const QStringList files = expectationFiles({QStringLiteral(".xlsx"), QStringLiteral(".xlsm")});
    QVERIFY(files.size() >= 1);
    for (const QString& file : files) {
        const QString base = QFileInfo(file).fileName().section(QLatin1Char('.'), 0, 0);
        for (const char* key : {"en-US", "ru-RU"})
            QTest::newRow(qPrintable(base + QLatin1Char(' ') + QLatin1String(key)))
                << file << QString::fromLatin1(key);
    }
}

void XlsxReaderTest::matchesExpectations()
{
    QFETCH(QString, expectations);
    QFETCH(QString, localeKey);
    const QJsonObject json = QJsonDocument::fromJson(readFile(expectations)).object();
    const QString workbookPath = QFileInfo(expectations).dir().filePath(
        json.value(QStringLiteral("workbook")).toString());
    const QLocale locale(QString(localeKey).replace(QLatin1Char('-'), QLatin1Char('_')));
    const auto workbook = readXlsx(readFile(workbookPath), locale);
    const QStringList problems = compareWithExpectations(*workbook, json, localeKey);
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

QTEST_GUILESS_MAIN(XlsxReaderTest)
#include "XlsxReaderTest.moc"
