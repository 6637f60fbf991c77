// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ReplacePairs.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace Quillet::AutoReplace {

void sortPairs(ReplacePairs& pairs)
{
    // Opening a collator costs far more than sorting a short list: keep one per thread
    // for as long as the user's locale stays the same.
    thread_local QCollator collator = [] {
        QCollator c{QLocale()};
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    if (collator.locale() != QLocale())
        collator.setLocale(QLocale());
    // Sort keys once per caption: a list read from a file may be long, and comparing
    // through the collator each time costs a conversion per comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(pairs.size());
    for (const ReplacePair& pair : pairs)
        keys.push_back(collator.sortKey(pair.find));
    std::vector<size_t> order(pairs.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
    ReplacePairs sorted;
    sorted.reserve(pairs.size());
    for (size_t i : order)
        sorted.push_back(std::move(pairs[i]));
    pairs = std::move(sorted);
}

} // namespace Quillet::AutoReplace
