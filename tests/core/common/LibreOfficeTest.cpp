// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The runner is driven through stand-in programs here: what it passes, what it makes of
// failures and time-outs. Real conversions are tested where workbooks are recalculated.

#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"
#include "support/OfficeSupport.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

using namespace Quillet;
using namespace QuilletTest;

namespace {

// Records its arguments one per line and the registry it was given, then writes the
// output file where LibreOffice would.
const QByteArray Recorder =
    "here=$(dirname \"$0\")\n"
    "prev=\"\"\n"
    "for a in \"$@\"; do\n"
    "    printf '%s\\n' \"$a\" >> \"$here/args\"\n"
    "    [ \"$prev\" = \"--outdir\" ] && out=\"$a\"\n"
    "    case \"$a\" in -env:UserInstallation=file://*)\n"
    "        profile=\"${a#-env:UserInstallation=file://}\";;\n"
    "    esac\n"
    "    prev=\"$a\"\n"
    "    last=\"$a\"\n"
    "done\n"
    "cp \"$profile/user/registrymodifications.xcu\" \"$here/registry.xcu\"\n"
    "name=$(basename \"$last\")\n"
    "printf converted > \"$out/${name%.*}.pdf\"\n";

QString convertError(const QString& input, const QString& outDir, int timeoutMs = 20000)
{
    try {
        convertWithLibreOffice(input, QStringLiteral("pdf"), outDir, timeoutMs);
    } catch (const FileError& error) {
        return error.message();
    }
    return {};
}

bool processGone(qint64 pid)
{
    // The killed script's child is reaped by whoever adopts it; give that a moment.
    for (int i = 0; i < 40; ++i) {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly) || status.readAll().contains("\nState:\tZ"))
            return true;
        QTest::qWait(50);
    }
    return false;
}

} // namespace

class LibreOfficeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsTheProgram_data();
    void findsTheProgram();
    void passesSafeArguments();
    void failuresAreClear_data();
    void failuresAreClear();
    void timeOutKillsEveryProcess();
    void cancelKillsEveryProcess();
};

void LibreOfficeTest::findsTheProgram_data()
{
    QTest::addColumn<QString>("override");
    QTest::addColumn<bool>("found");
    QTest::newRow("missing file") << "missing/soffice" << false;
    QTest::newRow("not executable") << "plain-file" << false;
    QTest::newRow("a program") << "fake soffice" << true;
}

void LibreOfficeTest::findsTheProgram()
{
    QFETCH(QString, override);
    QFETCH(bool, found);
    QTemporaryDir dir;
    QVERIFY(writeScript(dir.filePath("fake soffice"), "exit 0\n"));
    QFile plain(dir.filePath("plain-file"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const ScopedEnvironment env(LibreOfficeProgramVariable, dir.filePath(override));
    QCOMPARE(libreOfficeProgram(), found ? dir.filePath(override) : QString());
}

void LibreOfficeTest::passesSafeArguments()
{
    QTemporaryDir dir;
    const QString program = dir.filePath("soffice");
    QVERIFY(writeScript(program, Recorder));
    const ScopedEnvironment env(LibreOfficeProgramVariable, program);
    const QString folder = dir.filePath("папка с пробелом");
    const QString outDir = dir.filePath("out");
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(outDir));
    const QString input = folder + "/-x книга 1.docx";
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    const QString written = convertWithLibreOffice(
        input, "pdf", outDir, 20000,
        {{"/org.openoffice.Office.Calc/Formula/Load", "ODFRecalcMode", "0"}});
    QCOMPARE(written, outDir + "/-x книга 1.pdf");
    QCOMPARE(QuilletTest::readFile(written), QByteArray("converted"));
    // Nothing appears beside the user's document: no lock file, no output.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"-x книга 1.docx"});

    const QStringList args =
        QString::fromUtf8(QuilletTest::readFile(dir.filePath("args"))).split(u'\n');
    for (const char* option :
         {"--headless", "--norestore", "--nolockcheck", "--nodefault", "--convert-to"})
        QVERIFY2(args.contains(QString::fromLatin1(option)), option);
    const QString passed = args.at(args.size() - 2);
    QVERIFY2(QDir::isAbsolutePath(passed), qPrintable(passed));
    QVERIFY2(!passed.startsWith(folder) && passed.endsWith("/document.docx"), qPrintable(passed));
    QVERIFY(!QFileInfo::exists(passed)); // the private copy goes with its folder

    const QByteArray registry = QuilletTest::readFile(dir.filePath("registry.xcu"));
    QVERIFY(registry.contains("<prop oor:name=\"MacroSecurityLevel\" oor:op=\"fuse\">"
                              "<value>3</value>"));
    QVERIFY(registry.contains("<prop oor:name=\"DisableMacrosExecution\" oor:op=\"fuse\">"
                              "<value>true</value>"));
    QVERIFY(registry.contains("<prop oor:name=\"ODFRecalcMode\" oor:op=\"fuse\">"
                              "<value>0</value>"));
    // Calc never updates external links (nor WEBSERVICE) on its own: 1 is "never".
    QVERIFY(registry.contains("<item oor:path=\"/org.openoffice.Office.Calc/Content/Update\">"
                              "<prop oor:name=\"Link\" oor:op=\"fuse\"><value>1</value>"));
}

void LibreOfficeTest::failuresAreClear_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("expected");
    QTest::newRow("not installed") << QByteArray() << "Не установлен LibreOffice";
    // Its words in Russian, without its warning about Java.
    QTest::newRow("fails with a message")
        << QByteArray("echo 'Warning: failed to launch javaldx - java may not function "
                      "correctly' >&2\necho 'Error: source file could not be loaded' >&2\nexit 1\n")
        << "не смог обработать файл %1: исходный файл не открывается";
    QTest::newRow("writes nothing") << QByteArray("exit 0\n") << "не смог обработать";
    QTest::newRow("writes an empty file")
        << QByteArray("for a; do [ \"$prev\" = --outdir ] && out=\"$a\"; prev=\"$a\"; done\n"
                      "name=$(basename \"$prev\")\n: > \"$out/${name%.*}.pdf\"\n")
        << "пустой файл";
    QTest::newRow("killed by a signal") << QByteArray("kill -9 $$\n") << "не смог обработать";
}

