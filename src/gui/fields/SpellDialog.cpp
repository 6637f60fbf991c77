// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/SpellDialog.h"

#include "core/common/Errors.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace Quillet {
namespace {

QString title()
{
    return SpellDialog::tr("Орфография");
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setAutoDefault(false);
    return made;
}

} // namespace

std::optional<QString> SpellDialog::check(const QString& text, QWidget* parent)
{
    const QList<SpellDictionary> installed = installedSpellDictionaries();
    if (installed.isEmpty()) {
        QMessageBox::warning(parent, title(),
                             tr("Не найден ни один словарь для проверки орфографии.\n"
                                "Установите словари Hunspell (например, пакеты hunspell-ru и "
                                "hunspell-en-us) и повторите проверку."));
        return std::nullopt;
    }
    try {
        PersonalDictionary personal;
        SpellDialog dialog(text, installed, personal, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.result();
    } catch (const Error& error) {
        QMessageBox::warning(parent, title(), error.message());
        return std::nullopt;
    }
}

SpellDialog::SpellDialog(const QString& text, const QList<SpellDictionary>& installed,
                         PersonalDictionary& personal, QWidget* parent)
    : QDialog(parent), m_installed(installed), m_session(text, personal)
{
    setObjectName(QStringLiteral("SpellDialog"));
    setWindowTitle(title());
    buildControls();
    connectControls();
    const int first = defaultSpellDictionary(text, m_installed);
    {
        // Filling the list makes its first entry current: only the user's choice loads.
        const QSignalBlocker blocker(m_dictionary);
        for (const SpellDictionary& dictionary : m_installed)
            m_dictionary->addItem(dictionary.displayName(), dictionary.name);
        m_dictionary->setCurrentIndex(first);
    }
    try {
        m_session.setDictionary(m_installed.value(first));
        m_dictionaryIndex = first;
    } catch (const Error& error) {
        // Reported once the dialog is up, so the message stands over it.
        m_pendingError = error.message();
    }
    showState();
}

void SpellDialog::buildControls()
{
    auto* column = new QVBoxLayout(this);
    auto* dictionaryRow = new QHBoxLayout;
    m_dictionary = new QComboBox(this);
    m_dictionary->setObjectName(QStringLiteral("dictionary"));
    auto* dictionaryLabel = new QLabel(tr("Словарь:"), this);
    dictionaryLabel->setBuddy(m_dictionary);
    dictionaryRow->addWidget(dictionaryLabel);
    dictionaryRow->addWidget(m_dictionary, 1);
    column->addLayout(dictionaryRow);

    auto* grid = new QGridLayout;
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    grid->addWidget(m_status, 0, 0);
    m_context = new QTextEdit(this);
    m_context->setObjectName(QStringLiteral("context"));
    m_context->setReadOnly(true);
    m_context->setFixedHeight(m_context->fontMetrics().lineSpacing() * 4 + 12);
    grid->addWidget(m_context, 1, 0, 3, 1);
    m_skip = button(this, "skipBtn", tr("Пропустить"));
    m_skipAll = button(this, "skipAllBtn", tr("Пропустить все"));
    m_add = button(this, "addBtn", tr("Добавить в словарь"));
    grid->addWidget(m_skip, 1, 1);
    grid->addWidget(m_skipAll, 2, 1);
    grid->addWidget(m_add, 3, 1, Qt::AlignTop);

    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("replacement"));
    auto* replacementLabel = new QLabel(tr("Заменить на:"), this);
    replacementLabel->setBuddy(m_replacement);
    grid->addWidget(replacementLabel, 4, 0);
    grid->addWidget(m_replacement, 5, 0);
    m_suggestions = new QListWidget(this);
    m_suggestions->setObjectName(QStringLiteral("suggestions"));
    auto* suggestionsLabel = new QLabel(tr("Варианты:"), this);
    suggestionsLabel->setBuddy(m_suggestions);
    grid->addWidget(suggestionsLabel, 6, 0);
    grid->addWidget(m_suggestions, 7, 0, 3, 1);
    m_replace = button(this, "replaceBtn", tr("Заменить"));
    m_replaceAll = button(this, "replaceAllBtn", tr("Заменить все"));
    grid->addWidget(m_replace, 5, 1);
    grid->addWidget(m_replaceAll, 7, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(9, 1);
    column->addLayout(grid, 1);

    auto* bottom = new QHBoxLayout;
    m_done = button(this, "doneBtn", tr("Готово"));
    m_cancel = button(this, "cancelBtn", tr("Отмена"));
    bottom->addStretch(1);
    bottom->addWidget(m_done);
    bottom->addWidget(m_cancel);
    column->addLayout(bottom);
    resize(560, 400);
}

void SpellDialog::connectControls()
{
    connect(m_dictionary, &QComboBox::currentIndexChanged, this, &SpellDialog::chooseDictionary);
    connect(m_suggestions, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (!text.isEmpty())
            m_replacement->setText(text);
    });
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this,
            [this] { answer(&SpellSession::replace); });
    // Return in the replacement edit reaches the dialog, which presses its default button,
    // Заменить while a word is shown: answering it here as well would answer the next word too.
    connect(m_replace, &QPushButton::clicked, this, [this] { answer(&SpellSession::replace); });
    connect(m_replaceAll, &QPushButton::clicked, this,
            [this] { answer(&SpellSession::replaceAll); });
    connect(m_skip, &QPushButton::clicked, this, [this] {
        m_session.skip();
        showState();
    });
    connect(m_skipAll, &QPushButton::clicked, this, [this] {
        m_session.skipAll();
        showState();
    });
    connect(m_add, &QPushButton::clicked, this, &SpellDialog::addToDictionary);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SpellDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The message goes out once, however often the dialog is shown.
    if (!m_pendingError.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            const QString message = std::exchange(m_pendingError, QString());
            if (!message.isEmpty())
                showError(message);
        });
    }
}

