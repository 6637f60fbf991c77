// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/fields/FieldPanels.h"

#include <QGroupBox>
#include <QWidget>

class QButtonGroup;
class QDoubleSpinBox;
class QStackedWidget;

namespace Quillet {

class ColorButton;

/// `Shape1`: the 166 × 50 sample of a shape field's look, drawn from the values with the
/// sample pen and brush (a rectangle outline for the line tab).
class ShapeSample : public QWidget {
    Q_OBJECT
public:
    explicit ShapeSample(const ShapePanelValues& values, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ShapePanelValues& m_values;
};

/// `ShapeAdd`, " Добавление фигуры ": a shape field's options bound to one
/// ShapePanelValues, with the sample `Shape1`. `ShapeType` is the stack of the four shape
/// pages (its current index is the tab); the buttons above it switch the pages.
class ShapePanel : public QGroupBox {
    Q_OBJECT
public:
    /// `values` must outlive the panel.
    explicit ShapePanel(ShapePanelValues& values, QWidget* parent = nullptr);

    /// Shows the values in every control and the sample, without emitting valuesChanged.
    void refresh();

Q_SIGNALS:
    /// A user change wrote the values.
    void valuesChanged();

private:
    void buildTabs();
    void buildLineGroup();
    void buildFillGroup();
    void connectControls();
    void bindNumber(QDoubleSpinBox* edit, double ShapePanelValues::*member);
    void showLineWidth();
    void changed();

    ShapePanelValues& m_values;
    QStackedWidget* m_pages = nullptr;
    QButtonGroup* m_tabButtons = nullptr;
    QButtonGroup* m_direction = nullptr;
    QDoubleSpinBox* m_radius = nullptr;
    QDoubleSpinBox* m_start = nullptr;
    QDoubleSpinBox* m_finish = nullptr;
    QDoubleSpinBox* m_width = nullptr;
    QButtonGroup* m_lineStyle = nullptr;
    ColorButton* m_lineColor = nullptr;
    QButtonGroup* m_fillStyle = nullptr;
    ColorButton* m_fillColor = nullptr;
    ShapeSample* m_sample = nullptr;
};

} // namespace Quillet
