// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/background/ScanModes.h"

#include <QCoreApplication>

namespace Quillet {

QString scanModeLabel(const QString& saneName)
{
    if (saneName == QLatin1String("Color"))
        return QCoreApplication::translate("Quillet::ScanModes", "Цветной");
    if (saneName == QLatin1String("Gray"))
        return QCoreApplication::translate("Quillet::ScanModes", "Оттенки серого");
    if (saneName == QLatin1String("Lineart"))
        return QCoreApplication::translate("Quillet::ScanModes", "Чёрно-белый");
    return saneName;
}

QString scanStatusText(int status, const QString& libraryText)
{
    // The SANE_Status values of the SANE standard, version 1.
    switch (status) {
    case 0:
        return QCoreApplication::translate("Quillet::ScanModes", "успешно");
    case 1:
        return QCoreApplication::translate("Quillet::ScanModes", "действие не поддерживается");
    case 2:
        return QCoreApplication::translate("Quillet::ScanModes", "действие отменено");
    case 3:
        return QCoreApplication::translate("Quillet::ScanModes", "сканер занят");
    case 4:
        return QCoreApplication::translate("Quillet::ScanModes", "недопустимое значение");
    case 5:
        return QCoreApplication::translate("Quillet::ScanModes", "данные закончились");
    case 6:
        return QCoreApplication::translate("Quillet::ScanModes", "в податчике застряла бумага");
    case 7:
        return QCoreApplication::translate("Quillet::ScanModes", "в податчике нет бумаги");
    case 8:
        return QCoreApplication::translate("Quillet::ScanModes", "крышка сканера открыта");
    case 9:
        return QCoreApplication::translate("Quillet::ScanModes",
                                           "ошибка обмена данными со сканером");
    case 10:
        return QCoreApplication::translate("Quillet::ScanModes", "не хватает памяти");
    case 11:
        return QCoreApplication::translate("Quillet::ScanModes", "нет доступа к сканеру");
    default:
        return libraryText;
    }
}

} // namespace Quillet
