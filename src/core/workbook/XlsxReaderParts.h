// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The small parts of an .xlsx package: relationships, workbook, shared strings and
// styles. Internal to the xlsx reader.

#include "core/numfmt/NumberFormat.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <string>
#include <vector>

namespace Quillet {

class ZipArchive;

struct XlsxRelationship {
    QString target; ///< resolved path inside the package
    QString type;   ///< last segment of the relationship type ("worksheet", ...)
};

struct XlsxSheetEntry {
    QString name;
    QString relationshipId;
};

struct XlsxWorkbookInfo {
    std::vector<XlsxSheetEntry> sheets;
    int activeTab = 0;
    bool date1904 = false;
};

/// Relationships by id; targets resolved against the folder `baseFolder`.
QHash<QString, XlsxRelationship>
parseRelationships(const QByteArray& xml, const QString& baseFolder, const QString& partName);
XlsxWorkbookInfo parseWorkbook(const QByteArray& xml, const QString& partName);
/// The application that wrote the package, as its extended properties part `partName`
/// (docProps/app.xml) names it in <Application>. Only the start of the part is read;
/// empty when it names none or cannot be read.
QString readApplication(ZipArchive& zip, const QString& partName);
/// The shared string table, streamed from `partName`.
std::vector<QString> parseSharedStrings(ZipArchive& zip, const QString& partName);
/// The number format of every cell format (cellXfs) in order.
std::vector<NumberFormat> parseStyles(const QByteArray& xml, const QString& partName,
                                      const QLocale& locale);

/// The text of one OOXML text element (<t>) with its _xHHHH_ escapes decoded: each names
/// a UTF-16 code unit by four hex digits of either case (escaped surrogate halves pair
/// up), and _x005F_ an underscore, so "_x005F_x000D_" reads "_x000D_". Anything else
/// stays as written.
QString decodeOoxmlEscapes(const std::string& utf8);
/// CR LF and lone CR turned into LF, the line break a cell shows.
void unifyLineBreaks(QString& text);

/// Folder part of a package path ("xl/workbook.xml" → "xl/").
QString packageFolder(const QString& path);
/// `target` relative to `folder` (or absolute with a leading "/"), "../" resolved.
QString resolvePackagePath(const QString& folder, const QString& target);

} // namespace Quillet
