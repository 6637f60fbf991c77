// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ProgressLine.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace Quillet {

QString clockDuration(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const QString minutesAndSeconds = QStringLiteral("%1:%2")
                                          .arg(hours > 0 ? (seconds / 60) % 60 : seconds / 60,
                                               hours > 0 ? 2 : 1, 10, QLatin1Char('0'))
                                          .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QStringLiteral("%1:%2").arg(hours).arg(minutesAndSeconds)
                     : minutesAndSeconds;
}

QString progressLine(int done, int total, qint64 elapsedMs)
{
    const QString count = QCoreApplication::translate("Quillet::ProgressLine", "страница %1 из %2")
                              .arg(done)
                              .arg(total);
    if (done <= 0 || elapsedMs < 200)
        return count;
    const double pace = done * 1000.0 / double(elapsedMs);
    const qint64 left = qint64(std::ceil(double(total - done) / pace));
    return QCoreApplication::translate("Quillet::ProgressLine", "%1 · %2 стр./с · осталось %3")
        .arg(count, QLocale().toString(pace, 'f', pace < 10 ? 1 : 0), clockDuration(left));
}

} // namespace Quillet
