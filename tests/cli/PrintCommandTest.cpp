// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli print into a PDF file: every value where the rendered page has it, the pages
// in print order, and the refusals. Printing on a CUPS queue is tested in
// CupsPrintTest.

#include "support/CliRun.h"
#include "support/PrintSupport.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = QuilletTest::CliRun;
using QuilletTest::demoProjectPath;
using QuilletTest::runCli;

} // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void outputLinesUpWithTheRenderedPage_data();
    void outputLinesUpWithTheRenderedPage();
    void jobsArePagesOfTheFileInPrintOrder();
    void refusedInvocations_data();
    void refusedInvocations();

private:
    QTemporaryDir m_dir;
};

void PrintCommandTest::initTestCase()
{
    QVERIFY(QFile::exists(demoProjectPath()));
    QVERIFY(m_dir.isValid());
}

void PrintCommandTest::outputLinesUpWithTheRenderedPage_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("options");
    const QStringList direct{QStringLiteral("--no-background")};
    // The demo's text is in 10, 11, 12 and 14 pt, and a copy of it in 9: most of these
    // sizes round to pixels at 600 dpi that are not twice those at 300.
    QTest::newRow("direct, the layout view") << demoProjectPath() << "0" << QStringList{};
    QTest::newRow("direct, first page") << demoProjectPath() << "1" << direct;
    QTest::newRow("direct, page 3") << demoProjectPath() << "3" << direct;
    QTest::newRow("direct, last page") << demoProjectPath() << "200" << direct;
    QTest::newRow("direct, text in 9 pt")
        << QuilletTest::demoWithFontSize(m_dir.path(), 9) << "5" << direct;
    // Page 7 holds the stamp, an image field multiplied into the form's lines under it.
    QTest::newRow("direct, with the background") << demoProjectPath() << "7" << QStringList{};
    QTest::newRow("as a picture, with the background")
        << demoProjectPath() << "7" << QStringList{"--as-image"};
}

void PrintCommandTest::outputLinesUpWithTheRenderedPage()
{
    QFETCH(QString, project);
    QFETCH(QString, page);
    QFETCH(QStringList, options);
    const QString name = QFileInfo(project).baseName() + QLatin1Char('-') + page;
    const QString rendered = m_dir.filePath(name + QStringLiteral(".png"));
    const QString printed = m_dir.filePath(name + QStringLiteral(".pdf"));
    QStringList renderArgs{QStringLiteral("render"), project, QStringLiteral("--page"), page,
                           QStringLiteral("--out"),  rendered};
    if (options.contains(QStringLiteral("--no-background")))
        renderArgs << QStringLiteral("--no-background");
    QCOMPARE(runCli(renderArgs).exitCode, 0);
    const Run run = runCli(QStringList{QStringLiteral("print"), project, QStringLiteral("--pages"),
                                       page, QStringLiteral("--output"), printed,
                                       QStringLiteral("--dpi"), QStringLiteral("600")}
                           + options);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());

    const QImage expected = QImage(rendered).convertToFormat(QImage::Format_RGB32);
    const QImage actual = QuilletTest::pdfPageImage(QuilletTest::readFile(printed), 0, 300);
    // The PDF's sheet is the page in whole points, so it may end a pixel short.
    QVERIFY2(qAbs(actual.width() - expected.width()) <= 1
                 && qAbs(actual.height() - expected.height()) <= 1,
             qPrintable(QStringLiteral("%1×%2").arg(actual.width()).arg(actual.height())));
    const QuilletTest::MarkComparison marks = QuilletTest::compareMarks(expected, actual);
    QVERIFY2(marks.expectedMarks > 10000 && marks.actualMarks > 10000, "marks to compare");
    if (!marks.linesUp()) // to look at beside the rendered page
        actual.save(QDir::current().filePath(name + QStringLiteral("-printed.png")));
    QVERIFY2(marks.linesUp(), qPrintable(marks.describe()));
}

