// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Image and shape field node texts, and where an image field's picture is.

#include "core/app/NodeGrammar.h"

#include "core/app/OptionReader.h"
#include "core/common/Errors.h"
#include "core/common/Numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace Quillet {
namespace {

QChar flagChar(bool on)
{
    return on ? QLatin1Char('1') : QLatin1Char('0');
}

void requireWithin(double value, double lo, double hi, const QString& id, const char* item)
{
    if (!(value >= lo && value <= hi)) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldOptions",
                                        "Фигурное поле %1: %2 вне пределов %3–%4.")
                .arg(id, QCoreApplication::translate("Quillet::FieldOptions", item),
                     Numbers::formatGeneral(lo), Numbers::formatGeneral(hi)));
    }
}

// A number of the descriptor; the renderer takes what does not read as 0.
double lenientNumber(QStringView text)
{
    const auto value = Numbers::parseDecimal(text);
    return value ? double(*value) : 0.0;
}

} // namespace

QString shapeLinePrefix()
{
    return QStringLiteral("ЛИНИЯ - ");
}

QString shapeRectangleWord()
{
    return QStringLiteral("ПРЯМОУГОЛЬНИК");
}

QString shapeRoundedPrefix()
{
    return QStringLiteral("СКРУГЛЕННЫЙ ПРЯМОУГОЛЬНИК - ");
}

QString shapeEllipsePrefix()
{
    return QStringLiteral("КРУГ - ");
}

QString lineDirectionWord(LineDirection direction)
{
    switch (direction) {
    case LineDirection::Top:
        return QStringLiteral("ВЕРХ");
    case LineDirection::Bottom:
        return QStringLiteral("НИЗ");
    case LineDirection::Left:
        return QStringLiteral("ЛЕВО");
    case LineDirection::Right:
        return QStringLiteral("ПРАВО");
    case LineDirection::BackSlash:
        return QStringLiteral("\\");
    case LineDirection::Slash:
    case LineDirection::None:
        break;
    }
    return QStringLiteral("/");
}

ImageFieldOptions parseImageOptions(QStringView optionsText, const QString& fieldId)
{
    ImageFieldOptions o;
    readImageOptions(optionsText, o, fieldId);
    return o;
}

void readImageOptions(QStringView optionsText, ImageFieldOptions& o, const QString& fieldId)
{
    OptionReader in(
        optionsText, 5,
        nodeName(QT_TRANSLATE_NOOP("Quillet::OptionReader", "Графическое поле"), fieldId));
    o.fileName = in.takeUntil(FieldSeparator,
                              QT_TRANSLATE_NOOP("Quillet::OptionReader", "имя файла изображения"))
                     .toString();
    o.stretch = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак растяжения"));
    o.cut = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак обрезки"));
    o.keepProportions =
        in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак сохранения пропорций"));
    o.center = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак центрирования"));
    o.backgroundColor =
        in.integer(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "цвет фона блока"));
    o.transparentBackground =
        in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак прозрачного фона"));
    o.transparency = TransparencyMode(
        in.digit(2, QT_TRANSLATE_NOOP("Quillet::OptionReader", "режим прозрачности")));
    if (o.transparency == TransparencyMode::PixelColor) {
        o.pickX = in.integer(4, QT_TRANSLATE_NOOP("Quillet::OptionReader", "X точки выбора цвета"));
        o.pickY = in.integer(4, QT_TRANSLATE_NOOP("Quillet::OptionReader", "Y точки выбора цвета"));
    } else if (o.transparency == TransparencyMode::ChosenColor) {
        o.transparentColor =
            in.integer(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "прозрачный цвет"));
    }
    // The two markers are searched for, not taken by position: texts written before
    // these options existed have neither.
    const QStringView rest = in.rest();
    const int restPosition = in.position();
    const qsizetype copyAt = rest.indexOf(CopyModeMarker);
    if (copyAt >= 0) {
        OptionReader item(
            rest.mid(copyAt + 1), restPosition + int(copyAt) + 1,
            nodeName(QT_TRANSLATE_NOOP("Quillet::OptionReader", "Графическое поле"), fieldId));
        o.copyMode = CopyMode(
            item.digit(3, QT_TRANSLATE_NOOP("Quillet::OptionReader", "режим копирования")));
    }
    const qsizetype opacityAt = rest.indexOf(OpacityMarker);
    if (opacityAt >= 0) {
        OptionReader item(
            rest.mid(opacityAt + 1), restPosition + int(opacityAt) + 1,
            nodeName(QT_TRANSLATE_NOOP("Quillet::OptionReader", "Графическое поле"), fieldId));
        const int at = item.position();
        const int opacity =
            item.integer(3, QT_TRANSLATE_NOOP("Quillet::OptionReader", "непрозрачность"));
        if (opacity < 0 || opacity > 255)
            item.fail(QCoreApplication::translate("Quillet::FieldOptions",
                                                  "непрозрачность %1 вне диапазона 0–255")
                          .arg(opacity),
                      at);
        o.opacity = opacity;
    }
}

