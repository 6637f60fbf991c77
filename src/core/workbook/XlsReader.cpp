// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XlsReader.h"

#include "core/common/Errors.h"
#include "core/workbook/CompoundFile.h"
#include "core/workbook/XlsRecords.h"
#include "core/workbook/CompactSheet.h"
#include "core/workbook/GridWorkbook.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QtEndian>

#include <bit>
#include <optional>

namespace Quillet {
namespace {

constexpr quint16 MaxColumns = 256;
// Sheets are disjoint parts of the stream; a crafted file whose sheets all start at the
// same place must not make the walk quadratic.
constexpr qint64 WalkSlack = 1 << 20;

[[noreturn]] void fail(const QString& fileName, const QString& problem)
{
    throw FileError(
        QCoreApplication::translate("Quillet::XlsReader", "Не удаётся прочитать книгу %1: %2")
            .arg(fileName, problem));
}

[[noreturn]] void broken(const QString& problem)
{
    throw XlsFormatError(problem);
}

quint16 u16At(QByteArrayView data, qsizetype offset)
{
    if (offset + 2 > data.size())
        broken(
            QCoreApplication::translate("Quillet::XlsReader", "запись ячейки короче своих полей"));
    return qFromLittleEndian<quint16>(data.data() + offset);
}

quint32 u32At(QByteArrayView data, qsizetype offset)
{
    if (offset + 4 > data.size())
        broken(
            QCoreApplication::translate("Quillet::XlsReader", "запись ячейки короче своих полей"));
    return qFromLittleEndian<quint32>(data.data() + offset);
}

double doubleAt(QByteArrayView data, qsizetype offset)
{
    if (offset + 8 > data.size())
        broken(
            QCoreApplication::translate("Quillet::XlsReader", "запись ячейки короче своих полей"));
    return std::bit_cast<double>(qFromLittleEndian<quint64>(data.data() + offset));
}

// An RK number: a 30-bit integer or the top 30 bits of a double, optionally ×100.
double rkValue(quint32 rk)
{
    const double value = (rk & 0x02) ? double(qint32(rk) >> 2)
                                     : std::bit_cast<double>(quint64(rk & 0xFFFFFFFC) << 32);
    return (rk & 0x01) ? value / 100 : value;
}

struct CellPlace {
    int row = 0;
    int column = 0;
    quint16 xf = 0;
};

// Turns the cell records of one worksheet substream into cells.
class SheetLoader {
public:
    SheetLoader(const XlsGlobals& globals, const CellFormatting& shared, CompactWorksheet& sheet)
        : m_globals(globals), m_shared(shared), m_sheet(sheet)
    {
    }

    // Walks the substream at `offset`; returns the bytes it walked.
    qint64 load(const QByteArray& stream, quint32 offset);

private:
    void cellRecord(const XlsRecord& record, XlsRecordReader& records);
    void formula(const XlsRecord& record);
    void multipleRk(QByteArrayView data);
    void reserveFor(QByteArrayView dimensions, qint64 bytesLeft);
    CellPlace place(QByteArrayView data, qsizetype column = 2) const;
    void add(const CellPlace& at, CellKind kind, double value);
    void setError(const CellPlace& at, quint8 code);
    void setText(const CellPlace& at, QString text);
    std::vector<QByteArrayView> withContinues(QByteArrayView first, XlsRecordReader& records);

