// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"
#include "ImageFieldModel.h"

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/raster/FastDIB.h"
#include "core/render/PageCanvas.h"
#include "core/render/PageRenderer.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Quillet;
using ImageFieldModel::expectedPage;
using QuilletTest::firstDifference;

namespace {

struct ErrorList : RenderErrorSink {
    QStringList lines;
    void LogRenderError(const QString& line) override { lines.append(line); }
};

QImage noise(int width, int height, quint32 seed)
{
    return QuilletTest::noisePicture(width, height, seed, QImage::Format_RGB32);
}

/// A picture with a 3 × 2 patch of one colour at the top left corner (the key colour
/// the transparency tests leave out), the rest noise.
const QRgb Key = qRgb(40, 200, 90);
QImage keyedPicture(int width, int height)
{
    QImage image = noise(width, height, 77);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, Key);
    image.setPixel(width - 1, height - 1, Key);
    return image;
}

void put(QByteArray& b, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.append(char((v >> (8 * i)) & 255));
}

/// A 4-bit BMP of an indexed picture of at most 16 colours (Qt writes none).
QByteArray fourBitBmp(const QImage& indexed)
{
    const int stride = ((indexed.width() * 4 + 31) / 32) * 4;
    QByteArray rows;
    for (int y = indexed.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < indexed.width(); ++x)
            row[x / 2] = char(row[x / 2] | (indexed.pixelIndex(x, y) << ((x & 1) != 0 ? 0 : 4)));
        rows += row;
    }
    QByteArray info;
    for (const quint32 v : {40u, quint32(indexed.width()), quint32(indexed.height())})
        put(info, v, 4);
    put(info, 1, 2);
    put(info, 4, 2);
    for (const quint32 v : {0u, quint32(rows.size()), 2835u, 2835u, 16u, 0u})
        put(info, v, 4);
    for (int i = 0; i < 16; ++i)
        put(info, i < indexed.colorCount() ? indexed.color(i) & 0xFFFFFF : 0, 4);
    QByteArray file("BM");
    put(file, quint32(14 + info.size() + rows.size()), 4);
    put(file, 0, 4);
    put(file, quint32(14 + info.size()), 4);
    return file + info + rows;
}

struct Scene {
    QTemporaryDir dir;
    QString projectPath;
    Scene() { projectPath = dir.filePath(QStringLiteral("form.qlet")); }
    QString save(const QImage& image, const QString& name)
    {
        const QString path = dir.filePath(name);
        if (!image.save(path))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
};

FieldNode fieldOf(const ImageFieldOptions& o, const std::vector<BlockRect>& blocks)
{
    FieldNode field;
    field.text = composeImageField(QStringLiteral("1003"), o);
    for (const BlockRect& r : blocks)
        field.blocks.push_back(TreeNode{composeBlockText(r)});
    return field;
}

/// Draws the field on a page with a painter active on it, as the renderer does.
bool draw(QImage& page, const FieldNode& field, const QString& projectPath, ErrorList& errors,
          int dpi = 300, PageOrigin origin = {})
{
    QPainter painter(&page);
    PageCanvas canvas;
    canvas.painter = &painter;
    canvas.image = &page;
    canvas.dpi = dpi;
    canvas.mmPerPixel = MmPerPixel;
    canvas.origin = origin;
    return drawImageField(field, projectPath, canvas, errors);
}

ImageFieldOptions baseOptions(const QString& file)
{
    ImageFieldOptions o;
    o.fileName = file;
    o.backgroundColor = 0x00336699;
    o.transparentBackground = false;
    o.copyMode = CopyMode::Copy;
    o.opacity = 255;
    return o;
}

} // namespace

Q_DECLARE_METATYPE(Quillet::BlockRect)

class ImageFieldTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void combinesWithPage_data();
    void combinesWithPage();
    void placesPicture_data();
    void placesPicture();
    void scalesToResolution_data();
    void scalesToResolution();
    void lowDepthPicturesKeepColours_data();
    void lowDepthPicturesKeepColours();
    void documentedSizes();
    void keyedModesKeepPage();
    void everyBlockSeesSamePicture();
    void missingPictureEndsRender_data();
    void missingPictureEndsRender();
    void changedPictureIsReadAgain_data();
    void changedPictureIsReadAgain();
    void relativeToWorkingFolder();
    void windowsFolderSeparators();
    void printerGetsCompositeOnWhite();
    void pageOriginShifts();
    void degenerateBlocksDrawNothing_data();
    void degenerateBlocksDrawNothing();
    void absurdSizesAreRefused_data();
    void absurdSizesAreRefused();
};

