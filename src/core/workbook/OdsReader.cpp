// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/OdsReader.h"

#include "core/common/Errors.h"
#include "core/numfmt/NumberFormat.h"
#include "core/workbook/OdsStyles.h"
#include "core/workbook/OdsValues.h"
#include "core/workbook/XlsxReader.h"
#include "core/workbook/XmlStream.h"

#include <QCoreApplication>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace Quillet {

namespace {

constexpr quint64 MaxRows = 1048576;
constexpr quint64 MaxColumns = 16384;
constexpr qint64 MaxFileBytes = qint64(1) << 30;
// Formula cells without results are listed one by one; a repeated block of them must
// not make the list huge.
constexpr size_t MaxUncachedFormulas = 100000;
// What a spreadsheet cell holds at most; <text:s text:c="1024"/> must not go beyond it.
constexpr size_t MaxCellChars = 32767;
// A repeated cell crossing columns of different default styles becomes a run per stretch;
// a few hundred bytes of XML may then ask for millions of runs. Beyond these (for the
// whole workbook) the file fails as too large rather than exhaust memory.
constexpr size_t MaxSplitRuns = size_t(1) << 20;
constexpr qsizetype MaxTextUnits = qsizetype(128) << 20;
constexpr quint32 NoText = 0xffffffffu;

bool named(const char* name, const char* expected)
{
    return std::strcmp(name, expected) == 0;
}

struct CellRun {
    quint32 firstColumn;
    quint32 count;
    quint32 text;
};

struct RowRun {
    quint32 firstRow;
    quint32 count;
    quint32 cellBegin;
    quint32 cellEnd;
};

class OdsWorksheet : public Worksheet {
public:
    explicit OdsWorksheet(const QString& name) : m_name(name) {}
    QString name() const override { return m_name; }
    QString cellText(int row, int column) const override;
    CellContent cellContent(int row, int column) const override;
    int lastRow() const override;
    int lastColumn() const override;

    std::vector<RowRun> rows;
    std::vector<CellRun> cells;
    std::vector<QString> texts;
    /// Parallel to texts: whether the text shows a value (number, date, boolean…)
    /// rather than a string.
    std::vector<bool> valueTexts;

private:
    quint32 textAt(int row, int column) const;

    QString m_name;
};

QString OdsWorksheet::cellText(int row, int column) const
{
    const quint32 text = textAt(row, column);
    return text == NoText ? QString() : texts[text];
}

CellContent OdsWorksheet::cellContent(int row, int column) const
{
    const quint32 text = textAt(row, column);
    if (text == NoText)
        return CellContent::Empty;
    return valueTexts[text] ? CellContent::Value : CellContent::Text;
}

int OdsWorksheet::lastRow() const
{
    return rows.empty() ? 0 : int(rows.back().firstRow + rows.back().count - 1);
}

int OdsWorksheet::lastColumn() const
{
    quint32 last = 0;
    for (const CellRun& run : cells)
        last = std::max(last, run.firstColumn + run.count - 1);
    return int(last);
}

// Index into texts of the cell, NoText where it shows nothing.
quint32 OdsWorksheet::textAt(int row, int column) const
{
    if (row < 1 || column < 1)
        return NoText;
    const quint32 r = quint32(row);
    const quint32 c = quint32(column);
    auto rowIt =
        std::upper_bound(rows.begin(), rows.end(), r,
                         [](quint32 value, const RowRun& run) { return value < run.firstRow; });
    if (rowIt == rows.begin())
        return NoText;
    --rowIt;
    if (r >= quint64(rowIt->firstRow) + rowIt->count)
        return NoText;
    const auto begin = cells.begin() + rowIt->cellBegin;
    const auto end = cells.begin() + rowIt->cellEnd;
    auto cellIt = std::upper_bound(
        begin, end, c, [](quint32 value, const CellRun& run) { return value < run.firstColumn; });
    if (cellIt == begin)
        return NoText;
    --cellIt;
    if (c >= quint64(cellIt->firstColumn) + cellIt->count)
        return NoText;
    return cellIt->text;
}

class OdsWorkbook : public Workbook {
public:
    QStringList sheetNames() const override { return names; }
    QString activeSheetName() const override
    {
        return names.contains(active) ? active : names.value(0);
    }
    const Worksheet* worksheet(const QString& name) const override
    {
        const int index = int(names.indexOf(name));
        return index < 0 ? nullptr : sheets[size_t(index)].get();
    }

