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

QString scanStatusText(int status, const QString& libraryText)
{
    // The SANE_Status values of the SANE standard, version 1.
    switch (status) {
    case 0:
        return QStringLiteral("успешно");
    case 1:
        return QStringLiteral("действие не поддерживается");
    case 2:
        return QStringLiteral("действие отменено");
    case 3:
        return QStringLiteral("сканер занят");
    case 4:
        return QStringLiteral("недопустимое значение");
    case 5:
        return QStringLiteral("данные закончились");
    case 6:
        return QStringLiteral("в податчике застряла бумага");
    case 7:
        return QStringLiteral("в податчике нет бумаги");
    case 8:
        return QStringLiteral("крышка сканера открыта");
    case 9:
        return QStringLiteral("ошибка обмена данными со сканером");
    case 10:
        return QStringLiteral("не хватает памяти");
    case 11:
        return QStringLiteral("нет доступа к сканеру");
    default:
        return libraryText;
    }
}

} // namespace Quillet