void ImageFieldTest::combinesWithPage_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("transparency");
    QTest::addColumn<bool>("transparentBackground");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<int>("pickX");
    QTest::addColumn<int>("pickY");
    for (int mode = 0; mode < 4; ++mode)
        for (int transparency = 0; transparency < 3; ++transparency)
            for (bool flag : {false, true})
                for (int opacity : {0, 1, 128, 254, 255})
                    QTest::addRow("mode %d, transparency %d, flag %d, opacity %d", mode,
                                  transparency, int(flag), opacity)
                        << mode << transparency << flag << opacity << 0 << 10;
    // The pick point counts from the bottom row; outside the picture there is no key.
    for (int mode = 0; mode < 4; ++mode) {
        QTest::addRow("mode %d, pick at the bottom", mode) << mode << 1 << true << 255 << 8 << 0;
        QTest::addRow("mode %d, pick beyond the width", mode)
            << mode << 1 << false << 255 << 9 << 0;
        QTest::addRow("mode %d, pick beyond the height", mode)
            << mode << 1 << true << 255 << 0 << 11;
        QTest::addRow("mode %d, pick far away", mode) << mode << 1 << false << 200 << 9999 << 9999;
    }
}

void ImageFieldTest::combinesWithPage()
{
    QFETCH(int, mode);
    QFETCH(int, transparency);
    QFETCH(bool, transparentBackground);
    QFETCH(int, opacity);
    QFETCH(int, pickX);
    QFETCH(int, pickY);
    Scene scene;
    const QImage picture = keyedPicture(9, 11);
    scene.save(picture, QStringLiteral("stamp.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("stamp.png"));
    o.copyMode = CopyMode(mode);
    o.transparency = TransparencyMode(transparency);
    o.transparentBackground = transparentBackground;
    o.opacity = opacity;
    o.pickX = pickX; // (0, 10): the top left key patch
    o.pickY = pickY;
    o.transparentColor = qint32(qRed(Key) | qGreen(Key) << 8 | qBlue(Key) << 16);
    const std::vector<BlockRect> blocks{{5, 4, 20, 20}, {30, 25, 31, 26}};
    QImage page = noise(48, 40, 5);
    const QImage expected = expectedPage(page, picture, o, blocks, 300);
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, blocks), scene.projectPath, errors));
    QVERIFY(errors.lines.isEmpty());
    const QString difference = firstDifference(page, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ImageFieldTest::placesPicture_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QSize>("picture");
    for (int bits = 0; bits < 16; ++bits) {
        const bool stretch = bits & 1, cut = bits & 2, keep = bits & 4, center = bits & 8;
        QTest::addRow("stretch %d cut %d keep %d centre %d, larger picture", stretch, cut, keep,
                      center)
            << stretch << cut << keep << center << QSize(37, 23);
        QTest::addRow("stretch %d cut %d keep %d centre %d, smaller picture", stretch, cut, keep,
                      center)
            << stretch << cut << keep << center << QSize(7, 9);
        QTest::addRow("stretch %d cut %d keep %d centre %d, tall picture", stretch, cut, keep,
                      center)
            << stretch << cut << keep << center << QSize(6, 41);
    }
}

void ImageFieldTest::placesPicture()
{
    QFETCH(bool, stretch);
    QFETCH(bool, cut);
    QFETCH(bool, keep);
    QFETCH(bool, center);
    QFETCH(QSize, picture);
    Scene scene;
    const QImage image = noise(picture.width(), picture.height(), 31);
    scene.save(image, QStringLiteral("p.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("p.png"));
    o.stretch = stretch;
    o.cut = cut;
    o.keepProportions = keep;
    o.center = center;
    o.opacity = 128; // shows both the picture and the page under it
    // Blocks of odd and even sizes, one reaching over the page's edge.
    const std::vector<BlockRect> blocks{{3, 2, 22, 16}, {26, 20, 38, 27}, {50, 40, 70, 60}};
    QImage page = noise(64, 48, 8);
    const QImage expected = expectedPage(page, image, o, blocks, 300);
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, blocks), scene.projectPath, errors));
    const QString difference = firstDifference(page, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ImageFieldTest::scalesToResolution_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("stretch");
    QTest::newRow("600 dpi") << 600 << false;
    QTest::newRow("150 dpi") << 150 << false;
    QTest::newRow("203 dpi") << 203 << false;
    QTest::newRow("720 dpi, stretched") << 720 << true;
    QTest::newRow("10 dpi: nothing left") << 10 << false;
}

