// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/CupsServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// What running cupsd privately taught us (CUPS 2.4 on Debian 12):
// - cupsd -f takes its two configuration files with -c and -s; every folder it writes
//   (ServerRoot, RequestRoot, CacheDir, StateDir, TempDir, the logs, even the printcap,
//   which would otherwise go to /run/cups) must be named, or it reaches for the system's.
// - The file: device does not serve here: CUPS refuses it for raw queues, a queue with a
//   PPD writes it only through a real filter (cups-filters), and it is overwritten by every
//   job, so three jobs leave one page. Instead the queue's device is a small backend of our
//   own, in a private ServerBin, that keeps each job with its title and copies. ServerBin
//   must still hold cupsd's helpers (daemon/cups-exec), hence the link to the system's.
// - Run by root, cupsd refuses "User root" and runs backends as "lp", which cannot enter
//   the test's private folder; a backend only its owner may run (0700) is run as root.
//   Run by anyone else, cupsd and its backends simply run as that user.
// - The PPD's "-" filter hands the PDF to the backend untouched, and its default page size
//   and imageable area become the queue's default media and margins, which libcups reports
//   (a raw queue has none).

namespace QuilletTest {
namespace {

const char* const BackendName = "capture";

// argv: job-id user title copies options [file]; without arguments CUPS asks for devices.
const QByteArray BackendScript = R"sh(
[ $# -eq 0 ] && exit 0
dir="${DEVICE_URI#capture:}"
if [ -n "$6" ]; then cat "$6"; else cat; fi > "$dir/$1.part" || exit 1
mv "$dir/$1.part" "$dir/$1.pdf" || exit 1
printf '%s\n%s\n' "$4" "$3" > "$dir/$1.tmp" && mv "$dir/$1.tmp" "$dir/$1.job"
)sh";

// Both sheets with the same margins, 1/4 inch at the sides and 1/2 inch at the top and
// bottom; %1 is the one loaded by default.
const char* const PrinterDescription = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "CAPTURE.PPD"
*Manufacturer: "Quillet tests"
*Product: "(Capture)"
*ModelName: "Capture printer"
*ShortNickName: "Capture printer"
*NickName: "Capture printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 -"
*OpenUI *PageSize: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: %1
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: %1
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: %1
*ImageableArea A4/A4: "18 36 577 806"
*ImageableArea Letter/Letter: "18 36 594 756"
*DefaultPaperDimension: %1
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
)ppd";

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A port nobody listens on now; cupsd binds it a moment later.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool answers(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

QString cupsHelpers()
{
    for (const char* folder : {"/usr/lib/cups/daemon", "/usr/libexec/cups/daemon"}) {
        if (QFileInfo::exists(QString::fromLatin1(folder) + QStringLiteral("/cups-exec")))
            return QString::fromLatin1(folder);
    }
    return {};
}

const QString Cupsd = QStringLiteral("/usr/sbin/cupsd");
const QString Lpadmin = QStringLiteral("/usr/sbin/lpadmin");

} // namespace

CupsServer::CupsServer() = default;

CupsServer::~CupsServer()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished();
        }
    }
}

QString CupsServer::missingTools()
{
    if (!QFileInfo(Cupsd).isExecutable() || cupsHelpers().isEmpty())
        return QStringLiteral("cupsd is not installed (package cups-daemon)");
    if (!QFileInfo(Lpadmin).isExecutable())
        return QStringLiteral("lpadmin is not installed (package cups-client)");
    return {};
}

bool CupsServer::start()
{
    if (m_cupsd.state() == QProcess::Running)
        return true;
    if (!m_root.isValid())
        return fail(QStringLiteral("no temporary folder"));
    m_port = freePort();
    if (m_port == 0 || !writeConfiguration())
        return fail(QStringLiteral("cannot prepare the server's folder"));
    m_cupsd.setStandardOutputFile(path(QStringLiteral("log/cupsd.out")));
    m_cupsd.setStandardErrorFile(path(QStringLiteral("log/cupsd.out")), QIODevice::Append);
    m_cupsd.start(Cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), path("cupsd.conf"),
                          QStringLiteral("-s"), path("cups-files.conf")});
    if (!m_cupsd.waitForStarted(10000))
        return fail(QStringLiteral("cupsd does not start: %1").arg(m_cupsd.errorString()));
    if (!waitUntilListening())
        return fail(QStringLiteral("cupsd does not answer on port %1").arg(m_port));
    m_serverVariable = std::make_unique<ScopedEnvironment>("CUPS_SERVER", address());
    return true;
}

