// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/common/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

Q_DECLARE_METATYPE(Quillet::BlockRect)

namespace {
const QString Sep(FieldSeparator);

QString textField(const QString& id, const QString& text, const QString& options)
{
    return id + text + Sep + options;
}
} // namespace

class NodeGrammarTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blockPixelRoundTrip_data();
    void blockPixelRoundTrip();
    void blockParsingReadsFixedPositions();
    void blockParsingAppliesOriginAndPrinterResolution();
    void malformedBlocksThrow_data();
    void malformedBlocksThrow();
    void blockWriterRefusesWhatCannotBeReadBack();
    void textOptionsParse();
    void textOptionsRoundTrip();
    void emptyTextFieldIsIdThenSeparator();
    void malformedTextOptionsNameFieldAndPosition_data();
    void malformedTextOptionsNameFieldAndPosition();
    void textWriterRejectsWhatBreaksTheGrammar();
    void combItemsInTheNodeText_data();
    void combItemsInTheNodeText();
    void imageFieldModes_data();
    void imageFieldModes();
    void imageFieldWithoutMarkersDefaults();
    void imagePaths_data();
    void imagePaths();
    void shapeFieldsRoundTrip_data();
    void shapeFieldsRoundTrip();
    void shapeLineDirectionSearch();
    void editorLineDirection();
    void fieldIdsAndKinds();
    void nextFieldNumberRules();
};

void NodeGrammarTest::blockPixelRoundTrip_data()
{
    QTest::addColumn<BlockRect>("px");
    QTest::addColumn<QString>("text");
    QTest::newRow("corners 100,200-399,299")
        << BlockRect{100, 200, 399, 299} << "0008,47 0016,93/0033,78 0025,32";
    QTest::newRow("origin") << BlockRect{0, 0, 0, 0} << "0000,00 0000,00/0000,00 0000,00";
    QTest::newRow("A4 corner") << BlockRect{0, 0, 2479, 3507} << "0000,00 0000,00/0209,89 0296,93";
    QTest::newRow("largest") << BlockRect{118110, 1, 118110, 2}
                             << "9999,98 0000,08/9999,98 0000,17";
}

void NodeGrammarTest::blockPixelRoundTrip()
{
    QFETCH(BlockRect, px);
    QFETCH(QString, text);
    QCOMPARE(composeBlockText(px), text);
    QCOMPARE(ParseBlockRect(text), px);
}

void NodeGrammarTest::blockParsingReadsFixedPositions()
{
    // Whatever stands between the items is ignored, and a point reads like a comma.
    QCOMPARE(ParseBlockRect(u"0012,70x0025.40|0050,80_0030,48"), (BlockRect{150, 300, 600, 360}));
    // 12.70 mm is exactly 150 pixels; every pixel of a block written by us comes back.
    for (int px = 0; px < 5000; px += 7) {
        const BlockRect r{px, px + 1, px + 2, px + 3};
        QCOMPARE(ParseBlockRect(composeBlockText(r)), r);
    }
}

void NodeGrammarTest::blockParsingAppliesOriginAndPrinterResolution()
{
    const QString text = QStringLiteral("0025,40 0025,40/0050,80 0050,80");
    QCOMPARE(ParseBlockRect(text, mmPerPixelAt(600), PageOrigin{10, 20}),
             (BlockRect{590, 580, 1190, 1180}));
    // Ties go to the even pixel: 0,0423333… mm at 600 dpi lies near 1 pixel.
    QCOMPARE(ParseBlockRect(u"0000,13 0000,00/0000,00 0000,00", MmPerPixel).Left, 2);
}

void NodeGrammarTest::malformedBlocksThrow_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("short") << "0012,70 0025,40/0050,80 0030";
    QTest::newRow("letters") << "0012,7a 0025,40/0050,80 0030,48";
    QTest::newRow("blank item") << "        0025,40/0050,80 0030,48";
    QTest::newRow("far away") << "1E+300 0025,40/0050,80 0030,48";
}

void NodeGrammarTest::malformedBlocksThrow()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(ConversionError, ParseBlockRect(text));
}

void NodeGrammarTest::blockWriterRefusesWhatCannotBeReadBack()
{
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeBlockText(-1, 0, 10, 10));
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeBlockText(0, 0, 10000, 10));
    QCOMPARE(composeBlockText(-0.004L, 0, 9999.99L, 1), "0000,00 0000,00/9999,99 0001,00");
}

