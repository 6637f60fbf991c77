// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/editor/CanvasInteraction.h"
#include "core/fields/FieldPanels.h"

#include <QGroupBox>

class QDoubleSpinBox;
class QVBoxLayout;

namespace Quillet {

/// `Coords`, "Координаты блока": the edges of one block in millimetres, bound to one
/// CoordsValues. The edits accept 0–9999.99 mm with two decimals in the locale's notation;
/// leaving one snaps it to a whole page pixel and puts each minimum before its maximum.
/// `BlockScale` ("Множитель") is the factor of the `ScaleX` and `ScaleY` buttons.
class CoordsPanel : public QGroupBox {
    Q_OBJECT
public:
    /// `values` must outlive the panel.
    explicit CoordsPanel(CoordsValues& values, QWidget* parent = nullptr);

    /// Shows the values without emitting valuesChanged.
    void refresh();
    /// The `BlockScale` factor as the scale buttons use it.
    double blockScale() const;

Q_SIGNALS:
    /// A user change wrote the values (every step or keystroke: the page previews it).
    void valuesChanged();

private:
    QDoubleSpinBox* edgeEdit(const char* name, double CoordsValues::*member, CoordsEdit which);
    void buildScaleRow();
    /// `Min_xExit` of one edge edit.
    void edgeExit(CoordsEdit which);
    /// `ScaleX` / `ScaleY`: the values change, the edits follow and the page previews.
    void scaleClicked(void (*scale)(CoordsValues&, double));

    CoordsValues& m_values;
    QVBoxLayout* m_column = nullptr;
    QDoubleSpinBox* m_minX = nullptr;
    QDoubleSpinBox* m_minY = nullptr;
    QDoubleSpinBox* m_maxX = nullptr;
    QDoubleSpinBox* m_maxY = nullptr;
    QDoubleSpinBox* m_blockScale = nullptr;
};

} // namespace Quillet
