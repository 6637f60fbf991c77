// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The project file (".qlet"): length-prefixed chunks, each an unsigned 64-bit
// little-endian length and that many bytes. In order: the background JPEG, the field
// tree, the relation groups, the settings (13 lines) and, only when there are pairs,
// the auto-replace pairs. Text chunks are Windows-1251 with CR LF after every line.

#include "core/app/Project.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>

class QIODevice;

namespace Quillet {

class PageSizeCatalog;

namespace ProjectFile {

/// The file's bytes. Throws ConversionError naming the field, block, relation, setting
/// or pair that holds a character Windows-1251 cannot hold; nothing is replaced.
QByteArray serialize(const Project& project);

/// Writes the project to `path` atomically: the bytes go to a temporary file that
/// replaces `path` only when complete, so a failed save leaves the previous file as it
/// was. Throws ConversionError (before anything is written) or FileError.
void save(const Project& project, const QString& path);

/// Reads a project from `device` into a new Project. Settings that the file leaves open
/// (an alignment code other than 0–2, a rotation angle when the file has only 12
/// settings lines) keep their values from `current`. A page-size name found in
/// `sizes` (compared after upper-casing its Latin letters) takes the size stored there
/// instead of the file's pixels. Throws FileError or ConversionError with a clear
/// message for a truncated or malformed file; nothing is allocated for a chunk longer
/// than the bytes left.
Project read(QIODevice& device, const ProjectSettings& current = {},
             const PageSizeCatalog* sizes = nullptr);

/// Opens and reads the file at `path` as read() does. Throws FileError when it cannot
/// be opened.
Project load(const QString& path, const ProjectSettings& current = {},
             const PageSizeCatalog* sizes = nullptr);

/// Size of the JPEG picture held as background; (0, 0) when there is none. Throws
/// FileError when the data is not a readable JPEG header.
QSize backgroundSize(const QByteArray& jpeg);

/// The 13 settings lines as the file stores them (without line ends).
QStringList settingsLines(const ProjectSettings& settings);

/// The lines of a text chunk: separated by CR LF, a lone CR or a lone LF; a line end
/// after the last line does not start another line.
QStringList splitLines(QStringView text);

} // namespace ProjectFile
} // namespace Quillet
