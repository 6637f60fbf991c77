// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/ZipArchive.h"

#include "core/common/Errors.h"

#include <zip.h>

#include <QCoreApplication>

namespace Quillet {

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

// zlib's own codes, which libzip passes on with ZIP_ER_ZLIB.
QString zlibDetail(int code)
{
    switch (code) {
    case -2: // Z_STREAM_ERROR
        return QCoreApplication::translate("Quillet::ZipArchive", "сбой распаковки");
    case -3: // Z_DATA_ERROR
        return QCoreApplication::translate("Quillet::ZipArchive", "сжатые данные испорчены");
    case -4: // Z_MEM_ERROR
        return QCoreApplication::translate("Quillet::ZipArchive", "не хватает памяти");
    case -5: // Z_BUF_ERROR
        return QCoreApplication::translate("Quillet::ZipArchive", "сжатые данные оборваны");
    default:
        return QString();
    }
}

QString errorText(zip_error_t* error)
{
    const int code = zip_error_code_zip(error);
    const int detail =
        zip_error_system_type(error) == ZIP_ET_ZLIB ? zip_error_code_system(error) : 0;
    return zipErrorText(code, detail);
}

} // namespace

QString zipErrorText(int zipCode, int detail)
{
    // What reading an archive in memory can meet; the codes of writing and renaming
    // never come here and keep libzip's words.
    QString text;
    switch (zipCode) {
    case ZIP_ER_OK:
        return QCoreApplication::translate("Quillet::ZipArchive", "ошибки нет");
    case ZIP_ER_MULTIDISK:
        return QCoreApplication::translate("Quillet::ZipArchive",
                                           "многотомные zip-архивы не поддерживаются");
    case ZIP_ER_SEEK:
    case ZIP_ER_READ:
    case ZIP_ER_TELL:
    case ZIP_ER_EOF:
        return QCoreApplication::translate("Quillet::ZipArchive",
                                           "архив обрывается раньше, чем должен");
    case ZIP_ER_CRC:
        return QCoreApplication::translate("Quillet::ZipArchive",
                                           "контрольная сумма не сходится: данные испорчены");
    case ZIP_ER_NOENT:
        return QCoreApplication::translate("Quillet::ZipArchive", "такой части нет");
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        text = QCoreApplication::translate("Quillet::ZipArchive", "сжатые данные испорчены");
        if (const QString more = zlibDetail(detail); !more.isEmpty() && more != text)
            text += QStringLiteral(" (%1)").arg(more);
        return text;
    case ZIP_ER_MEMORY:
        return QCoreApplication::translate("Quillet::ZipArchive", "не хватает памяти");
    case ZIP_ER_COMPNOTSUPP:
        return QCoreApplication::translate("Quillet::ZipArchive",
                                           "способ сжатия не поддерживается");
    case ZIP_ER_NOZIP:
        return QCoreApplication::translate("Quillet::ZipArchive", "это не zip-архив");
    case ZIP_ER_INVAL:
        // Reading a buffer meets it when a damaged directory sends it past the end.
        return QCoreApplication::translate(
            "Quillet::ZipArchive", "архив повреждён: его оглавление указывает за пределы файла");
    case ZIP_ER_INCONS:
        return QCoreApplication::translate(
            "Quillet::ZipArchive", "архив повреждён: его оглавление не сходится с содержимым");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QCoreApplication::translate("Quillet::ZipArchive", "архив зашифрован");
    case ZIP_ER_INTERNAL:
        return QCoreApplication::translate("Quillet::ZipArchive",
                                           "внутренняя ошибка библиотеки libzip");
    default:
        break;
    }
    zip_error_t error;
    zip_error_init_with_code(&error, zipCode);
    text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

ZipArchive::ZipArchive(QByteArray data, const ZipLimits& limits)
    : m_data(std::move(data)), m_limits(limits)
{
    // An empty buffer would open as an empty archive.
    if (!m_data.startsWith("PK"))
        throw FileError(
            QCoreApplication::translate("Quillet::ZipArchive", "Файл не является zip-архивом"));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(m_data.constData(), zip_uint64_t(m_data.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        throw FileError(QCoreApplication::translate(
            "Quillet::ZipArchive", "Не удаётся прочитать книгу: не хватает памяти"));
    }
    m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!m_zip) {
        const bool noZip = zip_error_code_zip(&error) == ZIP_ER_NOZIP;
        const QString reason = errorText(&error);
        zip_source_free(source);
        zip_error_fini(&error);
        if (noZip)
            throw FileError(
                QCoreApplication::translate("Quillet::ZipArchive", "Файл не является zip-архивом"));
        throw FileError(
            QCoreApplication::translate("Quillet::ZipArchive", "Файл не является zip-архивом (%1)")
                .arg(reason));
    }
    zip_error_fini(&error);
    if (zip_get_num_entries(m_zip, 0) > m_limits.maxEntries) {
        zip_discard(m_zip);
        m_zip = nullptr;
        throw FileError(
            QCoreApplication::translate("Quillet::ZipArchive", "В архиве слишком много элементов"));
    }
}

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

QStringList ZipArchive::entryNames() const
{
    QStringList names;
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char* name = zip_get_name(m_zip, zip_uint64_t(i), 0))
            names << QString::fromUtf8(name);
    }
    return names;
}

