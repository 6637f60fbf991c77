// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Loading and composing the text and image field panels.

#include "core/fields/FieldPanels.h"

#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"

#include <algorithm>
#include <optional>

#include <QCoreApplication>

namespace Quillet {
namespace {

// A panel value bound for one of the grammar's small fields; the writers check the exact
// range, this only keeps the narrowing from wrapping a wild value into a valid one.
void requireByte(int value, const QString& id, const char* item)
{
    if (value < 0 || value > 255) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldPanelsText",
                                        "Поле %1: значение «%2» (%3) вне допустимых "
                                        "пределов.")
                .arg(id, QCoreApplication::translate("Quillet::FieldPanelsText", item))
                .arg(value));
    }
}

// The options record of what the panel shows. The panels hold only what their controls
// allow, so nothing is lost on the way there and back.
TOptTextField textOptionsOf(const TextPanelValues& v)
{
    TOptTextField o;
    o.fieldText = v.Text;
    o.autoReplace = v.AutoReplace;
    o.maxBlocks = uint8_t(v.MaxCram);
    o.alignFirst = uint8_t(v.AlignCodes[0]);
    o.alignMain = uint8_t(v.AlignCodes[1]);
    o.alignLast = uint8_t(v.AlignCodes[2]);
    o.bottomUp = v.bottomUp;
    o.transparentBackground = v.Transperent;
    o.backgroundColor = v.FonColor;
    o.textColor = v.FontColor;
    o.bold = v.Boldchk;
    o.italic = v.IncChk;
    o.underline = v.UndChk;
    o.fontSize = v.Size;
    o.fontName = v.fontName;
    o.comb = v.Comb;
    o.dashEmpty = v.CombDash;
    o.skipChars = v.CombSkip;
    return o;
}

ImageFieldOptions imageOptionsOf(const ImagePanelValues& v)
{
    ImageFieldOptions o;
    o.fileName = v.ImgFieldName;
    o.stretch = v.stretch;
    o.cut = v.cutimg;
    o.keepProportions = v.keeprate;
    o.center = v.CenterImg;
    o.backgroundColor = v.FonImgColor;
    o.transparentBackground = v.TransFon;
    o.transparency = TransparencyMode(v.transperentImg);
    o.pickX = v.C_X;
    o.pickY = v.C_Y;
    o.transparentColor = v.Trans_color;
    o.copyMode = CopyMode(v.CopyMode);
    o.opacity = v.AlfaBlend;
    return o;
}

// The fill direction's buttons: "0" presses the top-down one, "1" the bottom-up one, and
// any other character (which the renderer reads as top-down) leaves them as they are.
std::optional<bool> fillDirection(QStringView options)
{
    const qsizetype separator = options.indexOf(FieldSeparator);
    const qsizetype at = separator + 6; // auto-replace, blocks per element, three alignments
    if (separator < 0 || at >= options.size())
        return std::nullopt;
    if (options[at] == u'0' || options[at] == u'1')
        return options[at] == u'1';
    return std::nullopt;
}

void requireChoice(int value, int last, const QString& id, const char* item)
{
    if (value < 0 || value > last) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldPanelsText",
                                        "Поле %1: не выбран вариант «%2».")
                .arg(id, QCoreApplication::translate("Quillet::FieldPanelsText", item)));
    }
}

} // namespace

void loadTextPanel(QStringView nodeText, TextPanelValues& v)
{
    // The panel's values go in first, so the items a malformed node does not reach come
    // back out as they were.
    TOptTextField o = textOptionsOf(v);
    const std::optional<bool> fill = fillDirection(nodeText.mid(4));
    const auto show = [&o, &v, fill](bool whole) {
        v.Text = o.fieldText;
        v.AutoReplace = o.autoReplace;
        v.MaxCram = o.maxBlocks;
        v.AlignCodes = {o.alignFirst, o.alignMain, o.alignLast};
        v.selectBlock(BlockFirst);
        if (!whole)
            v.bottomUp = o.bottomUp; // as far as the reader got
        else if (fill)
            v.bottomUp = *fill;
        v.Transperent = o.transparentBackground;
        v.FonColor = o.backgroundColor;
        v.FontColor = o.textColor;
        v.Boldchk = o.bold;
        v.IncChk = o.italic;
        v.UndChk = o.underline;
        v.Size = std::clamp(o.fontSize, 4, 999); // as the spin edit holds it
        v.fontName = o.fontName;
        v.Comb = o.comb;
        v.CombDash = o.dashEmpty;
        v.CombSkip = o.skipChars;
    };
    try {
        readTextOptions(nodeText.mid(4), o, nodeText.left(4).toString());
    } catch (const ConversionError&) {
        show(false);
        throw;
    }
    show(true);
}

QString composeTextNode(const QString& id, const TextPanelValues& v)
{
    requireByte(
        v.MaxCram, id,
        QT_TRANSLATE_NOOP("Quillet::FieldPanelsText", "Макс. число блоков на элемент поля"));
    requireByte(v.AlignCodes[0], id,
                QT_TRANSLATE_NOOP("Quillet::FieldPanelsText", "выравнивание первого блока"));
    requireByte(v.AlignCodes[1], id,
                QT_TRANSLATE_NOOP("Quillet::FieldPanelsText", "выравнивание основных блоков"));
    requireByte(v.AlignCodes[2], id,
                QT_TRANSLATE_NOOP("Quillet::FieldPanelsText", "выравнивание последнего блока"));
    return composeTextField(id, textOptionsOf(v));
}

void loadImagePanel(QStringView nodeText, ImagePanelValues& v)
{
    ImageFieldOptions o = imageOptionsOf(v);
    // Setting the copy mode here is not the user's choice, so the background colour stays
    // as stored.
    const auto show = [&o, &v] {
        v.ImgFieldName = o.fileName;
        v.stretch = o.stretch;
        v.cutimg = o.cut;
        v.keeprate = o.keepProportions;
        v.CenterImg = o.center;
        v.FonImgColor = o.backgroundColor;
        v.TransFon = o.transparentBackground;
        v.transperentImg = int(o.transparency);
        v.C_X = o.pickX;
        v.C_Y = o.pickY;
        v.Trans_color = o.transparentColor;
        v.CopyMode = int(o.effectiveCopyMode());
        v.AlfaBlend = o.effectiveOpacity();
    };
    try {
        readImageOptions(nodeText.mid(4), o, nodeText.left(4).toString());
    } catch (const ConversionError&) {
        show();
        throw;
    }
    show();
}

QString composeImageNode(const QString& id, const ImagePanelValues& v)
{
    requireChoice(v.transperentImg, TransparencyColor, id,
                  QT_TRANSLATE_NOOP("Quillet::FieldPanelsText", "Прозрачный цвет"));
    requireChoice(v.CopyMode, 3, id,
                  QT_TRANSLATE_NOOP("Quillet::FieldPanelsText", "Режим копирования"));
    return composeImageField(id, imageOptionsOf(v));
}

} // namespace Quillet
