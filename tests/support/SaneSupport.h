// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Tests that scan through SANE's own "test" backend, enabled through a private
// configuration folder so that no real scanner on the machine is touched.

#include "support/OfficeSupport.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

namespace QuilletTest {

/// The page of the test devices as SaneConfig::setTestOptions() sets it: 40 × 30 mm of
/// the colour pattern, which the backend cuts to whole pixels (int(mm / 25.4 * dpi)).
constexpr double SaneTestPageWidthMm = 40;
constexpr double SaneTestPageHeightMm = 30;

/// That page's size in pixels at `dpi`.
QSize saneTestPageSize(int dpi);

/// Why no test can scan here: the program built without SANE, or libsane's test backend
/// not installed (libsane1); empty when they can. A test skips with this text.
QString saneTestsMissing();

/// For initTestCase(): why scans cannot run here (saneTestsMissing), to skip with; or, when
/// they can, an empty text, the process having been readied for scans (ignoreBrokenPipes).
QString prepareForScans();

/// Ignores SIGPIPE for the process; call it from initTestCase(). A cancelled scan closes
/// the pipe the backend's reader thread is writing into: libsane ignores SIGPIPE during a
/// scan, but only where no handler is set, and QtTest sets one (reporting a crash) when
/// its tests start.
void ignoreBrokenPipes();

/// A private SANE configuration folder, made SANE_CONFIG_DIR for the object's lifetime.
/// libsane keeps the folder it first saw for the whole process, so a test makes one for
/// all its cases and rewrites the files in it; they are read again whenever SANE starts.
class SaneConfig {
public:
    SaneConfig();
    SaneConfig(const SaneConfig&) = delete;
    SaneConfig& operator=(const SaneConfig&) = delete;

    bool isValid() const { return m_folder.isValid(); }
    QString path() const { return m_folder.path(); }

    /// Writes dll.conf, one backend a line ("test\n"); false when it cannot.
    bool setBackends(const QByteArray& dllConf);
    /// Writes test.conf: two devices ("test:0", "test:1") with the page above, followed by
    /// `options` in the backend's own syntax ("depth 16\n"); false when it cannot.
    bool setTestOptions(const QByteArray& options = {});
    /// SANE with the test backend alone, its devices as setTestOptions(`options`) makes
    /// them; false when the files cannot be written.
    bool useTestBackend(const QByteArray& options = {});

private:
    bool write(const char* name, const QByteArray& text);

    QTemporaryDir m_folder;
    ScopedEnvironment m_environment;
};

} // namespace QuilletTest
