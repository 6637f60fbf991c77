// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Running the built quillet-cli from a test.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace QuilletTest {

struct CliRun {
    int exitCode = -1; // -1 when it crashed or ran past the time limit
    QByteArray out;
    QByteArray err;
};

/// Runs quillet-cli with `args` under the locale `lang`; gives up after two minutes. Without
/// a `lang` it runs under C.UTF-8, so numbers take one form everywhere, but speaks the
/// language of the test's own LANG (ctest gives the CLI tests Russian, the texts they expect).
inline CliRun runCli(const QStringList& args, const QString& lang = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString locale = lang.isEmpty() ? QStringLiteral("C.UTF-8") : lang;
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANGUAGE"),
               lang.isEmpty() ? qEnvironmentVariable("LANG") : QString());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUILLET_CLI_PATH), args);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace QuilletTest