void SpellDialog::chooseDictionary(int index)
{
    if (index < 0 || index >= m_installed.size())
        return;
    try {
        m_session.setDictionary(m_installed[index]);
        m_dictionaryIndex = index;
    } catch (const Error& error) {
        const QSignalBlocker blocker(m_dictionary);
        m_dictionary->setCurrentIndex(m_dictionaryIndex);
        showError(error.message());
    }
    showState();
}

void SpellDialog::answer(void (SpellSession::*step)(const QString&))
{
    if (m_session.finished())
        return;
    (m_session.*step)(m_replacement->text());
    showState();
}

void SpellDialog::addToDictionary()
{
    try {
        m_session.addToDictionary();
    } catch (const Error& error) {
        showError(error.message());
    }
    showState();
}

void SpellDialog::showState()
{
    const std::optional<Misspelling>& current = m_session.current();
    const bool running = current.has_value();
    for (QWidget* control : std::initializer_list<QWidget*>{m_replacement, m_suggestions, m_replace,
                                                            m_replaceAll, m_skip, m_skipAll, m_add})
        control->setEnabled(running);
    m_suggestions->clear();
    m_replacement->clear();
    if (running) {
        m_status->setText(tr("Нет в словаре:"));
        m_suggestions->addItems(current->suggestions);
        m_replacement->setText(current->suggestions.value(0, current->word));
        if (m_suggestions->count() > 0)
            m_suggestions->setCurrentRow(0);
        m_replace->setDefault(true);
        m_done->setDefault(false);
        m_replacement->setFocus();
    } else {
        m_status->setText(m_session.dictionary() != nullptr ? tr("Проверка завершена.")
                                                            : tr("Словарь не загружен."));
        m_replace->setDefault(false);
        m_done->setDefault(true);
        m_done->setFocus();
    }
    showContext();
}

void SpellDialog::showContext()
{
    // The mark of the previous word must not carry over to the new text.
    m_context->clear();
    m_context->setCurrentCharFormat(QTextCharFormat());
    m_context->setPlainText(m_session.text());
    const std::optional<Misspelling>& current = m_session.current();
    if (!current)
        return;
    QTextCursor cursor(m_context->document());
    cursor.setPosition(int(current->span.start));
    cursor.setPosition(int(current->span.start + current->span.length), QTextCursor::KeepAnchor);
    QTextCharFormat marked;
    marked.setForeground(QColor(0xb0, 0x00, 0x00));
    marked.setBackground(QColor(0xff, 0xd6, 0xd6));
    marked.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(marked);
    cursor.setPosition(int(current->span.start));
    m_context->setTextCursor(cursor);
    m_context->ensureCursorVisible();
}

void SpellDialog::showError(const QString& message)
{
    QMessageBox::warning(this, title(), message);
}

} // namespace Quillet