    const XlsGlobals& m_globals;
    const CellFormatting& m_shared;
    CompactWorksheet& m_sheet;
    // A formula whose text result is in the STRING record that follows it.
    std::optional<CellPlace> m_pendingString;
};

qint64 SheetLoader::load(const QByteArray& stream, quint32 offset)
{
    XlsRecordReader records(stream, offset);
    XlsRecord record;
    if (!records.next(record) || record.type != XlsRecordType::Bof)
        broken(
            QCoreApplication::translate("Quillet::XlsReader", "лист не начинается с записи BOF"));
    qint64 walked = 4 + record.data.size();
    // Embedded charts nest their own BOF … EOF inside a worksheet.
    int depth = 1;
    while (depth > 0 && records.next(record)) {
        walked += 4 + record.data.size();
        if (record.type == XlsRecordType::Bof)
            ++depth;
        else if (record.type == XlsRecordType::Eof)
            --depth;
        else if (depth == 1)
            cellRecord(record, records);
    }
    return walked;
}

void SheetLoader::cellRecord(const XlsRecord& record, XlsRecordReader& records)
{
    const QByteArrayView data = record.data;
    switch (record.type) {
    case XlsRecordType::Number:
        add(place(data), CellKind::Number, doubleAt(data, 6));
        break;
    case XlsRecordType::Rk:
        add(place(data), CellKind::Number, rkValue(u32At(data, 6)));
        break;
    case XlsRecordType::MulRk:
        multipleRk(data);
        break;
    case XlsRecordType::LabelSst: {
        const quint32 index = u32At(data, 6);
        if (index >= m_shared.strings.size())
            broken(QCoreApplication::translate("Quillet::XlsReader",
                                               "ячейка ссылается на несуществующую строку"));
        add(place(data), CellKind::Shared, index);
        break;
    }
    case XlsRecordType::Label:
    case XlsRecordType::RString: {
        const CellPlace at = place(data);
        if (data.size() < 8)
            broken(QCoreApplication::translate("Quillet::XlsReader",
                                               "запись ячейки короче своих полей"));
        setText(at, xlsRecordString(withContinues(data.sliced(6), records), m_globals));
        break;
    }
    case XlsRecordType::BoolErr: {
        const CellPlace at = place(data);
        if (data.size() < 8)
            broken(QCoreApplication::translate("Quillet::XlsReader",
                                               "запись ячейки короче своих полей"));
        if (data[7] != 0)
            setError(at, quint8(data[6]));
        else
            add(at, CellKind::Boolean, data[6] != 0 ? 1 : 0);
        break;
    }
    case XlsRecordType::Formula:
        formula(record);
        return;
    case XlsRecordType::Dimensions:
        reserveFor(data, records.remaining());
        return;
    case XlsRecordType::String:
        if (m_pendingString) {
            const CellPlace at = *m_pendingString;
            m_pendingString.reset();
            setText(at, xlsRecordString(withContinues(data, records), m_globals));
        }
        return;
    default:
        return;
    }
    m_pendingString.reset();
}

void SheetLoader::formula(const XlsRecord& record)
{
    const QByteArrayView data = record.data;
    const CellPlace at = place(data);
    m_pendingString.reset();
    if (data.size() < 14)
        broken(
            QCoreApplication::translate("Quillet::XlsReader", "запись формулы короче своих полей"));
    // A result that is not a number is flagged by 0xFFFF in the top bytes of the double.
    if (u16At(data, 12) != 0xFFFF) {
        add(at, CellKind::Number, doubleAt(data, 6));
        return;
    }
    switch (quint8(data[6])) {
    case 0: // text, in the STRING record that follows
        m_pendingString = at;
        break;
    case 1:
        add(at, CellKind::Boolean, data[8] != 0 ? 1 : 0);
        break;
    case 2:
        setError(at, quint8(data[8]));
        break;
    default: // 3: an empty text
        setText(at, QString());
        break;
    }
}

// The declared used range saves the cell table its regrowth. It is only a hint: a lying
// one reserves no more cells than the rest of the stream could hold.
void SheetLoader::reserveFor(QByteArrayView dimensions, qint64 bytesLeft)
{
    const bool biff8 = m_globals.version == BiffVersion::Biff8;
    if (dimensions.size() < (biff8 ? 12 : 8))
        return;
    const qint64 rows = biff8 ? qint64(u32At(dimensions, 4)) - u32At(dimensions, 0)
                              : qint64(u16At(dimensions, 2)) - u16At(dimensions, 0);
    const qint64 columns = biff8 ? qint64(u16At(dimensions, 10)) - u16At(dimensions, 8)
                                 : qint64(u16At(dimensions, 6)) - u16At(dimensions, 4);
    // The smallest cell takes 6 bytes of a MULRK record.
    const qint64 cells =
        std::min(std::max<qint64>(rows, 0) * std::clamp<qint64>(columns, 0, 256), bytesLeft / 6);
    m_sheet.reserveCells(size_t(cells));
}

void SheetLoader::multipleRk(QByteArrayView data)
{
    // Row, first column, then (format, RK) for each column, then the last column.
    if (data.size() < 12 || (data.size() - 6) % 6 != 0)
        broken(QCoreApplication::translate("Quillet::XlsReader", "запись MULRK испорчена"));
    const qsizetype count = (data.size() - 6) / 6;
    const CellPlace first = place(data);
    if (first.column - 1 + count > MaxColumns)
        broken(
            QCoreApplication::translate("Quillet::XlsReader", "ячейка за пределами 256 столбцов"));
    for (qsizetype i = 0; i < count; ++i) {
        const CellPlace at{first.row, first.column + int(i), u16At(data, 4 + 6 * i)};
        add(at, CellKind::Number, rkValue(u32At(data, 6 + 6 * i)));
    }
}

CellPlace SheetLoader::place(QByteArrayView data, qsizetype column) const
{
    const quint16 row = u16At(data, 0);
    const quint16 col = u16At(data, column);
    if (col >= MaxColumns)
        broken(
            QCoreApplication::translate("Quillet::XlsReader", "ячейка за пределами 256 столбцов"));
    return {int(row) + 1, int(col) + 1, u16At(data, 4)};
}

void SheetLoader::add(const CellPlace& at, CellKind kind, double value)
{
    m_sheet.addCell(quint32(at.row), quint16(at.column), kind, value, at.xf);
}

void SheetLoader::setText(const CellPlace& at, QString text)
{
    add(at, CellKind::Text, m_sheet.addText(std::move(text)));
}

void SheetLoader::setError(const CellPlace& at, quint8 code)
{
    add(at, CellKind::Error, m_sheet.addText(errorText(xlsErrorText(code), m_shared.locale)));
}

std::vector<QByteArrayView> SheetLoader::withContinues(QByteArrayView first,
                                                       XlsRecordReader& records)
{
    std::vector<QByteArrayView> parts{first};
    XlsRecord part;
    while (records.peekType() == XlsRecordType::Continue && records.next(part))
        parts.push_back(part.data);
    return parts;
}

QByteArray readAll(QIODevice& device, const QString& fileName)
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        fail(fileName, reasonInRussian(device.errorString()));
    if (device.size() > XlsReader::MaxBytes)
        fail(fileName, QCoreApplication::translate("Quillet::XlsReader", "файл слишком велик"));
    QByteArray bytes;
    // One allocation where the size is known: touching fresh memory is what costs most.
    if (!device.isSequential())
        bytes.reserve(qsizetype(std::max<qint64>(device.size() - device.pos(), 0)));
    char chunk[65536];
    for (;;) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0)
            fail(fileName, reasonInRussian(device.errorString()));
        if (got == 0)
            break;
        bytes.append(chunk, got);
        if (bytes.size() > XlsReader::MaxBytes)
            fail(fileName, QCoreApplication::translate("Quillet::XlsReader", "файл слишком велик"));
    }
    return bytes;
}

