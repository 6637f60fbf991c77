// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "gui/app/BackgroundTask.h"

#include <QDialog>
#include <QImage>

#include <cstdint>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace Quillet {

class ImportDocument;

/// The page choice of the document import ("Открытие файла"): one page of an opened
/// document at a time, at its preview resolution, with zoom buttons, and OK / Cancel.
/// Previews are rendered on a worker thread, so the window answers at once however long
/// a page takes; only the page asked for last is ever shown, and a page that cannot be
/// rendered shows its error text in place of the picture. The window is meant to be
/// created once and reused for every import.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    /// Factor of one zoom-in or zoom-out step.
    static constexpr double ZoomStep = 1.2;
    /// Longest side, in pixels, the zoomed preview may have; zooming stops there.
    static constexpr int MaxViewSidePx = 8000;

    explicit ImportWindow(QWidget* parent = nullptr);
    /// Waits for a preview still being rendered.
    ~ImportWindow() override;

    /// Shows the pages of `document` (open) modally, starting at page 1, and returns the
    /// page the user chose with OK, or 0 for Cancel / Esc / closing the window.
    /// Returns 0 at once, without showing anything, when `document` is not open. When it
    /// returns, no preview of `document` is being rendered any more, so the caller may
    /// close the document at once.
    int choosePage(const ImportDocument& document);

    /// Zoom of the shown preview: picture pixels on screen per preview pixel.
    double previewZoom() const { return m_zoom; }
    /// The page whose preview (or error text) is shown; 0 before the first one arrives.
    int shownPage() const { return m_shownPage; }
    /// The shown page at its preview resolution, unzoomed; null while none is shown or
    /// when the page failed to render.
    QImage previewPicture() const { return m_page; }
    /// A preview has been asked for and is not shown yet: it renders on the worker thread.
    bool previewRendering() const { return m_task.isBusy(); }

private:
    QHBoxLayout* buildBottomBar();
    /// The page edit changed (or the first page is due): asks for that page's preview.
    void ShowPreviewPage();
    /// Shows the shown page at the current zoom.
    void RedrawPreview();
    void sSpeedButton1Click(); // actual size
    void sSpeedButton2Click(); // fit into the scroll box
    void sSpeedButton3Click(); // zoom out
    void sSpeedButton4Click(); // zoom in
    void startRender();
    void renderFinished(int page, std::uint64_t request, TaskResult<QImage>& rendered);
    void setZoom(double zoom);
    void showText(const QString& text);
    void placeBanner();
    /// Ends the current import: waits for the worker, drops what it renders, and forgets
    /// the document.
    void endSession();

    bool eventFilter(QObject* watched, QEvent* event) override;

    QScrollArea* sScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* m_banner = nullptr; // "page being prepared" over the old picture
    QSpinBox* sSpinEdit1 = nullptr;
    QToolButton* sSpeedButton1 = nullptr;
    QToolButton* sSpeedButton2 = nullptr;
    QToolButton* sSpeedButton3 = nullptr;
    QToolButton* sSpeedButton4 = nullptr;
    QToolButton* sSpeedButton5 = nullptr;
    QLabel* sLabelFX1 = nullptr;
    QPushButton* sBitBtn1 = nullptr;
    QPushButton* sBitBtn2 = nullptr;

    const ImportDocument* m_document = nullptr;
    /// Counts preview requests; a finished render that is not the latest is dropped.
    std::uint64_t m_request = 0;
    int m_wantedPage = 0;
    int m_shownPage = 0;
    QImage m_page;       // PreviewPage
    double m_zoom = 1.0; // PreviewZoom
    BackgroundTask m_task{QStringLiteral("ImportPreview")};
};

} // namespace Quillet
