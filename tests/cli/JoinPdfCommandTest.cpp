// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli join-pdf: what it says and how it exits. What the joined file holds is the
// core's PdfJoinTest.

#include "support/CliRun.h"
#include "support/PdfSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class JoinPdfCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void exitsAndSays_data();
    void exitsAndSays();

private:
    QTemporaryDir m_dir;
};

void JoinPdfCommandTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Two parts of the demo as a sharded export writes them: pages 1–2 and 3.
    const struct {
        const char* pages;
        const char* prefix;
    } parts[] = {{"1-2", "demo-0001-of-0002"}, {"3", "demo-0002-of-0002"}};
    for (const auto& part : parts) {
        const QuilletTest::CliRun run = QuilletTest::runCli(
            {QStringLiteral("export"), QuilletTest::demoProjectPath(), QStringLiteral("--pages"),
             QString::fromLatin1(part.pages), QStringLiteral("--format"), QStringLiteral("pdf"),
             QStringLiteral("--out"), m_dir.filePath(QString::fromLatin1(part.prefix))});
        QCOMPARE(run.exitCode, 0);
    }
}

void JoinPdfCommandTest::exitsAndSays_data()
{
    QTest::addColumn<QStringList>("args"); // file names below the test folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("pages");       // in out.pdf; -1: not written
    QTest::addColumn<QString>("errLine"); // the first stderr line holds it; empty: silent

    QTest::newRow("joined, silently")
        << QStringList{"out.pdf", "demo-0002-of-0002.pdf", "demo-0001-of-0002.pdf"} << 0 << 3
        << QString();
    QTest::newRow("missing part") << QStringList{"out.pdf", "demo-0002-of-0002.pdf"} << 2 << -1
                                  << QStringLiteral(
                                         "quillet-cli join-pdf: Не хватает частей (1 из 2): ");
    QTest::newRow("not a PDF") << QStringList{"out.pdf", "demo.qlet.pdf"} << 2 << -1
                               << QStringLiteral("demo.qlet.pdf — не PDF");
    QTest::newRow("no parts") << QStringList{"out.pdf"} << 2 << -1
                              << QStringLiteral("Нужны имя выходного файла и хотя бы одна часть");
    QTest::newRow("unwritable output")
        << QStringList{"no/out.pdf", "demo-0001-of-0002.pdf", "demo-0002-of-0002.pdf"} << 2 << -1
        << QStringLiteral("Не удаётся записать файл ");
}

void JoinPdfCommandTest::exitsAndSays()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(int, pages);
    QFETCH(QString, errLine);
    const QString out = m_dir.filePath(QStringLiteral("out.pdf"));
    QFile::remove(out);
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("demo.qlet.pdf")))
            || QFile::copy(QuilletTest::demoProjectPath(),
                           m_dir.filePath(QStringLiteral("demo.qlet.pdf"))));
    QStringList paths{QStringLiteral("join-pdf")};
    for (const QString& name : args)
        paths << m_dir.filePath(name);

    const QuilletTest::CliRun run = QuilletTest::runCli(paths);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.isEmpty(), run.out.constData());
    const QString err = QString::fromUtf8(run.err);
    if (errLine.isEmpty()) {
        QVERIFY2(err.isEmpty(), qPrintable(err));
    } else {
        QVERIFY2(err.section(QLatin1Char('\n'), 0, 0).contains(errLine), qPrintable(err));
        // Refused input is one line; bad arguments add the usage.
        QCOMPARE(err.count(QLatin1Char('\n')),
                 err.contains(QStringLiteral("join-pdf ВЫХОД.pdf")) ? 2 : 1);
    }
    if (pages < 0)
        QVERIFY(!QFile::exists(out));
    else
        QCOMPARE(QuilletTest::pdfPageCount(out), pages);
}

QTEST_MAIN(JoinPdfCommandTest)
#include "JoinPdfCommandTest.moc"
