// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>
#include <QWidget>

class QTreeWidget;

namespace Quillet {

class ProjectDocument;

/// `replace`, "Настройка автозамены": the project's auto-replace list `ReplaceList` with
/// its toolbar `sToolBar6`, shown in the editing area. Every command changes the
/// project's list at once (the list rules are core AutoReplace); the snapshot taken when
/// the panel opens is what Cancel brings back. Nothing here takes an undo snapshot or
/// asks for a repaint: the list counts from the next render.
class ReplacePanel : public QWidget {
    Q_OBJECT
public:
    /// `document` is referenced and must outlive the panel.
    explicit ReplacePanel(ProjectDocument& document, QWidget* parent = nullptr);

    /// The panel opens: takes the snapshot of the list and shows the list.
    void open();
    /// Cancel: the list becomes the snapshot again, pair for pair in its order.
    void restoreSnapshot();
    /// Shows the project's list again.
    void refresh();

public Q_SLOTS:
    void ToolButton31Click(); // add or update a pair through two input boxes
    void ToolButton33Click(); // delete the selected pair
    void ToolButton35Click(); // clear the list
    void ToolButton36Click(); // replace the list by a file's pairs
    void ToolButton32Click(); // merge a file's pairs into the list
    void ToolButton37Click(); // write the list to a file

private:
    void buildTools(QWidget* parent);
    /// Where the file dialogs start: the folder last used, else the project's folder.
    QString startFolder() const;
    /// The file chosen in `sOpenDialog2`; empty when the user cancels.
    QString chooseFileToRead(const QString& title);
    /// Reads the chosen file and hands its pairs to `use`; a missing file does nothing.
    template <class Use> void readChosenFile(const QString& title, Use use);
    void selectRow(qsizetype row);
    void showError(const QString& message);

    ProjectDocument& m_document;
    QTreeWidget* m_list = nullptr;
    QString m_snapshot;
    QString m_lastFolder; // where the file dialogs start, once one was used
};

} // namespace Quillet
