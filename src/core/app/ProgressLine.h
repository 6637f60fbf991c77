// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>
#include <QtGlobal>

namespace Quillet {

/// The line a long run on the command line keeps rewriting: pages done of all, the pace
/// in pages per second and the time left at that pace ("страница 40 из 200 · 12,5 стр./с
/// · осталось 0:13"). The pace shows once a page is done and a fifth of a second has
/// passed, before that only the count. Numbers follow the locale's notation; times run
/// "m:ss", from an hour on "h:mm:ss".
QString progressLine(int done, int total, qint64 elapsedMs);

/// A duration in whole seconds as "m:ss", or "h:mm:ss" from an hour on.
QString clockDuration(qint64 seconds);

} // namespace Quillet
