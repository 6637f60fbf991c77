// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli print on a real CUPS server that the test starts for itself, with queues for
// printers whose printable area starts 1/4 inch and 1/2 inch into the sheet: one job per
// page in print order with its title and copies, the spooled documents holding the pages
// on the sheet the queue has loaded, and the page landing on the sheet where the rendered
// page has it (with its background and stamp, directly and as a picture), moved by the
// printer's calibration.

#include "support/CliRun.h"
#include "support/CupsServer.h"
#include "support/OfficeSupport.h"
#include "support/PrintSupport.h"
#include "support/TestSupport.h"

#include "core/app/UserSettings.h"
#include "core/export/PrintJob.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using QuilletTest::CapturedJob;

namespace {

const QString Queue = QStringLiteral("Forms");         // A4 loaded
const QString LetterQueue = QStringLiteral("Letters"); // Letter loaded

QString simplified(const QString& text)
{
    return text.simplified();
}

} // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void jobsFollowThePrintOrder();
    void sheetOfTheQueue_data();
    void sheetOfTheQueue();
    void copiesPerJob_data();
    void copiesPerJob();
    void pageLandsWhereRendered_data();
    void pageLandsWhereRendered();

private:
    // Prints the test's project on `queue` with `options` and gives the `count` jobs the
    // queue received for it; fails the test when the print fails or jobs are missing.
    void print(const QStringList& options, int count, std::vector<CapturedJob>& jobs,
               const QString& queue = Queue);

    QTemporaryDir m_dir;
    QuilletTest::CupsServer m_cups;
    std::unique_ptr<QuilletTest::ScopedEnvironment> m_settings;
    QString m_project;
    QHash<QString, int> m_jobsSoFar; // by queue
};

void CupsPrintTest::initTestCase()
{
    const QString missing = QuilletTest::CupsServer::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QVERIFY(m_dir.isValid());
    // The calibration the test stores goes to a file of its own, which quillet-cli reads.
    m_settings = std::make_unique<QuilletTest::ScopedEnvironment>(
        "QUILLET_SETTINGS_FILE", m_dir.filePath(QStringLiteral("settings.ini")));
    QVERIFY2(m_cups.start(), qPrintable(m_cups.error()));
    QVERIFY2(m_cups.addQueue(Queue), qPrintable(m_cups.error()));
    QVERIFY2(m_cups.addQueue(LetterQueue, QuilletTest::QueuePaper::Letter),
             qPrintable(m_cups.error()));
    m_project = QuilletTest::sourcePath(QStringLiteral("examples/demo/demo.qlet"));
}

void CupsPrintTest::print(const QStringList& options, int count, std::vector<CapturedJob>& jobs,
                          const QString& queue)
{
    const QuilletTest::CliRun run = QuilletTest::runCli(
        QStringList{QStringLiteral("print"), m_project, QStringLiteral("--printer"), queue}
        + options);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    int& sofar = m_jobsSoFar[queue];
    std::vector<CapturedJob> all = m_cups.capturedJobs(queue, sofar + count);
    QVERIFY2(int(all.size()) == sofar + count, qPrintable(m_cups.error()));
    jobs.assign(all.begin() + sofar, all.end());
    sofar += count;
}

void CupsPrintTest::jobsFollowThePrintOrder()
{
    std::vector<CapturedJob> jobs;
    print({QStringLiteral("--pages"), QStringLiteral("9,2,5"), QStringLiteral("--reverse"),
           QStringLiteral("--no-background")},
          3, jobs);
    if (QTest::currentTestFailed())
        return;
    const QString path = QFileInfo(m_project).absoluteFilePath();
    QCOMPARE(jobs[0].title, path + QStringLiteral("002"));
    QCOMPARE(jobs[1].title, path + QStringLiteral("001"));
    QCOMPARE(jobs[2].title, path + QStringLiteral("000"));

    // The same pages printed into a file, in ascending order: the spooled pages are those.
    const QString reference = m_dir.filePath(QStringLiteral("pages.pdf"));
    QCOMPARE(QuilletTest::runCli({QStringLiteral("print"), m_project, QStringLiteral("--pages"),
                                  QStringLiteral("2,5,9"), QStringLiteral("--no-background"),
                                  QStringLiteral("--output"), reference})
                 .exitCode,
             0);
    const QStringList pages = QuilletTest::pdfPageTexts(QuilletTest::readFile(reference));
    QCOMPARE(pages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(jobs[size_t(i)].copies, 1);
        const QStringList spooled = QuilletTest::pdfPageTexts(jobs[size_t(i)].document);
        QCOMPARE(spooled.size(), 1);
        QVERIFY(!simplified(spooled.first()).isEmpty());
        QCOMPARE(simplified(spooled.first()), simplified(pages[2 - i]));
    }
    QVERIFY(pages[0] != pages[1] && pages[1] != pages[2]);
}

void CupsPrintTest::sheetOfTheQueue_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QSize>("sheetPt");
    QTest::addColumn<QRect>("printablePt");
    // The queues offer both sheets, each 1/4 inch in from the sides and 1/2 inch from the
    // top and bottom (the PPD's imageable areas, 18 and 36 pt).
    QTest::newRow("A4 loaded") << Queue << QSize(595, 842)
                               << QRect(QPoint(18, 36), QPoint(576, 805));
    QTest::newRow("Letter loaded")
        << LetterQueue << QSize(612, 792) << QRect(QPoint(18, 36), QPoint(593, 755));
}

