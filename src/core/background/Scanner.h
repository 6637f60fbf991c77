// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Scanning one page through SANE. The backends (and which of them are enabled) are the
// system's: libsane reads its configuration folder (SANE_CONFIG_DIR or /etc/sane.d) when
// a Scanner is made. A build without libsane has the same interface, and a Scanner then
// refuses to start with scannerUnavailableReason().

#include "core/common/Errors.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace Quillet {

/// A scan that failed: no scanner, a device that cannot be opened or set, a broken
/// transfer. The message is in Russian and names the device where there is one.
class ScannerError : public Error {
public:
    using Error::Error;
};

/// A scan stopped by the user (through the progress callback or Scanner::cancel()).
class ScanCancelled : public ScannerError {
public:
    using ScannerError::ScannerError;
};

/// One device as SANE lists it. `name` is what Scanner::open() takes.
struct ScannerDevice {
    QString name;
    QString vendor;
    QString model;
    QString type;

    /// "vendor model (name)" for a device list shown to the user.
    QString label() const
    {
        const QString title = QStringList{vendor, model}.join(QLatin1Char(' ')).trimmed();
        return title.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(title, name);
    }
};

/// Why this build cannot scan: a message for the user naming what it was built without
/// (SANE, package libsane-dev); empty when it can.
QString scannerUnavailableReason();

/// What one scan is asked for. A resolution or mode of 0 / empty keeps the device's own.
struct ScanSettings {
    int resolutionDpi = 0;
    QString colourMode;
};

/// Called while a page is read with the fraction done, 0 to 1, never decreasing and 1 at
/// the end (0 until then from a device of unknown page length, such as a hand scanner).
/// Returning false cancels the scan.
using ScanProgress = std::function<bool(double fraction)>;

/// One use of SANE: sane_init when made, sane_exit when destroyed, with the open device
/// (if any) closed first. SANE is one per process, so only one Scanner may live at a time;
/// all its calls but cancel() belong to the thread that made it.
class Scanner {
public:
    /// Starts SANE. Throws ScannerError when another Scanner is alive or SANE cannot start
    /// (or this build has no SANE).
    Scanner();
    ~Scanner();
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    /// The devices SANE finds, local and on the network, in its order. Throws ScannerError
    /// ("no scanner") when there is none, whether no backend is enabled or no device is
    /// attached.
    QList<ScannerDevice> devices();

    /// Opens the device `name` (closing one opened before). Throws ScannerError when it
    /// cannot be opened.
    void open(const QString& name);

    /// Resolutions in dpi the open device offers, ascending: its own list, or for a range
    /// the usual steps (50 … 2400) within it, with the range's ends when none fits. Empty
    /// when the device has no resolution setting or nothing is open.
    QList<int> resolutions() const;

    /// 300 when offered, else the offered one nearest to 300; 0 when none is offered.
    int defaultResolution() const;

    /// Colour modes the open device offers, by its own names ("Color", "Gray", ...).
    QStringList colourModes() const;

    /// The first offered mode named as colour, else the device's current mode; empty when
    /// the device offers no mode.
    QString defaultColourMode() const;

    /// Scans one page from the open device with `settings` and returns it as
    /// Format_RGB888 (colour) or Format_Grayscale8 (grey and line art), calling `progress`
    /// (when given) after every block read. Throws ScanCancelled when `progress` returned
    /// false or cancel() was called, ScannerError when nothing is open, a setting is not
    /// accepted, the device fails or sends a picture this program cannot take (over
    /// 32767 pixels a side, a frame format it does not know). The device is always left
    /// idle (sane_cancel) and can scan again.
    QImage scan(const ScanSettings& settings, const ScanProgress& progress = {});

    /// Asks a running scan() to stop; safe from any thread. The scan then throws
    /// ScanCancelled after its current block. A call while no scan runs is forgotten when
    /// the next scan starts.
    void cancel();

private:
    void close();
    QString deviceText() const;

    void* m_handle = nullptr;
    QString m_deviceName;
    std::atomic<bool> m_cancel = false;
};

} // namespace Quillet