void LibreOfficeTest::failuresAreClear()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString program = dir.filePath("soffice");
    if (!script.isEmpty())
        QVERIFY(writeScript(program, script));
    const ScopedEnvironment env(LibreOfficeProgramVariable, program);
    const QString input = dir.filePath("book.xlsx");
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString message = convertError(input, dir.path());
    const QString wanted = expected.contains(QLatin1String("%1")) ? expected.arg(input) : expected;
    QVERIFY2(message.contains(wanted), qPrintable(message));
    if (!script.isEmpty())
        QVERIFY2(message.contains(input), qPrintable(message));
    QCOMPARE(QDir(dir.path()).entryList({"*.pdf"}, QDir::Files), QStringList());
}

void LibreOfficeTest::timeOutKillsEveryProcess()
{
    QTemporaryDir dir;
    const QString program = dir.filePath("soffice");
    QVERIFY(writeScript(program, "sleep 60 &\necho $! > \"$(dirname \"$0\")/child\"\nwait\n"));
    const ScopedEnvironment env(LibreOfficeProgramVariable, program);
    const QString input = dir.filePath("book.xlsx");
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QElapsedTimer clock;
    clock.start();
    const QString message = convertError(input, dir.path(), 1000);
    QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(message.contains("не справился за 1 с") && message.contains(input),
             qPrintable(message));
    const qint64 child =
        QString::fromLatin1(QuilletTest::readFile(dir.filePath("child"))).trimmed().toLongLong();
    QVERIFY(child > 0);
    QVERIFY2(processGone(child), "LibreOffice's own child outlived the time-out");
}

void LibreOfficeTest::cancelKillsEveryProcess()
{
    QTemporaryDir dir;
    const QString program = dir.filePath("soffice");
    QVERIFY(writeScript(program, "sleep 600 &\necho $! > \"$(dirname \"$0\")/child\"\nwait\n"));
    const ScopedEnvironment env(LibreOfficeProgramVariable, program);
    const QString input = dir.filePath("book.xlsx");
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    // Stopped once LibreOffice has started a process of its own, long before any time-out.
    const QString childFile = dir.filePath("child");
    ConversionControl control;
    control.cancelled = [&childFile] { return QFileInfo(childFile).size() > 0; };
    bool cancelled = false;
    try {
        convertWithLibreOffice(input, "pdf", dir.path(), 600000, {}, control);
    } catch (const LibreOfficeCancelled&) {
        cancelled = true;
    }
    QVERIFY(cancelled);
    const qint64 child =
        QString::fromLatin1(QuilletTest::readFile(childFile)).trimmed().toLongLong();
    QVERIFY(child > 0);
    QVERIFY2(processGone(child), "LibreOffice's own child outlived the cancel");
}

QTEST_GUILESS_MAIN(LibreOfficeTest)
#include "LibreOfficeTest.moc"
