// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/CoordsPanel.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

namespace Quillet {
namespace {

// One 300-dpi page pixel: the arrows move a block edge by ten of them.
constexpr double kEdgeStepMm = 0.254;
constexpr double kMaxEdgeMm = 9999.99;

} // namespace

CoordsPanel::CoordsPanel(CoordsValues& values, QWidget* parent)
    : QGroupBox(QStringLiteral("Координаты блока"), parent), m_values(values)
{
    setObjectName(QStringLiteral("Coords"));
    m_column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    m_minX = edgeEdit("Min_x", &CoordsValues::Min_x);
    m_minY = edgeEdit("Min_y", &CoordsValues::Min_y);
    m_maxX = edgeEdit("max_x", &CoordsValues::max_x);
    m_maxY = edgeEdit("max_y", &CoordsValues::max_y);
    const std::array<QString, 4> captions{QStringLiteral("min_X"), QStringLiteral("min_Y"),
                                          QStringLiteral("Max_X"), QStringLiteral("Max_Y")};
    const std::array<QDoubleSpinBox*, 4> edits{m_minX, m_minY, m_maxX, m_maxY};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(captions[size_t(i)], this);
        label->setBuddy(edits[size_t(i)]);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(edits[size_t(i)], i / 2, (i % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    // The block scaling controls join below the grid.
    m_column->addLayout(grid);
    refresh();
}

QDoubleSpinBox* CoordsPanel::edgeEdit(const char* name, double CoordsValues::*member)
{
    auto* edit = new QDoubleSpinBox(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(2);
    edit->setRange(0, kMaxEdgeMm);
    edit->setSingleStep(kEdgeStepMm);
    edit->setToolTip(QStringLiteral("мм"));
    connect(edit, &QDoubleSpinBox::valueChanged, this, [this, member](double mm) {
        m_values.*member = mm;
        Q_EMIT valuesChanged();
    });
    return edit;
}

void CoordsPanel::refresh()
{
    const std::array<QSignalBlocker, 4> blockers{QSignalBlocker(m_minX), QSignalBlocker(m_minY),
                                                 QSignalBlocker(m_maxX), QSignalBlocker(m_maxY)};
    m_minX->setValue(m_values.Min_x);
    m_minY->setValue(m_values.Min_y);
    m_maxX->setValue(m_values.max_x);
    m_maxY->setValue(m_values.max_y);
}

} // namespace Quillet
