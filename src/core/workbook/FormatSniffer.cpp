// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/FormatSniffer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace Quillet {
namespace {

// Enough for every signature below, a dBase header with all its 255 fields included.
constexpr qint64 HeadBytes = 16 * 1024;
// The end-of-directory record sits within its own 22 bytes and a comment of 64 KiB.
constexpr qint64 ZipTailBytes = 22 + 0xFFFF;
// A central directory of a hundred thousand entries fits; a larger claim is no workbook.
constexpr qint64 MaxCentralDirectoryBytes = 16 << 20;

quint16 u16At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 u32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

QByteArray readAt(QIODevice& device, qint64 offset, qint64 length)
{
    if (offset < 0 || length <= 0 || !device.seek(offset))
        return {};
    return device.read(length);
}

// What the central directory of a zip package says about its kind.
struct ZipEntries {
    bool read = false; // the directory was found and walked
    bool workbookXml = false;
    bool workbookBin = false;
    bool iworkIndex = false;
    bool numbersEngine = false;
    bool iworkOld = false;
};

ZipEntries zipEntries(QIODevice& device)
{
    ZipEntries found;
    const qint64 size = device.size();
    const qint64 tailStart = std::max<qint64>(0, size - ZipTailBytes);
    const QByteArray tail = readAt(device, tailStart, size - tailStart);
    const qsizetype end = tail.size() < 22 ? -1 : tail.lastIndexOf("PK\x05\x06", tail.size() - 22);
    if (end < 0)
        return found;
    const qint64 directorySize = u32At(tail, end + 12);
    const qint64 directoryOffset = u32At(tail, end + 16);
    // Zip64 packages keep the real figures elsewhere; the extension decides for them.
    if (directorySize > MaxCentralDirectoryBytes || directoryOffset + directorySize > size)
        return found;
    const QByteArray directory = readAt(device, directoryOffset, directorySize);
    if (directory.size() != directorySize)
        return found;
    qsizetype at = 0;
    while (at + 46 <= directory.size() && directory.mid(at, 4) == "PK\x01\x02") {
        const qsizetype nameLength = u16At(directory, at + 28);
        const qsizetype next =
            at + 46 + nameLength + u16At(directory, at + 30) + u16At(directory, at + 32);
        if (next > directory.size())
            break;
        const QByteArray name = directory.mid(at + 46, nameLength).toLower();
        found.workbookXml |= name == "xl/workbook.xml";
        found.workbookBin |= name == "xl/workbook.bin";
        found.iworkIndex |= name == "index/document.iwa";
        found.numbersEngine |= name == "index/calculationengine.iwa";
        found.iworkOld |= name == "index.xml" || name == "index.xml.gz";
        at = next;
    }
    found.read = true;
    return found;
}

WorkbookFormat zipFormat(QIODevice& device, const QByteArray& head, const QString& suffix)
{
    // OpenDocument packages store their uncompressed "mimetype" entry first.
    if (head.mid(30, 8) == "mimetype") {
        const QByteArray type = head.mid(38, 64);
        if (type.startsWith("application/vnd.oasis.opendocument.spreadsheet"))
            return WorkbookFormat::Ods;
        if (type.startsWith("application/vnd.sun.xml.calc"))
            return WorkbookFormat::OldCalc;
    }
    const ZipEntries entries = zipEntries(device);
    if (entries.workbookBin && !entries.workbookXml)
        return WorkbookFormat::Xlsb;
    if ((entries.iworkIndex && (entries.numbersEngine || suffix == u"numbers"))
        || (entries.iworkOld && suffix == u"numbers"))
        return WorkbookFormat::Numbers;
    if (entries.workbookXml)
        return WorkbookFormat::Xlsx;
    // Anything else is left to the readers, whose messages say what the package lacks.
    return suffix == u"ods" ? WorkbookFormat::Ods : WorkbookFormat::Xlsx;
}

// dBase III and later, FoxPro included: a version byte, the date of the last update, a
// header of 32 bytes plus 32 per field ending in 0x0D, and records of at least one byte.
bool isDbf(const QByteArray& head, qint64 size)
{
    static const QByteArray versions(
        "\x02\x03\x04\x05\x30\x31\x32\x43\x63\x83\x8B\x8E\xCB\xF5\xFB");
    if (head.size() < 65 || !versions.contains(head[0]))
        return false;
    const int month = quint8(head[2]);
    const int day = quint8(head[3]);
    const qint64 headerLength = u16At(head, 8);
    const int recordLength = u16At(head, 10);
    if (month < 1 || month > 12 || day < 1 || day > 31 || recordLength < 2 || headerLength < 65
        || headerLength > size)
        return false;
    // FoxPro keeps 263 bytes of its own after the field descriptors.
    for (const qint64 terminator : {headerLength - 1, headerLength - 264}) {
        if (terminator >= 64 && terminator < head.size() && (terminator - 32) % 32 == 0
            && head[terminator] == '\x0D')
            return true;
    }
    return false;
}

// Excel 2.1, 3.0 and 4.0 wrote a worksheet as a bare record stream opening with a BOF
// record of its own version: 0x0009, 0x0209 or 0x0409.
bool isOldExcel(const QByteArray& head)
{
    if (head.size() < 8 || head[0] != '\x09' || head[2] < 4 || head[2] > 16 || head[3] != 0)
        return false;
    const quint8 version = quint8(head[1]);
    const quint16 kind = u16At(head, 6);
    return (version == 0x00 || version == 0x02 || version == 0x04)
           && (kind == 0x0010 || kind == 0x0100);
}

// Lotus 1-2-3: a BOF record (type 0) with the file's version: 0x0404–0x0406 for .wks,
// .wk1 and .wr1; 0x1000–0x1005 with a longer record for .wk3, .wk4 and .123.
bool isLotus(const QByteArray& head)
{
    if (head.size() < 6 || u16At(head, 0) != 0)
        return false;
    const quint16 length = u16At(head, 2);
    const quint16 version = u16At(head, 4);
    return (length == 2 && version >= 0x0404 && version <= 0x0406)
           || (length == 0x1A && version >= 0x1000 && version <= 0x1005);
}

WorkbookFormat textFormat(const QByteArray& head, const QString& suffix)
{
    const QByteArray text = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    if (text.startsWith("ID;P"))
        return WorkbookFormat::Sylk;
    if (text.startsWith("TABLE\r\n0,1") || text.startsWith("TABLE\n0,1"))
        return WorkbookFormat::Dif;
    if (text.trimmed().startsWith('<')) {
        if (text.contains("urn:schemas-microsoft-com:office:spreadsheet"))
            return WorkbookFormat::ExcelXml;
        if (text.contains("http://www.gnumeric.org/v10.dtd"))
            return WorkbookFormat::Gnumeric;
        if (text.contains("urn:oasis:names:tc:opendocument:xmlns:office:1.0")
            && text.contains("application/vnd.oasis.opendocument.spreadsheet"))
            return WorkbookFormat::FlatOds;
    }
    if (suffix == u"fods")
        return WorkbookFormat::FlatOds;
    if (suffix == u"csv" || suffix == u"txt")
        return WorkbookFormat::Csv;
    return WorkbookFormat::Unknown;
}

WorkbookFormat sniff(QIODevice& device, const QString& suffix)
{
    const QByteArray head = readAt(device, 0, HeadBytes);
    if (head.startsWith("PK\x03\x04"))
        return zipFormat(device, head, suffix);
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return WorkbookFormat::Xls;
    if (head.startsWith("\x1F\x8B"))
        return suffix == u"gnumeric" ? WorkbookFormat::Gnumeric : WorkbookFormat::Unknown;
    if (isOldExcel(head))
        return WorkbookFormat::OldExcel;
    if (isLotus(head))
        return WorkbookFormat::Lotus;
    if (isDbf(head, device.size()))
        return WorkbookFormat::Dbf;
    return textFormat(head, suffix);
}

struct FormatInfo {
    WorkbookFormat format;
    const char* name;
    const char* suffix;
};

const FormatInfo Formats[] = {
    {WorkbookFormat::Xlsx, "Excel (.xlsx)", "xlsx"},
    {WorkbookFormat::Ods, "OpenDocument (.ods)", "ods"},
    {WorkbookFormat::FlatOds, "OpenDocument XML (.fods)", "fods"},
    {WorkbookFormat::Xls, "Excel 97–2003 (.xls)", "xls"},
    {WorkbookFormat::Csv,
     QT_TRANSLATE_NOOP("Quillet::FormatSniffer", "текст с разделителями (.csv)"), "csv"},
    {WorkbookFormat::Xlsb, "Excel binary (.xlsb)", "xlsb"},
    {WorkbookFormat::Numbers, "Apple Numbers (.numbers)", "numbers"},
    {WorkbookFormat::Dbf, "dBase (.dbf)", "dbf"},
    {WorkbookFormat::Sylk, "SYLK (.slk)", "slk"},
    {WorkbookFormat::Dif, "DIF (.dif)", "dif"},
    {WorkbookFormat::Lotus, "Lotus 1-2-3 (.wk1)", "wk1"},
    {WorkbookFormat::ExcelXml, "Excel 2003 XML (.xml)", "xml"},
    {WorkbookFormat::Gnumeric, "Gnumeric (.gnumeric)", "gnumeric"},
    {WorkbookFormat::OldCalc, "OpenOffice.org 1 Calc (.sxc)", "sxc"},
    {WorkbookFormat::OldExcel, "Excel 2.1–4.0 (.xls)", "xls"},
};

const FormatInfo* infoOf(WorkbookFormat format)
{
    const auto it =
        std::find_if(std::begin(Formats), std::end(Formats),
                     [format](const FormatInfo& info) { return info.format == format; });
    return it == std::end(Formats) ? nullptr : it;
}

// Kinds of workbook as a file dialog offers them, by extension.
const struct {
    const char* name;
    const char* patterns;
    bool converted;
} FileKinds[] = {
    {QT_TRANSLATE_NOOP("Quillet::FormatSniffer", "Книги Excel"),
     "*.xlsx *.xlsm *.xltx *.xltm *.xls *.xlt", false},
    {QT_TRANSLATE_NOOP("Quillet::FormatSniffer", "Книги OpenDocument"), "*.ods *.ots *.fods",
     false},
    {QT_TRANSLATE_NOOP("Quillet::FormatSniffer", "Текст с разделителями"), "*.csv *.txt", false},
    {QT_TRANSLATE_NOOP("Quillet::FormatSniffer", "Двоичные книги Excel"), "*.xlsb", true},
    {"Apple Numbers", "*.numbers", true},
    {QT_TRANSLATE_NOOP("Quillet::FormatSniffer", "Таблицы dBase"), "*.dbf", true},
    {"Excel 2003 XML", "*.xml", true},
    {"SYLK", "*.slk *.sylk", true},
    {"DIF", "*.dif", true},
    {"Lotus 1-2-3", "*.wk1 *.wks *.wk3 *.wk4 *.123", true},
    {"Gnumeric", "*.gnumeric", true},
    {"OpenOffice.org 1 Calc", "*.sxc *.stc", true},
};

} // namespace

