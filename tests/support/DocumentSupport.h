// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Documents for the import tests, made at test time. Drawing text needs a
// QGuiApplication (QTEST_MAIN, not QTEST_GUILESS_MAIN).

#include <QString>

namespace QuilletTest {

/// Writes a PDF of `pages` A4 pages, each with its number written large and a coloured
/// band whose place and colour depend on the number, so no two pages render alike.
/// False when the file cannot be written.
bool writeNumberedPdf(const QString& path, int pages);

} // namespace QuilletTest
