// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/ProjectPanel.h"

#include "core/app/ExampleProject.h"
#include "core/app/NewProject.h"
#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "gui/app/Icons.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

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

// The column scrolls under the wheel: a box it passes over keeps its choice, which would
// otherwise be stored at every notch. Once clicked or tabbed to, it takes the wheel.
class ColumnComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }
};

} // namespace

ProjectPanel::ProjectPanel(ProjectDocument& document, UserSettings& userSettings, QWidget* parent)
    : QGroupBox(tr("Файл проекта"), parent), m_document(document), m_userSettings(userSettings)
{
    setObjectName(QStringLiteral("ProjectFileGroup"));
    auto* row = new QHBoxLayout(this);
    auto* create = new QPushButton(tr("Создать"), this);
    create->setObjectName(QStringLiteral("CreateBtn"));
    setIconBesideText(create, IconName::DocumentNew);
    auto* open = new QToolButton(this);
    open->setObjectName(QStringLiteral("OpenBtn"));
    open->setText(tr("Открыть"));
    setIconBesideText(open, IconName::DocumentOpen);
    open->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    open->setPopupMode(QToolButton::MenuButtonPopup);
    open->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_recent = new QMenu(open);
    m_recent->setObjectName(QStringLiteral("PopupMenu2"));
    open->setMenu(m_recent);
    auto* save = new QPushButton(tr("Сохранить"), this);
    save->setObjectName(QStringLiteral("SaveBtn"));
    setIconBesideText(save, IconName::DocumentSave);
    row->addWidget(create);
    row->addWidget(open);
    row->addWidget(save);
    connect(create, &QPushButton::clicked, this, &ProjectPanel::CreateBtnClick);
    connect(open, &QToolButton::clicked, this, &ProjectPanel::OpenBtnClick);
    connect(save, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    BuildRecentMenu();
}

void ProjectPanel::showError(const QString& message)
{
    QMessageBox::critical(this, QStringLiteral("Quillet"), message);
}

bool ProjectPanel::LoadProject(const QString& path)
{
    Q_EMIT aboutToReplaceProject();
    try {
        if (!m_document.LoadProject(path)) {
            Q_EMIT projectReplaced(Change::Unchanged);
            return false;
        }
    } catch (const Error& e) {
        // A project named on the command line that cannot be read is not adopted: a
        // later save must not overwrite the damaged file with an empty project, and the
        // next activation must not try it again.
        if (m_document.ProjectPath == path)
            m_document.ProjectPath.clear();
        Q_EMIT projectReplaced(Change::Unchanged);
        showError(e.message());
        return false;
    }
    Q_EMIT projectPathChanged();
    Q_EMIT projectReplaced(Change::Loaded);
    return true;
}

bool ProjectPanel::askToSaveChanges()
{
    if (!m_document.hasUnsavedChanges())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("Внимание"), tr("Сохранить текущий проект?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    if (!m_document.ProjectPath.isEmpty())
        return writeProject(m_document.ProjectPath);
    return SaveBtnClick();
}

void ProjectPanel::CreateBtnClick()
{
    // The editor closes first, so its panel is not left open over another project.
    Q_EMIT aboutToReplaceProject();
    if (!askToSaveChanges()) {
        Q_EMIT projectReplaced(Change::Unchanged);
        return;
    }
    // The new project's file is chosen first: cancelling it leaves the current project
    // as it was, instead of half of a new one carrying the old workbook link.
    const QString chosen = QFileDialog::getSaveFileName(
        this, tr("Сохранить"), QDir(projectFolder()).filePath(QStringLiteral("Project1.qlet")),
        QString(), nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) {
        Q_EMIT projectReplaced(Change::Unchanged);
        return;
    }
    Project fresh;
    try {
        fresh = newProjectFrom(m_document.project, &m_userSettings);
    } catch (const Error& e) {
        // An unreadable named size costs the size, not the new project.
        showError(e.message());
        fresh = newProjectFrom(m_document.project, nullptr);
    }
    const QString path = withProjectExtension(chosen);
    m_document.resetToNew(path, fresh);
    Q_EMIT projectPathChanged();
    Q_EMIT projectReplaced(Change::Created);
    writeProject(path);
    m_document.ClearUndo();
}

QString ProjectPanel::projectFolder() const
{
    return m_document.ProjectPath.isEmpty() ? QDir::currentPath()
                                            : QFileInfo(m_document.ProjectPath).absolutePath();
}

void ProjectPanel::OpenBtnClick()
{
    Q_EMIT aboutToReplaceProject();
    if (!askToSaveChanges()) {
        Q_EMIT projectReplaced(Change::Unchanged);
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, tr("Открыть"), projectFolder(),
                                                      tr("Файл проекта (*.qlet)"));
    // Cancelling leaves the project as it is; it is not read again from its file.
    if (path.isEmpty()) {
        Q_EMIT projectReplaced(Change::Unchanged);
        return;
    }
    LoadProject(path);
}

bool ProjectPanel::SaveBtnClick()
{
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("Сохранить"), m_document.ProjectPath, QString(),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return false;
    return writeProject(withProjectExtension(chosen));
}

void ProjectPanel::saveToProjectPathOrAsk()
{
    if (m_document.ProjectPath.isEmpty())
        SaveBtnClick();
    else
        writeProject(m_document.ProjectPath);
}

bool ProjectPanel::writeProject(const QString& path)
{
    try {
        m_document.WriteProjectFile(path);
    } catch (const Error& e) {
        showError(e.message());
        return false;
    }
    Q_EMIT projectPathChanged();
    AddRecentProject(path);
    BuildRecentMenu();
    return true;
}

void ProjectPanel::BuildRecentMenu()
{
    m_recent->clear();
    const QStringList paths = m_userSettings.recentProjects();
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = paths[i];
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_recent->addAction(QStringLiteral("%1. %2").arg(i + 1).arg(shown));
        action->setData(paths[i]);
        connect(action, &QAction::triggered, this, &ProjectPanel::RecentProjectClick);
    }
}

void ProjectPanel::AddRecentProject(const QString& path)
{
    QStringList shown;
    for (const QAction* action : m_recent->actions())
        shown.append(action->data().toString());
    try {
        m_userSettings.writeRecentProjects(UserSettings::withRecentProject(shown, path));
    } catch (const Error& e) {
        // The project itself is saved; only the menu of recent projects misses it.
        QMessageBox::warning(this, QStringLiteral("Quillet"), e.message());
    }
}

void ProjectPanel::RecentProjectClick()
{
    if (const auto* action = qobject_cast<const QAction*>(sender()))
        openRecent(action->data().toString());
}

void ProjectPanel::openRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        QMessageBox::warning(this, tr("Внимание"), tr("Файл не существует"), QMessageBox::Ok);
        return;
    }
    if (askToSaveChanges())
        LoadProject(path);
}