QString resolveImagePath(const QString& name, const QString& projectPath)
{
    QString path = name;
    if (!name.contains(u':') && !QDir::isAbsolutePath(name)) {
        const qsizetype cut =
            std::max(projectPath.lastIndexOf(u'/'), projectPath.lastIndexOf(u'\\'));
        path = projectPath.left(cut + 1) + name;
    }
    if (!path.contains(u'\\') || QFileInfo::exists(path))
        return path;
    QString withSlashes = path;
    withSlashes.replace(u'\\', u'/');
    // Neither exists: the name as written is the one to report.
    return QFileInfo::exists(withSlashes) ? withSlashes : path;
}

QString composeImageField(const QString& id, const ImageFieldOptions& o)
{
    if (id.size() != 4) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldOptions",
                                        "ID поля должен состоять из четырёх символов: «%1».")
                .arg(id));
    }
    if (o.fileName.contains(FieldSeparator)) {
        throw ConversionError(
            QCoreApplication::translate(
                "Quillet::FieldOptions",
                "Графическое поле %1: имя файла не может содержать символ с кодом 8.")
                .arg(id));
    }
    QString text = id + o.fileName + FieldSeparator;
    text += flagChar(o.stretch);
    text += flagChar(o.cut);
    text += flagChar(o.keepProportions);
    text += flagChar(o.center);
    text += Numbers::formatColorHex(o.backgroundColor);
    text += flagChar(o.transparentBackground);
    text += QString::number(int(o.transparency));
    if (o.transparency == TransparencyMode::PixelColor) {
        if (o.pickX < 0 || o.pickX > 9999 || o.pickY < 0 || o.pickY > 9999) {
            throw ConversionError(
                QCoreApplication::translate("Quillet::FieldOptions",
                                            "Графическое поле %1: точка выбора цвета "
                                            "должна лежать в пределах 0–9999.")
                    .arg(id));
        }
        text += Numbers::formatInt(o.pickX, 4) + Numbers::formatInt(o.pickY, 4);
    } else if (o.transparency == TransparencyMode::ChosenColor) {
        text += Numbers::formatColorHex(o.transparentColor);
    }
    const int opacity = o.effectiveOpacity();
    if (opacity < 0 || opacity > 255) {
        throw ConversionError(
            QCoreApplication::translate(
                "Quillet::FieldOptions",
                "Графическое поле %1: непрозрачность должна быть в пределах 0–255.")
                .arg(id));
    }
    text += CopyModeMarker;
    text += QString::number(int(o.effectiveCopyMode()));
    text += OpacityMarker;
    text += Numbers::formatInt(opacity, 3);
    requireSingleLine(text, id);
    return text;
}

