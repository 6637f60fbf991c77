// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WorkbookExpectations.h"

#include "core/common/Errors.h"
#include "core/workbook/OdsReader.h"

#include <QFileInfo>
#include <QTest>

#include <clocale>
#include <string>

using namespace Quillet;
using namespace QuilletTest;

namespace {

std::unique_ptr<Workbook> readOds(const QByteArray& bytes,
                                  const QLocale& locale = QLocale(QLocale::English,
                                                                  QLocale::UnitedStates))
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    WorkbookOptions options;
    options.locale = locale;
    return OdsReader().read(buffer, QStringLiteral("book.ods"), options);
}

// A flat OpenDocument spreadsheet around `tables` (table:table elements).
QByteArray flatDocument(const QString& tables, const QString& activeTable = QString(),
                        const QString& styles = QString())
{
    QString settings;
    if (!activeTable.isEmpty())
        settings = QStringLiteral(
                       "<office:settings><config:config-item-set config:name=\"ooo:view-settings\">"
                       "<config:config-item-map-indexed config:name=\"Views\">"
                       "<config:config-item-map-entry>"
                       "<config:config-item config:name=\"ActiveTable\" config:type=\"string\">%1"
                       "</config:config-item></config:config-item-map-entry>"
                       "</config:config-item-map-indexed></config:config-item-set>"
                       "</office:settings>")
                       .arg(activeTable);
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
               "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
               " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
               " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
               " xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\""
               " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
               " xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\""
               " office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">"
               "%1<office:automatic-styles>%3</office:automatic-styles>"
               "<office:body><office:spreadsheet>%2</office:spreadsheet></office:body>"
               "</office:document>")
        .arg(settings, tables, styles)
        .toUtf8();
}

// A flat document of one sheet "S" holding `rows` (table:table-row elements) after
// `columns` (table:table-column elements), with `styles` as its automatic styles.
QByteArray oneSheet(const QString& rows, const QString& styles = QString(),
                    const QString& columns = QString())
{
    return flatDocument(
        QStringLiteral("<table:table table:name=\"S\">%1%2</table:table>").arg(columns, rows),
        QString(), styles);
}

// Column default styles alternating A, B, A, B under one repeated value cell.
QByteArray alternatingColumns(int columns, int rows)
{
    const QString styles = QStringLiteral(
        "<number:number-style style:name=\"N\"><number:number number:decimal-places=\"3\" "
        "number:min-integer-digits=\"1\"/></number:number-style>"
        "<style:style style:name=\"A\" style:family=\"table-cell\"/>"
        "<style:style style:name=\"B\" style:family=\"table-cell\" "
        "style:data-style-name=\"N\"/>");
    QString columnElements;
    for (int c = 0; c < columns; ++c)
        columnElements += c % 2 ? QStringLiteral("<table:table-column "
                                                 "table:default-cell-style-name=\"B\"/>")
                                : QStringLiteral("<table:table-column "
                                                 "table:default-cell-style-name=\"A\"/>");
    const QString row = QStringLiteral("<table:table-row><table:table-cell office:value-type="
                                       "\"float\" office:value=\"1\" "
                                       "table:number-columns-repeated=\"%1\"/></table:table-row>")
                            .arg(columns);
    return oneSheet(row.repeated(rows), styles, columnElements);
}

// Restores the C library's numeric locale when a test is done with it.
class NumericLocale {
public:
    NumericLocale() : m_saved(std::setlocale(LC_NUMERIC, nullptr)) {}
    ~NumericLocale() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
    bool set(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr; }

private:
    std::string m_saved;
};

} // namespace

class OdsReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesExpectations_data();
    void matchesExpectations();
    void displayedText_data();
    void displayedText();
    void valueCells_data();
    void valueCells();
    void columnDefaultStyle();
    void craftedCells_data();
    void craftedCells();
    void valuesIgnoreNumericLocale();
    void stretchesOfColumnStylesShareText();
    void tooManyCellRunsFail();
    void uncachedFormulasAreListed();
    void repeatedRowsAndColumnsAreRuns();
    void activeSheet();
    void brokenFilesFail_data();
    void brokenFilesFail();
};

void OdsReaderTest::matchesExpectations_data()
{
    QVERIFY(addExpectationRows({QStringLiteral(".ods"), QStringLiteral(".fods")}) >= 1);
}

