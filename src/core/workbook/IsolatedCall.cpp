// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/IsolatedCall.h"

#include <QDeadlineTimer>

#include <algorithm>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Quillet {
namespace {

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

[[noreturn]] void runChild(int fd, const std::function<QByteArray()>& work)
{
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // A crash handler inherited from the program (one that prints a stack trace or asks
    // to report the crash) has no business in the child: a fault simply ends it.
    for (const int fatal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT})
        std::signal(fatal, SIG_DFL);
    int code = 0;
    try {
        const QByteArray output = work();
        code = writeAll(fd, output.constData(), output.size()) ? 0 : 3;
    } catch (...) {
        code = 2;
    }
    ::close(fd);
    ::_exit(code);
}

// Reads the child's output until it closes the pipe, the deadline passes or the output
// grows beyond the limit. Returns an empty text on success, else the failure.
QString readChild(int fd, QDeadlineTimer deadline, qint64 maxBytes, QByteArray& output)
{
    char chunk[65536];
    for (;;) {
        pollfd entry{fd, POLLIN, 0};
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return QStringLiteral("чтение заняло слишком много времени");
        const int ready = ::poll(&entry, 1, int(std::min<qint64>(left, 1000)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return QStringLiteral("ошибка канала");
        if (ready == 0)
            continue;
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return QStringLiteral("ошибка канала");
        if (got == 0)
            return QString();
        output.append(chunk, got);
        if (output.size() > maxBytes)
            return QStringLiteral("слишком много данных");
    }
}

} // namespace

IsolatedResult runIsolated(const std::function<QByteArray()>& work, int timeoutMs,
                           qint64 maxOutputBytes)
{
    IsolatedResult result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.failure = QStringLiteral("нельзя создать канал");
        return result;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        result.failure = QStringLiteral("нельзя запустить процесс");
        return result;
    }
    if (pid == 0) {
        ::close(fds[0]);
        runChild(fds[1], work);
    }
    ::close(fds[1]);
    const QString readFailure =
        readChild(fds[0], QDeadlineTimer(timeoutMs), maxOutputBytes, result.output);
    ::close(fds[0]);
    if (!readFailure.isEmpty())
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!readFailure.isEmpty()) {
        result.failure = readFailure;
    } else if (WIFSIGNALED(status)) {
        result.failure = QStringLiteral("разбор аварийно остановлен (сигнал %1)")
                             .arg(WTERMSIG(status));
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.failure = QStringLiteral("разбор завершился с ошибкой");
    } else {
        result.ok = true;
        return result;
    }
    result.output.clear();
    return result;
}

} // namespace Quillet
