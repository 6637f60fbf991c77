// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/PageView.h"

#include "core/editor/BlockHandles.h"
#include "core/editor/ViewGeometry.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace Quillet {
namespace {

constexpr int kRulerBreadth = 20;
const QColor kRulerColour(0xC0, 0xC0, 0xC0);

} // namespace

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DXDraw1"));
    setToolTip(tr("ALT + Стрелки"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void PageView::setRaster(const QImage* raster)
{
    m_raster = raster;
    m_shrunkStale = true;
    update();
}

void PageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_raster == nullptr || m_raster->isNull()) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    if (width() < m_raster->width() || height() < m_raster->height())
        painter.drawImage(0, 0, shrunkRaster());
    else
        painter.drawImage(rect(), *m_raster);
    paintOverlays(painter);
}

void PageView::present()
{
    m_shrunkStale = true;
    update();
}

const QImage& PageView::shrunkRaster()
{
    if (m_shrunkStale || m_shrunk.size() != size()) {
        // Qt's smooth scaling averages the whole area under each pixel when it shrinks.
        m_shrunk = m_raster->scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_shrunkStale = false;
    }
    return m_shrunk;
}

void PageView::setOverlay(const CanvasOverlay& overlay)
{
    if (overlay == m_overlay)
        return;
    m_overlay = overlay;
    update();
}

void PageView::setOutline(std::optional<QRect> block, bool handles)
{
    handles = handles && block.has_value();
    if (block == m_outline && handles == m_handles)
        return;
    m_outline = block;
    m_handles = handles;
    update();
}

QRectF PageView::toView(const QRect& pagePx) const
{
    const double sx = double(width()) / m_raster->width();
    const double sy = double(height()) / m_raster->height();
    return QRectF(pagePx.left() * sx, pagePx.top() * sy, pagePx.width() * sx, pagePx.height() * sy);
}

void PageView::paintOverlays(QPainter& painter) const
{
    const QColor red(0xFF, 0, 0);
    if (m_outline) {
        painter.setPen(QPen(red, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(toView(*m_outline).adjusted(-1, -1, 0, 0));
        paintHandles(painter);
    }
    if (m_overlay.kind == CanvasOverlay::Kind::HatchedRect) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(red, Qt::DiagCrossPattern));
        painter.drawRect(toView(QRect(m_overlay.from, m_overlay.to).normalized()));
    } else if (m_overlay.kind == CanvasOverlay::Kind::DashedLine) {
        // Three page pixels wide, but never thinner than one screen pixel.
        const double scale = double(width()) / m_raster->width();
        QPen pen(red, std::max(1.0, 3 * scale), Qt::DashLine);
        painter.setPen(pen);
        const QPointF from = toView(QRect(m_overlay.from, QSize(1, 1))).center();
        const QPointF to = toView(QRect(m_overlay.to, QSize(1, 1))).center();
        painter.drawLine(from, to);
    }
}

void PageView::paintHandles(QPainter& painter) const
{
    if (!m_handles)
        return;
    const QRect& r = *m_outline;
    const double scale = double(width()) / m_raster->width();
    painter.setPen(QPen(QColor(0x80, 0, 0), 1));
    painter.setBrush(Qt::white);
    // A pen's rectangle covers one pixel more each way: taken off, a handle covers its square.
    for (const QRectF& handle :
         blockHandles(BlockRect{r.left(), r.top(), r.right(), r.bottom()}, scale))
        painter.drawRect(handle.adjusted(0, 0, -1, -1));
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    Q_EMIT pointerMoved(at);
    Q_EMIT mouseMoved(at, event->modifiers());
    QWidget::mouseMoveEvent(event);
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT mousePressed(event->position().toPoint(), event->button(), event->modifiers());
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    Q_EMIT mouseReleased(event->position().toPoint(), event->button(), event->modifiers());
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked(event->position().toPoint());
}

void PageView::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    Q_EMIT keyPressed(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

Ruler::Ruler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("TopRule")
                                                : QStringLiteral("LeftRule"));
}

void Ruler::paintTicks(int length, double viewScale)
{
    const bool top = m_orientation == Qt::Horizontal;
    const int w = top ? length : kRulerBreadth;
    const int h = top ? kRulerBreadth : length;
    // At the screen's pixel ratio, so the labels stay sharp on a screen at 200 %.
    const qreal ratio = devicePixelRatioF();
    m_picture = QImage(qMax(qCeil(w * ratio), 1), qMax(qCeil(h * ratio), 1), QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(kRulerColour);
    QPainter painter(&m_picture);
    painter.setPen(Qt::black);
    painter.setFont(font());
    const QFontMetrics metrics(painter.font());
    const long long room = ViewZoom::rulerLabelRoom(viewScale);
    // The top ruler's zero sits after the lead that spans the left ruler's column.
    const int extent = top ? length - kRulerBreadth : length;
    for (size_t n = 0; const int at : ViewZoom::rulerTicks(viewScale, extent)) {
        const QString label = QString::number(n++);
        const int labelWidth = metrics.horizontalAdvance(label);
        if (top) {
            painter.drawLine(at + kRulerBreadth, 0, at + kRulerBreadth, kRulerBreadth);
            if (labelWidth < room)
                painter.drawText(at + kRulerBreadth + 1, 2 + metrics.ascent(), label);
        } else {
            painter.drawLine(0, at, kRulerBreadth, at);
            if (metrics.height() < room && labelWidth < 18)
                painter.drawText(1, at + 1 + metrics.ascent(), label);
        }
    }
    painter.end();
    resize(w, h);
    update();
}

void Ruler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

} // namespace Quillet
