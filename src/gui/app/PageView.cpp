// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/PageView.h"

#include "core/editor/ViewGeometry.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace Quillet {
namespace {

constexpr int kRulerBreadth = 20;
const QColor kRulerColour(0xC0, 0xC0, 0xC0);

} // namespace

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DXDraw1"));
    setToolTip(QStringLiteral("ALT + Стрелки"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void PageView::setRaster(const QImage* raster)
{
    m_raster = raster;
    update();
}

void PageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_raster == nullptr || m_raster->isNull()) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    // Smoothing matters when the page is shrunk: thin form lines would drop out.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, width() < m_raster->width());
    painter.drawImage(rect(), *m_raster);
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT pointerMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
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
    m_picture = QImage(qMax(w, 1), qMax(h, 1), QImage::Format_RGB32);
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