void NodeGrammarTest::textOptionsParse()
{
    const QString node =
        textField("0012", "=B2:B50", "1234501$00FFFFFF$000000FF101012Times New Roman");
    const TOptTextField o = ParseTextOptions(QStringView(node).mid(4), "0012");
    QCOMPARE(o.fieldText, QStringLiteral("=B2:B50"));
    QCOMPARE(o.autoReplace, true);
    QCOMPARE(o.maxBlocks, 2);
    QCOMPARE(o.alignFirst, 3);
    QCOMPARE(o.alignMain, 4);
    QCOMPARE(o.alignLast, 5);
    QCOMPARE(o.bottomUp, false);
    QCOMPARE(o.transparentBackground, true);
    QCOMPARE(o.backgroundColor, 0x00FFFFFF);
    QCOMPARE(o.textColor, 0xFF);
    QCOMPARE(o.bold, true);
    QCOMPARE(o.italic, false);
    QCOMPARE(o.underline, true);
    QCOMPARE(o.fontSize, 12);
    QCOMPARE(o.fontName, QStringLiteral("Times New Roman"));
}

void NodeGrammarTest::textOptionsRoundTrip()
{
    TOptTextField o;
    o.fieldText = QStringLiteral("Иванов Иван «ёж» €");
    o.maxBlocks = 9;
    o.alignFirst = 8;
    o.alignMain = 0;
    o.alignLast = 4;
    o.bottomUp = true;
    o.backgroundColor = -1;
    o.textColor = 0x123456;
    o.italic = true;
    o.fontSize = 999;
    o.fontName = QStringLiteral("Arial");
    const QString node = composeTextField("0007", o);
    // The options after the separator are exactly 31 characters before the font name.
    const qsizetype sep = node.indexOf(FieldSeparator);
    QCOMPARE(node.mid(sep + 1 + 31), QStringLiteral("Arial"));
    QCOMPARE(node.mid(sep + 1 + 28, 3), QStringLiteral("999"));
    QCOMPARE(ParseTextOptions(QStringView(node).mid(4)), o);
}

void NodeGrammarTest::emptyTextFieldIsIdThenSeparator()
{
    TOptTextField o;
    o.fontSize = 10;
    const QString node = composeTextField("0000", o);
    QVERIFY(node.startsWith(QStringLiteral("0000") + Sep));
    QCOMPARE(node.mid(5, 2), QStringLiteral("00")); // no auto-replace, no block limit
    QCOMPARE(ParseTextOptions(QStringView(node).mid(4)).fieldText, QString());
}

void NodeGrammarTest::malformedTextOptionsNameFieldAndPosition_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no separator") << "0003abc"
                                  << "Текстовое поле 0003, позиция 5";
    QTest::newRow("letter as block limit")
        << textField("0003", "ab", "0x00000$00FFFFFF$00000000000010Arial") << "позиция 9";
    QTest::newRow("bad colour") << textField("0003", "", "0000000$00FFFFFG$00000000000010Arial")
                                << "позиция 13";
    QTest::newRow("bad size") << textField("0003", "", "0000000$00FFFFFF$0000000000001xArial")
                              << "позиция 34";
    QTest::newRow("cut short") << textField("0003", "", "0000001") << "обрывается";
}

void NodeGrammarTest::malformedTextOptionsNameFieldAndPosition()
{
    QFETCH(QString, node);
    QFETCH(QString, expected);
    try {
        ParseTextOptions(QStringView(node).mid(4), node.left(4));
        QFAIL("no conversion error");
    } catch (const ConversionError& e) {
        QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
    }
}

void NodeGrammarTest::textWriterRejectsWhatBreaksTheGrammar()
{
    TOptTextField o;
    o.fontSize = 10;
    o.fieldText = QStringLiteral("two\nlines");
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeTextField("0001", o));
    o.fieldText = QStringLiteral("sep") + Sep;
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeTextField("0001", o));
    o.fieldText.clear();
    o.fontSize = 3;
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeTextField("0001", o));
    o.fontSize = 10;
    o.maxBlocks = 10;
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeTextField("0001", o));
    o.maxBlocks = 0;
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeTextField("001", o));
    // A control character among the characters to skip would end the node or the items.
    o.skipChars = QStringLiteral(".\t");
    try {
        composeTextField("0001", o);
        QFAIL("no conversion error");
    } catch (const ConversionError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("0001"))
                     && e.message().contains(QStringLiteral("управляющие")),
                 qPrintable(e.message()));
    }
    // So would one in the font name: the comb items start at the first code 4 after it.
    o.skipChars.clear();
    o.fontName = QStringLiteral("Sans") + CombMarker + QStringLiteral("1");
    QVERIFY_THROWS_EXCEPTION(ConversionError, composeTextField("0001", o));
}

