// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/PageArea.h"

#include "core/editor/ViewGeometry.h"
#include "gui/app/PageView.h"
#include "gui/app/StartPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace Quillet {
namespace {

constexpr int kRulerBreadth = 20;
// The scroll bar's line increment: one wheel notch moves the page this far.
constexpr int kWheelLine = 8;

} // namespace

PageArea::PageArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sPanel1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    layout->addWidget(sToolBar1);
    buildRulersAndView();
    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(TopRulePnl, 0, 0, 1, 2);
    grid->addWidget(LeftRulePnl, 1, 0);
    grid->addWidget(sScrollBox1, 1, 1);
    // Over the rulers and the view, in the same cells: the view keeps the size a project
    // is fitted to while the start page covers it.
    m_startPage = new StartPage(this);
    m_startPage->hide();
    grid->addWidget(m_startPage, 0, 0, 2, 2);
    layout->addLayout(grid, 1);
}

QToolButton* PageArea::addToolButton(const char* name, IconName icon, const QString& hint,
                                     void (PageArea::*clicked)())
{
    QToolButton* button = iconButton(sToolBar1, name, icon, hint);
    // Tab reaches them, a click leaves the focus with the page.
    button->setFocusPolicy(Qt::TabFocus);
    sToolBar1->addWidget(button);
    connect(button, &QToolButton::clicked, this, clicked);
    return button;
}

void PageArea::buildToolBar()
{
    sToolBar1 = new QToolBar(this);
    sToolBar1->setObjectName(QStringLiteral("sToolBar1"));
    addToolButton("OriginalBtn", IconName::ZoomOriginal, tr("Максимально близко ( ALT+NUM * )"),
                  &PageArea::originalClicked);
    ScreenBtn = addToolButton("ScreenBtn", IconName::ZoomPhysical,
                              tr("Физический размер (ALT + INSERT)"), &PageArea::screenClicked);
    // The right button calibrates; a tool button takes only the left.
    ScreenBtn->installEventFilter(this);
    addToolButton("ContainBtn", IconName::ZoomFit, tr("Вместить в видимую область ( ALT + NUM / )"),
                  &PageArea::containClicked);
    addToolButton("ScaleUpBtn", IconName::ZoomIn, tr("На 20% больше ( ALT + \"+\" )"),
                  &PageArea::scaleUpClicked);
    addToolButton("ScaleDownBtn", IconName::ZoomOut, tr("На 20% меньше ( ALT + \"-\" )"),
                  &PageArea::scaleDownClicked);
    sToolBar1->addSeparator();
    addToolButton("RePaintBtn", IconName::PageRepaint, tr("Перерисовать"),
                  &PageArea::repaintClicked);
    auto* label = new QLabel(tr("Страница:"), sToolBar1);
    label->setContentsMargins(6, 0, 3, 0);
    sToolBar1->addWidget(label);
    PageN = new QSpinBox(sToolBar1);
    PageN->setObjectName(QStringLiteral("PageN"));
    PageN->setRange(0, 1);
    PageN->setMinimumWidth(70);
    sToolBar1->addWidget(PageN);
    label->setBuddy(PageN);
    connect(PageN, &QSpinBox::valueChanged, this, &PageArea::pageChanged);
    // How far the pages go, beside the number: "из 30".
    PageCount = new QLabel(sToolBar1);
    PageCount->setObjectName(QStringLiteral("PageCount"));
    PageCount->setContentsMargins(4, 0, 3, 0);
    PageCount->setText(tr("из %1").arg(PageN->maximum()));
    sToolBar1->addWidget(PageCount);
    addToolButton("LastBtn", IconName::PageLast, tr("К последней странице ( ALT + END )"),
                  &PageArea::lastClicked);
}

