// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Comb fields drawn on real pages from a real workbook (comb.xlsx, made by make_comb.py):
// which character lands in which box, checked on the raster as well as through the
// renderer's report of what it drew.

#include "core/render/CombLayout.h"
#include "core/render/PageRenderer.h"
#include "core/render/TextLayout.h"
#include "core/workbook/WorkbookFile.h"

#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <QFont>
#include <QFontMetrics>
#include <QTest>

using namespace Quillet;
using QuilletTest::RenderedPage;

Q_DECLARE_METATYPE(std::vector<Quillet::BlockRect>)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

constexpr int kBoxWidth = 60;
constexpr int kBoxHeight = 80;
constexpr int kBoxStep = 72;   // a 12-pixel gap between boxes
constexpr int kLineStep = 110; // a 30-pixel gap between lines
constexpr int kInkSlack = 6;   // ink looked for this far around a box: half the gap

const Workbook& combWorkbook()
{
    static const OpenedWorkbook opened =
        openWorkbookFile(QuilletTest::dataPath(QStringLiteral("workbooks/comb.xlsx")),
                         WorkbookOptions{QLocale(QLocale::Russian, QLocale::Russia)});
    return *opened.workbook;
}

TOptTextField combOptions(const QString& text, int align, bool dash, const QString& skip)
{
    TOptTextField o;
    o.fieldText = text;
    o.alignFirst = o.alignMain = o.alignLast = uint8_t(alignmentCode(align, 1));
    o.transparentBackground = true;
    o.backgroundColor = 0xCCFFFF; // light yellow ($00BBGGRR)
    o.fontSize = 14;
    o.fontName = QStringLiteral("Arial");
    o.comb = true;
    o.dashEmpty = dash;
    o.skipChars = skip;
    return o;
}

// `lines` rows of `perLine` boxes, child order along each row, rows one below another.
std::vector<BlockRect> boxRows(int lines, int perLine)
{
    std::vector<BlockRect> boxes;
    for (int line = 0; line < lines; ++line) {
        for (int i = 0; i < perLine; ++i) {
            const int left = 50 + kBoxStep * i;
            const int top = 50 + kLineStep * line;
            boxes.push_back(BlockRect{left, top, left + kBoxWidth, top + kBoxHeight});
        }
    }
    return boxes;
}

// How far the middle of the ink lies from the middle of the box, in pixels (ink box
// pixels are whole columns and rows: their right edge is one past the last).
double offCentre(int inkFirst, int inkLast, int boxFirst, int boxEnd)
{
    return (inkFirst + inkLast + 1) / 2.0 - (boxFirst + boxEnd) / 2.0;
}

// Boxes of the given widths side by side, all as high as comb boxes.
std::vector<BlockRect> boxesOfWidths(const QList<int>& widths)
{
    std::vector<BlockRect> boxes;
    int left = 50;
    for (int w : widths) {
        boxes.push_back(BlockRect{left, 50, left + w, 50 + kBoxHeight});
        left += std::max(w, 0) + 12;
    }
    return boxes;
}

int widestAdvance(const QStringList& texts, int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& t : texts)
        widest = std::max(widest, metrics.horizontalAdvance(t));
    return widest;
}

} // namespace

class CombLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void combFieldsOnThePage_data();
    void combFieldsOnThePage();
    void sameBoxesAtEveryResolution_data();
    void sameBoxesAtEveryResolution();
    void fontSizeFitsTheNarrowestBox_data();
    void fontSizeFitsTheNarrowestBox();
    void charactersAsUsersSeeThem_data();
    void charactersAsUsersSeeThem();
    void linesOfBoxes_data();
    void linesOfBoxes();
};

