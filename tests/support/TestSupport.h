// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QString>

namespace QuilletTest {

/// Absolute path of a file below tests/data.
QString dataPath(const QString& relative);

/// Absolute path of a file below the repository root.
QString sourcePath(const QString& relative);

/// Whole content of a file; fails the current test (QFAIL-style) when unreadable.
QByteArray readFile(const QString& path);

} // namespace QuilletTest
