// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// How the scanner dialog names a device's colour modes.

#include <QString>

namespace Quillet {

/// The Russian label of the SANE colour mode `saneName` ("Color" "Цветной", "Gray"
/// "Оттенки серого", "Lineart" "Чёрно-белый"); a mode of another name (backends may offer
/// their own) is shown as the device names it.
QString scanModeLabel(const QString& saneName);

} // namespace Quillet
