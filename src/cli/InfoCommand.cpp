// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli info PROJECT: a JSON summary of a project file.

#include "cli/Command.h"
#include "core/app/NodeGrammar.h"
#include "core/app/ProjectFile.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Quillet::Cli {
namespace {

QString kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return QStringLiteral("text");
    case FieldKind::Image:
        return QStringLiteral("image");
    case FieldKind::Shape:
        break;
    }
    return QStringLiteral("shape");
}

QJsonObject lengthPair(double widthMm, double heightMm)
{
    return QJsonObject{{QStringLiteral("width_mm"), widthMm},
                       {QStringLiteral("height_mm"), heightMm},
                       {QStringLiteral("width_px"), double(mmToPixel(widthMm))},
                       {QStringLiteral("height_px"), double(mmToPixel(heightMm))}};
}

QJsonObject blockJson(const TreeNode& block)
{
    QJsonObject json{{QStringLiteral("node"), block.text}};
    try {
        const BlockMm mm = parseBlockMm(block.text);
        const BlockRect px = ParseBlockRect(block.text);
        json[QStringLiteral("mm")] =
            QJsonArray{double(mm.x1), double(mm.y1), double(mm.x2), double(mm.y2)};
        json[QStringLiteral("px")] = QJsonArray{px.Left, px.Top, px.Right, px.Bottom};
    } catch (const ConversionError& e) {
        json[QStringLiteral("error")] = e.message();
    }
    return json;
}

QJsonObject textOptionsJson(const TOptTextField& o)
{
    QJsonObject json{
        {QStringLiteral("text"), o.fieldText},
        {QStringLiteral("auto_replace"), o.autoReplace},
        {QStringLiteral("max_blocks"), o.maxBlocks},
        {QStringLiteral("align"), QJsonArray{o.alignFirst, o.alignMain, o.alignLast}},
        {QStringLiteral("bottom_up"), o.bottomUp},
        {QStringLiteral("transparent_background"), o.transparentBackground},
        {QStringLiteral("background_color"), o.backgroundColor},
        {QStringLiteral("text_color"), o.textColor},
        {QStringLiteral("bold"), o.bold},
        {QStringLiteral("italic"), o.italic},
        {QStringLiteral("underline"), o.underline},
        {QStringLiteral("font_size"), o.fontSize},
        {QStringLiteral("font"), o.fontName},
    };
    // Only fields that have comb items show them, so other fields read as before.
    if (o.hasCombItems()) {
        json[QStringLiteral("comb")] = o.comb;
        json[QStringLiteral("dash")] = o.dashEmpty;
        json[QStringLiteral("skip")] = o.skipChars;
    }
    return json;
}

QJsonObject imageOptionsJson(const ImageFieldOptions& o)
{
    QJsonObject json{
        {QStringLiteral("file"), o.fileName},
        {QStringLiteral("stretch"), o.stretch},
        {QStringLiteral("cut"), o.cut},
        {QStringLiteral("keep_proportions"), o.keepProportions},
        {QStringLiteral("center"), o.center},
        {QStringLiteral("background_color"), o.backgroundColor},
        {QStringLiteral("transparent_background"), o.transparentBackground},
        {QStringLiteral("transparency"), int(o.transparency)},
        {QStringLiteral("copy_mode"), int(o.effectiveCopyMode())},
        {QStringLiteral("opacity"), o.effectiveOpacity()},
    };
    if (o.transparency == TransparencyMode::PixelColor)
        json[QStringLiteral("pick")] = QJsonArray{o.pickX, o.pickY};
    if (o.transparency == TransparencyMode::ChosenColor)
        json[QStringLiteral("transparent_color")] = o.transparentColor;
    return json;
}

QJsonObject shapeOptionsJson(const ShapeFieldOptions& o)
{
    static const char* kinds[] = {"line", "rectangle", "rounded_rectangle", "ellipse", "unknown"};
    QJsonObject json{
        {QStringLiteral("shape"), QString::fromLatin1(kinds[int(o.kind)])},
        {QStringLiteral("line_width_mm"), o.lineWidthMm},
        {QStringLiteral("line_style"), o.lineStyle},
        {QStringLiteral("line_color"), o.lineColor},
        {QStringLiteral("fill_style"), o.fillStyle},
        {QStringLiteral("fill_color"), o.fillColor},
    };
    if (o.kind == ShapeKind::Line)
        json[QStringLiteral("direction")] = lineDirectionWord(o.direction);
    if (o.kind == ShapeKind::RoundedRectangle)
        json[QStringLiteral("radius_mm")] = o.radiusMm;
    if (o.kind == ShapeKind::Ellipse)
        json[QStringLiteral("angles")] = QJsonArray{o.startAngle, o.endAngle};
    return json;
}

