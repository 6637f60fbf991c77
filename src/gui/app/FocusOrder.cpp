// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/FocusOrder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QWidget>

namespace Quillet {
namespace {

void moveTabStop(QButtonGroup* group)
{
    const QList<QAbstractButton*> buttons = group->buttons();
    if (buttons.isEmpty())
        return;
    QAbstractButton* stop = group->checkedButton() ? group->checkedButton() : buttons.first();
    for (QAbstractButton* button : buttons) {
        const Qt::FocusPolicy policy = button->focusPolicy();
        button->setFocusPolicy(button == stop ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                              : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

} // namespace

void tabStopOnChecked(QButtonGroup* group)
{
    // Qt itself moves the stop to a button of the group that takes the focus; this moves
    // it to the one that is down, which is where a returning user expects to land.
    QObject::connect(group, &QButtonGroup::buttonToggled, group,
                     [group](QAbstractButton*, bool) { moveTabStop(group); });
    moveTabStop(group);
}

void chainTabOrder(const QWidgetList& widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

} // namespace Quillet
