// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Loading and composing the text and image field panels.

#include "core/fields/FieldPanels.h"

#include "core/app/NodeGrammar.h"
#include "core/app/OptionReader.h"
#include "core/common/Errors.h"

#include <algorithm>

namespace Quillet {
namespace {

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
    OptionReader in = optionsReader(nodeText, "Текстовое поле");
    v.Text = in.takeUntil(FieldSeparator, "текст поля").toString();
    v.AutoReplace = in.flag("признак автозамены");
    v.MaxCram = in.digit(9, "макс. число блоков на элемент");
    v.AlignCodes[0] = in.digit(9, "выравнивание первого блока");
    v.AlignCodes[1] = in.digit(9, "выравнивание основных блоков");
    v.AlignCodes[2] = in.digit(9, "выравнивание последнего блока");
    v.selectBlock(BlockFirst);
    // Only the two known characters move the direction buttons.
    const QChar direction = in.take(1, "направление заполнения")[0];
    if (direction == u'0')
        v.bottomUp = false;
    else if (direction == u'1')
        v.bottomUp = true;
    v.Transperent = in.flag("признак прозрачного фона");
    v.FonColor = in.integer(9, "цвет фона");
    v.FontColor = in.integer(9, "цвет текста");
    v.Boldchk = in.flag("признак полужирного");
    v.IncChk = in.flag("признак курсива");
    v.UndChk = in.flag("признак подчёркивания");
    v.Size = std::clamp(in.integer(3, "размер шрифта"), 4, 999);
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
    OptionReader in = optionsReader(nodeText, "Графическое поле");
    v.ImgFieldName = in.takeUntil(FieldSeparator, "имя файла изображения").toString();
    v.stretch = in.flag("признак растяжения");
    v.cutimg = in.flag("признак обрезки");
    v.keeprate = in.flag("признак сохранения пропорций");
    v.CenterImg = in.flag("признак центрирования");
    v.FonImgColor = in.integer(9, "цвет фона блока");
    v.TransFon = in.flag("признак прозрачного фона");
    v.transperentImg = in.digit(2, "режим прозрачности");
    if (v.transperentImg == TransparencyPixel) {
        v.C_X = in.integer(4, "X точки выбора цвета");
        v.C_Y = in.integer(4, "Y точки выбора цвета");
    } else if (v.transperentImg == TransparencyColor) {
        v.Trans_color = in.integer(9, "прозрачный цвет");
    }
    // Both markers are searched for: texts written before these options have neither,
    // and then the panel keeps what it showed. Setting the mode here is not the user's
    // choice, so the background colour stays as stored.
    const QStringView rest = in.rest();
    const int restPosition = in.position();
    const QString what = nodeName("Графическое поле", nodeText.left(4).toString());
    if (const qsizetype at = rest.indexOf(CopyModeMarker); at >= 0) {
        OptionReader item(rest.mid(at + 1), restPosition + int(at) + 1, what);
        v.CopyMode = item.digit(3, "режим копирования");
    }
    if (const qsizetype at = rest.indexOf(OpacityMarker); at >= 0) {
        OptionReader item(rest.mid(at + 1), restPosition + int(at) + 1, what);
        v.AlfaBlend = std::clamp(item.integer(3, "непрозрачность"), 0, 255);
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
