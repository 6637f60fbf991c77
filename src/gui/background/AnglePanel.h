// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QPointF>
#include <QWidget>

class QDoubleSpinBox;

namespace Quillet {

class BackgroundSettings;

/// `AngleOpt`, "Настройка угла разворота подложки": the two-point measurement of the
/// background's tilt, shown in the editing area. Points 1 and 2 (`t1_x`, `t1_y`, `t2_x`,
/// `t2_y`, mm on the page, y downwards) give the read-only `Angle2`. Applying it (`OkBtn`)
/// is the editing area's work, through the model; this panel only measures.
class AnglePanel : public QWidget {
    Q_OBJECT
public:
    /// `model` is referenced and must outlive the panel.
    explicit AnglePanel(BackgroundSettings& model, QWidget* parent = nullptr);

    /// Shows the model's `Angle2` (degrees); the editing area calls it when the panel
    /// opens. The points keep what they held.
    void refresh();
    /// Sets both points (mm), as picking them on the page does, and measures once.
    void setPoints(QPointF t1, QPointF t2);

private:
    void pointsChanged();

    BackgroundSettings& m_model;
    QDoubleSpinBox* m_point[4] = {}; // t1_x, t1_y, t2_x, t2_y
    QDoubleSpinBox* m_angle2 = nullptr;
};

} // namespace Quillet