void ImageFieldTest::scalesToResolution()
{
    QFETCH(int, dpi);
    QFETCH(bool, stretch);
    Scene scene;
    const QImage image = noise(13, 10, 4);
    scene.save(image, QStringLiteral("p.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("p.png"));
    o.stretch = stretch;
    const std::vector<BlockRect> blocks{{2, 3, 12, 15}};
    QImage page = noise(60, 50, 9);
    const QImage expected = expectedPage(page, image, o, blocks, dpi);
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, blocks), scene.projectPath, errors, dpi));
    const QString difference = firstDifference(page, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ImageFieldTest::lowDepthPicturesKeepColours_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("dpi");
    QTest::newRow("1 bit") << 1 << 300;
    QTest::newRow("1 bit at 600 dpi") << 1 << 600;
    QTest::newRow("4 bits") << 4 << 300;
    QTest::newRow("8 bits") << 8 << 300;
}

void ImageFieldTest::lowDepthPicturesKeepColours()
{
    // A scanned signature: two colours, neither black nor white. It must show them, not
    // the black box that nearest-neighbour scaling from 1 or 4 bits would leave.
    QFETCH(int, bits);
    QFETCH(int, dpi);
    Scene scene;
    const QList<QRgb> colours{qRgb(20, 40, 180), qRgb(250, 240, 200), qRgb(0, 160, 0),
                              qRgb(90, 10, 10),  qRgb(7, 8, 9),       qRgb(200, 100, 50)};
    const int used = bits == 1 ? 2 : colours.size();
    QImage indexed(10, 6, bits == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    indexed.setColorTable(bits == 1   ? colours.mid(0, 2)
                          : bits == 4 ? colours
                                      : [&] {
                                            QList<QRgb> many = colours;
                                            while (many.size() < 40)
                                                many.append(qRgb(many.size(), 3, 5));
                                            return many;
                                        }());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            indexed.setPixel(x, y, uint((x + 2 * y) % used));
    QString path = scene.dir.filePath(QStringLiteral("sig.bmp"));
    if (bits == 4) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fourBitBmp(indexed));
    } else {
        QVERIFY(indexed.save(path));
    }
    TFastDIB loaded;
    QVERIFY(LoadPictureFile(path, loaded));
    QCOMPARE(loaded.bitsPerPixel(), bits); // the case really comes in at this depth
    ImageFieldOptions o = baseOptions(QStringLiteral("sig.bmp"));
    const std::vector<BlockRect> blocks{{4, 4, 30, 20}};
    QImage page(40, 30, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QImage expected =
        expectedPage(page, indexed.convertToFormat(QImage::Format_RGB32), o, blocks, dpi);
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, blocks), scene.projectPath, errors, dpi));
    const QString difference = firstDifference(page, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(page.pixel(4, 4), qRgb(20, 40, 180)); // colour 0, darker than the white page
}

void ImageFieldTest::documentedSizes()
{
    Scene scene;
    QImage wide(600, 300, QImage::Format_RGB32);
    wide.fill(qRgb(0, 0, 0));
    scene.save(wide, QStringLiteral("wide.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("wide.png"));
    o.stretch = true;
    o.keepProportions = true;
    o.opacity = 255;
    const auto blackRegion = [](const QImage& page) {
        QRect box;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) == qRgb(0, 0, 0))
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    ErrorList errors;
    // 600 × 300 into a 300 × 300 block: k = 2, drawn 300 × 150 at the top left corner…
    QImage page(420, 420, QImage::Format_RGB32);
    page.fill(Qt::white);
    QVERIFY(draw(page, fieldOf(o, {{10, 10, 309, 309}}), scene.projectPath, errors));
    QCOMPARE(blackRegion(page), QRect(10, 10, 300, 150));
    // …or centred vertically.
    o.center = true;
    page.fill(Qt::white);
    QVERIFY(draw(page, fieldOf(o, {{10, 10, 309, 309}}), scene.projectPath, errors));
    QCOMPARE(blackRegion(page), QRect(9, 84, 300, 150)); // (10 + 309 − 300) div 2 = 9
    // Stretch without proportions: one pixel narrower and lower than the block.
    o.center = false;
    o.keepProportions = false;
    page.fill(Qt::white);
    QVERIFY(draw(page, fieldOf(o, {{100, 100, 199, 149}}), scene.projectPath, errors));
    QCOMPARE(blackRegion(page), QRect(100, 100, 99, 49));
    // Cut and centred: the middle of a 400 × 400 picture fills a 100 × 100 block; with
    // centre off, its top left corner. Over white paper at full opacity the blend gives
    // every channel back as it is (it is never above the paper's 255).
    const QImage square = noise(400, 400, 2);
    scene.save(square, QStringLiteral("square.png"));
    o = baseOptions(QStringLiteral("square.png"));
    o.cut = true;
    for (const bool centre : {true, false}) {
        o.center = centre;
        page.fill(Qt::white);
        QVERIFY(draw(page, fieldOf(o, {{10, 10, 109, 109}}), scene.projectPath, errors));
        const int from = centre ? 150 : 0;
        const int at = centre ? 9 : 10; // centred: (10 + 109 − 100) div 2
        for (const QPoint p : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 99), QPoint(57, 31)}) {
            const QRgb want = square.pixel(from + p.x(), from + p.y());
            const QRgb got = page.pixel(at + p.x(), at + p.y());
            QCOMPARE(got, want);
        }
        QCOMPARE(page.pixel(at + 100, at + 100), qRgb(255, 255, 255));
        QCOMPARE(page.pixel(at - 1, at), qRgb(255, 255, 255));
    }
    QVERIFY(errors.lines.isEmpty());
}

