// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/data/WorkbookPanel.h"

#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "gui/app/Look.h"
#include "core/data/SpreadsheetLink.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillet {
namespace {

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

WorkbookPanel::WorkbookPanel(ProjectDocument& document, SpreadsheetLink& link, QWidget* parent)
    : QWidget(parent), m_document(document), m_link(link)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildLinkGroup();
    buildDirectGroup();
    connect(&m_link, &SpreadsheetLink::workbookChanged, this,
            [this] { m_document.RepaintPending = true; });
}

void WorkbookPanel::buildLinkGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Связь с файлом Excel"), this);
    group->setObjectName(QStringLiteral("LinkGroup"));
    layout()->addWidget(group);
    auto* form = new QFormLayout(group);
    auto* fileRow = new QHBoxLayout;
    m_xlsFile = new QLineEdit(group);
    m_xlsFile->setObjectName(QStringLiteral("xlsFile"));
    m_xlsFile->installEventFilter(this);
    QToolButton* browse =
        iconButton(group, "xlsFileBrowse", QStyle::SP_DirOpenIcon, QStringLiteral("Выбрать файл"));
    QToolButton* reopen = iconButton(group, "sSpeedButton2", QStyle::SP_BrowserReload,
                                     QStringLiteral("Переоткрыть файл"));
    QToolButton* show = iconButton(group, "sSpeedButton4", QStyle::SP_FileDialogContentsView,
                                   QStringLiteral("Показать файл. Для скрытие нажать еще раз"));
    fileRow->addWidget(m_xlsFile, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(reopen);
    fileRow->addWidget(show);
    form->addRow(fileRow);
    m_sheet = new QLineEdit(group);
    m_sheet->setObjectName(QStringLiteral("sheet"));
    form->addRow(QStringLiteral("Лист: "), m_sheet);
    connect(browse, &QToolButton::clicked, this, &WorkbookPanel::xlsFileBrowseClick);
    connect(reopen, &QToolButton::clicked, this, &WorkbookPanel::sSpeedButton2Click);
    connect(show, &QToolButton::clicked, this, &WorkbookPanel::sSpeedButton4Click);
    connect(m_sheet, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_document.project.settings.sheet = text;
        m_document.RepaintPending = true;
    });
}

void WorkbookPanel::buildDirectGroup()
{
    auto* direct = new QGroupBox(QStringLiteral("Номер страницы меняется с изменением:"), this);
    direct->setObjectName(QStringLiteral("Direct"));
    layout()->addWidget(direct);
    auto* items = new QVBoxLayout(direct);
    m_direct = new QButtonGroup(direct);
    const QString captions[] = {QStringLiteral("столбцев (элементы полей в строках)"),
                                QStringLiteral("строк (элементы полей в столбцах)")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(captions[i], direct);
        radio->setObjectName(QStringLiteral("DirectItem%1").arg(i));
        m_direct->addButton(radio, i);
        items->addWidget(radio);
    }
    m_direct->button(1)->setChecked(true);
    connect(m_direct, &QButtonGroup::idClicked, this, &WorkbookPanel::DirectClick);
}

void WorkbookPanel::refresh()
{
    const ProjectSettings& s = m_document.project.settings;
    m_xlsFile->setText(s.xlsFile);
    m_sheet->setText(s.sheet);
    m_direct->button(s.Direct == 0 ? 0 : 1)->setChecked(true);
}

bool WorkbookPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_xlsFile && event->type() == QEvent::FocusIn)
        xlsFileEnter();
    else if (watched == m_xlsFile && event->type() == QEvent::FocusOut)
        xlsFileExit();
    return QWidget::eventFilter(watched, event);
}

void WorkbookPanel::showError(const QString& message)
{
    QMessageBox::critical(this, QStringLiteral("Quillet"), message);
}

void WorkbookPanel::showOpenFailure(const QString& message)
{
    const QString state =
        m_link.isOpen()
            ? QStringLiteral("Связь с прежним файлом сохранена: %1").arg(m_link.path())
            : QStringLiteral("Файл Excel не связан: поля со ссылками на ячейки останутся "
                             "пустыми.");
    showError(message + u'\n' + state);
}

