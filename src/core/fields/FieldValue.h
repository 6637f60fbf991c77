// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>

namespace Quillet {

class Project;
class Workbook;
struct TOptTextField;

/// The value a text field of `project` with `options` shows on page `page`,
/// read as a filled page reads it: the constant field text, or for a reference the cell
/// of that page's record (a range spanning records and series gives the page several
/// elements; the first of them is taken); then the auto-replace list when the field asks
/// for it. Page 0, the layout view, shows no values: it gives the first record's value,
/// as page 1 does. Cells read empty without `workbook`, without the project's sheet in it,
/// and for a range typed backwards.
QString fieldValueOnPage(const Project& project, const Workbook* workbook,
                         const TOptTextField& options, int page);

} // namespace Quillet
