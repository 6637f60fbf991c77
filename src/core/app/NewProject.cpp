// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NewProject.h"

#include "core/app/UserSettings.h"

namespace Quillet {

Project newProjectFrom(const Project& old, const PageSizeCatalog* sizes)
{
    Project fresh;
    fresh.settings = old.settings;
    ProjectSettings& s = fresh.settings;
    s.sheet.clear();
    s.ImgWidth = s.ImgHeight = 0;
    s.MirTop = s.MirBottom = s.MirLeft = s.MirRight = 0;
    fresh.ReplaceList = old.ReplaceList;
    const QStringList names = sizes ? sizes->pageSizeNames() : QStringList();
    if (!names.isEmpty()) {
        if (const std::optional<PageSize> size = sizes->pageSize(names.first())) {
            s.SizeName = names.first();
            s.PrWidth = size->widthMm;
            s.PrHeight = size->heightMm;
        }
    }
    return fresh;
}

} // namespace Quillet
