// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The sheets of an opened .xls workbook: cell values kept compactly and formatted when a
// cell is read, as the .xlsx reader keeps them. Internal to the xls reader.

#include "core/numfmt/NumberFormat.h"
#include "core/workbook/SpreadsheetReader.h"

#include <memory>
#include <vector>

namespace Quillet {

/// What all sheets of one workbook share.
struct XlsShared {
    std::vector<QString> strings;       ///< the shared string table
    std::vector<NumberFormat> formats;  ///< the number format of each XF
    NumberFormat general;
    QLocale locale;
    bool date1904 = false;
};

enum class XlsCellKind : quint8 { Number, Shared, Text, Boolean, Error };

/// 16 bytes: the value (a number, a string index, 0/1 or an error code), the row with
/// the kind in its top byte, the column and the XF.
struct XlsCell {
    double value;
    quint32 rowAndKind;
    quint16 column;
    quint16 xf;

    quint32 row() const { return rowAndKind & 0xFFFFFF; }
    XlsCellKind kind() const { return XlsCellKind(rowAndKind >> 24); }
};

class XlsWorksheet : public Worksheet {
public:
    XlsWorksheet(const QString& name, std::shared_ptr<const XlsShared> shared);

    QString name() const override { return m_name; }
    QString cellText(int row, int column) const override;

    // Used while loading; rows and columns 1-based and inside the grid.
    void addCell(quint32 row, quint16 column, XlsCellKind kind, double value, quint16 xf);
    /// Room for `count` cells (a hint).
    void reserveCells(size_t count) { m_cells.reserve(count); }
    /// Keeps a text of this sheet; returns its index for a Text cell.
    quint32 addText(QString text);
    /// Sorts the cells (a cell written twice keeps its later value).
    void finishLoading();

private:
    QString m_name;
    std::shared_ptr<const XlsShared> m_shared;
    std::vector<XlsCell> m_cells;
    std::vector<QString> m_texts;
    bool m_sorted = true;
};

/// The worksheets of a workbook in file order.
class XlsWorkbook : public Workbook {
public:
    XlsWorksheet& addSheet(const QString& name, std::shared_ptr<const XlsShared> shared);
    void setActiveSheetName(const QString& name) { m_active = name; }

    QStringList sheetNames() const override;
    /// The one set, else the first sheet.
    QString activeSheetName() const override;
    const Worksheet* worksheet(const QString& name) const override;

private:
    std::vector<std::unique_ptr<XlsWorksheet>> m_sheets;
    QString m_active;
};

} // namespace Quillet
