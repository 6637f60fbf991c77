// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/Project.h"

namespace Quillet {

class PageSizeCatalog;

/// The empty project that "Создать" makes after `old`. It keeps the workbook file, the
/// page direction, the background position, the rotation angle and the auto-replace
/// list; the sheet, the background, its size and margins, the fields and the relations
/// start empty. The page size is the first named size of `sizes` when there is one (its
/// name and millimetres), else the old project's; `sizes` may be null. Throws Error when
/// that size cannot be read from the user's settings.
Project newProjectFrom(const Project& old, const PageSizeCatalog* sizes);

} // namespace Quillet
