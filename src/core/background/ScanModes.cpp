// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/background/ScanModes.h"

namespace Quillet {

QString scanModeLabel(const QString& saneName)
{
    if (saneName == QLatin1String("Color"))
        return QStringLiteral("Цветной");
    if (saneName == QLatin1String("Gray"))
        return QStringLiteral("Оттенки серого");
    if (saneName == QLatin1String("Lineart"))
        return QStringLiteral("Чёрно-белый");
    return saneName;
}

} // namespace Quillet
