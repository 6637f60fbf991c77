// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The window's composition: the area panels of the settings column, the editing area,
// and what the window does when they report a change.

#include "gui/app/MainWindow.h"

#include "core/app/ExampleProject.h"
#include "core/common/Errors.h"
#include "gui/app/PageArea.h"
#include "gui/app/ProjectPanel.h"
#include "gui/app/SettingsColumn.h"
#include "gui/app/StartPage.h"
#include "gui/background/BackgroundPanel.h"
#include "gui/data/WorkbookPanel.h"
#include "gui/editor/PageSizePanel.h"
#include "gui/export/ExportPanel.h"
#include "gui/export/Printing.h"
#include "gui/fields/EditingArea.h"
#include "gui/fields/FieldsPanel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

namespace Quillet {

void TForm1::buildPanels()
{
    using Area = SettingsColumn::Area;
    m_projectPanel = new ProjectPanel(m_document, m_userSettings);
    m_workbookPanel = new WorkbookPanel(m_document, m_link);
    m_sizePanel = new PageSizePanel(m_document, m_userSettings);
    auto* languagePanel = new LanguagePanel(m_userSettings);
    m_backgroundPanel = new BackgroundPanel(m_background);
    m_fieldsPanel = new FieldsPanel(m_document);
    m_exportPanel = new ExportPanel(m_export, m_document, m_view, m_link);
    for (QWidget* panel :
         {static_cast<QWidget*>(m_projectPanel), static_cast<QWidget*>(m_workbookPanel),
          static_cast<QWidget*>(m_sizePanel), static_cast<QWidget*>(languagePanel),
          static_cast<QWidget*>(m_backgroundPanel), static_cast<QWidget*>(m_fieldsPanel),
          static_cast<QWidget*>(m_exportPanel)})
        m_settings->addPanel(panel);
    m_settings->setAreaAnchor(Area::Project, m_projectPanel);
    m_settings->setAreaAnchor(Area::Background, m_backgroundPanel->anchor());
    m_settings->setAreaAnchor(Area::Blocks, m_fieldsPanel->blocksAnchor());
    m_settings->setAreaAnchor(Area::Structure, m_fieldsPanel->structureAnchor());
    m_settings->setAreaAnchor(Area::Export, m_exportPanel);
    m_editingArea = new EditingArea(
        m_editor, m_document, m_background, m_link, [this] { return m_document.ProjectPath; },
        [this] { return m_view.PageN; });
    m_settings->setEditingArea(m_editingArea, m_editingArea->buttonBar());
    // The editor's font starts as the program's own.
    if (m_editor.text.fontName.isEmpty())
        m_editor.text.fontName = font().family();
}

void TForm1::connectPanels()
{
    using Area = SettingsColumn::Area;
    connect(m_settings, &SettingsColumn::areaRequested, this,
            [this](Area area) { m_settings->showArea(area); });
    connect(m_settings, &SettingsColumn::undoRequested, this, &TForm1::UndoBtnClick);
    connect(m_settings, &SettingsColumn::redoRequested, this, &TForm1::RedoBtnClick);
    connect(m_settings, &SettingsColumn::guideRequested, this, &TForm1::ToolButton30Click);
    StartPage* start = m_page->startPage();
    connect(start, &StartPage::createClicked, m_projectPanel, &ProjectPanel::CreateBtnClick);
    connect(start, &StartPage::openClicked, m_projectPanel, &ProjectPanel::OpenBtnClick);
    connect(start, &StartPage::recentChosen, m_projectPanel, &ProjectPanel::openRecent);
    connect(start, &StartPage::exampleClicked, m_projectPanel, &ProjectPanel::openExample);
    connect(m_projectPanel, &ProjectPanel::aboutToReplaceProject, this,
            &TForm1::aboutToReplaceProject);
    connect(m_projectPanel, &ProjectPanel::projectReplaced, this, &TForm1::showProject);
    connect(m_projectPanel, &ProjectPanel::projectPathChanged, this, &TForm1::showProjectPath);
    connect(m_workbookPanel, &WorkbookPanel::pageCountChanged, this, &TForm1::refreshPageCount);
    connect(&m_link, &SpreadsheetLink::errorLine, this, &TForm1::LogRenderError);
    connect(m_sizePanel, &PageSizePanel::pageSizeChanged, this, &TForm1::resizeRaster);
    connect(m_backgroundPanel, &BackgroundPanel::angleOptionsRequested, this,
            &TForm1::openAngleOptions);
    connect(m_backgroundPanel, &BackgroundPanel::busyChanged, this, [this](bool busy) {
        m_busy = busy;
        m_messPanel->setVisible(busy);
        setEnabled(!busy);
    });
    connect(m_fieldsPanel, &FieldsPanel::selectionChanged, this,
            [this] { m_document.RepaintPending = true; });
    connect(m_projectPanel, &ProjectPanel::projectPathChanged, m_exportPanel,
            [this] { m_exportPanel->setDialogName(m_document.ProjectPath); });
    connect(m_exportPanel, &ExportPanel::progressStarted, m_settings,
            [this](int maximum) { m_settings->startProgress(maximum, true); });
    connect(m_exportPanel, &ExportPanel::progressChanged, m_settings, &SettingsColumn::setProgress);
    connect(m_exportPanel, &ExportPanel::progressEnded, m_settings, &SettingsColumn::endProgress);
    connect(m_settings, &SettingsColumn::cancelRequested, m_exportPanel,
            &ExportPanel::cancelExport);
    connect(m_exportPanel, &ExportPanel::errorLine, this, &TForm1::LogRenderError);
    // LibreOffice computing or converting a workbook: how long is not known beforehand.
    connect(m_workbookPanel, &WorkbookPanel::progressStarted, m_settings,
            [this] { m_settings->startProgress(0, true); });
    connect(m_workbookPanel, &WorkbookPanel::progressEnded, m_settings,
            &SettingsColumn::endProgress);
    connect(m_settings, &SettingsColumn::cancelRequested, m_workbookPanel,
            &WorkbookPanel::cancelOpen);
    connectPrinting();
}

void TForm1::connectPrinting()
{
    PrintContext context;
    context.document = &m_document;
    context.options = &m_export;
    context.link = &m_link;
    context.userSettings = &m_userSettings;
    context.errors = this;
    context.progress = m_settings;
    context.copies = [this] { return m_exportPanel->copies(); };
    context.controls = m_exportPanel;
    auto* printing = new PrintController(context, this);
    connect(m_exportPanel, &ExportPanel::printRequested, printing, &PrintController::JPGPrintClick);
    connect(m_exportPanel, &ExportPanel::printerSetupRequested, printing,
            &PrintController::N1Click);
    connect(m_exportPanel, &ExportPanel::calibrationRequested, printing,
            &PrintController::calibrationClick);
}

void TForm1::connectEditor()
{
    connect(m_fieldsPanel, &FieldsPanel::createRequested, this,
            [this](FieldKind kind) { m_editingArea->openNew(kind); });
    connect(m_fieldsPanel, &FieldsPanel::nodeActivated, this,
            [this](const NodeRef& node) { m_editingArea->openNode(node); });
    connect(m_fieldsPanel, &FieldsPanel::divideRequested, this,
            [this](const NodeRef& node) { m_editingArea->openDivide(node); });
    connect(m_fieldsPanel, &FieldsPanel::replaceRequested, m_editingArea,
            &EditingArea::openReplace);
    connect(m_fieldsPanel, &FieldsPanel::errorLine, this, &TForm1::LogRenderError);
    connect(m_fieldsPanel, &FieldsPanel::statusMessage, this, &TForm1::showStatusMessage);
    connect(m_editingArea, &EditingArea::opened, this, &TForm1::editorOpened);
    connect(m_editingArea, &EditingArea::closed, this, &TForm1::editorClosed);
    connect(m_editingArea, &EditingArea::applied, this, &TForm1::editorApplied);
    connect(m_editingArea, &EditingArea::valuesChanged, this,
            [this] { m_document.RepaintPending = true; });
    connect(m_editingArea, &EditingArea::statusMessage, this, &TForm1::showStatusMessage);
}

bool TForm1::LoadProject(const QString& path)
{
    return m_projectPanel->LoadProject(path);
}

void TForm1::aboutToReplaceProject()
{
    if (m_editor.isOpen())
        m_editingArea->CancelBtnClick();
    m_repaintTime->stop();
}

void TForm1::showProject(ProjectPanel::Change change)
{
    showStartPage();
    if (change == ProjectPanel::Change::Unchanged) {
        m_repaintTime->start();
        return;
    }
    m_workbookPanel->refresh();
    m_sizePanel->refresh();
    m_fieldsPanel->refresh();
    // The loader's last step: the width edit's leave handling makes the processed
    // background from what was read.
    try {
        m_background.projectReplaced();
    } catch (const Error& e) {
        LogRenderError(e.message());
    }
    m_backgroundPanel->projectReplaced();
    if (change == ProjectPanel::Change::Created)
        m_page->setPage(0);
    else
        m_workbookPanel->openLinkedWorkbook();
    resizeRaster();
    refreshPageCount();
    // A project comes into view whole, wherever the last one was zoomed to.
    ContainBtnClick();
    m_document.RepaintPending = true;
    m_repaintTime->start();
}

void TForm1::showStartPage()
{
    const bool shown = !m_document.isProjectOpen();
    StartPage* start = m_page->startPage();
    if (shown && start->isHidden()) {
        // What it offers is read when it comes back: the recent list changes by saving.
        start->setRecentProjects(m_userSettings.recentProjects());
        start->setExampleAvailable(
            !ExampleProject::findExampleFolder(QCoreApplication::applicationDirPath()).isEmpty());
    }
    m_page->showStartPage(shown);
}

void TForm1::showProjectPath()
{
    m_statusPanels[6]->setText(m_document.ProjectPath);
    showStartPage();
    m_backgroundPanel->setProjectFolder(m_document.ProjectPath.isEmpty()
                                            ? QString()
                                            : QFileInfo(m_document.ProjectPath).absolutePath());
    showCaption();
}

void TForm1::showCaption()
{
    const QString& path = m_document.ProjectPath;
    setWindowTitle(path.isEmpty()
                       ? QStringLiteral("Quillet")
                       : QStringLiteral("%1[*] — Quillet").arg(QFileInfo(path).fileName()));
    setWindowModified(!path.isEmpty() && m_document.hasUnsavedChanges());
}

void TForm1::editorOpened(bool pageViewEnabled)
{
    m_settings->setColumnEnabled(false);
    m_page->setViewEnabled(pageViewEnabled);
    // The layout view is for placing blocks; the auto-replace list is checked on filled pages.
    if (m_editor.panel() != EditorPanel::Divided && m_editor.panel() != EditorPanel::Replace)
        m_page->setPage(0);
    m_document.RepaintPending = true;
}

void TForm1::editorClosed()
{
    m_settings->setColumnEnabled(true);
    m_page->setViewEnabled(true);
    m_document.RepaintPending = true;
}

void TForm1::editorApplied(const ApplyResult& result)
{
    m_fieldsPanel->refresh();
    if (result.selectNode)
        m_fieldsPanel->selectNode(*result.selectNode);
    if (result.printAsImage) {
        m_export.PrintAsImg = true;
        m_exportPanel->refresh();
    }
    if (result.pageCountChanged)
        refreshPageCount();
    if (result.angleApplied)
        m_backgroundPanel->refresh();
}

void TForm1::openAngleOptions()
{
    m_editingArea->openAngle();
}

} // namespace Quillet
