// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// A private CUPS server for printing tests: cupsd from the cups-daemon package, run by the
// test's own user on a port of its own with every folder inside a temporary directory, so
// that no printer, queue or setting of the machine is seen or touched. CUPS_SERVER points
// this process and its children (quillet-cli, QPrinter) at it while it runs.

#include "support/OfficeSupport.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace QuilletTest {

/// One job as the queue's device received it.
struct CapturedJob {
    int id = 0;          // the server's job number: jobs submitted later have larger ones
    QString title;       // the job's name (job-name)
    int copies = 0;      // the copies asked for the job
    QByteArray document; // the spooled document as it reached the device (PDF from Qt)
};

/// The sheet a test queue has loaded by default; it offers both.
enum class QueuePaper { A4, Letter };

class CupsServer {
public:
    CupsServer();
    ~CupsServer(); // stops cupsd and restores CUPS_SERVER
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    /// Why no server can run here (cupsd or lpadmin not installed: the cups-daemon and
    /// cups-client packages); empty when both are there. A test skips with this text.
    static QString missingTools();

    /// Starts cupsd and waits until it answers (at most 15 s). False, with error() saying
    /// why, when it cannot; calling it again on a running server does nothing.
    bool start();
    /// Adds an enabled queue `name` for a printer with `paper` loaded whose printable area
    /// starts 1/4 inch from the left and 1/2 inch from the top of the sheet; what it prints
    /// is captured for capturedJobs(). False, with error(), when lpadmin refuses.
    bool addQueue(const QString& name, QueuePaper paper = QueuePaper::A4);
    /// Waits (at most `timeoutMs`) until the queue `name` has received `count` jobs, and
    /// returns the jobs it has then, in the order they were submitted. Fewer jobs than
    /// `count` means the time ran out.
    std::vector<CapturedJob> capturedJobs(const QString& name, int count,
                                          int timeoutMs = 20000) const;

    /// "127.0.0.1:PORT" while running.
    QString address() const;
    /// What went wrong last, with the end of cupsd's error log when there is one.
    const QString& error() const { return m_error; }

private:
    bool writeConfiguration();
    bool waitUntilListening();
    bool fail(const QString& what);
    QString path(const QString& relative) const;

    QTemporaryDir m_root;
    QProcess m_cupsd;
    int m_port = 0;
    QString m_error;
    std::unique_ptr<ScopedEnvironment> m_serverVariable;
};

} // namespace QuilletTest
