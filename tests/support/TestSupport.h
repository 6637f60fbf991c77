// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace QuilletTest {

/// Absolute path of a file below tests/data.
QString dataPath(const QString& relative);

/// Absolute path of a file below the repository root.
QString sourcePath(const QString& relative);

/// Whole content of a file; fails the current test (QFAIL-style) when unreadable.
QByteArray readFile(const QString& path);

/// Writes `bytes` as the whole content of the file at `path`; fails the current test
/// (QFAIL-style) when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);

/// A picture with no two neighbours alike (a fixed pseudo-random sequence from `seed`),
/// so that every misplaced pixel shows.
QImage noisePicture(int width, int height, quint32 seed,
                    QImage::Format format = QImage::Format_RGB888);

/// `image` as JPEG data at quality 95; fails the program when it cannot be encoded.
QByteArray jpegOf(const QImage& image);

} // namespace QuilletTest
