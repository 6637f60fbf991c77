// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/render/PageRenderer.h"
#include "core/render/TextLayout.h"

#include "support/RenderSupport.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

using namespace Quillet;
using QuilletTest::inkBox;

namespace {

struct Collect : RenderErrorSink {
    QStringList logged;   // LogRenderError
    QStringList appended; // lines that do not open the panel
    void LogRenderError(const QString& line) override { logged << line; }
    void appendErrorLine(const QString& line) override { appended << line; }
};

struct DrawnLine {
    int block; // index of the block drawn into
    QString text;
    int h, v;
    int pixelSize;
    bool operator==(const DrawnLine&) const = default;
};

// A page with a text canvas that records every line it draws. The page is `extent`
// layout pixels drawn at `dpi` with `origin` taken off, as on a printer's sheet.
struct Fixture {
    QImage image;
    QPainter painter;
    Collect errors;
    TextCanvas canvas;
    std::vector<DrawnLine> lines;
    TMatrix record;

    Fixture(int blocks, int blockWidth, int fontSize = 10, int dpi = 300, PageOrigin origin = {},
            QSize extent = {1200, 1200})
        : image(extent * (dpi / 300.0), QImage::Format_RGB32),
          painter((image.fill(Qt::white), &image)),
          canvas(PageCanvas{&painter, &image, dpi, mmPerPixelAt(dpi), origin}, 3, errors)
    {
        for (int i = 0; i < blocks; ++i)
            record.Blocks.push_back(BlockRect{10, 10 + 60 * i, 10 + blockWidth, 60 + 60 * i});
        record.BlockCount = blocks;
        record.Options.fontName = QStringLiteral("Arial");
        record.Options.fontSize = fontSize;
        record.Options.transparentBackground = true;
        record.Options.alignFirst = 0;
        record.Options.alignMain = 4;
        record.Options.alignLast = 8;
        canvas.setLineObserver([this](const BlockRect& r, const QString& t, int h, int v, int px) {
            int index = -1;
            for (size_t i = 0; i < record.Blocks.size(); ++i) {
                if (record.Blocks[i] == r)
                    index = int(i);
            }
            lines.push_back(DrawnLine{index, t, h, v, px});
        });
    }

    int draw(const QString& value, int count = -1)
    {
        record.Options.fieldText = value;
        const int need = PrepareWords(record, canvas);
        DistributeText(record, count < 0 ? record.BlockCount : count, canvas);
        return need;
    }

    // Width of a text in the field's font at its own size.
    int width(const QString& text, int points)
    {
        canvas.setFont(QStringLiteral("Arial"), points, false, false, false, 0);
        return canvas.textWidth(text);
    }
};

} // namespace

class TextLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fontsResolveToMetricCompatibleFaces();
    void wordSplitting_data();
    void wordSplitting();
    void emptyValueFillsBackgroundOnly();
    void wrapsWordsOverBlocksWithAlignments();
    void shrinksToLargestFittingSize();
    void tooFewBlocksIsReportedButStillDrawn();
    void overWideWordIsSqueezedAndReported();
    void nothingFitsAtAnySize();
    void maxBlocksTopDownAndBottomUp_data();
    void maxBlocksTopDownAndBottomUp();
    void bottomUpPlacesLinesAtTheEnd();
    void zeroWidthBlocksDoNotHang();
    void squeezedLineHasBlockWidth();
    void autoReplaceMatchesWholeValueIgnoringCase();
    void layoutIsTheSameAtEveryResolution_data();
    void layoutIsTheSameAtEveryResolution();
};

void TextLayoutTest::fontsResolveToMetricCompatibleFaces()
{
    // Documents naming the usual Windows faces get faces with the same metrics.
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(),
             QStringLiteral("Liberation Serif"));
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Courier New"))).family(),
             QStringLiteral("Liberation Mono"));
    QCOMPARE(fontPixelSize(10, 300), 42); // 41.67
    QCOMPARE(fontPixelSize(9, 300), 38);  // 37.5 rounds up
    QCOMPARE(fontPixelSize(12, 600), 100);
}

void TextLayoutTest::wordSplitting_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("empty") << "" << QStringList{""};
    QTest::newRow("two spaces") << "A  B" << QStringList{"A", "", "B"};
    QTest::newRow("tab and CR") << "A\tB\rC" << QStringList{"A", "B", "C"};
    QTest::newRow("CR LF") << "A\r\nB" << QStringList{"A", "\nB"};
    QTest::newRow("trailing space") << "A " << QStringList{"A", ""};
}

void TextLayoutTest::wordSplitting()
{
    QFETCH(QString, value);
    QFETCH(QStringList, words);
    Fixture f(1, 1000);
    f.record.Options.fieldText = value;
    PrepareWords(f.record, f.canvas);
    QCOMPARE(f.record.Words, words);
}

