// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Distributing a text value over a run of a field's blocks: words are wrapped block by
// block, the font shrinks until the lines fit the run, lines are placed by the fill
// direction and the first/main/last block alignments, and an over-wide line is squeezed
// to its block. Text is never broken inside a word.
//
// All of that is decided on the 300-dpi page whatever the target's resolution, and only
// the drawing is scaled: a font's pixel size and a text's width round differently at
// each resolution, so text laid out at the printer's resolution would drift along its
// line against the rendered page and could even break its lines elsewhere.

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/render/PageCanvas.h"

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <functional>
#include <vector>

namespace Quillet {

class RenderErrorSink;

/// The resolution text is laid out at, whatever the target's.
inline constexpr int TextLayoutDpi = 300;

/// The render-time record of one text field.
struct TMatrix {
    TOptTextField Options;       // the field text member holds the value about to be drawn
    Tblocks Blocks;              // in pixels of the 300-dpi page, without the target's origin
    std::vector<QString> Values; // elements, when drawn in the group pass
    QStringList Words;
    int BlockCount = 0;
    int StartBlock = 0;
    int ValueCount = 0;
    int ValueIndex = 0;
    bool Deferred = false;
    QString FieldId;            // the field's four-digit ID, for messages
    std::vector<int> CombLines; // comb fields: the first block of each line of boxes
    int StartLine = 0;          // comb fields: the line the next element starts on
};

/// The canvas a text is measured and drawn on, with the page number of the render (for
/// messages) and the error list. Everything it is given and gives back is in layout
/// pixels, those of the 300-dpi page without an origin: font sizes, widths, blocks.
/// Drawing maps them onto the target page: scaled by the ratio of the target's pixels
/// per millimetre to the layout's, less the target's origin, through whatever transform
/// its painter already has. At 300 dpi with no origin that mapping is the identity.
class TextCanvas {
public:
    /// Draws with `target`'s painter (not null) onto a page of its mmPerPixel and origin.
    TextCanvas(const PageCanvas& target, int page, RenderErrorSink& errors);

    /// Sets the font: `face` resolved through fontconfig, `points` at the layout
    /// resolution (at least 1 pixel), the styles and the colour ($00BBGGRR).
    void setFont(const QString& face, int points, bool bold, bool italic, bool underline,
                 int32_t color);
    /// Changes only the size of the current font.
    void setFontSize(int points);
    /// Width of a text in layout pixels in the current font.
    int textWidth(const QString& text) const;
    /// Full height of a line in layout pixels in the current font, accents and
    /// descenders included.
    int textHeight() const;

    /// The brush behind text and fills: none (transparent) or a colour.
    void setBrush(bool transparent, int32_t color);

    /// Fills Left ≤ x < Right, Top ≤ y < Bottom (layout pixels) with the brush (nothing
    /// when clear).
    void fillBlock(const BlockRect& rect);

    /// `DrawTextLine`: one line into one block (layout pixels) with horizontal alignment
    /// h and vertical alignment v (0, 1, 2); a line wider than the block is squeezed to
    /// its width.
    void DrawTextLine(const BlockRect& rect, const QString& line, int h, int v);

    /// The tight box of the ink of `text` in the current font, in whole layout pixels
    /// relative to its pen position on the baseline (y grows downwards), the same for the
    /// same text whatever was drawn before; empty when the text leaves no ink (blanks).
    QRectF inkBounds(const QString& text) const;

    /// Draws `text` in the current font with its pen position at `baseline` (layout
    /// pixels, fractions kept), as one character of a comb field put into `box`; the
    /// observer is told of it as a line centred both ways (1, 1) in that box.
    void drawInBox(const BlockRect& box, const QString& text, const QPointF& baseline);

    /// Called for every line DrawTextLine draws and every character drawInBox draws, with
    /// the block, the text, the alignment and the font's pixel size, all in layout pixels
    /// (tests and diagnostics).
    using LineObserver =
        std::function<void(const BlockRect&, const QString&, int h, int v, int pixelSize)>;
    void setLineObserver(LineObserver observer) { m_observer = std::move(observer); }

    int page() const { return m_page; }
    RenderErrorSink& errors() { return m_errors; }

private:
    void drawSqueezed(const QRect& target, const QString& line, int width, int height);

    QPainter& m_painter;
    QTransform m_toTarget; // layout pixels to the target's page pixels
    double m_scale;        // target pixels per layout pixel
    int m_page;
    RenderErrorSink& m_errors;
    QFont m_font;
    QColor m_textColor;
    bool m_brushClear = true;
    QColor m_brushColor;
    mutable QFontMetrics m_metrics;
    LineObserver m_observer;
};

/// Pixel size of a font of `points` at `dpi` (points × dpi / 72, halves rounded up).
int fontPixelSize(int points, int dpi);

/// $00BBGGRR → QColor.
QColor colorFromBgr(int32_t value);

/// `ApplyAutoReplace`: the replacement of the first pair whose text equals the whole
/// value without regard to letter case, or the value unchanged.
QString ApplyAutoReplace(const ReplacePairs& pairs, const QString& text);

/// `PrepareWords`: splits the record's field text into words, sets the canvas font of
/// the field, and returns how many blocks of the run the value needs at the field's own
/// size (at least 1); logs "Мало блоков" when it does not fit the remaining blocks.
int PrepareWords(TMatrix& record, TextCanvas& canvas);

/// `DistributeText`: draws the value into `count` blocks from the record's StartBlock,
/// shrinking the font until the lines fit. Works on a copy of the record.
void DistributeText(const TMatrix& record, int count, TextCanvas& canvas);

} // namespace Quillet