void OdsReaderTest::matchesExpectations()
{
    // Value cells are formatted anew under the reader's locale, as the spreadsheet
    // application shows them there, whatever locale saved the file.
    QFETCH(QString, expectations);
    QFETCH(QString, localeKey);
    const QStringList problems = checkExpectations(OdsReader(), expectations, localeKey);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void OdsReaderTest::displayedText_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "<text:p>plain</text:p>"
                           << "plain";
    QTest::newRow("paragraphs") << "<text:p>one</text:p><text:p>two</text:p>"
                                << "one\ntwo";
    QTest::newRow("spaces") << "<text:p>a<text:s text:c=\"3\"/>b<text:s/></text:p>"
                            << "a   b ";
    QTest::newRow("tab and break") << "<text:p>a<text:tab/>b<text:line-break/>c</text:p>"
                                   << "a\tb\nc";
    QTest::newRow("spans") << "<text:p><text:span>Жир</text:span>ный</text:p>"
                           << "Жирный";
    QTest::newRow("white space collapses") << "<text:p>a \n  b</text:p>"
                                           << "a b";
    QTest::newRow("annotation left out")
        << "<office:annotation><text:p>note</text:p></office:annotation><text:p>v</text:p>"
        << "v";
    QTest::newRow("empty paragraph") << "<text:p/>"
                                     << "";
}

void OdsReaderTest::displayedText()
{
    QFETCH(QString, cell);
    QFETCH(QString, expected);
    const auto workbook = readOds(flatDocument(
        QStringLiteral("<table:table table:name=\"S\"><table:table-row>"
                       "<table:table-cell office:value-type=\"string\">%1</table:table-cell>"
                       "</table:table-row></table:table>")
            .arg(cell)));
    QCOMPARE(workbook->worksheet(QStringLiteral("S"))->cellText(1, 1), expected);
}