void PageArea::buildRulersAndView()
{
    TopRulePnl = new QWidget(this);
    TopRulePnl->setObjectName(QStringLiteral("TopRulePnl"));
    TopRulePnl->setFixedHeight(kRulerBreadth);
    TopRule = new Ruler(Qt::Horizontal, TopRulePnl);
    LeftRulePnl = new QWidget(this);
    LeftRulePnl->setObjectName(QStringLiteral("LeftRulePnl"));
    LeftRulePnl->setFixedWidth(kRulerBreadth);
    LeftRule = new Ruler(Qt::Vertical, LeftRulePnl);

    sScrollBox1 = new QScrollArea(this);
    sScrollBox1->setObjectName(QStringLiteral("sScrollBox1"));
    sScrollBox1->setFrameShape(QFrame::NoFrame);
    sScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A grey desk around the white page.
    sScrollBox1->viewport()->setBackgroundRole(QPalette::Dark);
    sScrollBox1->setWidgetResizable(false);
    DXDraw1 = new PageView;
    sScrollBox1->setWidget(DXDraw1);
    connect(DXDraw1, &PageView::pointerMoved, this, &PageArea::pointerMoved);
    connect(DXDraw1, &PageView::mouseMoved, this, &PageArea::mouseMoved);
    connect(DXDraw1, &PageView::mousePressed, this, &PageArea::mousePressed);
    connect(DXDraw1, &PageView::mouseReleased, this, &PageArea::mouseReleased);
    connect(DXDraw1, &PageView::doubleClicked, this, &PageArea::doubleClicked);
    connect(DXDraw1, &PageView::keyPressed, this, &PageArea::viewKeyPressed);
    sScrollBox1->viewport()->installEventFilter(this);
    DXDraw1->installEventFilter(this);
    connect(sScrollBox1->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &PageArea::sScrollBox1AfterScroll);
    connect(sScrollBox1->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &PageArea::sScrollBox1AfterScroll);
}

void PageArea::UpdateViewSize(QSize pagePx, double viewScale)
{
    m_viewScale = viewScale;
    DXDraw1->resize(ViewZoom::viewSize(pagePx.width(), pagePx.height(), viewScale));
    paintRulers();
    sScrollBox1AfterScroll();
}

void PageArea::paintRulers()
{
    LeftRule->paintTicks(qMax(DXDraw1->height(), LeftRulePnl->height()), m_viewScale);
    TopRule->paintTicks(qMax(DXDraw1->width() + kRulerBreadth, TopRulePnl->width()), m_viewScale);
}

void PageArea::sScrollBox1AfterScroll()
{
    const QScrollBar* vertical = sScrollBox1->verticalScrollBar();
    const QScrollBar* horizontal = sScrollBox1->horizontalScrollBar();
    // A bar shows exactly while it has a range; its visibility flag lags behind the
    // layout while the window is being set up.
    LeftRule->move(0, vertical->maximum() > 0 ? 1 - vertical->value() : 0);
    TopRule->move(horizontal->maximum() > 0 ? 1 - horizontal->value() : 0, 0);
}

void PageArea::scrollBy(Qt::Orientation orientation, int delta)
{
    QScrollBar* bar = orientation == Qt::Horizontal ? sScrollBox1->horizontalScrollBar()
                                                    : sScrollBox1->verticalScrollBar();
    bar->setValue(bar->value() + delta);
    sScrollBox1AfterScroll();
}

QSize PageArea::viewportSize() const
{
    return sScrollBox1->size();
}

int PageArea::page() const
{
    return PageN->value();
}

void PageArea::setPage(int page)
{
    PageN->setValue(page);
}

int PageArea::lastPage() const
{
    return PageN->maximum();
}

void PageArea::setLastPage(int page)
{
    PageN->setMaximum(page);
    PageCount->setText(tr("из %1").arg(page));
}

void PageArea::setRaster(const QImage* raster)
{
    DXDraw1->setRaster(raster);
}

void PageArea::present()
{
    DXDraw1->present();
}

void PageArea::setOverlay(const CanvasOverlay& overlay)
{
    DXDraw1->setOverlay(overlay);
}

void PageArea::setOutline(std::optional<QRect> block, bool handles)
{
    DXDraw1->setOutline(block, handles);
}

void PageArea::setViewCursor(Qt::CursorShape shape)
{
    if (DXDraw1->cursor().shape() != shape)
        DXDraw1->setCursor(shape);
}

void PageArea::setViewEnabled(bool enabled)
{
    DXDraw1->setEnabled(enabled);
}

void PageArea::showStartPage(bool shown)
{
    m_startPage->setVisible(shown);
    if (shown)
        m_startPage->raise();
}

bool PageArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScreenBtn && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        Q_EMIT screenRightReleased();
        return true;
    }
    if ((watched == sScrollBox1->viewport() || watched == DXDraw1)
        && event->type() == QEvent::Wheel) {
        // Whatever the modifiers, the wheel scrolls vertically by whole notches.
        const auto* wheel = static_cast<QWheelEvent*>(event);
        scrollBy(Qt::Vertical, -(wheel->angleDelta().y() / 120) * kWheelLine);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PageArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The rulers are at least as long as their panels.
    paintRulers();
    sScrollBox1AfterScroll();
}

} // namespace Quillet
