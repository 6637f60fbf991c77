// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/data/RelationList.h"

namespace Quillet {

/// Index of the first item whose set contains the field number, or -1 when none does.
/// Items are read in list order; a hand-edited list with a number in several items
/// therefore always resolves to the first of them.
int FindRelationGroup(const RelationList& relations, int number);

/// Removes the number from the first item that contains it: the item's text becomes the
/// remaining set, or the item is deleted when nothing remains. Nothing happens when no
/// item contains it; later items that also hold the number are left alone.
void RemoveFromRelations(RelationList& relations, int number);

} // namespace Quillet
