// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/FieldPanels.h"
#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Quillet;

Q_DECLARE_METATYPE(Quillet::TextPanelValues)
Q_DECLARE_METATYPE(Quillet::ImagePanelValues)
Q_DECLARE_METATYPE(Quillet::ShapePanelValues)

namespace {
const QString Sep(FieldSeparator);
const QString CopyMark(CopyModeMarker);
const QString OpacityMark(OpacityMarker);

// Which way the hatch lines of `style` run on screen: +1 falling to the right (top left
// to bottom right), -1 rising, 0 neither.
int hatchSlope(Qt::BrushStyle style)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), QBrush(Qt::black, style));
    }
    const auto ink = [&](int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); };
    for (int y = 8; y < 24; ++y) {
        for (int x = 8; x < 24; ++x) {
            if (!ink(x, y))
                continue;
            if (ink(x + 1, y + 1) && !ink(x + 1, y - 1))
                return 1;
            if (ink(x + 1, y - 1) && !ink(x + 1, y + 1))
                return -1;
        }
    }
    return 0;
}
} // namespace

class FieldPanelsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textPanelRoundTrip_data();
    void textPanelRoundTrip();
    void imagePanelRoundTrip_data();
    void imagePanelRoundTrip();
    void shapePanelRoundTrip_data();
    void shapePanelRoundTrip();
    void coordsRoundTrip();
    void partialLoadKeepsWhatWasRead_data();
    void partialLoadKeepsWhatWasRead();
    void loadingClampsAndTolerates();
    void textNodesReadAlike_data();
    void textNodesReadAlike();
    void imageNodesReadAlike_data();
    void imageNodesReadAlike();
    void alignmentButtons();
    void copyModeSetsBackground_data();
    void copyModeSetsBackground();
    void shapeRules();
    void sampleDiagonalsMirrorThePage();
    void imageNames_data();
    void imageNames();
};

// Each row is composed and compared with the stored text, then loaded into a panel at
// its start-up values: every value that differs from start-up must come back.
void FieldPanelsTest::textPanelRoundTrip_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<TextPanelValues>("values");
    QTest::addColumn<QString>("node");

    TextPanelValues all;
    all.Text = QStringLiteral("=B2:B50");
    all.AutoReplace = true;
    all.MaxCram = 9;
    all.AlignCodes = {5, 7, 8};
    all.alignHorizontal = 2; // buttons show the first block's code 5
    all.alignVertical = 1;
    all.bottomUp = true;
    all.Transperent = false;
    all.FonColor = 0x00112233;
    all.FontColor = int32_t(0xFF445566);
    all.Boldchk = true;
    all.UndChk = true;
    all.Size = 12;
    all.fontName = QStringLiteral("Liberation Serif");
    QTest::newRow("every item, MaxCram 9 as one digit")
        << "0007" << all
        << "0007=B2:B50" + Sep + "19578" + "10" + "$00112233$FF445566" + "101" + "012"
               + "Liberation Serif";

    TextPanelValues empty;
    empty.Text.clear();
    empty.AlignCodes = {0, 0, 0};
    empty.alignVertical = 0;
    empty.IncChk = true;
    empty.Size = 999;
    QTest::newRow("empty text: ID then separator, no font")
        << "0000" << empty << "0000" + Sep + "00000" + "01" + "$00FFFFFF$00000000" + "010" + "999";

    // A new field stores the alignment its buttons show at start-up: left, middle.
    QTest::newRow("start-up panel")
        << "0001" << TextPanelValues{}
        << "0001Text" + Sep + "00333" + "01" + "$00FFFFFF$00000000" + "000" + "010";
}

void FieldPanelsTest::textPanelRoundTrip()
{
    QFETCH(QString, id);
    QFETCH(TextPanelValues, values);
    QFETCH(QString, node);
    QCOMPARE(composeTextNode(id, values), node);
    TextPanelValues loaded;
    loadTextPanel(node, loaded);
    QCOMPARE(loaded, values);
}