void OdsReaderTest::valueCells_data()
{
    // A number style N, a cell of style "ce" with it, and the texts under en_US and
    // ru_RU.
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    const QString nbsp(QChar(0x00A0));
    const QString date = QStringLiteral("office:value-type=\"date\" "
                                        "office:date-value=\"2024-01-15T13:45:30\"");
    QTest::newRow("genitive month") << "<number:date-style style:name=\"N\"><number:day/>"
                                       "<number:text> </number:text><number:month number:style="
                                       "\"long\" number:textual=\"true\"/><number:text> "
                                       "</number:text><number:year number:style=\"long\"/>"
                                       "</number:date-style>"
                                    << date << "15 January 2024"
                                    << "15 января 2024";
    QTest::newRow("nominative month year")
        << "<number:date-style style:name=\"N\"><number:month number:style=\"long\" "
           "number:textual=\"true\"/><number:text> </number:text><number:year "
           "number:style=\"long\"/></number:date-style>"
        << date << "January 2024"
        << "Январь 2024";
    QTest::newRow("day name") << "<number:date-style style:name=\"N\"><number:day-of-week "
                                 "number:style=\"long\"/></number:date-style>"
                              << date << "Monday"
                              << "понедельник";
    QTest::newRow("en-US style keeps its language")
        << "<number:date-style style:name=\"N\" number:language=\"en\" number:country=\"US\">"
           "<number:month number:style=\"long\" number:textual=\"true\"/><number:text> "
           "</number:text><number:day/></number:date-style>"
        << date << "January 15"
        << "January 15";
    QTest::newRow("ru-RU style keeps its language")
        << "<number:number-style style:name=\"N\" number:language=\"ru\" "
           "number:country=\"RU\"><number:number number:decimal-places=\"2\" "
           "number:min-integer-digits=\"1\" number:grouping=\"true\"/></number:number-style>"
        << "office:value-type=\"float\" office:value=\"1234.5\""
        << "1" + nbsp + "234,50"
        << "1" + nbsp + "234,50";
    QTest::newRow("automatic order is the locale's date")
        << "<number:date-style style:name=\"N\" number:automatic-order=\"true\"><number:day "
           "number:style=\"long\"/><number:text>.</number:text><number:month number:style="
           "\"long\"/><number:text>.</number:text><number:year number:style=\"long\"/>"
           "</number:date-style>"
        << date << "01/15/2024"
        << "15.01.2024";
    QTest::newRow("time with seconds fraction")
        << "<number:time-style style:name=\"N\"><number:hours number:style=\"long\"/>"
           "<number:text>:</number:text><number:minutes number:style=\"long\"/><number:text>:"
           "</number:text><number:seconds number:style=\"long\" number:decimal-places=\"1\"/>"
           "</number:time-style>"
        << "office:value-type=\"time\" office:time-value=\"PT13H45M30.26S\""
        << "13:45:30.3"
        << "13:45:30,3";
    QTest::newRow("elapsed hours") << "<number:time-style style:name=\"N\" "
                                      "number:truncate-on-overflow=\"false\"><number:hours/>"
                                      "<number:text>:</number:text><number:minutes number:style="
                                      "\"long\"/></number:time-style>"
                                   << "office:value-type=\"time\" office:time-value=\"P1DT12H\""
                                   << "36:00"
                                   << "36:00";
    QTest::newRow("boolean style") << "<number:boolean-style style:name=\"N\"><number:boolean/>"
                                      "</number:boolean-style>"
                                   << "office:value-type=\"boolean\" office:boolean-value="
                                      "\"false\""
                                   << "FALSE"
                                   << "ЛОЖЬ";
    QTest::newRow("percentage") << "<number:percentage-style style:name=\"N\"><number:number "
                                   "number:decimal-places=\"1\" number:min-integer-digits="
                                   "\"1\"/><number:text>%</number:text></number:percentage-style>"
                                << "office:value-type=\"percentage\" office:value=\"0.1234\""
                                << "12.3%"
                                << "12,3%";
    QTest::newRow("currency of the locale")
        << "<number:currency-style style:name=\"N\"><number:number number:decimal-places="
           "\"2\" number:min-integer-digits=\"1\"/><number:text> </number:text>"
           "<number:currency-symbol/></number:currency-style>"
        << "office:value-type=\"currency\" office:value=\"5\""
        << "5.00$"
        << "5,00₽";
    QTest::newRow("negative section from a map")
        << "<number:number-style style:name=\"P\"><number:number number:decimal-places=\"2\" "
           "number:min-integer-digits=\"1\"/></number:number-style><number:number-style "
           "style:name=\"N\"><number:text>(</number:text><number:number number:decimal-places="
           "\"2\" number:min-integer-digits=\"1\"/><number:text>)</number:text><style:map "
           "style:condition=\"value()&gt;=0\" style:apply-style-name=\"P\"/>"
           "</number:number-style>"
        << "office:value-type=\"float\" office:value=\"-3.14159\""
        << "(3.14)"
        << "(3,14)";
    QTest::newRow("embedded text") << "<number:number-style style:name=\"N\"><number:number "
                                      "number:min-integer-digits=\"6\"><number:embedded-text "
                                      "number:position=\"2\">-</number:embedded-text>"
                                      "</number:number></number:number-style>"
                                   << "office:value-type=\"float\" office:value=\"1234\""
                                   << "0012-34"
                                   << "0012-34";
    QTest::newRow("text cell keeps its paragraph")
        << "<number:number-style style:name=\"N\"><number:number/></number:number-style>"
        << "office:value-type=\"string\""
        << "stored"
        << "stored";
}

void OdsReaderTest::valueCells()
{
    QFETCH(QString, style);
    QFETCH(QString, cell);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    const QString styles = style
                           + QStringLiteral("<style:style style:name=\"ce\" "
                                            "style:family=\"table-cell\" "
                                            "style:data-style-name=\"N\"/>");
    const QString tables = QStringLiteral("<table:table table:name=\"S\"><table:table-row>"
                                          "<table:table-cell table:style-name=\"ce\" %1>"
                                          "<text:p>stored</text:p></table:table-cell>"
                                          "</table:table-row></table:table>")
                               .arg(cell);
    const QByteArray document = flatDocument(tables, QString(), styles);
    const QLocale russianLocale(QLocale::Russian, QLocale::Russia);
    QCOMPARE(readOds(document)->worksheet(QStringLiteral("S"))->cellText(1, 1), english);
    QCOMPARE(readOds(document, russianLocale)->worksheet(QStringLiteral("S"))->cellText(1, 1),
             russian);
}

void OdsReaderTest::columnDefaultStyle()
{
    // A cell without a style of its own takes its column's default cell style.
    const QString styles = QStringLiteral(
        "<number:number-style style:name=\"N\"><number:number number:decimal-places=\"3\" "
        "number:min-integer-digits=\"1\"/></number:number-style>"
        "<style:style style:name=\"ce\" style:family=\"table-cell\" "
        "style:data-style-name=\"N\"/>");
    const QString tables = QStringLiteral(
        "<table:table table:name=\"S\"><table:table-column table:number-columns-repeated=\"2\"/>"
        "<table:table-column table:default-cell-style-name=\"ce\"/><table:table-row>"
        "<table:table-cell table:number-columns-repeated=\"3\" office:value-type=\"float\" "
        "office:value=\"0.5\"/></table:table-row></table:table>");
    const auto workbook = readOds(flatDocument(tables, QString(), styles));
    QCOMPARE(workbook->worksheet(QStringLiteral("S"))->cellText(1, 2), QStringLiteral("0.5"));
    QCOMPARE(workbook->worksheet(QStringLiteral("S"))->cellText(1, 3), QStringLiteral("0.500"));
}

