// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"
#include "core/data/SpreadsheetLink.h"
#include "core/editor/ViewGeometry.h"
#include "core/render/PageRenderer.h"

#include <QImage>
#include <QMainWindow>
#include <QUrl>

#include <array>

class QLabel;
class QTimer;

namespace Quillet {

class PageArea;
class SettingsColumn;

/// The main window. It holds the open project document, the view state and the page
/// raster; the settings column and the page area are panel classes it wires up. Edits
/// only set RepaintPending; the 500 ms repaint tick draws the page.
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

    /// Loads `path` as the current project; errors are shown in a message box and leave
    /// the current project as it was. Returns true when the project was loaded.
    bool LoadProject(const QString& path);

    /// Appends a line to `ErroreList` and shows `ErroreBox` when `ShowErr` is checked.
    void LogRenderError(const QString& line) override;
    /// Appends a line without opening the error list.
    void appendErrorLine(const QString& line) override;

    /// The developer's web page that `ToolButton30` opens.
    static QUrl developerPage();

public Q_SLOTS:
    // Shell
    void ProjectBtnClick();
    void BackBtnClick();
    void BlockBtnClick();
    void StructureBtnClick();
    void exportBtnClick();
    void UndoBtnClick();
    void ToolButton30Click();
    void sBitBtn11Click();
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
    void ToolButton49Click();
    void ToolButton50Click();
    void ToolButton51Click();
    void ToolButton52Click();
    // Project commands and user settings
    void CreateBtnClick();
    void OpenBtnClick();
    /// Returns true when the project was written.
    bool SaveBtnClick();
    void RecentProjectClick();
    void SizeListChange(int index);
    void sSpeedButton9Click();
    void sSpeedButton8Click();
    void PrWidthExit();
    void PrHeightExit();
    // Workbook link
    void xlsFileEnter();
    void xlsFileExit();
    void xlsFileBrowseClick();
    void sSpeedButton2Click();
    void sSpeedButton4Click();
    void DirectClick(int item);
    // Structure
    void StructureChange();
    void RelateListClickCheck();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    void buildStatusBar();
    void connectShell();
    void connectPageArea();
    void connectProjectControls();
    void FormActivate();
    bool FormKeyDown(QKeyEvent* key);
    bool handleAltKey(int key);
    bool handleCtrlKey(int key);
    void saveToProjectPathOrAsk();
    bool askToSaveChanges();
    bool writeProject(const QString& path);
    void BuildRecentMenu();
    void AddRecentProject(const QString& path);
    QStringList recentMenuPaths() const;
    void fillSizeList();
    void applyPageSideExit(bool width);
    void resizeRaster();
    void showProject();
    void showProjectPath();
    void showZoom();
    void refreshPageCount();
    void showWorkbookResult(const SpreadsheetLink::ExitResult& result);
    void showError(const QString& message);

    UserSettings m_userSettings;
    ProjectDocument m_document;
    ViewState m_view;
    SpreadsheetLink m_link;
    QImage m_raster;
    QImage m_shownBackground;
    QByteArray m_backgroundSource;
    ProjectSettings m_backgroundSettings;
    bool m_backgroundBuilt = false;
    SettingsColumn* m_settings = nullptr;
    PageArea* m_page = nullptr;
    QLabel* m_messPanel = nullptr;
    QTimer* m_repaintTime = nullptr;
    /// Status panels: "X: ", X, "Y: ", Y, "Масштаб:", zoom, project path.
    std::array<QLabel*, 7> m_statusPanels{};
};

} // namespace Quillet
