// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>

namespace Quillet {

/// The choices of the export group. They belong to the session, not to the project file.
struct ExportOptions {
    /// `sEdit1`: the pages to export or print, in the page-set text form «1-5,7».
    QString pages;
    /// `WithBack`: filled pages carry the background (on screen too).
    bool WithBack = true;
    /// `PrintAsImg`: print pages as pictures even where direct printing would do.
    bool PrintAsImg = false;
    /// `Reverce`: pages go out last to first.
    bool Reverce = false;
};

} // namespace Quillet
