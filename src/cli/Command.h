// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <vector>

namespace Quillet::Cli {

/// Exit codes of quillet-cli: 0 success, 2 for bad arguments and unreadable or
/// malformed input (with one line on stderr).
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 2;

/// A subcommand. `run` gets the arguments after the command name and returns the exit
/// code; it may throw Quillet::Error (or UsageError), which main turns into one stderr
/// line and exit code 2.
struct Command {
    const char* name;
    const char* usage; // marked with QT_TRANSLATE_NOOP("Quillet::Cli", …), shown translated
    int (*run)(const QStringList& args);
};

/// Bad command-line arguments; the message is printed with the command's usage.
class UsageError {
public:
    explicit UsageError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

/// Every command registers itself from its own source file:
///     static const bool registered = Cli::registerCommand({"info", "...", &runInfo});
bool registerCommand(const Command& command);
const std::vector<Command>& commands();

/// Writes text to stdout as UTF-8 (the CLI's output encoding).
void printOut(const QString& text);
/// Writes one line to stderr as UTF-8.
void printErr(const QString& line);

/// Splits "--name value" options from positional arguments. Options listed in `flags`
/// take no value. Unknown options throw UsageError.
struct ParsedArgs {
    QStringList positional;
    QStringList flags;                               // flags given, without the leading "--"
    std::vector<std::pair<QString, QString>> values; // "--name value" pairs
    QString value(const QString& name, const QString& fallback = QString()) const;
    bool has(const QString& name) const;
};
ParsedArgs parseArgs(const QStringList& args, const QStringList& valueOptions,
                     const QStringList& flagOptions);

} // namespace Quillet::Cli