bool CupsServer::writeConfiguration()
{
    QDir root(m_root.path());
    for (const char* folder : {"spool", "cache", "state", "tmp", "log", "bin/backend", "out"}) {
        if (!root.mkpath(QString::fromLatin1(folder)))
            return false;
    }
    if (!QFile::link(cupsHelpers(), path("bin/daemon")))
        return false;
    if (!writeScript(path(QStringLiteral("bin/backend/") + QLatin1String(BackendName)),
                     BackendScript))
        return false;
    for (const char* paper : {"A4", "Letter"}) {
        const QString description = QString::fromLatin1(PrinterDescription).arg(paper);
        if (!writeFile(path(QStringLiteral("capture-%1.ppd").arg(paper)), description.toLatin1()))
            return false;
    }
    const QString files = QStringLiteral("ServerRoot %1\n"
                                         "ServerBin %1/bin\n"
                                         "RequestRoot %1/spool\n"
                                         "CacheDir %1/cache\n"
                                         "StateDir %1/state\n"
                                         "TempDir %1/tmp\n"
                                         "AccessLog %1/log/access_log\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "PageLog %1/log/page_log\n"
                                         "Printcap %1/printcap\n"
                                         "FileDevice Yes\n")
                              .arg(m_root.path());
    // No authentication anywhere: only this machine's loopback reaches the port.
    const QString server = QStringLiteral("Listen 127.0.0.1:%1\n"
                                          "LogLevel info\n"
                                          "Browsing No\n"
                                          "WebInterface No\n"
                                          "DefaultAuthType None\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n"
                                          "</Location>\n"
                                          "<Policy default>\n  <Limit All>\n"
                                          "    Order deny,allow\n  </Limit>\n</Policy>\n")
                               .arg(m_port);
    return writeFile(path("cups-files.conf"), files.toUtf8())
           && writeFile(path("cupsd.conf"), server.toUtf8());
}

bool CupsServer::waitUntilListening()
{
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (m_cupsd.state() == QProcess::NotRunning)
            return false;
        if (answers(m_port))
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool CupsServer::addQueue(const QString& name, QueuePaper paper)
{
    const QString device = QStringLiteral("out/") + name;
    if (!QDir(m_root.path()).mkpath(device))
        return fail(QStringLiteral("cannot make the queue's folder"));
    QProcess lpadmin;
    lpadmin.setProcessChannelMode(QProcess::MergedChannels);
    lpadmin.start(Lpadmin,
                  {QStringLiteral("-h"), address(), QStringLiteral("-p"), name,
                   QStringLiteral("-E"), QStringLiteral("-v"),
                   QLatin1String(BackendName) + QLatin1Char(':') + path(device),
                   QStringLiteral("-P"),
                   path(paper == QueuePaper::Letter ? "capture-Letter.ppd" : "capture-A4.ppd")});
    if (!lpadmin.waitForFinished(20000) || lpadmin.exitStatus() != QProcess::NormalExit
        || lpadmin.exitCode() != 0) {
        return fail(QStringLiteral("lpadmin refuses the queue %1: %2")
                        .arg(name, QString::fromLocal8Bit(lpadmin.readAll())));
    }
    return true;
}

std::vector<CapturedJob> CupsServer::capturedJobs(const QString& name, int count,
                                                  int timeoutMs) const
{
    const QDir folder(path(QStringLiteral("out/") + name));
    const QDeadlineTimer deadline(timeoutMs);
    QStringList done = folder.entryList({QStringLiteral("*.job")}, QDir::Files);
    while (done.size() < count && !deadline.hasExpired()) {
        QThread::msleep(50);
        done = folder.entryList({QStringLiteral("*.job")}, QDir::Files);
    }
    std::vector<CapturedJob> jobs;
    for (const QString& entry : done) {
        CapturedJob job;
        job.id = QFileInfo(entry).baseName().toInt();
        QFile info(folder.filePath(entry));
        QFile document(folder.filePath(QString::number(job.id) + QStringLiteral(".pdf")));
        if (!info.open(QIODevice::ReadOnly) || !document.open(QIODevice::ReadOnly))
            continue;
        job.copies = info.readLine().trimmed().toInt();
        QByteArray title = info.readLine();
        if (title.endsWith('\n'))
            title.chop(1);
        job.title = QString::fromUtf8(title);
        job.document = document.readAll();
        jobs.push_back(std::move(job));
    }
    std::sort(jobs.begin(), jobs.end(),
              [](const CapturedJob& a, const CapturedJob& b) { return a.id < b.id; });
    return jobs;
}

QString CupsServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

bool CupsServer::fail(const QString& what)
{
    m_error = what;
    QFile log(path("log/error_log"));
    if (log.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
        m_error += QStringLiteral("\ncupsd's log ends:");
        for (qsizetype i = std::max<qsizetype>(0, lines.size() - 15); i < lines.size(); ++i)
            m_error += QLatin1Char('\n') + QString::fromLocal8Bit(lines[i]);
    }
    return false;
}

QString CupsServer::path(const QString& relative) const
{
    return m_root.filePath(relative);
}

} // namespace QuilletTest
