// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Guide.h"

#include "core/app/Language.h"

namespace Quillet {

QString guideFileName(const QString& localeName)
{
    return QStringLiteral("guide_%1.html").arg(languageCodeOf(localeName));
}

} // namespace Quillet