    QStringList names;
    std::vector<std::unique_ptr<OdsWorksheet>> sheets;
    QString active;
};

quint64 repeatCount(const char* text)
{
    if (!text)
        return 1;
    const unsigned long long value = std::strtoull(text, nullptr, 10);
    return value == 0 ? 1 : value;
}

// `position` moved on by `count`, stopping at `limit`: repeat counts may be as large as
// the file cares to write.
quint64 advance(quint64 position, quint64 count, quint64 limit)
{
    return position >= limit || count >= limit - position ? limit : position + count;
}

FileError tooLarge()
{
    return FileError(QCoreApplication::translate("Quillet::OdsReader",
                                                 "Таблица слишком велика: в ней больше ячеек или "
                                                 "текста, чем можно прочитать"));
}

struct StyleRun {
    quint64 firstColumn;
    quint64 count;
    std::string style;
};

struct CellValue {
    std::string type;
    std::string number;
    std::string date;
    std::string time;
    std::string boolean;
    std::string string; // office:string-value, shown instead of the paragraphs
    std::string style;
    bool formula = false;
    bool error = false; // an error value: its paragraph holds the error's code
    void clear() { *this = CellValue(); }
};

// Walks content.xml (or a flat document): styles, tables, rows, cells and the
// paragraphs of each cell, plus the ActiveTable setting when the settings are in the
// same stream.
class ContentHandler : public XmlHandler {
public:
    ContentHandler(OdsWorkbook& workbook, OdsStyles& styles, const QLocale& locale)
        : m_workbook(workbook), m_styles(styles), m_locale(locale)
    {
    }
    void startElement(const char* name, const char** attributes) override;
    void endElement(const char* name) override;
    void characters(const char* data, int length) override;

private:
    void startTableElement(const char* name, const char** attributes);
    void startCell(const char** attributes);
    void endCell();
    void endRow();
    bool valueText(QString* text);
    const std::string& columnStyle(quint64 column) const;
    quint64 columnStyleEnd(quint64 column) const;
    const std::string& cellStyleName() const;
    QString cellText();
    quint32 textIndex(const std::string& style);
    void addRun(quint64 first, quint64 count, quint32 text);
    void appendChars(char c, size_t count);
    void appendByte(char c);
    void reportFormula(quint64 first, quint64 count);

