// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QImage>
#include <QWidget>

namespace Quillet {

/// `DXDraw1`: shows the page raster stretched to the widget's size (the view size of
/// the zoom) and reports the pointer in view pixels.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    /// The raster to show; it must outlive the view or be replaced before it goes.
    void setRaster(const QImage* raster);
    /// Redraws from the raster (the end of a repaint tick).
    void present() { update(); }

Q_SIGNALS:
    void pointerMoved(QPoint viewPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const QImage* m_raster = nullptr;
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
    void paintTicks(int length, double viewScale);
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    QImage m_picture;
};

} // namespace Quillet
