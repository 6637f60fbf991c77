// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Damaged copies of the bundled demo (its project, workbook and pictures, and a TIFF and a
// PDF made from them) through every subcommand that reads them: each is refused with exit
// code 2 and exactly one line on stderr, ours, with nothing from the libraries underneath
// (libpng, libtiff, libjpeg, libzip, poppler, Qt) and no file left behind.

#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using Damage = std::function<void(QByteArray&)>;

// The project file's chunks: an unsigned 64-bit little-endian length, then that many bytes.
struct Chunk {
    qsizetype lengthAt = 0;
    qsizetype dataAt = 0;
    qsizetype size = 0;
};

QList<Chunk> chunksOf(const QByteArray& project)
{
    QList<Chunk> chunks;
    for (qsizetype at = 0; at + 8 <= project.size();) {
        quint64 length = 0;
        for (int i = 7; i >= 0; --i)
            length = length << 8 | quint8(project[at + i]);
        chunks.append({at, at + 8, qsizetype(length)});
        at += 8 + qsizetype(length);
    }
    return chunks;
}

// Chunk 0 is the background JPEG, 1 the field tree, 3 the settings.
Damage inChunk(int index, std::function<void(QByteArray&, const Chunk&)> damage)
{
    return [index, damage](QByteArray& project) { damage(project, chunksOf(project).at(index)); };
}

void everyNth(QByteArray& bytes, qsizetype from, qsizetype to, qsizetype step, quint8 mask)
{
    for (qsizetype i = from; i < std::min(to, bytes.size()); i += step)
        bytes[i] = char(quint8(bytes[i]) ^ mask);
}

Damage cutTo(int percent)
{
    return [percent](QByteArray& bytes) { bytes.truncate(bytes.size() * percent / 100); };
}

// The deflated data of one member of a zip file, found through its local header.
Damage inZipMember(const QByteArray& name)
{
    return [name](QByteArray& zip) {
        for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0;
             at = zip.indexOf("PK\x03\x04", at + 4)) {
            const int nameLength = quint8(zip[at + 26]) | quint8(zip[at + 27]) << 8;
            const int extraLength = quint8(zip[at + 28]) | quint8(zip[at + 29]) << 8;
            if (zip.mid(at + 30, nameLength) != name)
                continue;
            const qsizetype data = at + 30 + nameLength + extraLength;
            everyNth(zip, data + 10, data + 20000, 97, 0xFF);
            return;
        }
        qFatal("no %s in the workbook", name.constData());
    };
}

QByteArray tiffOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(image))
        qFatal("no TIFF writer: %s", qPrintable(writer.errorString()));
    return bytes;
}

QByteArray pdfOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    painter.drawImage(QRect(0, 0, 2000, 2000), image);
    painter.drawText(QPoint(100, 3000), QStringLiteral("Квиллет"));
    painter.end();
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class DamagedInputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void refusedInOneLine_data();
    void refusedInOneLine();

private:
    // A copy of the demo in its own folder with `file` damaged (or added, made from
    // `content`), for the rows that name `folder`.
    void damagedCopy(const QString& folder, const QString& file, const QByteArray& content,
                     const Damage& damage);

    QTemporaryDir m_dir;
};

void DamagedInputTest::damagedCopy(const QString& folder, const QString& file,
                                   const QByteArray& content, const Damage& damage)
{
    const QDir demo(QuilletTest::sourcePath(QStringLiteral("examples/demo")));
    QDir copy(m_dir.filePath(folder));
    QVERIFY(copy.mkpath(QStringLiteral(".")));
    for (const QString& name : demo.entryList(QDir::Files))
        QVERIFY(QFile::copy(demo.filePath(name), copy.filePath(name)));
    QByteArray bytes = content.isNull() ? QuilletTest::readFile(demo.filePath(file)) : content;
    damage(bytes);
    QFile out(copy.filePath(file));
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(out.write(bytes), bytes.size());
}

void DamagedInputTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QImage stamp(QuilletTest::sourcePath(QStringLiteral("examples/demo/stamp.png")));
    QVERIFY(!stamp.isNull());
    const QString project = QStringLiteral("demo.qlet");
    damagedCopy(QStringLiteral("tree-length"), project, {},
                inChunk(1, [](QByteArray& b, const Chunk& c) {
                    b.replace(c.lengthAt, 8, QByteArray::fromHex("0010a5d4e8000000"));
                }));
    damagedCopy(QStringLiteral("tree-text"), project, {},
                inChunk(1, [](QByteArray& b, const Chunk& c) {
                    everyNth(b, c.dataAt, c.dataAt + c.size, 37, 0x5A);
                }));
    damagedCopy(QStringLiteral("settings"), project, {},
                inChunk(3, [](QByteArray& b, const Chunk& c) {
                    everyNth(b, c.dataAt, c.dataAt + c.size, 5, 0x7F);
                }));
    damagedCopy(QStringLiteral("background-header"), project, {},
                inChunk(0, [](QByteArray& b, const Chunk& c) {
                    b.replace(c.dataAt + 200, 40, QByteArray(40, '\0'));
                }));
    damagedCopy(QStringLiteral("background-data"), project, {},
                inChunk(0, [](QByteArray& b, const Chunk& c) {
                    b.replace(c.dataAt + c.size / 2, c.size - c.size / 2,
                              QByteArray(c.size - c.size / 2, '\0'));
                }));
    damagedCopy(QStringLiteral("sheet-data"), QStringLiteral("records.xlsx"), {},
                inZipMember("xl/worksheets/sheet1.xml"));
    damagedCopy(QStringLiteral("zip-directory"), QStringLiteral("records.xlsx"), {},
                [](QByteArray& zip) {
                    const qsizetype end = zip.lastIndexOf("PK\x05\x06");
                    zip.replace(end - 40, 40, QByteArray(40, '\xAA'));
                });
    damagedCopy(QStringLiteral("png-cut"), QStringLiteral("stamp.png"), {}, cutTo(50));
    damagedCopy(QStringLiteral("png-data"), QStringLiteral("stamp.png"), {},
                [](QByteArray& png) { everyNth(png, png.size() / 2, png.size(), 461, 0xA5); });
    damagedCopy(QStringLiteral("tiff-cut"), QStringLiteral("stamp.tif"), tiffOf(stamp), cutTo(50));
    damagedCopy(QStringLiteral("pdf-cut"), QStringLiteral("page.pdf"), pdfOf(stamp), cutTo(50));
    damagedCopy(
        QStringLiteral("pdf-blank"), QStringLiteral("page.pdf"), pdfOf(stamp),
        [](QByteArray& pdf) { pdf.replace(9, pdf.size() - 9, QByteArray(pdf.size() - 9, 0)); });
    // The background JPEG taken out of the project.
    QByteArray background =
        QuilletTest::readFile(QuilletTest::sourcePath(QStringLiteral("examples/demo/demo.qlet")));
    const Chunk jpeg = chunksOf(background).at(0);
    damagedCopy(QStringLiteral("jpeg-cut"), QStringLiteral("background.jpg"),
                background.mid(jpeg.dataAt, jpeg.size), cutTo(33));
}

void DamagedInputTest::refusedInOneLine_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("args"); // "@" stands for the folder
    const auto row = [](const char* command, const char* folder, const QStringList& args) {
        QTest::addRow("%s: %s", command, folder) << QString::fromLatin1(folder) << args;
    };
    row("info", "tree-length", {"info", "@/demo.qlet"});
    row("info", "tree-text", {"info", "@/demo.qlet"});
    row("info", "settings", {"info", "@/demo.qlet"});
    row("render", "tree-text", {"render", "@/demo.qlet", "--page", "1", "--out", "@/page.png"});
    row("render", "background-header",
        {"render", "@/demo.qlet", "--page", "1", "--out", "@/page.png"});
    row("render", "sheet-data", {"render", "@/demo.qlet", "--page", "1", "--out", "@/page.png"});
    row("background", "background-data", {"background", "@/demo.qlet", "--out", "@/bg.png"});
    row("background", "settings", {"background", "@/demo.qlet", "--out", "@/bg.png"});
    row("export", "tree-length", {"export", "@/demo.qlet", "--pages", "1-2", "--out", "@/page"});
    row("export", "background-data",
        {"export", "@/demo.qlet", "--pages", "1-2", "--out", "@/page", "--format", "pdf"});
    row("export", "zip-directory", {"export", "@/demo.qlet", "--pages", "1-2", "--out", "@/page"});
    row("print", "settings", {"print", "@/demo.qlet", "--pages", "1", "--output", "@/out.pdf"});
    row("print", "background-header",
        {"print", "@/demo.qlet", "--pages", "1", "--output", "@/out.pdf", "--as-image"});
    row("print", "sheet-data", {"print", "@/demo.qlet", "--pages", "1", "--output", "@/out.pdf"});
    row("cells", "sheet-data", {"cells", "@/records.xlsx", "--range", "A1:C5"});
    row("cells", "zip-directory", {"cells", "@/records.xlsx", "--range", "A1:C5"});
    row("import", "png-cut", {"import", "@/stamp.png", "--out", "@/out.png"});
    row("import", "png-data", {"import", "@/stamp.png", "--count"});
    row("import", "tiff-cut", {"import", "@/stamp.tif", "--out", "@/out.png"});
    row("import", "jpeg-cut", {"import", "@/background.jpg", "--out", "@/out.jpg"});
    row("import", "pdf-cut", {"import", "@/page.pdf", "--out", "@/out.png"});
    row("import", "pdf-blank", {"import", "@/page.pdf", "--count"});
    row("set-background", "png-data", {"set-background", "@/demo.qlet", "@/stamp.png"});
    row("set-background", "tiff-cut", {"set-background", "@/demo.qlet", "@/stamp.tif"});
    row("set-background", "jpeg-cut", {"set-background", "@/demo.qlet", "@/background.jpg"});
    row("set-background", "pdf-cut", {"set-background", "@/demo.qlet", "@/page.pdf"});
}

void DamagedInputTest::refusedInOneLine()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, args);
    const QString dir = m_dir.filePath(folder);
    args.replaceInStrings(QRegularExpression(QStringLiteral("^@")), dir);
    const QDir before(dir);
    const QStringList files = before.entryList(QDir::Files);
    const QuilletTest::CliRun run = QuilletTest::runCli(args);
    QCOMPARE(run.exitCode, 2);
    const QList<QByteArray> lines = run.err.trimmed().split('\n');
    QVERIFY2(lines.size() == 1 && !lines.first().isEmpty(), run.err.constData());
    QVERIFY2(lines.first().startsWith("quillet-cli " + args.first().toUtf8() + ": "),
             run.err.constData());
    QVERIFY(run.out.isEmpty());
    QCOMPARE(QDir(dir).entryList(QDir::Files), files); // nothing written beside the inputs
}

QTEST_MAIN(DamagedInputTest)
#include "DamagedInputTest.moc"