void FieldPanelsTest::imagePanelRoundTrip_data()
{
    QTest::addColumn<ImagePanelValues>("values");
    QTest::addColumn<QString>("node");

    ImagePanelValues pick;
    pick.ImgFieldName = QStringLiteral("pics/logo.png");
    pick.stretch = true;
    pick.keeprate = true;
    pick.CenterImg = true;
    pick.FonImgColor = 0x00ABCDEF;
    pick.TransFon = false;
    pick.transperentImg = TransparencyPixel;
    pick.C_X = 12;
    pick.C_Y = 3456;
    pick.CopyMode = 2;
    pick.AlfaBlend = 128;
    QTest::newRow("pixel colour: eight digits before the copy mode")
        << pick
        << "1003pics/logo.png" + Sep + "1011$00ABCDEF" + "01" + "00123456" + CopyMark + "2"
               + OpacityMark + "128";

    ImagePanelValues colour;
    colour.ImgFieldName = QStringLiteral("C:/scans/stamp.bmp");
    colour.cutimg = true;
    colour.transperentImg = TransparencyColor;
    colour.Trans_color = 0x0000FF00;
    colour.CopyMode = 3;
    colour.AlfaBlend = 0;
    QTest::newRow("chosen colour: nine characters before the copy mode")
        << colour
        << "1003C:/scans/stamp.bmp" + Sep + "0100$00000000" + "12" + "$0000FF00" + CopyMark + "3"
               + OpacityMark + "000";

    ImagePanelValues plain;
    plain.CopyMode = 1;
    QTest::newRow("no transparency: the marker follows the mode")
        << plain << "1003" + Sep + "0000$00000000" + "10" + CopyMark + "1" + OpacityMark + "255";
}

void FieldPanelsTest::imagePanelRoundTrip()
{
    QFETCH(ImagePanelValues, values);
    QFETCH(QString, node);
    QCOMPARE(composeImageNode(QStringLiteral("1003"), values), node);
    ImagePanelValues loaded;
    loadImagePanel(node, loaded);
    QCOMPARE(loaded, values);
}

void FieldPanelsTest::shapePanelRoundTrip_data()
{
    QTest::addColumn<ShapePanelValues>("values");
    QTest::addColumn<QString>("node");

    ShapePanelValues line;
    line.direction = LnBkSlsh;
    line.SizeLn = 1.5;
    line.ColorLn = -5;
    line.pressFillStyle(SolidBr);
    line.ColorBr = 255;
    QTest::newRow("backslash line, solid fill after the line tab's ClearBr")
        << line << QStringLiteral("2004ЛИНИЯ - \\") + Sep + "01,500-5" + Sep + "0255";

    ShapePanelValues rounded;
    rounded.setShapeType(ShapeTabRounded);
    rounded.Radius = 12.5;
    rounded.SizeLn = 2;
    rounded.pressLineStyle(DashLn);
    rounded.pressFillStyle(FDiagBr);
    rounded.ColorBr = 0x123456;
    QTest::newRow("dashed line stores 00,01")
        << rounded
        << QStringLiteral("2004СКРУГЛЕННЫЙ ПРЯМОУГОЛЬНИК - 12,50") + Sep + "00,0120" + Sep
               + "31193046";

    ShapePanelValues ellipse;
    ellipse.setShapeType(ShapeTabEllipse);
    ellipse.StartAngl = 90;
    ellipse.FinishAngl = 270.25;
    ellipse.SizeLn = 10;
    ellipse.ColorLn = 0xFF;
    ellipse.pressFillStyle(DiagCrossBr);
    ellipse.ColorBr = -1;
    QTest::newRow("arc") << ellipse
                         << QStringLiteral("2004КРУГ - 090,00 270,25") + Sep + "10,000255" + Sep
                                + "7-1";

    ShapePanelValues rectangle;
    rectangle.setShapeType(ShapeTabRectangle);
    rectangle.pressLineStyle(ClearLn);
    rectangle.pressFillStyle(VerticalBr);
    QTest::newRow("rectangle without outline")
        << rectangle << QStringLiteral("2004ПРЯМОУГОЛЬНИК") + Sep + "00,0110" + Sep + "416777215";
}

void FieldPanelsTest::shapePanelRoundTrip()
{
    QFETCH(ShapePanelValues, values);
    QFETCH(QString, node);
    QCOMPARE(composeShapeNode(QStringLiteral("2004"), values), node);
    ShapePanelValues loaded;
    loadShapePanel(node, loaded);
    QCOMPARE(loaded, values);
    QCOMPARE(loaded.sizeLnEnabled(), values.lineStyle == SolidLn);
}

void FieldPanelsTest::coordsRoundTrip()
{
    const CoordsValues c{12.7, 25.4, 50.8, 30.48};
    const QString text = composeCoordsNode(c);
    QCOMPARE(text, QStringLiteral("0012,70 0025,40/0050,80 0030,48"));
    CoordsValues loaded;
    loadCoords(text, loaded);
    QCOMPARE(loaded, c);
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeCoordsNode({-1, 0, 5, 5}));
}

