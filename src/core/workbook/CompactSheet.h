// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Sheets of the binary and XML workbook formats (.xls, .xlsx): cell values kept compactly
// and formatted when a cell is read, so opening a large sheet costs little. Internal to
// those readers.

#include "core/numfmt/NumberFormat.h"
#include "core/workbook/SpreadsheetReader.h"

#include <QtGlobal>

#include <memory>
#include <vector>

namespace Quillet {

/// What all sheets of one workbook share.
struct CellFormatting {
    std::vector<QString> strings;      ///< the shared string table
    std::vector<NumberFormat> formats; ///< the number format of each cell style
    NumberFormat general;              ///< for cells whose style is unknown
    QLocale locale;
    DateSystem dates = DateSystem::Date1900;
};

/// Number: the value is the number. Shared: an index into CellFormatting::strings.
/// Text and Error: an index into the sheet's own texts. Boolean: 0 or 1.
enum class CellKind : quint8 { Number, Shared, Text, Boolean, Error };

/// 16 bytes: the value, the row with the kind in its top byte, the column and the style.
struct CompactCell {
    double value;
    quint32 rowAndKind;
    quint16 column;
    quint16 style;

    quint32 row() const { return rowAndKind & 0xFFFFFF; }
    CellKind kind() const { return CellKind(rowAndKind >> 24); }
};

class CompactWorksheet : public Worksheet {
public:
    /// Largest row and column a cell may have (the .xlsx grid; .xls is smaller).
    static constexpr quint32 MaxRows = 1048576;
    static constexpr quint32 MaxColumns = 16384;

    CompactWorksheet(const QString& name, std::shared_ptr<const CellFormatting> formatting);

    QString name() const override { return m_name; }
    QString cellText(int row, int column) const override;
    CellContent cellContent(int row, int column) const override;
    int lastRow() const override;
    int lastColumn() const override;

    // Used while loading: rows and columns 1-based inside the grid. A style beyond the
    // 16-bit range reads as style 0.
    void addCell(quint32 row, quint16 column, CellKind kind, double value, quint32 style);
    /// Keeps a text of this sheet; returns its index for a Text or Error cell.
    quint32 addText(QString text);
    /// Room for `count` cells (a hint).
    void reserveCells(size_t count) { m_cells.reserve(count); }
    /// Sorts the cells; a cell written twice keeps its later value, as in the application.
    void finishLoading();

protected:
    const CellFormatting& formatting() const { return *m_formatting; }

private:
    const CompactCell* find(int row, int column) const;

    QString m_name;
    std::shared_ptr<const CellFormatting> m_formatting;
    std::vector<CompactCell> m_cells;
    std::vector<QString> m_texts;
    bool m_sorted = true;
};

} // namespace Quillet