void OdsReaderTest::craftedCells_data()
{
    // Cell (row, column) of sheet S shows text starting with `prefix` whose length lies
    // in [minLength, maxLength].
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<int>("maxLength");
    const QString cell = QStringLiteral("<table:table-row>%1</table:table-row>");
    const QString selfMaps = QStringLiteral("<style:map style:condition=\"value()&gt;0\" "
                                            "style:apply-style-name=\"N\"/>")
                                 .repeated(3);
    const QString styled = QStringLiteral("<style:style style:name=\"ce\" "
                                          "style:family=\"table-cell\" "
                                          "style:data-style-name=\"N\"/>");
    QTest::newRow("style mapping to itself")
        << oneSheet(cell.arg("<table:table-cell table:style-name=\"ce\" office:value-type="
                             "\"float\" office:value=\"5\"/>"),
                    "<number:number-style style:name=\"N\"><number:number/>" + selfMaps
                        + "</number:number-style>" + styled)
        << 1 << 1 << "5" << 1 << 1;
    // Each map used to repeat the whole code of its target, maps included.
    QTest::newRow("self-mapped style with a huge body")
        << oneSheet(cell.arg("<table:table-cell table:style-name=\"ce\" office:value-type="
                             "\"float\" office:value=\"5\"/>"),
                    "<number:number-style style:name=\"N\">"
                        + QStringLiteral("<number:text>x</number:text>").repeated(20000) + selfMaps
                        + "</number:number-style>" + styled)
        << 1 << 1 << "xxxxxxxx" << 100 << 1024;
    QTest::newRow("spaces beyond a cell's capacity")
        << oneSheet(cell.arg("<table:table-cell><text:p>"
                             + QStringLiteral("<text:s text:c=\"1024\"/>").repeated(40)
                             + "<text:tab/><text:line-break/>end</text:p></table:table-cell>"))
        << 1 << 1 << QString(32767, QLatin1Char(' ')) << 32767 << 32767;
    QTest::newRow("letters beyond a cell's capacity")
        << oneSheet(cell.arg("<table:table-cell><text:p>" + QString(40000, QChar(0x044F))
                             + "</text:p><text:p>more</text:p></table:table-cell>"))
        << 1 << 1 << QString(32767, QChar(0x044F)) << 32767 << 32767;
    // A repeat count near 2^64 used to wrap the counter, so later rows and cells landed
    // back at the top left.
    QTest::newRow("row repeat near 2^64")
        << oneSheet("<table:table-row table:number-rows-repeated=\"18446744073709551615\">"
                    "<table:table-cell/></table:table-row>"
                    + cell.arg("<table:table-cell><text:p>a</text:p></table:table-cell>")
                    + cell.arg("<table:table-cell><text:p>b</text:p></table:table-cell>"))
        << 1 << 1 << "" << 0 << 0;
    QTest::newRow("column repeat near 2^64")
        << oneSheet(cell.arg("<table:table-cell table:number-columns-repeated="
                             "\"18446744073709551615\"/>"
                             "<table:table-cell><text:p>a</text:p></table:table-cell>"
                             "<table:table-cell><text:p>b</text:p></table:table-cell>"))
        << 1 << 1 << "" << 0 << 0;
    // LibreOffice shows the string value of a cell written without paragraphs, through
    // the text section of its style.
    QTest::newRow("string value without paragraph")
        << oneSheet(cell.arg("<table:table-cell office:value-type=\"string\" "
                             "office:string-value=\"only\"/>"))
        << 1 << 1 << "only" << 4 << 4;
    QTest::newRow("string value through a text style")
        << oneSheet(cell.arg("<table:table-cell table:style-name=\"ce\" office:value-type="
                             "\"string\" office:string-value=\"only\"/>"),
                    "<number:text-style style:name=\"N\"><number:text>&lt;</number:text>"
                    "<number:text-content/><number:text>&gt;</number:text>"
                    "</number:text-style>"
                        + styled)
        << 1 << 1 << "<only>" << 6 << 6;
    QTest::newRow("paragraph shown over string value")
        << oneSheet(cell.arg("<table:table-cell office:value-type=\"string\" "
                             "office:string-value=\"value\"><text:p>shown</text:p>"
                             "</table:table-cell>"))
        << 1 << 1 << "shown" << 5 << 5;
}