    OdsWorkbook& m_workbook;
    OdsStyles& m_styles;
    QLocale m_locale;
    int m_styleDepth = 0;        // inside office:styles or office:automatic-styles
    double m_nullDateOffset = 0; // null date minus 30 Dec 1899, in days
    OdsWorksheet* m_sheet = nullptr;
    std::vector<StyleRun> m_columnStyles;
    quint64 m_nextColumn = 1;
    std::string m_rowStyle;
    quint64 m_row = 1; // first row of the current row element
    quint64 m_rowRepeat = 1;
    quint64 m_column = 1; // first column of the current cell
    quint64 m_cellRepeat = 1;
    quint64 m_styleColumn = 1; // column whose default style a cell without one takes
    size_t m_rowCellsBegin = 0;
    bool m_inCell = false;
    int m_paragraphDepth = 0;
    int m_paragraphs = 0;
    int m_skipDepth = 0; // inside annotations and drawings
    bool m_pendingSpace = false;
    std::string m_text;          // UTF-8
    size_t m_textChars = 0;      // characters in m_text
    bool m_droppingChar = false; // the character being written is past the cell's limit
    CellValue m_value;
    std::map<std::string, quint32> m_cellTexts; // text index of the cell per column style
    size_t m_splitRuns = 0;                     // runs beyond the first of each cell element
    qsizetype m_textUnits = 0;
    bool m_inActiveTable = false;
    std::string m_activeTable;
};

void ContentHandler::startElement(const char* name, const char** attributes)
{
    if (m_skipDepth > 0) {
        ++m_skipDepth;
        return;
    }
    if (m_styleDepth > 0) {
        ++m_styleDepth;
        m_styles.startElement(name, attributes);
        return;
    }
    if ((named(name, "automatic-styles") || named(name, "styles")) && !m_sheet) {
        m_styleDepth = 1;
    } else if (named(name, "null-date")) {
        double serial = 0;
        const char* value = XmlStream::attribute(attributes, "date-value");
        if (value && parseDateValue(value, &serial))
            m_nullDateOffset = serial;
    } else if (named(name, "table") && !m_inCell) {
        const char* sheetName = XmlStream::attribute(attributes, "name");
        auto sheet = std::make_unique<OdsWorksheet>(QString::fromUtf8(sheetName ? sheetName : ""));
        m_sheet = sheet.get();
        m_workbook.names << m_sheet->name();
        m_workbook.sheets.push_back(std::move(sheet));
        m_row = 1;
        m_columnStyles.clear();
        m_nextColumn = 1;
    } else if (m_sheet && !m_inCell) {
        startTableElement(name, attributes);
    } else if (m_inCell && (named(name, "p") || named(name, "h"))) {
        if (m_paragraphDepth == 0 && m_paragraphs++ > 0)
            appendChars('\n', 1);
        ++m_paragraphDepth;
        m_pendingSpace = false;
    } else if (m_paragraphDepth > 0 && named(name, "s")) {
        const quint64 count =
            std::min<quint64>(repeatCount(XmlStream::attribute(attributes, "c")), 1024);
        appendChars(' ', size_t(count));
    } else if (m_paragraphDepth > 0 && named(name, "tab")) {
        appendChars('\t', 1);
    } else if (m_paragraphDepth > 0 && named(name, "line-break")) {
        appendChars('\n', 1);
    } else if (named(name, "annotation") || named(name, "frame") || named(name, "note")) {
        m_skipDepth = 1;
    } else if (named(name, "config-item")) {
        const char* item = XmlStream::attribute(attributes, "name");
        m_inActiveTable = item && named(item, "ActiveTable") && m_activeTable.empty();
    }
}

// Columns, rows and cells of the current table.
void ContentHandler::startTableElement(const char* name, const char** attributes)
{
    if (named(name, "table-column")) {
        const quint64 count =
            repeatCount(XmlStream::attribute(attributes, "number-columns-repeated"));
        const char* style = XmlStream::attribute(attributes, "default-cell-style-name");
        if (style && m_nextColumn <= MaxColumns && m_columnStyles.size() < MaxColumns)
            m_columnStyles.push_back({m_nextColumn, count, style});
        m_nextColumn = advance(m_nextColumn, count, MaxColumns + 1);
    } else if (named(name, "table-row")) {
        m_rowRepeat = repeatCount(XmlStream::attribute(attributes, "number-rows-repeated"));
        const char* style = XmlStream::attribute(attributes, "default-cell-style-name");
        m_rowStyle = style ? style : "";
        m_column = 1;
        m_rowCellsBegin = m_sheet->cells.size();
    } else if (named(name, "table-cell") || named(name, "covered-table-cell")) {
        startCell(attributes);
    } else if (named(name, "annotation") || named(name, "frame") || named(name, "note")) {
        m_skipDepth = 1;
    }
}

void ContentHandler::startCell(const char** attributes)
{
    m_inCell = true;
    m_cellRepeat = repeatCount(XmlStream::attribute(attributes, "number-columns-repeated"));
    m_text.clear();
    m_textChars = 0;
    m_droppingChar = false;
    m_paragraphs = 0;
    m_value.clear();
    for (const char** a = attributes; *a; a += 2) {
        const char* key = a[0];
        // calcext:value-type repeats office:value-type with error types of its own.
        if (std::strncmp(key, "office:", 7) != 0 && std::strncmp(key, "table:", 6) != 0) {
            m_value.error =
                m_value.error
                || (named(XmlStream::localName(key), "value-type") && named(a[1], "error"));
            continue;
        }
        key = XmlStream::localName(key);
        if (named(key, "value-type"))
            m_value.type = a[1];
        else if (named(key, "value"))
            m_value.number = a[1];
        else if (named(key, "date-value"))
            m_value.date = a[1];
        else if (named(key, "time-value"))
            m_value.time = a[1];
        else if (named(key, "boolean-value"))
            m_value.boolean = a[1];
        else if (named(key, "string-value"))
            m_value.string = a[1];
        else if (named(key, "style-name"))
            m_value.style = a[1];
        else if (named(key, "formula"))
            m_value.formula = true;
    }
}

const std::string& ContentHandler::columnStyle(quint64 column) const
{
    static const std::string none;
    auto it = std::upper_bound(
        m_columnStyles.begin(), m_columnStyles.end(), column,
        [](quint64 value, const StyleRun& run) { return value < run.firstColumn; });
    if (it == m_columnStyles.begin())
        return none;
    --it;
    return column < it->firstColumn + it->count ? it->style : none;
}

// The first column after `column` whose default cell style may differ from its own.
quint64 ContentHandler::columnStyleEnd(quint64 column) const
{
    auto it = std::upper_bound(
        m_columnStyles.begin(), m_columnStyles.end(), column,
        [](quint64 value, const StyleRun& run) { return value < run.firstColumn; });
    if (it != m_columnStyles.begin() && column < std::prev(it)->firstColumn + std::prev(it)->count)
        return std::prev(it)->firstColumn + std::prev(it)->count;
    return it == m_columnStyles.end() ? MaxColumns + 1 : it->firstColumn;
}

// The cell's own style, else its row's default, else its column's.
const std::string& ContentHandler::cellStyleName() const
{
    return !m_value.style.empty() ? m_value.style
           : !m_rowStyle.empty()  ? m_rowStyle
                                  : columnStyle(m_styleColumn);
}

// The text of a value cell formatted from its value and data style; false for text
// cells and values that cannot be read.
bool ContentHandler::valueText(QString* text)
{
    const std::string& type = m_value.type;
    double value = 0;
    bool ok = false;
    if (type == "float" || type == "percentage" || type == "currency") {
        const QString number =
            QString::fromLatin1(m_value.number.data(), qsizetype(m_value.number.size()));
        value = number.toDouble(&ok);
    } else if (type == "date") {
        ok = parseDateValue(m_value.date, &value);
        value -= m_nullDateOffset;
    } else if (type == "time") {
        ok = parseTimeValue(m_value.time, &value);
    } else if (type == "boolean") {
        ok = true;
        value = m_value.boolean == "true" || m_value.boolean == "1" ? 1 : 0;
    }
    if (!ok)
        return false;
    OdsStyles& styles = m_styles;
    const OdsCellFormat* format = &styles.cellFormat(cellStyleName());
    const bool general = !format->explicitStyle || format->format.isGeneral();
    if ((type == "date" || type == "time") && !format->format.isDateTime() && !format->boolean)
        format = styles.defaultFormat(type);
    else if (type != "float" && general)
        format = styles.defaultFormat(type);
    if (!format) // unreachable: every typed value has a default
        return false;
    const bool booleanResult = type == "float" && general && m_value.formula
                               && (value == 0 || value == 1) && isBooleanWord(m_text);
    if (format->boolean || booleanResult) {
        *text = booleanText(value != 0, format->locale);
        return true;
    }
    // Serial dates of number cells count from the document's null date.
    const double serial = format->format.isDateTime() && type != "date" && type != "time"
                              ? value + m_nullDateOffset
                              : value;
    *text = format->format.format(serial, DateSystem::Calendar1899);
    return true;
}

void ContentHandler::reportFormula(quint64 first, quint64 count)
{
    const quint64 rows = std::min(m_rowRepeat, MaxRows + 1 - m_row);
    for (quint64 r = 0; r < rows; ++r) {
        for (quint64 c = 0; c < count; ++c) {
            if (m_workbook.uncachedFormulas().size() >= MaxUncachedFormulas)
                return;
            m_workbook.addUncachedFormula({m_sheet->name(), int(m_row + r), int(first + c)});
        }
    }
}

void ContentHandler::endCell()
{
    m_inCell = false;
    const quint64 first = m_column;
    m_column = advance(m_column, m_cellRepeat, MaxColumns + 1);
    if (first > MaxColumns || m_row > MaxRows)
        return;
    const quint64 count = std::min(m_cellRepeat, MaxColumns + 1 - first);
    if (m_value.formula && m_value.type.empty() && m_paragraphs == 0 && m_value.string.empty())
        reportFormula(first, count);
    // A repeated cell without a style of its own may cross columns of different
    // default styles: each stretch is formatted by its own, once per style.
    const bool stringValue = (m_value.type.empty() || m_value.type == "string")
                             && !m_value.string.empty() && m_paragraphs == 0;
    const bool byColumn = m_value.style.empty() && m_rowStyle.empty()
                          && (stringValue || (!m_value.type.empty() && m_value.type != "string"));
    static const std::string noStyle;
    m_cellTexts.clear();
    const size_t runsBefore = m_sheet->cells.size();
    for (quint64 c = first; c < first + count;) {
        const quint64 end = byColumn ? std::min(first + count, columnStyleEnd(c)) : first + count;
        m_styleColumn = c;
        addRun(c, end - c, textIndex(byColumn ? columnStyle(c) : noStyle));
        c = end;
    }
    const size_t added = m_sheet->cells.size() - runsBefore;
    m_splitRuns += added > 1 ? added - 1 : 0;
    if (m_splitRuns > MaxSplitRuns)
        throw tooLarge();
}

// What the current cell shows: its formatted value, else its paragraphs (the text as
// the application displayed it), else its string value through its style's text section.
QString ContentHandler::cellText()
{
    QString text;
    const std::string& type = m_value.type;
    if (!type.empty() && type != "string" && valueText(&text))
        return text;
    if (m_paragraphs > 0 && m_value.error)
        return errorText(QString::fromUtf8(m_text.data(), qsizetype(m_text.size())), m_locale);
    if (m_paragraphs > 0)
        return QString::fromUtf8(m_text.data(), qsizetype(m_text.size()));
    if ((!type.empty() && type != "string") || m_value.string.empty())
        return {};
    text = QString::fromUtf8(m_value.string.data(), qsizetype(m_value.string.size()));
    const OdsCellFormat& format = m_styles.cellFormat(cellStyleName());
    if (format.explicitStyle && !format.boolean)
        text = format.format.formatText(text);
    return text.left(qsizetype(MaxCellChars));
}

// Index into the sheet's texts of the current cell shown under column style `style`;
// NoText when it shows nothing.
quint32 ContentHandler::textIndex(const std::string& style)
{
    const auto known = m_cellTexts.find(style);
    if (known != m_cellTexts.end())
        return known->second;
    QString text = cellText();
    const bool value = !m_value.type.empty() && m_value.type != "string";
    quint32 index = NoText;
    auto& texts = m_sheet->texts;
    if (!text.isEmpty() && !texts.empty() && texts.back() == text
        && m_sheet->valueTexts.back() == value) {
        index = quint32(texts.size() - 1);
    } else if (!text.isEmpty()) {
        m_textUnits += text.size();
        if (m_textUnits > MaxTextUnits)
            throw tooLarge();
        texts.push_back(std::move(text));
        m_sheet->valueTexts.push_back(value);
        index = quint32(texts.size() - 1);
    }
    m_cellTexts.emplace(style, index);
    return index;
}

void ContentHandler::addRun(quint64 first, quint64 count, quint32 text)
{
    if (text == NoText)
        return;
    auto& cells = m_sheet->cells;
    if (cells.size() > m_rowCellsBegin) {
        CellRun& last = cells.back();
        if (last.text == text && quint64(last.firstColumn) + last.count == first) {
            last.count += quint32(count);
            return;
        }
    }
    cells.push_back({quint32(first), quint32(count), text});
}

void ContentHandler::appendChars(char c, size_t count)
{
    count = std::min(count, MaxCellChars - m_textChars);
    m_text.append(count, c);
    m_textChars += count;
}

// One byte of UTF-8 text: a character past the cell's limit is dropped whole.
void ContentHandler::appendByte(char c)
{
    if ((uchar(c) & 0xC0) != 0x80) {
        m_droppingChar = m_textChars >= MaxCellChars;
        if (!m_droppingChar)
            ++m_textChars;
    }
    if (!m_droppingChar)
        m_text.push_back(c);
}

void ContentHandler::endRow()
{
    const quint64 first = m_row;
    m_row = advance(m_row, m_rowRepeat, MaxRows + 1);
    auto& cells = m_sheet->cells;
    if (cells.size() == m_rowCellsBegin || first > MaxRows)
        return;
    const quint64 count = std::min(m_rowRepeat, MaxRows + 1 - first);
    m_sheet->rows.push_back(
        {quint32(first), quint32(count), quint32(m_rowCellsBegin), quint32(cells.size())});
}

void ContentHandler::endElement(const char* name)
{
    if (m_skipDepth > 0) {
        --m_skipDepth;
        return;
    }
    if (m_styleDepth > 0) {
        if (--m_styleDepth > 0)
            m_styles.endElement(name);
        return;
    }
    if ((named(name, "table-cell") || named(name, "covered-table-cell")) && m_inCell) {
        endCell();
    } else if (named(name, "table-row") && m_sheet && !m_inCell) {
        endRow();
    } else if (named(name, "table") && !m_inCell) {
        m_sheet = nullptr;
    } else if (m_paragraphDepth > 0 && (named(name, "p") || named(name, "h"))) {
        --m_paragraphDepth;
    } else if (named(name, "config-item") && m_inActiveTable) {
        m_inActiveTable = false;
        m_workbook.active =
            QString::fromUtf8(m_activeTable.data(), qsizetype(m_activeTable.size()));
    }
}

void ContentHandler::characters(const char* data, int length)
{
    if (m_inActiveTable) {
        m_activeTable.append(data, size_t(length));
        return;
    }
    if (m_styleDepth > 0) {
        m_styles.characters(data, length);
        return;
    }
    if (m_paragraphDepth == 0 || m_skipDepth > 0)
        return;
    // Runs of XML white space inside a paragraph count as one space; kept spaces are
    // written as <text:s/>.
    for (int i = 0; i < length; ++i) {
        const char c = data[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (!m_pendingSpace)
                appendByte(' ');
            m_pendingSpace = true;
        } else {
            appendByte(c);
            m_pendingSpace = false;
        }
    }
}

// styles.xml: its common styles are fed whole to the style table.
class StylesHandler : public XmlHandler {
public:
    explicit StylesHandler(OdsStyles& styles) : m_styles(styles) {}
    void startElement(const char* name, const char** attributes) override
    {
        m_styles.startElement(name, attributes);
    }
    void endElement(const char* name) override { m_styles.endElement(name); }
    void characters(const char* data, int length) override { m_styles.characters(data, length); }

private:
    OdsStyles& m_styles;
};

void parseStreamed(ZipArchive& zip, const QString& part, XmlHandler& handler)
{
    XmlStream stream(handler, part);
    zip.stream(part, [&stream](const char* data, size_t size) { stream.feed(data, size); });
    stream.finish();
}

} // namespace

