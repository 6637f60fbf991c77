// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// One worksheet of an .xlsx workbook: compact cell storage and its streaming parser.
// Internal to the xlsx reader.

#include "core/numfmt/NumberFormat.h"
#include "core/workbook/SpreadsheetReader.h"

#include <QtGlobal>

#include <memory>
#include <vector>

namespace Quillet {

class ZipArchive;

/// What all sheets of one workbook share.
struct XlsxShared {
    std::vector<QString> strings;
    std::vector<NumberFormat> formats;
    NumberFormat general;
    QLocale locale;
    bool date1904 = false;
};

enum class XlsxCellKind : quint8 { Number, Shared, Text, Boolean, Error };

/// 16 bytes: the value (or a string index), the row with the kind in its top byte,
/// the column and the cell format.
struct XlsxCell {
    double value;
    quint32 rowAndKind;
    quint16 column;
    quint16 style;

    quint32 row() const { return rowAndKind & 0xFFFFFF; }
    XlsxCellKind kind() const { return XlsxCellKind(rowAndKind >> 24); }
};

class XlsxWorksheet : public Worksheet {
public:
    XlsxWorksheet(const QString& name, std::shared_ptr<const XlsxShared> shared);

    QString name() const override { return m_name; }
    QString cellText(int row, int column) const override;

    /// Streams the sheet part `partName` into this sheet. Throws FileError.
    void load(ZipArchive& zip, const QString& partName);
    /// The formula cells `load` found without a stored result, in file order; they are
    /// handed over once (a second call gives none).
    std::vector<FormulaCell> takeUncachedFormulas();

    // Used while loading.
    void addCell(quint32 row, quint16 column, XlsxCellKind kind, double value, quint32 style);
    quint32 addText(QString text);
    void addUncachedFormula(quint32 row, quint32 column);
    void reserveCells(size_t count);
    void finishLoading();

private:
    QString m_name;
    std::shared_ptr<const XlsxShared> m_shared;
    std::vector<XlsxCell> m_cells;
    std::vector<QString> m_texts;
    std::vector<FormulaCell> m_uncached;
    bool m_sorted = true;
};

} // namespace Quillet
