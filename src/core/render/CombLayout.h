// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Comb fields: a value put one character per block, as forms print tax numbers, dates and
// sums in rows of boxes. Character i of an element goes into box i of its run, in the
// field's block order, shifted by the first block's horizontal alignment; boxes the value
// leaves empty may get a dash. Each character's ink is centred in its box, and all
// characters of an element share one font size and one baseline. Laid out on the 300-dpi
// page through the same TextCanvas as ordinary text, so screen, export and printer agree.
//
// In relation groups an element of a comb field takes whole lines of boxes: a line is a
// run of consecutive blocks each of which overlaps the one before it vertically and lies
// to its right.

#include "core/render/TextLayout.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Quillet {

/// The lines of boxes of `blocks` (layout pixels): the index of the first block of each
/// line, in block order. A block continues the line of the block before it when the two
/// overlap vertically (rows of pixels in common) and its left edge lies further right;
/// any other block, a block without height included, starts a new line. Empty for no
/// blocks.
std::vector<int> combLines(const Tblocks& blocks);

/// How many lines of the record's CombLines, from its StartLine, the characters of
/// record.Options.fieldText need: the fewest whose boxes hold them all, at least 1, at
/// most the lines left (at least 1 even when there are none).
int combLinesNeeded(const TMatrix& record);

/// The boxes of one comb element: the characters are laid out over `count` boxes from
/// block `first`; `filled` boxes from `first` (never fewer than `count`) get the field's
/// background, as an ordinary run's blocks all do.
struct CombRun {
    int first = 0;
    int count = 0;
    int filled = 0;
};

/// The run of `lines` lines from the record's StartLine (fewer when fewer are left),
/// the characters laid out over the first `printed` of them (at most `lines`).
CombRun combRunOfLines(const TMatrix& record, int lines, int printed);

/// `DistributeComb`: draws the comb value record.Options.fieldText into `run` (clipped
/// to the record's blocks). The characters to skip are dropped first; each remaining
/// character takes a box, spaces included; the first block's horizontal alignment (code
/// mod 3) puts the value at the start, centred (an odd box left over goes to the right)
/// or at the end of the run; with dashEmpty every box the value leaves empty gets "-".
/// The font is the field's size, or the largest at which the widest printed character
/// (dashes included) is narrower than the narrowest box of the run; when not even size 1
/// is, it draws at size 1 and logs "не влез" as ordinary text does. A value with more
/// characters than boxes fills the boxes with its first characters and logs one line
/// naming the page, the field and the characters left out. Never throws.
void DistributeComb(const TMatrix& record, const CombRun& run, TextCanvas& canvas);

} // namespace Quillet
