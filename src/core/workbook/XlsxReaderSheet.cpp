// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XlsxReaderSheet.h"

#include "core/common/Errors.h"
#include "core/workbook/XlsxReaderParts.h"
#include "core/workbook/XmlStream.h"
#include "core/workbook/ZipArchive.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <utility>

namespace Quillet {

namespace {

constexpr quint32 MaxRows = CompactWorksheet::MaxRows;
constexpr quint32 MaxColumns = CompactWorksheet::MaxColumns;

bool named(const char* name, const char* expected)
{
    return std::strcmp(name, expected) == 0;
}

// "AB12" → column 28, row 12. False for anything else.
bool parseReference(const char* text, quint32* row, quint32* column)
{
    quint64 col = 0;
    const char* p = text;
    for (; *p; ++p) {
        const char c = char(*p & ~0x20);
        if (c < 'A' || c > 'Z')
            break;
        col = col * 26 + quint64(c - 'A' + 1);
        if (col > MaxColumns)
            return false;
    }
    quint64 r = 0;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        r = r * 10 + quint64(*p - '0');
        if (r > MaxRows)
            return false;
    }
    if (*p != 0 || p == digits || col == 0 || r == 0)
        return false;
    *row = quint32(r);
    *column = quint32(col);
    return true;
}

// Cell types an ISO 8601 value ("d") needs: the serial of the workbook's date system.
double isoDateSerial(const QString& text, DateSystem dates)
{
    QDateTime when = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!when.isValid())
        when = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
    if (!when.isValid())
        return 0;
    return serialOfDate(when.date(), dates) + when.time().msecsSinceStartOfDay() / 86400000.0;
}

class SheetHandler : public XmlHandler {
public:
    SheetHandler(XlsxWorksheet& sheet, const CellFormatting& shared)
        : m_sheet(sheet), m_shared(shared)
    {
    }
    void setStream(XmlStream* stream) { m_stream = stream; }

    void startElement(const char* name, const char** attributes) override;
    void endElement(const char* name) override;
    void characters(const char* data, int length) override
    {
        if (m_inValue || (m_inInlineText && m_phonetic == 0))
            m_value.append(data, size_t(length));
    }

private:
    void startCell(const char** attributes);
    void endCell();
    bool numberValue(double* number);
    void reserveFor(const char* dimension);

    XlsxWorksheet& m_sheet;
    const CellFormatting& m_shared;
    XmlStream* m_stream = nullptr;
    quint32 m_row = 0;
    quint32 m_column = 0;
    quint32 m_style = 0;
    char m_type = 'n';
    bool m_inCell = false;
    bool m_inValue = false;
    bool m_inInline = false;
    bool m_inInlineText = false;
    bool m_hasValue = false;
    bool m_hasFormula = false;
    int m_phonetic = 0;
    std::string m_value;
    QString m_inlineText; // the runs of an inline string decoded so far
};

void SheetHandler::startElement(const char* name, const char** attributes)
{
    if (named(name, "c")) {
        startCell(attributes);
    } else if (!m_inCell) {
        if (named(name, "dimension"))
            reserveFor(XmlStream::attribute(attributes, "ref"));
        if (named(name, "row")) {
            const char* r = XmlStream::attribute(attributes, "r");
            const long long row = r ? std::atoll(r) : m_row + 1;
            if (row < 1 || row > MaxRows) {
                m_stream->fail(
                    QCoreApplication::translate("Quillet::XlsxReaderSheet",
                                                "Номер строки %1 выходит за пределы листа")
                        .arg(QString::fromUtf8(r ? r : "?")));
                return;
            }
            m_row = quint32(row);
            m_column = 0;
        }
    } else if (named(name, "v")) {
        m_inValue = true;
        m_value.clear();
    } else if (named(name, "f")) {
        m_hasFormula = true;
    } else if (named(name, "is")) {
        m_inInline = true;
        m_inlineText.clear();
    } else if (named(name, "t") && m_inInline) {
        m_inInlineText = true;
        m_value.clear();
    } else if (named(name, "rPh")) {
        ++m_phonetic;
    }
}

void SheetHandler::startCell(const char** attributes)
{
    m_inCell = true;
    m_hasValue = false;
    m_hasFormula = false;
    m_type = 'n';
    m_style = 0;
    quint32 row = m_row == 0 ? 1 : m_row;
    quint32 column = m_column + 1;
    for (const char** a = attributes; *a; a += 2) {
        const char* key = XmlStream::localName(a[0]);
        if (named(key, "r")) {
            if (!parseReference(a[1], &row, &column)) {
                m_stream->fail(
                    QCoreApplication::translate("Quillet::XlsxReaderSheet",
                                                "Ссылка на ячейку %1 неверна или выходит за "
                                                "пределы листа")
                        .arg(QString::fromUtf8(a[1]).left(40)));
                return;
            }
        } else if (named(key, "t")) {
            // Types: n, s, str, inlineStr, b, e, d; the first letter tells them apart
            // except str/s, which differ in length.
            m_type = named(a[1], "str") ? 'S' : a[1][0];
        } else if (named(key, "s")) {
            m_style = quint32(std::strtoul(a[1], nullptr, 10));
        }
    }
    if (column > MaxColumns) {
        m_stream->fail(QCoreApplication::translate("Quillet::XlsxReaderSheet",
                                                   "Ячейка лежит за последним столбцом"));
        return;
    }
    m_row = row;
    m_column = column;
}

