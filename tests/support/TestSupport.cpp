// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"

#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"
#include "core/raster/JpegImage.h"
#include "core/workbook/CsvReader.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

namespace QuilletTest {

QString dataPath(const QString& relative)
{
    return QStringLiteral(QUILLET_TEST_DATA_DIR "/") + relative;
}

QString sourcePath(const QString& relative)
{
    return QStringLiteral(QUILLET_SOURCE_DIR "/") + relative;
}

QString demoProjectPath()
{
    return sourcePath(QStringLiteral("examples/demo/demo.qlet"));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot read %1").arg(path)), __FILE__, __LINE__);
        return {};
    }
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes) != bytes.size()) {
        QTest::qFail(qPrintable(QStringLiteral("cannot write %1").arg(path)), __FILE__, __LINE__);
        return false;
    }
    return true;
}

std::unique_ptr<Quillet::Workbook> csvWorkbook(const QByteArray& text, const QString& fileName)
{
    QByteArray bytes = text;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        return Quillet::CsvReader().read(buffer, fileName, Quillet::WorkbookOptions{});
    } catch (const Quillet::Error& e) {
        qFatal("csv workbook: %s", qPrintable(e.message()));
    }
}

QString firstDifference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size()) {
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16)
                    .arg(expected.pixel(x, y), 8, 16);
            }
        }
    }
    return QString();
}

QString blockText(int left, int top, int right, int bottom)
{
    return Quillet::composeBlockText(Quillet::BlockRect{left, top, right, bottom});
}

QImage noisePicture(int width, int height, quint32 seed, QImage::Format format)
{
    QImage image(width, height, format);
    quint32 state = seed;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(
                x, y, qRgb(int(state >> 24), int((state >> 16) & 255), int((state >> 8) & 255)));
        }
    }
    return image;
}

QByteArray jpegOf(const QImage& image)
{
    QByteArray bytes;
    if (!Quillet::encodeJpeg(image, 95, bytes))
        qFatal("cannot encode the test picture");
    return bytes;
}

} // namespace QuilletTest
