// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The auto-replace list: its order, the commands that edit it, the snapshot the editing
// panel restores on cancel, and the ".arl" exchange file (Windows-1251 lines, CR LF after
// every line, the caption of each pair followed by its replacement).

#include "core/app/Project.h"
#include "core/app/ReplacePairs.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace Quillet::AutoReplace {

/// The largest ".arl" file read; anything bigger is no list of replacements (a wrong file
/// chosen) and is refused instead of being loaded whole.
inline constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

/// True when two captions are the same text without regard to letter case: the test the
/// renderer's lookup (ApplyAutoReplace) makes, and the one that makes an added pair
/// overwrite an item.
bool sameCaption(const QString& a, const QString& b);

// sortPairs, the order the list is kept in, is in app/ReplacePairs.h.

/// Index of the first pair, from the top, whose caption is sameCaption as `caption`;
/// -1 when there is none.
qsizetype findCaption(const ReplacePairs& pairs, const QString& caption);

/// Adds `pair`, or updates the first item with the same caption (its caption becomes
/// `pair.find` as typed), then sorts. Returns the pair's index in the sorted list. Throws
/// Error when either text holds a line break (a list line cannot carry one); the list is
/// then unchanged.
qsizetype addOrUpdate(ReplacePairs& pairs, const ReplacePair& pair);

/// Removes the pair at `index`; an index out of range changes nothing.
void removeAt(ReplacePairs& pairs, qsizetype index);

/// Replaces the list by `filePairs`, each pair an item of its own (captions that are the
/// same but for case stay side by side), and sorts.
void openPairs(ReplacePairs& pairs, const ReplacePairs& filePairs);

/// Merges `filePairs` in file order: each updates the first item with the same caption,
/// or is added; the list is then sorted. Items of the list that share a caption but for
/// case are looked up in the order the list had when the merge began.
void mergePairs(ReplacePairs& pairs, const ReplacePairs& filePairs);

/// The panel's snapshot: caption, CR, replacement, CR for every pair in list order.
QString snapshot(const ReplacePairs& pairs);

/// The list a snapshot was taken of, pair for pair in its order (duplicates included).
/// A trailing caption without its replacement gets an empty one.
ReplacePairs restoreSnapshot(const QString& snapshot);

/// Reads an ".arl" file's pairs from `device`: Windows-1251 lines ended by CR LF, a lone
/// CR or a lone LF, two lines a pair; an odd last line is ignored. Throws FileError for a
/// device that cannot be read or holds more than MaxFileBytes.
ReplacePairs readArl(QIODevice& device);

/// Reads the ".arl" file at `path`; std::nullopt when no such file exists. Throws
/// FileError (naming the file) when it exists but cannot be read.
std::optional<ReplacePairs> loadArl(const QString& path);

/// The ".arl" bytes of `pairs`: both lines of every pair in list order, each followed by
/// CR LF; no pairs give no bytes. Throws ConversionError naming the first pair with a
/// character Windows-1251 cannot hold.
QByteArray serializeArl(const ReplacePairs& pairs);

/// `path` with its extension changed to ".arl", or ".arl" appended when its file name has
/// none. Only the file name part is looked at.
QString arlPath(const QString& path);

/// Writes `pairs` to arlPath(`path`) atomically (an existing file is replaced only by a
/// complete one) and returns that path. Throws ConversionError before anything is written,
/// or FileError when the file cannot be written.
QString saveArl(const ReplacePairs& pairs, const QString& path);

} // namespace Quillet::AutoReplace