void NodeGrammarTest::combItemsInTheNodeText_data()
{
    // The node text after the font name, the items it reads as, and whether writing those
    // items gives that text back (lenient readings do not).
    QTest::addColumn<QString>("tail");
    QTest::addColumn<bool>("comb");
    QTest::addColumn<bool>("dash");
    QTest::addColumn<QString>("skip");
    QTest::addColumn<bool>("written");
    const QString m(CombMarker);
    QTest::newRow("none: the font name ends the node") << "" << false << false << "" << true;
    QTest::newRow("comb, nothing skipped") << m + "10" << true << false << "" << true;
    QTest::newRow("dash alone") << m + "01" << false << true << "" << true;
    QTest::newRow("skip alone") << m + "00." << false << false << "." << true;
    QTest::newRow("skip of several characters, a space among them")
        << m + "11. ,/" << true << true << ". ,/" << true;
    QTest::newRow("marker alone: both flags off") << m << false << false << "" << false;
    QTest::newRow("dash flag missing: off") << m + "1" << true << false << "" << false;
    QTest::newRow("a flag other than 1 is off") << m + "x1" << false << true << "" << false;
}

void NodeGrammarTest::combItemsInTheNodeText()
{
    QFETCH(QString, tail);
    QFETCH(bool, comb);
    QFETCH(bool, dash);
    QFETCH(QString, skip);
    QFETCH(bool, written);
    const QString node = textField("0005", "=A2", "0000000$00FFFFFF$00000000000010Arial") + tail;
    const TOptTextField o = ParseTextOptions(QStringView(node).mid(4), "0005");
    QCOMPARE(o.fontName, QStringLiteral("Arial"));
    QCOMPARE(o.comb, comb);
    QCOMPARE(o.dashEmpty, dash);
    QCOMPARE(o.skipChars, skip);
    if (written)
        QCOMPARE(composeTextField("0005", o), node);
}

void NodeGrammarTest::imageFieldModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("charsBetween"); // between the mode digit and code 4
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("pixel colour") << 1 << 8;
    QTest::newRow("chosen colour") << 2 << 9;
}

void NodeGrammarTest::imageFieldModes()
{
    QFETCH(int, mode);
    QFETCH(int, charsBetween);
    ImageFieldOptions o;
    o.fileName = QStringLiteral("stamp.png");
    o.stretch = true;
    o.center = true;
    o.backgroundColor = 0xFFFFFF;
    o.transparency = TransparencyMode(mode);
    o.pickX = 12;
    o.pickY = 9999;
    o.transparentColor = 0x00FF00;
    o.copyMode = CopyMode::Multiply;
    o.opacity = 128;
    const QString node = composeImageField("1004", o);
    const qsizetype sep = node.indexOf(FieldSeparator);
    const qsizetype modeAt = sep + 15;
    QCOMPARE(node[modeAt], QChar(u'0' + mode));
    QCOMPARE(node.indexOf(CopyModeMarker), modeAt + 1 + charsBetween);
    QVERIFY(node.endsWith(CopyModeMarker + QStringLiteral("1") + OpacityMarker + "128"));
    ImageFieldOptions back = parseImageOptions(QStringView(node).mid(4));
    if (mode != 1)
        o.pickX = o.pickY = 0;
    if (mode != 2)
        o.transparentColor = 0;
    QCOMPARE(back, o);
}

void NodeGrammarTest::imageFieldWithoutMarkersDefaults()
{
    const QString node = "1000pic.bmp" + Sep + "0000$00000000" + "10";
    const ImageFieldOptions o = parseImageOptions(QStringView(node).mid(4));
    QVERIFY(!o.copyMode.has_value());
    QVERIFY(!o.opacity.has_value());
    QCOMPARE(o.effectiveCopyMode(), CopyMode::Copy);
    QCOMPARE(o.effectiveOpacity(), 255);
    // A writer always adds both markers.
    QVERIFY(composeImageField("1000", o).endsWith(QString(CopyModeMarker) + "0"
                                                  + QString(OpacityMarker) + "255"));
}