void WorkbookPanel::adoptSheet(bool opened, const QString& sheet)
{
    if (opened) {
        m_sheet->setText(sheet);
        m_document.project.settings.sheet = sheet;
    }
    m_document.RepaintPending = true;
}

void WorkbookPanel::xlsFileEnter()
{
    m_link.xlsFileEnter(m_xlsFile->text());
}

std::optional<QString> WorkbookPanel::leaveEdit()
{
    try {
        const WaitCursor wait;
        const SpreadsheetLink::ExitResult result =
            m_link.xlsFileExit(m_xlsFile->text(), m_document.ProjectPath, m_sheet->text());
        adoptSheet(result.action == SpreadsheetLink::ExitResult::Opened, result.sheet);
    } catch (const Error& e) {
        return e.message();
    }
    return std::nullopt;
}

void WorkbookPanel::xlsFileExit()
{
    const QString previous = m_document.project.settings.xlsFile;
    m_document.project.settings.xlsFile = m_xlsFile->text();
    if (const std::optional<QString> failure = leaveEdit()) {
        // The link that worked stays, so the edit names it again.
        m_xlsFile->setText(previous);
        m_document.project.settings.xlsFile = previous;
        showOpenFailure(*failure);
    }
}

void WorkbookPanel::openLinkedWorkbook()
{
    if (const std::optional<QString> failure = leaveEdit()) {
        // The project names this workbook: what a previous project linked is no data
        // of this one.
        m_link.closeWorkbook();
        m_document.RepaintPending = true;
        showOpenFailure(*failure);
    }
}

void WorkbookPanel::xlsFileBrowseClick()
{
    m_link.xlsFileEnter(m_xlsFile->text());
    // The linked workbook's folder, else the project's.
    const QString linked = m_link.path();
    const QString folder = !linked.isEmpty() ? QFileInfo(linked).absolutePath()
                           : m_document.ProjectPath.isEmpty()
                               ? QString()
                               : QFileInfo(m_document.ProjectPath).absolutePath();
    QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Связь с файлом Excel"),
                                                  folder, QStringLiteral("Файлы Excel (*.xls*)"));
    if (chosen.isEmpty())
        chosen = m_xlsFile->text();
    try {
        const WaitCursor wait;
        const SpreadsheetLink::BrowseResult result =
            m_link.afterBrowse(chosen, m_document.ProjectPath, m_sheet->text());
        m_xlsFile->setText(result.editText);
        m_document.project.settings.xlsFile = result.editText;
        adoptSheet(result.open.opened, result.open.sheet);
    } catch (const Error& e) {
        showOpenFailure(e.message());
    }
    m_document.RepaintPending = true;
}

void WorkbookPanel::sSpeedButton2Click()
{
    try {
        const WaitCursor wait;
        const SpreadsheetLink::ExitResult result =
            m_link.reopen(m_xlsFile->text(), m_document.ProjectPath, m_sheet->text());
        adoptSheet(result.action == SpreadsheetLink::ExitResult::Opened, result.sheet);
    } catch (const Error& e) {
        showOpenFailure(e.message());
    }
}

void WorkbookPanel::sSpeedButton4Click()
{
    if (!m_link.isOpen()) {
        QMessageBox::warning(this, QStringLiteral("Внимание"),
                             QStringLiteral("Файл Excel не открыт: показывать нечего."));
    } else if (!m_link.show()) {
        QMessageBox::warning(
            this, QStringLiteral("Внимание"),
            QStringLiteral("Не удаётся показать файл %1: в системе нет программы для него.")
                .arg(m_link.path()));
    }
}

void WorkbookPanel::DirectClick(int item)
{
    m_document.project.settings.Direct = item;
    m_document.RepaintPending = true;
    Q_EMIT pageCountChanged();
}

} // namespace Quillet
