// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>

#include <vector>

namespace Quillet {

/// One relation between text fields: its field numbers in set notation («3-5,8»). The
/// check mark is only a mark of the list; it means nothing for the relation and is not
/// stored.
struct RelationItem {
    QString text;
    bool checked = false;
    bool operator==(const RelationItem&) const = default;
};

using RelationList = std::vector<RelationItem>;

} // namespace Quillet