void ProjectPanel::openExample()
{
    Q_EMIT aboutToReplaceProject();
    const QString path = exampleCopy();
    if (path.isEmpty()) {
        Q_EMIT projectReplaced(Change::Unchanged);
        return;
    }
    LoadProject(path);
}

QString ProjectPanel::exampleCopy()
{
    if (!askToSaveChanges())
        return QString();
    const QString example =
        ExampleProject::findExampleFolder(QCoreApplication::applicationDirPath());
    if (example.isEmpty()) {
        showError(tr("Пример не найден: он не установлен вместе с программой."));
        return QString();
    }
    const QString folder = ExampleProject::copyFolder(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
    const QString copy = QDir(folder).filePath(ExampleProject::projectFileName());
    if (QFileInfo::exists(copy)) {
        // The earlier copy may hold the user's own work.
        QMessageBox box(QMessageBox::Question, tr("Пример"),
                        tr("В папке «%1» уже есть копия примера, возможно, с вашими "
                           "изменениями. Заменить её копией исходного примера?")
                            .arg(QDir::toNativeSeparators(folder)),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        box.button(QMessageBox::Yes)->setText(tr("Заменить"));
        box.button(QMessageBox::No)->setText(tr("Открыть прежнюю"));
        box.setDefaultButton(QMessageBox::No);
        const int answer = box.exec();
        if (answer == QMessageBox::Cancel)
            return QString();
        if (answer == QMessageBox::No)
            return copy;
    }
    try {
        ExampleProject::copyExample(example, folder);
    } catch (const Error& e) {
        showError(e.message());
        return QString();
    }
    return copy;
}

LanguagePanel::LanguagePanel(UserSettings& userSettings, QWidget* parent)
    : QGroupBox(tr("Язык интерфейса"), parent), m_userSettings(userSettings)
{
    setObjectName(QStringLiteral("LanguageGroup"));
    auto* layout = new QVBoxLayout(this);
    m_box = new ColumnComboBox(this);
    m_box->setFocusPolicy(Qt::StrongFocus);
    m_box->setObjectName(QStringLiteral("LanguageBox"));
    m_box->setAccessibleName(title());
    // Each language is named in its own tongue, so that it can be found in either interface.
    m_box->addItem(tr("Как в системе"), int(InterfaceLanguage::System));
    m_box->addItem(QStringLiteral("Русский"), int(InterfaceLanguage::Russian));
    m_box->addItem(QStringLiteral("English"), int(InterfaceLanguage::English));
    m_storedIndex = qMax(0, m_box->findData(int(m_userSettings.interfaceLanguage())));
    m_box->setCurrentIndex(m_storedIndex);
    m_note = new QLabel(tr("Язык сменится при следующем запуске программы."), this);
    m_note->setObjectName(QStringLiteral("LanguageNote"));
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_box);
    layout->addWidget(m_note);
    connect(m_box, &QComboBox::currentIndexChanged, this, &LanguagePanel::LanguageBoxChange);
}

void LanguagePanel::LanguageBoxChange(int index)
{
    const auto chosen = InterfaceLanguage(m_box->itemData(index).toInt());
    try {
        m_userSettings.setInterfaceLanguage(chosen);
    } catch (const Error& e) {
        QMessageBox::warning(this, QStringLiteral("Quillet"), e.message());
        const QSignalBlocker blocker(m_box);
        m_box->setCurrentIndex(m_storedIndex);
        return;
    }
    m_storedIndex = index;
    // Going back to the language in use changes nothing at the next start.
    m_note->setVisible(interfaceLanguageCode(chosen) != currentInterfaceLanguage());
}

} // namespace Quillet
