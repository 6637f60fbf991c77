// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Makes the bundled demo: a blank receipt form as background, a stamp picture, a
// workbook of records and the project that fills the form from it.
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
#include <QRandomGenerator>
#include <QTextStream>

#include <cstdio>

using namespace Quillet;

namespace {

constexpr int kPageW = 2480; // A4 at 300 dpi
constexpr int kPageH = 3508;

int mm(double v)
{
    return int(mmToPixel(v));
}

// The pre-printed form: captions and the lines the values are written on.
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
    p.drawRect(mm(15), mm(15), mm(180), mm(120));
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPointSizeF(18);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(mm(15), mm(18), mm(180), mm(12)), Qt::AlignCenter,
               QStringLiteral("КВИТАНЦИЯ ОБ ОПЛАТЕ"));
    QFont label(QStringLiteral("Liberation Sans"));
    label.setPointSizeF(10);
    p.setFont(label);
    const struct {
        double y;
        const char* caption;
    } rows[] = {{40, "Плательщик"}, {55, "Дата"}, {70, "Сумма, руб."}, {85, "Назначение"}};
    pen.setWidth(2);
    p.setPen(pen);
    for (const auto& row : rows) {
        p.drawText(QPoint(mm(20), mm(row.y)), QString::fromUtf8(row.caption));
        p.drawLine(mm(55), mm(row.y + 1), mm(190), mm(row.y + 1));
    }
    p.drawText(QPoint(mm(20), mm(125)), QStringLiteral("Подпись кассира"));
    p.drawLine(mm(55), mm(126), mm(110), mm(126));
    // A light background grid like a printed form's security pattern.
    p.setPen(QPen(QColor(225, 230, 240), 1));
    for (int y = mm(140); y < mm(280); y += mm(5))
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

void writeWorkbook(const QString& path, int records)
{
    static const char* surnames[] = {"Иванов", "Петров", "Сидоров", "Кузнецов", "Смирнов",
                                     "Попов", "Васильев", "Соколов", "Михайлов", "Новиков"};
    static const char* names[] = {"Иван", "Пётр", "Алексей", "Сергей", "Дмитрий",
                                  "Андрей", "Николай", "Михаил", "Юрий", "Олег"};
    static const char* purposes[] = {"Коммунальные услуги", "Членский взнос",
                                     "Оплата обучения за семестр", "Штраф", "Пожертвование"};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the workbook");
    QTextStream out(&file);
    out << "Плательщик;Дата;Сумма;Назначение\r\n";
    QRandomGenerator rng(20261209);
    for (int i = 0; i < records; ++i) {
        const QString payer = QStringLiteral("%1 %2")
                                  .arg(QString::fromUtf8(surnames[rng.bounded(10)]),
                                       QString::fromUtf8(names[rng.bounded(10)]));
        const QString date = QStringLiteral("%1.%2.2026")
                                 .arg(1 + rng.bounded(28), 2, 10, QLatin1Char('0'))
                                 .arg(1 + rng.bounded(12), 2, 10, QLatin1Char('0'));
        const QString sum = QStringLiteral("%1,%2")
                                .arg(100 + rng.bounded(9900))
                                .arg(rng.bounded(100), 2, 10, QLatin1Char('0'));
        out << payer << ';' << date << ';' << sum << ';'
            << QString::fromUtf8(purposes[rng.bounded(5)]) << "\r\n";
    }
}

QString block(double x1, double y1, double x2, double y2)
{
    return composeBlockText(BlockRect{mm(x1), mm(y1), mm(x2), mm(y2)});
}

FieldNode textField(Project& project, const QString& text, int fontSize, int align,
                    std::initializer_list<QString> blocks)
{
    TOptTextField o;
    o.fieldText = text;
    o.alignFirst = o.alignMain = o.alignLast = uint8_t(align);
    o.transparentBackground = true;
    o.backgroundColor = 0xFFFFFF;
    o.textColor = 0x5A1E00; // dark blue ink ($00BBGGRR)
    o.fontSize = fontSize;
    o.fontName = QStringLiteral("Times New Roman");
    FieldNode field;
    field.text = composeTextField(project.takeNewFieldId(FieldKind::Text), o);
    for (const QString& b : blocks)
        field.blocks.push_back(TreeNode{b, false});
    return field;
}

Project makeProject()
{
    Project project;
    ProjectSettings& s = project.settings;
    s.xlsFile = QStringLiteral("records.csv");
    s.sheet = QStringLiteral("records");
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
    tree.fields.push_back(textField(project, QStringLiteral("=A2:A201"), 14, 6,
                                    {block(56, 33, 190, 41)}));
    tree.fields.push_back(textField(project, QStringLiteral("=B2:B201"), 14, 6,
                                    {block(56, 48, 120, 56)}));
    tree.fields.push_back(textField(project, QStringLiteral("=C2:C201"), 14, 6,
                                    {block(56, 63, 120, 71)}));
    tree.fields.push_back(textField(project, QStringLiteral("=D2:D201"), 12, 6,
                                    {block(56, 78, 190, 86), block(20, 90, 190, 98)}));
    tree.fields.back().text.replace(tree.fields.back().text.indexOf(FieldSeparator) + 1, 1,
                                    QStringLiteral("1")); // auto-replace on
    tree.fields.push_back(textField(project, QStringLiteral("Кассир: Петрова А. В."), 10, 0,
                                    {block(112, 119, 190, 126)}));

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
    image.blocks.push_back(TreeNode{block(150, 95, 180.4, 125.4), false});
    tree.fields.push_back(image);

    ShapeFieldOptions frame;
    frame.kind = ShapeKind::RoundedRectangle;
    frame.radiusMm = 3;
    frame.lineWidthMm = 0.5;
    frame.lineColor = 0x5A1E00;
    frame.fillStyle = 1;
    FieldNode shape;
    shape.text = composeShapeField(project.takeNewFieldId(FieldKind::Shape), frame);
    shape.blocks.push_back(TreeNode{block(17, 30, 193, 100), false});
    tree.fields.push_back(shape);

    project.RelateList.push_back(RelationItem{QStringLiteral("1-2"), false});
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
        writeWorkbook(out.filePath(QStringLiteral("records.csv")), 200);
        ProjectFile::save(makeProject(), out.filePath(QStringLiteral("demo.qlet")));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillet-make-demo: %s\n", e.what());
        return 2;
    }
    return 0;
}
