// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/StartPage.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillet {
namespace {

constexpr int kCardWidth = 520;
// Recent projects shown without scrolling.
constexpr int kRecentRows = 5;

QPushButton* startButton(QWidget* parent, const char* name, const QString& text,
                         const QString& hint)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setMinimumHeight(34);
    return button;
}

} // namespace

StartPage::StartPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StartPage"));
    // The grey desk of the page view, with the choices on a card in its middle.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
    auto* card = new QFrame(this);
    card->setObjectName(QStringLiteral("StartCard"));
    card->setFrameShape(QFrame::StyledPanel);
    card->setAutoFillBackground(true);
    card->setBackgroundRole(QPalette::Base);
    card->setMaximumWidth(kCardWidth);
    card->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);

    auto* title = new QLabel(tr("Начало работы"), card);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    auto* about = new QLabel(tr("Создайте проект бланка, откройте сохранённый или начните "
                                "с примера: квитанции, которая заполняется из таблицы."),
                             card);
    about->setWordWrap(true);

    auto* create = startButton(card, "StartCreate", tr("Создать"),
                               tr("Новый проект: сначала выберите, где его сохранить"));
    auto* open = startButton(card, "StartOpen", tr("Открыть"), tr("Открыть файл проекта"));
    m_example = startButton(card, "StartExample", tr("Открыть пример"), QString());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(create);
    buttons->addWidget(open);
    buttons->addWidget(m_example);

    auto* recentLabel = new QLabel(tr("Недавние проекты:"), card);
    m_recent = new QListWidget(card);
    m_recent->setObjectName(QStringLiteral("StartRecent"));
    m_recent->setTextElideMode(Qt::ElideMiddle);
    m_recent->setSpacing(2);
    m_noRecent = new QLabel(tr("Здесь появятся проекты, которые вы сохраните."), card);
    m_noRecent->setObjectName(QStringLiteral("StartNoRecent"));
    m_noRecent->setForegroundRole(QPalette::Dark);
    auto* guide = new QLabel(tr("Руководство по работе с программой — кнопка «?» над "
                                "настройками или клавиша F1."),
                             card);
    guide->setWordWrap(true);

    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(24, 20, 24, 20);
    column->setSpacing(10);
    column->addWidget(title);
    column->addWidget(about);
    column->addLayout(buttons);
    column->addSpacing(8);
    column->addWidget(recentLabel);
    column->addWidget(m_recent);
    column->addWidget(m_noRecent);
    column->addWidget(guide);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(card, 100);
    row->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 24, 24, 24);
    outer->addStretch(1);
    outer->addLayout(row);
    outer->addStretch(2);

    connect(create, &QPushButton::clicked, this, &StartPage::createClicked);
    connect(open, &QPushButton::clicked, this, &StartPage::openClicked);
    connect(m_example, &QPushButton::clicked, this, &StartPage::exampleClicked);
    // One click opens a project, as in the recent menu; Enter does too.
    connect(m_recent, &QListWidget::itemClicked, this, &StartPage::chooseRecent);
    connect(m_recent, &QListWidget::itemActivated, this, &StartPage::chooseRecent);
    setRecentProjects({});
    setExampleAvailable(true);
}

void StartPage::setRecentProjects(const QStringList& paths)
{
    m_recent->clear();
    for (const QString& path : paths) {
        const QFileInfo file(path);
        auto* item = new QListWidgetItem(
            QStringLiteral("%1\n%2").arg(file.fileName(), QDir::toNativeSeparators(file.path())),
            m_recent);
        item->setData(Qt::UserRole, path);
        item->setToolTip(path);
    }
    // As tall as the list up to a few rows; the rest of the ten scroll.
    const int rows = m_recent->count();
    if (rows > 0) {
        const int shown = qMin(rows, kRecentRows);
        m_recent->setFixedHeight(shown * (m_recent->sizeHintForRow(0) + 2 * m_recent->spacing())
                                 + 2 * m_recent->frameWidth());
    }
    m_recent->setVisible(rows > 0);
    m_noRecent->setVisible(rows == 0);
}

void StartPage::setExampleAvailable(bool available)
{
    m_example->setEnabled(available);
    m_example->setToolTip(available ? tr("Скопировать пример в папку документов и открыть копию")
                                    : tr("Пример не установлен вместе с программой"));
}

void StartPage::chooseRecent(QListWidgetItem* item)
{
    // A double click reaches the list twice; the first has already opened the project.
    if (item != nullptr && isVisible())
        Q_EMIT recentChosen(item->data(Qt::UserRole).toString());
}

} // namespace Quillet
