// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace Quillet {

/// Checks the structure of a compound document (the container of .xls files): the
/// header, the sector allocation table and every directory entry reachable from it.
/// Returns an empty text when the structure is sound, else what is wrong (for an error
/// message).
///
/// Checked: the signature; a sector size of 512 or 4096 bytes; allocation-table and
/// directory sector numbers inside the file; sector chains without loops; directory
/// entry names of at most 32 UTF-16 characters including the terminator; streams in
/// regular sectors whose chains are as long as their sizes. Streams may share sectors
/// (some writers produce such files, and spreadsheet applications read them); each
/// sector is walked once however many entries lead to it, so the time and memory spent
/// stay in proportion to the file's size.
QString checkCompoundFile(const QByteArray& bytes);

/// The content of the stream of that name (compared without regard to case) among the
/// root storage's own children (not inside embedded storages) of a compound document that
/// checkCompoundFile accepted; nullopt when there is no such stream or its chain is broken.
std::optional<QByteArray> compoundStream(const QByteArray& bytes, QStringView name);

} // namespace Quillet
