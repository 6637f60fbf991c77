// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/render/CombLayout.h"

#include "core/render/PageRenderer.h"

#include <algorithm>
#include <climits>
#include <map>

#include <QCoreApplication>

namespace Quillet {
namespace {

// A character that leaves a box blank: spaces, line ends and other control characters
// take their box like any other but print nothing.
bool isBlank(const QString& character)
{
    return std::all_of(character.begin(), character.end(), [](QChar c) {
        return c.isSpace() || c.category() == QChar::Other_Control
               || c.category() == QChar::Other_Format;
    });
}

// One past the last block of line `line`.
int lineEnd(const TMatrix& r, int line)
{
    return line + 1 < int(r.CombLines.size()) ? r.CombLines[size_t(line) + 1]
                                              : int(r.Blocks.size());
}

int boxWidth(const BlockRect& box)
{
    return box.Right - box.Left;
}

// What each box of a run of `boxes` prints, empty for nothing: the characters shifted
// by the alignment, the boxes left over dashed when asked for.
std::vector<QString> boxContents(const QStringList& characters, int boxes, const TOptTextField& o)
{
    std::vector<QString> shown(size_t(std::max(boxes, 0)));
    const int placed = std::min(int(characters.size()), boxes);
    const int spare = boxes - placed;
    const int h = o.alignFirst % 3;
    const int start = h == 2 ? spare : h == 1 ? spare / 2 : 0;
    for (int i = 0; i < placed; ++i)
        shown[size_t(start + i)] = characters[i];
    if (o.dashEmpty) {
        for (int i = 0; i < boxes; ++i) {
            if (i < start || i >= start + placed)
                shown[size_t(i)] = QStringLiteral("-");
        }
    }
    for (QString& s : shown) {
        if (isBlank(s))
            s.clear();
    }
    return shown;
}

// The field's size when its widest printed character is narrower than the narrowest box
// there, else the largest size at which it is (widths grow with the size, so the search
// halves the range); 0 when not even size 1 fits.
int fittingSize(TextCanvas& canvas, int fieldSize, const QStringList& printed, int narrowest)
{
    const auto fits = [&](int points) {
        canvas.setFontSize(points);
        int widest = 0;
        for (const QString& s : printed)
            widest = std::max(widest, canvas.textWidth(s));
        return widest < narrowest;
    };
    const int size = std::max(fieldSize, 1);
    if (fits(size))
        return size;
    int fitting = 0; // the largest size known to fit, 0 for none yet
    int tooLarge = size;
    while (tooLarge - fitting > 1) {
        const int middle = fitting + (tooLarge - fitting) / 2;
        if (fits(middle))
            fitting = middle;
        else
            tooLarge = middle;
    }
    return fitting;
}

// Draws what each box of the run from block `first` shows, in the canvas's font. Each
// character's ink is centred across its box; down, the ink of all the characters taken
// together is centred, so that they share one baseline (a dash keeps its height among
// digits, a letter with a breve stands level with the others).
void drawBoxes(TextCanvas& canvas, const Tblocks& blocks, int first,
               const std::vector<QString>& shown, const QStringList& printed)
{
    std::map<QString, QRectF> ink;
    QRectF together;
    for (const QString& s : printed) {
        const QRectF bounds = canvas.inkBounds(s);
        ink[s] = bounds;
        together |= bounds;
    }
    if (together.isEmpty())
        return;
    const double inkMiddle = (together.top() + together.bottom()) / 2;
    for (size_t i = 0; i < shown.size(); ++i) {
        const QString& s = shown[i];
        const BlockRect& box = blocks[size_t(first) + i];
        if (s.isEmpty() || box.Right <= box.Left || box.Bottom <= box.Top)
            continue; // nothing to print, or nowhere to print it
        const QRectF& glyph = ink[s];
        const QPointF baseline((box.Left + box.Right) / 2.0 - (glyph.left() + glyph.right()) / 2,
                               (box.Top + box.Bottom) / 2.0 - inkMiddle);
        canvas.drawInBox(box, s, baseline);
    }
}

} // namespace

std::vector<int> combLines(const Tblocks& blocks)
{
    std::vector<int> lines;
    for (size_t b = 0; b < blocks.size(); ++b) {
        if (b > 0) {
            const BlockRect& before = blocks[b - 1];
            const BlockRect& box = blocks[b];
            const bool overlaps = before.Top < before.Bottom && box.Top < box.Bottom
                                  && box.Top < before.Bottom && before.Top < box.Bottom;
            if (overlaps && box.Left > before.Left)
                continue;
        }
        lines.push_back(int(b));
    }
    return lines;
}

int combLinesNeeded(const TMatrix& r)
{
    const int total = int(r.CombLines.size());
    if (total == 0)
        return 1;
    const int characters = int(r.Options.combCharacters(r.Options.fieldText).size());
    const int startLine = std::clamp(r.StartLine, 0, total - 1);
    int line = startLine;
    int boxes = 0;
    while (line < total) {
        boxes += lineEnd(r, line) - r.CombLines[size_t(line)];
        ++line;
        if (boxes >= characters)
            break;
    }
    return std::max(1, line - startLine);
}

CombRun combRunOfLines(const TMatrix& r, int lines, int printed)
{
    const int total = int(r.CombLines.size());
    if (total == 0 || lines <= 0)
        return {};
    const int startLine = std::clamp(r.StartLine, 0, total - 1);
    const int last = std::min(startLine + lines, total) - 1;
    const int lastPrinted = std::min(startLine + printed, last + 1) - 1;
    const int first = r.CombLines[size_t(startLine)];
    return CombRun{first, lastPrinted < startLine ? 0 : lineEnd(r, lastPrinted) - first,
                   lineEnd(r, last) - first};
}

void DistributeComb(const TMatrix& r, const CombRun& run, TextCanvas& canvas)
{
    const TOptTextField& o = r.Options;
    const int blockCount = int(r.Blocks.size());
    const int first = std::clamp(run.first, 0, blockCount);
    const int boxes = std::clamp(run.count, 0, blockCount - first);
    const int filled = std::clamp(std::max(run.filled, run.count), 0, blockCount - first);
    canvas.setBrush(o.transparentBackground, o.backgroundColor);
    for (int i = 0; i < filled; ++i)
        canvas.fillBlock(r.Blocks[size_t(first + i)]);

    const QStringList characters = o.combCharacters(o.fieldText);
    if (characters.size() > boxes) {
        canvas.errors().LogRenderError(
            QCoreApplication::translate(
                "Quillet::CombLayout",
                "%1: поле %2: не поместились знаки «%3» (знаков %4, клеток %5)")
                .arg(QString::number(canvas.page()), r.FieldId,
                     characters.mid(boxes).join(QString()), QString::number(characters.size()),
                     QString::number(boxes)));
    }
    const std::vector<QString> shown = boxContents(characters, boxes, o);
    QStringList printed;
    int narrowest = INT_MAX;
    for (int i = 0; i < boxes; ++i) {
        narrowest = std::min(narrowest, boxWidth(r.Blocks[size_t(first + i)]));
        const QString& s = shown[size_t(i)];
        if (!s.isEmpty() && !printed.contains(s))
            printed << s;
    }
    if (printed.isEmpty())
        return;

    canvas.setFont(o.fontName, o.fontSize, o.bold, o.italic, o.underline, o.textColor);
    int size = fittingSize(canvas, o.fontSize, printed, narrowest);
    if (size == 0) {
        canvas.errors().LogRenderError(
            QCoreApplication::translate("Quillet::CombLayout", "%1 :  не влез: %2")
                .arg(QString::number(canvas.page()), o.fieldText));
        size = 1;
    }
    canvas.setFontSize(size);
    drawBoxes(canvas, r.Blocks, first, shown, printed);
}

} // namespace Quillet