void TextLayoutTest::emptyValueFillsBackgroundOnly()
{
    Fixture f(2, 300);
    f.record.Options.transparentBackground = false;
    f.record.Options.backgroundColor = 0x0000FF; // red in $00BBGGRR
    QCOMPARE(f.draw(QString()), 1);
    QCOMPARE(f.lines.size(), size_t(1));
    QCOMPARE(f.lines[0].text, QString());
    // Both blocks of the run are filled; fills stop before Right and Bottom.
    QCOMPARE(f.image.pixel(10, 10), qRgb(255, 0, 0));
    QCOMPARE(f.image.pixel(309, 119), qRgb(255, 0, 0));
    QCOMPARE(f.image.pixel(310, 70), qRgb(255, 255, 255));
    QCOMPARE(f.image.pixel(100, 60), qRgb(255, 255, 255)); // between the blocks
    QVERIFY(f.errors.logged.isEmpty());
}

void TextLayoutTest::wrapsWordsOverBlocksWithAlignments()
{
    Fixture f(3, 0);
    const int w = f.width(QStringLiteral("Иванов Иван"), 10);
    for (BlockRect& b : f.record.Blocks)
        b.Right = b.Left + w + 1; // room for two words, not three
    QCOMPARE(f.draw(QStringLiteral("Иванов Иван Иванович Петров Пётр")), 3);
    QCOMPARE(f.lines.size(), size_t(3));
    QCOMPARE(f.lines[0].text, QStringLiteral("Иванов Иван"));
    QCOMPARE(f.lines[0].block, 0);
    QCOMPARE(f.lines[0].h, 0); // first block: code 0
    QCOMPARE(f.lines[1].block, 1);
    QCOMPARE(f.lines[1].h * 10 + f.lines[1].v, 11); // main blocks: code 4
    QCOMPARE(f.lines[2].block, 2);
    QCOMPARE(f.lines[2].h * 10 + f.lines[2].v, 22); // last block: code 8
    QCOMPARE(f.lines[0].pixelSize, 42);
    QVERIFY(f.errors.logged.isEmpty());
    // A double space keeps both spaces when the line fits.
    Fixture g(1, 1000);
    g.draw(QStringLiteral("A  B"));
    QCOMPARE(g.lines[0].text, QStringLiteral("A  B"));
}

void TextLayoutTest::shrinksToLargestFittingSize()
{
    // Four blocks, a text that needs five lines at 12 pt: drawn at the largest size at
    // which four lines do.
    const QString text = QStringLiteral("раз два три четыре пять шесть семь восемь девять десять");
    Fixture probe(1, 1);
    const int blockWidth = probe.width(QStringLiteral("раз два"), 12) + 1;
    Fixture f(4, blockWidth, 12);
    f.draw(text);
    QVERIFY(!f.lines.empty());
    const int size = f.lines.front().pixelSize;
    QVERIFY(size < fontPixelSize(12, 300));
    QVERIFY(f.lines.size() <= 4);
    // One point larger would need more than four lines.
    int largerPoints = 12;
    while (fontPixelSize(largerPoints - 1, 300) > size)
        --largerPoints;
    Fixture larger(4, blockWidth, largerPoints);
    larger.record.Options.maxBlocks = 0;
    larger.record.Options.fieldText = text;
    PrepareWords(larger.record, larger.canvas);
    QVERIFY(!larger.errors.logged.isEmpty()); // needs more blocks at that size
    QCOMPARE(f.errors.logged.size(), 1);      // "Мало блоков" at 12 pt, then it fits
    QVERIFY(f.errors.logged[0].startsWith(QStringLiteral("3: 0   Мало блоков / раз два")));
}

void TextLayoutTest::tooFewBlocksIsReportedButStillDrawn()
{
    Fixture f(0, 100);
    QCOMPARE(f.draw(QStringLiteral("Иванов Иван")), 1);
    QCOMPARE(f.errors.logged, QStringList{QStringLiteral("3: 0   Мало блоков / Иванов Иван")});
    QVERIFY(f.lines.empty()); // no blocks: nothing drawn
}

void TextLayoutTest::overWideWordIsSqueezedAndReported()
{
    Fixture f(2, 60);
    f.draw(QStringLiteral("Длиннющеенеделимоеслово"));
    QCOMPARE(f.errors.logged.size(), 1);
    QVERIFY(f.errors.logged[0].contains(QStringLiteral("Мало блоков")));
    QVERIFY(f.errors.appended.size() >= 1);
    QCOMPARE(f.errors.appended[0], QStringLiteral("не влезло слово: Длиннющеенеделимоеслово"));
    QCOMPARE(f.lines.size(), size_t(1));
    QCOMPARE(f.lines[0].block, 0); // top-down: the first block of the run
    // Bottom-up puts it into the last block.
    Fixture g(2, 60);
    g.record.Options.bottomUp = true;
    g.draw(QStringLiteral("Длиннющеенеделимоеслово"));
    QCOMPARE(g.lines[0].block, 1);
}

