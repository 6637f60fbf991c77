// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The record layer of a BIFF workbook stream (Excel 95 and 97–2003): walking records,
// decoding strings, and the workbook globals (sheets, formats, shared strings). Internal
// to the xls reader. Every function here checks each length against the bytes it has and
// throws XlsFormatError, never reads past a record.

#include "core/numfmt/NumberFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>

#include <stdexcept>
#include <vector>

namespace Quillet {

/// A broken record; the reader turns it into a FileError naming the file.
class XlsFormatError : public std::runtime_error {
public:
    explicit XlsFormatError(const QString& problem) : std::runtime_error("xls"), m_problem(problem)
    {
    }
    const QString& problem() const { return m_problem; }

private:
    QString m_problem;
};

enum class BiffVersion { Biff5, Biff8 };

namespace XlsRecordType {
constexpr quint16 Formula = 0x0006;
constexpr quint16 Eof = 0x000A;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 WriteAccess = 0x005C;
constexpr quint16 FilePass = 0x002F;
constexpr quint16 Continue = 0x003C;
constexpr quint16 Window1 = 0x003D;
constexpr quint16 CodePage = 0x0042;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 MulRk = 0x00BD;
constexpr quint16 MulBlank = 0x00BE;
constexpr quint16 RString = 0x00D6;
constexpr quint16 Xf = 0x00E0;
constexpr quint16 Sst = 0x00FC;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Dimensions = 0x0200;
constexpr quint16 Blank = 0x0201;
constexpr quint16 Number = 0x0203;
constexpr quint16 Label = 0x0204;
constexpr quint16 BoolErr = 0x0205;
constexpr quint16 String = 0x0207;
constexpr quint16 Rk = 0x027E;
constexpr quint16 Format = 0x041E;
constexpr quint16 Bof = 0x0809;
} // namespace XlsRecordType

/// One record: its type and its data, a view into the stream.
struct XlsRecord {
    quint16 type = 0;
    QByteArrayView data;
};

/// Walks the records of a workbook stream from a byte offset.
class XlsRecordReader {
public:
    /// Throws XlsFormatError when `offset` is outside the stream.
    XlsRecordReader(const QByteArray& stream, qint64 offset);
    /// The next record; false at the end of the stream. Throws XlsFormatError when the
    /// record's declared length runs past the end.
    bool next(XlsRecord& record);
    /// The type of the record after the current one, or 0 at the end.
    quint16 peekType() const;
    /// Bytes of the stream after the current record.
    qint64 remaining() const { return m_stream.size() - m_pos; }

private:
    const QByteArray& m_stream;
    qsizetype m_pos;
};

/// Reads a value that may run over CONTINUE records: the data of a record and of the
/// CONTINUE records after it, as consecutive parts. Character runs of BIFF8 strings
/// restart at a part boundary with a fresh flag byte that says whether they are 8- or
/// 16-bit; other fields simply run on.
class XlsPartsCursor {
public:
    explicit XlsPartsCursor(std::vector<QByteArrayView> parts) : m_parts(std::move(parts)) {}

    bool atEnd();
    quint8 u8();
    quint16 u16();
    quint32 u32();
    void skip(qint64 count);
    /// A BIFF8 string body: `count` characters after the flag byte (already read) that
    /// says `highByte`.
    QString characters(quint32 count, bool highByte);
    /// A BIFF8 string with a 16-bit (or, for `shortLength`, 8-bit) character count and
    /// a flag byte; rich-text runs and phonetic data are skipped.
    QString unicodeString(bool shortLength = false);

private:
    bool nextPart();
    std::vector<QByteArrayView> m_parts;
    size_t m_part = 0;
    qsizetype m_pos = 0;
};

/// Decodes 8-bit text of a BIFF5 workbook by its CODEPAGE value: Windows-1251 and
/// Windows-1252 (also as Excel's 0x8001), others as far as Qt knows them, the rest as
/// Latin-1.
QString decodeCodePage(QByteArrayView bytes, quint16 codePage);

/// A sheet listed by the workbook globals.
struct XlsSheetEntry {
    QString name;
    quint32 offset = 0;     ///< of its BOF record in the stream
    bool worksheet = false; ///< false for charts, macro sheets and modules
};

/// What the workbook globals say.
struct XlsGlobals {
    BiffVersion version = BiffVersion::Biff8;
    quint16 codePage = 1252;
    bool date1904 = false;
    /// Written by LibreOffice, which counts serial days on the real calendar.
    bool calendarDates = false;
    int activeTab = 0; ///< index into `sheets`
    std::vector<XlsSheetEntry> sheets;
    std::vector<QString> sharedStrings;
    std::vector<NumberFormat> xfFormats; ///< the number format of each XF, in order
};

/// Reads the globals substream at the start of `stream`. Throws XlsFormatError for a
/// stream that does not start with a workbook BOF, for versions before Excel 5, for an
/// encrypted workbook and for broken records.
XlsGlobals readXlsGlobals(const QByteArray& stream, const QLocale& locale);

/// A string of a BIFF5 record (8-bit length for `shortLength`, else 16-bit, then
/// code-page bytes) or of a BIFF8 record (XLUnicodeString, which may run on into the
/// CONTINUE records given as further parts), starting at the first part's first byte.
/// CR LF and lone CR read as LF.
QString xlsRecordString(std::vector<QByteArrayView> parts, const XlsGlobals& globals,
                        bool shortLength = false);

/// The text a spreadsheet shows for a BIFF error code (0x07 → "#DIV/0!").
QString xlsErrorText(quint8 code);

} // namespace Quillet