// One resolver serves the renderer, the editor's preview and the canvas. The rows are where
// the three once disagreed; "@" stands for a scratch folder, which is also the working
// folder.
void NodeGrammarTest::imagePaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");

    QTest::newRow("drive: as it is") << "C:/pics/a.png"
                                     << "@/p.qlet" << QStringList{} << "C:/pics/a.png";
    QTest::newRow("absolute: as it is") << "/pics/a.png"
                                        << "@/p.qlet" << QStringList{} << "/pics/a.png";
    QTest::newRow("beside the project") << "a.png"
                                        << "@/p.qlet" << QStringList{} << "@/a.png";
    // The renderer took only "/" as a separator and looked in the working folder.
    QTest::newRow("project folder written with backslashes")
        << "a.png"
        << "D:\\forms\\p.qlet" << QStringList{} << "D:\\forms\\a.png";
    QTest::newRow("no project: the working folder") << "a.png"
                                                    << "" << QStringList{} << "a.png";
    // The editor's preview did not read backslashes as separators.
    QTest::newRow("Windows subfolder")
        << "img\\sig.png"
        << "@/p.qlet" << QStringList{"img/sig.png"} << "@/img/sig.png";
    QTest::newRow("a name really holding the backslash comes first")
        << "img\\sig.png"
        << "@/p.qlet" << QStringList{"img/sig.png", "img\\sig.png"} << "@/img\\sig.png";
    QTest::newRow("neither exists: the name as written")
        << "img\\none.png"
        << "@/p.qlet" << QStringList{} << "@/img\\none.png";
    // The canvas fell back on the working folder and the program's folder.
    QTest::newRow("not beside the project, only in the working folder")
        << "a.png"
        << "@/forms/p.qlet" << QStringList{"a.png"} << "@/forms/a.png";
}

void NodeGrammarTest::imagePaths()
{
    QFETCH(QString, name);
    QFETCH(QString, project);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("img")));
    for (const QString& file : files) {
        QFile made(dir.filePath(file));
        QVERIFY(made.open(QIODevice::WriteOnly));
    }
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString resolved = resolveImagePath(name, project.replace(u'@', dir.path()));
    QDir::setCurrent(previous);
    QCOMPARE(resolved, expected.replace(u'@', dir.path()));
}

void NodeGrammarTest::shapeFieldsRoundTrip_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("descriptor");
    QTest::newRow("line") << int(ShapeKind::Line) << "ЛИНИЯ - НИЗ";
    QTest::newRow("rectangle") << int(ShapeKind::Rectangle) << "ПРЯМОУГОЛЬНИК";
    QTest::newRow("rounded") << int(ShapeKind::RoundedRectangle)
                             << "СКРУГЛЕННЫЙ ПРЯМОУГОЛЬНИК - 03,25";
    QTest::newRow("arc") << int(ShapeKind::Ellipse) << "КРУГ - 090,00 270,50";
}

void NodeGrammarTest::shapeFieldsRoundTrip()
{
    QFETCH(int, kind);
    QFETCH(QString, descriptor);
    ShapeFieldOptions o;
    o.kind = ShapeKind(kind);
    o.direction = LineDirection::Bottom;
    o.radiusMm = 3.25;
    o.startAngle = 90;
    o.endAngle = 270.5;
    o.lineWidthMm = 0.25;
    o.lineStyle = 2;
    o.lineColor = -16777216;
    o.fillStyle = 6;
    o.fillColor = 255;
    const QString node = composeShapeField("2003", o);
    QCOMPARE(node, "2003" + descriptor + Sep + "00,252-16777216" + Sep + "6255");
    const ShapeFieldOptions back = parseShapeOptions(QStringView(node).mid(4));
    QCOMPARE(back.kind, o.kind);
    QCOMPARE(back.lineWidthMm, 0.25);
    QCOMPARE(back.lineStyle, 2);
    QCOMPARE(back.lineColor, -16777216);
    QCOMPARE(back.fillStyle, 6);
    QCOMPARE(back.fillColor, 255);
    if (o.kind == ShapeKind::RoundedRectangle)
        QCOMPARE(back.radiusMm, 3.25);
    if (o.kind == ShapeKind::Ellipse) {
        QCOMPARE(back.startAngle, 90.0);
        QCOMPARE(back.endAngle, 270.5);
    }
}

