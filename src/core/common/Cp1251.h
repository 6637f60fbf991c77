// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Quillet {

/// The Windows-1251 code page, the only 8-bit encoding at the file boundary (project
/// files, auto-replace lists). Every byte decodes (0x98, unassigned, maps to U+0098 so
/// that any byte sequence survives a decode/encode round trip unchanged).
namespace Cp1251 {

QString decode(const QByteArray& bytes);

/// Index of the first character of `text` that Windows-1251 cannot hold, or -1.
qsizetype firstUnencodable(const QString& text);

/// Encodes `text`; std::nullopt when a character cannot be held (nothing is replaced).
std::optional<QByteArray> encode(const QString& text);

/// True when the character has a Windows-1251 byte.
bool canEncode(QChar c);

/// "«X» (U+XXXX)": how error messages name a character that cannot be stored.
QString describeCharacter(const QString& text, qsizetype index);

} // namespace Cp1251
} // namespace Quillet
