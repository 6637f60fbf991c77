// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QWidget>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QHBoxLayout;

namespace Quillet {

class BackgroundSettings;
class BackgroundSources;

/// The background area of the settings column: the source group ("Источник подложки"),
/// the size, position, margin and rotation groups. Every control is bound to the
/// model's handlers (typing, entering and leaving an edit, clicks); after each handler
/// the controls show the model again. Errors a handler raises are shown in a message
/// box and leave the model as the handler left it.
///
/// Leaving an edit means its focus going to another control of the program; the
/// window losing activation or a popup opening is no leave, so each enter is followed by
/// exactly one leave.
class BackgroundPanel : public QWidget {
    Q_OBJECT
public:
    /// `model` is referenced and must outlive the panel.
    explicit BackgroundPanel(BackgroundSettings& model, QWidget* parent = nullptr);
    /// The project's folder, where the background's file dialog starts.
    void setProjectFolder(const QString& folder);

    /// Shows the model's values in all controls (no handler runs).
    void refresh();
    /// The window loaded or created another project: shows it, and an edit that has the
    /// focus starts over from the new values.
    void projectReplaced();
    /// The first group, which the F2 area button scrolls to the top of the column.
    QWidget* anchor() const;

Q_SIGNALS:
    /// `sSpeedButton3` was clicked; the model's angle panel values are prepared. The
    /// window goes to page 0 and opens `AngleOpt` in the editing area.
    void angleOptionsRequested();
    /// A background source works on a long step (opening, converting, rendering): the
    /// window shows `MessPanel` and takes no input while `busy`.
    void busyChanged(bool busy);

private:
    QGroupBox* buildSourceGroup();
    QGroupBox* buildSizeGroup();
    QGroupBox* buildPositionGroup();
    QGroupBox* buildMarginGroup();
    QGroupBox* buildAngleGroup();
    QDoubleSpinBox* sizeEdit(const char* name, double minimum);
    void bindEdit(QDoubleSpinBox* edit, std::function<void(double)> change,
                  std::function<void()> enter, std::function<void()> leave);
    void alignLabels();
    void alignmentClicked();
    /// Runs a handler of the model, shows an error it raises, then shows the model.
    void run(const std::function<void()>& handler);

    BackgroundSettings& m_model;
    BackgroundSources* m_sources = nullptr;
    QGroupBox* m_sourceGroup = nullptr;
    /// Row of the source group where the background sources (file, clipboard, scanner)
    /// take their place.
    QHBoxLayout* m_sourceRow = nullptr;
    QDoubleSpinBox* m_imgWidth = nullptr;
    QDoubleSpinBox* m_imgHeight = nullptr;
    QCheckBox* m_chkRatio = nullptr;
    QButtonGroup* m_horizontal = nullptr;
    QButtonGroup* m_vertical = nullptr;
    QDoubleSpinBox* m_margins[4] = {}; // top, bottom, left, right
    QCheckBox* m_exert = nullptr;
    QDoubleSpinBox* m_angle1 = nullptr;
};

} // namespace Quillet
