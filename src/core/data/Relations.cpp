// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/Relations.h"

#include "core/data/SetAsString.h"

namespace Quillet {

int FindRelationGroup(const RelationList& relations, int number)
{
    TSetAsString set;
    for (size_t i = 0; i < relations.size(); ++i) {
        set.setAsString(relations[i].text);
        if (set.Contains(number))
            return int(i);
    }
    return -1;
}

void RemoveFromRelations(RelationList& relations, int number)
{
    const int index = FindRelationGroup(relations, number);
    if (index < 0)
        return;
    TSetAsString set;
    set.setAsString(relations[size_t(index)].text);
    set.Exclude(number);
    if (set.isEmpty())
        relations.erase(relations.begin() + index);
    else
        relations[size_t(index)].text = set.AsString();
}

} // namespace Quillet
