// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace Quillet {

/// The outcome of runIsolated: the bytes the work produced, or why there are none.
struct IsolatedResult {
    bool ok = false;
    QByteArray output;
    QString failure; ///< set when !ok: crashed, timed out, produced too much, ...
};

/// Runs `work` in a forked child process and hands back the bytes it returns. For
/// third-party parsers that are not safe on crafted input: a memory fault, an abort or
/// an endless loop in the child ends only the child (killed after `timeoutMs`), and the
/// caller reports a broken file. The child shares nothing back but the returned bytes
/// (at most `maxOutputBytes`); it exits without running any exit handler and leaves no
/// core dump. `work` must not throw (an escaping exception counts as a failure).
IsolatedResult runIsolated(const std::function<QByteArray()>& work, int timeoutMs,
                           qint64 maxOutputBytes);

} // namespace Quillet
