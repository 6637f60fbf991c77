// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "gui/app/Icons.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace Quillet {

/// `sPanel2`, the settings panel: the area toolbar `sToolBar2`, the settings column
/// `BasicOpt` (one scrolling column made of the area panels the window adds), the
/// editing area slot at the bottom, the progress panel and the error list `ErroreBox`.
class SettingsColumn : public QWidget {
    Q_OBJECT
public:
    /// The working areas, in toolbar order.
    enum class Area { Project, Background, Blocks, Structure, Export };

    explicit SettingsColumn(QWidget* parent = nullptr);

    /// Appends an area panel to `BasicOpt`.
    void addPanel(QWidget* panel);
    /// The group that an area button scrolls to the top of the column.
    void setAreaAnchor(Area area, QWidget* anchor);
    /// Places the editing area (`AddOpt`) below the column, and its buttons, when given,
    /// below it.
    void setEditingArea(QWidget* area, QWidget* buttons = nullptr);

    /// Scrolls `BasicOpt` so that the area's first group is at the top.
    void showArea(Area area);
    /// Scroll position that puts the area's first group at the top.
    int areaPosition(Area area) const;
    /// Enables or disables the whole column (disabled while an editor panel is open).
    void setColumnEnabled(bool enabled);

    /// Appends a line to `ErroreList`; `open` shows `ErroreBox` exactly when `ShowErr`
    /// is checked.
    void appendError(const QString& line, bool open);
    /// Ctrl+E: checks `ShowErr` and shows the list.
    void showErrors();
    /// The lines of the error list.
    QString errorText() const;

    /// `ProgressPanel`: shown with its gauge `Progress` from 0 to `maximum`; with
    /// `cancellable` its button `ProgressCancel` shows too and emits cancelRequested().
    void startProgress(int maximum, bool cancellable = false);
    void setProgress(int value);
    void endProgress();

Q_SIGNALS:
    void areaRequested(Area area);
    void undoRequested();
    void redoRequested();
    /// `ToolButton30`, the "?" button.
    void guideRequested();
    /// `ProgressCancel` was clicked; the button stays disabled until endProgress().
    void cancelRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* areaButton(const char* name, IconName icon, const QString& hint);
    void buildAreaToolBar();
    void buildProgressPanel();
    void buildErrorBox();
    void updateTail();

    QToolBar* m_toolBar = nullptr;
    QScrollArea* m_basicOpt = nullptr;
    QVBoxLayout* m_column = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QWidget* m_tail = nullptr;
    QWidget* m_anchors[5] = {};
    QWidget* m_progressPanel = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QGroupBox* m_errorBox = nullptr;
    QPlainTextEdit* m_errorList = nullptr;
    QCheckBox* m_showErr = nullptr;
};

} // namespace Quillet
