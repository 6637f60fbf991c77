// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

namespace Quillet {

/// The workbook formats a file can hold, as sniffWorkbookFormat tells them apart. The
/// first five have readers of their own; the others are read by converting them with
/// LibreOffice (isConvertedFormat).
enum class WorkbookFormat {
    Unknown,
    Xlsx,     ///< Office Open XML, transitional or strict (.xlsx, .xlsm, .xltx)
    Ods,      ///< an OpenDocument package (.ods, .ots)
    FlatOds,  ///< flat OpenDocument XML (.fods)
    Xls,      ///< Excel 97–2003 or 5.0/95, in a compound document
    Csv,      ///< a text table (.csv, .txt)
    Xlsb,     ///< Excel binary workbook
    Numbers,  ///< Apple Numbers
    Dbf,      ///< a dBase table
    Sylk,     ///< SYLK
    Dif,      ///< Data Interchange Format
    Lotus,    ///< Lotus 1-2-3
    ExcelXml, ///< Excel 2003 XML spreadsheet
    Gnumeric, ///< Gnumeric
    OldCalc,  ///< OpenOffice.org 1 Calc (.sxc)
    OldExcel, ///< an Excel 2.1–4.0 worksheet, outside a compound document
};

/// True for the formats read through LibreOffice.
bool isConvertedFormat(WorkbookFormat format);
/// True for the formats that hold one table without a sheet name (dBase, SYLK, DIF).
bool isSingleTableFormat(WorkbookFormat format);
/// The format's name as messages give it: "Excel binary (.xlsb)".
QString workbookFormatName(WorkbookFormat format);
/// The extension LibreOffice's copy of such a file takes ("xlsb"), so that its type
/// detection starts from the right filter; empty for Unknown.
QString workbookFormatSuffix(WorkbookFormat format);

/// Name filters for a dialog choosing a workbook ("Все книги (*.xlsx …)" first, then one
/// per kind of workbook, "Все файлы (*)" last): the formats read by the program's own
/// readers, and with `withLibreOffice` those LibreOffice converts as well.
QStringList workbookFileFilters(bool withLibreOffice);

/// The format of the workbook in `device` (open for reading and seekable; its position is
/// kept), judged by its content: zip packages by the entries their central directory
/// lists (an OpenDocument one by its first entry), compound documents, dBase headers, and
/// the signatures of the other formats. The name's extension only decides what the content
/// leaves open: a zip package whose directory cannot be read (.ods, else .xlsx), gzip data
/// (.gnumeric), an iWork package (.numbers), and text (.fods is flat OpenDocument XML, .csv
/// and .txt are text tables). Reads a bounded part of the device (its head, and a zip
/// package's central directory up to 16 MiB); never throws.
WorkbookFormat sniffWorkbookFormat(QIODevice& device, const QString& fileName);

} // namespace Quillet
