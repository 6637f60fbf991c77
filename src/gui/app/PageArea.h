// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/editor/CanvasInteraction.h"
#include "gui/app/Icons.h"

#include <QKeyEvent>
#include <QRect>
#include <QWidget>

#include <optional>

class QImage;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace Quillet {

class PageView;
class Ruler;
class StartPage;

/// `sPanel1`, the page area: the zoom and page toolbar `sToolBar1`, the rulers in their
/// panels and the scroll box `sScrollBox1` with the page view `DXDraw1`. It keeps the
/// rulers on the view and reports its controls by signals; the window answers them and
/// drives the area through the methods below. While no project is open the start page
/// covers the rulers and the view, which keep their size beneath it.
class PageArea : public QWidget {
    Q_OBJECT
public:
    explicit PageArea(QWidget* parent = nullptr);

    /// `UpdateViewSize`: sizes the view to the page of `pagePx` page pixels at
    /// `viewScale`, repaints both rulers and lines them up with the scroll position.
    void UpdateViewSize(QSize pagePx, double viewScale);
    /// After-scroll notification: rulers follow the scroll bars (1 − position while a
    /// bar shows, 0 while it is hidden).
    void sScrollBox1AfterScroll();
    /// Moves a scroll bar by `delta` pixels, then raises the after-scroll notification.
    void scrollBy(Qt::Orientation orientation, int delta);
    /// The scroll box's size: the room a fitted page has.
    QSize viewportSize() const;

    /// The page `PageN` shows.
    int page() const;
    /// Shows `page`, held within 0 … lastPage(); a change is reported by pageChanged.
    void setPage(int page);
    /// The last page `PageN` offers (the page count).
    int lastPage() const;
    void setLastPage(int page);

    /// The raster the page view shows; it must outlive the area or be replaced first.
    void setRaster(const QImage* raster);
    /// Shows the raster anew (the end of a repaint tick).
    void present();
    /// The mouse work's or the coordinate panel's overlay, in page pixels.
    void setOverlay(const CanvasOverlay& overlay);
    /// The current block (page pixels, edges inclusive), outlined, with its handles when
    /// `handles`; none clears it.
    void setOutline(std::optional<QRect> block, bool handles = false);
    /// The pointer's shape over the page view.
    void setViewCursor(Qt::CursorShape shape);
    /// Whether the page view takes the mouse (not while a field or block panel is open).
    void setViewEnabled(bool enabled);

    /// `StartPage`, shown over the view by showStartPage().
    StartPage* startPage() const { return m_startPage; }
    void showStartPage(bool shown);

Q_SIGNALS:
    // The toolbar: `OriginalBtn`, `ScreenBtn` (left click, and right button released),
    // `ContainBtn`, `ScaleUpBtn`, `ScaleDownBtn`, `RePaintBtn`, `LastBtn`, `PageN`.
    void originalClicked();
    void screenClicked();
    void screenRightReleased();
    void containClicked();
    void scaleUpClicked();
    void scaleDownClicked();
    void repaintClicked();
    void lastClicked();
    void pageChanged(int page);

    // The page view, in view pixels: every pointer movement first (the readout), then the
    // mouse work's events.
    void pointerMoved(QPoint viewPos);
    void mouseMoved(QPoint viewPos, Qt::KeyboardModifiers modifiers);
    void mousePressed(QPoint viewPos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseReleased(QPoint viewPos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void doubleClicked(QPoint viewPos);
    /// A key on the focused page view (PageView::keyPressed).
    void viewKeyPressed(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* addToolButton(const char* name, IconName icon, const QString& hint,
                               void (PageArea::*clicked)());
    void buildToolBar();
    void buildRulersAndView();
    void paintRulers();

    double m_viewScale = 1.0;
    QToolBar* sToolBar1 = nullptr;
    QToolButton* ScreenBtn = nullptr;
    QSpinBox* PageN = nullptr;
    QLabel* PageCount = nullptr;
    QWidget* TopRulePnl = nullptr;
    QWidget* LeftRulePnl = nullptr;
    Ruler* TopRule = nullptr;
    Ruler* LeftRule = nullptr;
    QScrollArea* sScrollBox1 = nullptr;
    PageView* DXDraw1 = nullptr;
    StartPage* m_startPage = nullptr;
};

} // namespace Quillet
