// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Which pages an export writes and under which names, when the work is spread over many
// machines (shards of a scheduler's job array) or the files are named after their records.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <vector>

namespace Quillet {

class Project;
class Workbook;

/// The index-th of `count` shares of an export, counted from 1.
struct Shard {
    int index = 1;
    int count = 1;
    friend bool operator==(const Shard&, const Shard&) = default;
};

/// The largest number of shards: more would leave most of them without a page.
inline constexpr int MaxShards = 9999;

/// Reads "I/N" (1 ≤ I ≤ N ≤ MaxShards). Throws Error with a message saying what is wrong.
Shard parseShard(const QString& text);

/// The share of the scheduler task this process runs as: a Slurm job array
/// (SLURM_ARRAY_TASK_ID with SLURM_ARRAY_TASK_COUNT, or with SLURM_ARRAY_TASK_MIN and _MAX,
/// stepping by SLURM_ARRAY_TASK_STEP) or a Kubernetes Indexed Job (JOB_COMPLETION_INDEX,
/// counted from 0). `shards` (0 when not given) is the number of shards; Kubernetes does
/// not tell it, so there it is needed; with Slurm it replaces the array's size. Throws
/// Error when the environment names no task or numbers that do not fit.
Shard shardFromEnvironment(const QProcessEnvironment& environment, int shards);

/// The pages of `shard`: the index-th of `count` contiguous runs of `pages`, in their
/// order, the runs differing in length by one at most (the first runs being the shorter).
/// Every page falls in exactly one shard; a shard may be empty when there are more shards
/// than pages.
std::vector<int> pagesOfShard(const std::vector<int>& pages, Shard shard);

/// The prefix a shard's PDF is written under: "forms/list" → "forms/list-0002-of-0016"
/// (the file being "forms/list-0002-of-0016.pdf").
QString shardPrefix(const QString& prefix, Shard shard);

/// `value` made fit to be a file's name on any system the files may be copied to: path
/// separators, characters Windows refuses and control characters become "_", spaces and
/// dots at either end go, a device name ("CON", "nul.txt") gets a "_", and the name is cut
/// to at most `maxBytes` bytes of UTF-8 without splitting a character. Empty when nothing
/// is left.
QString safeFileName(const QString& value, int maxBytes = 120);

/// The names of the pages' files when they are named after their records: `nameText` is
/// read as a field text is, except that a single cell is the first record's and moves with
/// the page ("=B2" gives B2 on page 1, B3 on page 2 when pages go by rows, as "=B2:B201"
/// does; any text without "=" is the same on every page), made safe by safeFileName. A page whose
/// name is empty keeps its number ("007"). Names that repeat (letter case aside) are numbered "Name
/// (2)", "Name (3)", … in page order. The list is parallel to `pages`; computed over all selected
/// pages, it is the same for every shard.
QStringList recordFileNames(const Project& project, const Workbook* workbook,
                            const QString& nameText, const std::vector<int>& pages);

} // namespace Quillet
