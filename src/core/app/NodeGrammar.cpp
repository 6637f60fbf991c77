// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NodeGrammar.h"

#include "core/app/OptionReader.h"
#include "core/common/Errors.h"
#include "core/common/Numbers.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace Quillet {
namespace {

// Pixels beyond this are not a page position but a typo; they would also overflow the
// 32-bit rectangle members.
constexpr long double kMaxPixelMagnitude = 1e9L;

long double blockItem(QStringView text, int from, const char* edge)
{
    const QStringView part = text.mid(from - 1, 7);
    const auto value = part.size() == 7 ? Numbers::parseDecimal(part) : std::nullopt;
    if (!value) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::NodeGrammar",
                                        "Блок «%1», позиции %2–%3: %4 край «%5» "
                                        "— не число.")
                .arg(text.left(40).toString())
                .arg(from)
                .arg(from + 6)
                .arg(QCoreApplication::translate("Quillet::NodeGrammar", edge), part.toString()));
    }
    return *value;
}

int32_t edgePixel(long double mm, long double mmPerPixel, int origin, QStringView text)
{
    const long double px = mm / mmPerPixel;
    if (!(std::fabs(px) <= kMaxPixelMagnitude)) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::NodeGrammar",
                                        "Блок «%1»: край лежит далеко за пределами "
                                        "любой страницы.")
                .arg(text.toString()));
    }
    return static_cast<int32_t>(roundHalfEven(px) - origin);
}

QString fixedEdge(long double mm)
{
    const QString text = Numbers::formatFixed(mm, 4, 2);
    if (text.size() != 7) {
        throw ConversionError(QCoreApplication::translate("Quillet::NodeGrammar",
                                                          "Край блока %1 мм лежит вне 0–9999,99 мм "
                                                          "и не может быть сохранён.")
                                  .arg(Numbers::formatFixed(mm, 1, 2)));
    }
    return text;
}

void requireId(const QString& id)
{
    if (id.size() != 4) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::NodeGrammar",
                                        "ID поля должен состоять из четырёх символов: «%1».")
                .arg(id));
    }
}

void requireRange(long long value, long long lo, long long hi, const char* item)
{
    if (value < lo || value > hi) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::NodeGrammar", "%1 %2 вне пределов %3–%4.")
                .arg(QCoreApplication::translate("Quillet::NodeGrammar", item))
                .arg(value)
                .arg(lo)
                .arg(hi));
    }
}

QChar flagChar(bool on)
{
    return on ? QLatin1Char('1') : QLatin1Char('0');
}

} // namespace

void requireSingleLine(const QString& nodeText, const QString& id)
{
    if (nodeText.contains(u'\r') || nodeText.contains(u'\n')) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::NodeGrammar",
                                        "Поле %1: текст узла не может содержать переводы строки.")
                .arg(id));
    }
}

BlockMm parseBlockMm(QStringView blockText)
{
    BlockMm mm;
    mm.x1 = blockItem(blockText, 1, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "левый"));
    mm.y1 = blockItem(blockText, 9, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "верхний"));
    mm.x2 = blockItem(blockText, 17, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "правый"));
    mm.y2 = blockItem(blockText, 25, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "нижний"));
    return mm;
}

BlockRect ParseBlockRect(QStringView blockText, long double mmPerPixel, PageOrigin origin)
{
    const BlockMm mm = parseBlockMm(blockText);
    BlockRect r;
    r.Left = edgePixel(mm.x1, mmPerPixel, origin.x, blockText);
    r.Top = edgePixel(mm.y1, mmPerPixel, origin.y, blockText);
    r.Right = edgePixel(mm.x2, mmPerPixel, origin.x, blockText);
    r.Bottom = edgePixel(mm.y2, mmPerPixel, origin.y, blockText);
    return r;
}

QString composeBlockText(long double x1, long double y1, long double x2, long double y2)
{
    return fixedEdge(x1) + QLatin1Char(' ') + fixedEdge(y1) + QLatin1Char('/') + fixedEdge(x2)
           + QLatin1Char(' ') + fixedEdge(y2);
}

QString composeBlockText(const BlockRect& px, long double mmPerPixel)
{
    return composeBlockText(pixelToMm(px.Left, mmPerPixel), pixelToMm(px.Top, mmPerPixel),
                            pixelToMm(px.Right, mmPerPixel), pixelToMm(px.Bottom, mmPerPixel));
}

TOptTextField ParseTextOptions(QStringView optionsText, const QString& fieldId)
{
    TOptTextField o;
    readTextOptions(optionsText, o, fieldId);
    return o;
}