void CupsPrintTest::sheetOfTheQueue()
{
    QFETCH(QString, queue);
    QFETCH(QSize, sheetPt);
    QFETCH(QRect, printablePt);
    std::vector<CapturedJob> jobs;
    print({QStringLiteral("--pages"), QStringLiteral("1"), QStringLiteral("--no-background")}, 1,
          jobs, queue);
    if (QTest::currentTestFailed())
        return;
    // A direct print clears the printable area to white, which shows on grey paper.
    const QImage sheet = QuilletTest::pdfPageImage(jobs.front().document, 0, 72, Qt::gray);
    QCOMPARE(sheet.size(), sheetPt);
    QRect white;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(sheet.pixel(x, y)) > 240)
                white |= QRect(x, y, 1, 1);
        }
    }
    const auto near = [](int a, int b) { return qAbs(a - b) <= 1; };
    QVERIFY2(near(white.left(), printablePt.left()) && near(white.top(), printablePt.top())
                 && near(white.right(), printablePt.right())
                 && near(white.bottom(), printablePt.bottom()),
             qPrintable(QStringLiteral("printable area %1,%2 to %3,%4 pt")
                            .arg(white.left())
                            .arg(white.top())
                            .arg(white.right())
                            .arg(white.bottom())));
}

void CupsPrintTest::copiesPerJob_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("jobs");
    QTest::addColumn<int>("copies");
    QTest::newRow("direct: copies on each job")
        << QStringList{"--pages", "1-2", "--copies", "3", "--no-background"} << 2 << 3;
    // Pictures take the printer's count, which --copies sets.
    QTest::newRow("pictures: the count set for the printer")
        << QStringList{"--pages", "4", "--copies", "3", "--as-image", "--no-background"} << 1 << 3;
}

void CupsPrintTest::copiesPerJob()
{
    QFETCH(QStringList, options);
    QFETCH(int, jobs);
    QFETCH(int, copies);
    std::vector<CapturedJob> captured;
    print(options, jobs, captured);
    if (QTest::currentTestFailed())
        return;
    for (const CapturedJob& job : captured) {
        QCOMPARE(job.copies, copies);
        QCOMPARE(QuilletTest::pdfPageTexts(job.document).size(), 1);
    }
}

void CupsPrintTest::pageLandsWhereRendered_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QPoint>("shift");
    // A printer that prints 24 px (at 300 dpi) too far right and 12 px too high: the page
    // is sent 24 px left and 12 px down of where it belongs, so that it lands there.
    QTest::newRow("calibrated") << "2" << QStringList{"--no-background"} << QPoint(-24, 12);
    // The stamp mixes with the form's table lines under it, which stay in the print.
    QTest::newRow("with the background, directly") << "7" << QStringList{} << QPoint();
    // The page's picture goes to the printer as its pixels: no JPEG ringing round the text.
    QTest::newRow("with the background, as a picture")
        << "7" << QStringList{"--as-image"} << QPoint();
}

void CupsPrintTest::pageLandsWhereRendered()
{
    QFETCH(QString, page);
    QFETCH(QStringList, options);
    QFETCH(QPoint, shift);
    if (!shift.isNull()) {
        Quillet::PrinterCalibration calibration;
        calibration.offsetXMm = -shift.x() * 25.4 / 300;
        calibration.offsetYMm = -shift.y() * 25.4 / 300;
        Quillet::UserSettings().setCalibration(Queue, true, calibration);
    }
    std::vector<CapturedJob> jobs;
    print(QStringList{QStringLiteral("--pages"), page} + options, 1, jobs);
    Quillet::UserSettings().setCalibration(Queue, true, Quillet::PrinterCalibration{});
    if (QTest::currentTestFailed())
        return;

    const QString rendered = m_dir.filePath(QStringLiteral("page%1.png").arg(page));
    QStringList render{QStringLiteral("render"), m_project, QStringLiteral("--page"), page,
                       QStringLiteral("--out"),  rendered};
    if (options.contains(QStringLiteral("--no-background")))
        render << QStringLiteral("--no-background");
    QCOMPARE(QuilletTest::runCli(render).exitCode, 0);
    const QImage image(rendered);
    QImage expected(image.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(shift, image);
    const QByteArray& spooled = jobs.front().document;
    const QImage sheet = QuilletTest::pdfPageImage(spooled, 0, 300);
    QVERIFY(!sheet.isNull());
    const QuilletTest::MarkComparison marks = QuilletTest::compareMarks(expected, sheet);
    QVERIFY2(marks.expectedMarks > 10000, "marks to compare");
    QVERIFY2(marks.linesUp(), qPrintable(marks.describe()));
    // Pictures are stored losslessly, and a page with the background stays a few megabytes.
    QVERIFY2(!spooled.contains("/DCTDecode"), "a picture stored as JPEG");
    QVERIFY2(spooled.size() < 3 << 20, qPrintable(QString::number(spooled.size())));
}

QTEST_MAIN(CupsPrintTest)
#include "CupsPrintTest.moc"