// The loader stops at the first item that does not convert and throws; the items read
// before it are already in the panel, the later ones keep the panel's previous values.
void FieldPanelsTest::partialLoadKeepsWhatWasRead_data()
{
    QTest::addColumn<int>("panel"); // 0 text, 1 image, 2 coords
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("position");

    QTest::newRow("text: second alignment") << 0 << "0001abc" + Sep + "123x4"
                                            << "позиция 12";
    QTest::newRow("image: background colour") << 1 << "1001a.png" + Sep + "1111$00GG0000"
                                              << "позиция 15";
    QTest::newRow("coords: bottom edge") << 2 << "0001,00 0002,00/0003,00 00x4,00"
                                         << "25";
}

void FieldPanelsTest::partialLoadKeepsWhatWasRead()
{
    QFETCH(int, panel);
    QFETCH(QString, node);
    QFETCH(QString, position);

    TextPanelValues text;
    text.AlignCodes = {4, 4, 4};
    ImagePanelValues image;
    image.FonImgColor = 0x77;
    CoordsValues coords{9, 9, 9, 9};
    try {
        if (panel == 0)
            loadTextPanel(node, text);
        else if (panel == 1)
            loadImagePanel(node, image);
        else
            loadCoords(node, coords);
        QFAIL("the malformed node was accepted");
    } catch (const ConversionError& e) {
        QVERIFY2(e.message().contains(position), qPrintable(e.message()));
    }
    if (panel == 0) {
        QCOMPARE(text.Text, QStringLiteral("abc"));
        QVERIFY(text.AutoReplace);
        QCOMPARE(text.MaxCram, 2);
        QCOMPARE(text.AlignCodes, (std::array<int, 3>{3, 4, 4}));
    } else if (panel == 1) {
        QCOMPARE(image.ImgFieldName, QStringLiteral("a.png"));
        QVERIFY(image.stretch && image.cutimg && image.keeprate && image.CenterImg);
        QCOMPARE(image.FonImgColor, 0x77);
    } else {
        QCOMPARE(coords, (CoordsValues{9, 9, 3, 9}));
    }
}

void FieldPanelsTest::loadingClampsAndTolerates()
{
    // Text: a code above 8 leaves the vertical button.
    TextPanelValues text;
    loadTextPanel(QStringLiteral("0001") + Sep + "009000" + "1$00000000$00000000000010", text);
    QCOMPARE(text.alignHorizontal, 0);
    QCOMPARE(text.alignVertical, 1);

    // Shape: numbers that do not read are 0, angles clamp to 360, unknown style digits
    // press no button and compose as the last digit of each table.
    ShapePanelValues shape;
    loadShapePanel(QStringLiteral("2001КРУГ - abc,de 400") + Sep + "x,yz_9zz" + Sep + "9q", shape);
    QCOMPARE(shape.ShapeType, ShapeTabEllipse);
    QCOMPARE(shape.StartAngl, 0.0);
    QCOMPARE(shape.FinishAngl, 360.0);
    QCOMPARE(shape.SizeLn, 0.0);
    QCOMPARE(shape.lineStyle, -1);
    QCOMPARE(shape.fillStyle, -1);
    QCOMPARE(shape.ColorLn, 0);
    QCOMPARE(shape.ColorBr, 0);
    QCOMPARE(composeShapeNode(QStringLiteral("2001"), shape),
             QStringLiteral("2001КРУГ - 000,00 360,00") + Sep + "00,0040" + Sep + "70");

    // A line word that is none of the known ones shows "/", and a missing separator is
    // an error.
    loadShapePanel(QStringLiteral("2001ЛИНИЯ - ВВЕРХ") + Sep + "00,250-1" + Sep + "1-1", shape);
    QCOMPARE(shape.direction, LnSlsh);
    QCOMPARE(shape.fillStyle, ClearBr);
    QVERIFY_THROWS_EXCEPTION(ConversionError,
                             loadShapePanel(QStringLiteral("2001ПРЯМОУГОЛЬНИК"), shape));
}

// The field editor reads a text field with the renderer's own reader: where the two once
// differed, both now take the node alike, but for the fill direction, whose buttons a
// character other than 0 or 1 leaves as they are. The panel starts out bottom-up.
void FieldPanelsTest::textNodesReadAlike_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("bottomUp"); // as the renderer takes it
    QTest::addColumn<bool>("shown");    // as the buttons show it
    QTest::addColumn<int>("fontSize");  // as the renderer takes it
    QTest::addColumn<int>("Size");      // as the spin edit shows it
    QTest::addColumn<int>("fontNameLength");

    QTest::newRow("a direction neither 0 nor 1: top-down, the buttons left")
        << "0001ab" + Sep + "00000x1$00FFFFFF$00000000000012Arial" << false << true << 12 << 12
        << 5;
    QTest::newRow("direction 0 presses top-down")
        << "0001ab" + Sep + "0000001$00FFFFFF$00000000000012Arial" << false << false << 12 << 12
        << 5;
    QTest::newRow("size 000: none to the renderer, the spin edit's least")
        << "0001ab" + Sep + "0000011$00FFFFFF$00000000000000Arial" << true << true << 0 << 4 << 5;
    QTest::newRow("a font name past 64 characters is cut (the editor took it whole)")
        << "0001ab" + Sep + "0000011$00FFFFFF$00000000000012" + QString(70, u'F') << true << true
        << 12 << 12 << 64;
}

