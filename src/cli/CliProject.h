// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Opening what a command needs: the project and its linked workbook.

#include "core/app/Project.h"
#include "core/workbook/SpreadsheetReader.h"

#include <QString>

#include <memory>
#include <vector>

namespace Quillet::Cli {

/// Reads a project file; throws FileError with a clear message when it is missing or
/// malformed.
Project loadProjectFile(const QString& path);

/// The workbook the project links to, or the one named by `overridePath` when not empty.
/// Returns null when the project names none. Throws FileError when the named workbook is
/// missing or unreadable. The opening's problem lines (formulas left without results) go
/// to stderr, like the render's error-list lines.
std::shared_ptr<Workbook> openProjectWorkbook(const Project& project, const QString& projectPath,
                                              const QString& overridePath);

/// Parses a positive page number or set option value; throws UsageError.
int parsePageNumber(const QString& text);

/// The pages of the set `text` (every page 1 … pageCount when empty), ascending; page 0
/// stays (the layout view, as the window exports and prints it) and so do pages past the
/// end, which the program prints blank. Throws UsageError for a set too large to
/// list and Error "Не выбраны страницы" for an empty one.
std::vector<int> selectedPages(const QString& text, int pageCount);

} // namespace Quillet::Cli
