// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

namespace Quillet {
class Workbook;
}

namespace QuilletTest {

/// Absolute path of a file below tests/data.
QString dataPath(const QString& relative);

/// Absolute path of a file below the repository root.
QString sourcePath(const QString& relative);

/// The bundled demo project, examples/demo/demo.qlet.
QString demoProjectPath();

/// Whole content of a file; fails the current test (QFAIL-style) when unreadable.
QByteArray readFile(const QString& path);

/// Writes `bytes` as the whole file at `path`; fails the current test (QFAIL-style) and
/// returns false when it cannot.
bool writeFile(const QString& path, const QByteArray& bytes);

/// The first pixel where `actual` differs from `expected` ("pixel (x, y) is …, expected
/// …"), or their sizes when they differ; empty when the two are alike.
QString firstDifference(const QImage& actual, const QImage& expected);

/// The block text of the page-pixel rectangle (left, top)–(right, bottom).
QString blockText(int left, int top, int right, int bottom);

/// The workbook a csv file `fileName` of `text` reads as: one sheet named after the file
/// without its extension ("records.csv" → "records"). Fails the program when it does not
/// read.
std::unique_ptr<Quillet::Workbook>
csvWorkbook(const QByteArray& text, const QString& fileName = QStringLiteral("records.csv"));

/// A picture with no two neighbours alike (a fixed pseudo-random sequence from `seed`),
/// so that every misplaced pixel shows.
QImage noisePicture(int width, int height, quint32 seed,
                    QImage::Format format = QImage::Format_RGB888);

/// `image` as JPEG data at quality 95; fails the program when it cannot be encoded.
QByteArray jpegOf(const QImage& image);

} // namespace QuilletTest
