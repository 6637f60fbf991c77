// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Any bytes saved as a picture file: a raster or false from the loader, never a crash, a
// hang or a huge allocation. Whatever the loader takes is a picture to the document import
// too, so it is opened there and its first and last pages are read; anything else is left
// alone, since the import would hand it to poppler or LibreOffice.

#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "core/raster/FastDIB.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

/// One file in a private folder for the whole process; the neutral extension leaves the
/// choice of decoder to the content.
const QString& inputPath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        // The codecs complain about every broken file through Qt's log; that is expected here.
        qInstallMessageHandler(dropMessage);
        if (!folder.isValid())
            std::abort();
        return folder.filePath(QStringLiteral("input.picture"));
    }();
    return path;
}

void checkRaster(const Quillet::TFastDIB& raster)
{
    if (raster.isEmpty() || raster.width() <= 0 || raster.absHeight() <= 0)
        std::abort();
    // The corners of the pixel store must be addressable.
    raster.PixelAt(0, 0);
    raster.PixelAt(raster.absHeight() - 1, raster.width() - 1);
}

void checkImport(const QString& path, const Quillet::TFastDIB& raster)
{
    Quillet::ImportDocument document;
    try {
        document.open(path);
    } catch (const Quillet::FileError&) {
        std::abort(); // the loader has just read this very file
    }
    if (document.kind() != Quillet::ImportKind::Picture || document.pageCount() < 1)
        std::abort();
    const QImage first = document.page(1);
    if (first.width() != raster.width() || first.height() != raster.absHeight())
        std::abort();
    if (document.pageCount() > 1) {
        try {
            document.page(document.pageCount());
        } catch (const Quillet::FileError&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString& path = inputPath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    Quillet::TFastDIB raster;
    if (!Quillet::LoadPictureFile(path, raster))
        return 0;
    checkRaster(raster);
    checkImport(path, raster);
    return 0;
}
