// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/background/ScanModes.h"

#include <QCoreApplication>

namespace Quillet {
namespace {
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Quillet::ScanModes)
};
} // namespace

QString scanModeLabel(const QString& saneName)
{
    if (saneName == QLatin1String("Color"))
        return Texts::tr("Цветной");
    if (saneName == QLatin1String("Gray"))
        return Texts::tr("Оттенки серого");
    if (saneName == QLatin1String("Lineart"))
        return Texts::tr("Чёрно-белый");
    return saneName;
}

QString scanStatusText(int status, const QString& libraryText)
{
    // The SANE_Status values of the SANE standard, version 1.
    switch (status) {
    case 0:
        return Texts::tr("успешно");
    case 1:
        return Texts::tr("действие не поддерживается");
    case 2:
        return Texts::tr("действие отменено");
    case 3:
        return Texts::tr("сканер занят");
    case 4:
        return Texts::tr("недопустимое значение");
    case 5:
        return Texts::tr("данные закончились");
    case 6:
        return Texts::tr("в податчике застряла бумага");
    case 7:
        return Texts::tr("в податчике нет бумаги");
    case 8:
        return Texts::tr("крышка сканера открыта");
    case 9:
        return Texts::tr("ошибка обмена данными со сканером");
    case 10:
        return Texts::tr("не хватает памяти");
    case 11:
        return Texts::tr("нет доступа к сканеру");
    default:
        return libraryText;
    }
}

} // namespace Quillet