void readTextOptions(QStringView optionsText, TOptTextField& o, const QString& fieldId)
{
    OptionReader in(
        optionsText, 5,
        nodeName(QT_TRANSLATE_NOOP("Quillet::OptionReader", "Текстовое поле"), fieldId));
    o.fieldText =
        in.takeUntil(FieldSeparator, QT_TRANSLATE_NOOP("Quillet::OptionReader", "текст поля"))
            .toString();
    o.autoReplace = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак автозамены"));
    o.maxBlocks = uint8_t(
        in.digit(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "макс. число блоков на элемент")));
    o.alignFirst = uint8_t(
        in.digit(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "выравнивание первого блока")));
    o.alignMain = uint8_t(
        in.digit(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "выравнивание основных блоков")));
    o.alignLast = uint8_t(
        in.digit(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "выравнивание последнего блока")));
    o.bottomUp = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "направление заполнения"));
    o.transparentBackground =
        in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак прозрачного фона"));
    o.backgroundColor = in.integer(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "цвет фона"));
    o.textColor = in.integer(9, QT_TRANSLATE_NOOP("Quillet::OptionReader", "цвет текста"));
    o.bold = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак полужирного"));
    o.italic = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак курсива"));
    o.underline = in.flag(QT_TRANSLATE_NOOP("Quillet::OptionReader", "признак подчёркивания"));
    o.fontSize = in.integer(3, QT_TRANSLATE_NOOP("Quillet::OptionReader", "размер шрифта"));
    const QStringView rest = in.rest();
    const qsizetype marker = rest.indexOf(CombMarker);
    o.fontName = rest.left(marker < 0 ? rest.size() : marker).left(MaxFontNameLength).toString();
    if (marker < 0)
        return;
    const QStringView comb = rest.mid(marker + 1);
    o.comb = comb.size() > 0 && comb[0] == u'1';
    o.dashEmpty = comb.size() > 1 && comb[1] == u'1';
    o.skipChars = comb.mid(std::min<qsizetype>(2, comb.size())).toString();
}

QStringList TOptTextField::combCharacters(const QString& value) const
{
    QString kept;
    kept.reserve(value.size());
    for (QChar c : value) {
        if (!skipChars.contains(c))
            kept += c;
    }
    QStringList characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, kept);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        if (end > start)
            characters << kept.mid(start, end - start);
        start = end;
    }
    return characters;
}

QString composeTextField(const QString& id, const TOptTextField& o)
{
    requireId(id);
    for (QChar c : o.fieldText) {
        if (c == FieldSeparator || c == u'\r' || c == u'\n') {
            throw ConversionError(
                QCoreApplication::translate("Quillet::NodeGrammar",
                                            "Текстовое поле %1: текст поля не может "
                                            "содержать переводы строки и символ с кодом 8.")
                    .arg(id));
        }
    }
    requireRange(o.maxBlocks, 0, 9,
                 QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "Макс. число блоков на элемент"));
    requireRange(o.alignFirst, 0, 8, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "Код выравнивания"));
    requireRange(o.alignMain, 0, 8, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "Код выравнивания"));
    requireRange(o.alignLast, 0, 8, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "Код выравнивания"));
    requireRange(o.fontSize, 4, 999, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "Размер шрифта"));
    QString text = id + o.fieldText + FieldSeparator;
    text += flagChar(o.autoReplace);
    text += QString::number(o.maxBlocks);
    text +=
        QString::number(o.alignFirst) + QString::number(o.alignMain) + QString::number(o.alignLast);
    text += flagChar(o.bottomUp);
    text += flagChar(o.transparentBackground);
    text += Numbers::formatColorHex(o.backgroundColor) + Numbers::formatColorHex(o.textColor);
    text += flagChar(o.bold);
    text += flagChar(o.italic);
    text += flagChar(o.underline);
    text += Numbers::formatInt(o.fontSize, 3);
    const auto requirePrintable = [&id](const QString& items, const char* what) {
        for (QChar c : items) {
            if (c.unicode() < 32) {
                throw ConversionError(
                    QCoreApplication::translate("Quillet::NodeGrammar",
                                                "Текстовое поле %1: управляющие символы "
                                                "недопустимы (%2).")
                        .arg(id, QCoreApplication::translate("Quillet::NodeGrammar", what)));
            }
        }
    };
    requirePrintable(o.fontName, QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "имя шрифта"));
    text += o.fontName.left(MaxFontNameLength);
    if (o.hasCombItems()) {
        requirePrintable(o.skipChars,
                         QT_TRANSLATE_NOOP("Quillet::NodeGrammar", "пропускаемые знаки"));
        text += CombMarker;
        text += flagChar(o.comb);
        text += flagChar(o.dashEmpty);
        text += o.skipChars;
    }
    requireSingleLine(text, id);
    return text;
}

} // namespace Quillet