void TextLayoutTest::nothingFitsAtAnySize()
{
    // Ten words, one block per word needed even at 1 pt, and one block.
    Fixture f(1, 2);
    f.record.Options.fontSize = 4;
    f.record.Options.transparentBackground = false;
    f.record.Options.backgroundColor = 0xFF0000; // blue
    f.draw(QStringLiteral("a b c d e f g h i j"));
    QVERIFY(f.errors.logged.contains(QStringLiteral("3 :  не влез: a b c d e f g h i j")));
    QVERIFY(f.lines.empty());
    QCOMPARE(f.image.pixel(10, 10), qRgb(0, 0, 255)); // only the background fill
}

void TextLayoutTest::maxBlocksTopDownAndBottomUp_data()
{
    QTest::addColumn<bool>("bottomUp");
    QTest::addColumn<QList<int>>("blocks");
    QTest::newRow("top-down uses the first two") << false << QList<int>{0, 1};
    QTest::newRow("bottom-up uses the last two") << true << QList<int>{1, 2};
}

void TextLayoutTest::maxBlocksTopDownAndBottomUp()
{
    QFETCH(bool, bottomUp);
    QFETCH(QList<int>, blocks);
    Fixture f(3, 0);
    const int w = f.width(QStringLiteral("один два"), 10);
    for (BlockRect& b : f.record.Blocks)
        b.Right = b.Left + w + 1;
    f.record.Options.maxBlocks = 2;
    f.record.Options.bottomUp = bottomUp;
    f.record.Options.transparentBackground = false;
    f.record.Options.backgroundColor = 0x00FF00;
    f.draw(QStringLiteral("один два три четыре"));
    QCOMPARE(f.lines.size(), size_t(2));
    QList<int> used;
    for (const DrawnLine& line : f.lines)
        used << line.block;
    std::sort(used.begin(), used.end());
    QCOMPARE(used, blocks);
    // All three blocks get the background colour all the same.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(f.image.pixel(12, 12 + 60 * i), qRgb(0, 255, 0));
}

void TextLayoutTest::bottomUpPlacesLinesAtTheEnd()
{
    // A two-line result in a run of four blocks: blocks 0 and 1 stay empty, the first
    // line goes to block 2 with the first-block code, the last to block 3 with the last.
    // The measured string is line + word even bottom-up: "44 " + "33".
    Fixture f(4, 0);
    const int w =
        std::max(f.width(QStringLiteral("11 22"), 10), f.width(QStringLiteral("44 33"), 10));
    for (BlockRect& b : f.record.Blocks)
        b.Right = b.Left + w + 1;
    f.record.Options.bottomUp = true;
    f.draw(QStringLiteral("11 22 33 44"));
    QCOMPARE(f.lines.size(), size_t(2));
    QCOMPARE(f.lines[0].text, QStringLiteral("33 44"));
    QCOMPARE(f.lines[0].block, 3);
    QCOMPARE(f.lines[0].h, 2);
    QCOMPARE(f.lines[1].text, QStringLiteral("11 22"));
    QCOMPARE(f.lines[1].block, 2);
    QCOMPARE(f.lines[1].h, 0);
    // A single line: the last block and the last-block code.
    Fixture g(3, 1000);
    g.record.Options.bottomUp = true;
    g.draw(QStringLiteral("один"));
    QCOMPARE(g.lines.size(), size_t(1));
    QCOMPARE(g.lines[0].block, 2);
    QCOMPARE(g.lines[0].v, 2);
}

void TextLayoutTest::zeroWidthBlocksDoNotHang()
{
    Fixture f(3, 0);
    f.draw(QString());
    f.draw(QStringLiteral("a  b"));
    Fixture g(2, -5);
    g.record.Options.bottomUp = true;
    g.draw(QStringLiteral("  "));
    QVERIFY(!f.errors.logged.isEmpty());
}

void TextLayoutTest::squeezedLineHasBlockWidth()
{
    Fixture f(1, 80);
    f.record.Options.textColor = 0; // black
    f.draw(QStringLiteral("ШШШШШШШШШШШШ"));
    // Ink stays inside the block's columns, and reaches close to both of its ends.
    int minX = 10000;
    int maxX = -1;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (qGray(f.image.pixel(x, y)) < 128) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    }
    QVERIFY(minX >= 10 && minX < 16);
    QVERIFY(maxX < 90 && maxX > 80);
}

