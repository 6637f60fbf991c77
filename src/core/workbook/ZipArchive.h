// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>

struct zip;

namespace Quillet {

/// Bounds that keep a hostile archive from exhausting memory or time: the bytes one
/// entry may inflate to, the bytes all reads together may inflate to, and the number
/// of entries. Declared sizes are checked first, inflated bytes are counted as well.
struct ZipLimits {
    qint64 maxEntryBytes = qint64(512) << 20;
    qint64 maxTotalBytes = qint64(2) << 30;
    int maxEntries = 100000;
};

/// What a libzip error means, in Russian: `zipCode` is its ZIP_ER_* code, `detail` the
/// zlib code that comes with ZIP_ER_ZLIB (a zlib code this list does not know is left
/// out). A zip code it does not know gives libzip's own text, as libzip words it.
QString zipErrorText(int zipCode, int detail = 0);

/// A zip archive held in memory (an .xlsx or .ods file), read entry by entry.
/// Not copyable; one thread at a time.
class ZipArchive {
public:
    /// Opens the archive in `data`. Throws FileError when it is not a zip archive or
    /// has more entries than the limits allow.
    explicit ZipArchive(QByteArray data, const ZipLimits& limits = ZipLimits());
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    QStringList entryNames() const;
    /// True when an entry of that name exists (exact, else ignoring case).
    bool contains(const QString& name) const;
    /// The whole inflated entry. Throws FileError when it is missing, corrupt or
    /// larger than the limits.
    QByteArray read(const QString& name);
    /// Inflates the entry in pieces handed to `sink`, so a large part never sits in
    /// memory whole. Same failures as read().
    void stream(const QString& name, const std::function<void(const char*, size_t)>& sink);

private:
    long long locate(const QString& name) const;

    QByteArray m_data;
    ZipLimits m_limits;
    zip* m_zip = nullptr;
    qint64 m_inflated = 0;
};

} // namespace Quillet
