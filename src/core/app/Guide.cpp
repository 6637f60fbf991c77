// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Guide.h"

#include <QRegularExpression>

namespace Quillet {

QString guideFileName(const QString& localeName)
{
    // The language is what comes before the territory, the encoding or the modifier.
    static const QRegularExpression separators(QStringLiteral("[_.@-]"));
    const QString language = localeName.section(separators, 0, 0);
    const bool russian = language.compare(QLatin1String("ru"), Qt::CaseInsensitive) == 0;
    return russian ? QStringLiteral("guide_ru.html") : QStringLiteral("guide_en.html");
}

} // namespace Quillet
