// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Makes the bundled demo: a blank receipt form as background, a stamp picture and the
// project that fills the form from the workbook records.xlsx (made by
// make_workbook.py).
//
//     quillet-make-demo OUTPUT_FOLDER

#include "core/app/NodeGrammar.h"
#include "core/app/ProjectFile.h"
#include "core/common/Geometry.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace Quillet;

namespace {

constexpr int kPageW = 2480; // A4 at 300 dpi
constexpr int kPageH = 3508;

int mm(double v)
{
    return int(mmToPixel(v));
}

// The tax number's boxes: twelve of 4 × 6 mm at the right end of the payer code's row.
constexpr int kTaxBoxes = 12;

QRect taxBox(int i)
{
    return QRect(QPoint(mm(141 + 4 * i), mm(91)), QPoint(mm(145 + 4 * i), mm(97)));
}

// The pre-printed form: captions, the lines values are written on and a small table.
QImage drawForm()
{
    QImage page(kPageW, kPageH, QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(40, 40, 90));
    pen.setWidth(4);
    p.setPen(pen);
    p.drawRect(mm(15), mm(15), mm(180), mm(140));
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPointSizeF(18);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(mm(15), mm(18), mm(180), mm(12)), Qt::AlignCenter,
               QStringLiteral("КВИТАНЦИЯ ОБ ОПЛАТЕ"));
    QFont label(QStringLiteral("Liberation Sans"));
    label.setPointSizeF(10);
    p.setFont(label);
    pen.setWidth(2);
    p.setPen(pen);
    const struct {
        double y;
        const char* caption;
    } rows[] = {{40, "Плательщик"},
                {52, "Дата"},
                {64, "Сумма, руб."},
                {76, "Назначение"},
                {96, "Код плательщика"}};
    for (const auto& row : rows) {
        p.drawText(QPoint(mm(20), mm(row.y)), QString::fromUtf8(row.caption));
        p.drawLine(mm(55), mm(row.y + 1), mm(190), mm(row.y + 1));
    }
    p.drawLine(mm(20), mm(87), mm(190), mm(87)); // the purpose's second line
    // The payer's tax number, one digit per printed box.
    p.drawText(QPoint(mm(132), mm(96)), QStringLiteral("ИНН"));
    for (int i = 0; i < kTaxBoxes; ++i)
        p.drawRect(taxBox(i));
    // The table of invoice lines.
    p.drawText(QPoint(mm(22), mm(108)), QStringLiteral("Наименование"));
    p.drawText(QPoint(mm(142), mm(108)), QStringLiteral("Цена, руб."));
    for (int r = 0; r <= 4; ++r)
        p.drawLine(mm(20), mm(102 + 8 * r), mm(190), mm(102 + 8 * r));
    p.drawLine(mm(20), mm(102), mm(20), mm(134));
    p.drawLine(mm(140), mm(102), mm(140), mm(134));
    p.drawLine(mm(190), mm(102), mm(190), mm(134));
    p.drawText(QPoint(mm(20), mm(149)), QStringLiteral("Подпись кассира"));
    // A light background grid like a printed form's security pattern.
    p.setPen(QPen(QColor(225, 230, 240), 1));
    for (int y = mm(160); y < mm(280); y += mm(5))
        p.drawLine(mm(15), y, mm(195), y);
    return page;
}

QImage drawStamp()
{
    QImage stamp(360, 360, QImage::Format_RGB32);
    stamp.fill(Qt::white); // white is made transparent by the image field
    QPainter p(&stamp);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(30, 60, 200), 10));
    p.drawEllipse(10, 10, 340, 340);
    p.drawEllipse(60, 60, 240, 240);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(46);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(60, 60, 240, 240), Qt::AlignCenter, QStringLiteral("ОПЛАЧЕНО"));
    return stamp;
}

QByteArray jpegOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

QString block(double x1, double y1, double x2, double y2)
{
    return composeBlockText(BlockRect{mm(x1), mm(y1), mm(x2), mm(y2)});
}

TOptTextField textOptions(const QString& text, int fontSize, int align)
{
    TOptTextField o;
    o.fieldText = text;
    o.alignFirst = o.alignMain = o.alignLast = uint8_t(align);
    o.transparentBackground = true;
    o.backgroundColor = 0xFFFFFF;
    o.textColor = 0x5A1E00; // dark blue ink ($00BBGGRR)
    o.fontSize = fontSize;
    o.fontName = QStringLiteral("Times New Roman");
    return o;
}

FieldNode textField(Project& project, const QString& text, int fontSize, int align,
                    std::initializer_list<QString> blocks)
{
    FieldNode field;
    field.text = composeTextField(project.takeNewFieldId(FieldKind::Text),
                                  textOptions(text, fontSize, align));
    for (const QString& b : blocks)
        field.blocks.push_back(TreeNode{b, false});
    return field;
}