void ImageFieldTest::keyedModesKeepPage()
{
    // Multiply with a key and a transparent background: key pixels leave the page at
    // v × 255 div 256; the sum leaves them exactly as they were.
    Scene scene;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Key);
    picture.setPixel(0, 0, qRgb(100, 100, 100));
    scene.save(picture, QStringLiteral("k.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("k.png"));
    o.transparency = TransparencyMode::ChosenColor;
    o.transparentColor = qint32(qRed(Key) | qGreen(Key) << 8 | qBlue(Key) << 16);
    o.transparentBackground = true;
    o.copyMode = CopyMode::Multiply;
    QImage page(10, 10, QImage::Format_RGB32);
    page.fill(qRgb(200, 201, 3));
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, {{0, 0, 5, 5}}), scene.projectPath, errors));
    // 200 × 255 >> 8 = 199, then the blend at 255 over the page: 200 + (255 × −1 >> 8);
    // likewise 201 → 200 and 3 → 2.
    QCOMPARE(page.pixel(2, 2), qRgb(199, 200, 2));
    o.copyMode = CopyMode::AddClamped;
    page.fill(qRgb(200, 201, 3));
    QVERIFY(draw(page, fieldOf(o, {{0, 0, 5, 5}}), scene.projectPath, errors));
    QCOMPARE(page.pixel(2, 2), qRgb(200, 201, 3));
    QVERIFY(page.pixel(0, 0) != qRgb(200, 201, 3));
}

void ImageFieldTest::everyBlockSeesSamePicture()
{
    // The picture is shared between blocks: one block's composite must not change what
    // the next block gets.
    Scene scene;
    const QImage picture = noise(6, 5, 12);
    scene.save(picture, QStringLiteral("p.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("p.png"));
    o.opacity = 100;
    const std::vector<BlockRect> blocks{{0, 0, 9, 9}, {20, 0, 29, 9}, {0, 0, 9, 9}};
    QImage page = noise(32, 12, 6);
    const QImage expected = expectedPage(page, picture, o, blocks, 300);
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, blocks), scene.projectPath, errors));
    const QString difference = firstDifference(page, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ImageFieldTest::missingPictureEndsRender_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written under the name unless empty
    QTest::newRow("missing") << QStringLiteral("none.png") << QByteArray();
    QTest::newRow("not a picture") << QStringLiteral("bad.png") << QByteArray("garbage");
    QTest::newRow("truncated jpeg")
        << QStringLiteral("cut.jpg") << QByteArray("\xFF\xD8\xFF\xE0", 4);
    QTest::newRow("in a subfolder") << QStringLiteral("sub/none.png") << QByteArray();
}