void PrintCommandTest::jobsArePagesOfTheFileInPrintOrder()
{
    const QString single = m_dir.filePath(QStringLiteral("page3.pdf"));
    const QString all = m_dir.filePath(QStringLiteral("pages.pdf"));
    QCOMPARE(
        runCli({QStringLiteral("print"), demoProjectPath(), QStringLiteral("--pages"),
                QStringLiteral("3"), QStringLiteral("--output"), single, QStringLiteral("--dpi"),
                QStringLiteral("150"), QStringLiteral("--no-background")})
            .exitCode,
        0);
    QCOMPARE(
        runCli({QStringLiteral("print"), demoProjectPath(), QStringLiteral("--pages"),
                QStringLiteral("3,1-2"), QStringLiteral("--reverse"), QStringLiteral("--copies"),
                QStringLiteral("2"), QStringLiteral("--output"), all, QStringLiteral("--dpi"),
                QStringLiteral("150"), QStringLiteral("--no-background")})
            .exitCode,
        0);
    const QStringList one = QuilletTest::pdfPageTexts(QuilletTest::readFile(single));
    const QStringList three = QuilletTest::pdfPageTexts(QuilletTest::readFile(all));
    QCOMPARE(one.size(), 1);
    QCOMPARE(three.size(), 3); // a file holds one copy
    QVERIFY(!one.first().trimmed().isEmpty());
    QCOMPARE(three.first(), one.first()); // page 3 first
    QVERIFY(three[1] != three[0] && three[2] != three[0] && three[2] != three[1]);
}

void PrintCommandTest::refusedInvocations_data()
{
    QTest::addColumn<QStringList>("args");
    const QString out = QDir::temp().filePath(
        QStringLiteral("quillet-print-refused-%1.pdf").arg(QCoreApplication::applicationPid()));
    const QString missing = QStringLiteral("/nonexistent/project.qlet");
    QTest::newRow("no project") << QStringList{"print", "--output", out};
    QTest::newRow("missing project") << QStringList{"print", missing, "--output", out};
    QTest::newRow("unknown option")
        << QStringList{"print", demoProjectPath(), "--output", out, "--color"};
    QTest::newRow("copies zero") << QStringList{"print", demoProjectPath(), "--output",
                                                out,     "--copies",        "0"};
    QTest::newRow("copies too many")
        << QStringList{"print", demoProjectPath(), "--output", out, "--copies", "251"};
    QTest::newRow("dpi not a number")
        << QStringList{"print", demoProjectPath(), "--output", out, "--dpi", "high"};
    QTest::newRow("dpi too fine") << QStringList{"print", demoProjectPath(), "--output",
                                                 out,     "--dpi",           "4800"};
    QTest::newRow("dpi without a file") << QStringList{"print", demoProjectPath(), "--dpi", "300"};
    QTest::newRow("printer and file")
        << QStringList{"print", demoProjectPath(), "--printer", "Office", "--output", out};
    QTest::newRow("empty page set")
        << QStringList{"print", demoProjectPath(), "--output", out, "--pages", ","};
    QTest::newRow("missing printer")
        << QStringList{"print", demoProjectPath(), "--printer", "Нет такого принтера"};
    QTest::newRow("missing folder")
        << QStringList{"print", demoProjectPath(), "--output", "/nonexistent/folder/page.pdf"};
}

void PrintCommandTest::refusedInvocations()
{
    QFETCH(QStringList, args);
    const Run run = runCli(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    const QByteArray err = run.err.trimmed();
    QVERIFY2(!err.isEmpty() && !err.contains('\n'), run.err.constData());
    QVERIFY2(QString::fromUtf8(err).contains(QRegularExpression(QStringLiteral("[а-яА-Я]"))),
             run.err.constData());
    const qsizetype output = args.indexOf(QStringLiteral("--output"));
    if (output >= 0)
        QVERIFY(!QFile::exists(args.at(output + 1)));
}

QTEST_MAIN(PrintCommandTest)
#include "PrintCommandTest.moc"
