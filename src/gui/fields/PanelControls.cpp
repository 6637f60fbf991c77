// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/PanelControls.h"

#include "core/render/TextLayout.h"
#include "gui/app/FocusOrder.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace Quillet {
namespace {

constexpr int kSwatchWidth = 28;
constexpr int kSwatchHeight = 14;

QIcon swatchIcon(const QColor& color)
{
    // Drawn at twice the size so the swatch stays sharp on high-density screens.
    QPixmap pixmap(kSwatchWidth * 2, kSwatchHeight * 2);
    pixmap.setDevicePixelRatio(2.0);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x70, 0x74, 0x7a));
    painter.setBrush(color);
    painter.drawRect(QRectF(0.5, 0.5, kSwatchWidth - 1, kSwatchHeight - 1));
    return QIcon(pixmap);
}

} // namespace

int32_t bgrFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return int32_t(uint32_t(rgb.blue()) << 16 | uint32_t(rgb.green()) << 8 | uint32_t(rgb.red()));
}

ColorButton::ColorButton(const QString& objectName, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setObjectName(objectName);
    setIconSize(QSize(kSwatchWidth, kSwatchHeight));
    setBgr(0);
    connect(this, &QPushButton::clicked, this, &ColorButton::chooseColor);
}

void ColorButton::setBgr(int32_t bgr)
{
    m_bgr = bgr;
    setIcon(swatchIcon(colorFromBgr(bgr)));
}

void ColorButton::chooseColor()
{
    const QString title = text().trimmed().isEmpty() ? toolTip() : text().trimmed();
    const QColor chosen = QColorDialog::getColor(colorFromBgr(m_bgr), this, title);
    if (!chosen.isValid())
        return;
    setBgr(bgrFromColor(chosen));
    Q_EMIT colorChosen(m_bgr);
}

QToolButton* groupButton(QWidget* parent, QButtonGroup* group, int id, const char* objectName,
                         IconName icon, const QString& hint, const QString& accessibleName)
{
    QToolButton* button = iconButton(parent, objectName, icon, hint, accessibleName);
    button->setCheckable(true);
    button->setAutoRaise(false);
    group->addButton(button, id);
    return button;
}

QButtonGroup* exclusiveGroup(QWidget* parent)
{
    auto* group = new QButtonGroup(parent);
    group->setExclusive(true);
    tabStopOnChecked(group);
    return group;
}

void checkGroupButton(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

} // namespace Quillet
