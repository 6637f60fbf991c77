// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

class QApplication;

namespace Quillet {

/// The program's look: the Fusion style with a light palette and style sheet, the same
/// on every desktop, so the panels read as one surface.
void applyLook(QApplication& app);

/// Qt's own texts (standard buttons, the colour and file dialogs, edit menus) in Russian,
/// the program's language, when Qt's Russian translation is installed; otherwise they
/// stay as Qt has them.
void installTranslation(QApplication& app);

} // namespace Quillet
