// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>

namespace Quillet {

/// The file of the bundled guide for the locale named `localeName` (QLocale::name(), or a
/// name like the environment's "ru_RU.UTF-8"): "guide_ru.html" when its language is
/// Russian, "guide_en.html" for every other language and for an empty or unknown name.
QString guideFileName(const QString& localeName);

} // namespace Quillet
