// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Loading and composing the text and image field panels.

#include "core/fields/FieldPanels.h"

#include "core/app/NodeGrammar.h"
#include "core/app/OptionReader.h"
#include "core/common/Errors.h"

#include <algorithm>

namespace Quillet {
namespace
{

// The node text after its four-character ID, read from node-text position 5.
OptionReader optionsReader(QStringView nodeText, const char* kind)
{
    return OptionReader(nodeText.mid(4), 5, nodeName(kind, nodeText.left(4).toString()));
}

// A panel value narrowed to the grammar's small fields; the writers check the exact
// range, this only keeps the narrowing from wrapping a wild value into a valid one.
uint8_t narrowed(int value, const QString& id, const char* item)
{
    if (value < 0 || value > 255) {
        throw ConversionError(QStringLiteral("Поле %1: значение «%2» (%3) вне допустимых "
                                             "пределов.")
                                  .arg(id, QString::fromUtf8(item))
                                  .arg(value));
    }
    return uint8_t(value);
}

void requireChoice(int value, int last, const QString& id, const char* item)
{
    if (value < 0 || value > last) {
        throw ConversionError(
            QStringLiteral("Поле %1: не выбран вариант «%2».").arg(id, QString::fromUtf8(item)));
    }
}

} // namespace

void loadTextPanel(QStringView nodeText, TextPanelValues& v)
{
    OptionReader in = optionsReader(nodeText, "Text field");
    v.Text = in.takeUntil(FieldSeparator, "the field text").toString();
    v.AutoReplace = in.flag("the auto-replace flag");
    v.MaxCram = in.digit(9, "the maximum blocks per element");
    v.AlignCodes[0] = in.digit(9, "the first block's alignment");
    v.AlignCodes[1] = in.digit(9, "the main blocks' alignment");
    v.AlignCodes[2] = in.digit(9, "the last block's alignment");
    v.selectBlock(BlockFirst);
    // Only the two known characters move the direction buttons.
    const QChar direction = in.take(1, "the fill direction")[0];
    if (direction == u'0')
        v.bottomUp = false;
    else if (direction == u'1')
        v.bottomUp = true;
    v.Transperent = in.flag("the transparent-background flag");
    v.FonColor = in.integer(9, "the background colour");
    v.FontColor = in.integer(9, "the text colour");
    v.Boldchk = in.flag("the bold flag");
    v.IncChk = in.flag("the italic flag");
    v.UndChk = in.flag("the underline flag");
    v.Size = std::clamp(in.integer(3, "the font size"), 4, 999);
    v.fontName = in.rest().toString();
}

QString composeTextNode(const QString& id, const TextPanelValues& v)
{
    TOptTextField o;
    o.fieldText = v.Text;
    o.autoReplace = v.AutoReplace;
    o.maxBlocks = narrowed(v.MaxCram, id, "Макс. число блоков на элемент поля");
    o.alignFirst = narrowed(v.AlignCodes[0], id, "выравнивание первого блока");
    o.alignMain = narrowed(v.AlignCodes[1], id, "выравнивание основных блоков");
    o.alignLast = narrowed(v.AlignCodes[2], id, "выравнивание последнего блока");
    o.bottomUp = v.bottomUp;
    o.transparentBackground = v.Transperent;
    o.backgroundColor = v.FonColor;
    o.textColor = v.FontColor;
    o.bold = v.Boldchk;
    o.italic = v.IncChk;
    o.underline = v.UndChk;
    o.fontSize = v.Size;
    o.fontName = v.fontName;
    return composeTextField(id, o);
}

void loadImagePanel(QStringView nodeText, ImagePanelValues& v)
{
    OptionReader in = optionsReader(nodeText, "Image field");
    v.ImgFieldName = in.takeUntil(FieldSeparator, "the image file name").toString();
    v.stretch = in.flag("the stretch flag");
    v.cutimg = in.flag("the cut flag");
    v.keeprate = in.flag("the keep-proportions flag");
    v.CenterImg = in.flag("the centre flag");
    v.FonImgColor = in.integer(9, "the block background colour");
    v.TransFon = in.flag("the transparent-background flag");
    v.transperentImg = in.digit(2, "the transparency mode");
    if (v.transperentImg == TransparencyPixel) {
        v.C_X = in.integer(4, "the pick point X");
        v.C_Y = in.integer(4, "the pick point Y");
    } else if (v.transperentImg == TransparencyColor) {
        v.Trans_color = in.integer(9, "the transparent colour");
    }
    // Both markers are searched for: texts written before these options have neither,
    // and then the panel keeps what it showed. Setting the mode here is not the user's
    // choice, so the background colour stays as stored.
    const QStringView rest = in.rest();
    const int restPosition = in.position();
    const QString what = nodeName("Image field", nodeText.left(4).toString());
    if (const qsizetype at = rest.indexOf(CopyModeMarker); at >= 0) {
        OptionReader item(rest.mid(at + 1), restPosition + int(at) + 1, what);
        v.CopyMode = item.digit(3, "the copy mode");
    }
    if (const qsizetype at = rest.indexOf(OpacityMarker); at >= 0) {
        OptionReader item(rest.mid(at + 1), restPosition + int(at) + 1, what);
        v.AlfaBlend = std::clamp(item.integer(3, "the opacity"), 0, 255);
    }
}

QString composeImageNode(const QString& id, const ImagePanelValues& v)
{
    requireChoice(v.transperentImg, TransparencyColor, id, "Прозрачный цвет");
    requireChoice(v.CopyMode, 3, id, "Режим копирования");
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
    return composeImageField(id, o);
}

} // namespace Quillet
