// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// How the keyboard walks a panel: Tab goes top to bottom and left to right, and a group
// of buttons of which one is down (radio buttons, the alignment buttons) is one stop,
// inside which the arrow keys move.

#include <QWidgetList>

class QButtonGroup;

namespace Quillet {

/// Makes Tab stop at the button of the exclusive `group` that is down, or at its first
/// button while none is, whichever was focused last; it follows the group from now on.
void tabStopOnChecked(QButtonGroup* group);

/// Chains `widgets` in this order for Tab, each after the one before it.
void chainTabOrder(const QWidgetList& widgets);

} // namespace Quillet