std::unique_ptr<Workbook> readStream(const QByteArray& stream, const QLocale& locale)
{
    XlsGlobals globals = readXlsGlobals(stream, locale);
    auto shared = std::make_shared<CellFormatting>();
    shared->strings = std::move(globals.sharedStrings);
    shared->formats = std::move(globals.xfFormats);
    shared->general = NumberFormat::builtin(0, locale);
    shared->locale = locale;
    shared->dates = globals.date1904        ? DateSystem::Date1904
                    : globals.calendarDates ? DateSystem::Calendar1899
                                            : DateSystem::Date1900;
    auto workbook = std::make_unique<GridWorkbook>();
    qint64 budget = 2 * qint64(stream.size()) + WalkSlack;
    for (const XlsSheetEntry& entry : globals.sheets) {
        if (!entry.worksheet)
            continue;
        auto& sheet = workbook->emplaceSheet<CompactWorksheet>(entry.name, shared);
        budget -= SheetLoader(globals, *shared, sheet).load(stream, entry.offset);
        sheet.finishLoading();
        if (budget < 0)
            broken(QCoreApplication::translate("Quillet::XlsReader", "листы книги перекрываются"));
    }
    if (workbook->sheetNames().isEmpty())
        broken(QCoreApplication::translate("Quillet::XlsReader", "в книге нет листов"));
    if (globals.activeTab >= 0 && size_t(globals.activeTab) < globals.sheets.size()
        && globals.sheets[size_t(globals.activeTab)].worksheet)
        workbook->setActiveSheetName(globals.sheets[size_t(globals.activeTab)].name);
    return workbook;
}

} // namespace

std::unique_ptr<Workbook> XlsReader::read(QIODevice& device, const QString& fileName,
                                          const WorkbookOptions& options) const
{
    const QByteArray bytes = readAll(device, fileName);
    if (const QString problem = checkCompoundFile(bytes); !problem.isEmpty())
        fail(fileName,
             QCoreApplication::translate("Quillet::XlsReader",
                                         "это не книга Excel 97–2003 или она повреждена (%1)")
                 .arg(problem));
    auto stream = compoundStream(bytes, u"Workbook");
    if (!stream)
        stream = compoundStream(bytes, u"Book");
    if (!stream)
        fail(fileName,
             QCoreApplication::translate("Quillet::XlsReader", "в файле нет книги Excel"));
    try {
        return readStream(*stream, options.locale);
    } catch (const XlsFormatError& error) {
        fail(fileName, error.problem());
    }
}

} // namespace Quillet
