// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The auto-replace list as the project holds it, and the order it is kept in. The commands
// that edit the list and its ".arl" file are in fields/AutoReplace.h.

#include <QString>

#include <vector>

namespace Quillet {

/// One auto-replace pair: a whole value to look for and the text printed instead.
struct ReplacePair {
    QString find;
    QString replacement;
    bool operator==(const ReplacePair&) const = default;
};

using ReplacePairs = std::vector<ReplacePair>;

namespace AutoReplace {

/// Orders the pairs by caption with the collation of the user's locale (QLocale(),
/// case-sensitive). Pairs whose captions collate equal keep their order.
void sortPairs(ReplacePairs& pairs);

} // namespace AutoReplace
} // namespace Quillet