void FieldPanelsTest::textNodesReadAlike()
{
    QFETCH(QString, node);
    QFETCH(bool, bottomUp);
    QFETCH(bool, shown);
    QFETCH(int, fontSize);
    QFETCH(int, Size);
    QFETCH(int, fontNameLength);
    const TOptTextField parsed = ParseTextOptions(QStringView(node).mid(4));
    QCOMPARE(parsed.bottomUp, bottomUp);
    QCOMPARE(parsed.fontSize, fontSize);
    QCOMPARE(parsed.fontName.size(), fontNameLength);
    TextPanelValues loaded;
    loaded.bottomUp = true;
    loadTextPanel(node, loaded);
    QCOMPARE(loaded.bottomUp, shown);
    QCOMPARE(loaded.Size, Size);
    QCOMPARE(loaded.fontName, parsed.fontName);
}

// Likewise for image fields: an opacity the grammar does not hold stops both readers at
// the same position (the editor clamped it), and a missing marker gives the renderer its
// default and leaves the panel's value (copy mode 3, opacity 40 here).
void FieldPanelsTest::imageNodesReadAlike_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("error"); // the position both readers name; empty: none
    QTest::addColumn<int>("copyMode");  // as the renderer draws it; -1 after an error
    QTest::addColumn<int>("opacity");
    QTest::addColumn<int>("CopyMode");
    QTest::addColumn<int>("AlfaBlend");

    const QString head = "1001x.png" + Sep + "0000$00000000" + "10";
    QTest::newRow("opacity above 255") << head + CopyMark + "2" + OpacityMark + "300"
                                       << "позиция 29" << -1 << -1 << 2 << 40;
    QTest::newRow("negative opacity") << head + CopyMark + "1" + OpacityMark + "-01"
                                      << "позиция 29" << -1 << -1 << 1 << 40;
    QTest::newRow("neither marker") << head << "" << 0 << 255 << 3 << 40;
    QTest::newRow("opacity only") << head + OpacityMark + "128"
                                  << "" << 0 << 128 << 3 << 128;
}

void FieldPanelsTest::imageNodesReadAlike()
{
    QFETCH(QString, node);
    QFETCH(QString, error);
    QFETCH(int, copyMode);
    QFETCH(int, opacity);
    QFETCH(int, CopyMode);
    QFETCH(int, AlfaBlend);
    ImagePanelValues loaded;
    loaded.CopyMode = 3;
    loaded.AlfaBlend = 40;
    if (error.isEmpty()) {
        const ImageFieldOptions parsed = parseImageOptions(QStringView(node).mid(4));
        QCOMPARE(int(parsed.effectiveCopyMode()), copyMode);
        QCOMPARE(parsed.effectiveOpacity(), opacity);
        loadImagePanel(node, loaded);
    } else {
        for (const bool editor : {false, true}) {
            try {
                if (editor)
                    loadImagePanel(node, loaded);
                else
                    parseImageOptions(QStringView(node).mid(4), node.left(4));
                QFAIL("the opacity was accepted");
            } catch (const ConversionError& e) {
                QVERIFY2(e.message().contains(error), qPrintable(e.message()));
            }
        }
    }
    QCOMPARE(loaded.CopyMode, CopyMode);
    QCOMPARE(loaded.AlfaBlend, AlfaBlend);
}

void FieldPanelsTest::alignmentButtons()
{
    TextPanelValues v;
    v.AlignCodes = {0, 0, 0};
    v.pressVertical(2); // left + bottom on the first block
    QCOMPARE(v.AlignCodes, (std::array<int, 3>{6, 0, 0}));
    v.selectBlock(BlockLast);
    QCOMPARE(v.alignVertical, 0);
    v.pressHorizontal(1);
    v.pressVertical(1);
    QCOMPARE(v.AlignCodes, (std::array<int, 3>{6, 0, 4}));
    v.selectBlock(BlockFirst);
    QCOMPARE(v.alignHorizontal, 0);
    QCOMPARE(v.alignVertical, 2);
    v.AlignCodes[1] = 9;
    v.selectBlock(BlockMain);
    QCOMPARE(v.alignHorizontal, 0);
    QCOMPARE(v.alignVertical, 2);
    // A code the writer cannot store is refused on apply.
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeTextNode(QStringLiteral("0001"), v));
}

