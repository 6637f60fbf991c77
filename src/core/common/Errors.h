// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>

#include <stdexcept>

namespace Quillet {

/// Base of the errors the core raises. The message is for the user as it stands.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

/// A node text, number or colour that does not follow the project's text grammar.
/// The message names the node and the position (1-based, in characters of the text).
class ConversionError : public Error {
public:
    using Error::Error;
};

/// A project file that cannot be read or written.
class FileError : public Error {
public:
    using Error::Error;
};

/// A reason as the C library and Qt word it in English (strerror, QFile, QSaveFile,
/// QTemporaryDir, QProcess or QImageWriter errorString()), worded for a message that
/// states it after its own words, in the interface's language: "execvp: No such file or
/// directory" becomes "нет такого файла или папки" (in English "no such file or
/// directory"). A reason it does not know, such as one the system already gives in
/// Russian, stays as it is.
QString reasonInRussian(const QString& reason);

} // namespace Quillet
