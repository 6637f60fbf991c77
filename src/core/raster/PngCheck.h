// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Qt's PNG reader leaves libpng's errors to libpng's own handler, which writes them on
// stderr; a PNG is therefore read once through libpng with handlers of ours before Qt is
// given it.

#include <QByteArray>

namespace Quillet {

/// True when libpng reads `bytes` as a PNG to its end: the header, every row of every
/// pass, and the chunks after them, each with its checksum. False for anything else, and
/// for a picture over `maxSide` pixels a side or `maxPixels` in all, whose rows are then
/// not read. Says nothing anywhere.
bool pngReadsWhole(const QByteArray& bytes, long long maxSide, long long maxPixels);

} // namespace Quillet
