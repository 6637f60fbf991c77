// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "gui/app/BackgroundTask.h"

#include <QDialog>
#include <QImage>

#include <atomic>
#include <memory>

class QComboBox;
class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;

namespace Quillet {

class Scanner;
struct ScanChoices;
struct ScannerDevice;

/// The scanner dialog ("Сканирование"): the device, its resolution and colour mode, then
/// one scan with a progress bar. SANE works on a thread of the dialog's own, which holds
/// the scanner from the first scan() until the dialog is destroyed; the window's thread
/// never waits for a device, except in the destructor for a call already under way.
///
/// Controls by object name: `devices` (combo box, shown when there are several devices),
/// `device` (the label naming the only one), `resolution` (dpi as item data), `colourMode`
/// (the device's own mode name as item data), `status`, `progress`, `scanButton`,
/// `cancelButton`.
class ScanDialog : public QDialog {
    Q_OBJECT
public:
    explicit ScanDialog(QWidget* parent = nullptr);
    /// Stops a scan still running and waits for the scanner thread to end.
    ~ScanDialog() override;

    /// Runs one scan modally: finds the devices, lets the user choose one when there are
    /// several, offers the device's resolutions and colour modes (300 dpi and colour by
    /// default), scans with a progress bar and a Cancel button. Returns the scanned page,
    /// or a null QImage when the user cancelled or the scan failed; a failure ("no
    /// scanner", a device error) has then been shown to the user in a message box.
    QImage scan();

    /// Closes the dialog with no picture. While the scanner thread is busy (a search or a
    /// scan) the scan is cancelled first and the dialog closes once the thread is idle.
    void reject() override;

private:
    // Unusable: the chosen device could not be opened; another one may be chosen.
    enum class State { Searching, Opening, Ready, Unusable, Scanning, Stopping };

    void buildControls();
    void setState(State state);
    void devicesFound(const QList<ScannerDevice>& devices);
    void deviceChosen();
    void deviceOpened(const ScanChoices& choices);
    void startScan();
    void scanned(const QImage& page);
    void scanStopped();
    void failed(const QString& message, bool fatal);
    /// Ends the dialog if the user asked to close it while the thread was busy.
    bool closeRequested();
    /// Cancels the job under way, and the scan itself when one reads from the device.
    void stopScanner();
    /// The scanner, started on first use; on the task's thread only.
    Scanner& scanner();
    /// The scanner a device was chosen on; throws ScannerError before. Task's thread only.
    Scanner& chosenScanner();

    State m_state = State::Searching;
    bool m_closing = false;
    QImage m_page;
    /// Made, used and ended on m_task's thread alone: SANE stays on the thread it
    /// started on.
    std::unique_ptr<Scanner> m_scanner;
    /// m_scanner for stopScanner() on the window's thread, null while there is none.
    std::atomic<Scanner*> m_live = nullptr;
    BackgroundTask m_task{QStringLiteral("ScanDialog thread")};

    QFormLayout* m_form = nullptr;
    QComboBox* m_devices = nullptr;
    QLabel* m_device = nullptr;
    QComboBox* m_resolution = nullptr;
    QComboBox* m_colourMode = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_scanButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace Quillet
