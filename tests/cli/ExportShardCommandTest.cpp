// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli export spread over shards, with files named after their records, and its
// progress line on a terminal.

#include "support/CliRun.h"
#include "support/PrintSupport.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using QuilletTest::demoProjectPath;
using QuilletTest::runCli;

namespace {

// Every file of a folder by name, with its bytes.
QMap<QString, QByteArray> folderFiles(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files))
        files.insert(name, QuilletTest::readFile(dir.filePath(name)));
    return files;
}

} // namespace

class ExportShardCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shardsGiveTheFilesOfOneRun_data();
    void shardsGiveTheFilesOfOneRun();
    void pdfShardsAreConsecutiveRuns();
    void progressOnATerminal_data();
    void progressOnATerminal();

private:
    // The files of one export of the demo into a folder of its own.
    QMap<QString, QByteArray> exported(const QStringList& options);

    QTemporaryDir m_dir;
    int m_runs = 0;
};

QMap<QString, QByteArray> ExportShardCommandTest::exported(const QStringList& options)
{
    const QString folder = m_dir.filePath(QString::number(++m_runs));
    if (!QDir().mkpath(folder))
        return {};
    const QuilletTest::CliRun run =
        runCli(QStringList{QStringLiteral("export"), demoProjectPath(), QStringLiteral("--out"),
                           folder + QStringLiteral("/demo")}
               + options);
    if (run.exitCode != 0 || !run.err.isEmpty())
        qWarning() << options << run.exitCode << run.err;
    return folderFiles(folder);
}

void ExportShardCommandTest::shardsGiveTheFilesOfOneRun_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("shards");
    QTest::addColumn<int>("files");
    const QStringList all;
    QTest::newRow("one shard") << all << 1 << 200;
    QTest::newRow("three shards") << all << 3 << 200;
    QTest::newRow("seven shards") << all << 7 << 200;
    QTest::newRow("named after the records, reversed, png")
        << QStringList{"--pages", "1-12", "--name", "=D2", "--reverse", "--format", "png"} << 5
        << 12;
    QTest::newRow("more shards than pages")
        << QStringList{"--pages", "5-7", "--name", "=A2", "--format", "pdf"} << 4 << 3;
}

void ExportShardCommandTest::shardsGiveTheFilesOfOneRun()
{
    QFETCH(QStringList, options);
    QFETCH(int, shards);
    QFETCH(int, files);
    const QMap<QString, QByteArray> whole = exported(options);
    QCOMPARE(whole.size(), files);
    const QString folder = m_dir.filePath(QStringLiteral("shards%1").arg(++m_runs));
    QVERIFY(QDir().mkpath(folder));
    int silent = 0;
    for (int i = 1; i <= shards; ++i) {
        const QuilletTest::CliRun run =
            runCli(QStringList{QStringLiteral("export"), demoProjectPath(), QStringLiteral("--out"),
                               folder + QStringLiteral("/demo"), QStringLiteral("--shard"),
                               QStringLiteral("%1/%2").arg(i).arg(shards)}
                   + options);
        QCOMPARE(run.exitCode, 0);
        silent += run.err.isEmpty();
    }
    // A shard left without pages says so; the others are silent.
    QCOMPARE(silent, std::min(shards, files));
    const QMap<QString, QByteArray> joined = folderFiles(folder);
    QCOMPARE(joined.keys(), whole.keys());
    for (auto it = whole.begin(); it != whole.end(); ++it) {
        // A PDF carries the time it was written; its pages are what must match.
        if (it.key().endsWith(QLatin1String(".pdf")))
            QCOMPARE(QuilletTest::pdfPageTexts(joined.value(it.key())),
                     QuilletTest::pdfPageTexts(it.value()));
        else
            QVERIFY2(joined.value(it.key()) == it.value(), qPrintable(it.key()));
    }
}

void ExportShardCommandTest::pdfShardsAreConsecutiveRuns()
{
    const QMap<QString, QByteArray> whole =
        exported({QStringLiteral("--format"), QStringLiteral("pdf"), QStringLiteral("--reverse")});
    QCOMPARE(whole.keys(), QStringList{QStringLiteral("demo.pdf")});
    const QStringList pages = QuilletTest::pdfPageTexts(whole.first());
    QCOMPARE(pages.size(), 200);
    const QString folder = m_dir.filePath(QStringLiteral("pdf-shards"));
    QVERIFY(QDir().mkpath(folder));
    for (int i = 0; i < 3; ++i) {
        const QuilletTest::CliRun run =
            runCli({QStringLiteral("export"), demoProjectPath(), QStringLiteral("--out"),
                    folder + QStringLiteral("/demo"), QStringLiteral("--format"),
                    QStringLiteral("pdf"), QStringLiteral("--reverse"), QStringLiteral("--shard"),
                    QStringLiteral("%1/3").arg(i + 1)});
        QCOMPARE(run.exitCode, 0);
    }
    const QMap<QString, QByteArray> parts = folderFiles(folder);
    QCOMPARE(parts.keys(), (QStringList{"demo-0001-of-0003.pdf", "demo-0002-of-0003.pdf",
                                        "demo-0003-of-0003.pdf"}));
    // The parts in turn hold the pages of the whole document, in its order.
    QStringList texts;
    for (const QByteArray& part : parts)
        texts += QuilletTest::pdfPageTexts(part);
    QCOMPARE(texts, pages);
}

void ExportShardCommandTest::progressOnATerminal_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("onTerminal");
    QTest::addColumn<QString>("shown"); // a regular expression for the whole output
    QTest::newRow("terminal")
        << QStringList{} << true
        << R"(^(\rстраница \d+ из 30[^\r\n]*\x1b\[K)*)"
           R"(\rстраница 30 из 30( · [\d,]+ стр\./с · осталось 0:00)?\x1b\[K\r\n)"
           R"(Файлов: 30 за [\d.]+ с\r\n$)";
    QTest::newRow("quiet") << QStringList{"--quiet"} << true << "^$";
    QTest::newRow("not a terminal") << QStringList{} << false << "^$";
}

void ExportShardCommandTest::progressOnATerminal()
{
    QFETCH(QStringList, options);
    QFETCH(bool, onTerminal);
    QFETCH(QString, shown);
    const QString folder = m_dir.filePath(QStringLiteral("progress%1").arg(++m_runs));
    QVERIFY(QDir().mkpath(folder));
    const QStringList args = QStringList{QStringLiteral("export"),  demoProjectPath(),
                                         QStringLiteral("--out"),   folder + QStringLiteral("/p"),
                                         QStringLiteral("--pages"), QStringLiteral("1-30")}
                             + options;
    const QuilletTest::CliRun run = onTerminal ? QuilletTest::runCliOnTerminal(args) : runCli(args);
    QCOMPARE(run.exitCode, 0);
    const QString output = QString::fromUtf8(run.out + run.err);
    QVERIFY2(QRegularExpression(shown).match(output).hasMatch(), qPrintable(output));
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 30);
}

QTEST_MAIN(ExportShardCommandTest)
#include "ExportShardCommandTest.moc"
