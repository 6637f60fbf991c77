// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/SetAsString.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace Quillet {
namespace {

// A number of a set text: leading blanks, then nothing but decimal digits. A sign is
// not accepted: "-" is the range mark, so «-5» must not read as minus five.
std::optional<int32_t> readSetNumber(QStringView part)
{
    qsizetype i = 0;
    while (i < part.size() && (part[i] == u' ' || part[i] == u'\t'))
        ++i;
    if (i == part.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < part.size(); ++i) {
        const char16_t c = part[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<int32_t>::max())
            return std::nullopt;
    }
    return int32_t(value);
}

} // namespace

QString TSetAsString::AsString() const
{
    QString text;
    for (const Range& r : m_ranges) {
        if (!text.isEmpty())
            text += u',';
        text += QString::number(r.lo);
        if (r.hi > r.lo) {
            text += u'-';
            text += QString::number(r.hi);
        }
    }
    return text;
}

void TSetAsString::setAsString(QStringView text)
{
    Clear();
    for (QStringView token : text.tokenize(u',')) {
        const qsizetype dash = token.indexOf(u'-');
        if (dash < 0) {
            if (const auto n = readSetNumber(token))
                Include(*n);
            continue;
        }
        const auto lo = readSetNumber(token.left(dash));
        const auto hi = readSetNumber(token.mid(dash + 1));
        if (lo && hi)
            includeRange(*lo, *hi);
    }
}

TIntArray TSetAsString::AsArray() const
{
    TIntArray values;
    values.reserve(size_t(Count()));
    for (const Range& r : m_ranges) {
        for (int64_t n = r.lo; n <= r.hi; ++n)
            values.push_back(int32_t(n));
    }
    return values;
}

void TSetAsString::setAsArray(const TIntArray& values)
{
    Clear();
    for (const int32_t n : values)
        Include(n);
}

bool TSetAsString::Contains(int32_t n) const
{
    // First range whose hi is not below n: the only one that can hold n.
    const auto it = std::lower_bound(m_ranges.begin(), m_ranges.end(), n,
                                     [](const Range& r, int32_t v) { return r.hi < v; });
    return it != m_ranges.end() && it->lo <= n;
}

int64_t TSetAsString::Count() const
{
    int64_t count = 0;
    for (const Range& r : m_ranges)
        count += int64_t(r.hi) - r.lo + 1;
    return count;
}

void TSetAsString::includeRange(int32_t lo, int32_t hi)
{
    if (lo > hi)
        return;
    // Ranges that overlap or touch [lo, hi] are those from the first with hi ≥ lo − 1 to
    // the last with lo ≤ hi + 1; 64-bit bounds keep the ±1 from wrapping at the limits.
    const int64_t from = int64_t(lo) - 1;
    const int64_t to = int64_t(hi) + 1;
    auto first = std::lower_bound(m_ranges.begin(), m_ranges.end(), from,
                                  [](const Range& r, int64_t v) { return r.hi < v; });
    auto last = first;
    while (last != m_ranges.end() && last->lo <= to)
        ++last;
    Range merged{lo, hi};
    if (first != last) {
        merged.lo = std::min(lo, first->lo);
        merged.hi = std::max(hi, (last - 1)->hi);
        first = m_ranges.erase(first, last);
    }
    m_ranges.insert(first, merged);
}

void TSetAsString::excludeRange(int32_t lo, int32_t hi)
{
    if (lo > hi)
        return;
    auto first = std::lower_bound(m_ranges.begin(), m_ranges.end(), lo,
                                  [](const Range& r, int32_t v) { return r.hi < v; });
    std::vector<Range> kept;
    auto last = first;
    for (; last != m_ranges.end() && last->lo <= hi; ++last) {
        if (last->lo < lo)
            kept.push_back({last->lo, lo - 1});
        if (last->hi > hi)
            kept.push_back({hi + 1, last->hi});
    }
    first = m_ranges.erase(first, last);
    m_ranges.insert(first, kept.begin(), kept.end());
}

void TSetAsString::Normalize()
{
    std::vector<Range> result;
    result.reserve(m_ranges.size());
    std::vector<Range> sorted = m_ranges;
    std::sort(sorted.begin(), sorted.end(),
              [](const Range& a, const Range& b) { return a.lo < b.lo; });
    for (const Range& r : sorted) {
        if (r.hi < r.lo)
            continue;
        if (!result.empty() && int64_t(r.lo) <= int64_t(result.back().hi) + 1)
            result.back().hi = std::max(result.back().hi, r.hi);
        else
            result.push_back(r);
    }
    m_ranges = std::move(result);
}

} // namespace Quillet
