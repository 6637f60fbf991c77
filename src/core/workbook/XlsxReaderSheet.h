// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// One worksheet of an .xlsx workbook: its streaming parser.
// Internal to the xlsx reader.

#include "core/workbook/CompactSheet.h"

#include <QtGlobal>

#include <memory>
#include <vector>

namespace Quillet {

class ZipArchive;

class XlsxWorksheet : public CompactWorksheet {
public:
    using CompactWorksheet::CompactWorksheet;

    /// Streams the sheet part `partName` into this sheet. Throws FileError.
    void load(ZipArchive& zip, const QString& partName);
    /// The formula cells `load` found without a stored result, in file order; they are
    /// handed over once (a second call gives none).
    std::vector<FormulaCell> takeUncachedFormulas();
    /// Used while loading.
    void addUncachedFormula(quint32 row, quint32 column);

private:
    std::vector<FormulaCell> m_uncached;
};

} // namespace Quillet
