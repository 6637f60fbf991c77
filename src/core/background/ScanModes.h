// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// How the scanner dialog names a device's colour modes and what SANE reports.

#include <QString>

namespace Quillet {

/// The Russian label of the SANE colour mode `saneName` ("Color" "Цветной", "Gray"
/// "Оттенки серого", "Lineart" "Чёрно-белый"); a mode of another name (backends may offer
/// their own) is shown as the device names it.
QString scanModeLabel(const QString& saneName);

/// What the SANE status `status` (a SANE_Status value) means, in Russian ("Device busy"
/// "сканер занят"); a status SANE did not define when this was written gives
/// `libraryText`, the library's own words (sane_strstatus).
QString scanStatusText(int status, const QString& libraryText);

} // namespace Quillet