QStringList workbookFileFilters(bool withLibreOffice)
{
    QStringList all;
    QStringList filters;
    for (const auto& kind : FileKinds) {
        if (kind.converted && !withLibreOffice)
            continue;
        all << QString::fromLatin1(kind.patterns);
        filters << QStringLiteral("%1 (%2)").arg(
            QCoreApplication::translate("Quillet::FormatSniffer", kind.name),
            QString::fromLatin1(kind.patterns));
    }
    filters.prepend(QCoreApplication::translate("Quillet::FormatSniffer", "Все книги (%1)")
                        .arg(all.join(u' ')));
    filters << QCoreApplication::translate("Quillet::FormatSniffer", "Все файлы (*)");
    return filters;
}

bool isConvertedFormat(WorkbookFormat format)
{
    switch (format) {
    case WorkbookFormat::Unknown:
    case WorkbookFormat::Xlsx:
    case WorkbookFormat::Ods:
    case WorkbookFormat::FlatOds:
    case WorkbookFormat::Xls:
    case WorkbookFormat::Csv:
        return false;
    default:
        return true;
    }
}

bool isSingleTableFormat(WorkbookFormat format)
{
    return format == WorkbookFormat::Dbf || format == WorkbookFormat::Sylk
           || format == WorkbookFormat::Dif;
}

QString workbookFormatName(WorkbookFormat format)
{
    const FormatInfo* info = infoOf(format);
    return info ? QCoreApplication::translate("Quillet::FormatSniffer", info->name)
                : QCoreApplication::translate("Quillet::FormatSniffer", "неизвестный");
}

QString workbookFormatSuffix(WorkbookFormat format)
{
    const FormatInfo* info = infoOf(format);
    return info ? QString::fromLatin1(info->suffix) : QString();
}

WorkbookFormat sniffWorkbookFormat(QIODevice& device, const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const qint64 position = device.pos();
    const WorkbookFormat format = sniff(device, suffix);
    device.seek(position);
    return format;
}

} // namespace Quillet
