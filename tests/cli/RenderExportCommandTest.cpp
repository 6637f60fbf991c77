// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli render and export on the bundled demo: what they write, what they say on
// stderr and how they exit.

#include "support/CliRun.h"
#include "support/OfficeSupport.h"
#include "support/TestSupport.h"

#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "core/common/LibreOffice.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

using Run = QuilletTest::CliRun;
using QuilletTest::demoProjectPath;
using QuilletTest::runCli;

int inkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); y += 4) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); x += 4)
            inked += qGray(line[x]) < 128;
    }
    return inked;
}

} // namespace

class RenderExportCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void renderWritesThePage();
    void renderWithoutBackgroundKeepsTheValues();
    void unknownSheetIsAnErrorLine();
    void formulasWithoutResultsAreErrorLines_data();
    void formulasWithoutResultsAreErrorLines();
    void refusedInvocations_data();
    void refusedInvocations();
    void exportWritesTheSelectedPages();
    void exportFormats();
    void exportIntoAMissingFolderFails();
    void projectWithoutPages();

private:
    QTemporaryDir m_dir;
};

void RenderExportCommandTest::initTestCase()
{
    QVERIFY(QFile::exists(demoProjectPath()));
    QVERIFY(m_dir.isValid());
}

void RenderExportCommandTest::renderWritesThePage()
{
    const QString out = m_dir.filePath(QStringLiteral("page1.png"));
    const Run run = runCli({QStringLiteral("render"), demoProjectPath(), QStringLiteral("--page"),
                            QStringLiteral("1"), QStringLiteral("--out"), out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const QByteArray png = QuilletTest::readFile(out);
    QVERIFY(png.startsWith("\x89PNG"));
    QCOMPARE(int(uchar(png[24])), 8);
    QCOMPARE(int(uchar(png[25])), 2); // 24-bit RGB
    const QImage page(out);
    QCOMPARE(page.size(), QSize(2480, 3508));
    // The layout view differs from a filled page.
    const QString layout = m_dir.filePath(QStringLiteral("page0.png"));
    QCOMPARE(runCli({QStringLiteral("render"), demoProjectPath(), QStringLiteral("--page"),
                     QStringLiteral("0"), QStringLiteral("--out"), layout})
                 .exitCode,
             0);
    QVERIFY(QImage(layout) != page);
}

void RenderExportCommandTest::renderWithoutBackgroundKeepsTheValues()
{
    const QString with = m_dir.filePath(QStringLiteral("with.png"));
    const QString without = m_dir.filePath(QStringLiteral("without.png"));
    QCOMPARE(runCli({QStringLiteral("render"), demoProjectPath(), QStringLiteral("--page"),
                     QStringLiteral("2"), QStringLiteral("--out"), with})
                 .exitCode,
             0);
    const Run run = runCli({QStringLiteral("render"), demoProjectPath(), QStringLiteral("--page"),
                            QStringLiteral("2"), QStringLiteral("--out"), without,
                            QStringLiteral("--no-background")});
    QCOMPARE(run.exitCode, 0);
    const int inkWith = inkedPixels(QImage(with));
    const int inkWithout = inkedPixels(QImage(without));
    QVERIFY2(inkWithout > 0, "the values are drawn");
    QVERIFY2(inkWithout < inkWith, "the form's lines are gone");
}

void RenderExportCommandTest::unknownSheetIsAnErrorLine()
{
    const QString out = m_dir.filePath(QStringLiteral("nosheet.png"));
    const Run run = runCli({QStringLiteral("render"), demoProjectPath(), QStringLiteral("--page"),
                            QStringLiteral("1"), QStringLiteral("--out"), out,
                            QStringLiteral("--sheet"), QStringLiteral("Нет такого")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QString::fromUtf8(run.err).contains(QStringLiteral("Нет указанного листа")));
    QVERIFY(QFile::exists(out));
}

void RenderExportCommandTest::formulasWithoutResultsAreErrorLines_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("output");
    QTest::newRow("render") << "render" << QStringList{"--page", "1", "--out", "page.png"};
    QTest::newRow("export") << "export" << QStringList{"--pages", "1", "--out", "page"};
}

void RenderExportCommandTest::formulasWithoutResultsAreErrorLines()
{
    QFETCH(QString, command);
    QFETCH(QStringList, output);
    const QString book = m_dir.filePath(command + QStringLiteral(" формулы.xlsx"));
    QVERIFY(QFile::copy(QuilletTest::dataPath(QStringLiteral("workbooks/uncached-formulas.xlsx")),
                        book));
    const QuilletTest::ScopedEnvironment office(LibreOfficeProgramVariable,
                                                m_dir.filePath(QStringLiteral("no/soffice")));
    output.last() = m_dir.filePath(output.last());
    const Run run = runCli(QStringList{command, demoProjectPath(), QStringLiteral("--workbook"),
                                       book, QStringLiteral("--sheet"), QStringLiteral("Лист1")}
                           + output);
    QCOMPARE(run.exitCode, 0);
    const QString err = QString::fromUtf8(run.err);
    for (const char* cell : {"B1", "D1", "E1", "B2", "D2", "B3", "D3", "B4", "B5", "B6"}) {
        const QString line =
            QStringLiteral("Формула без вычисленного значения: Лист1!%1\n").arg(cell);
        QVERIFY2(err.count(line) == 1, qPrintable(err));
    }
}

void RenderExportCommandTest::refusedInvocations_data()
{
    QTest::addColumn<QStringList>("args");
    const QString out = QDir::temp()
                            .filePath(QStringLiteral("quillet-refused-%1.png"))
                            .arg(QCoreApplication::applicationPid());
    const QString missing = QStringLiteral("/nonexistent/project.qlet");
    QTest::newRow("render: no page") << QStringList{"render", demoProjectPath(), "--out", out};
    QTest::newRow("render: page not a number")
        << QStringList{"render", demoProjectPath(), "--page", "abc", "--out", out};
    QTest::newRow("render: missing project")
        << QStringList{"render", missing, "--page", "1", "--out", out};
    QTest::newRow("render: missing workbook")
        << QStringList{"render",     demoProjectPath(),       "--page", "1", "--out", out,
                       "--workbook", "/nonexistent/book.xlsx"};
    QTest::newRow("render: unknown option")
        << QStringList{"render", demoProjectPath(), "--page", "1", "--out", out, "--colour"};
    QTest::newRow("export: no prefix") << QStringList{"export", demoProjectPath()};
    QTest::newRow("export: unknown format")
        << QStringList{"export", demoProjectPath(), "--out", out, "--format", "bmp"};
    QTest::newRow("export: no jobs")
        << QStringList{"export", demoProjectPath(), "--out", out, "--jobs", "0"};
    QTest::newRow("export: empty page set")
        << QStringList{"export", demoProjectPath(), "--out", out, "--pages", ","};
    QTest::newRow("export: missing project") << QStringList{"export", missing, "--out", out};
    QTest::newRow("export: missing workbook") << QStringList{
        "export", demoProjectPath(), "--out", out, "--workbook", "/nonexistent/book.xlsx"};
    QTest::newRow("export: shard past the count")
        << QStringList{"export", demoProjectPath(), "--out", out, "--shard", "4/3"};
    QTest::newRow("export: shards without auto") << QStringList{
        "export", demoProjectPath(), "--out", out, "--shard", "1/2", "--shards", "2"};
    QTest::newRow("export: auto outside a scheduler")
        << QStringList{"export", demoProjectPath(), "--out", out, "--shard", "auto"};
    QTest::newRow("join-pdf: no parts") << QStringList{"join-pdf", out};
    QTest::newRow("join-pdf: missing part") << QStringList{"join-pdf", out, "/nonexistent/a.pdf"};
    QTest::newRow("join-pdf: not a PDF") << QStringList{"join-pdf", out, demoProjectPath()};
}

void RenderExportCommandTest::refusedInvocations()
{
    QFETCH(QStringList, args);
    const Run run = runCli(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    const QList<QByteArray> lines = run.err.trimmed().split('\n');
    QVERIFY2(!run.err.trimmed().isEmpty() && lines.size() <= 2, run.err.constData());
    // Nothing written: export and render write after --out, join-pdf its first argument.
    const qsizetype out = args.indexOf(QStringLiteral("--out"));
    if (out >= 0 || args.first() == QLatin1String("join-pdf"))
        QVERIFY(!QFile::exists(out < 0 ? args.at(1) : args.at(out + 1)));
}

void RenderExportCommandTest::exportWritesTheSelectedPages()
{
    QTemporaryDir forward, backward;
    const Run run =
        runCli({QStringLiteral("export"), demoProjectPath(), QStringLiteral("--pages"),
                QStringLiteral("3,1-2,12"), QStringLiteral("--jobs"), QStringLiteral("2"),
                QStringLiteral("--out"), forward.filePath(QStringLiteral("form"))});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData()); // not a terminal: no progress
    const QStringList names = {"form001.jpg", "form002.jpg", "form003.jpg", "form012.jpg"};
    QCOMPARE(QDir(forward.path()).entryList(QDir::Files), names);
    QCOMPARE(runCli({QStringLiteral("export"), demoProjectPath(), QStringLiteral("--pages"),
                     QStringLiteral("1-3,12"), QStringLiteral("--reverse"),
                     QStringLiteral("--jobs"), QStringLiteral("1"), QStringLiteral("--out"),
                     backward.filePath(QStringLiteral("form"))})
                 .exitCode,
             0);
    for (const QString& name : names) {
        const QByteArray bytes = QuilletTest::readFile(forward.filePath(name));
        QVERIFY(bytes.startsWith("\xFF\xD8\xFF\xE0"));
        QCOMPARE(bytes, QuilletTest::readFile(backward.filePath(name)));
    }
}

void RenderExportCommandTest::exportFormats()
{
    QTemporaryDir dir;
    QCOMPARE(runCli({QStringLiteral("export"), demoProjectPath(), QStringLiteral("--pages"),
                     QStringLiteral("5"), QStringLiteral("--format"), QStringLiteral("png"),
                     QStringLiteral("--out"), dir.filePath(QStringLiteral("p"))})
                 .exitCode,
             0);
    QCOMPARE(QImage(dir.filePath(QStringLiteral("p005.png"))).size(), QSize(2480, 3508));
    QCOMPARE(runCli({QStringLiteral("export"), demoProjectPath(), QStringLiteral("--pages"),
                     QStringLiteral("1-3"), QStringLiteral("--format"), QStringLiteral("pdf"),
                     QStringLiteral("--out"), dir.filePath(QStringLiteral("all"))})
                 .exitCode,
             0);
    const QByteArray pdf = QuilletTest::readFile(dir.filePath(QStringLiteral("all.pdf")));
    QVERIFY(pdf.startsWith("%PDF-"));
    // The background once for the document, not once per page.
    QCOMPARE(pdf.count("/Width 2480"), 1);
    QVERIFY(pdf.size() < 3 * 1024 * 1024);
}

void RenderExportCommandTest::exportIntoAMissingFolderFails()
{
    const Run run = runCli({QStringLiteral("export"), demoProjectPath(), QStringLiteral("--pages"),
                            QStringLiteral("1"), QStringLiteral("--out"),
                            m_dir.filePath(QStringLiteral("no/such/folder/p"))});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err.trimmed().count('\n'), 0);
}

void RenderExportCommandTest::projectWithoutPages()
{
    // A project without references has one page: the blank form.
    Project empty;
    const QString path = m_dir.filePath(QStringLiteral("empty.qlet"));
    ProjectFile::save(empty, path);
    QTemporaryDir dir;
    const Run run = runCli({QStringLiteral("export"), path, QStringLiteral("--out"),
                            dir.filePath(QStringLiteral("empty"))});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"empty001.jpg"});
    const QImage page(dir.filePath(QStringLiteral("empty001.jpg")));
    QCOMPARE(page.pixel(page.width() / 2, page.height() / 2), qRgb(255, 255, 255));
}

QTEST_MAIN(RenderExportCommandTest)
#include "RenderExportCommandTest.moc"
