// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Running the built quillet-cli from a test.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

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
    // A test run from a scheduler's task is not one of its shards.
    env.remove(QStringLiteral("SLURM_ARRAY_TASK_ID"));
    env.remove(QStringLiteral("JOB_COMPLETION_INDEX"));
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

/// Runs quillet-cli with `args` (under C.UTF-8, speaking the test's language) with stdout,
/// stderr and stdin on a pseudo-terminal of its own, as from an interactive shell; `out`
/// holds what the terminal showed, `err` stays empty.
inline CliRun runCliOnTerminal(const QStringList& args)
{
    std::vector<QByteArray> argBytes{QByteArrayLiteral(QUILLET_CLI_PATH)};
    for (const QString& arg : args)
        argBytes.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& arg : argBytes)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const QByteArray language = qgetenv("LANG");
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0)
        return {};
    if (child == 0) {
        setenv("LANG", "C.UTF-8", 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        setenv("LANGUAGE", language.constData(), 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    CliRun run;
    char buffer[4096];
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;)
        run.out.append(buffer, n); // ends with EIO once the program has closed the terminal
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace QuilletTest
