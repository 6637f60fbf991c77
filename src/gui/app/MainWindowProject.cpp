// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The project side of the main window: new, open, save and the recent list, the page
// sizes of the user's list, the workbook link and the field tree.

#include "gui/app/MainWindow.h"

#include "core/common/Errors.h"
#include "gui/app/PageArea.h"
#include "gui/app/SettingsColumn.h"
#include "gui/app/StructureView.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

namespace Quillet {
namespace {

const QString kProjectExtension = QStringLiteral(".qlet");

// The chosen name with its extension replaced by ".qlet", or ".qlet" added.
QString withProjectExtension(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    const QString stem = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return stem + kProjectExtension;
}

// Opening a workbook may wait seconds for LibreOffice to compute formulas the file holds
// without results; the pointer says so.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void TForm1::connectProjectControls()
{
    SettingsColumn* s = m_settings;
    connect(s->CreateBtn, &QPushButton::clicked, this, &TForm1::CreateBtnClick);
    connect(s->OpenBtn, &QToolButton::clicked, this, &TForm1::OpenBtnClick);
    connect(s->SaveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    connect(s->SizeList, &QComboBox::activated, this, &TForm1::SizeListChange);
    connect(s->SizeList, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_document.project.settings.SizeName = text; });
    connect(s->sSpeedButton9, &QToolButton::clicked, this, &TForm1::sSpeedButton9Click);
    connect(s->sSpeedButton8, &QToolButton::clicked, this, &TForm1::sSpeedButton8Click);
    connect(s->PrWidth, &QDoubleSpinBox::editingFinished, this, &TForm1::PrWidthExit);
    connect(s->PrHeight, &QDoubleSpinBox::editingFinished, this, &TForm1::PrHeightExit);
    connect(s->xlsFileBrowse, &QToolButton::clicked, this, &TForm1::xlsFileBrowseClick);
    connect(s->sSpeedButton2, &QToolButton::clicked, this, &TForm1::sSpeedButton2Click);
    connect(s->sSpeedButton4, &QToolButton::clicked, this, &TForm1::sSpeedButton4Click);
    connect(s->sheet, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_document.project.settings.sheet = text;
        m_document.RepaintPending = true;
    });
    connect(s->DirectItems, &QButtonGroup::idClicked, this, &TForm1::DirectClick);
    connect(&m_link, &SpreadsheetLink::workbookChanged, this,
            [this] { m_document.RepaintPending = true; });
    connect(&m_link, &SpreadsheetLink::errorLine, this, &TForm1::LogRenderError);
    connect(s->Structure, &QTreeWidget::itemSelectionChanged, this, &TForm1::StructureChange);
    connect(s->Structure, &StructureView::marksToggled, this, &TForm1::StructureChange);
    connect(s->RelateList, &QListWidget::itemChanged, this, &TForm1::RelateListClickCheck);
    s->Structure->setTree(&m_document.project.Structure);
}

bool TForm1::LoadProject(const QString& path)
{
    try {
        if (!m_document.LoadProject(path))
            return false;
    } catch (const Error& e) {
        // A project named on the command line that cannot be read is not adopted: a
        // later save must not overwrite the damaged file with an empty project, and the
        // next activation must not try it again.
        if (m_document.ProjectPath == path)
            m_document.ProjectPath.clear();
        showError(e.message());
        return false;
    }
    showProject();
    showProjectPath();
    xlsFileExit();
    return true;
}

void TForm1::showProjectPath()
{
    m_statusPanels[6]->setText(m_document.ProjectPath);
}

void TForm1::showProject()
{
    const Project& project = m_document.project;
    const ProjectSettings& s = project.settings;
    SettingsColumn* c = m_settings;
    {
        const QSignalBlocker sizes(c->SizeList);
        c->xlsFile->setText(s.xlsFile);
        c->sheet->setText(s.sheet);
        c->DirectItems->button(s.Direct == 0 ? 0 : 1)->setChecked(true);
        const int entry = c->SizeList->findText(s.SizeName, Qt::MatchExactly);
        c->SizeList->setCurrentIndex(entry);
        if (entry < 0)
            c->SizeList->setEditText(s.SizeName);
        c->PrWidth->setValue(s.PrWidth);
        c->PrHeight->setValue(s.PrHeight);
    }
    c->Structure->setTree(&m_document.project.Structure);
    {
        const QSignalBlocker relations(c->RelateList);
        c->RelateList->clear();
        for (const RelationItem& relation : project.RelateList) {
            auto* item = new QListWidgetItem(relation.text, c->RelateList);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(relation.checked ? Qt::Checked : Qt::Unchecked);
        }
    }
    resizeRaster();
    refreshPageCount();
    m_document.RepaintPending = true;
}

bool TForm1::askToSaveChanges()
{
    if (!m_document.hasUnsavedChanges())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QStringLiteral("Внимание"), QStringLiteral("Сохранить текущий проект?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    if (!m_document.ProjectPath.isEmpty())
        return writeProject(m_document.ProjectPath);
    return SaveBtnClick();
}

void TForm1::CreateBtnClick()
{
    if (!askToSaveChanges())
        return;
    m_repaintTime->stop();
    const Project& old = m_document.project;
    Project fresh;
    // A new project keeps the workbook, the page direction, the background placement,
    // the rotation and the auto-replace list of the one before.
    fresh.settings = old.settings;
    fresh.settings.sheet.clear();
    fresh.settings.ImgWidth = fresh.settings.ImgHeight = 0;
    fresh.settings.MirTop = fresh.settings.MirBottom = 0;
    fresh.settings.MirLeft = fresh.settings.MirRight = 0;
    fresh.ReplaceList = old.ReplaceList;
    if (m_settings->SizeList->count() > 0) {
        const QString name = m_settings->SizeList->itemText(0);
        try {
            if (const std::optional<PageSize> size = m_userSettings.pageSize(name)) {
                fresh.settings.SizeName = name;
                fresh.settings.PrWidth = size->widthMm;
                fresh.settings.PrHeight = size->heightMm;
            }
        } catch (const Error& e) {
            showError(e.message());
        }
    }
    m_document.resetToNew(QStringLiteral("Project1.qlet"), fresh);
    m_page->PageN->setValue(0);
    showProject();
    showProjectPath();
    SaveBtnClick();
    m_document.RepaintPending = true;
    m_document.ClearUndo();
    m_repaintTime->start();
}

void TForm1::OpenBtnClick()
{
    if (!askToSaveChanges())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Открыть"), QFileInfo(m_document.ProjectPath).absolutePath(),
        QStringLiteral("Файл проекта (*.qlet)"));
    // Cancelling leaves the project as it is; it is not read again from its file.
    if (path.isEmpty())
        return;
    LoadProject(path);
}

bool TForm1::SaveBtnClick()
{
    const QString chosen = QFileDialog::getSaveFileName(
        this, QStringLiteral("Сохранить"), m_document.ProjectPath, QString(), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return false;
    return writeProject(withProjectExtension(chosen));
}

void TForm1::saveToProjectPathOrAsk()
{
    if (m_document.ProjectPath.isEmpty())
        SaveBtnClick();
    else
        writeProject(m_document.ProjectPath);
}

bool TForm1::writeProject(const QString& path)
{
    try {
        m_document.WriteProjectFile(path);
    } catch (const Error& e) {
        showError(e.message());
        return false;
    }
    showProjectPath();
    AddRecentProject(path);
    BuildRecentMenu();
    return true;
}

QStringList TForm1::recentMenuPaths() const
{
    QStringList paths;
    for (const QAction* action : m_settings->PopupMenu2->actions())
        paths.append(action->data().toString());
    return paths;
}

void TForm1::BuildRecentMenu()
{
    QMenu* menu = m_settings->PopupMenu2;
    menu->clear();
    const QStringList paths = m_userSettings.recentProjects();
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = paths[i];
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = menu->addAction(QStringLiteral("%1. %2").arg(i + 1).arg(shown));
        action->setData(paths[i]);
        connect(action, &QAction::triggered, this, &TForm1::RecentProjectClick);
    }
}

void TForm1::AddRecentProject(const QString& path)
{
    m_userSettings.writeRecentProjects(UserSettings::withRecentProject(recentMenuPaths(), path));
}

void TForm1::RecentProjectClick()
{
    const auto* action = qobject_cast<const QAction*>(sender());
    if (action == nullptr)
        return;
    const QString path = action->data().toString();
    if (!QFileInfo(path).isFile()) {
        QMessageBox::warning(this, QStringLiteral("Внимание"),
                             QStringLiteral("Файл не существует"), QMessageBox::Ok);
        return;
    }
    if (askToSaveChanges())
        LoadProject(path);
}

void TForm1::fillSizeList()
{
    const QSignalBlocker blocker(m_settings->SizeList);
    m_settings->SizeList->clear();
    m_settings->SizeList->addItems(m_userSettings.pageSizeNames());
    m_settings->SizeList->setCurrentIndex(-1);
}

void TForm1::SizeListChange(int index)
{
    const QString name = m_settings->SizeList->itemText(index);
    std::optional<PageSize> size;
    try {
        size = m_userSettings.pageSize(name);
    } catch (const Error& e) {
        showError(e.message());
        return;
    }
    if (!size)
        return;
    ProjectSettings& settings = m_document.project.settings;
    settings.SizeName = name;
    settings.PrWidth = size->widthMm;
    settings.PrHeight = size->heightMm;
    m_settings->PrWidth->setValue(settings.PrWidth);
    m_settings->PrHeight->setValue(settings.PrHeight);
    resizeRaster();
    m_document.RepaintPending = true;
}

void TForm1::sSpeedButton9Click()
{
    QComboBox* list = m_settings->SizeList;
    const QString name = list->currentText();
    if (name.isEmpty())
        return;
    const ProjectSettings& settings = m_document.project.settings;
    m_userSettings.savePageSize(name, PageSize{settings.PrWidth, settings.PrHeight});
    const bool typed = list->currentIndex() < 0 || list->itemText(list->currentIndex()) != name;
    if (typed && list->findText(name, Qt::MatchExactly) < 0) {
        const QSignalBlocker blocker(list);
        list->addItem(name);
        list->setCurrentIndex(list->count() - 1);
    }
}

void TForm1::sSpeedButton8Click()
{
    QComboBox* list = m_settings->SizeList;
    const QString name = list->currentText();
    if (name.isEmpty())
        return;
    m_userSettings.removePageSize(name);
    const QSignalBlocker blocker(list);
    const int entry = list->findText(name, Qt::MatchExactly);
    if (entry >= 0)
        list->removeItem(entry);
    list->setCurrentIndex(-1);
}

void TForm1::applyPageSideExit(bool width)
{
    QDoubleSpinBox* edit = width ? m_settings->PrWidth : m_settings->PrHeight;
    const long double snapped =
        snapToPixel(std::max(static_cast<long double>(edit->value()), MmPerPixel));
    ProjectSettings& settings = m_document.project.settings;
    (width ? settings.PrWidth : settings.PrHeight) = static_cast<double>(snapped);
    {
        const QSignalBlocker blocker(edit);
        edit->setValue(static_cast<double>(snapped));
    }
    resizeRaster();
    m_document.RepaintPending = true;
}

void TForm1::PrWidthExit()
{
    applyPageSideExit(true);
}

void TForm1::PrHeightExit()
{
    applyPageSideExit(false);
}

void TForm1::xlsFileEnter()
{
    m_link.xlsFileEnter(m_settings->xlsFile->text());
}

void TForm1::showWorkbookResult(const SpreadsheetLink::ExitResult& result)
{
    if (result.action == SpreadsheetLink::ExitResult::Opened) {
        m_settings->sheet->setText(result.sheet);
        m_document.project.settings.sheet = result.sheet;
    }
    m_document.RepaintPending = true;
}

void TForm1::xlsFileExit()
{
    const QString text = m_settings->xlsFile->text();
    m_document.project.settings.xlsFile = text;
    try {
        const WaitCursor wait;
        showWorkbookResult(m_link.xlsFileExit(text, m_document.ProjectPath,
                                              m_settings->sheet->text()));
    } catch (const Error& e) {
        showError(e.message());
    }
}

void TForm1::xlsFileBrowseClick()
{
    QLineEdit* edit = m_settings->xlsFile;
    m_link.xlsFileEnter(edit->text());
    QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Связь с файлом Excel"), QString(),
        QStringLiteral("Файлы Excel (*.xls*)"));
    if (chosen.isEmpty())
        chosen = edit->text();
    try {
        const WaitCursor wait;
        const SpreadsheetLink::BrowseResult result =
            m_link.afterBrowse(chosen, m_document.ProjectPath, m_settings->sheet->text());
        edit->setText(result.editText);
        m_document.project.settings.xlsFile = result.editText;
        if (result.open.opened) {
            m_settings->sheet->setText(result.open.sheet);
            m_document.project.settings.sheet = result.open.sheet;
        }
    } catch (const Error& e) {
        showError(e.message());
    }
    m_document.RepaintPending = true;
}

void TForm1::sSpeedButton2Click()
{
    try {
        const WaitCursor wait;
        showWorkbookResult(m_link.reopen(m_settings->xlsFile->text(), m_document.ProjectPath,
                                         m_settings->sheet->text()));
    } catch (const Error& e) {
        showError(e.message());
    }
}

void TForm1::sSpeedButton4Click()
{
    m_link.show();
}

void TForm1::DirectClick(int item)
{
    m_document.project.settings.Direct = item;
    refreshPageCount();
    m_document.RepaintPending = true;
}

void TForm1::StructureChange()
{
    m_document.RepaintPending = true;
}

void TForm1::RelateListClickCheck()
{
    RelationList& relations = m_document.project.RelateList;
    QListWidget* list = m_settings->RelateList;
    for (int i = 0; i < list->count() && i < static_cast<int>(relations.size()); ++i)
        relations[i].checked = list->item(i)->checkState() == Qt::Checked;
}

} // namespace Quillet
