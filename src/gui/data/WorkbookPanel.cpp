// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/data/WorkbookPanel.h"

#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"
#include "core/data/SpreadsheetLink.h"
#include "core/workbook/WorkbookFile.h"
#include "gui/app/FocusOrder.h"
#include "gui/app/Icons.h"

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
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillet {
namespace {

// Reading a large workbook takes a moment even without LibreOffice; the pointer says so.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Content decides the format, so the last filter lets any file be chosen.
QString workbookFileFilters()
{
    return Quillet::workbookFileFilters(!libreOfficeProgram().isEmpty()).join(QStringLiteral(";;"));
}

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
    auto* group = new QGroupBox(tr("Связь с файлом Excel"), this);
    group->setObjectName(QStringLiteral("LinkGroup"));
    m_linkGroup = group;
    layout()->addWidget(group);
    auto* form = new QFormLayout(group);
    auto* fileRow = new QHBoxLayout;
    m_xlsFile = new QLineEdit(group);
    m_xlsFile->setObjectName(QStringLiteral("xlsFile"));
    m_xlsFile->installEventFilter(this);
    QToolButton* browse =
        iconButton(group, "xlsFileBrowse", IconName::DocumentOpen, tr("Выбрать файл"));
    QToolButton* reopen =
        iconButton(group, "sSpeedButton2", IconName::Reload, tr("Переоткрыть файл"));
    QToolButton* show =
        iconButton(group, "sSpeedButton4", IconName::WorkbookShow,
                   tr("Показать файл. Для скрытие нажать еще раз"), tr("Показать файл"));
    fileRow->addWidget(m_xlsFile, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(reopen);
    fileRow->addWidget(show);
    form->addRow(fileRow);
    m_sheet = new QLineEdit(group);
    m_sheet->setObjectName(QStringLiteral("sheet"));
    form->addRow(tr("Лист: "), m_sheet);
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
    auto* direct = new QGroupBox(tr("Номер страницы меняется с изменением:"), this);
    direct->setObjectName(QStringLiteral("Direct"));
    layout()->addWidget(direct);
    auto* items = new QVBoxLayout(direct);
    m_direct = new QButtonGroup(direct);
    const QString captions[] = {tr("столбцев (элементы полей в строках)"),
                                tr("строк (элементы полей в столбцах)")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(captions[i], direct);
        radio->setObjectName(QStringLiteral("DirectItem%1").arg(i));
        m_direct->addButton(radio, i);
        items->addWidget(radio);
    }
    m_direct->button(1)->setChecked(true);
    tabStopOnChecked(m_direct);
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
    // Disabling the group while LibreOffice works takes the focus from the edit.
    if (m_task.isBusy())
        return QWidget::eventFilter(watched, event);
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
    const QString state = m_link.isOpen()
                              ? tr("Связь с прежним файлом сохранена: %1").arg(m_link.path())
                              : tr("Файл Excel не связан: поля со ссылками на ячейки останутся "
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

void WorkbookPanel::open(const SpreadsheetLink::Plan& plan, Opened opened, NotOpened notOpened,
                         bool unlinkWhileWaiting)
{
    const QString path = plan.path;
    const QString sheet = m_sheet->text();
    const WorkbookOptions options = m_link.options();
    auto reading = std::make_shared<WorkbookFileReading>();
    try {
        const WaitCursor wait;
        *reading = readWorkbookFile(path, options);
        if (!reading->needsLibreOffice()) {
            opened(m_link.adopt(path, completeWorkbook(std::move(*reading), options), sheet).sheet);
            return;
        }
    } catch (const Error& e) {
        notOpened(e.message());
        return;
    }
    const bool started = m_task.start(
        [reading, options](TaskControl& control) {
            RecalculationSettings settings;
            settings.cancelled = [&control] { return control.isCancelled(); };
            return completeWorkbook(std::move(*reading), options, settings);
        },
        [this, path, sheet, opened, notOpened](TaskResult<OpenedWorkbook>& result) {
            waitingEnded();
            try {
                opened(m_link.adopt(path, std::move(result.value()), sheet).sheet);
            } catch (const LibreOfficeCancelled&) {
                notOpened(std::nullopt);
            } catch (const Error& e) {
                notOpened(e.message());
            } catch (const std::exception& e) {
                notOpened(tr("Книга не открыта: %1").arg(QString::fromLocal8Bit(e.what())));
            }
        });
    if (!started)
        return;
    if (unlinkWhileWaiting)
        m_link.closeWorkbook();
    m_linkGroup->setEnabled(false);
    Q_EMIT progressStarted();
}

void WorkbookPanel::waitingEnded()
{
    m_linkGroup->setEnabled(true);
    Q_EMIT progressEnded();
}

void WorkbookPanel::cancelOpen()
{
    m_task.cancel();
}

void WorkbookPanel::openTyped(NotOpened notOpened, bool unlinkWhileWaiting)
{
    const SpreadsheetLink::Plan plan = m_link.exitPlan(m_xlsFile->text(), m_document.ProjectPath);
    if (plan.action != SpreadsheetLink::Plan::Open) {
        m_link.carryOut(plan);
        adoptSheet(false, QString());
        return;
    }
    open(
        plan, [this](const QString& sheet) { adoptSheet(true, sheet); }, std::move(notOpened),
        unlinkWhileWaiting);
}

void WorkbookPanel::xlsFileExit()
{
    const QString previous = m_document.project.settings.xlsFile;
    m_document.project.settings.xlsFile = m_xlsFile->text();
    openTyped([this, previous](const std::optional<QString>& failure) {
        // The link that worked stays, so the edit names it again.
        m_xlsFile->setText(previous);
        m_document.project.settings.xlsFile = previous;
        if (failure)
            showOpenFailure(*failure);
    });
}

void WorkbookPanel::openLinkedWorkbook()
{
    // What an open under way would link belongs to the project that was replaced.
    if (m_task.isBusy()) {
        m_task.cancel();
        m_task.abandon();
        waitingEnded();
    }
    openTyped(
        [this](const std::optional<QString>& failure) {
            // The project names this workbook: what a previous project linked is no data
            // of this one.
            m_link.closeWorkbook();
            m_document.RepaintPending = true;
            if (failure)
                showOpenFailure(*failure);
        },
        true);
}

void WorkbookPanel::xlsFileBrowseClick()
{
    if (m_task.isBusy())
        return;
    m_link.xlsFileEnter(m_xlsFile->text());
    // The linked workbook's folder, else the project's.
    const QString linked = m_link.path();
    const QString folder = !linked.isEmpty() ? QFileInfo(linked).absolutePath()
                           : m_document.ProjectPath.isEmpty()
                               ? QString()
                               : QFileInfo(m_document.ProjectPath).absolutePath();
    QString chosen = QFileDialog::getOpenFileName(this, tr("Связь с файлом Excel"), folder,
                                                  workbookFileFilters());
    if (chosen.isEmpty())
        chosen = m_xlsFile->text();
    const SpreadsheetLink::Plan plan = m_link.browsePlan(chosen, m_document.ProjectPath);
    const QString editText = SpreadsheetLink::displayName(chosen, m_document.ProjectPath);
    const auto showChosen = [this, editText] {
        m_xlsFile->setText(editText);
        m_document.project.settings.xlsFile = editText;
        m_document.RepaintPending = true;
    };
    if (plan.action != SpreadsheetLink::Plan::Open) {
        m_link.carryOut(plan);
        showChosen();
        return;
    }
    open(
        plan,
        [this, showChosen](const QString& sheet) {
            showChosen();
            adoptSheet(true, sheet);
        },
        [this](const std::optional<QString>& failure) {
            if (failure)
                showOpenFailure(*failure);
            m_document.RepaintPending = true;
        });
}

void WorkbookPanel::sSpeedButton2Click()
{
    if (m_task.isBusy())
        return;
    const QString kept = m_sheet->text();
    const SpreadsheetLink::Plan plan = m_link.reopenPlan(m_xlsFile->text(), m_document.ProjectPath);
    if (plan.action != SpreadsheetLink::Plan::Open) {
        m_link.carryOut(plan);
        adoptSheet(false, kept);
        return;
    }
    open(
        plan, [this, kept](const QString&) { adoptSheet(true, kept); },
        [this](const std::optional<QString>& failure) {
            if (failure)
                showOpenFailure(*failure);
        });
}

void WorkbookPanel::sSpeedButton4Click()
{
    if (!m_link.isOpen()) {
        QMessageBox::warning(this, tr("Внимание"), tr("Файл Excel не открыт: показывать нечего."));
    } else if (!m_link.show()) {
        QMessageBox::warning(this, tr("Внимание"),
                             tr("Не удаётся показать файл %1: в системе нет программы для него.")
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
