// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/fields/FieldPanels.h"

#include <QGroupBox>

class QDoubleSpinBox;
class QVBoxLayout;

namespace Quillet {

/// `Coords`, "Координаты блока": the edges of one block in millimetres, bound to one
/// CoordsValues. The edits accept 0–9999.99 mm with two decimals in the locale's notation.
class CoordsPanel : public QGroupBox {
    Q_OBJECT
public:
    /// `values` must outlive the panel.
    explicit CoordsPanel(CoordsValues& values, QWidget* parent = nullptr);

    /// Shows the values without emitting valuesChanged.
    void refresh();

Q_SIGNALS:
    /// A user change wrote the values (every step or keystroke: the page previews it).
    void valuesChanged();

private:
    QDoubleSpinBox* edgeEdit(const char* name, double CoordsValues::*member);

    CoordsValues& m_values;
    QVBoxLayout* m_column = nullptr;
    QDoubleSpinBox* m_minX = nullptr;
    QDoubleSpinBox* m_minY = nullptr;
    QDoubleSpinBox* m_maxX = nullptr;
    QDoubleSpinBox* m_maxY = nullptr;
};

} // namespace Quillet
