// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/editor/CanvasInteraction.h"

#include <QImage>
#include <QKeyEvent>
#include <QRect>
#include <QWidget>

#include <optional>

namespace Quillet {

/// `DXDraw1`: shows the page raster stretched to the widget's size (the view size of
/// the zoom), reports the mouse in view pixels and draws the overlays of the mouse work
/// over the stretched raster (the raster itself is never drawn into). Overlays are given
/// in page pixels.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    /// The raster to show; it must outlive the view or be replaced before it goes.
    void setRaster(const QImage* raster);
    /// Redraws from the raster (the end of a repaint tick).
    void present();

    /// The drag's or the coordinate panel's overlay; Kind::None clears it.
    void setOverlay(const CanvasOverlay& overlay);
    const CanvasOverlay& overlay() const { return m_overlay; }
    /// The current block's rectangle (page pixels, edges inclusive), outlined, with its
    /// eight handles when `handles` (it can be dragged); none clears.
    void setOutline(std::optional<QRect> block, bool handles = false);

Q_SIGNALS:
    /// Every pointer movement, first of all (the readout).
    void pointerMoved(QPoint viewPos);
    /// Then the same movement for the mouse work.
    void mouseMoved(QPoint viewPos, Qt::KeyboardModifiers modifiers);
    void mousePressed(QPoint viewPos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseReleased(QPoint viewPos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    /// A double click of the left button (its first press was reported as a press).
    void doubleClicked(QPoint viewPos);
    /// A key while the view has the focus, not yet accepted: a receiver that acts on it
    /// accepts it; otherwise it goes on to the scroll box.
    void keyPressed(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// A rectangle of page pixels (edges inclusive) in view coordinates.
    QRectF toView(const QRect& pagePx) const;
    void paintOverlays(QPainter& painter) const;
    void paintHandles(QPainter& painter) const;

    /// The raster as shown when the view is smaller than the page: every view pixel the
    /// average of the page pixels under it, so the form's thin lines stay visible (a
    /// filtered stretch samples a few pixels and drops whole rows and columns). Made anew
    /// when the raster is presented or the view changes size.
    const QImage& shrunkRaster();

    const QImage* m_raster = nullptr;
    QImage m_shrunk;
    bool m_shrunkStale = true;
    CanvasOverlay m_overlay;
    std::optional<QRect> m_outline;
    bool m_handles = false;
};

/// A ruler picture (`TopRule`, `LeftRule`): an image the window paints and a widget that
/// shows it at its own size, placed by the window inside its panel so it follows the
/// scroll position.
class Ruler : public QWidget {
    Q_OBJECT
public:
    explicit Ruler(Qt::Orientation orientation, QWidget* parent = nullptr);

    /// Redraws the picture: a `length`-pixel silver strip, 20 pixels across, with a tick
    /// and label per centimetre at `viewScale`. The top ruler carries a 20-pixel lead.
    /// Pixels are the widget's; the picture holds the screen's device pixels for them.
    void paintTicks(int length, double viewScale);
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    QImage m_picture;
};

} // namespace Quillet
