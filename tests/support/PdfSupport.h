// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Looking into written PDF files with qpdf and poppler.

#include <QImage>
#include <QString>

namespace QuilletTest {

/// How many image objects the PDF file at `path` holds, whether pages draw them or not
/// (soft masks count as images); -1 when qpdf cannot read it.
int pdfImageObjectCount(const QString& path);

/// Page `index` (0-based) of the PDF at `path` as poppler draws it at `dpi`, antialiased;
/// a null image when it does not open or has no such page.
QImage pdfPageImage(const QString& path, int index, int dpi);

/// The page count of the PDF at `path` as poppler reads it; -1 when it does not open.
int pdfPageCount(const QString& path);

} // namespace QuilletTest
