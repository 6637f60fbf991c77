// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/SaneSupport.h"

#include "core/background/Scanner.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <set>

using namespace Quillet;

namespace {

constexpr double HandScannerWidthMm = 110;

/// The same scan through SANE's own command-line frontend, or a null image without it.
QImage scanimagePicture(const QString& mode, int dpi)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("scanimage"));
    if (program.isEmpty())
        return {};
    QProcess run;
    run.start(program, {QStringLiteral("-d"), QStringLiteral("test:0"), QStringLiteral("--mode"),
                        mode, QStringLiteral("--resolution"), QString::number(dpi),
                        QStringLiteral("--format=pnm")});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return {};
    return QImage::fromData(run.readAllStandardOutput(), "PNM");
}

int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* lineA = a.constScanLine(y);
        const uchar* lineB = b.constScanLine(y);
        // The padding at the end of a line is not part of the picture.
        for (qsizetype i = 0; i < qsizetype(a.width()) * a.depth() / 8; ++i)
            largest = std::max(largest, std::abs(lineA[i] - lineB[i]));
    }
    return largest;
}

} // namespace

class ScannerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = QuilletTest::prepareForScans(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(m_config.isValid());
    }

    void init() { QVERIFY(m_config.useTestBackend()); }

    void listsTheDevicesAndTheirSettings()
    {
        Scanner scanner;
        QStringList names;
        for (const ScannerDevice& device : scanner.devices())
            names.append(device.name);
        QCOMPARE(names, (QStringList{QStringLiteral("test:0"), QStringLiteral("test:1")}));

        QCOMPARE(scanner.resolutions(), QList<int>{});
        scanner.open(QStringLiteral("test:1"));
        // The test devices take any whole dpi from 1 to 1200: the usual steps are offered.
        QCOMPARE(scanner.resolutions(), (QList<int>{50, 75, 100, 150, 200, 300, 400, 600, 1200}));
        QCOMPARE(scanner.defaultResolution(), 300);
        QCOMPARE(scanner.colourModes(),
                 (QStringList{QStringLiteral("Gray"), QStringLiteral("Color")}));
        QCOMPARE(scanner.defaultColourMode(), QStringLiteral("Color"));

        QVERIFY_THROWS_EXCEPTION(ScannerError, Scanner{});
        QVERIFY_THROWS_EXCEPTION(ScannerError, scanner.open(QStringLiteral("test:7")));
        QVERIFY_THROWS_EXCEPTION(ScannerError, scanner.scan({}));
    }

    void scansAPage_data()
    {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("dpi");

        QTest::newRow("hand scanner, length unknown")
            << QByteArray("hand-scanner true\n") << "Color" << 50;
        QTest::newRow("colour, 50 dpi") << QByteArray() << "Color" << 50;
        QTest::newRow("colour, 100 dpi") << QByteArray() << "Color" << 100;
        QTest::newRow("colour, 16 bits") << QByteArray("depth 16\n") << "Color" << 75;
        QTest::newRow("colour in 3 passes") << QByteArray("three-pass true\n") << "Color" << 50;
        QTest::newRow("grey, 75 dpi") << QByteArray() << "Gray" << 75;
        QTest::newRow("grey, 16 bits") << QByteArray("depth 16\n") << "Gray" << 50;
        QTest::newRow("line art") << QByteArray("depth 1\n") << "Gray" << 100;
    }

    void scansAPage()
    {
        QFETCH(QByteArray, options);
        QFETCH(QString, mode);
        QFETCH(int, dpi);
        QVERIFY(m_config.setTestOptions(options));

        QImage picture;
        QList<double> fractions;
        {
            Scanner scanner;
            scanner.open(QStringLiteral("test:0"));
            picture = scanner.scan({dpi, mode}, [&](double fraction) {
                fractions.append(fraction);
                return true;
            });
        }
        const bool colour = mode == QLatin1String("Color");
        QCOMPARE(picture.format(), colour ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
        if (options.contains("hand-scanner")) {
            // A hand scanner is 11 cm wide; its length is known only at the end.
            QCOMPARE(picture.width(), int(HandScannerWidthMm / 25.4 * dpi));
            QVERIFY(picture.height() > 0);
        } else {
            QCOMPARE(picture.size(), QuilletTest::saneTestPageSize(dpi));
        }
        QVERIFY(fractions.size() > 1);
        QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.back(), 1.0);
        std::set<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y));
        }
        QVERIFY2(colours.size() > 1, "the test pattern came out as one flat colour");

        const QImage reference = scanimagePicture(mode, dpi);
        if (reference.isNull())
            return; // sane-utils is optional; the size and content checks above still hold
        const QImage expected = reference.convertToFormat(picture.format());
        QCOMPARE(picture.size(), expected.size());
        // Qt scales 16-bit samples by rounding, we by dropping the low byte.
        const int difference = largestDifference(picture, expected);
        if (difference > 1) {
            picture.save(QStringLiteral("ScannerTest-actual.png"));
            expected.save(QStringLiteral("ScannerTest-expected.png"));
        }
        QVERIFY2(difference <= 1, "differs from scanimage's picture (ScannerTest-*.png)");
    }

    void cancelsMidScan_data()
    {
        QTest::addColumn<bool>("throughCancel");
        QTest::newRow("progress answers false") << false;
        QTest::newRow("cancel() from the progress callback") << true;
    }

    void cancelsMidScan()
    {
        QFETCH(bool, throughCancel);
        Scanner scanner;
        scanner.open(QStringLiteral("test:0"));
        int calls = 0;
        // Cancelled at the first block: the test backend kills its reader thread
        // asynchronously, which can deadlock in malloc when the reader is just finishing.
        const auto stopEarly = [&](double fraction) {
            ++calls;
            if (fraction <= 0)
                return true;
            if (throughCancel)
                scanner.cancel();
            return throughCancel;
        };
        QImage picture;
        bool cancelled = false;
        try {
            picture = scanner.scan({600, QStringLiteral("Color")}, stopEarly);
        } catch (const ScanCancelled& e) {
            cancelled = true;
            QCOMPARE(e.message(), QStringLiteral("Сканирование отменено."));
        }
        QVERIFY(cancelled);
        QVERIFY(picture.isNull());
        const int callsUntilCancel = calls;

        // The device is idle again and a cancel() before this scan is not held against it.
        scanner.cancel();
        const QImage next = scanner.scan({50, QStringLiteral("Color")});
        QCOMPARE(next.size(), QSize(78, 59));
        QCOMPARE(calls, callsUntilCancel);
    }

    void noScannerIsOneClearError_data()
    {
        QTest::addColumn<QByteArray>("backends");
        QTest::newRow("no backend enabled") << QByteArray("# nothing\n");
        QTest::newRow("backend not installed") << QByteArray("no_such_backend\n");
    }

    void noScannerIsOneClearError()
    {
        QFETCH(QByteArray, backends);
        QVERIFY(m_config.setBackends(backends));
        Scanner scanner;
        try {
            scanner.devices();
            QFAIL("a device list without devices");
        } catch (const ScannerError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Сканер не найден")),
                     qPrintable(e.message()));
        }
    }

    void aMissingDeviceIsSaidInRussian()
    {
        Scanner scanner;
        try {
            scanner.open(QStringLiteral("test:99"));
            QFAIL("a device that does not exist opened");
        } catch (const ScannerError& e) {
            // SANE's reason comes in its own words; the message gives it in Russian.
            QCOMPARE(
                e.message(),
                QStringLiteral("Не удалось открыть сканер «test:99» (недопустимое значение)."));
        }
    }

private:
    QuilletTest::SaneConfig m_config;
};

QTEST_GUILESS_MAIN(ScannerTest)
#include "ScannerTest.moc"
