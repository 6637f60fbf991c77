// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// How the field tree shows a node: not the stored text, whose encoding only this program
// reads, but the parts of it a user recognises. The stored text stays the model; these
// lines are worked out from it each time they are shown.

#include <QLocale>
#include <QString>

namespace Quillet {

/// A node text with its control characters (the separators) replaced by the visible
/// symbols of the Control Pictures block, code 8 becoming "␈"; everything else as stored.
QString visibleNodeText(const QString& nodeText);

/// The tree's line for a node, its parts separated by two spaces:
/// - a text field: ID, "Текст", the field text, the font face and size ("Sans Serif 10 pt"),
///   and "гребёнка" for a comb field;
/// - an image field: ID, "Картинка", the picture's file name without its folder;
/// - a shape field: ID, "Фигура", the shape in words ("Линия — верх", "Круг", "Дуга 0–90°");
/// - a block (`block`): "x 51,90 y 67,31 — 119,97 × 74,00 мм", the left and top edges and
///   the width and height (right − left, bottom − top) in millimetres, taken from the
///   block's page pixels and written with `locale`'s decimal mark.
/// Empty parts are left out. A text the grammar does not read (or a field whose first four
/// characters are not digits) is shown as visibleNodeText, and an empty or blank one as
/// "(пустой узел)": the line is never empty and this never throws.
QString nodeDisplayText(const QString& nodeText, bool block, const QLocale& locale = QLocale());

} // namespace Quillet
