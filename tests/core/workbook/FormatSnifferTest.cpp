// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/FormatSniffer.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QTest>

using namespace Quillet;

Q_DECLARE_METATYPE(Quillet::WorkbookFormat)

class FormatSnifferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sniff_data();
    void sniff();
};

namespace {

QByteArray fixture(const char* name)
{
    return QuilletTest::readFile(QuilletTest::dataPath(QStringLiteral("workbooks/") + name));
}

// A dBase III header of one character field, and one record.
QByteArray dbfHeader()
{
    QByteArray bytes(65, '\0');
    bytes[0] = '\x03';
    bytes[1] = char(124);
    bytes[2] = 5;
    bytes[3] = 17;
    bytes[4] = 1;
    bytes[8] = 65;
    bytes[10] = 11;
    bytes.replace(32, 4, "NAME");
    bytes[43] = 'C';
    bytes[48] = 10;
    bytes[64] = '\x0D';
    return bytes + " Anna      \x1A";
}

} // namespace

void FormatSnifferTest::sniff_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<WorkbookFormat>("format");
    const QByteArray zip("PK\x03\x04", 4);
    const QByteArray odsHead =
        zip + QByteArray(26, '\0') + "mimetype" + "application/vnd.oasis.opendocument.spreadsheet";
    const QByteArray cfb("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    // Packages whose central directory is out of reach: the extension decides.
    QTest::newRow("xlsx") << zip << "a.xlsx" << WorkbookFormat::Xlsx;
    QTest::newRow("xlsm") << zip << "a.XLSM" << WorkbookFormat::Xlsx;
    QTest::newRow("ods by extension") << zip << "a.ods" << WorkbookFormat::Ods;
    QTest::newRow("ods by mimetype") << odsHead << "a.xlsx" << WorkbookFormat::Ods;
    QTest::newRow("zip named xls") << zip << "a.xls" << WorkbookFormat::Xlsx;
    QTest::newRow("xls") << cfb << "a.xls" << WorkbookFormat::Xls;
    QTest::newRow("xls named csv") << cfb << "a.csv" << WorkbookFormat::Xls;
    QTest::newRow("csv") << QByteArray("a;b") << "a.csv" << WorkbookFormat::Csv;
    QTest::newRow("txt upper case") << QByteArray("a;b") << "A.TXT" << WorkbookFormat::Csv;
    QTest::newRow("text named xls") << QByteArray("a;b") << "a.xls" << WorkbookFormat::Unknown;
    QTest::newRow("unknown extension") << QByteArray("a;b") << "a.doc" << WorkbookFormat::Unknown;
    QTest::newRow("no extension") << QByteArray() << "data" << WorkbookFormat::Unknown;
    QTest::newRow("flat ods") << QByteArray("<?xml") << "a.fods" << WorkbookFormat::FlatOds;
    QTest::newRow("flat ods by content")
        << fixture("types.fods") << "export.xml" << WorkbookFormat::FlatOds;
    // Whole files: the content decides, whatever the name says.
    QTest::newRow("strict xlsx") << fixture("strict.xlsx") << "a.xlsx" << WorkbookFormat::Xlsx;
    QTest::newRow("xlsb") << fixture("converted.xlsb") << "a.xlsb" << WorkbookFormat::Xlsb;
    QTest::newRow("xlsb named xlsx")
        << fixture("converted.xlsb") << "a.xlsx" << WorkbookFormat::Xlsb;
    QTest::newRow("numbers") << fixture("converted.numbers") << "a.numbers"
                             << WorkbookFormat::Numbers;
    QTest::newRow("numbers named zip")
        << fixture("converted.numbers") << "a.zip" << WorkbookFormat::Numbers;
    QTest::newRow("dbf") << fixture("converted.dbf") << "a.dbf" << WorkbookFormat::Dbf;
    QTest::newRow("dbf named csv") << fixture("converted.dbf") << "a.csv" << WorkbookFormat::Dbf;
    QTest::newRow("dbf, minimal") << dbfHeader() << "a.dbf" << WorkbookFormat::Dbf;
    QTest::newRow("dbf, no terminator")
        << dbfHeader().replace(64, 1, " ") << "a.dbf" << WorkbookFormat::Unknown;
    QTest::newRow("dbf, month 13")
        << dbfHeader().replace(2, 1, "\x0D") << "a.dbf" << WorkbookFormat::Unknown;
    QTest::newRow("sylk") << fixture("converted.slk") << "a.slk" << WorkbookFormat::Sylk;
    QTest::newRow("sylk named csv") << fixture("converted.slk") << "a.csv" << WorkbookFormat::Sylk;
    QTest::newRow("dif") << QByteArray("TABLE\r\n0,1\r\n\"\"\r\n") << "a.dif"
                         << WorkbookFormat::Dif;
    QTest::newRow("excel 2003 xml")
        << QByteArray("<?xml version=\"1.0\"?>\n<Workbook xmlns=\"urn:schemas-microsoft-com:"
                      "office:spreadsheet\">")
        << "a.xml" << WorkbookFormat::ExcelXml;
    QTest::newRow("gnumeric, plain")
        << QByteArray("<?xml version=\"1.0\"?>\n<gnm:Workbook xmlns:gnm=\"http://www.gnumeric."
                      "org/v10.dtd\">")
        << "a.gnumeric" << WorkbookFormat::Gnumeric;
    QTest::newRow("gnumeric, compressed")
        << QByteArray("\x1F\x8B\x08\x00", 4) << "a.gnumeric" << WorkbookFormat::Gnumeric;
    QTest::newRow("gzip named xlsx")
        << QByteArray("\x1F\x8B\x08\x00", 4) << "a.xlsx" << WorkbookFormat::Unknown;
    QTest::newRow("openoffice 1") << zip + QByteArray(26, '\0') + "mimetype"
                                         + "application/vnd.sun.xml.calc"
                                  << "a.sxc" << WorkbookFormat::OldCalc;
    QTest::newRow("lotus wk1") << QByteArray("\x00\x00\x02\x00\x06\x04\x06\x00", 8) << "a.wk1"
                               << WorkbookFormat::Lotus;
    QTest::newRow("excel 4 worksheet")
        << QByteArray("\x09\x04\x06\x00\x00\x00\x10\x00", 8) << "a.xls" << WorkbookFormat::OldExcel;
}

void FormatSnifferTest::sniff()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fileName);
    QFETCH(WorkbookFormat, format);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(buffer.seek(qMin<qint64>(1, bytes.size())));
    QCOMPARE(sniffWorkbookFormat(buffer, fileName), format);
    // The reader that comes next starts where the device was.
    QCOMPARE(buffer.pos(), qMin<qint64>(1, bytes.size()));
}

QTEST_APPLESS_MAIN(FormatSnifferTest)
#include "FormatSnifferTest.moc"