void ImageFieldTest::missingPictureEndsRender()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    Scene scene;
    if (!content.isEmpty()) {
        QFile file(scene.dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QImage page(20, 20, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QImage before = page;
    ErrorList errors;
    QVERIFY(!draw(page, fieldOf(baseOptions(name), {{0, 0, 5, 5}}), scene.projectPath, errors));
    QCOMPARE(errors.lines, QStringList{QStringLiteral("не могу открыть изображение: ")
                                       + scene.dir.path() + QLatin1Char('/') + name});
    QCOMPARE(page, before);
}

void ImageFieldTest::changedPictureIsReadAgain_data()
{
    QTest::addColumn<int>("side");    // of the second picture; 0: the file is removed
    QTest::addColumn<int>("laterBy"); // seconds the second file's time is moved on
    QTest::newRow("another size") << 5 << 0;
    QTest::newRow("same size, later") << 4 << 2;
    QTest::newRow("removed") << 0 << 0;
}

void ImageFieldTest::changedPictureIsReadAgain()
{
    QFETCH(int, side);
    QFETCH(int, laterBy);
    Scene scene;
    const QString path = scene.save(noise(4, 4, 1), QStringLiteral("stamp.png"));
    const ImageFieldOptions o = baseOptions(QStringLiteral("stamp.png"));
    const std::vector<BlockRect> blocks{{1, 1, 9, 9}};
    ErrorList errors;
    QImage first = noise(12, 12, 9);
    QVERIFY(draw(first, fieldOf(o, blocks), scene.projectPath, errors));
    QFile::remove(path);
    QImage page = noise(12, 12, 9);
    const QImage before = page;
    if (side == 0) {
        QVERIFY(!draw(page, fieldOf(o, blocks), scene.projectPath, errors));
        QCOMPARE(page, before);
        return;
    }
    const QImage second = noise(side, side, 2);
    scene.save(second, QStringLiteral("stamp.png"));
    if (laterBy > 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QFileInfo(path).lastModified().addSecs(laterBy),
                                 QFileDevice::FileModificationTime));
    }
    QVERIFY(draw(page, fieldOf(o, blocks), scene.projectPath, errors));
    const QString difference = firstDifference(page, expectedPage(before, second, o, blocks, 300));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ImageFieldTest::relativeToWorkingFolder()
{
    Scene scene;
    scene.save(noise(3, 3, 1), QStringLiteral("here.png"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(scene.dir.path());
    QImage page(8, 8, QImage::Format_RGB32);
    page.fill(Qt::white);
    ErrorList errors;
    const bool found = draw(page, fieldOf(baseOptions(QStringLiteral("here.png")), {{1, 1, 5, 5}}),
                            QString(), errors);
    const bool missing = draw(
        page, fieldOf(baseOptions(QStringLiteral("gone.png")), {{1, 1, 5, 5}}), QString(), errors);
    QDir::setCurrent(previous);
    QVERIFY(found);
    QVERIFY(!missing);
    QCOMPARE(errors.lines, QStringList{QStringLiteral("не могу открыть изображение: gone.png")});
    QVERIFY(page.pixel(2, 2) != qRgb(255, 255, 255));
}

void ImageFieldTest::windowsFolderSeparators()
{
    // "img\sig.png" from a project made on Windows finds img/sig.png; a file whose name
    // really holds the backslash comes first; the error names the path as written.
    Scene scene;
    QVERIFY(QDir(scene.dir.path()).mkdir(QStringLiteral("img")));
    scene.save(noise(3, 3, 1), QStringLiteral("img/sig.png"));
    QImage red(3, 3, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    QImage page(8, 8, QImage::Format_RGB32);
    page.fill(Qt::white);
    ErrorList errors;
    const QString name = QStringLiteral("img\\sig.png");
    QVERIFY(draw(page, fieldOf(baseOptions(name), {{1, 1, 5, 5}}), scene.projectPath, errors));
    QCOMPARE(page.pixel(1, 1), noise(3, 3, 1).pixel(0, 0));
    scene.save(red, name);
    page.fill(Qt::white);
    QVERIFY(draw(page, fieldOf(baseOptions(name), {{1, 1, 5, 5}}), scene.projectPath, errors));
    QCOMPARE(page.pixel(1, 1), qRgb(255, 0, 0));
    const QString missing = QStringLiteral("img\\none.png");
    QVERIFY(!draw(page, fieldOf(baseOptions(missing), {{1, 1, 5, 5}}), scene.projectPath, errors));
    QCOMPARE(errors.lines, QStringList{QStringLiteral("не могу открыть изображение: ")
                                       + scene.dir.path() + QLatin1Char('/') + missing});
}

void ImageFieldTest::printerGetsCompositeOnWhite()
{
    // Without page pixels the picture is combined with white paper and drawn by the
    // painter.
    Scene scene;
    const QImage picture = keyedPicture(9, 7);
    scene.save(picture, QStringLiteral("p.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("p.png"));
    o.copyMode = CopyMode::Difference;
    o.transparency = TransparencyMode::ChosenColor;
    o.transparentColor = qint32(qRed(Key) | qGreen(Key) << 8 | qBlue(Key) << 16);
    o.opacity = 190;
    QImage white(30, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage expected = expectedPage(white, picture, o, {{3, 4, 20, 15}}, 300);
    QImage sheet = white;
    {
        QPainter painter(&sheet);
        PageCanvas canvas;
        canvas.painter = &painter;
        canvas.image = nullptr;
        ErrorList errors;
        QVERIFY(drawImageField(fieldOf(o, {{3, 4, 20, 15}}), scene.projectPath, canvas, errors));
    }
    const QString difference = firstDifference(sheet, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ImageFieldTest::pageOriginShifts()
{
    Scene scene;
    const QImage picture = noise(5, 4, 3);
    scene.save(picture, QStringLiteral("p.png"));
    const ImageFieldOptions o = baseOptions(QStringLiteral("p.png"));
    QImage page = noise(20, 20, 1);
    const QImage expected = expectedPage(page, picture, o, {{4, 1, 14, 9}}, 300);
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, {{10, 8, 20, 16}}), scene.projectPath, errors, 300,
                 PageOrigin{6, 7}));
    const QString difference = firstDifference(page, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ImageFieldTest::degenerateBlocksDrawNothing_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<BlockRect>("block");
    QTest::newRow("stretched into one pixel") << true << false << BlockRect{5, 5, 5, 5};
    QTest::newRow("stretched, inverted block") << true << false << BlockRect{9, 9, 2, 2};
    QTest::newRow("in proportion, inverted block") << true << true << BlockRect{9, 9, 2, 2};
    QTest::newRow("cut, inverted block") << false << false << BlockRect{9, 9, 2, 2};
}

void ImageFieldTest::degenerateBlocksDrawNothing()
{
    QFETCH(bool, stretch);
    QFETCH(bool, keep);
    QFETCH(BlockRect, block);
    Scene scene;
    scene.save(noise(5, 5, 1), QStringLiteral("p.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("p.png"));
    o.stretch = stretch;
    o.keepProportions = keep;
    o.cut = !stretch;
    // The block text cannot hold an inverted rectangle's order by itself, so it is made
    // through the origin-free text of its edges.
    FieldNode field;
    field.text = composeImageField(QStringLiteral("1000"), o);
    field.blocks.push_back(
        TreeNode{composeBlockText(block.Left * MmPerPixel, block.Top * MmPerPixel,
                                  block.Right * MmPerPixel, block.Bottom * MmPerPixel)});
    QImage page(12, 12, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QImage before = page;
    ErrorList errors;
    QVERIFY(draw(page, field, scene.projectPath, errors));
    QCOMPARE(page, before);
    QVERIFY(errors.lines.isEmpty());
}

void ImageFieldTest::absurdSizesAreRefused_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<BlockRect>("block");
    QTest::addColumn<int>("drawnBlocks"); // of this block and a normal one after it
    QTest::newRow("resolution of 300000 dpi") << 300000 << false << BlockRect{1, 1, 5, 5} << 0;
    QTest::newRow("stretched over 9999 mm") << 300 << true << BlockRect{0, 0, 118109, 118109} << 1;
}

void ImageFieldTest::absurdSizesAreRefused()
{
    // A picture that would need gigabytes is not drawn: one error line, no crash; the
    // field's other blocks are still drawn.
    QFETCH(int, dpi);
    QFETCH(bool, stretch);
    QFETCH(BlockRect, block);
    QFETCH(int, drawnBlocks);
    Scene scene;
    scene.save(noise(100, 100, 1), QStringLiteral("p.png"));
    ImageFieldOptions o = baseOptions(QStringLiteral("p.png"));
    o.stretch = stretch;
    QImage page(20, 20, QImage::Format_RGB32);
    page.fill(Qt::white);
    ErrorList errors;
    QVERIFY(draw(page, fieldOf(o, {block, {10, 10, 15, 15}}), scene.projectPath, errors, dpi));
    QCOMPARE(errors.lines, QStringList{QStringLiteral("изображение слишком велико: ")
                                       + scene.dir.filePath(QStringLiteral("p.png"))});
    QCOMPARE(page.pixel(12, 12) != qRgb(255, 255, 255), drawnBlocks == 1);
}

QTEST_MAIN(ImageFieldTest)
#include "ImageFieldTest.moc"