void OdsReaderTest::craftedCells()
{
    QFETCH(QByteArray, document);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, prefix);
    QFETCH(int, minLength);
    QFETCH(int, maxLength);
    const QString text = readOds(document)->worksheet(QStringLiteral("S"))->cellText(row, column);
    QVERIFY2(text.left(prefix.size()) == prefix, qPrintable(visible(text.left(80))));
    QVERIFY2(text.size() >= minLength && text.size() <= maxLength,
             qPrintable(QString::number(text.size())));
}

void OdsReaderTest::valuesIgnoreNumericLocale()
{
    // QCoreApplication takes the C library locale from the environment; under ru_RU the
    // decimal point of strtod and sscanf is a comma.
    NumericLocale numeric;
    if (!numeric.set("ru_RU.UTF-8"))
        QSKIP("the ru_RU.UTF-8 locale is not generated on this machine");
    const QString styles = QStringLiteral(
        "<number:time-style style:name=\"N\"><number:hours number:style=\"long\"/>"
        "<number:text>:</number:text><number:minutes number:style=\"long\"/><number:text>:"
        "</number:text><number:seconds number:style=\"long\" number:decimal-places=\"1\"/>"
        "</number:time-style><style:style style:name=\"ce\" style:family=\"table-cell\" "
        "style:data-style-name=\"N\"/>");
    const QString rows = QStringLiteral(
        "<table:table-row><table:table-cell table:style-name=\"ce\" office:value-type=\"time\" "
        "office:time-value=\"PT12H30M05.5S\"/><table:table-cell table:style-name=\"ce\" "
        "office:value-type=\"date\" office:date-value=\"2024-01-15T13:45:30.5\"/>"
        "</table:table-row>");
    const auto workbook = readOds(oneSheet(rows, styles));
    const Worksheet* sheet = workbook->worksheet(QStringLiteral("S"));
    QCOMPARE(sheet->cellText(1, 1), QStringLiteral("12:30:05.5"));
    QCOMPARE(sheet->cellText(1, 2), QStringLiteral("13:45:30.5"));
}

void OdsReaderTest::stretchesOfColumnStylesShareText()
{
    const auto workbook = readOds(alternatingColumns(6, 2));
    const Worksheet* sheet = workbook->worksheet(QStringLiteral("S"));
    for (int row = 1; row <= 2; ++row) {
        for (int column = 1; column <= 6; ++column)
            QCOMPARE(sheet->cellText(row, column),
                     column % 2 ? QStringLiteral("1") : QStringLiteral("1.000"));
    }
    QCOMPARE(sheet->cellText(1, 7), QString());
}

void OdsReaderTest::tooManyCellRunsFail()
{
    // Each row is 16,384 cells of alternating text from a hundred bytes of XML; ten
    // thousand such rows used to take gigabytes. A hundred already ask for too much.
    QVERIFY_THROWS_EXCEPTION(FileError, readOds(alternatingColumns(16384, 100)));
    // Short of that limit the same sheet reads.
    const auto workbook = readOds(alternatingColumns(16384, 8));
    QCOMPARE(workbook->worksheet(QStringLiteral("S"))->cellText(8, 16384), QStringLiteral("1.000"));
}

void OdsReaderTest::uncachedFormulasAreListed()
{
    const QString tables =
        QStringLiteral("<table:table table:name=\"F\"><table:table-row>"
                       "<table:table-cell table:formula=\"of:=1+1\"/>"
                       "<table:table-cell table:formula=\"of:=2+2\" office:value-type=\"float\" "
                       "office:value=\"4\"><text:p>4</text:p></table:table-cell>"
                       "</table:table-row><table:table-row table:number-rows-repeated=\"2\">"
                       "<table:table-cell/><table:table-cell table:formula=\"of:=[.A1]\"/>"
                       "</table:table-row></table:table>");
    const auto workbook = readOds(flatDocument(tables));
    const std::vector<FormulaCell> expected = {
        {QStringLiteral("F"), 1, 1}, {QStringLiteral("F"), 2, 2}, {QStringLiteral("F"), 3, 2}};
    QVERIFY(workbook->uncachedFormulas() == expected);
    QCOMPARE(workbook->worksheet(QStringLiteral("F"))->cellText(1, 1), QString());
    QCOMPARE(workbook->worksheet(QStringLiteral("F"))->cellText(1, 2), QStringLiteral("4"));
}

