// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/OfficeSupport.h"

#include "core/common/LibreOffice.h"

#include <QFile>

namespace QuilletTest {

ScopedEnvironment::ScopedEnvironment(const char* name, const QString& value)
    : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
{
    qputenv(name, value.toUtf8());
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (m_wasSet)
        qputenv(m_name.constData(), m_old);
    else
        qunsetenv(m_name.constData());
}

bool writeScript(const QString& path, const QByteArray& body)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + body) < 0)
        return false;
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString installedLibreOffice()
{
    const bool wasSet = qEnvironmentVariableIsSet(Quillet::LibreOfficeProgramVariable);
    const QByteArray old = qgetenv(Quillet::LibreOfficeProgramVariable);
    qunsetenv(Quillet::LibreOfficeProgramVariable);
    const QString program = Quillet::libreOfficeProgram();
    if (wasSet)
        qputenv(Quillet::LibreOfficeProgramVariable, old);
    return program;
}

int CountingOffice::runs() const
{
    QFile file(countFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return int(file.readAll().count('\n'));
}

QString CountingOffice::lastDocument() const
{
    QFile file(argsFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

namespace {

QByteArray quoted(const QString& text)
{
    return "'" + QString(text).replace(u'\'', QStringLiteral("'\\''")).toUtf8() + "'";
}

} // namespace

CountingOffice countingOffice(const QString& folder, const QString& real)
{
    const CountingOffice office{folder + QStringLiteral("/counting-soffice"),
                                folder + QStringLiteral("/runs"), folder + QStringLiteral("/args")};
    writeScript(office.program, "echo run >> " + quoted(office.countFile)
                                    + "\nprintf '%s\\n' \"$@\" >> " + quoted(office.argsFile)
                                    + "\nexec " + quoted(real) + " \"$@\"\n");
    return office;
}

qint64 HeldOffice::pid() const
{
    QFile file(startedFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().trimmed().toLongLong();
}

void HeldOffice::release() const
{
    QFile file(releaseFile);
    file.open(QIODevice::WriteOnly);
}

HeldOffice heldOffice(const QString& folder, const QString& real)
{
    const HeldOffice office{folder + QStringLiteral("/held-soffice"),
                            folder + QStringLiteral("/started"),
                            folder + QStringLiteral("/release")};
    QByteArray body = "echo $$ > " + quoted(office.startedFile) + ".new\nmv "
                      + quoted(office.startedFile) + ".new " + quoted(office.startedFile)
                      + "\nwhile [ ! -e " + quoted(office.releaseFile)
                      + " ]; do sleep 0.05; done\n";
    body += real.isEmpty() ? QByteArray("sleep 600\n") : "exec " + quoted(real) + " \"$@\"\n";
    writeScript(office.program, body);
    return office;
}

bool processEnded(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    return !status.open(QIODevice::ReadOnly) || status.readAll().contains("\nState:\tZ");
}

} // namespace QuilletTest
