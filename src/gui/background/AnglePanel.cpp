// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/background/AnglePanel.h"

#include "core/background/BackgroundSettings.h"
#include "core/common/Geometry.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Quillet {
namespace {

constexpr double kMaxMm = 9999.999;
// Angle2 is the measured direction (within ±180°) less Angle1 (within ±3600°).
constexpr double kMaxAngle = 4000;

QDoubleSpinBox* pointEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(3); // steps of MmEditStep stay exact
    edit->setRange(-kMaxMm, kMaxMm);
    edit->setSingleStep(MmEditStep);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

AnglePanel::AnglePanel(BackgroundSettings& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("AngleOpt"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* box = new QGroupBox(tr("Настройка угла разворота подложки"), this);
    box->setObjectName(QStringLiteral("AngleOptGroup"));
    outer->addWidget(box);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const char* names[4] = {"t1_x", "t1_y", "t2_x", "t2_y"};
    // Point 1's caption is written with the Cyrillic letter Х.
    const char* labels[4] = {QT_TR_NOOP("точка_1(Х)"), QT_TR_NOOP("точка_1(Y)"),
                             QT_TR_NOOP("точка_2(X)"), QT_TR_NOOP("точка_2(Y)")};
    for (int i = 0; i < 4; ++i) {
        m_point[i] = pointEdit(box, names[i]);
        form->addRow(tr(labels[i]), m_point[i]);
        connect(m_point[i], &QDoubleSpinBox::valueChanged, this, &AnglePanel::pointsChanged);
        // Like the block edges, a typed point settles on a whole raster pixel when the
        // edit is left; the angle follows through the change.
        QDoubleSpinBox* edit = m_point[i];
        connect(edit, &QDoubleSpinBox::editingFinished, this,
                [edit] { edit->setValue(double(snapToPixel(edit->value()))); });
    }
    m_angle2 = new QDoubleSpinBox(box);
    m_angle2->setObjectName(QStringLiteral("Angle2"));
    m_angle2->setDecimals(2);
    m_angle2->setRange(-kMaxAngle, kMaxAngle);
    m_angle2->setReadOnly(true);
    m_angle2->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_angle2->setAlignment(Qt::AlignRight);
    m_angle2->setFocusPolicy(Qt::NoFocus);
    form->addRow(tr("угол"), m_angle2);
    refresh();
}

void AnglePanel::refresh()
{
    m_angle2->setValue(m_model.Angle2());
}

void AnglePanel::setPoints(QPointF t1, QPointF t2)
{
    const double values[4] = {t1.x(), t1.y(), t2.x(), t2.y()};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker blocker(m_point[i]);
        m_point[i]->setValue(values[i]);
    }
    pointsChanged();
}

void AnglePanel::pointsChanged()
{
    m_model.setAnglePoints(QPointF(m_point[0]->value(), m_point[1]->value()),
                           QPointF(m_point[2]->value(), m_point[3]->value()));
    refresh();
}

} // namespace Quillet