void NodeGrammarTest::shapeLineDirectionSearch()
{
    const auto direction = [](const QString& descriptor) {
        const QString node = "2000" + descriptor + Sep + "00,250" + "0" + Sep + "1" + "0";
        return parseShapeOptions(QStringView(node).mid(4)).direction;
    };
    QCOMPARE(direction("ЛИНИЯ - ПРАВО"), LineDirection::Right);
    QCOMPARE(direction("ЛИНИЯ - \\"), LineDirection::BackSlash);
    QCOMPARE(direction("ЛИНИЯ - ВЕРХ/"), LineDirection::Slash); // a later word wins
    QCOMPARE(direction("ЛИНИЯ - вбок"), LineDirection::None);
    // A style character that is no style is kept as unknown, not an error.
    const QString odd = "2000ПРЯМОУГОЛЬНИК" + Sep + "00,25x0" + Sep + "z0";
    const ShapeFieldOptions o = parseShapeOptions(QStringView(odd).mid(4));
    QCOMPARE(o.lineStyle, -1);
    QCOMPARE(o.fillStyle, -1);
    const QString badWidth = "2000ПРЯМОУГОЛЬНИК" + Sep + "ab,cd00" + Sep + "10";
    QVERIFY_THROWS_EXCEPTION(ConversionError, parseShapeOptions(QStringView(badWidth).mid(4)));
}

void NodeGrammarTest::editorLineDirection()
{
    QCOMPARE(Quillet::editorLineDirection(u"ЛИНИЯ - ЛЕВО"), LineDirection::Left);
    QCOMPARE(Quillet::editorLineDirection(u"ЛИНИЯ - \\"), LineDirection::BackSlash);
    QCOMPARE(Quillet::editorLineDirection(u"ЛИНИЯ - куда-то"), LineDirection::Slash);
    QCOMPARE(Quillet::editorLineDirection(u"ЛИНИЯ - ВЕРХНИЙ"), LineDirection::Slash);
}

void NodeGrammarTest::fieldIdsAndKinds()
{
    FieldNode f;
    f.text = QStringLiteral("1007pic");
    QCOMPARE(f.id(), 1007);
    QCOMPARE(f.number(), 7);
    QCOMPARE(f.kind(), FieldKind::Image);
    f.text = QStringLiteral("0999");
    QCOMPARE(f.kind(), FieldKind::Text);
    f.text = QStringLiteral("2000x");
    QCOMPARE(f.kind(), FieldKind::Shape);
    f.text = QStringLiteral("3001");
    QCOMPARE(f.kind(), FieldKind::Shape);
    f.text = QStringLiteral("12a4");
    QCOMPARE(f.id(), -1);
}

void NodeGrammarTest::nextFieldNumberRules()
{
    Project p;
    QCOMPARE(p.takeNewFieldId(FieldKind::Text), QStringLiteral("0000"));
    QCOMPARE(p.takeNewFieldId(FieldKind::Image), QStringLiteral("1001"));
    QCOMPARE(p.takeNewFieldId(FieldKind::Shape), QStringLiteral("2002"));
    QCOMPARE(p.takeCloneFieldId(QLatin1Char('1')), QStringLiteral("1003"));
    QCOMPARE(p.NextFieldNumber, 4);

    FieldTree tree = FieldTree::fromText(u"0005\r\n1007\r\n2002\r\n");
    QCOMPARE(tree.nextFieldNumberAfterLoad(), 8);
    QCOMPARE(FieldTree().nextFieldNumberAfterLoad(), 0);

    // Number 1000 would read as an image field: refused instead of misfiled.
    p.NextFieldNumber = 999;
    QCOMPARE(p.takeNewFieldId(FieldKind::Text), QStringLiteral("0999"));
    QVERIFY_THROWS_EXCEPTION(Error, p.takeNewFieldId(FieldKind::Text));
    QVERIFY_THROWS_EXCEPTION(Error, p.takeCloneFieldId(QLatin1Char('0')));
    QCOMPARE(p.NextFieldNumber, 1000);
}

QTEST_APPLESS_MAIN(NodeGrammarTest)
#include "NodeGrammarTest.moc"