void TextLayoutTest::autoReplaceMatchesWholeValueIgnoringCase()
{
    const ReplacePairs pairs{{QStringLiteral("ivanov"), QStringLiteral("Ivanov I.I.")},
                             {QStringLiteral("Иванов"), QStringLiteral("И.")},
                             {QStringLiteral("пусто"), QString()}};
    QCOMPARE(ApplyAutoReplace(pairs, QStringLiteral("IVANOV")), QStringLiteral("Ivanov I.I."));
    QCOMPARE(ApplyAutoReplace(pairs, QStringLiteral("Ivanov Petr")), QStringLiteral("Ivanov Petr"));
    QCOMPARE(ApplyAutoReplace(pairs, QStringLiteral("иВАНОВ")), QStringLiteral("И."));
    QCOMPARE(ApplyAutoReplace(pairs, QStringLiteral("ПУСТО")), QString());
    QCOMPARE(ApplyAutoReplace({}, QStringLiteral("x")), QStringLiteral("x"));
}

void TextLayoutTest::layoutIsTheSameAtEveryResolution_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("dpi");
    for (int points : {8, 9, 10, 14, 15}) {
        for (int dpi : {96, 150, 600, 1200})
            QTest::addRow("%d pt at %d dpi", points, dpi) << points << dpi;
    }
}

void TextLayoutTest::layoutIsTheSameAtEveryResolution()
{
    // A page drawn at any resolution, with a printer's origin taken off, is the 300-dpi
    // page scaled: the same lines in the same blocks at the same size, and each line's ink
    // where the scaled 300-dpi line has it. Font sizes round differently at each
    // resolution, so text measured at the target's would end its lines a percent apart.
    QFETCH(int, points);
    QFETCH(int, dpi);
    const double scale = dpi / 300.0;
    const PageOrigin origin{int(std::lround(37 * scale)) + 1, int(std::lround(23 * scale))};
    const auto drawPage = [points](Fixture& f) {
        // Three wide blocks for a value that has to wrap (and, at the larger sizes, to
        // shrink), one narrow block for a word squeezed into it.
        f.record.Blocks = {
            {40, 20, 940, 100}, {40, 110, 940, 190}, {40, 200, 940, 280}, {40, 290, 200, 370}};
        f.record.Options.fontSize = points;
        f.record.BlockCount = 3;
        f.draw(QStringLiteral("Съешь же ещё этих мягких французских булок, да выпей чаю: "
                              "широкая электрификация южных губерний"));
        f.record.StartBlock = 3;
        f.record.BlockCount = 4;
        f.draw(QStringLiteral("Электрификация"), 1);
    };
    Fixture reference(0, 0, points, 300, {}, QSize(1000, 400));
    drawPage(reference);
    Fixture target(0, 0, points, dpi, origin, QSize(1000, 400));
    drawPage(target);

    QVERIFY(reference.lines.size() >= 3);
    QVERIFY(reference.lines[0].pixelSize <= fontPixelSize(points, 300));
    QVERIFY(target.lines == reference.lines);
    // Edges of ink are found to a pixel at either resolution.
    const double tolerance = 1 + 1.5 / scale;
    for (const DrawnLine& line : reference.lines) {
        const BlockRect& b = reference.record.Blocks[size_t(line.block)];
        const QRect block(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
        const QRect expected = inkBox(reference.image, block);
        const QRect area(
            QPoint(int(b.Left * scale) - origin.x - 2, int(b.Top * scale) - origin.y - 2),
            QPoint(int(b.Right * scale) - origin.x + 2, int(b.Bottom * scale) - origin.y + 2));
        const QRect drawn = inkBox(target.image, area);
        QVERIFY(!expected.isEmpty() && !drawn.isEmpty());
        const auto back = [scale](int device, int offset) { return (device + offset) / scale; };
        const QRectF actual(
            QPointF(back(drawn.left(), origin.x), back(drawn.top(), origin.y)),
            QPointF(back(drawn.right() + 1, origin.x), back(drawn.bottom() + 1, origin.y)));
        const QRectF wanted = QRectF(expected);
        QVERIFY2(qAbs(actual.left() - wanted.left()) <= tolerance
                     && qAbs(actual.right() - wanted.right()) <= tolerance
                     && qAbs(actual.top() - wanted.top()) <= tolerance
                     && qAbs(actual.bottom() - wanted.bottom()) <= tolerance,
                 qPrintable(QStringLiteral("block at %1: ink %2,%3–%4,%5 at 300 dpi, "
                                           "%6,%7–%8,%9 scaled back")
                                .arg(b.Top)
                                .arg(wanted.left())
                                .arg(wanted.top())
                                .arg(wanted.right())
                                .arg(wanted.bottom())
                                .arg(actual.left(), 0, 'f', 1)
                                .arg(actual.top(), 0, 'f', 1)
                                .arg(actual.right(), 0, 'f', 1)
                                .arg(actual.bottom(), 0, 'f', 1)));
    }
}

QTEST_MAIN(TextLayoutTest)
#include "TextLayoutTest.moc"