ShapeFieldOptions parseShapeOptions(QStringView optionsText, const QString& fieldId)
{
    const QString what =
        nodeName(QT_TRANSLATE_NOOP("Quillet::OptionReader", "Фигурное поле"), fieldId);
    OptionReader in(optionsText, 5, what);
    const QStringView descriptor =
        in.takeUntil(FieldSeparator, QT_TRANSLATE_NOOP("Quillet::OptionReader", "описание фигуры"));
    ShapeFieldOptions o;
    if (descriptor.startsWith(shapeLinePrefix())) {
        o.kind = ShapeKind::Line;
        o.direction = LineDirection::None;
        // Searched in this order, a later match replacing an earlier one.
        const LineDirection order[] = {LineDirection::Top,       LineDirection::Bottom,
                                       LineDirection::Left,      LineDirection::Right,
                                       LineDirection::BackSlash, LineDirection::Slash};
        for (LineDirection d : order) {
            if (descriptor.contains(lineDirectionWord(d)))
                o.direction = d;
        }
    } else if (descriptor.startsWith(shapeRectangleWord())) {
        o.kind = ShapeKind::Rectangle;
    } else if (descriptor.startsWith(shapeRoundedPrefix())) {
        o.kind = ShapeKind::RoundedRectangle;
        o.radiusMm = lenientNumber(descriptor.mid(28, 5));
    } else if (descriptor.startsWith(shapeEllipsePrefix())) {
        o.kind = ShapeKind::Ellipse;
        o.startAngle = lenientNumber(descriptor.mid(7, 6));
        o.endAngle = lenientNumber(descriptor.mid(14, 6));
    } else {
        o.kind = ShapeKind::Unknown;
    }
    o.lineWidthMm =
        double(in.decimal(5, QT_TRANSLATE_NOOP("Quillet::OptionReader", "толщина линии")));
    const QChar lineStyle =
        in.take(1, QT_TRANSLATE_NOOP("Quillet::OptionReader", "стиль линии"))[0];
    o.lineStyle = (lineStyle >= u'0' && lineStyle <= u'4') ? lineStyle.unicode() - u'0' : -1;
    {
        const int at = in.position();
        const QStringView colour =
            in.takeUntil(FieldSeparator, QT_TRANSLATE_NOOP("Quillet::OptionReader", "цвет линии"));
        const auto value = Numbers::parseInt32(colour);
        if (!value)
            in.fail(QCoreApplication::translate("Quillet::FieldOptions",
                                                "цвет линии «%1» — не целое число")
                        .arg(colour),
                    at);
        o.lineColor = *value;
    }
    const QChar fillStyle =
        in.take(1, QT_TRANSLATE_NOOP("Quillet::OptionReader", "стиль заливки"))[0];
    o.fillStyle = (fillStyle >= u'0' && fillStyle <= u'7') ? fillStyle.unicode() - u'0' : -1;
    o.fillColor = in.integerRest(QT_TRANSLATE_NOOP("Quillet::OptionReader", "цвет заливки"));
    return o;
}

LineDirection editorLineDirection(QStringView descriptor)
{
    const QStringView word = descriptor.mid(8);
    for (LineDirection d : {LineDirection::Top, LineDirection::Bottom, LineDirection::Left,
                            LineDirection::Right, LineDirection::BackSlash}) {
        if (word == lineDirectionWord(d))
            return d;
    }
    return LineDirection::Slash;
}

QString composeShapeField(const QString& id, const ShapeFieldOptions& o)
{
    if (id.size() != 4) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldOptions",
                                        "ID поля должен состоять из четырёх символов: «%1».")
                .arg(id));
    }
    QString text = id;
    switch (o.kind) {
    case ShapeKind::Line:
        text += shapeLinePrefix() + lineDirectionWord(o.direction);
        break;
    case ShapeKind::Rectangle:
        text += shapeRectangleWord();
        break;
    case ShapeKind::RoundedRectangle:
        requireWithin(o.radiusMm, 0, 99.99, id,
                      QT_TRANSLATE_NOOP("Quillet::FieldOptions", "радиус скругления"));
        text += shapeRoundedPrefix() + Numbers::formatFixed(o.radiusMm, 2, 2);
        break;
    case ShapeKind::Ellipse:
        requireWithin(o.startAngle, 0, 360, id,
                      QT_TRANSLATE_NOOP("Quillet::FieldOptions", "начальный угол"));
        requireWithin(o.endAngle, 0, 360, id,
                      QT_TRANSLATE_NOOP("Quillet::FieldOptions", "конечный угол"));
        text += shapeEllipsePrefix() + Numbers::formatFixed(o.startAngle, 3, 2) + QLatin1Char(' ')
                + Numbers::formatFixed(o.endAngle, 3, 2);
        break;
    case ShapeKind::Unknown:
        throw ConversionError(QCoreApplication::translate("Quillet::FieldOptions",
                                                          "Фигурное поле %1: не выбрана фигура.")
                                  .arg(id));
    }
    requireWithin(o.lineWidthMm, 0, 10, id,
                  QT_TRANSLATE_NOOP("Quillet::FieldOptions", "толщина линии"));
    if (o.lineStyle < 0 || o.lineStyle > 4 || o.fillStyle < 0 || o.fillStyle > 7) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldOptions",
                                        "Фигурное поле %1: неизвестный стиль линии или заливки.")
                .arg(id));
    }
    text += FieldSeparator;
    text += Numbers::formatFixed(o.lineWidthMm, 2, 2);
    text += QString::number(o.lineStyle);
    text += QString::number(o.lineColor);
    text += FieldSeparator;
    text += QString::number(o.fillStyle);
    text += QString::number(o.fillColor);
    requireSingleLine(text, id);
    return text;
}

} // namespace Quillet
