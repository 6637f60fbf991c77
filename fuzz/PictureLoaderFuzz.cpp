// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Any bytes saved as a picture file: a raster or false from the loader, never a crash, a
// hang or a huge allocation. Whatever the loader takes is a picture to the document import
// too, so it is opened there and its first and last pages are read; anything else is left
// alone, since the import would hand it to poppler or LibreOffice.
//
// A header of a few bytes may legitimately announce a picture of a hundred million pixels
// that a run-length BMP or an MNG then fills, which takes longer under the sanitizer than
// libFuzzer allows one input. The loader's limits on size have their own tests, so while
// fuzzing such inputs are skipped and the time goes to parsing; the replay of the corpus
// runs them all. Pictures whose size shows only once decoded still reach the loader, but
// the import (which decodes the first page again) gets only small ones.

#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <QBuffer>
#include <QtEndian>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr long long MaxFuzzPixels = 4LL * 1000 * 1000;

bool skipLargePictures = false; // set by libFuzzer's start-up hook, not by the replay

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

bool announcesLargePicture(const QByteArray& bytes)
{
    int width = 0;
    int height = 0;
    if (bytes.startsWith("\xFF\xD8\xFF")) {
        if (!Quillet::readJpegSize(bytes, width, height))
            return false;
    } else if (bytes.startsWith("\x8AMNG") && bytes.size() >= 24) {
        // Qt's reader does not tell an MNG's size; its header chunk does.
        width = int(qFromBigEndian<quint32>(bytes.constData() + 16) & 0x7FFFFFFF);
        height = int(qFromBigEndian<quint32>(bytes.constData() + 20) & 0x7FFFFFFF);
    } else {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const QSize size = QImageReader(&buffer).size();
        width = size.width();
        height = size.height();
    }
    return static_cast<long long>(width) * height > MaxFuzzPixels;
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

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    skipLargePictures = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString& path = inputPath();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (skipLargePictures && announcesLargePicture(bytes))
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    Quillet::TFastDIB raster;
    if (!Quillet::LoadPictureFile(path, raster))
        return 0;
    checkRaster(raster);
    if (static_cast<long long>(raster.width()) * raster.absHeight() <= MaxFuzzPixels)
        checkImport(path, raster);
    return 0;
}
