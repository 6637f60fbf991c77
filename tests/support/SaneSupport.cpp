// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/SaneSupport.h"

#include "core/background/Scanner.h"

#include <QDir>
#include <QFile>

#include <csignal>

namespace QuilletTest {

namespace {

bool testBackendInstalled()
{
    const QStringList roots{QStringLiteral("/usr/lib"), QStringLiteral("/usr/lib64"),
                            QStringLiteral("/usr/local/lib")};
    for (const QString& root : roots) {
        QStringList folders{root + QStringLiteral("/sane")};
        for (const QString& arch : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            folders.append(root + QLatin1Char('/') + arch + QStringLiteral("/sane"));
        for (const QString& folder : folders) {
            if (!QDir(folder).entryList({QStringLiteral("libsane-test.so*")}).isEmpty())
                return true;
        }
    }
    return false;
}

} // namespace

QString saneTestsMissing()
{
    if (!Quillet::scannerUnavailableReason().isEmpty())
        return QStringLiteral("the program is built without SANE (libsane-dev was not found)");
    if (!testBackendInstalled())
        return QStringLiteral("SANE's test backend (libsane1) is not installed");
    return {};
}

void ignoreBrokenPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

QSize saneTestPageSize(int dpi)
{
    // The backend cuts the page to whole pixels.
    return {int(SaneTestPageWidthMm / 25.4 * dpi), int(SaneTestPageHeightMm / 25.4 * dpi)};
}

QString prepareForScans()
{
    if (const QString missing = saneTestsMissing(); !missing.isEmpty())
        return missing;
    ignoreBrokenPipes();
    return {};
}

SaneConfig::SaneConfig() : m_environment("SANE_CONFIG_DIR", m_folder.path()) {}

bool SaneConfig::setBackends(const QByteArray& dllConf)
{
    return write("dll.conf", dllConf);
}

bool SaneConfig::setTestOptions(const QByteArray& options)
{
    return write("test.conf", "number_of_devices 2\n"
                              "test-picture \"Color pattern\"\n"
                              "br_x 40.0\nbr_y 30.0\n"
                                  + options);
}

bool SaneConfig::useTestBackend(const QByteArray& options)
{
    return setBackends("test\n") && setTestOptions(options);
}

bool SaneConfig::write(const char* name, const QByteArray& text)
{
    QFile file(QDir(m_folder.path()).filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace QuilletTest
