// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/LibreOffice.h"

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>

#include <signal.h>
#include <unistd.h>

namespace Quillet {
namespace {

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Headless conversions of documents from elsewhere must never run their macros, whatever
// a future default may be: the highest security level, and macro execution off. Nor may
// they reach the network: recalculating on load would otherwise refresh external links
// (and with them WEBSERVICE), so Calc's link updates are set to never (1; 0 is always,
// 2 on request).
QList<LibreOfficeSetting> safetySettings()
{
    const QString scripting = QStringLiteral("/org.openoffice.Office.Common/Security/Scripting");
    return {{scripting, QStringLiteral("MacroSecurityLevel"), QStringLiteral("3")},
            {scripting, QStringLiteral("DisableMacrosExecution"), QStringLiteral("true")},
            {QStringLiteral("/org.openoffice.Office.Calc/Content/Update"), QStringLiteral("Link"),
             QStringLiteral("1")}};
}

void writeProfile(const QString& profileDir, const QList<LibreOfficeSetting>& settings)
{
    QString xcu = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
                                 "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                 "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n");
    for (const LibreOfficeSetting& setting : safetySettings() + settings) {
        xcu += QStringLiteral("<item oor:path=\"%1\"><prop oor:name=\"%2\" oor:op=\"fuse\">"
                              "<value>%3</value></prop></item>\n")
                   .arg(xmlEscaped(setting.path), xmlEscaped(setting.property),
                        xmlEscaped(setting.value));
    }
    xcu += QStringLiteral("</oor:items>\n");
    const QString userDir = profileDir + QStringLiteral("/user");
    QFile file(userDir + QStringLiteral("/registrymodifications.xcu"));
    if (!QDir().mkpath(userDir) || !file.open(QIODevice::WriteOnly) || file.write(xcu.toUtf8()) < 0)
        throw FileError(
            QCoreApplication::translate("Quillet::LibreOffice",
                                        "Не удаётся подготовить профиль LibreOffice: %1")
                .arg(reasonInRussian(file.errorString())));
}

// The copy's name is ours, so LibreOffice's output name is known and no file name of the
// user's (spaces, dashes, any script) ever reaches its command line.
QString copyInput(const QString& inputPath, const QString& workDir, const QString& copySuffix)
{
    QString suffix = copySuffix.isEmpty() ? QFileInfo(inputPath).suffix() : copySuffix;
    suffix.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
    const QString copy = workDir + QStringLiteral("/document")
                         + (suffix.isEmpty() ? QString() : u'.' + suffix.left(8));
    if (!QFile::copy(inputPath, copy))
        throw FileError(
            QCoreApplication::translate("Quillet::LibreOffice", "Не удаётся прочитать файл %1")
                .arg(inputPath));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

// LibreOffice's start script hands over to other processes; all of them share the
// process group made here, so a time-out ends every one.
void runInOwnGroup(QProcess& process)
{
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void killGroup(QProcess& process)
{
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
    process.kill();
    process.waitForFinished(5000);
}

// LibreOffice's words for why a conversion failed, in Russian where they are known; its
// warnings about Java say nothing about the file and are left out.
QString lastLines(const QByteArray& output)
{
    QStringList lines;
    for (const QString& line : QString::fromLocal8Bit(output).split(u'\n', Qt::SkipEmptyParts)) {
        const QString text = line.trimmed();
        if (text.isEmpty() || text.contains(QLatin1String("javaldx")))
            continue;
        if (text == QLatin1String("Error: source file could not be loaded"))
            lines << QCoreApplication::translate("Quillet::LibreOffice",
                                                 "исходный файл не открывается");
        else
            lines << reasonInRussian(text);
    }
    return lines.mid(std::max<qsizetype>(0, lines.size() - 3)).join(QStringLiteral("; "));
}

// Waits for LibreOffice in short slices, so a request to stop is heard while it works.
void waitForConversion(QProcess& process, const QDeadlineTimer& deadline, int timeoutMs,
                       const QString& documentName, const ConversionControl& control)
{
    constexpr qint64 SliceMs = 100;
    while (process.state() != QProcess::NotRunning) {
        if (control.cancelled && control.cancelled()) {
            killGroup(process);
            throw LibreOfficeCancelled();
        }
        if (deadline.hasExpired()) {
            killGroup(process);
            throw FileError(
                QCoreApplication::translate("Quillet::LibreOffice",
                                            "LibreOffice не справился за %1 с с файлом %2")
                    .arg(double(timeoutMs) / 1000.0)
                    .arg(documentName));
        }
        process.waitForFinished(int(std::clamp<qint64>(deadline.remainingTime(), 1, SliceMs)));
    }
}

QString runConversion(const QString& program, const QString& input, const QString& target,
                      const QString& workDir, int timeoutMs, const QString& documentName,
                      const ConversionControl& control)
{
    const QString profile = workDir + QStringLiteral("/profile");
    const QString out = workDir + QStringLiteral("/out");
    QDir().mkpath(out);
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    runInOwnGroup(process);
    const QStringList args{QStringLiteral("-env:UserInstallation=")
                               + QUrl::fromLocalFile(profile).toString(QUrl::FullyEncoded),
                           QStringLiteral("--headless"),
                           QStringLiteral("--norestore"),
                           QStringLiteral("--nolockcheck"),
                           QStringLiteral("--nodefault"),
                           QStringLiteral("--nologo"),
                           QStringLiteral("--convert-to"),
                           target,
                           QStringLiteral("--outdir"),
                           out,
                           input};
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    process.start(program, args);
    if (!process.waitForStarted(int(std::max<qint64>(deadline.remainingTime(), 1000))))
        throw FileError(QCoreApplication::translate("Quillet::LibreOffice",
                                                    "Не удаётся запустить LibreOffice (%1): %2")
                            .arg(program, reasonInRussian(process.errorString())));
    waitForConversion(process, deadline, timeoutMs, documentName, control);
    const QString written =
        out + u'/' + QFileInfo(input).completeBaseName() + u'.' + target.section(u':', 0, 0);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || !QFileInfo(written).isFile()) {
        const QString details = lastLines(process.readAll());
        throw FileError(
            QCoreApplication::translate("Quillet::LibreOffice",
                                        "LibreOffice не смог обработать файл %1%2")
                .arg(documentName, details.isEmpty() ? QString() : QStringLiteral(": ") + details));
    }
    // An empty result would pass for "nothing to give" further on and hide the failure.
    if (QFileInfo(written).size() == 0)
        throw FileError(QCoreApplication::translate("Quillet::LibreOffice",
                                                    "LibreOffice записал пустой файл вместо %1")
                            .arg(documentName));
    return written;
}

} // namespace

QString libreOfficeProgram()
{
    if (qEnvironmentVariableIsSet(LibreOfficeProgramVariable)) {
        const QString named = qEnvironmentVariable(LibreOfficeProgramVariable);
        return isProgram(named) ? QFileInfo(named).absoluteFilePath() : QString();
    }
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (!onPath.isEmpty())
        return onPath;
    for (const char* path : {"/usr/bin/soffice", "/usr/lib/libreoffice/program/soffice"}) {
        if (isProgram(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    }
    return {};
}

QString convertWithLibreOffice(const QString& inputPath, const QString& target,
                               const QString& outDir, int timeoutMs,
                               const QList<LibreOfficeSetting>& settings,
                               const ConversionControl& control)
{
    const QString program = libreOfficeProgram();
    if (program.isEmpty())
        throw FileError(QCoreApplication::translate(
            "Quillet::LibreOffice", "Не установлен LibreOffice (программа soffice)"));
    const QString input = QFileInfo(inputPath).absoluteFilePath();
    QTemporaryDir workDir(QDir::tempPath() + QStringLiteral("/quillet-office-XXXXXX"));
    if (!workDir.isValid())
        throw FileError(QCoreApplication::translate("Quillet::LibreOffice",
                                                    "Не удаётся создать временную папку: %1")
                            .arg(reasonInRussian(workDir.errorString())));
    writeProfile(workDir.path() + QStringLiteral("/profile"), settings);
    const QString copy = copyInput(input, workDir.path(), control.copySuffix);
    const QString written =
        runConversion(program, copy, target, workDir.path(), timeoutMs, input, control);

    const QString destination = QDir(outDir).absoluteFilePath(QFileInfo(input).completeBaseName()
                                                              + u'.' + QFileInfo(written).suffix());
    QFile::remove(destination);
    if (!QFile::rename(written, destination) && !QFile::copy(written, destination))
        throw FileError(
            QCoreApplication::translate("Quillet::LibreOffice", "Не удаётся записать файл %1")
                .arg(destination));
    return destination;
}

} // namespace Quillet
