// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/OdsReader.h"

#include "core/common/Errors.h"
#include "core/numfmt/NumberFormat.h"
#include "core/workbook/XlsxReader.h"
#include "core/workbook/XmlStream.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <vector>

namespace Quillet {

namespace {

constexpr quint64 MaxRows = 1048576;
constexpr quint64 MaxColumns = 16384;
constexpr qint64 MaxFileBytes = qint64(1) << 30;

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

    std::vector<RowRun> rows;
    std::vector<CellRun> cells;
    std::vector<QString> texts;

private:
    QString m_name;
};

QString OdsWorksheet::cellText(int row, int column) const
{
    if (row < 1 || column < 1)
        return {};
    const quint32 r = quint32(row);
    const quint32 c = quint32(column);
    auto rowIt = std::upper_bound(rows.begin(), rows.end(), r,
                                  [](quint32 value, const RowRun& run) {
                                      return value < run.firstRow;
                                  });
    if (rowIt == rows.begin())
        return {};
    --rowIt;
    if (r >= quint64(rowIt->firstRow) + rowIt->count)
        return {};
    const auto begin = cells.begin() + rowIt->cellBegin;
    const auto end = cells.begin() + rowIt->cellEnd;
    auto cellIt = std::upper_bound(begin, end, c, [](quint32 value, const CellRun& run) {
        return value < run.firstColumn;
    });
    if (cellIt == begin)
        return {};
    --cellIt;
    if (c >= quint64(cellIt->firstColumn) + cellIt->count)
        return {};
    return texts[cellIt->text];
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

// Walks content.xml (or a flat document): tables, rows, cells and the paragraphs of
// each cell, plus the ActiveTable setting when the settings are in the same stream.
class ContentHandler : public XmlHandler {
public:
    ContentHandler(OdsWorkbook& workbook, const QLocale& locale)
        : m_workbook(workbook), m_locale(locale)
    {
    }
    void startElement(const char* name, const char** attributes) override;
    void endElement(const char* name) override;
    void characters(const char* data, int length) override;

private:
    void startCell(const char** attributes);
    void endCell();
    void endRow();
    QString valueText() const;

    OdsWorkbook& m_workbook;
    QLocale m_locale;
    OdsWorksheet* m_sheet = nullptr;
    quint64 m_row = 1;          // first row of the current row element
    quint64 m_rowRepeat = 1;
    quint64 m_column = 1;       // first column of the current cell
    quint64 m_cellRepeat = 1;
    size_t m_rowCellsBegin = 0;
    bool m_inCell = false;
    int m_paragraphDepth = 0;
    int m_paragraphs = 0;
    int m_skipDepth = 0; // inside annotations and drawings
    bool m_pendingSpace = false;
    std::string m_text;
    std::string m_valueType;
    std::string m_value;
    bool m_inActiveTable = false;
    std::string m_activeTable;
};

void ContentHandler::startElement(const char* name, const char** attributes)
{
    if (m_skipDepth > 0) {
        ++m_skipDepth;
        return;
    }
    if (named(name, "table") && !m_inCell) {
        const char* sheetName = XmlStream::attribute(attributes, "name");
        auto sheet = std::make_unique<OdsWorksheet>(QString::fromUtf8(sheetName ? sheetName : ""));
        m_sheet = sheet.get();
        m_workbook.names << m_sheet->name();
        m_workbook.sheets.push_back(std::move(sheet));
        m_row = 1;
    } else if (named(name, "table-row") && m_sheet && !m_inCell) {
        m_rowRepeat = repeatCount(XmlStream::attribute(attributes, "number-rows-repeated"));
        m_column = 1;
        m_rowCellsBegin = m_sheet->cells.size();
    } else if ((named(name, "table-cell") || named(name, "covered-table-cell")) && m_sheet) {
        startCell(attributes);
    } else if (m_inCell && (named(name, "p") || named(name, "h"))) {
        if (m_paragraphDepth == 0 && m_paragraphs++ > 0)
            m_text.push_back('\n');
        ++m_paragraphDepth;
        m_pendingSpace = false;
    } else if (m_paragraphDepth > 0 && named(name, "s")) {
        const quint64 count = std::min<quint64>(repeatCount(XmlStream::attribute(attributes, "c")),
                                                1024);
        m_text.append(size_t(count), ' ');
    } else if (m_paragraphDepth > 0 && named(name, "tab")) {
        m_text.push_back('\t');
    } else if (m_paragraphDepth > 0 && named(name, "line-break")) {
        m_text.push_back('\n');
    } else if (named(name, "annotation") || named(name, "frame") || named(name, "note")) {
        m_skipDepth = 1;
    } else if (named(name, "config-item")) {
        const char* item = XmlStream::attribute(attributes, "name");
        m_inActiveTable = item && named(item, "ActiveTable") && m_activeTable.empty();
    }
}

void ContentHandler::startCell(const char** attributes)
{
    m_inCell = true;
    m_cellRepeat = repeatCount(XmlStream::attribute(attributes, "number-columns-repeated"));
    m_text.clear();
    m_paragraphs = 0;
    m_valueType.clear();
    m_value.clear();
    for (const char** a = attributes; *a; a += 2) {
        const char* key = XmlStream::localName(a[0]);
        if (named(key, "value-type"))
            m_valueType = a[1];
        else if (named(key, "value") || named(key, "date-value") || named(key, "time-value")
                 || named(key, "boolean-value") || named(key, "string-value"))
            m_value = a[1];
    }
}

QString ContentHandler::valueText() const
{
    const QString value = QString::fromUtf8(m_value.data(), qsizetype(m_value.size()));
    if (m_valueType == "float" || m_valueType == "percentage" || m_valueType == "currency") {
        bool ok = false;
        const double number = value.toDouble(&ok);
        return ok ? formatGeneral(number, m_locale) : value;
    }
    if (m_valueType == "boolean")
        return booleanText(value == QLatin1String("true") || value == QLatin1String("1"),
                           m_locale);
    return value;
}

void ContentHandler::endCell()
{
    m_inCell = false;
    const quint64 first = m_column;
    m_column += m_cellRepeat;
    if (first > MaxColumns || m_row > MaxRows)
        return;
    QString text;
    if (m_paragraphs > 0)
        text = QString::fromUtf8(m_text.data(), qsizetype(m_text.size()));
    else if (!m_valueType.empty() || !m_value.empty())
        text = valueText();
    if (text.isEmpty())
        return;
    const quint64 count = std::min(m_cellRepeat, MaxColumns + 1 - first);
    auto& cells = m_sheet->cells;
    auto& texts = m_sheet->texts;
    texts.push_back(std::move(text));
    cells.push_back({quint32(first), quint32(count), quint32(texts.size() - 1)});
}

void ContentHandler::endRow()
{
    const quint64 first = m_row;
    m_row += m_rowRepeat;
    auto& cells = m_sheet->cells;
    if (cells.size() == m_rowCellsBegin || first > MaxRows)
        return;
    const quint64 count = std::min(m_rowRepeat, MaxRows + 1 - first);
    m_sheet->rows.push_back({quint32(first), quint32(count), quint32(m_rowCellsBegin),
                             quint32(cells.size())});
}

void ContentHandler::endElement(const char* name)
{
    if (m_skipDepth > 0) {
        --m_skipDepth;
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
        m_workbook.active = QString::fromUtf8(m_activeTable.data(),
                                              qsizetype(m_activeTable.size()));
    }
}

void ContentHandler::characters(const char* data, int length)
{
    if (m_inActiveTable) {
        m_activeTable.append(data, size_t(length));
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
                m_text.push_back(' ');
            m_pendingSpace = true;
        } else {
            m_text.push_back(c);
            m_pendingSpace = false;
        }
    }
}

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
    ContentHandler handler(*workbook, options.locale);
    if (data.startsWith("PK")) {
        ZipArchive zip(std::move(data), m_limits);
        if (!zip.contains(QStringLiteral("content.xml")))
            throw FileError(QStringLiteral("The file is not an OpenDocument spreadsheet: it "
                                           "has no content.xml"));
        parseStreamed(zip, QStringLiteral("content.xml"), handler);
        if (zip.contains(QStringLiteral("settings.xml")))
            parseStreamed(zip, QStringLiteral("settings.xml"), handler);
    } else {
        parseXml(handler, data, QStringLiteral("the flat OpenDocument file"));
    }
    if (workbook->sheets.empty())
        throw FileError(QStringLiteral("The spreadsheet has no sheets"));
    return workbook;
}

} // namespace Quillet