void OdsReaderTest::repeatedRowsAndColumnsAreRuns()
{
    // A million repeated rows and columns must be cheap, and repeated cells repeat
    // their text; cells without stored text show their value.
    const QString tables = QStringLiteral(
        "<table:table table:name=\"Big\">"
        "<table:table-row table:number-rows-repeated=\"2\">"
        "<table:table-cell table:number-columns-repeated=\"3\"><text:p>x</text:p>"
        "</table:table-cell><table:table-cell table:number-columns-repeated=\"16000\"/>"
        "</table:table-row>"
        "<table:table-row table:number-rows-repeated=\"1048570\"><table:table-cell "
        "table:number-columns-repeated=\"1024\"/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"4000000000\"><table:table-cell "
        "table:number-columns-repeated=\"99999999999\"><text:p>beyond</text:p>"
        "</table:table-cell></table:table-row>"
        "</table:table>"
        "<table:table table:name=\"Values\"><table:table-row>"
        "<table:table-cell office:value-type=\"float\" office:value=\"0.5\"/>"
        "<table:covered-table-cell/>"
        "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
        "</table:table-row></table:table>");
    const auto workbook = readOds(flatDocument(tables), QLocale(QLocale::Russian));
    const Worksheet* big = workbook->worksheet(QStringLiteral("Big"));
    QVERIFY(big);
    QCOMPARE(big->cellText(1, 1), QStringLiteral("x"));
    QCOMPARE(big->cellText(2, 3), QStringLiteral("x"));
    QCOMPARE(big->cellText(2, 4), QString());
    QCOMPARE(big->cellText(3, 1), QString());
    QCOMPARE(big->cellText(1048572, 1), QString());
    QCOMPARE(big->cellText(1048573, 1), QStringLiteral("beyond"));
    QCOMPARE(big->cellText(1048576, 16384), QStringLiteral("beyond"));
    QCOMPARE(big->cellText(1048577, 1), QString());
    QCOMPARE(big->cellText(0, 1), QString());
    const Worksheet* values = workbook->worksheet(QStringLiteral("Values"));
    QCOMPARE(values->cellText(1, 1), QStringLiteral("0,5"));
    QCOMPARE(values->cellText(1, 2), QString());
    QCOMPARE(values->cellText(1, 3), QStringLiteral("ИСТИНА"));
}

void OdsReaderTest::activeSheet()
{
    const QString tables = QStringLiteral("<table:table table:name=\"A\"/>"
                                          "<table:table table:name=\"B\"/>");
    QCOMPARE(readOds(flatDocument(tables, QStringLiteral("B")))->activeSheetName(),
             QStringLiteral("B"));
    QCOMPARE(readOds(flatDocument(tables))->activeSheetName(), QStringLiteral("A"));
    QCOMPARE(readOds(flatDocument(tables, QStringLiteral("gone")))->activeSheetName(),
             QStringLiteral("A"));
    const auto lo = readOds(readFile(dataPath(QStringLiteral("workbooks/cases-lo-ods.ods"))));
    // Saved without a view (headless), so no ActiveTable: the first sheet.
    QCOMPARE(lo->activeSheetName(), QStringLiteral("Cases"));
    QCOMPARE(lo->sheetNames(), QStringList({QStringLiteral("Cases"), QStringLiteral("Repeat"),
                                            QStringLiteral("Errors")}));
}

void OdsReaderTest::brokenFilesFail_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray ods = readFile(dataPath(QStringLiteral("workbooks/cases-lo-ods.ods")));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated zip") << ods.left(ods.size() / 2);
    QTest::newRow("zip without content") << QByteArray("PK\x05\x06" + QByteArray(18, '\0'));
    QTest::newRow("malformed xml") << QByteArray("<office:document><office:body>");
    QTest::newRow("no sheets") << flatDocument(QString());
    QTest::newRow("doctype") << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a "
                                           "\"aaaa\">]><x>&a;</x>");
}

void OdsReaderTest::brokenFilesFail()
{
    QFETCH(QByteArray, bytes);
    QVERIFY_THROWS_EXCEPTION(FileError, readOds(bytes));
}

QTEST_GUILESS_MAIN(OdsReaderTest)
#include "OdsReaderTest.moc"