QJsonObject fieldJson(const FieldNode& field)
{
    const QString id = field.text.left(4);
    QJsonObject json{{QStringLiteral("id"), id},
                     {QStringLiteral("kind"), kindName(field.kind())},
                     {QStringLiteral("node"), field.text}};
    const QStringView options = QStringView(field.text).mid(4);
    try {
        switch (field.kind()) {
        case FieldKind::Text:
            json[QStringLiteral("options")] = textOptionsJson(ParseTextOptions(options, id));
            break;
        case FieldKind::Image:
            json[QStringLiteral("options")] = imageOptionsJson(parseImageOptions(options, id));
            break;
        case FieldKind::Shape:
            json[QStringLiteral("options")] = shapeOptionsJson(parseShapeOptions(options, id));
            break;
        }
    } catch (const ConversionError& e) {
        json[QStringLiteral("error")] = e.message();
    }
    QJsonArray blocks;
    for (const TreeNode& block : field.blocks)
        blocks.append(blockJson(block));
    json[QStringLiteral("blocks")] = blocks;
    return json;
}

QJsonObject projectJson(const QString& path, const Project& project)
{
    const ProjectSettings& s = project.settings;
    QJsonObject page = lengthPair(s.PrWidth, s.PrHeight);
    page[QStringLiteral("name")] = s.SizeName;

    QJsonObject background;
    const QSize size = ProjectFile::backgroundSize(project.BackgroundImage);
    background[QStringLiteral("jpeg_bytes")] = double(project.BackgroundImage.size());
    background[QStringLiteral("width_px")] = size.width();
    background[QStringLiteral("height_px")] = size.height();
    background[QStringLiteral("shown")] = lengthPair(s.ImgWidth, s.ImgHeight);
    background[QStringLiteral("align")] = QJsonArray{int(s.horizontalAlign), int(s.verticalAlign)};
    background[QStringLiteral("margins_px")] =
        QJsonObject{{QStringLiteral("top"), double(mmToPixel(s.MirTop))},
                    {QStringLiteral("bottom"), double(mmToPixel(s.MirBottom))},
                    {QStringLiteral("left"), double(mmToPixel(s.MirLeft))},
                    {QStringLiteral("right"), double(mmToPixel(s.MirRight))}};
    background[QStringLiteral("angle")] = s.Angle1;

    QJsonArray fields;
    for (const FieldNode& field : project.Structure.fields)
        fields.append(fieldJson(field));
    QJsonArray relations;
    for (const RelationItem& item : project.RelateList)
        relations.append(item.text);
    QJsonArray replace;
    for (const ReplacePair& pair : project.ReplaceList) {
        replace.append(QJsonObject{{QStringLiteral("find"), pair.find},
                                   {QStringLiteral("replacement"), pair.replacement}});
    }
    return QJsonObject{
        {QStringLiteral("file"), QFileInfo(path).absoluteFilePath()},
        {QStringLiteral("page"), page},
        {QStringLiteral("settings_lines"),
         QJsonArray::fromStringList(ProjectFile::settingsLines(s))},
        {QStringLiteral("workbook"), s.xlsFile},
        {QStringLiteral("sheet"), s.sheet},
        {QStringLiteral("direct"),
         s.Direct == 0 ? QStringLiteral("columns") : QStringLiteral("rows")},
        {QStringLiteral("background"), background},
        {QStringLiteral("next_field_number"), project.NextFieldNumber},
        {QStringLiteral("fields"), fields},
        {QStringLiteral("relations"), relations},
        {QStringLiteral("replace"), replace},
    };
}

int runInfo(const QStringList& args)
{
    const ParsedArgs parsed = parseArgs(args, {}, {});
    if (parsed.positional.size() != 1)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Нужен ровно один файл проекта"));
    const QString path = parsed.positional.first();
    if (!QFileInfo(path).isFile())
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не существует файла проекта: %1")
                .arg(path));
    const UserSettings sizes;
    const Project project = ProjectFile::load(path, ProjectSettings{}, &sizes);
    printOut(QString::fromUtf8(
        QJsonDocument(projectJson(path, project)).toJson(QJsonDocument::Indented)));
    return ExitOk;
}

const bool registered =
    registerCommand({"info", QT_TRANSLATE_NOOP("Quillet::Cli", "info ПРОЕКТ"), &runInfo});

} // namespace
} // namespace Quillet::Cli