void CombLayoutTest::combFieldsOnThePage_data()
{
    QTest::addColumn<QString>("reference"); // the comb field's text
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("perLine");
    QTest::addColumn<int>("align"); // horizontal: 0 left, 1 centre, 2 right
    QTest::addColumn<bool>("dash");
    QTest::addColumn<QString>("skip");
    QTest::addColumn<bool>("opaque");
    QTest::addColumn<int>("maxBlocks"); // lines per element at most, 0 for no limit
    // An ordinary field related to the comb field, one block beside each line; empty
    // for none.
    QTest::addColumn<QString>("neighbour");
    QTest::addColumn<QStringList>("boxes");           // per box: its character, "-" or nothing
    QTest::addColumn<QStringList>("neighbourBlocks"); // per block: the texts drawn
    QTest::addColumn<QStringList>("errors");

    const auto chars = [](const QString& s) {
        QStringList list;
        for (QChar c : s)
            list << (c == u'_' ? QString() : QString(c));
        return list;
    };
    QTest::newRow("10-digit tax number, dashes after it")
        << "=A2" << 1 << 12 << 0 << true << "" << false << 0 << "" << chars("7707083893--")
        << QStringList{} << QStringList{};
    QTest::newRow("10-digit tax number centred, the odd box left over on the right")
        << "=A2" << 1 << 13 << 1 << false << "" << false << 0 << "" << chars("_7707083893__")
        << QStringList{} << QStringList{};
    QTest::newRow("12-digit tax number fills every box")
        << "=A3" << 1 << 12 << 2 << true << "" << false << 0 << "" << chars("500100732259")
        << QStringList{} << QStringList{};
    QTest::newRow("date between pre-printed dots")
        << "=B2" << 1 << 8 << 0 << true << "." << false << 0 << "" << chars("15012024")
        << QStringList{} << QStringList{};
    QTest::newRow("sum at the right end, dashes before it")
        << "=C2" << 1 << 10 << 2 << true << "," << false << 0 << "" << chars("----123450")
        << QStringList{} << QStringList{};
    QTest::newRow("too long: the first characters and one line")
        << "=A4" << 1 << 12 << 0 << true << "" << false << 0 << "" << chars("770708389312")
        << QStringList{}
        << QStringList{
               QStringLiteral("1: поле 0000: не поместились знаки «89» (знаков 14, клеток 12)")};
    QTest::newRow("fixed text on a background, a space takes a box")
        << "АБ В" << 1 << 6 << 0 << true << "" << true << 0 << "" << chars("АБ_В--")
        << QStringList{} << QStringList{};
    QTest::newRow("relation group: a line per element beside a block per element")
        << "=D2:D4" << 3 << 10 << 0 << true << "" << false << 0 << "=E2:E4"
        << chars("ИВАНОВ----ПЕТРОВА---СИДОРЕНКО-") << QStringList{"кассир", "бухгалтер", "директор"}
        << QStringList{};
    QTest::newRow("relation group: a long element takes two lines, the other field follows")
        << "=D6:D8" << 4 << 10 << 0 << true << "" << false << 0 << "=E6:E8"
        << chars("ЛИ--------КОНСТАНТИНОПОЛЬСКИЙ-ОРЛОВ-----")
        << QStringList{"один", "два", "", "три"} << QStringList{};
    QTest::newRow("relation group: a limit of one line cuts a long element")
        << "=D6:D8" << 3 << 10 << 0 << true << "" << false << 1 << "=E6:E8"
        << chars("ЛИ--------КОНСТАНТИНОРЛОВ-----") << QStringList{"один", "два", "три"}
        << QStringList{QStringLiteral(
               "1: поле 0000: не поместились знаки «ОПОЛЬСКИЙ» (знаков 19, клеток 10)")};
}

