// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/render/TextLayout.h"

#include "core/render/PageRenderer.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace Quillet {
namespace {

const QString kSpace = QStringLiteral(" ");

int blockWidth(const TMatrix& r, int b)
{
    if (b < 0 || b >= int(r.Blocks.size()))
        return 0;
    return r.Blocks[size_t(b)].Right - r.Blocks[size_t(b)].Left;
}

// Builds the lines of the text at the canvas's current font size: words are added to a
// line while the line stays strictly narrower than its block; a word that does not fit
// even on an empty line becomes a line of its own (and is reported).
QStringList buildLines(const TMatrix& r, int count, TextCanvas& canvas)
{
    QStringList lines;
    const int n = int(r.Words.size());
    const bool bottomUp = r.Options.bottomUp;
    const int first = r.StartBlock;
    const int last = r.BlockCount - 1;
    int b = bottomUp ? r.StartBlock + count - 1 : r.StartBlock;
    int width = blockWidth(r, b);
    QString line;
    int i = 0;
    while (i < n) {
        const QString& w = r.Words[bottomUp ? n - 1 - i : i];
        // Measured as line + word in both directions, whatever order they end up in.
        if (canvas.textWidth(line + w) < width) {
            line = bottomUp ? w + kSpace + line : line + w + kSpace;
            ++i;
            continue;
        }
        const int next = bottomUp ? std::max(first, b - 1) : std::min(b + 1, last);
        if (!line.isEmpty()) {
            lines << line;
        } else if (!w.isEmpty()) {
            lines << w;
            canvas.errors().appendErrorLine(
                QCoreApplication::translate("Quillet::TextLayout", "не влезло слово: %1").arg(w));
            ++i;
        } else {
            lines << QString();
            // An empty word only fails to fit a block of no width; when no other block
            // is left to try it would be tried for ever.
            if (next == b)
                ++i;
        }
        line.clear();
        b = next;
        width = blockWidth(r, b);
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// The painter mapped from layout pixels onto the target page for the life of the object;
// left as it is where the mapping is the identity, which keeps a 300-dpi page's drawing
// (and a PDF's content) exactly what it would be without it.
class LayoutToTarget {
public:
    LayoutToTarget(QPainter& painter, const QTransform& toTarget)
        : m_painter(painter), m_mapped(!toTarget.isIdentity())
    {
        if (m_mapped) {
            m_painter.save();
            m_painter.setTransform(toTarget, true);
        }
    }
    ~LayoutToTarget()
    {
        if (m_mapped)
            m_painter.restore();
    }
    LayoutToTarget(const LayoutToTarget&) = delete;
    LayoutToTarget& operator=(const LayoutToTarget&) = delete;

private:
    QPainter& m_painter;
    bool m_mapped;
};

} // namespace

int fontPixelSize(int points, int dpi)
{
    const long long scaled = static_cast<long long>(points) * dpi;
    return int((scaled + 36) / 72); // dpi and points are positive: halves round up
}

QColor colorFromBgr(int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

TextCanvas::TextCanvas(const PageCanvas& target, int page, RenderErrorSink& errors)
    : m_painter(*target.painter), m_scale(double(MmPerPixel / target.mmPerPixel)), m_page(page),
      m_errors(errors), m_metrics(m_font)
{
    m_toTarget.translate(-target.origin.x, -target.origin.y);
    m_toTarget.scale(m_scale, m_scale);
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_font.setKerning(true);
}

void TextCanvas::setFont(const QString& face, int points, bool bold, bool italic, bool underline,
                         int32_t color)
{
    m_font.setFamily(face);
    m_font.setPixelSize(std::max(1, fontPixelSize(std::max(points, 1), TextLayoutDpi)));
    m_font.setBold(bold);
    m_font.setItalic(italic);
    m_font.setUnderline(underline);
    m_font.setStrikeOut(false);
    m_textColor = colorFromBgr(color);
    m_metrics = QFontMetrics(m_font);
}

void TextCanvas::setFontSize(int points)
{
    m_font.setPixelSize(std::max(1, fontPixelSize(std::max(points, 1), TextLayoutDpi)));
    m_metrics = QFontMetrics(m_font);
}

int TextCanvas::textWidth(const QString& text) const
{
    return text.isEmpty() ? 0 : m_metrics.horizontalAdvance(text);
}

int TextCanvas::textHeight() const
{
    return m_metrics.height();
}

void TextCanvas::setBrush(bool transparent, int32_t color)
{
    m_brushClear = transparent;
    m_brushColor = colorFromBgr(color);
}

void TextCanvas::fillBlock(const BlockRect& rect)
{
    if (m_brushClear || rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    const LayoutToTarget mapped(m_painter, m_toTarget);
    m_painter.fillRect(QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top),
                       m_brushColor);
}

void TextCanvas::DrawTextLine(const BlockRect& rect, const QString& line, int h, int v)
{
    if (m_observer)
        m_observer(rect, line, h, v, m_font.pixelSize());
    const int tw = textWidth(line);
    const int th = textHeight();
    int x = rect.Left;
    if (h == 1)
        x = (rect.Left + rect.Right - tw) / 2;
    else if (h == 2)
        x = rect.Right - tw;
    int y = rect.Top;
    if (v == 1)
        y = (rect.Top + rect.Bottom - th) / 2;
    else if (v == 2)
        y = rect.Bottom - th;

    const int blockWidth = rect.Right - rect.Left;
    if (tw > blockWidth && (blockWidth <= 0 || th <= 0))
        return;
    const LayoutToTarget mapped(m_painter, m_toTarget);
    m_painter.setFont(m_font);
    m_painter.setPen(m_textColor);
    if (tw > blockWidth) {
        if (!m_brushClear)
            m_painter.fillRect(QRect(rect.Left, y, blockWidth, th), m_brushColor);
        drawSqueezed(QRect(rect.Left, y, blockWidth, th), line, tw, th);
    } else {
        if (!m_brushClear && tw > 0)
            m_painter.fillRect(QRect(x, y, tw, th), m_brushColor);
        m_painter.drawText(x, y + m_metrics.ascent(), line);
    }
}

QRectF TextCanvas::inkBounds(const QString& text) const
{
    // The glyph boxes the renderer itself rasterises with, in whole pixels. Outlines would
    // give fractions, but the font engine loads them hinted, and a hinted glyph can come
    // out a 64th of a pixel different depending on the glyphs loaded before it, and a page
    // would then come out differently depending on the pages drawn before it.
    return QFontMetricsF(m_font).tightBoundingRect(text);
}

void TextCanvas::drawInBox(const BlockRect& box, const QString& text, const QPointF& baseline)
{
    if (m_observer)
        m_observer(box, text, 1, 1, m_font.pixelSize());
    const LayoutToTarget mapped(m_painter, m_toTarget);
    m_painter.setFont(m_font);
    m_painter.setPen(m_textColor);
    m_painter.drawText(baseline, text);
}

// The line is drawn at its own width off-screen, at the target's resolution so that a
// print keeps it sharp, then stretched to the block.
void TextCanvas::drawSqueezed(const QRect& target, const QString& line, int width, int height)
{
    const QRectF drawn(0, 0, width * m_scale, height * m_scale);
    QImage image(int(std::ceil(drawn.width())), int(std::ceil(drawn.height())),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.scale(m_scale, m_scale);
        p.setFont(m_font);
        p.setPen(m_textColor);
        p.drawText(0, m_metrics.ascent(), line);
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_painter.drawImage(QRectF(target), image, drawn);
    m_painter.restore();
}

QString ApplyAutoReplace(const ReplacePairs& pairs, const QString& text)
{
    for (const ReplacePair& pair : pairs) {
        if (pair.find.compare(text, Qt::CaseInsensitive) == 0)
            return pair.replacement;
    }
    return text;
}

int PrepareWords(TMatrix& r, TextCanvas& canvas)
{
    r.Words.clear();
    const QString s = r.Options.fieldText + kSpace;
    qsizetype start = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u' ' || c == u'\t' || c == u'\r') {
            r.Words << s.mid(start, i - start);
            start = i + 1;
        }
    }
    const TOptTextField& o = r.Options;
    canvas.setFont(o.fontName, o.fontSize, o.bold, o.italic, o.underline, o.textColor);

    int b = r.StartBlock;
    int k = 0;
    QString line;
    const int n = int(r.Words.size());
    while (k < n && b < r.BlockCount) {
        if (canvas.textWidth(line + r.Words[k]) < blockWidth(r, b)) {
            line += r.Words[k] + kSpace;
            ++k;
        } else {
            ++b;
            line.clear();
        }
    }
    if (b >= r.BlockCount) {
        canvas.errors().LogRenderError(
            QCoreApplication::translate("Quillet::TextLayout", "%1: %2   Мало блоков / %3")
                .arg(canvas.page())
                .arg(r.ValueIndex)
                .arg(o.fieldText));
    }
    return b - r.StartBlock + 1;
}

void DistributeText(const TMatrix& record, int count, TextCanvas& canvas)
{
    TMatrix r = record;
    const TOptTextField& o = r.Options;
    canvas.setBrush(o.transparentBackground, o.backgroundColor);
    if (r.BlockCount <= 0 || count <= 0)
        return; // nowhere to draw; PrepareWords has said so
    for (int n = 0; n < count; ++n)
        canvas.fillBlock(r.Blocks[size_t(std::min(r.StartBlock + n, r.BlockCount - 1))]);

    const int m = o.maxBlocks;
    if (m > 0 && m < count) {
        if (o.bottomUp)
            r.StartBlock += count - m;
        count = m;
    }

    QStringList lines;
    int size = o.fontSize + 1;
    for (;;) {
        --size;
        if (size <= 0) {
            canvas.errors().LogRenderError(
                QCoreApplication::translate("Quillet::TextLayout", "%1 :  не влез: %2")
                    .arg(canvas.page())
                    .arg(o.fieldText));
            return;
        }
        canvas.setFontSize(size);
        lines = buildLines(r, count, canvas);
        if (lines.size() <= count)
            break;
    }
    for (QString& line : lines) {
        if (line.endsWith(u' '))
            line.chop(1);
    }

    const int n = int(lines.size());
    if (n == 0)
        return;
    const int s = r.StartBlock;
    const int lastInRun = s + count - 1;
    const auto draw = [&](int line, int block, int code) {
        block = std::clamp(block, 0, r.BlockCount - 1);
        canvas.DrawTextLine(r.Blocks[size_t(block)], lines[line], code % 3, code / 3);
    };
    if (!o.bottomUp) {
        draw(0, s, o.alignFirst);
        for (int c = 1; c <= n - 2; ++c)
            draw(c, std::min(s + c, lastInRun), o.alignMain);
        if (n > 1)
            draw(n - 1, std::min(s + n - 1, lastInRun), o.alignLast);
    } else {
        draw(0, lastInRun, o.alignLast);
        for (int c = 1; c <= n - 2; ++c)
            draw(c, std::max(s, lastInRun - c), o.alignMain);
        if (n > 1)
            draw(n - 1, std::max(s, s + count - n), o.alignFirst);
    }
}

} // namespace Quillet
