// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/ColumnChooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillet {

std::optional<QString> ColumnChooser::choose(const SeriesOffer& offer, const QString& current,
                                             QWidget* parent)
{
    if (!offer.problem.isEmpty() || offer.choices.empty()) {
        QMessageBox::information(parent, tr("Связь со столбцом"), offer.problem);
        return std::nullopt;
    }
    ColumnChooser dialog(offer, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.reference();
}

ColumnChooser::ColumnChooser(const SeriesOffer& offer, const QString& current, QWidget* parent)
    : QDialog(parent), m_choices(offer.choices)
{
    setObjectName(QStringLiteral("ColumnChooser"));
    const bool rows = offer.along == PagesAlong::Columns;
    setWindowTitle(rows ? tr("Строка листа «%1»").arg(offer.sheet)
                        : tr("Столбец листа «%1»").arg(offer.sheet));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(rows ? tr("Поле возьмёт значения из выбранной строки: по одному на "
                                      "страницу, от первого столбца с данными до последнего.")
                                 : tr("Поле возьмёт значения из выбранного столбца: по одному на "
                                      "страницу, от первой строки с данными до последней."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ColumnList"));
    int highlighted = 0;
    for (const SeriesChoice& choice : m_choices) {
        auto* item = new QListWidgetItem(choice.caption(), m_list);
        item->setToolTip(choice.reference);
        if (choice.reference.compare(current, Qt::CaseInsensitive) == 0)
            highlighted = m_list->count() - 1;
    }
    m_list->setCurrentRow(highlighted);
    layout->addWidget(m_list, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Выбрать"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Отмена"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    resize(420, 360);
}

QString ColumnChooser::reference() const
{
    const int row = m_list->currentRow();
    return row >= 0 && size_t(row) < m_choices.size() ? m_choices[size_t(row)].reference
                                                      : QString();
}

} // namespace Quillet