long long ZipArchive::locate(const QString& name) const
{
    QString path = name;
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    const QByteArray utf8 = path.toUtf8();
    zip_int64_t index = zip_name_locate(m_zip, utf8.constData(), ZIP_FL_ENC_GUESS);
    if (index < 0)
        index = zip_name_locate(m_zip, utf8.constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
    return index;
}

bool ZipArchive::contains(const QString& name) const
{
    return locate(name) >= 0;
}

QByteArray ZipArchive::read(const QString& name)
{
    QByteArray bytes;
    stream(name, [&bytes](const char* data, size_t size) { bytes.append(data, qsizetype(size)); });
    return bytes;
}

void ZipArchive::stream(const QString& name, const std::function<void(const char*, size_t)>& sink)
{
    const long long index = locate(name);
    if (index < 0)
        throw FileError(
            QCoreApplication::translate("Quillet::ZipArchive", "В книге нет части %1").arg(name));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)
        && stat.size > zip_uint64_t(m_limits.maxEntryBytes))
        throw FileError(QCoreApplication::translate("Quillet::ZipArchive",
                                                    "Часть книги %1 больше допустимого размера")
                            .arg(name));
    zip_file_t* file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        throw FileError(QCoreApplication::translate("Quillet::ZipArchive",
                                                    "Не удаётся открыть часть книги %1 (%2)")
                            .arg(name, errorText(zip_get_error(m_zip))));
    }
    QByteArray chunk(ChunkBytes, Qt::Uninitialized);
    qint64 entryBytes = 0;
    try {
        for (;;) {
            const zip_int64_t got = zip_fread(file, chunk.data(), zip_uint64_t(chunk.size()));
            if (got < 0) {
                throw FileError(QCoreApplication::translate("Quillet::ZipArchive",
                                                            "Часть книги %1 повреждена (%2)")
                                    .arg(name, errorText(zip_file_get_error(file))));
            }
            if (got == 0)
                break;
            entryBytes += got;
            m_inflated += got;
            // Declared sizes can lie; what counts is what actually comes out.
            if (entryBytes > m_limits.maxEntryBytes || m_inflated > m_limits.maxTotalBytes)
                throw FileError(
                    QCoreApplication::translate("Quillet::ZipArchive",
                                                "Часть книги %1 при распаковке превышает "
                                                "допустимый размер")
                        .arg(name));
            sink(chunk.constData(), size_t(got));
        }
    } catch (...) {
        zip_fclose(file);
        throw;
    }
    zip_fclose(file);
}

} // namespace Quillet
