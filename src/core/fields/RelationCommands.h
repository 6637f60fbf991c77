// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The commands of the relation list's toolbar. They change only the relation list: no
// undo snapshot is taken (undo does not cover relations) and nothing asks for a repaint.
// Fields are referred to by the value of their ID; only text fields (0–999) take part.

#include "core/app/Project.h"

#include <QString>

#include <functional>
#include <vector>

namespace Quillet {

/// The answer to the question about a field that already belongs to a relation.
enum class LinkAnswer {
    Yes,    ///< leave it in its relation and do not add it
    No,     ///< take it out of its relation and add it
    Cancel, ///< stop the whole command (also when the dialog is closed)
};

/// The question asked about the text field `fieldId` (its ID's value, written with four
/// digits) when it already belongs to a relation; lines are separated by LF CR.
QString linkQuestion(int fieldId);

/// `ToolButton1`: the marked text fields, in tree order, form a new unchecked relation item
/// appended to the list. A field already in a relation is put to `ask` with linkQuestion:
/// Yes skips it, No removes it from its relation and adds it, Cancel stops at once with no
/// new item (relations already left by earlier No answers stay left). Returns true when an
/// item was added; false when nothing qualified or on Cancel.
bool linkMarkedFields(Project& project,
                      const std::function<LinkAnswer(const QString& question)>& ask);

/// `ToolButton2`: every marked text field leaves the first relation that holds it.
void unlinkMarkedFields(Project& project);

/// `ToolButton15`: deletes the items at `indexes` (the highlighted ones), in any order;
/// indexes outside the list and repeats are ignored.
void deleteRelations(Project& project, std::vector<int> indexes);

/// `ToolButton16`: deletes every item.
void clearRelations(Project& project);

} // namespace Quillet