void CombLayoutTest::combFieldsOnThePage()
{
    QFETCH(QString, reference);
    QFETCH(int, lines);
    QFETCH(int, perLine);
    QFETCH(int, align);
    QFETCH(bool, dash);
    QFETCH(QString, skip);
    QFETCH(bool, opaque);
    QFETCH(int, maxBlocks);
    QFETCH(QString, neighbour);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, neighbourBlocks);
    QFETCH(QStringList, errors);

    RenderedPage page(1600, 600, &combWorkbook(), QStringLiteral("Клетки"));
    page.project.settings.Direct = 0; // a column range is the elements of one page
    TOptTextField options = combOptions(reference, align, dash, skip);
    options.transparentBackground = !opaque;
    options.maxBlocks = uint8_t(maxBlocks);
    const std::vector<BlockRect> combBoxes = boxRows(lines, perLine);
    page.addTextField(options, combBoxes);
    std::vector<BlockRect> besides;
    if (!neighbour.isEmpty()) {
        TOptTextField o = combOptions(neighbour, 0, false, QString());
        o.comb = false;
        o.dashEmpty = false;
        for (int line = 0; line < lines; ++line)
            besides.push_back(
                BlockRect{1000, 50 + kLineStep * line, 1500, 50 + kLineStep * line + kBoxHeight});
        page.addTextField(o, besides);
        page.project.RelateList.push_back(RelationItem{QStringLiteral("0-1"), false});
    }
    page.render(1);

    QCOMPARE(page.errors.lines, errors);
    QCOMPARE(int(combBoxes.size()), int(boxes.size()));
    int pixelSize = 0;
    // Per line, the lowest ink row of each letter or digit that stands on the baseline
    // (no descender): one baseline for all of them, a breve or a tall letter included.
    auto bottoms = std::vector<std::vector<int>>(size_t(lines));
    for (size_t i = 0; i < combBoxes.size(); ++i) {
        const BlockRect& box = combBoxes[i];
        const QString& expected = boxes[qsizetype(i)];
        const QString where = QStringLiteral("box %1 (%2)").arg(i).arg(expected);
        const QStringList drawn = page.textsIn(box);
        QVERIFY2(drawn == (expected.isEmpty() ? QStringList{} : QStringList{expected}),
                 qPrintable(where + QStringLiteral(": drawn ") + drawn.join(u'|')));
        const QRgb corner = page.raster.pixel(box.Left, box.Top);
        QCOMPARE(corner, opaque ? qRgb(0xFF, 0xFF, 0xCC) : qRgb(0xFF, 0xFF, 0xFF));
        const QRect ink = QuilletTest::inkBox(
            page.raster,
            QuilletTest::pixelsOf(box).adjusted(-kInkSlack, -kInkSlack, kInkSlack, kInkSlack));
        if (expected.isEmpty()) {
            QVERIFY2(ink.isEmpty(), qPrintable(where + QStringLiteral(" holds ink")));
            continue;
        }
        QVERIFY2(!ink.isEmpty(), qPrintable(where + QStringLiteral(" holds no ink")));
        QVERIFY2(QuilletTest::pixelsOf(box).contains(ink), qPrintable(where));
        const double across = offCentre(ink.left(), ink.right(), box.Left, box.Right);
        QVERIFY2(qAbs(across) <= 1, qPrintable(where + QStringLiteral(": %1 across").arg(across)));
        if (expected[0].isDigit()) {
            const double down = offCentre(ink.top(), ink.bottom(), box.Top, box.Bottom);
            QVERIFY2(qAbs(down) <= 1, qPrintable(where + QStringLiteral(": %1 down").arg(down)));
        }
        if (expected == QStringLiteral("-"))
            QVERIFY2(ink.height() < ink.width(), qPrintable(where));
        else if (expected[0].isLetterOrNumber() && !QStringLiteral("ДЦЩ").contains(expected))
            bottoms[i / size_t(perLine)].push_back(ink.bottom());
        // One size for every character of the field (each element fits its boxes alike).
        for (const QuilletTest::DrawnText& d : page.drawn) {
            if (d.block == box) {
                QVERIFY(pixelSize == 0 || d.pixelSize == pixelSize);
                pixelSize = d.pixelSize;
            }
        }
    }
    QCOMPARE(pixelSize, fontPixelSize(14, TextLayoutDpi));
    for (const std::vector<int>& line : bottoms) {
        if (!line.empty()) {
            const auto [low, high] = std::minmax_element(line.begin(), line.end());
            QVERIFY2(*high - *low <= 1,
                     qPrintable(QStringLiteral("baselines %1 to %2").arg(*low).arg(*high)));
        }
    }
    for (size_t b = 0; b < besides.size(); ++b)
        QCOMPARE(page.textsIn(besides[b]).join(u'|'), neighbourBlocks[qsizetype(b)]);
}

