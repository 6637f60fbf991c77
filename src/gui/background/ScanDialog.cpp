// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/background/ScanDialog.h"

#include "core/background/ScanModes.h"
#include "core/background/Scanner.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <atomic>
#include <cmath>
#include <memory>
#include <new>
#include <utility>

namespace Quillet {

/// What the open device offers, as the dialog's combo boxes show it.
struct ScanChoices {
    QList<int> resolutions;
    int defaultResolution = 0;
    QStringList colourModes;
    QString defaultColourMode;
};

namespace {

constexpr int ProgressSteps = 1000;

QString memoryMessage()
{
    return ScanDialog::tr("Недостаточно памяти для отсканированного изображения. "
                          "Выберите меньшее разрешение.");
}

} // namespace

ScanDialog::ScanDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ScanDialog"));
    setWindowTitle(tr("Сканирование"));
    buildControls();
    connect(&m_task, &BackgroundTask::progressed, this, [this](int step) {
        if (m_state == State::Scanning)
            m_progress->setValue(step);
    });
    setState(State::Unusable);
}

ScanDialog::~ScanDialog()
{
    // A scan under way ends at its next block; SANE is then ended on the thread that
    // started it.
    stopScanner();
    m_task.abandon();
    m_task.start(
        [this](TaskControl&) {
            m_live = nullptr;
            m_scanner.reset();
        },
        [](TaskResult<void>&) {});
    m_task.abandon();
}

Scanner& ScanDialog::scanner()
{
    if (!m_scanner) {
        m_scanner = std::make_unique<Scanner>();
        m_live = m_scanner.get();
    }
    return *m_scanner;
}

Scanner& ScanDialog::chosenScanner()
{
    if (!m_scanner)
        throw ScannerError(tr("Сканер не выбран."));
    return *m_scanner;
}

void ScanDialog::stopScanner()
{
    m_task.cancel();
    if (Scanner* live = m_live)
        live->cancel();
}

