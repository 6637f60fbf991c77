// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The field tree's readable lines: each is made of what the node text holds, parsed, and
// a text the grammar does not read is shown as stored.

#include "core/app/NodeDisplayText.h"
#include "core/app/NodeGrammar.h"

#include <QTest>

using namespace Quillet;

namespace {

const QString Sep(FieldSeparator);

QString textNode(const QString& id, const QString& fieldText, const QString& font, int size,
                 bool comb = false, bool dashEmpty = false)
{
    TOptTextField o;
    o.fieldText = fieldText;
    o.fontName = font;
    o.fontSize = size;
    o.comb = comb;
    o.dashEmpty = dashEmpty;
    return composeTextField(id, o);
}

QString imageNode(const QString& id, const QString& fileName)
{
    ImageFieldOptions o;
    o.fileName = fileName;
    return composeImageField(id, o);
}

QString shapeNode(const QString& id, ShapeKind kind, LineDirection direction = LineDirection::Top,
                  double startAngle = 0, double endAngle = 0)
{
    ShapeFieldOptions o;
    o.kind = kind;
    o.direction = direction;
    o.radiusMm = 3;
    o.startAngle = startAngle;
    o.endAngle = endAngle;
    return composeShapeField(id, o);
}

QString blockNode(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return composeBlockText(BlockRect{left, top, right, bottom});
}

const QLocale Russian(QLocale::Russian, QLocale::Russia);
const QLocale English(QLocale::English, QLocale::UnitedStates);

} // namespace

class NodeDisplayTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesForEachKindOfNode_data();
    void linesForEachKindOfNode();
};

void NodeDisplayTextTest::linesForEachKindOfNode_data()
{
    QTest::addColumn<QString>("nodeText");
    QTest::addColumn<bool>("block");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("line");

    QTest::newRow("text field") << textNode("0002", "=C2:C31", "Sans Serif", 10) << false << Russian
                                << "0002  Текст  =C2:C31  Sans Serif 10 pt";
    QTest::newRow("comb text field")
        << textNode("0011", "=M2:M201", "DejaVu Sans", 14, true) << false << Russian
        << "0011  Текст  =M2:M201  DejaVu Sans 14 pt  гребёнка";
    QTest::newRow("dashes without comb are no comb field")
        << textNode("0012", "Итого", "Arial", 9, false, true) << false << Russian
        << "0012  Текст  Итого  Arial 9 pt";
    QTest::newRow("text field with no text")
        << textNode("0003", "", "Arial", 12) << false << Russian << "0003  Текст  Arial 12 pt";

    QTest::newRow("image named with a Windows folder")
        << imageNode("1001", "img\\stamp.png") << false << Russian << "1001  Картинка  stamp.png";
    QTest::newRow("image named by an absolute path")
        << imageNode("1004", "/home/anna/forms/sign.png") << false << Russian
        << "1004  Картинка  sign.png";

    QTest::newRow("top line") << shapeNode("2003", ShapeKind::Line) << false << Russian
                              << "2003  Фигура  Линия — верх";
    QTest::newRow("falling diagonal")
        << shapeNode("2003", ShapeKind::Line, LineDirection::BackSlash) << false << Russian
        << "2003  Фигура  Линия — диагональ \\";
    QTest::newRow("rectangle") << shapeNode("2004", ShapeKind::Rectangle) << false << Russian
                               << "2004  Фигура  Прямоугольник";
    QTest::newRow("rounded rectangle") << shapeNode("2005", ShapeKind::RoundedRectangle) << false
                                       << Russian << "2005  Фигура  Скругленный прямоугольник";
    QTest::newRow("equal angles: whole ellipse")
        << shapeNode("2006", ShapeKind::Ellipse, LineDirection::Top, 90, 90) << false << Russian
        << "2006  Фигура  Круг";
    QTest::newRow("arc in the locale's numbers")
        << shapeNode("2006", ShapeKind::Ellipse, LineDirection::Top, 22.5, 90) << false << Russian
        << "2006  Фигура  Дуга 22,5–90°";
    QTest::newRow("unknown shape shows its descriptor")
        << "2007ОВАЛ" + Sep + "00,2500" + Sep + "116777215" << false << Russian
        << "2007  Фигура  ОВАЛ";

    // 613, 795 px is 51.9007, 67.3100 mm; 1417 × 874 px is 119.9727 × 73.9987 mm.
    QTest::newRow("block, decimal comma") << blockNode(613, 795, 2030, 1669) << true << Russian
                                          << "x 51,90 y 67,31 — 119,97 × 74,00 мм";
    QTest::newRow("block, decimal point") << blockNode(613, 795, 2030, 1669) << true << English
                                          << "x 51.90 y 67.31 — 119.97 × 74.00 мм";
    QTest::newRow("block beyond a metre, no digit groups")
        << blockNode(11811, 0, 26575, 118) << true << Russian
        << "x 1000,00 y 0,00 — 1250,02 × 9,99 мм";

    QTest::newRow("text field without separator") << "0004abc" << false << Russian << "0004abc";
    QTest::newRow("text field cut short")
        << "0006=A1" + Sep + "10" << false << Russian << "0006=A1␈10";
    QTest::newRow("image field with a bad opacity")
        << "1002a.png" + Sep + "0000$00FFFFFF10" + QChar(4) + "0" + QChar(5) + "999" << false
        << Russian << "1002a.png␈0000$00FFFFFF10␄0␅999";
    QTest::newRow("shape field without separator")
        << "2001ПРЯМОУГОЛЬНИК" << false << Russian << "2001ПРЯМОУГОЛЬНИК";
    QTest::newRow("field without an ID") << "Итого" << false << Russian << "Итого";
    QTest::newRow("block with a word") << "0012,70 abc" << true << Russian << "0012,70 abc";
    QTest::newRow("empty block") << "" << true << Russian << "(пустой узел)";
    QTest::newRow("blank field") << "   " << false << Russian << "(пустой узел)";
}

void NodeDisplayTextTest::linesForEachKindOfNode()
{
    QFETCH(QString, nodeText);
    QFETCH(bool, block);
    QFETCH(QLocale, locale);
    QFETCH(QString, line);
    QCOMPARE(nodeDisplayText(nodeText, block, locale), line);
}

QTEST_GUILESS_MAIN(NodeDisplayTextTest)
#include "NodeDisplayTextTest.moc"