void CombLayoutTest::sameBoxesAtEveryResolution_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("screen, 150 dpi") << 150;
    QTest::newRow("printer, 600 dpi") << 600;
}

void CombLayoutTest::sameBoxesAtEveryResolution()
{
    // Laid out on the 300-dpi page, drawn scaled: the same characters at the same size in
    // the same boxes, each centred in its box as drawn at the target's resolution.
    QFETCH(int, dpi);
    const double scale = dpi / 300.0;
    RenderedPage page(1000, 300);
    const std::vector<BlockRect> boxes = boxRows(1, 10);
    page.addTextField(combOptions(QStringLiteral("0123456789"), 0, false, QString()), boxes);
    page.render(1, dpi);
    QVERIFY(page.errors.lines.isEmpty());
    for (size_t i = 0; i < boxes.size(); ++i) {
        const BlockRect& b = boxes[i];
        QCOMPARE(page.textsIn(b), QStringList{QString::number(i)});
        const BlockRect scaled{int(b.Left * scale), int(b.Top * scale), int(b.Right * scale),
                               int(b.Bottom * scale)};
        const QRect ink = QuilletTest::inkBox(page.raster, QuilletTest::pixelsOf(scaled));
        QVERIFY(!ink.isEmpty());
        const double across = offCentre(ink.left(), ink.right(), scaled.Left, scaled.Right);
        const double down = offCentre(ink.top(), ink.bottom(), scaled.Top, scaled.Bottom);
        QVERIFY2(
            qAbs(across) <= 1 && qAbs(down) <= 1,
            qPrintable(QStringLiteral("box %1: %2 across, %3 down").arg(i).arg(across).arg(down)));
    }
    for (const QuilletTest::DrawnText& d : page.drawn)
        QCOMPARE(d.pixelSize, fontPixelSize(14, TextLayoutDpi));
}

void CombLayoutTest::fontSizeFitsTheNarrowestBox_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<bool>("dash");
    QTest::addColumn<bool>("shrinks");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("the field's own size fits")
        << "123" << QList<int>{60, 60, 60} << false << false << QStringList{};
    QTest::newRow("the narrowest box sets the size")
        << "1234" << QList<int>{60, 60, 24, 60} << false << true << QStringList{};
    QTest::newRow("an i fits a box a dash does not")
        << "ii" << QList<int>{16, 16, 16, 16} << false << false << QStringList{};
    QTest::newRow("dashes are characters printed too")
        << "ii" << QList<int>{16, 16, 16, 16} << true << true << QStringList{};
    QTest::newRow("nothing fits: size 1 and a line")
        << "12" << QList<int>{1, 1} << false << true
        << QStringList{QStringLiteral("1 :  не влез: 12")};
    QTest::newRow("boxes without width: a line, nothing drawn")
        << "12" << QList<int>{0, -5} << true << true
        << QStringList{QStringLiteral("1 :  не влез: 12")};
}