// The tax number as a comb field: a digit in each printed box, dashes in the boxes a
// ten-digit number leaves over or an empty cell leaves all.
FieldNode taxNumberField(Project& project)
{
    TOptTextField o = textOptions(QStringLiteral("=M2:M201"), 14, alignmentCode(0, 1));
    o.comb = true;
    o.dashEmpty = true;
    FieldNode field;
    field.text = composeTextField(project.takeNewFieldId(FieldKind::Text), o);
    for (int i = 0; i < kTaxBoxes; ++i) {
        const QRect box = taxBox(i);
        field.blocks.push_back(TreeNode{
            composeBlockText(BlockRect{box.left(), box.top(), box.right(), box.bottom()}), false});
    }
    return field;
}

Project makeProject()
{
    Project project;
    ProjectSettings& s = project.settings;
    s.xlsFile = QStringLiteral("records.xlsx");
    s.sheet = QStringLiteral("Платежи");
    s.Direct = 1;
    s.SizeName = QStringLiteral("A4");
    s.PrWidth = double(pixelToMm(kPageW));
    s.PrHeight = double(pixelToMm(kPageH));
    s.ImgWidth = s.PrWidth;
    s.ImgHeight = s.PrHeight;
    s.horizontalAlign = HAlign::Center;
    s.verticalAlign = VAlign::Top;
    project.BackgroundImage = jpegOf(drawForm());

    FieldTree& tree = project.Structure;
    const int leftBottom = alignmentCode(0, 2);
    const int rightBottom = alignmentCode(2, 2);
    tree.fields.push_back(
        textField(project, QStringLiteral("=A2:A201"), 14, leftBottom, {block(57, 33, 189, 41)}));
    tree.fields.push_back(
        textField(project, QStringLiteral("=B2:B201"), 14, leftBottom, {block(57, 45, 130, 53)}));
    tree.fields.push_back(
        textField(project, QStringLiteral("=C2:C201"), 14, leftBottom, {block(57, 57, 130, 65)}));
    // The purpose passes through the auto-replace list and may take two lines.
    FieldNode purpose = textField(project, QStringLiteral("=D2:D201"), 12, leftBottom,
                                  {block(57, 69, 189, 77), block(21, 80, 189, 88)});
    purpose.text.replace(purpose.text.indexOf(FieldSeparator) + 1, 1, QStringLiteral("1"));
    tree.fields.push_back(purpose);
    tree.fields.push_back(
        textField(project, QStringLiteral("=E2:E201"), 14, leftBottom, {block(57, 89, 130, 97)}));
    tree.fields.push_back(textField(project, QStringLiteral("Кассир: Петрова А. В."), 10,
                                    leftBottom, {block(57, 142, 130, 149)}));
    // Three invoice lines per record, names and prices side by side.
    tree.fields.push_back(textField(project, QStringLiteral("=G2:I201"), 11, leftBottom,
                                    {block(22, 110.5, 139, 117.5), block(22, 118.5, 139, 125.5),
                                     block(22, 126.5, 139, 133.5)}));
    tree.fields.push_back(textField(project, QStringLiteral("=J2:L201"), 11, rightBottom,
                                    {block(141, 110.5, 188, 117.5), block(141, 118.5, 188, 125.5),
                                     block(141, 126.5, 188, 133.5)}));
    project.RelateList.push_back(RelationItem{QStringLiteral("6-7"), false});

    ImageFieldOptions stamp;
    stamp.fileName = QStringLiteral("stamp.png");
    stamp.transparency = TransparencyMode::ChosenColor;
    stamp.transparentColor = 0xFFFFFF;
    stamp.backgroundColor = 0xFFFFFF;
    stamp.transparentBackground = true;
    stamp.copyMode = CopyMode::Multiply;
    stamp.opacity = 220;
    FieldNode image;
    image.text = composeImageField(project.takeNewFieldId(FieldKind::Image), stamp);
    image.blocks.push_back(TreeNode{block(150, 118, 180.4, 148.4), false});
    tree.fields.push_back(image);

    ShapeFieldOptions frame;
    frame.kind = ShapeKind::RoundedRectangle;
    frame.radiusMm = 3;
    frame.lineWidthMm = 0.5;
    frame.lineColor = 0x5A1E00;
    frame.fillStyle = 1;
    FieldNode shape;
    shape.text = composeShapeField(project.takeNewFieldId(FieldKind::Shape), frame);
    shape.blocks.push_back(TreeNode{block(17, 30, 193, 99), false});
    tree.fields.push_back(shape);

    ShapeFieldOptions underline;
    underline.kind = ShapeKind::Line;
    underline.direction = LineDirection::Bottom;
    underline.lineWidthMm = 0.35;
    underline.lineStyle = 2; // dashed
    underline.lineColor = 0x5A1E00;
    FieldNode line;
    line.text = composeShapeField(project.takeNewFieldId(FieldKind::Shape), underline);
    line.blocks.push_back(TreeNode{block(57, 142, 130, 150), false});
    tree.fields.push_back(line);
    tree.fields.push_back(taxNumberField(project));

    project.ReplaceList.push_back(
        ReplacePair{QStringLiteral("штраф"), QStringLiteral("Штраф за просрочку оплаты")});
    return project;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillet-make-demo OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    try {
        drawStamp().save(out.filePath(QStringLiteral("stamp.png")), "PNG");
        ProjectFile::save(makeProject(), out.filePath(QStringLiteral("demo.qlet")));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillet-make-demo: %s\n", e.what());
        return 2;
    }
    return 0;
}
