// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace Quillet {

/// `StartPage`: what the page area offers while no project is open. The buttons
/// `StartCreate`, `StartOpen` and `StartExample`, and the recent projects in `StartRecent`
/// (most recent first); it only reports what was chosen.
class StartPage : public QWidget {
    Q_OBJECT
public:
    explicit StartPage(QWidget* parent = nullptr);

    /// Shows `paths` as the recent projects, the first at the top.
    void setRecentProjects(const QStringList& paths);
    /// Whether there is an example to open; without one its button is disabled.
    void setExampleAvailable(bool available);

Q_SIGNALS:
    void createClicked();
    void openClicked();
    void exampleClicked();
    void recentChosen(const QString& path);

private:
    void chooseRecent(QListWidgetItem* item);

    QListWidget* m_recent = nullptr;
    QLabel* m_noRecent = nullptr;
    QPushButton* m_example = nullptr;
};

} // namespace Quillet