void CombLayoutTest::fontSizeFitsTheNarrowestBox()
{
    QFETCH(QString, value);
    QFETCH(QList<int>, widths);
    QFETCH(bool, dash);
    QFETCH(bool, shrinks);
    QFETCH(QStringList, errors);
    RenderedPage page(1000, 300);
    const std::vector<BlockRect> boxes = boxesOfWidths(widths);
    page.addTextField(combOptions(value, 0, dash, QString()), boxes);
    page.render(1);
    QCOMPARE(page.errors.lines, errors);
    const int narrowest = *std::min_element(widths.begin(), widths.end());
    if (narrowest <= 0) {
        QVERIFY(page.drawn.empty());
        return;
    }
    QStringList printed;
    int pixelSize = 0;
    for (const QuilletTest::DrawnText& d : page.drawn) {
        printed << d.text;
        QVERIFY(pixelSize == 0 || d.pixelSize == pixelSize);
        pixelSize = d.pixelSize;
    }
    const int own = fontPixelSize(14, TextLayoutDpi);
    QCOMPARE(pixelSize < own, shrinks);
    if (!errors.isEmpty()) {
        QCOMPARE(pixelSize, fontPixelSize(1, TextLayoutDpi));
        return;
    }
    QVERIFY(widestAdvance(printed, pixelSize) < narrowest);
    if (shrinks) { // one point larger, the widest character would not fit
        int points = 1;
        while (fontPixelSize(points, TextLayoutDpi) <= pixelSize)
            ++points;
        QVERIFY(widestAdvance(printed, fontPixelSize(points, TextLayoutDpi)) >= narrowest);
    }
}

void CombLayoutTest::charactersAsUsersSeeThem_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("skip");
    QTest::addColumn<QStringList>("characters");
    QTest::newRow("empty") << ""
                           << "" << QStringList{};
    QTest::newRow("a space is a character") << "1 2"
                                            << "" << QStringList{"1", " ", "2"};
    QTest::newRow("a surrogate pair is one")
        << QStringLiteral("А😀Б") << "" << QStringList{"А", QStringLiteral("😀"), "Б"};
    QTest::newRow("a letter with a combining accent is one")
        << QStringLiteral("и\u0306к") << "" << QStringList{QStringLiteral("и\u0306"), "к"};
    QTest::newRow("skipped characters go first")
        << "15.01.2024"
        << "." << QStringList{"1", "5", "0", "1", "2", "0", "2", "4"};
    QTest::newRow("several to skip") << "1 234,50"
                                     << " ," << QStringList{"1", "2", "3", "4", "5", "0"};
}

void CombLayoutTest::charactersAsUsersSeeThem()
{
    QFETCH(QString, value);
    QFETCH(QString, skip);
    QFETCH(QStringList, characters);
    TOptTextField options;
    options.skipChars = skip;
    QCOMPARE(options.combCharacters(value), characters);
}

void CombLayoutTest::linesOfBoxes_data()
{
    QTest::addColumn<std::vector<BlockRect>>("blocks");
    QTest::addColumn<std::vector<int>>("lines");
    QTest::newRow("none") << std::vector<BlockRect>{} << std::vector<int>{};
    QTest::newRow("one row") << boxRows(1, 5) << std::vector<int>{0};
    QTest::newRow("three rows") << boxRows(3, 4) << std::vector<int>{0, 4, 8};
    // Boxes drawn by hand: a little lower, overlapping, still the same line.
    QTest::newRow("uneven boxes in a row")
        << std::vector<BlockRect>{{0, 0, 50, 80}, {50, 10, 100, 90}, {101, 79, 150, 150}}
        << std::vector<int>{0};
    QTest::newRow("back to the left on the same height")
        << std::vector<BlockRect>{{0, 0, 50, 80}, {60, 0, 110, 80}, {30, 0, 80, 80}}
        << std::vector<int>{0, 2};
    QTest::newRow("touching below is not overlapping")
        << std::vector<BlockRect>{{0, 0, 50, 80}, {60, 80, 110, 160}} << std::vector<int>{0, 1};
    QTest::newRow("a block without height")
        << std::vector<BlockRect>{{0, 0, 50, 80}, {60, 40, 110, 40}, {120, 0, 170, 80}}
        << std::vector<int>{0, 1, 2};
}

void CombLayoutTest::linesOfBoxes()
{
    QFETCH(std::vector<BlockRect>, blocks);
    QFETCH(std::vector<int>, lines);
    QCOMPARE(combLines(blocks), lines);
}

QTEST_MAIN(CombLayoutTest)
#include "CombLayoutTest.moc"
