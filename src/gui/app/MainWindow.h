// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"

#include <QMainWindow>

#include <array>

class QLabel;

namespace Quillet {

/// The main window. It owns the open project document; the panels that edit it come
/// with their own classes.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    /// The project named on the command line; loaded when the window first becomes
    /// active.
    void setProjectPath(const QString& path);

    ProjectDocument& document() { return m_document; }
    const ProjectDocument& document() const { return m_document; }

    /// Loads `path` as the current project; errors are shown in a message box and leave
    /// the current project as it was. Returns true when the project was loaded.
    bool LoadProject(const QString& path);

protected:
    bool event(QEvent* event) override;

private:
    void FormActivate();
    void showProjectPath();

    UserSettings m_userSettings;
    ProjectDocument m_document;
    /// Status panels: "X: ", X, "Y: ", Y, "Масштаб:", zoom, project path.
    std::array<QLabel*, 7> m_statusPanels{};
};

} // namespace Quillet
