// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Workbooks whose formulas have no stored results (written by scripts) are computed by
// LibreOffice, as the spreadsheet application would on opening them.

#include "core/workbook/SpreadsheetReader.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace Quillet {

/// How recalculation runs.
struct RecalculationSettings {
    /// Longest wait for LibreOffice, in milliseconds; then it is killed.
    int timeoutMs = 120000;
    /// Folder of the on-disk cache of recalculated workbooks; empty for the user's cache
    /// folder (QStandardPaths::GenericCacheLocation) + "/quillet/recalculated".
    QString cacheFolder;
    /// Asked while LibreOffice runs; true stops it (LibreOfficeCancelled is thrown).
    std::function<bool()> cancelled;
};

/// The workbook file `path` with every formula computed by LibreOffice, as .xlsx bytes
/// (sheet names, their order and the active sheet are those of the file); also how files
/// of formats without a reader of their own are read. LibreOffice opens a private copy
/// named "document." + `copySuffix` (the file's format, as sniffed).
///
/// Results are kept per absolute path and content (its SHA-256, so the file is read once
/// more): in this process, and on disk in the cache folder so later runs do not start
/// LibreOffice again. A file whose content changed since is computed again, whatever its
/// times say; one cached entry is kept per path. A cache that cannot be written only
/// costs the next run a conversion; a file saved again during the conversion is not
/// cached.
///
/// A result cached for the file's current content is returned even when LibreOffice is
/// no longer installed; with nothing cached and no LibreOffice the result is empty.
/// Throws FileError when the file cannot be read, LibreOffice fails or runs out of time,
/// LibreOfficeCancelled when `settings.cancelled` stopped it. Safe to call from several
/// threads.
QByteArray recalculatedWorkbook(const QString& path, const RecalculationSettings& settings,
                                const QString& copySuffix);

/// The error-list line for a formula cell left without a result, naming its sheet and
/// cell: "Формула без вычисленного значения: Лист1!B3".
QString uncachedFormulaLine(const FormulaCell& cell);

} // namespace Quillet
