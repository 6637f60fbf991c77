// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Damaged pictures are refused without a word from the libraries behind Qt's readers
// (libpng, libtiff, Qt's own plugins), on any thread, and a capture of what they say keeps
// to the thread that made it.

#include "core/raster/DecoderMessages.h"
#include "core/raster/FastDIB.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <array>
#include <cstdio>
#include <functional>
#include <thread>
#include <unistd.h>

using namespace Quillet;

namespace {

using Damage = std::function<QByteArray(QByteArray)>;

QByteArray cutInHalf(QByteArray bytes)
{
    return bytes.left(bytes.size() / 2);
}

// Header fields and chunk names: every third byte from 8 to 39.
QByteArray flipHeader(QByteArray bytes)
{
    for (qsizetype i = 8; i < std::min<qsizetype>(bytes.size(), 40); i += 3)
        bytes[i] = char(bytes[i] ^ 0x55);
    return bytes;
}

// Sixteen bytes spread over the second half: data, checksums, a TIFF's directory.
QByteArray flipTail(QByteArray bytes)
{
    const qsizetype step = std::max<qsizetype>(1, bytes.size() / 16);
    for (qsizetype i = bytes.size() / 2; i < bytes.size(); i += step)
        bytes[i] = char(bytes[i] ^ 0xA5);
    return bytes;
}

// Whatever the process writes on stderr while it lives.
class StderrCapture {
public:
    StderrCapture()
    {
        if (m_file.open()) {
            std::fflush(stderr);
            m_saved = ::dup(STDERR_FILENO);
            ::dup2(m_file.handle(), STDERR_FILENO);
        }
    }
    ~StderrCapture() { restore(); }
    QByteArray text()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

Q_DECLARE_METATYPE(Damage)

class DecoderMessagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void damagedPictureSaysNothing_data();
    void damagedPictureSaysNothing();
    void capturesKeepToTheirThread();

private:
    QTemporaryDir m_dir;
};

void DecoderMessagesTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void DecoderMessagesTest::damagedPictureSaysNothing_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<Damage>("damage");
    // Each of these had the library it names write on stderr before our own message.
    QTest::newRow("png cut short (libpng)") << "colour.png" << Damage(cutInHalf);
    QTest::newRow("png chunk names (libpng)") << "mono.png" << Damage(flipHeader);
    QTest::newRow("png checksums (libpng, Qt)") << "indexed.png" << Damage(flipTail);
    QTest::newRow("tiff cut short (libtiff, Qt)") << "colour.tif" << Damage(cutInHalf);
    QTest::newRow("tiff directory (libtiff)") << "mono.tif" << Damage(flipTail);
    QTest::newRow("tiff compressed data (libtiff)") << "lzw.tif" << Damage(flipHeader);
    QTest::newRow("xpm rows (Qt)") << "colour.xpm" << Damage(flipTail);
    QTest::newRow("ico offsets (Qt)") << "colour.ico" << Damage(flipHeader);
    QTest::newRow("icns holding a damaged png (libpng)") << "colour.icns" << Damage(flipTail);
}

void DecoderMessagesTest::damagedPictureSaysNothing()
{
    QFETCH(QString, sample);
    QFETCH(Damage, damage);
    const QByteArray original =
        QuilletTest::readFile(QuilletTest::sourcePath("fuzz/corpus/pictureloader/" + sample));
    const QString path = m_dir.filePath(QStringLiteral("damaged-") + sample);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(damage(original));
    file.close();

    // Export decodes on worker threads, several at once.
    std::array<bool, 4> loaded{};
    std::array<QStringList, 4> heard;
    StderrCapture written;
    std::array<std::thread, 4> threads;
    for (size_t i = 0; i < threads.size(); ++i) {
        threads[i] = std::thread([&, i] {
            const DecoderMessages outer; // what the loader let through
            TFastDIB raster;
            loaded[i] = LoadPictureFile(path, raster);
            heard[i] = outer.lines();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const QByteArray text = written.text();
    QVERIFY2(text.isEmpty(), text.constData());
    for (size_t i = 0; i < threads.size(); ++i) {
        QVERIFY(!loaded[i]);
        QVERIFY2(heard[i].isEmpty(), qPrintable(heard[i].join(QLatin1Char('\n'))));
    }
}

void DecoderMessagesTest::capturesKeepToTheirThread()
{
    const DecoderMessages mine;
    QStringList theirs;
    std::thread([&] {
        const DecoderMessages outer;
        {
            const DecoderMessages inner;
            qWarning("inner");
            theirs = inner.lines();
        }
        qWarning("outer");
        theirs += outer.lines();
    }).join();
    QCOMPARE(theirs, (QStringList{"inner", "outer"}));
    QVERIFY(mine.lines().isEmpty());
    qWarning("mine");
    QCOMPARE(mine.lines(), QStringList{"mine"});
}

QTEST_GUILESS_MAIN(DecoderMessagesTest)
#include "DecoderMessagesTest.moc"
