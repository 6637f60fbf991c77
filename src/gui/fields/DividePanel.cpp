// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/DividePanel.h"

#include <QFormLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace Quillet {
namespace {

QSpinBox* partsEdit(QWidget* parent, const char* name)
{
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(MinDivisions, MaxDivisions);
    return edit;
}

} // namespace

DividePanel::DividePanel(DivideValues& values, QWidget* parent)
    : QGroupBox(tr("Разбить блок на части"), parent), m_values(values)
{
    setObjectName(QStringLiteral("Divided"));
    auto* form = new QFormLayout(this);
    m_columns = partsEdit(this, "Col");
    m_rows = partsEdit(this, "Row");
    form->addRow(tr("Число колонок"), m_columns);
    form->addRow(tr("Число строк"), m_rows);
    auto* fromValue = new QPushButton(tr("Столько блоков, сколько знаков"), this);
    fromValue->setObjectName(QStringLiteral("ColsFromValue"));
    fromValue->setToolTip(tr("Одна колонка на каждый знак значения поля на этой странице "
                             "(для поля «по одному знаку в блок»)"));
    form->addRow(fromValue);
    connect(fromValue, &QPushButton::clicked, this, &DividePanel::columnsFromValueRequested);
    connect(m_columns, &QSpinBox::valueChanged, this, [this](int columns) {
        m_values.Col = columns;
        Q_EMIT valuesChanged();
    });
    connect(m_rows, &QSpinBox::valueChanged, this, [this](int rows) {
        m_values.Row = rows;
        Q_EMIT valuesChanged();
    });
    refresh();
}

void DividePanel::refresh()
{
    const QSignalBlocker columns(m_columns);
    const QSignalBlocker rows(m_rows);
    m_columns->setValue(m_values.Col);
    m_rows->setValue(m_values.Row);
}

} // namespace Quillet