void ScanDialog::buildControls()
{
    m_devices = new QComboBox(this);
    m_devices->setObjectName(QStringLiteral("devices"));
    m_device = new QLabel(this);
    m_device->setObjectName(QStringLiteral("device"));
    auto* deviceRow = new QHBoxLayout;
    deviceRow->setContentsMargins(0, 0, 0, 0);
    deviceRow->addWidget(m_devices, 1);
    deviceRow->addWidget(m_device, 1);
    m_resolution = new QComboBox(this);
    m_resolution->setObjectName(QStringLiteral("resolution"));
    m_colourMode = new QComboBox(this);
    m_colourMode->setObjectName(QStringLiteral("colourMode"));

    m_form = new QFormLayout;
    m_form->addRow(tr("Сканер:"), deviceRow);
    m_form->addRow(tr("Разрешение:"), m_resolution);
    m_form->addRow(tr("Режим:"), m_colourMode);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, ProgressSteps);
    // The dialog keeps its size when the bar comes and goes.
    QSizePolicy keepRoom = m_progress->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keepRoom);

    auto* buttons = new QDialogButtonBox(this);
    m_scanButton = buttons->addButton(tr("Сканировать"), QDialogButtonBox::AcceptRole);
    m_scanButton->setObjectName(QStringLiteral("scanButton"));
    m_cancelButton = buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(m_scanButton, &QPushButton::clicked, this, &ScanDialog::startScan);
    connect(m_cancelButton, &QPushButton::clicked, this, &ScanDialog::reject);
    connect(m_devices, &QComboBox::currentIndexChanged, this, &ScanDialog::deviceChosen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QImage ScanDialog::scan()
{
    m_page = {};
    m_closing = false;
    {
        const QSignalBlocker blocker(m_devices);
        m_devices->clear();
    }
    m_devices->hide();
    m_device->setText(QStringLiteral("—"));
    m_resolution->clear();
    m_colourMode->clear();
    setState(State::Searching);
    m_task.start([this](TaskControl&) { return scanner().devices(); },
                 [this](TaskResult<QList<ScannerDevice>>& found) {
                     QList<ScannerDevice> devices;
                     try {
                         devices = found.value();
                     } catch (const Error& e) {
                         failed(e.message(), true);
                         return;
                     }
                     devicesFound(devices);
                 });
    exec();
    return std::exchange(m_page, {});
}

void ScanDialog::reject()
{
    switch (m_state) {
    case State::Ready:
    case State::Unusable:
        QDialog::reject();
        return;
    case State::Stopping:
        return;
    case State::Searching:
    case State::Opening:
    case State::Scanning:
        // SANE cannot be left in the middle of a call: the dialog closes on its answer.
        m_closing = true;
        stopScanner();
        setState(State::Stopping);
        return;
    }
}

void ScanDialog::setState(State state)
{
    m_state = state;
    const bool chosen = state == State::Ready;
    m_devices->setEnabled(chosen || state == State::Unusable);
    m_resolution->setEnabled(chosen);
    m_colourMode->setEnabled(chosen);
    m_scanButton->setEnabled(chosen);
    m_scanButton->setDefault(chosen);
    m_cancelButton->setEnabled(state != State::Stopping);
    m_progress->setVisible(state == State::Scanning || state == State::Stopping);
    switch (state) {
    case State::Searching:
        m_status->setText(tr("Поиск сканеров…"));
        break;
    case State::Opening:
        m_status->setText(tr("Подключение к сканеру…"));
        break;
    case State::Ready:
        m_status->setText(tr("Положите лист в сканер и нажмите «Сканировать»."));
        break;
    case State::Unusable:
        m_status->setText(tr("Выберите другой сканер."));
        break;
    case State::Scanning:
        m_progress->setValue(0);
        m_status->setText(tr("Сканирование…"));
        break;
    case State::Stopping:
        m_status->setText(tr("Отмена…"));
        break;
    }
}

void ScanDialog::devicesFound(const QList<ScannerDevice>& devices)
{
    if (closeRequested())
        return;
    {
        const QSignalBlocker blocker(m_devices);
        m_devices->clear();
        for (const ScannerDevice& device : devices)
            m_devices->addItem(device.label(), device.name);
        m_devices->setCurrentIndex(0);
    }
    const bool several = devices.size() > 1;
    m_devices->setVisible(several);
    m_device->setVisible(!several);
    m_device->setText(devices.value(0).label());
    deviceChosen();
}

void ScanDialog::deviceChosen()
{
    if (m_devices->currentIndex() < 0)
        return;
    m_resolution->clear();
    m_colourMode->clear();
    setState(State::Opening);
    m_task.start(
        [this, name = m_devices->currentData().toString()](TaskControl&) {
            Scanner& device = chosenScanner();
            device.open(name);
            return ScanChoices{device.resolutions(), device.defaultResolution(),
                               device.colourModes(), device.defaultColourMode()};
        },
        [this](TaskResult<ScanChoices>& opened) {
            ScanChoices choices;
            try {
                choices = opened.value();
            } catch (const Error& e) {
                // Another device may still be chosen.
                failed(e.message(), m_devices->count() < 2);
                return;
            }
            deviceOpened(choices);
        });
}

void ScanDialog::deviceOpened(const ScanChoices& choices)
{
    if (closeRequested())
        return;
    for (int dpi : choices.resolutions)
        m_resolution->addItem(tr("%1 точек на дюйм").arg(dpi), dpi);
    m_resolution->setCurrentIndex(m_resolution->findData(choices.defaultResolution));
    for (const QString& mode : choices.colourModes)
        m_colourMode->addItem(scanModeLabel(mode), mode);
    m_colourMode->setCurrentIndex(m_colourMode->findData(choices.defaultColourMode));
    // A device without the setting scans with its own.
    m_form->setRowVisible(m_resolution, m_resolution->count() > 0);
    m_form->setRowVisible(m_colourMode, m_colourMode->count() > 0);
    setState(State::Ready);
}

void ScanDialog::startScan()
{
    if (m_state != State::Ready)
        return;
    const ScanSettings settings{m_resolution->currentData().toInt(),
                                m_colourMode->currentData().toString()};
    setState(State::Scanning);
    m_task.start(
        [this, settings](TaskControl& control) {
            return chosenScanner().scan(settings, [&control](double fraction) {
                return control.progress(int(std::lrint(fraction * ProgressSteps)));
            });
        },
        [this](TaskResult<QImage>& result) {
            QImage page;
            try {
                page = result.value();
            } catch (const ScanCancelled&) {
                scanStopped();
                return;
            } catch (const ScannerError& e) {
                failed(e.message(), true);
                return;
            } catch (const std::bad_alloc&) {
                page = QImage(); // said below
            }
            if (page.isNull())
                failed(memoryMessage(), true);
            else
                scanned(page);
        });
}

void ScanDialog::scanned(const QImage& page)
{
    if (closeRequested())
        return;
    m_page = page;
    setState(State::Ready);
    accept();
}

void ScanDialog::scanStopped()
{
    if (!closeRequested()) {
        setState(State::Ready);
        QDialog::reject();
    }
}

void ScanDialog::failed(const QString& message, bool fatal)
{
    if (closeRequested())
        return;
    setState(State::Unusable);
    QMessageBox::warning(this, windowTitle(), message);
    if (fatal)
        QDialog::reject();
}

bool ScanDialog::closeRequested()
{
    if (!m_closing)
        return false;
    m_closing = false;
    setState(State::Ready);
    QDialog::reject();
    return true;
}

} // namespace Quillet
