// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QWidget>

class QLabel;
class QScrollArea;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace Quillet {

class PageView;
class Ruler;

/// `sPanel1`, the page area: the zoom and page toolbar `sToolBar1`, the rulers in their
/// panels and the scroll box `sScrollBox1` with the page view `DXDraw1`. The window
/// wires the controls; this class lays them out and keeps the rulers on the view.
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

    QToolBar* sToolBar1 = nullptr;
    QToolButton* OriginalBtn = nullptr;
    QToolButton* ScreenBtn = nullptr;
    QToolButton* ContainBtn = nullptr;
    QToolButton* ScaleUpBtn = nullptr;
    QToolButton* ScaleDownBtn = nullptr;
    QToolButton* RePaintBtn = nullptr;
    QSpinBox* PageN = nullptr;
    QToolButton* LastBtn = nullptr;
    QWidget* TopRulePnl = nullptr;
    QWidget* LeftRulePnl = nullptr;
    Ruler* TopRule = nullptr;
    Ruler* LeftRule = nullptr;
    QScrollArea* sScrollBox1 = nullptr;
    PageView* DXDraw1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* addToolButton(const char* name, const QString& text, const QString& hint);
    void buildToolBar();
    void buildRulersAndView();
    void paintRulers();

    double m_viewScale = 1.0;
};

} // namespace Quillet
