// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace Quillet {

/// A dynamic array of 32-bit signed integers.
using TIntArray = std::vector<int32_t>;

/// A set of 32-bit integers held as ranges, with the short text form «1-3,5,7-8» used for
/// page selections and relation groups.
///
/// Invariant after every public operation: the ranges are ascending, disjoint and not
/// adjacent (a range's `lo` is at least the previous `hi` + 2), and none is empty. Whole
/// ranges are added at once, so «1-2000000000» costs no more than «1-2»; the result is
/// the same as adding its integers one at a time.
class TSetAsString {
public:
    /// One inclusive range lo … hi (lo ≤ hi).
    struct Range {
        int32_t lo = 0;
        int32_t hi = 0;
        bool operator==(const Range&) const = default;
    };

    /// The set as text: ranges in ascending order joined by ",", each "lo" or "lo-hi",
    /// plain decimal without blanks; a range of two numbers is written «3-4». The empty
    /// set gives an empty text.
    QString AsString() const;

    /// Clears the set, then adds what the text describes. Tokens are separated by ",":
    /// "n" adds n, "a-b" adds a … b when a ≤ b (nothing when a > b). Each number may
    /// have leading blanks, then only decimal digits; anything else (a trailing blank, a
    /// sign, a second "-", an empty part, a number beyond the 32-bit range) makes the
    /// token invalid, and invalid tokens are skipped silently. Order, duplicates and
    /// overlaps do not matter.
    void setAsString(QStringView text);

    /// All members ascending, one entry per integer. The caller must keep the set small
    /// enough to expand (see Count).
    TIntArray AsArray() const;
    /// Clears the set, then includes every entry.
    void setAsArray(const TIntArray& values);

    void Clear() { m_ranges.clear(); }
    void Include(int32_t n) { includeRange(n, n); }
    void Exclude(int32_t n) { excludeRange(n, n); }
    bool Contains(int32_t n) const;
    /// Number of integers in the set; 64-bit because one range can hold 2^32 of them.
    int64_t Count() const;
    bool isEmpty() const { return m_ranges.empty(); }

    /// Adds every integer lo … hi; nothing when lo > hi.
    void includeRange(int32_t lo, int32_t hi);
    /// Removes every integer lo … hi; nothing when lo > hi.
    void excludeRange(int32_t lo, int32_t hi);

    /// Restores the invariant: drops empty ranges and merges overlapping or adjacent
    /// ones. Public operations already leave the set normalised.
    void Normalize();

    /// The ranges, ascending; the way to walk a set too large for AsArray.
    const std::vector<Range>& ranges() const { return m_ranges; }

    bool operator==(const TSetAsString&) const = default;

private:
    std::vector<Range> m_ranges;
};

} // namespace Quillet
