// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

class QApplication;

namespace Quillet {

/// The program's look: the Fusion style with a light palette and style sheet, the same
/// on every desktop, so the panels read as one surface.
void applyLook(QApplication& app);

} // namespace Quillet
