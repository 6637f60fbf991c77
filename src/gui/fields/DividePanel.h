// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/fields/FieldPanels.h"

#include <QGroupBox>

class QSpinBox;

namespace Quillet {

/// `Divided`, "Разбить блок на части": the columns and rows a block is cut into (1–100
/// each), bound to one DivideValues. `ColsFromValue` ("Столько блоков, сколько знаков")
/// asks for the columns to be counted from the field's value; whoever answers writes the
/// values and calls refresh.
class DividePanel : public QGroupBox {
    Q_OBJECT
public:
    /// `values` must outlive the panel.
    explicit DividePanel(DivideValues& values, QWidget* parent = nullptr);

    /// Shows the values without emitting valuesChanged.
    void refresh();

Q_SIGNALS:
    /// A user change wrote the values.
    void valuesChanged();
    /// `ColsFromValue` was clicked.
    void columnsFromValueRequested();

private:
    DivideValues& m_values;
    QSpinBox* m_columns = nullptr;
    QSpinBox* m_rows = nullptr;
};

} // namespace Quillet