void FieldPanelsTest::copyModeSetsBackground_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("colour");
    QTest::newRow("Копирование leaves it") << 0 << 0x123456;
    QTest::newRow("Затемнение (And) turns it white") << 1 << ColorWhite;
    QTest::newRow("Осветление (Or) black") << 2 << ColorBlack;
    QTest::newRow("Инверсия (Xor) black") << 3 << ColorBlack;
    QTest::newRow("unknown ignored") << 4 << 0x123456;
}

void FieldPanelsTest::copyModeSetsBackground()
{
    QFETCH(int, mode);
    QFETCH(int, colour);
    ImagePanelValues v;
    v.FonImgColor = 0x123456;
    v.setCopyMode(mode);
    QCOMPARE(v.FonImgColor, colour);
    QCOMPARE(v.CopyMode, mode == 4 ? 0 : mode);
}

void FieldPanelsTest::shapeRules()
{
    ShapePanelValues v;
    QVERIFY(v.sizeLnEnabled());
    v.pressFillStyle(CrossBr);
    v.setShapeType(ShapeTabRectangle);
    QCOMPARE(v.fillStyle, CrossBr);
    v.setShapeType(ShapeTabLine);
    QCOMPARE(v.fillStyle, ClearBr);

    v.SizeLn = 3;
    QCOMPARE(v.samplePenWidthPx(), 11); // 11.34 screen pixels
    v.pressLineStyle(DashDotLn);
    QVERIFY(!v.sizeLnEnabled());
    QCOMPARE(v.SizeLn, ThinLineWidthMm);
    QCOMPARE(v.samplePenWidthPx(), 0);
    QCOMPARE(v.samplePenStyle(), Qt::DashDotLine);
    v.pressLineStyle(-1); // an unknown stored digit: no button, the width stays locked
    QVERIFY(!v.sizeLnEnabled());
    QCOMPARE(v.samplePenStyle(), Qt::DotLine);
    v.pressLineStyle(SolidLn);
    QVERIFY(v.sizeLnEnabled());
    QCOMPARE(v.SizeLn, ThinLineWidthMm);

    v.pressLineStyle(ClearLn);
    QCOMPARE(v.samplePenStyle(), Qt::NoPen);
    v.pressFillStyle(ClearBr);
    QCOMPARE(v.sampleBrushStyle(), Qt::NoBrush);
    v.pressFillStyle(HorizontBr);
    QCOMPARE(v.sampleBrushStyle(), Qt::HorPattern);
}

// The page draws digit 2 rising and digit 3 falling; the sample shows the mirror.
void FieldPanelsTest::sampleDiagonalsMirrorThePage()
{
    ShapePanelValues v;
    v.pressFillStyle(BDiagBr);
    QCOMPARE(hatchSlope(v.sampleBrushStyle()), 1);
    v.pressFillStyle(FDiagBr);
    QCOMPARE(hatchSlope(v.sampleBrushStyle()), -1);
}

void FieldPanelsTest::imageNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("resolved");

    QTest::newRow("inside the project folder") << "/home/u/forms/img/a.png"
                                               << "/home/u/forms/p.qlet"
                                               << "img/a.png"
                                               << "/home/u/forms/img/a.png";
    QTest::newRow("a sibling folder with the same prefix") << "/home/u/forms2/a.png"
                                                           << "/home/u/forms/p.qlet"
                                                           << "/home/u/forms2/a.png"
                                                           << "/home/u/forms2/a.png";
    QTest::newRow("project not named yet") << "/tmp/a.png"
                                           << ""
                                           << "/tmp/a.png"
                                           << "/tmp/a.png";
    QTest::newRow("drive letter, backslashes") << "D:\\forms\\a.png"
                                               << "D:\\forms\\p.qlet"
                                               << "a.png"
                                               << "D:\\forms\\a.png";
    QTest::newRow("elsewhere on a drive") << "E:\\pics\\a.png"
                                          << "D:\\forms\\p.qlet"
                                          << "E:\\pics\\a.png"
                                          << "E:\\pics\\a.png";
}

void FieldPanelsTest::imageNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, project);
    QFETCH(QString, stored);
    QFETCH(QString, resolved);
    QCOMPARE(storedImageName(chosen, project), stored);
    QCOMPARE(resolveImagePath(stored, project), resolved);
}

QTEST_MAIN(FieldPanelsTest)

#include "FieldPanelsTest.moc"
