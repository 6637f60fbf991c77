// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/CoordsPanel.h"

#include "core/common/Geometry.h"
#include "core/editor/BlockOperations.h"
#include "gui/app/Icons.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace Quillet {
namespace {

constexpr double kMaxEdgeMm = 9999.99;
constexpr double kDefaultBlockScale = 0.5;
constexpr double kBlockScaleStep = 0.25;
constexpr double kMaxBlockScale = 100.0;

} // namespace

CoordsPanel::CoordsPanel(CoordsValues& values, QWidget* parent)
    : QGroupBox(tr("Координаты блока"), parent), m_values(values)
{
    setObjectName(QStringLiteral("Coords"));
    m_column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    m_minX = edgeEdit("Min_x", &CoordsValues::Min_x, CoordsEdit::Min_x);
    m_minY = edgeEdit("Min_y", &CoordsValues::Min_y, CoordsEdit::Min_y);
    m_maxX = edgeEdit("max_x", &CoordsValues::max_x, CoordsEdit::max_x);
    m_maxY = edgeEdit("max_y", &CoordsValues::max_y, CoordsEdit::max_y);
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
    m_column->addLayout(grid);
    buildScaleRow();
    refresh();
}

void CoordsPanel::buildScaleRow()
{
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(tr("Множитель"), this);
    m_blockScale = new QDoubleSpinBox(this);
    m_blockScale->setObjectName(QStringLiteral("BlockScale"));
    // Three decimals: the factor snaps to a whole page pixel in millimetres (0.508).
    m_blockScale->setDecimals(3);
    m_blockScale->setRange(0, kMaxBlockScale);
    m_blockScale->setSingleStep(kBlockScaleStep);
    m_blockScale->setValue(kDefaultBlockScale);
    label->setBuddy(m_blockScale);
    connect(m_blockScale, &QDoubleSpinBox::valueChanged, this, &CoordsPanel::valuesChanged);
    connect(m_blockScale, &QDoubleSpinBox::editingFinished, this, [this] {
        const QSignalBlocker blocker(m_blockScale);
        m_blockScale->setValue(double(snapToPixel(m_blockScale->value())));
        Q_EMIT valuesChanged();
    });
    QToolButton* scaleX =
        iconButton(this, "ScaleX", IconName::ScaleWidth, tr("Ширина блока × множетель"),
                   tr("Умножить ширину блока на множитель"));
    QToolButton* scaleY =
        iconButton(this, "ScaleY", IconName::ScaleHeight, tr("Высота блока × множетель"),
                   tr("Умножить высоту блока на множитель"));
    connect(scaleX, &QToolButton::clicked, this, [this] { scaleClicked(&ScaleX); });
    connect(scaleY, &QToolButton::clicked, this, [this] { scaleClicked(&ScaleY); });
    row->addWidget(label);
    row->addWidget(m_blockScale, 1);
    row->addWidget(scaleX);
    row->addWidget(scaleY);
    m_column->addLayout(row);
}

double CoordsPanel::blockScale() const
{
    return m_blockScale->value();
}

void CoordsPanel::scaleClicked(void (*scale)(CoordsValues&, double))
{
    scale(m_values, blockScale());
    refresh();
    Q_EMIT valuesChanged();
}

void CoordsPanel::edgeExit(CoordsEdit which)
{
    const CoordsValues before = m_values;
    coordsExit(m_values, which);
    if (m_values == before)
        return;
    refresh();
    Q_EMIT valuesChanged();
}

QDoubleSpinBox* CoordsPanel::edgeEdit(const char* name, double CoordsValues::*member,
                                      CoordsEdit which)
{
    auto* edit = new QDoubleSpinBox(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(2);
    edit->setRange(0, kMaxEdgeMm);
    edit->setSingleStep(MmEditStep);
    edit->setToolTip(tr("мм"));
    connect(edit, &QDoubleSpinBox::valueChanged, this, [this, member](double mm) {
        m_values.*member = mm;
        Q_EMIT valuesChanged();
    });
    connect(edit, &QDoubleSpinBox::editingFinished, this, [this, which] { edgeExit(which); });
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
