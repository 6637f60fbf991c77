// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Tests that run LibreOffice: the real program, stand-ins for it, and choosing which one
// the code under test runs (through QUILLET_SOFFICE, also inherited by quillet-cli).

#include <QByteArray>
#include <QString>

namespace QuilletTest {

/// Sets an environment variable for the lifetime of the object, then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QString& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    QByteArray m_name;
    QByteArray m_old;
    bool m_wasSet;
};

/// Writes `body` as an executable /bin/sh script at `path`; false when it cannot.
bool writeScript(const QString& path, const QByteArray& body);

/// The installed LibreOffice as found without QUILLET_SOFFICE; empty when absent.
QString installedLibreOffice();

/// A stand-in that runs the real LibreOffice with its arguments and counts its runs.
struct CountingOffice {
    QString program;   // give this as QUILLET_SOFFICE
    QString countFile; // one line per run
    QString argsFile;  // the arguments of every run, one per line
    int runs() const;
    /// The last argument of the latest run: the document LibreOffice was given.
    QString lastDocument() const;
};

/// Writes the counting stand-in into `folder` for the LibreOffice at `real`.
CountingOffice countingOffice(const QString& folder, const QString& real);

/// A stand-in that holds LibreOffice back until the test releases it, then runs the real
/// program (or, with no real one, goes on waiting): a conversion as slow as a test needs,
/// without a clock.
struct HeldOffice {
    QString program;     // give this as QUILLET_SOFFICE
    QString startedFile; // written with the stand-in's process id when it starts
    QString releaseFile; // the stand-in waits until this exists
    /// The stand-in's process id once it has started, else 0.
    qint64 pid() const;
    /// Lets the stand-in go on to the real program.
    void release() const;
};

/// Writes the held stand-in into `folder` for the LibreOffice at `real` (may be empty).
HeldOffice heldOffice(const QString& folder, const QString& real);

/// True when the process `pid` has ended (or is a zombie waiting to be reaped).
bool processEnded(qint64 pid);

} // namespace QuilletTest
