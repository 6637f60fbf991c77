// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NodeDisplayText.h"

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace Quillet {

// The translation context of the tree's lines.
class FieldTreeTexts {
    Q_DECLARE_TR_FUNCTIONS(Quillet::FieldTreeTexts)
};

namespace {

QString joinParts(const QStringList& parts)
{
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.isEmpty())
            kept << part;
    }
    return kept.join(QStringLiteral("  "));
}

QString blockLine(const QString& text, const QLocale& locale)
{
    const BlockRect r = ParseBlockRect(text);
    // A group separator would split "1 234,50" into what reads as two numbers.
    QLocale numbers = locale;
    numbers.setNumberOptions(numbers.numberOptions() | QLocale::OmitGroupSeparator);
    const auto mm = [&numbers](long long px) {
        return numbers.toString(double(pixelToMm(px)), 'f', 2);
    };
    return FieldTreeTexts::tr("x %1 y %2 — %3 × %4 мм")
        .arg(mm(r.Left), mm(r.Top), mm(static_cast<long long>(r.Right) - r.Left),
             mm(static_cast<long long>(r.Bottom) - r.Top));
}

QString textFieldParts(const QString& id, QStringView options)
{
    const TOptTextField o = ParseTextOptions(options, id);
    QString font = FieldTreeTexts::tr("%1 pt").arg(o.fontSize);
    if (!o.fontName.isEmpty())
        font = visibleNodeText(o.fontName) + QLatin1Char(' ') + font;
    return joinParts({id, FieldTreeTexts::tr("Текст"), visibleNodeText(o.fieldText), font,
                      o.comb ? FieldTreeTexts::tr("гребёнка") : QString()});
}

QString imageFieldParts(const QString& id, QStringView options)
{
    const QString path = parseImageOptions(options, id).fileName;
    // Names written on Windows separate folders with "\".
    const qsizetype folderEnd = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return joinParts(
        {id, FieldTreeTexts::tr("Картинка"), visibleNodeText(path.mid(folderEnd + 1))});
}

QString lineWords(LineDirection direction)
{
    switch (direction) {
    case LineDirection::Top:
        return FieldTreeTexts::tr("Линия — верх");
    case LineDirection::Bottom:
        return FieldTreeTexts::tr("Линия — низ");
    case LineDirection::Left:
        return FieldTreeTexts::tr("Линия — лево");
    case LineDirection::Right:
        return FieldTreeTexts::tr("Линия — право");
    case LineDirection::BackSlash:
        return FieldTreeTexts::tr("Линия — диагональ \\");
    case LineDirection::Slash:
        return FieldTreeTexts::tr("Линия — диагональ /");
    case LineDirection::None:
        break;
    }
    return FieldTreeTexts::tr("Линия");
}

// The shape as the renderer reads the descriptor, so the line says what the page shows.
QString shapeWords(const ShapeFieldOptions& o, QStringView descriptor, const QLocale& locale)
{
    switch (o.kind) {
    case ShapeKind::Line:
        return lineWords(o.direction);
    case ShapeKind::Rectangle:
        return FieldTreeTexts::tr("Прямоугольник");
    case ShapeKind::RoundedRectangle:
        return FieldTreeTexts::tr("Скругленный прямоугольник");
    case ShapeKind::Ellipse:
        if (o.startAngle == o.endAngle)
            return FieldTreeTexts::tr("Круг");
        return FieldTreeTexts::tr("Дуга %1–%2°")
            .arg(locale.toString(o.startAngle, 'g', 6), locale.toString(o.endAngle, 'g', 6));
    case ShapeKind::Unknown:
        break;
    }
    return visibleNodeText(descriptor.toString());
}

QString shapeFieldParts(const QString& id, QStringView options, const QLocale& locale)
{
    const ShapeFieldOptions o = parseShapeOptions(options, id);
    const QStringView descriptor = options.left(options.indexOf(FieldSeparator));
    return joinParts({id, FieldTreeTexts::tr("Фигура"), shapeWords(o, descriptor, locale)});
}

QString fieldLine(const QString& text, const QLocale& locale)
{
    FieldNode field;
    field.text = text;
    if (field.id() < 0)
        return QString(); // no ID: not a field the grammar knows
    const QString id = text.left(4);
    const QStringView options = QStringView(text).mid(4);
    switch (field.kind()) {
    case FieldKind::Text:
        return textFieldParts(id, options);
    case FieldKind::Image:
        return imageFieldParts(id, options);
    case FieldKind::Shape:
        break;
    }
    return shapeFieldParts(id, options, locale);
}

} // namespace

QString visibleNodeText(const QString& nodeText)
{
    QString text = nodeText;
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
    }
    return text;
}

QString nodeDisplayText(const QString& nodeText, bool block, const QLocale& locale)
{
    QString line;
    try {
        line = block ? blockLine(nodeText, locale) : fieldLine(nodeText, locale);
    } catch (const Error&) {
    }
    if (!line.isEmpty())
        return line;
    // Not readable: shown as stored, so the user sees what is wrong with it.
    const QString raw = visibleNodeText(nodeText);
    if (raw.trimmed().isEmpty())
        return FieldTreeTexts::tr("(пустой узел)");
    return raw;
}

} // namespace Quillet
