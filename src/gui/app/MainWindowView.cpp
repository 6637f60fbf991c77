// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The page side of the main window: the repaint tick, zoom and calibration, page
// navigation and the page-set buttons.

#include "gui/app/MainWindow.h"

#include "core/app/PageCount.h"
#include "core/common/Errors.h"
#include "core/editor/CanvasInteraction.h"
#include "gui/app/AdvertPanel.h"
#include "gui/app/PageArea.h"
#include "gui/background/AnglePanel.h"
#include "gui/fields/EditingArea.h"
#include "gui/fields/FieldsPanel.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include <memory>
#include <new>

namespace Quillet {
namespace {

void showCoordsPreview(PageArea& view, const FieldEditor& editor)
{
    if (editor.panel() == EditorPanel::Coords)
        view.setOverlay(coordsPreviewRect(editor.coords));
}

} // namespace

void TForm1::connectPageArea()
{
    PageArea* p = m_page;
    connect(p, &PageArea::originalClicked, this, &TForm1::OriginalBtnClick);
    connect(p, &PageArea::screenClicked, this, &TForm1::ScreenBtnClick);
    connect(p, &PageArea::screenRightReleased, this, &TForm1::ScreenBtnMouseUp);
    connect(p, &PageArea::containClicked, this, &TForm1::ContainBtnClick);
    connect(p, &PageArea::scaleUpClicked, this, &TForm1::ScaleUpBtnClick);
    connect(p, &PageArea::scaleDownClicked, this, &TForm1::ScaleDownBtnClick);
    connect(p, &PageArea::repaintClicked, this, &TForm1::RePaintBtnClick);
    connect(p, &PageArea::pageChanged, this, &TForm1::PageNChange);
    connect(p, &PageArea::lastClicked, this, &TForm1::LastBtnClick);
    connect(p, &PageArea::pointerMoved, this, [this](QPoint at) {
        const QChar point = QLocale().decimalPoint().at(0);
        m_statusPanels[1]->setText(ViewZoom::pointerReadout(at.x(), m_view.ViewScale, point));
        m_statusPanels[3]->setText(ViewZoom::pointerReadout(at.y(), m_view.ViewScale, point));
    });
    connectCanvas();
}

void TForm1::connectCanvas()
{
    // The drag lives as long as the connections that share it.
    auto drag = std::make_shared<CanvasInteraction>();
    PageArea* view = m_page;
    const auto event = [this](QPoint at, bool left, Qt::KeyboardModifiers modifiers) {
        return CanvasEvent{at, m_view.ViewScale, modifiers.testFlag(Qt::ControlModifier), left,
                           m_editor.panel() == EditorPanel::AngleOpt};
    };
    const auto showPoints = [this](QPointF t1, QPointF t2) {
        if (auto* angle = m_editingArea->findChild<AnglePanel*>())
            angle->setPoints(t1, t2);
        else
            m_background.setAnglePoints(t1, t2);
    };
    m_blockDrag = BlockDrag(QApplication::startDragDistance());
    connect(view, &PageArea::mousePressed, this,
            [this, drag, view, event](QPoint at, Qt::MouseButton button,
                                      Qt::KeyboardModifiers modifiers) {
                const CanvasEvent e = event(at, button == Qt::LeftButton, modifiers);
                if (pressBlock(e)) {
                    drag->DragActive = false;
                    return;
                }
                const CanvasPressContext context = canvasContext();
                try {
                    drag->press(m_document, e, context);
                } catch (const Error& error) {
                    LogRenderError(error.message());
                }
                view->setOverlay(drag->overlay(e.angleShown));
            });
    connect(view, &PageArea::mouseMoved, this,
            [this, drag, view, event, showPoints](QPoint at, Qt::KeyboardModifiers modifiers) {
                const CanvasEvent e = event(at, true, modifiers);
                if (!drag->DragActive) {
                    dragBlock(e);
                    return;
                }
                view->setOverlay(drag->move(e));
                if (e.angleShown)
                    showPoints(drag->start, drag->current);
            });
    connect(view, &PageArea::mouseReleased, this,
            [this, drag, view, event, showPoints](QPoint at, Qt::MouseButton button,
                                                  Qt::KeyboardModifiers modifiers) {
                if (releaseBlock(event(at, button == Qt::LeftButton, modifiers)))
                    return;
                if (!drag->DragActive)
                    return;
                const CanvasRelease done =
                    drag->release(m_document, event(at, button == Qt::LeftButton, modifiers));
                view->setOverlay({});
                if (done.anglePoints)
                    showPoints(done.anglePoints->first, done.anglePoints->second);
                if (done.newBlock) {
                    m_fieldsPanel->refresh();
                    m_fieldsPanel->selectNode(*done.newBlock);
                    m_document.RepaintPending = true;
                }
            });
    connect(view, &PageArea::doubleClicked, this, [this](QPoint at) {
        if (m_view.PageN != 0 || m_editor.isOpen())
            return;
        // The editing area lives in the settings column, which the pause stands in for: a
        // panel opened now would be out of sight while the page view waits for it.
        if (m_advert->pause().showing()) {
            showStatusMessage(tr("Блок можно открыть после рекламной паузы"));
            return;
        }
        const std::optional<NodeRef> hit = blockAt(
            m_document.project.Structure, mmToPixelPoint(viewToMmPoint(at, m_view.ViewScale)));
        if (!hit)
            return;
        m_fieldsPanel->selectNode(*hit);
        m_editingArea->openNode(*hit);
    });
    connect(view, &PageArea::viewKeyPressed, this, &TForm1::nudgeBlock);
    // The coordinate panel previews its rectangle on every change.
    connect(m_editingArea, &EditingArea::valuesChanged, this,
            [this, view] { showCoordsPreview(*view, m_editor); });
    connect(m_editingArea, &EditingArea::opened, this,
            [this, view] { showCoordsPreview(*view, m_editor); });
    connect(m_editingArea, &EditingArea::closed, this, [drag, view] {
        if (!drag->DragActive)
            view->setOverlay({});
    });
}

void TForm1::resizeRaster()
{
    const Project& project = m_document.project;
    const QSize size(project.pageWidthPx(), project.pageHeightPx());
    if (m_raster.size() == size)
        return;
    m_raster = makePageRaster(project);
    m_document.RepaintPending = true;
}

const QImage& TForm1::shownBackground()
{
    const QImage& shown = m_background.ShownBackground();
    if (shown.isNull()) {
        m_shownRgb32 = QImage();
        m_shownKey = 0;
    } else if (shown.cacheKey() != m_shownKey) {
        m_shownRgb32 = shown.convertToFormat(QImage::Format_RGB32);
        m_shownKey = shown.cacheKey();
    }
    return m_shownRgb32;
}

void TForm1::RepaintTimeTimer()
{
    repaintIfPending();
    // The countdown runs on repaint ticks, so it rests while a project loads; a pause that
    // falls due waits while the editing area is open.
    m_advert->repaintTick(m_editor.isOpen());
}

void TForm1::repaintIfPending()
{
    if (!m_document.RepaintPending)
        return;
    m_document.RepaintPending = false;
    repaintPage();
    showCaption();
    // Work begun in the unnamed project puts its page in view.
    showStartPage();
}

void TForm1::repaintPage()
{
    resizeRaster();
    if (m_raster.isNull())
        return;
    UpdateViewSize();
    refreshPageCount();
    m_raster.fill(Qt::white);
    // While a field panel is open the layout view shows the field as the panel would
    // write it; the document is not touched.
    Project preview;
    const Project* project = &m_document.project;
    if (m_editor.isOpen()) {
        preview = m_document.project;
        preview.Structure = m_editor.previewTree();
        project = &preview;
    }
    const std::shared_ptr<const Workbook> workbook = m_link.workbook();
    RenderSource source;
    source.project = project;
    source.projectPath = m_document.ProjectPath;
    source.workbook = workbook.get();
    source.shownBackground = shownBackground();
    source.withBackground = m_export.WithBack;
    source.selectedNode = m_fieldsPanel->selectedNode();
    RenderTarget target;
    target.image = &m_raster;
    try {
        RenderPage(source, target, m_view.PageN, *this);
    } catch (const Error& e) {
        // A node text that does not parse ends this render only; the page keeps what
        // was drawn before it.
        LogRenderError(e.message());
    } catch (const std::bad_alloc&) {
        LogRenderError(tr("Не хватает памяти, чтобы нарисовать страницу."));
    } catch (const std::exception& e) {
        LogRenderError(tr("Внутренняя ошибка при рисовании страницы: %1")
                           .arg(QString::fromLocal8Bit(e.what())));
    }
    showCurrentBlock(project->Structure);
    showCoordsPreview(*m_page, m_editor);
    m_page->present();
    Q_EMIT pageDrawn(m_view.PageN);
}

void TForm1::UpdateViewSize()
{
    m_page->UpdateViewSize(m_raster.size(), m_view.ViewScale);
}

void TForm1::showZoom()
{
    m_view.ViewScale = ViewZoom::bounded(m_view.ViewScale);
    m_statusPanels[5]->setText(
        ViewZoom::zoomReadout(m_view.ViewScale, QLocale().decimalPoint().at(0)));
    UpdateViewSize();
}

void TForm1::OriginalBtnClick()
{
    m_view.ViewScale = 1.0;
    showZoom();
}

void TForm1::ScreenBtnClick()
{
    const QScreen* shown = screen();
    const double dpi = shown != nullptr ? shown->logicalDotsPerInchX() : 96.0;
    m_view.ViewScale = ViewZoom::physicalScale(m_view.CalibratedScale, dpi);
    showZoom();
}

void TForm1::ScreenBtnMouseUp()
{
    bool ok = false;
    // The proposed length is written as the locale writes numbers, which is how it is read.
    const QString entry =
        QInputDialog::getText(this, tr("настройка в ручную"),
                              tr("Сколько реально занимают 10 см на программной линейке: "),
                              QLineEdit::Normal, QLocale().toString(9.85, 'f', 2), &ok);
    if (!ok)
        return;
    const std::optional<double> scale = ViewZoom::calibrate(m_view.ViewScale, entry, QLocale());
    if (!scale)
        return;
    m_view.ViewScale = ViewZoom::bounded(*scale);
    m_view.CalibratedScale = m_view.ViewScale;
    showZoom();
    try {
        m_userSettings.setCalibratedScale(m_view.CalibratedScale);
    } catch (const Error& e) {
        QMessageBox::warning(this, QStringLiteral("Quillet"), e.message());
    }
    m_page->present();
}

void TForm1::ContainBtnClick()
{
    m_view.ViewScale =
        ViewZoom::fitScale(m_page->viewportSize(), m_raster.width(), m_raster.height());
    showZoom();
}

void TForm1::ScaleUpBtnClick()
{
    m_view.ViewScale = ViewZoom::zoomIn(m_view.ViewScale);
    showZoom();
}

void TForm1::ScaleDownBtnClick()
{
    m_view.ViewScale = ViewZoom::zoomOut(m_view.ViewScale);
    showZoom();
}

void TForm1::RePaintBtnClick()
{
    m_document.RepaintPending = true;
}

void TForm1::PageNChange(int value)
{
    m_view.PageN = value;
    m_document.RepaintPending = true;
    // Not at once and not at the tick: the keys of a held paging key that queued up while
    // the last page was drawn all move the page number first, then one render draws
    // where they ended.
    if (!m_stepRepaint->isActive())
        m_stepRepaint->start();
}

void TForm1::refreshPageCount()
{
    const Project& project = m_document.project;
    m_page->setLastPage(UpdatePageCount(project.Structure, project.settings.Direct));
}

void TForm1::LastBtnClick()
{
    refreshPageCount();
    m_page->setPage(m_page->lastPage());
}

} // namespace Quillet
