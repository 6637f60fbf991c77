// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/Recalculation.h"

#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>
#include <mutex>

namespace Quillet {
namespace {

// Part of every cache key: raising it retires entries written by older versions.
constexpr char CacheVersion[] = "recalc-3";

// The content's hash: size and modification time alone let a file replaced by another of
// the same size with its time kept (cp -p, rsync -t) serve the old results. Empty when the
// file cannot be read.
QByteArray contentHash(const QString& absolutePath)
{
    QFile file(absolutePath);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

struct MemoryEntry {
    QByteArray content;
    QByteArray bytes;
};

// One entry per workbook path: the latest content computed in this process.
std::mutex memoryMutex;
std::map<QString, MemoryEntry> memoryCache;

QByteArray fromMemory(const QString& path, const QByteArray& content)
{
    const std::lock_guard lock(memoryMutex);
    const auto it = memoryCache.find(path);
    return it != memoryCache.end() && it->second.content == content ? it->second.bytes
                                                                    : QByteArray();
}

void toMemory(const QString& path, const QByteArray& content, const QByteArray& bytes)
{
    const std::lock_guard lock(memoryMutex);
    memoryCache[path] = {content, bytes};
}

QString hashHex(const QString& text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

QString cacheFolder(const RecalculationSettings& settings)
{
    if (!settings.cacheFolder.isEmpty())
        return settings.cacheFolder;
    // One folder for the window and the command-line program, whatever their names.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/quillet/recalculated");
}

// "<hash of the path>-<hash of path and content>.xlsx": the first half finds the
// entries of older contents of the same file, which a new entry replaces.
QString pathPrefix(const QString& path)
{
    return hashHex(QString::fromLatin1(CacheVersion) + u'\n' + path) + u'-';
}

QString cacheName(const QString& path, const QByteArray& content)
{
    const QString key =
        QStringLiteral("%1\n%2\n%3")
            .arg(QString::fromLatin1(CacheVersion), path, QString::fromLatin1(content.toHex()));
    return pathPrefix(path) + hashHex(key) + QStringLiteral(".xlsx");
}

QByteArray fromDisk(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return {};
    QFile file(folder + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    // Anything else is a damaged entry: computing again replaces it.
    return bytes.startsWith("PK\x03\x04") ? bytes : QByteArray();
}

void toDisk(const QString& folder, const QString& path, const QString& name,
            const QByteArray& bytes)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    QDir dir(folder);
    const QStringList older =
        dir.entryList({pathPrefix(path) + QStringLiteral("*.xlsx")}, QDir::Files);
    for (const QString& stale : older) {
        if (stale != name)
            dir.remove(stale);
    }
    QSaveFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
}

// LibreOffice keeps the stored results of files from other producers unless told to
// compute everything on loading. Its locale is fixed: in one whose date separator is a
// dot it rewrites a format "dd.mm.yyyy" as "dd/mm/yyyy" (locale separator), which would
// make the cached copy show dates by the locale of whoever computed it.
QList<LibreOfficeSetting> recalculationSettings()
{
    const QString load = QStringLiteral("/org.openoffice.Office.Calc/Formula/Load");
    return {{load, QStringLiteral("OOXMLRecalcMode"), QStringLiteral("0")},
            {load, QStringLiteral("ODFRecalcMode"), QStringLiteral("0")},
            {QStringLiteral("/org.openoffice.Setup/L10N"), QStringLiteral("ooSetupSystemLocale"),
             QStringLiteral("en-US")}};
}

QByteArray convert(const QString& path, const RecalculationSettings& settings,
                   const QString& copySuffix)
{
    QTemporaryDir out(QDir::tempPath() + QStringLiteral("/quillet-recalc-XXXXXX"));
    if (!out.isValid())
        throw FileError(QCoreApplication::translate("Quillet::Recalculation",
                                                    "Не удаётся создать временную папку: %1")
                            .arg(reasonInRussian(out.errorString())));
    const QString written = convertWithLibreOffice(
        path, QStringLiteral("xlsx:Calc MS Excel 2007 XML"), out.path(), settings.timeoutMs,
        recalculationSettings(), {copySuffix, settings.cancelled});
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(
            QCoreApplication::translate("Quillet::Recalculation", "Не удаётся прочитать файл %1")
                .arg(written));
    return file.readAll();
}

QString columnLetters(int column)
{
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar(u'A' + (column - 1) % 26));
    return letters;
}

} // namespace

QByteArray recalculatedWorkbook(const QString& path, const RecalculationSettings& settings,
                                const QString& copySuffix)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QByteArray content = contentHash(absolute);
    if (content.isEmpty())
        throw FileError(
            QCoreApplication::translate("Quillet::Recalculation", "Не удаётся прочитать файл %1")
                .arg(absolute));
    QByteArray bytes = fromMemory(absolute, content);
    if (!bytes.isEmpty())
        return bytes;
    const QString folder = cacheFolder(settings);
    const QString name = cacheName(absolute, content);
    bytes = fromDisk(folder, name);
    if (bytes.isEmpty()) {
        if (libreOfficeProgram().isEmpty())
            return {};
        bytes = convert(absolute, settings, copySuffix);
        // Saved again while LibreOffice worked: these results may be of either content.
        if (contentHash(absolute) != content)
            return bytes;
        toDisk(folder, absolute, name, bytes);
    }
    toMemory(absolute, content, bytes);
    return bytes;
}

QString uncachedFormulaLine(const FormulaCell& cell)
{
    static const QRegularExpression plain(QStringLiteral("^[\\w.]+$"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    QString sheet = cell.sheet;
    if (!plain.match(sheet).hasMatch())
        sheet = u'\'' + sheet.replace(u'\'', QStringLiteral("''")) + u'\'';
    return QCoreApplication::translate("Quillet::Recalculation",
                                       "Формула без вычисленного значения: %1!%2%3")
        .arg(sheet, columnLetters(cell.column))
        .arg(cell.row);
}

} // namespace Quillet
