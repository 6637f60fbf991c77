// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/text/SpellCheck.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace Quillet {

/// "Орфография": an interactive spell check of one field text. It stops at each unknown
/// word, shown highlighted in its context, with Hunspell's suggestions; the user replaces
/// it (once or everywhere after), skips it (once or everywhere after) or adds it to the
/// personal dictionary, and may switch to another installed dictionary, which checks the
/// text again from its start. Готово accepts the text as corrected so far, Отмена drops it.
class SpellDialog : public QDialog {
    Q_OBJECT
public:
    /// The `sBitBtn2` command: checks `text` in the dialog, starting with the dictionary
    /// the text's script calls for. Returns the checked text (up to its first line break)
    /// when the user finishes with Готово; std::nullopt after Отмена, or when no dictionary
    /// is installed or the personal dictionary cannot be read (a message box says so).
    static std::optional<QString> check(const QString& text, QWidget* parent);

    /// `installed` must not be empty; `personal` must outlive the dialog. The check starts
    /// at once; a dictionary that does not load is reported when the dialog is shown.
    SpellDialog(const QString& text, const QList<SpellDictionary>& installed,
                PersonalDictionary& personal, QWidget* parent = nullptr);

    /// The text as corrected so far, cut at its first line break.
    QString result() const { return m_session.result(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void chooseDictionary(int index);
    void answer(void (SpellSession::*step)(const QString&));
    void addToDictionary();
    void showState();
    void showContext();
    void showError(const QString& message);

    QList<SpellDictionary> m_installed;
    SpellSession m_session;
    QString m_pendingError;
    int m_dictionaryIndex = -1;
    QComboBox* m_dictionary = nullptr;
    QLabel* m_status = nullptr;
    QTextEdit* m_context = nullptr;
    QLineEdit* m_replacement = nullptr;
    QListWidget* m_suggestions = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_replaceAll = nullptr;
    QPushButton* m_skip = nullptr;
    QPushButton* m_skipAll = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_done = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace Quillet
