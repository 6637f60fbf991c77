// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QGroupBox>

class QComboBox;
class QLabel;
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
    /// A recent project chosen: loads it after asking to save changes; a file that is no
    /// longer there is reported ("Файл не существует") and stays in the list.
    void openRecent(const QString& path);
    /// "Открыть пример": copies the bundled example into the user's documents
    /// (ExampleProject) and opens the copy. An earlier copy is replaced only when the user
    /// says so; otherwise it is opened as it is.
    void openExample();

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
    /// The copy of the example to open, made when asked; empty when there is none to open.
    QString exampleCopy();
    void showError(const QString& message);
    /// The folder file dialogs start in: the project's, or the current one for a project
    /// never saved.
    QString projectFolder() const;

    ProjectDocument& m_document;
    UserSettings& m_userSettings;
    QMenu* m_recent = nullptr;
};

/// "Язык интерфейса": the combo box `LanguageBox` with the system's language and ours,
/// showing the user's choice (UserSettings::interfaceLanguage). A choice is stored at once
/// and applies from the next start, which the label under the box then says when the
/// language differs from the one in use. A store that cannot be written is reported in a
/// message box and the box shows the stored choice again.
class LanguagePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit LanguagePanel(UserSettings& userSettings, QWidget* parent = nullptr);

private:
    void LanguageBoxChange(int index);

    UserSettings& m_userSettings;
    QComboBox* m_box = nullptr;
    QLabel* m_note = nullptr;
    /// The entry of the stored choice.
    int m_storedIndex = 0;
};

} // namespace Quillet
