// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XlsRecords.h"

#include "core/common/Cp1251.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>

namespace Quillet {
namespace {

// BOF records of the versions before Excel 5 (BIFF2, 3, 4): worksheets without the
// workbook globals this reader relies on.
constexpr quint16 OldBofTypes[] = {0x0009, 0x0209, 0x0409};
constexpr quint16 Biff5Version = 0x0500;
constexpr quint16 Biff8Version = 0x0600;
constexpr quint16 WorkbookGlobals = 0x0005;

// Where Windows-1252 differs from Latin-1: the bytes 0x80..0x9F (unassigned ones kept).
constexpr char16_t Windows1252Controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

[[noreturn]] void broken(const QString& problem)
{
    throw XlsFormatError(problem);
}

quint16 u16At(QByteArrayView data, qsizetype offset)
{
    if (offset < 0 || offset + 2 > data.size())
        broken(QCoreApplication::translate("Quillet::XlsRecords", "запись короче своих полей"));
    return qFromLittleEndian<quint16>(data.data() + offset);
}

quint32 u32At(QByteArrayView data, qsizetype offset)
{
    if (offset < 0 || offset + 4 > data.size())
        broken(QCoreApplication::translate("Quillet::XlsRecords", "запись короче своих полей"));
    return qFromLittleEndian<quint32>(data.data() + offset);
}

// Cell texts keep line breaks as LF, whichever way the writer stored them.
QString normalizeBreaks(QString text)
{
    if (text.contains(QLatin1Char('\r'))) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    return text;
}

std::vector<QString> readSharedStrings(XlsRecordReader& records, const XlsRecord& sst)
{
    std::vector<QByteArrayView> parts{sst.data};
    XlsRecord part;
    while (records.peekType() == XlsRecordType::Continue && records.next(part))
        parts.push_back(part.data);
    const quint32 unique = u32At(sst.data, 4);
    XlsPartsCursor cursor(std::move(parts));
    cursor.skip(8);
    std::vector<QString> strings;
    // The declared count is only a hint: each string takes at least three bytes.
    strings.reserve(size_t(std::min<qint64>(unique, sst.data.size() / 3 + 1)));
    while (strings.size() < unique && !cursor.atEnd())
        strings.push_back(normalizeBreaks(cursor.unicodeString()));
    return strings;
}

void readBof(const XlsRecord& record, XlsGlobals& globals)
{
    if (std::find(std::begin(OldBofTypes), std::end(OldBofTypes), record.type)
        != std::end(OldBofTypes))
        broken(QCoreApplication::translate("Quillet::XlsRecords",
                                           "книга Excel версии до 5.0 не поддерживается"));
    if (record.type != XlsRecordType::Bof)
        broken(QCoreApplication::translate("Quillet::XlsRecords",
                                           "поток книги не начинается с записи BOF"));
    const quint16 version = u16At(record.data, 0);
    if (u16At(record.data, 2) != WorkbookGlobals)
        broken(QCoreApplication::translate("Quillet::XlsRecords",
                                           "поток книги не начинается с общих данных книги"));
    if (version == Biff8Version)
        globals.version = BiffVersion::Biff8;
    else if (version == Biff5Version)
        globals.version = BiffVersion::Biff5;
    else
        broken(QCoreApplication::translate("Quillet::XlsRecords", "неизвестная версия BIFF (%1)")
                   .arg(version, 4, 16, QLatin1Char('0')));
}

XlsSheetEntry readBoundSheet(const XlsRecord& record, const XlsGlobals& globals)
{
    XlsSheetEntry entry;
    entry.offset = u32At(record.data, 0);
    if (record.data.size() < 7)
        broken(
            QCoreApplication::translate("Quillet::XlsRecords", "запись листа короче своих полей"));
    // The sheet type: 0 worksheet (or dialog), 1 macro sheet, 2 chart, 6 module.
    entry.worksheet = quint8(record.data[5]) == 0;
    entry.name = xlsRecordString({record.data.sliced(6)}, globals, true);
    return entry;
}

std::vector<NumberFormat> compileFormats(const std::vector<quint16>& xfFormatIds,
                                         const QHash<int, QString>& codes, const QLocale& locale)
{
    // Many cell formats share one number format: compile each code once.
    QHash<int, NumberFormat> compiled;
    std::vector<NumberFormat> formats;
    formats.reserve(xfFormatIds.size());
    for (const int id : xfFormatIds) {
        auto it = compiled.find(id);
        if (it == compiled.end()) {
            const auto code = codes.constFind(id);
            it = compiled.insert(id, code != codes.constEnd() ? NumberFormat(*code, locale)
                                                              : NumberFormat::builtin(id, locale));
        }
        formats.push_back(*it);
    }
    return formats;
}

} // namespace

XlsRecordReader::XlsRecordReader(const QByteArray& stream, qint64 offset)
    : m_stream(stream), m_pos(qsizetype(offset))
{
    if (offset < 0 || offset >= stream.size())
        broken(QCoreApplication::translate("Quillet::XlsRecords",
                                           "лист начинается за концом потока книги"));
}

bool XlsRecordReader::next(XlsRecord& record)
{
    if (m_pos + 4 > m_stream.size())
        return false;
    record.type = qFromLittleEndian<quint16>(m_stream.constData() + m_pos);
    const quint16 length = qFromLittleEndian<quint16>(m_stream.constData() + m_pos + 2);
    if (m_pos + 4 + length > m_stream.size())
        broken(QCoreApplication::translate("Quillet::XlsRecords",
                                           "запись выходит за конец потока книги"));
    record.data = QByteArrayView(m_stream.constData() + m_pos + 4, length);
    m_pos += 4 + length;
    return true;
}

quint16 XlsRecordReader::peekType() const
{
    if (m_pos + 4 > m_stream.size())
        return 0;
    return qFromLittleEndian<quint16>(m_stream.constData() + m_pos);
}

bool XlsPartsCursor::nextPart()
{
    while (m_part < m_parts.size() && m_pos >= m_parts[m_part].size()) {
        if (m_part + 1 >= m_parts.size())
            return false;
        ++m_part;
        m_pos = 0;
    }
    return m_part < m_parts.size();
}

bool XlsPartsCursor::atEnd()
{
    return !nextPart();
}

quint8 XlsPartsCursor::u8()
{
    if (!nextPart())
        broken(
            QCoreApplication::translate("Quillet::XlsRecords", "строка выходит за конец записи"));
    return quint8(m_parts[m_part][m_pos++]);
}

quint16 XlsPartsCursor::u16()
{
    const quint16 low = u8();
    return quint16(low | (quint16(u8()) << 8));
}

quint32 XlsPartsCursor::u32()
{
    const quint32 low = u16();
    return low | (quint32(u16()) << 16);
}

void XlsPartsCursor::skip(qint64 count)
{
    while (count > 0) {
        if (!nextPart())
            broken(QCoreApplication::translate("Quillet::XlsRecords",
                                               "строка выходит за конец записи"));
        const qint64 step = std::min<qint64>(count, m_parts[m_part].size() - m_pos);
        m_pos += qsizetype(step);
        count -= step;
    }
}

QString XlsPartsCursor::characters(quint32 count, bool highByte)
{
    QString text;
    text.reserve(qsizetype(std::min<quint32>(count, 65535)));
    while (count > 0) {
        if (m_part >= m_parts.size() || m_pos >= m_parts[m_part].size()) {
            // A run split over records: the next one repeats the width flag.
            if (!nextPart())
                broken(QCoreApplication::translate("Quillet::XlsRecords",
                                                   "строка выходит за конец записи"));
            highByte = (u8() & 0x01) != 0;
            continue;
        }
        const QByteArrayView part = m_parts[m_part];
        const qsizetype width = highByte ? 2 : 1;
        const quint32 here = quint32(std::min<qint64>(count, (part.size() - m_pos) / width));
        if (here == 0) {
            // Half a 16-bit character at the end of a record: the file is broken.
            broken(QCoreApplication::translate("Quillet::XlsRecords",
                                               "строка разорвана посреди знака"));
        }
        const char* begin = part.data() + m_pos;
        if (highByte) {
            const qsizetype old = text.size();
            text.resize(old + qsizetype(here));
            qFromLittleEndian<char16_t>(begin, here, text.data() + old);
        } else {
            text += QLatin1String(begin, qsizetype(here));
        }
        m_pos += qsizetype(here) * width;
        count -= here;
    }
    return text;
}

QString XlsPartsCursor::unicodeString(bool shortLength)
{
    const quint16 count = shortLength ? u8() : u16();
    const quint8 flags = u8();
    const quint16 runs = (flags & 0x08) ? u16() : 0;
    const quint32 phonetic = (flags & 0x04) ? u32() : 0;
    QString text = characters(count, (flags & 0x01) != 0);
    skip(qint64(runs) * 4 + phonetic);
    return text;
}

QString decodeCodePage(QByteArrayView bytes, quint16 codePage)
{
    switch (codePage) {
    case 1251:
        return Cp1251::decode(bytes.toByteArray());
    case 0x8001: // Excel 95 writes this for its own Windows-1252
    case 1252: {
        QString text = QString::fromLatin1(bytes);
        for (QChar& c : text) {
            if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
                c = QChar(Windows1252Controls[c.unicode() - 0x80]);
        }
        return text;
    }
    default:
        break;
    }
    QStringDecoder decoder(QByteArray("windows-" + QByteArray::number(codePage)).constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QString xlsRecordString(std::vector<QByteArrayView> parts, const XlsGlobals& globals,
                        bool shortLength)
{
    if (globals.version == BiffVersion::Biff8)
        return normalizeBreaks(XlsPartsCursor(std::move(parts)).unicodeString(shortLength));
    const QByteArrayView data = parts.empty() ? QByteArrayView() : parts.front();
    const qsizetype lengthSize = shortLength ? 1 : 2;
    if (data.size() < lengthSize)
        broken(QCoreApplication::translate("Quillet::XlsRecords", "запись короче своих полей"));
    const qsizetype count = shortLength ? quint8(data[0]) : u16At(data, 0);
    if (lengthSize + count > data.size())
        broken(
            QCoreApplication::translate("Quillet::XlsRecords", "строка выходит за конец записи"));
    return normalizeBreaks(decodeCodePage(data.sliced(lengthSize, count), globals.codePage));
}

QString xlsErrorText(quint8 code)
{
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    case 0x2A:
        return QStringLiteral("#N/A");
    default:
        return QStringLiteral("#VALUE!");
    }
}

namespace {

// LibreOffice signs its files as the user "Calc"; Excel writes the user's own name. The
// name is only a hint, so a broken record is no hint rather than a broken file.
bool writtenByLibreOffice(const XlsRecord& record, const XlsGlobals& globals)
{
    try {
        return xlsRecordString({record.data}, globals, globals.version == BiffVersion::Biff5)
                   .trimmed()
               == QLatin1String("Calc");
    } catch (const XlsFormatError&) {
        return false;
    }
}

} // namespace

XlsGlobals readXlsGlobals(const QByteArray& stream, const QLocale& locale)
{
    XlsGlobals globals;
    XlsRecordReader records(stream, 0);
    XlsRecord record;
    if (!records.next(record))
        broken(QCoreApplication::translate("Quillet::XlsRecords", "поток книги пуст"));
    readBof(record, globals);
    globals.codePage = globals.version == BiffVersion::Biff8 ? 1200 : 1252;
    QHash<int, QString> codes;
    std::vector<quint16> xfFormatIds;
    bool windowSeen = false;
    while (records.next(record) && record.type != XlsRecordType::Eof) {
        switch (record.type) {
        case XlsRecordType::FilePass:
            broken(QCoreApplication::translate("Quillet::XlsRecords", "книга защищена паролем"));
        case XlsRecordType::CodePage:
            globals.codePage = u16At(record.data, 0);
            break;
        case XlsRecordType::DateMode:
            globals.date1904 = u16At(record.data, 0) == 1;
            break;
        case XlsRecordType::WriteAccess:
            globals.calendarDates = writtenByLibreOffice(record, globals);
            break;
        case XlsRecordType::Window1:
            // The first window is the one the workbook opens in.
            if (!windowSeen)
                globals.activeTab = u16At(record.data, 10);
            windowSeen = true;
            break;
        case XlsRecordType::BoundSheet:
            globals.sheets.push_back(readBoundSheet(record, globals));
            break;
        case XlsRecordType::Format: {
            const quint16 id = u16At(record.data, 0);
            codes.insert(id, xlsRecordString({record.data.sliced(2)}, globals,
                                             globals.version == BiffVersion::Biff5));
            break;
        }
        case XlsRecordType::Xf:
            xfFormatIds.push_back(u16At(record.data, 2));
            break;
        case XlsRecordType::Sst:
            globals.sharedStrings = readSharedStrings(records, record);
            break;
        default:
            break;
        }
    }
    globals.xfFormats = compileFormats(xfFormatIds, codes, locale);
    return globals;
}

} // namespace Quillet
