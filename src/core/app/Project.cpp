// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Project.h"

#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/common/Numbers.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>

namespace Quillet {
namespace {

void requireFreeNumber(int next)
{
    if (next > MaxFieldNumber) {
        throw Error(
            QCoreApplication::translate("Quillet::Project",
                                        "Все номера полей до %1 уже выданы. Сохраните и "
                                        "снова откройте проект, чтобы освободить номера удалённых "
                                        "полей.")
                .arg(MaxFieldNumber));
    }
}

int kindOffset(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return 0;
    case FieldKind::Image:
        return 1000;
    case FieldKind::Shape:
        break;
    }
    return 2000;
}

} // namespace

double pageSideAfterEdit(double mm)
{
    return static_cast<double>(snapToPixel(std::max(static_cast<long double>(mm), MmPerPixel)));
}

double shownPageSide(double mm)
{
    const long long pixel = mmToPixel(mm);
    double candidate = mm;
    for (const double scale : {1.0, 10.0, 100.0}) {
        candidate = std::round(mm * scale) / scale;
        if (mmToPixel(candidate) == pixel)
            return candidate;
    }
    return candidate;
}

QString Project::takeNewFieldId(FieldKind kind)
{
    requireFreeNumber(NextFieldNumber);
    const QString id = Numbers::formatInt(NextFieldNumber + kindOffset(kind), 4);
    ++NextFieldNumber;
    return id;
}

QString Project::takeCloneFieldId(QChar kindDigit)
{
    requireFreeNumber(NextFieldNumber);
    const QString id = kindDigit + Numbers::formatInt(NextFieldNumber, 3);
    ++NextFieldNumber;
    return id;
}

int Project::pageWidthPx() const
{
    return int(std::clamp<long long>(mmToPixel(settings.PrWidth), 1, MaxPagePixels));
}

int Project::pageHeightPx() const
{
    return int(std::clamp<long long>(mmToPixel(settings.PrHeight), 1, MaxPagePixels));
}

} // namespace Quillet
