// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Joining PDF files page after page into one, as the shards of a large export come back
// from the machines that wrote them. Every part of such an export embeds the same form
// picture; the joined file holds each picture once.

#include <QString>
#include <QStringList>

namespace Quillet {

/// The order in which `parts` are joined. When every part is named
/// "<prefix>-IIII-of-NNNN.pdf" (I and N as four digits, the extension in either case),
/// the parts must make one complete set: the same prefix (the path before "-IIII",
/// compared as absolute paths) and the same N, every I from 1 to N exactly once. They are
/// then returned in I order whatever order they were given in. Parts named otherwise,
/// or a mix, are returned as given. Looks at the names only.
///
/// Throws FileError naming what is wrong: the missing parts ("…-0003-of-0007.pdf"), a
/// part given twice, a part numbered beyond its set, or two parts of different sets.
/// Throws Error when `parts` is empty.
QStringList pdfJoinOrder(const QStringList& parts);

/// Writes at `outPath` one PDF holding the pages of every part, in the order of
/// pdfJoinOrder(parts), and returns its page count. An image (with its soft mask) that
/// more than one part embeds with the same encoded data and the same dictionary is kept
/// once, and all the pages draw that one; nothing else of the parts changes. The
/// document information (title, producer) is the first part's.
///
/// Throws FileError with one line naming the part for a part that is missing, unreadable,
/// not a PDF, damaged or encrypted, and naming `outPath` when it cannot be written. The
/// file is written beside `outPath` and renamed over it when complete: after a failure,
/// whatever was at `outPath` stays as it was and nothing is left beside it.
int joinPdfFiles(const QStringList& parts, const QString& outPath);

} // namespace Quillet
