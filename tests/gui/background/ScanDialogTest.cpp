// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WindowDriver.h"
#include "support/SaneSupport.h"

#include "core/background/Scanner.h"
#include "gui/background/ScanDialog.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Quillet;
using WindowDriver::control;

namespace {

constexpr int WaitMs = 20000;

/// Runs `steps` inside the dialog's scan() once it is shown, and closes the dialog when a
/// step failed so that scan() comes back.
QImage scanWith(ScanDialog& dialog, const std::function<void()>& steps)
{
    QTimer::singleShot(0, &dialog, [&] {
        steps();
        if (QTest::currentTestFailed())
            dialog.reject();
    });
    return dialog.scan();
}

/// The device is open and its settings can be chosen.
bool waitUntilReady(ScanDialog& dialog)
{
    auto* scan = control<QPushButton>(dialog, "scanButton");
    return QTest::qWaitFor([&] { return scan->isEnabled(); }, WaitMs);
}

void choose(ScanDialog& dialog, const char* combo, const QVariant& value)
{
    auto* box = control<QComboBox>(dialog, combo);
    const int index = box->findData(value);
    QVERIFY2(index >= 0, qPrintable(value.toString()));
    box->setCurrentIndex(index);
}

QStringList itemTexts(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

/// The settings a freshly opened test device shows.
void checkDefaults(ScanDialog& dialog)
{
    const auto* resolution = control<QComboBox>(dialog, "resolution");
    const auto* mode = control<QComboBox>(dialog, "colourMode");
    QCOMPARE(resolution->currentData().toInt(), 300);
    QCOMPARE(resolution->currentText(), QStringLiteral("300 точек на дюйм"));
    QCOMPARE(resolution->count(), 9);
    QCOMPARE(itemTexts(mode),
             (QStringList{QStringLiteral("Оттенки серого"), QStringLiteral("Цветной")}));
    QCOMPARE(mode->currentData().toString(), QStringLiteral("Color"));
}

} // namespace

class ScanDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = QuilletTest::prepareForScans(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(m_config.isValid());
    }

    void init() { QVERIFY(m_config.useTestBackend()); }

    void scansWithTheChosenSettings_data()
    {
        QTest::addColumn<int>("devices");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("dpi");

        QTest::newRow("two devices, defaults") << 2 << "test:0"
                                               << "Color" << 300;
        QTest::newRow("second device, grey") << 2 << "test:1"
                                             << "Gray" << 100;
        QTest::newRow("one device, named") << 1 << "test:0"
                                           << "Color" << 50;
    }

    void scansWithTheChosenSettings()
    {
        QFETCH(int, devices);
        QFETCH(QString, device);
        QFETCH(QString, mode);
        QFETCH(int, dpi);
        QVERIFY(m_config.setTestOptions(QByteArray("number_of_devices ")
                                        + QByteArray::number(devices) + '\n'));

        QImage page;
        {
            ScanDialog dialog;
            page = scanWith(dialog, [&] {
                QVERIFY(waitUntilReady(dialog));
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Сканирование"));
                checkDefaults(dialog);
                auto* list = control<QComboBox>(dialog, "devices");
                const auto* name = control<QLabel>(dialog, "device");
                QCOMPARE(list->isVisible(), devices > 1);
                QCOMPARE(name->isVisible(), devices == 1);
                QCOMPARE(list->count(), devices);
                if (devices == 1)
                    QVERIFY2(name->text().contains(device), qPrintable(name->text()));
                if (list->currentData() != device) {
                    // Another device starts from its own defaults again.
                    choose(dialog, "colourMode", QStringLiteral("Gray"));
                    choose(dialog, "resolution", 75);
                    choose(dialog, "devices", device);
                    QVERIFY(waitUntilReady(dialog));
                    checkDefaults(dialog);
                }
                choose(dialog, "colourMode", mode);
                choose(dialog, "resolution", dpi);
                QTest::mouseClick(control<QPushButton>(dialog, "scanButton"), Qt::LeftButton);
            });
            QVERIFY(!dialog.isVisible());
        }
        QVERIFY(!page.isNull());
        QCOMPARE(page.size(), QuilletTest::saneTestPageSize(dpi));

        // Only one scanner lives at a time: the dialog's is gone with the dialog.
        Scanner scanner;
        scanner.open(device);
        QCOMPARE(page, scanner.scan({dpi, mode}));
    }

    void cancelsAScan_data()
    {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("window closed") << true;
    }

    void cancelsAScan()
    {
        QFETCH(bool, closeWindow);
        // Small blocks with a pause after each: 600 dpi would take about half a minute.
        QVERIFY(m_config.setTestOptions("read-limit true\nread-limit-size 16384\n"
                                        "read-delay true\nread-delay-duration 200000\n"));
        ScanDialog dialog;
        QElapsedTimer clock;
        clock.start();
        const QImage page = scanWith(dialog, [&] {
            QVERIFY(waitUntilReady(dialog));
            choose(dialog, "resolution", 600);
            QTest::mouseClick(control<QPushButton>(dialog, "scanButton"), Qt::LeftButton);
            // Stopped once the device is sending, not while it is starting or finishing.
            const auto* progress = control<QProgressBar>(dialog, "progress");
            QVERIFY(QTest::qWaitFor([&] { return progress->value() > 0; }, WaitMs));
            if (closeWindow)
                dialog.close();
            else
                QTest::mouseClick(control<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        });
        QVERIFY(page.isNull());
        QVERIFY(!dialog.isVisible());
        QVERIFY2(clock.elapsed() < 15000, "the scan ran to its end");

        // The device was left idle: the same dialog scans again.
        const QImage next = scanWith(dialog, [&] {
            QVERIFY(waitUntilReady(dialog));
            choose(dialog, "resolution", 50);
            QTest::mouseClick(control<QPushButton>(dialog, "scanButton"), Qt::LeftButton);
        });
        QCOMPARE(next.size(), QuilletTest::saneTestPageSize(50));
    }

    void reportsAFailureOnce_data()
    {
        QTest::addColumn<QByteArray>("backends");
        QTest::addColumn<bool>("scannerInUse");
        QTest::addColumn<QString>("message");

        QTest::newRow("no backend enabled") << QByteArray() << false << "Сканер не найден";
        QTest::newRow("backend not installed")
            << QByteArray("no_such_backend\n") << false << "Сканер не найден";
        QTest::newRow("scanner in use") << QByteArray("test\n") << true << "Сканер уже занят";
    }

    void reportsAFailureOnce()
    {
        QFETCH(QByteArray, backends);
        QFETCH(bool, scannerInUse);
        QFETCH(QString, message);
        QVERIFY(m_config.setBackends(backends));
        std::unique_ptr<Scanner> held;
        if (scannerInUse)
            held = std::make_unique<Scanner>();

        ScanDialog dialog;
        QStringList shown;
        // The box may open before a poll first sees the dialog itself, so no DialogScript.
        QTimer answer;
        connect(&answer, &QTimer::timeout, &dialog, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown.append(box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        answer.start(5);
        QTimer::singleShot(WaitMs, &dialog, &ScanDialog::reject);
        const QImage page = dialog.scan();
        QVERIFY(page.isNull());
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.front().startsWith(message), qPrintable(shown.front()));
    }

private:
    QuilletTest::SaneConfig m_config;
};

QTEST_MAIN(ScanDialogTest)
#include "ScanDialogTest.moc"