void SheetHandler::endElement(const char* name)
{
    if (named(name, "c")) {
        endCell();
        m_inCell = false;
    } else if (named(name, "v")) {
        m_inValue = false;
        m_hasValue = true;
    } else if (named(name, "is")) {
        m_inInline = false;
        m_hasValue = true;
        m_type = 'i';
    } else if (named(name, "t") && m_inInlineText) {
        // Escapes belong to one run, as in the shared strings.
        m_inlineText += decodeOoxmlEscapes(m_value);
        m_value.clear();
        m_inInlineText = false;
    } else if (named(name, "rPh")) {
        --m_phonetic;
    }
}

void SheetHandler::endCell()
{
    // Scripts store formulas without results, as no <v> or an empty one; only a text
    // result can really be empty.
    if (m_hasFormula && (!m_hasValue || (m_value.empty() && m_type != 'S' && m_type != 'i'))) {
        m_sheet.addUncachedFormula(m_row, m_column);
        return;
    }
    if (!m_hasValue)
        return;
    const quint16 column = quint16(m_column);
    switch (m_type) {
    case 's': {
        const char* end = m_value.data() + m_value.size();
        unsigned long index = 0;
        const auto parsed = std::from_chars(m_value.data(), end, index);
        if (parsed.ec != std::errc() || index >= m_shared.strings.size()) {
            m_stream->fail(QCoreApplication::translate("Quillet::XlsxReaderSheet",
                                                       "Ячейка ссылается на несуществующую общую "
                                                       "строку"));
            return;
        }
        m_sheet.addCell(m_row, column, CellKind::Shared, double(index), m_style);
        break;
    }
    case 'S': {
        // Formula results are plain text: no _xHHHH_ escapes there.
        QString text = QString::fromUtf8(m_value.data(), qsizetype(m_value.size()));
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_sheet.addCell(m_row, column, CellKind::Text, m_sheet.addText(text), m_style);
        break;
    }
    case 'i':
        unifyLineBreaks(m_inlineText);
        m_sheet.addCell(m_row, column, CellKind::Text, m_sheet.addText(std::move(m_inlineText)),
                        m_style);
        m_inlineText = QString();
        break;
    case 'e':
        m_sheet.addCell(
            m_row, column, CellKind::Error,
            m_sheet.addText(errorText(QString::fromUtf8(m_value.data(), qsizetype(m_value.size())),
                                      m_shared.locale)),
            m_style);
        break;
    case 'b':
        m_sheet.addCell(m_row, column, CellKind::Boolean,
                        m_value == "1" || m_value == "true" ? 1 : 0, m_style);
        break;
    case 'd':
        m_sheet.addCell(
            m_row, column, CellKind::Number,
            isoDateSerial(QString::fromUtf8(m_value.data(), qsizetype(m_value.size())).trimmed(),
                          m_shared.dates),
            m_style);
        break;
    default: {
        double number = 0;
        if (numberValue(&number))
            m_sheet.addCell(m_row, column, CellKind::Number, number, m_style);
        break;
    }
    }
}

// The declared used range saves the cell table its regrowth; it is only a hint, so a
// lying one costs at most a bounded reservation.
void SheetHandler::reserveFor(const char* dimension)
{
    const char* colon = dimension ? std::strchr(dimension, ':') : nullptr;
    quint32 firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;
    if (!colon || !parseReference(colon + 1, &lastRow, &lastColumn))
        return;
    const std::string first(dimension, size_t(colon - dimension));
    if (!parseReference(first.c_str(), &firstRow, &firstColumn) || lastRow < firstRow
        || lastColumn < firstColumn)
        return;
    constexpr quint64 MaxReserved = 2000000;
    const quint64 cells = quint64(lastRow - firstRow + 1) * (lastColumn - firstColumn + 1);
    m_sheet.reserveCells(size_t(std::min(cells, MaxReserved)));
}

// False for an empty value (an empty cell) and for a malformed one (parsing stops).
bool SheetHandler::numberValue(double* number)
{
    const char* begin = m_value.data();
    const char* end = begin + m_value.size();
    while (begin < end && (*begin == ' ' || *begin == '+'))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(end[-1])))
        --end;
    if (begin == end)
        return false;
    const auto parsed = std::from_chars(begin, end, *number);
    if (parsed.ec != std::errc() || parsed.ptr != end) {
        const qsizetype shown = qMin(qsizetype(m_value.size()), qsizetype(40));
        m_stream->fail(
            QCoreApplication::translate("Quillet::XlsxReaderSheet", "В ячейке неверное число «%1»")
                .arg(QString::fromUtf8(m_value.data(), shown)));
        return false;
    }
    return true;
}

} // namespace

void XlsxWorksheet::addUncachedFormula(quint32 row, quint32 column)
{
    m_uncached.push_back({name(), int(row), int(column)});
}

std::vector<FormulaCell> XlsxWorksheet::takeUncachedFormulas()
{
    return std::exchange(m_uncached, {});
}

void XlsxWorksheet::load(ZipArchive& zip, const QString& partName)
{
    SheetHandler handler(*this, formatting());
    XmlStream stream(handler, partName);
    handler.setStream(&stream);
    zip.stream(partName, [&stream](const char* data, size_t size) { stream.feed(data, size); });
    stream.finish();
    finishLoading();
}

} // namespace Quillet
