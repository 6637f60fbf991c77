// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/FieldValue.h"

#include "core/app/NodeGrammar.h"
#include "core/app/PageCount.h"
#include "core/app/Project.h"
#include "core/data/CellAddress.h"
#include "core/fields/AutoReplace.h"
#include "core/workbook/SpreadsheetReader.h"

#include <algorithm>

namespace Quillet {

QString fieldValueOnPage(const Project& project, const Workbook* workbook,
                         const TOptTextField& options, int page)
{
    QString value = options.fieldText;
    if (value.startsWith(u'=')) {
        const PageCells cells =
            cellsOnPage(value.mid(1), project.settings.Direct != DirectColumns, std::max(page, 1));
        const Worksheet* sheet = workbook ? workbook->worksheet(project.settings.sheet) : nullptr;
        value = sheet && cells.count > 0 ? sheet->cellText(cells.first.row, cells.first.column)
                                         : QString();
    }
    if (!options.autoReplace)
        return value;
    // The render's replacement: the first pair whose caption is the whole value.
    const qsizetype pair = AutoReplace::findCaption(project.ReplaceList, value);
    return pair < 0 ? value : project.ReplaceList[size_t(pair)].replacement;
}

} // namespace Quillet
