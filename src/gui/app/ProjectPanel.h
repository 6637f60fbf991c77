// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QGroupBox>

class QMenu;

namespace Quillet {

class ProjectDocument;
class UserSettings;

/// "Файл проекта": new, open (with the recent projects under its arrow) and save. It
/// replaces and writes the document; the window hears of it through the signals and
/// shows the new project in the other panels.
class ProjectPanel : public QGroupBox {
    Q_OBJECT
public:
    enum class Change { Loaded, Created, Unchanged };

    ProjectPanel(ProjectDocument& document, UserSettings& userSettings, QWidget* parent = nullptr);

    /// Loads `path` as the current project; errors are shown in a message box and leave
    /// the current project as it was. Returns true when the project was loaded.
    bool LoadProject(const QString& path);
    /// Asks whether to save unsaved changes; false when the user cancels.
    bool askToSaveChanges();
    /// Ctrl+S: writes to ProjectPath at once, or asks for a name when there is none.
    void saveToProjectPathOrAsk();

public Q_SLOTS:
    void CreateBtnClick();
    void OpenBtnClick();
    /// Returns true when the project was written.
    bool SaveBtnClick();

Q_SIGNALS:
    /// The project is about to be replaced: close the editor, stop repainting.
    void aboutToReplaceProject();
    /// The replacement ended: the document holds a project read from a file (Loaded), a
    /// new empty one (Created), or still the old one (Unchanged: the file was missing or
    /// could not be read).
    void projectReplaced(ProjectPanel::Change change);
    /// ProjectPath was written or loaded.
    void projectPathChanged();

private:
    void RecentProjectClick();
    void BuildRecentMenu();
    void AddRecentProject(const QString& path);
    bool writeProject(const QString& path);
    void showError(const QString& message);
    /// The folder file dialogs start in: the project's, or the current one for a project
    /// never saved.
    QString projectFolder() const;

    ProjectDocument& m_document;
    UserSettings& m_userSettings;
    QMenu* m_recent = nullptr;
};

} // namespace Quillet