OdsReader::OdsReader(const ZipLimits& limits) : m_limits(limits) {}

std::unique_ptr<Workbook> OdsReader::read(QIODevice& device, const QString& fileName,
                                          const WorkbookOptions& options) const
{
    Q_UNUSED(fileName);
    QByteArray data = readWholeDevice(device, MaxFileBytes);
    auto workbook = std::make_unique<OdsWorkbook>();
    OdsStyles styles(options.locale);
    ContentHandler handler(*workbook, styles, options.locale);
    if (data.startsWith("PK")) {
        ZipArchive zip(std::move(data), m_limits);
        if (!zip.contains(QStringLiteral("content.xml"))) {
            throw FileError(QCoreApplication::translate(
                "Quillet::OdsReader", "Файл не является таблицей OpenDocument: в нём "
                                      "нет content.xml"));
        }
        // Cells of content.xml refer to number styles of styles.xml.
        if (zip.contains(QStringLiteral("styles.xml"))) {
            StylesHandler stylesHandler(styles);
            parseStreamed(zip, QStringLiteral("styles.xml"), stylesHandler);
        }
        parseStreamed(zip, QStringLiteral("content.xml"), handler);
        if (zip.contains(QStringLiteral("settings.xml")))
            parseStreamed(zip, QStringLiteral("settings.xml"), handler);
    } else {
        parseXml(handler, data,
                 QCoreApplication::translate("Quillet::OdsReader", "Файл OpenDocument"));
    }
    if (workbook->sheets.empty())
        throw FileError(QCoreApplication::translate("Quillet::OdsReader", "В таблице нет листов"));
    return workbook;
}

} // namespace Quillet
