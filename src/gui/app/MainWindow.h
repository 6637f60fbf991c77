// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"
#include "core/background/BackgroundSettings.h"
#include "core/data/SpreadsheetLink.h"
#include "core/editor/BlockHandles.h"
#include "core/editor/ViewGeometry.h"
#include "core/export/ExportOptions.h"
#include "core/fields/FieldEditor.h"
#include "core/render/PageRenderer.h"
#include "gui/app/ProjectPanel.h"

#include <QImage>
#include <QMainWindow>

#include <array>

class QLabel;
class QTimer;

namespace Quillet {

class AdvertPanel;
class BackgroundPanel;
class EditingArea;
class ExportPanel;
class FieldsPanel;
class GuideWindow;
class PageArea;
class PageSizePanel;
class SettingsColumn;
class WorkbookPanel;

/// The main window: the shell. It holds the document, the view state and the page
/// raster, composes the area panels of the settings column and the page area, routes
/// the keys, runs the 500 ms repaint tick and keeps the error list. Edits only set
/// RepaintPending; the tick draws the page. A page step is drawn as soon as the events
/// already queued have been handled: a paging key held down draws the newest page each
/// time the window is free, and the steps that came meanwhile are never drawn one by one.
class TForm1 : public QMainWindow, public RenderErrorSink {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    /// The project named on the command line; loaded when the window first becomes
    /// active.
    void setProjectPath(const QString& path);

    ProjectDocument& document() { return m_document; }
    const ProjectDocument& document() const { return m_document; }
    const ViewState& viewState() const { return m_view; }
    const QImage& pageRaster() const { return m_raster; }
    UserSettings& userSettings() { return m_userSettings; }
    const FieldEditor& fieldEditor() const { return m_editor; }
    const ExportOptions& exportOptions() const { return m_export; }

    /// Loads `path` as the current project; errors are shown in a message box and leave
    /// the current project as it was. Returns true when the project was loaded.
    bool LoadProject(const QString& path);

    /// Appends a line to `ErroreList` and shows `ErroreBox` when `ShowErr` is checked.
    void LogRenderError(const QString& line) override;
    /// Appends a line without opening the error list.
    void appendErrorLine(const QString& line) override;
    /// Shows `line` in the status bar for a few seconds, over the coordinates.
    void showStatusMessage(const QString& line);

    /// The guide to making a form (`Guide`), opened by `ToolButton30` and F1.
    void showGuide();

public Q_SLOTS:
    void ProjectBtnClick();
    void BackBtnClick();
    void BlockBtnClick();
    void StructureBtnClick();
    void exportBtnClick();
    void UndoBtnClick();
    /// `RedoBtn`, Ctrl+Y and Ctrl+Shift+Z.
    void RedoBtnClick();
    /// The "?" button: the guide.
    void ToolButton30Click();
    /// The repaint tick: draws the page when RepaintPending is set, then advances the
    /// advertising countdown (every tick, drawn or not).
    void RepaintTimeTimer();
    // Zoom and page
    void OriginalBtnClick();
    void ScreenBtnClick();
    void ScreenBtnMouseUp();
    void ContainBtnClick();
    void ScaleUpBtnClick();
    void ScaleDownBtnClick();
    void UpdateViewSize();
    void RePaintBtnClick();
    void PageNChange(int value);
    void LastBtnClick();

Q_SIGNALS:
    /// The page raster now holds page `page` (0 = the layout view); the page view shows
    /// it at its next paint.
    void pageDrawn(int page);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    void buildPanels();
    void buildStatusBar();
    void connectPanels();
    void connectPrinting();
    void connectEditor();
    void connectPageArea();
    void connectCanvas();
    // The current block on the page view (MainWindowBlocks.cpp).
    CanvasPressContext canvasContext() const;
    bool pressBlock(const CanvasEvent& event);
    bool dragBlock(const CanvasEvent& event);
    bool releaseBlock(const CanvasEvent& event);
    void nudgeBlock(QKeyEvent* key);
    void showCurrentBlock(const FieldTree& tree);
    void FormActivate();
    bool FormKeyDown(QKeyEvent* key);
    bool handleAltKey(int key);
    bool handleCtrlKey(int key);
    void aboutToReplaceProject();
    void showProject(ProjectPanel::Change change);
    /// After an undo or redo: the tree, the page count and a restored background.
    void showRestored();
    void showProjectPath();
    /// The start page covers the page view exactly while no project is open.
    void showStartPage();
    /// The caption: the project file's name, with "*" while it has unsaved changes.
    void showCaption();
    void editorOpened(bool pageViewEnabled);
    void editorClosed();
    void editorApplied(const ApplyResult& result);
    void openAngleOptions();
    /// Draws the page when RepaintPending is set.
    void repaintIfPending();
    void repaintPage();
    void resizeRaster();
    void showZoom();
    void refreshPageCount();
    const QImage& shownBackground();

    UserSettings m_userSettings;
    ProjectDocument m_document;
    ViewState m_view;
    SpreadsheetLink m_link;
    BackgroundSettings m_background;
    FieldEditor m_editor;
    ExportOptions m_export;
    BlockDrag m_blockDrag;
    QImage m_raster;
    // ShownBackground in the page raster's pixel layout, remade when it changes.
    QImage m_shownRgb32;
    qint64 m_shownKey = 0;
    SettingsColumn* m_settings = nullptr;
    PageArea* m_page = nullptr;
    ProjectPanel* m_projectPanel = nullptr;
    WorkbookPanel* m_workbookPanel = nullptr;
    PageSizePanel* m_sizePanel = nullptr;
    BackgroundPanel* m_backgroundPanel = nullptr;
    FieldsPanel* m_fieldsPanel = nullptr;
    ExportPanel* m_exportPanel = nullptr;
    EditingArea* m_editingArea = nullptr;
    AdvertPanel* m_advert = nullptr;
    GuideWindow* m_guide = nullptr;
    QLabel* m_messPanel = nullptr;
    /// A background source is on a long step: the window waits for it and cannot close.
    bool m_busy = false;
    QTimer* m_repaintTime = nullptr;
    /// Single shot, 0 ms: a page step's render, after the events queued with it.
    QTimer* m_stepRepaint = nullptr;
    /// Status panels: "X: ", X, "Y: ", Y, "Масштаб:", zoom, project path.
    std::array<QLabel*, 7> m_statusPanels{};
};

} // namespace Quillet
