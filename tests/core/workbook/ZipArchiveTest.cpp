// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// What a damaged workbook container says, in Russian from end to end: libzip's English
// reasons never reach the user.

#include "core/common/Errors.h"
#include "core/workbook/ZipArchive.h"

#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

using namespace Quillet;

namespace {

using Damage = std::function<void(QByteArray&)>;

// The offset of the local header of the entry `name` in a zip file.
qsizetype localHeaderOf(const QByteArray& zip, const QByteArray& name)
{
    for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0;
         at = zip.indexOf("PK\x03\x04", at + 4)) {
        const int nameLength = uchar(zip[at + 26]) | uchar(zip[at + 27]) << 8;
        if (zip.mid(at + 30, nameLength) == name)
            return at;
    }
    return -1;
}

// Every byte of the entry's compressed data inverted.
void spoilEntry(QByteArray& zip, const QByteArray& name)
{
    const qsizetype header = localHeaderOf(zip, name);
    QVERIFY(header >= 0);
    const auto le16 = [&zip](qsizetype at) { return uchar(zip[at]) | uchar(zip[at + 1]) << 8; };
    const qsizetype data = header + 30 + le16(header + 26) + le16(header + 28);
    const qsizetype size = qsizetype(le16(header + 18)) | qsizetype(le16(header + 20)) << 16;
    for (qsizetype i = data; i < data + size; ++i)
        zip[i] = char(~zip[i]);
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class ZipArchiveTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedContainers_data();
    void damagedContainers();
    void libzipCodes_data();
    void libzipCodes();
};

void ZipArchiveTest::damagedContainers_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("cut in half") << Damage([](QByteArray& zip) { zip.truncate(zip.size() / 2); })
                                 << "Файл не является zip-архивом";
    QTest::newRow("directory out of step with the entries")
        << Damage([](QByteArray& zip) {
               // The directory places the sheet's entry beyond the end of the file: the
               // high byte of the entry's offset is the last field before its name.
               const qsizetype name = zip.lastIndexOf("xl/worksheets/sheet1.xml");
               QVERIFY(name >= 46);
               zip[name - 1] = char(0x7f);
           })
        << "Не удаётся открыть часть книги xl/worksheets/sheet1.xml (архив повреждён: его "
           "оглавление указывает за пределы файла)";
    QTest::newRow("compressed data spoilt")
        << Damage([](QByteArray& zip) { spoilEntry(zip, "xl/worksheets/sheet1.xml"); })
        << "Часть книги xl/worksheets/sheet1.xml повреждена (сжатые данные испорчены)";
}

void ZipArchiveTest::damagedContainers()
{
    QFETCH(Damage, damage);
    QFETCH(QString, message);
    QByteArray zip = QuilletTest::readFile(QuilletTest::dataPath("workbooks/series.xlsx"));
    damage(zip);
    try {
        ZipArchive archive(zip);
        archive.read(QStringLiteral("xl/worksheets/sheet1.xml"));
        QFAIL("the damage went unnoticed");
    } catch (const FileError& e) {
        QCOMPARE(e.message(), message);
    }
}

void ZipArchiveTest::libzipCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("detail");
    QTest::addColumn<QString>("text");
    QTest::newRow("CRC") << 7 << 0 << "контрольная сумма не сходится: данные испорчены";
    QTest::newRow("zlib, data cut short")
        << 13 << -5 << "сжатые данные испорчены (сжатые данные оборваны)";
    QTest::newRow("zlib, an unknown detail") << 13 << -99 << "сжатые данные испорчены";
    QTest::newRow("inconsistent") << 21 << 0
                                  << "архив повреждён: его оглавление не сходится с содержимым";
    QTest::newRow("compression method") << 16 << 0 << "способ сжатия не поддерживается";
    QTest::newRow("encrypted") << 24 << 0 << "архив зашифрован";
    // Changing an archive never happens here: its codes keep libzip's words, as does a
    // code to come.
    QTest::newRow("read-only archive") << 25 << 0 << "Read-only archive";
    QTest::newRow("unknown code") << 999 << 0 << "Unknown error 999";
}

void ZipArchiveTest::libzipCodes()
{
    QFETCH(int, code);
    QFETCH(int, detail);
    QFETCH(QString, text);
    QCOMPARE(zipErrorText(code, detail), text);
}

QTEST_GUILESS_MAIN(ZipArchiveTest)
#include "ZipArchiveTest.moc"
