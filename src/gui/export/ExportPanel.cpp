// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/export/ExportPanel.h"

#include "core/app/PageCount.h"
#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "core/data/PageSelection.h"
#include "core/data/SpreadsheetLink.h"
#include "core/editor/ViewGeometry.h"
#include "core/export/ExportOptions.h"
#include "core/export/PageExporter.h"
#include "gui/app/Icons.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>
#include <QPushButton>
#include <QFileInfo>
#include <QDesktopServices>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QThread>
#include <QToolButton>

namespace Quillet {

// What one export reads: copies, so the window may go on editing.
struct ExportPanel::Run {
    Project project;
    std::shared_ptr<const Workbook> workbook;
    ExportRequest request;
};

namespace {

const struct {
    const char* filter;
    ExportFormat format;
} kFileTypes[] = {
    {QT_TRANSLATE_NOOP("Quillet::ExportPanel", "Картинки JPEG (*.jpg)"), ExportFormat::Jpeg},
    {QT_TRANSLATE_NOOP("Quillet::ExportPanel", "Картинки PNG (*.png)"), ExportFormat::Png},
    {QT_TRANSLATE_NOOP("Quillet::ExportPanel", "Документ PDF (*.pdf)"), ExportFormat::Pdf},
};

QCheckBox* option(QWidget* parent, const char* name, const QString& caption, bool* value)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(*value);
    QObject::connect(box, &QCheckBox::toggled, parent, [value](bool on) { *value = on; });
    return box;
}

QString fileTypeFilters()
{
    QStringList filters;
    for (const auto& type : kFileTypes)
        filters << ExportPanel::tr(type.filter);
    return filters.join(QStringLiteral(";;"));
}

ExportFormat formatOfFilter(const QString& filter)
{
    for (const auto& type : kFileTypes) {
        if (filter == ExportPanel::tr(type.filter))
            return type.format;
    }
    return ExportFormat::Jpeg;
}

} // namespace

ExportPanel::ExportPanel(ExportOptions& options, ProjectDocument& document, const ViewState& view,
                         const SpreadsheetLink& link, QWidget* parent)
    : QGroupBox(tr("Экспорт результата"), parent), m_options(options), m_document(document),
      m_view(view), m_link(link)
{
    setObjectName(QStringLiteral("Exportpr"));
    auto* form = new QFormLayout(this);
    m_pages = new QLineEdit(this);
    m_pages->setObjectName(QStringLiteral("sEdit1"));
    form->addRow(tr("Страницы: "), m_pages);
    connect(m_pages, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_options.pages = text; });
    auto* row = new QHBoxLayout;
    const struct {
        const char* name;
        IconName icon;
        const char* hint;
        void (ExportPanel::*slot)();
    } buttons[] = {
        {"ToolButton49", IconName::PagesAll, QT_TR_NOOP("Выделить все страницы"),
         &ExportPanel::ToolButton49Click},
        {"ToolButton50", IconName::PagesToCurrent, QT_TR_NOOP("Выделить с начала до текущей"),
         &ExportPanel::ToolButton50Click},
        {"ToolButton51", IconName::PagesInvert, QT_TR_NOOP("Инвертировать выделение"),
         &ExportPanel::ToolButton51Click},
        {"ToolButton52", IconName::PagesToggleCurrent,
         QT_TR_NOOP("Добавить / исключить текущую страницу"), &ExportPanel::ToolButton52Click},
    };
    for (const auto& b : buttons) {
        QToolButton* button = iconButton(this, b.name, b.icon, tr(b.hint));
        connect(button, &QToolButton::clicked, this, b.slot);
        row->addWidget(button);
    }
    row->addStretch(1);
    form->addRow(row);

    m_withBack = option(this, "WithBack", tr("Экспортировать подложку"), &m_options.WithBack);
    connect(m_withBack, &QCheckBox::toggled, this, [this] { m_document.RepaintPending = true; });
    m_reverse = option(this, "Reverce", tr("Печатать в обратном порядке"), &m_options.Reverce);
    m_printAsImg = option(this, "PrintAsImg", tr("Распечатывать как картинку (медленее)"),
                          &m_options.PrintAsImg);
    form->addRow(m_withBack);
    form->addRow(m_reverse);
    form->addRow(m_printAsImg);
    buildButtonRow(form);
    connect(&m_task, &BackgroundTask::progressed, this, &ExportPanel::progressChanged);
}

void ExportPanel::buildButtonRow(QFormLayout* form)
{
    auto* save = new QToolButton(this);
    save->setObjectName(QStringLiteral("JPGSave"));
    save->setText(tr("Сохранить как картинку"));
    save->setToolTip(tr("Сохранить как картинку"));
    setIconBesideText(save, IconName::DocumentSave);
    save->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(save, &QToolButton::clicked, this, &ExportPanel::JPGSaveClick);
    auto* pdf = new QToolButton(this);
    pdf->setObjectName(QStringLiteral("PDFSave"));
    pdf->setText(tr("Сохранить PDF"));
    pdf->setToolTip(tr("Сохранить выбранные страницы одним файлом PDF"));
    setIconBesideText(pdf, IconName::ExportPdf);
    pdf->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(pdf, &QToolButton::clicked, this, &ExportPanel::PDFSaveClick);
    form->addRow(save);
    form->addRow(pdf);

    auto* row = new QHBoxLayout;
    auto* print = new QToolButton(this);
    print->setObjectName(QStringLiteral("JPGPrint"));
    print->setText(tr("Распечатать"));
    print->setToolTip(tr("Распечатать"));
    setIconBesideText(print, IconName::Print);
    print->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    print->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(print);
    QAction* setup = menu->addAction(tr("Настройка принтера"));
    setup->setObjectName(QStringLiteral("N1"));
    QAction* calibration = menu->addAction(tr("Калибровка принтера…"));
    calibration->setObjectName(QStringLiteral("CalibrationItem"));
    print->setMenu(menu);
    connect(print, &QToolButton::clicked, this, &ExportPanel::printRequested);
    connect(setup, &QAction::triggered, this, &ExportPanel::printerSetupRequested);
    connect(calibration, &QAction::triggered, this, &ExportPanel::calibrationRequested);
    row->addWidget(print);
    row->addStretch(1);

    auto* label = new QLabel(tr("Копий"), this);
    m_copies = new QSpinBox(this);
    m_copies->setObjectName(QStringLiteral("NCopies"));
    m_copies->setRange(1, 250);
    m_copies->setValue(1);
    label->setBuddy(m_copies);
    row->addWidget(label);
    row->addWidget(m_copies);
    form->addRow(row);
}

void ExportPanel::refresh()
{
    const QSignalBlocker pages(m_pages);
    m_pages->setText(m_options.pages);
    m_withBack->setChecked(m_options.WithBack);
    m_reverse->setChecked(m_options.Reverce);
    m_printAsImg->setChecked(m_options.PrintAsImg);
}

int ExportPanel::copies() const
{
    return m_copies->value();
}

bool ExportPanel::isExporting() const
{
    return m_task.isBusy();
}

int ExportPanel::pageCount() const
{
    return UpdatePageCount(m_document.project.Structure, m_document.project.settings.Direct);
}

void ExportPanel::showPages(const QString& text)
{
    m_pages->setText(text);
}

void ExportPanel::ToolButton49Click()
{
    showPages(PageSelection::allPages(pageCount()));
}

void ExportPanel::ToolButton50Click()
{
    if (m_view.PageN != 0)
        showPages(PageSelection::pagesThrough(m_view.PageN));
}

void ExportPanel::ToolButton51Click()
{
    showPages(PageSelection::invertPages(m_pages->text(), pageCount()));
}

void ExportPanel::ToolButton52Click()
{
    if (m_view.PageN != 0)
        showPages(PageSelection::togglePage(m_pages->text(), m_view.PageN));
}

void ExportPanel::setDialogName(const QString& path)
{
    m_dialogName = path;
}

void ExportPanel::JPGSaveClick()
{
    saveAs(ExportFormat::Jpeg);
}

void ExportPanel::PDFSaveClick()
{
    saveAs(ExportFormat::Pdf);
}

void ExportPanel::saveAs(ExportFormat format)
{
    if (isExporting())
        return;
    const int count = pageCount();
    std::vector<int> pages;
    try {
        // Page 0 is a page like any other: the layout view, as the print and quillet-cli
        // give it too.
        pages = PageSelection::listedPages(m_pages->text());
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return;
    }
    if (count < 1 || pages.empty()) {
        QMessageBox::warning(this, tr("Внимание"), tr("Не выбраны страницы"), QMessageBox::Ok);
        return;
    }
    //: The action in the question "Страница 3 пуста: данных нет. Всё равно сохранить?"
    const QString question = PageSelection::pagesWithoutDataQuestion(pages, count, tr("сохранить"));
    if (!question.isEmpty()
        && QMessageBox::question(this, tr("Внимание"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
               != QMessageBox::Yes)
        return;
    // Nothing asks before overwriting: the proposed name is often the project file
    // itself, which the export never writes.
    QString filter;
    for (const auto& type : kFileTypes) {
        if (type.format == format)
            filter = tr(type.filter);
    }
    const QString title =
        format == ExportFormat::Pdf ? tr("Сохранить PDF") : tr("Сохранить как картинку");
    const QString chosen = QFileDialog::getSaveFileName(
        this, title, m_dialogName, fileTypeFilters(), &filter, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return;
    m_dialogName = chosen;
    const QString prefix = exportPrefix(chosen);
    if (prefix.isEmpty())
        return;
    startExport(std::move(pages), prefix, formatOfFilter(filter));
}

void ExportPanel::startExport(std::vector<int> pages, const QString& prefix, ExportFormat format)
{
    auto run = std::make_shared<Run>();
    run->project = m_document.project;
    run->workbook = m_link.workbook();
    ExportRequest& request = run->request;
    request.project = &run->project;
    request.projectPath = m_document.ProjectPath;
    request.workbook = run->workbook.get();
    request.pages = std::move(pages);
    request.prefix = prefix;
    request.format = format;
    m_format = format;
    m_pageTotal = int(request.pages.size());
    request.withBackground = m_options.WithBack;
    request.reverse = m_options.Reverce;
    request.jobs = std::max(1, QThread::idealThreadCount());
    const bool started = m_task.start(
        [run](TaskControl& control) {
            return exportPages(run->request,
                               [&control](int done, int) { return control.progress(done); });
        },
        [this](TaskResult<ExportResult>& result) { exportEnded(result); });
    if (!started)
        return;
    setEnabled(false);
    Q_EMIT progressStarted(int(request.pages.size()));
}

void ExportPanel::cancelExport()
{
    m_task.cancel();
}

void ExportPanel::exportEnded(TaskResult<ExportResult>& result)
{
    Q_EMIT progressEnded();
    setEnabled(true);
    m_document.RepaintPending = true;
    ExportResult written;
    QString error;
    try {
        written = std::move(result.value());
    } catch (const Error& e) {
        error = e.message();
    } catch (const std::exception& e) {
        error = tr("Экспорт прерван: %1").arg(QString::fromLocal8Bit(e.what()));
    }
    for (const QString& line : written.errorLines)
        Q_EMIT errorLine(line);
    if (!error.isEmpty())
        QMessageBox::critical(this, QStringLiteral("Quillet"), error);
    else
        showSummary(written);
}

void ExportPanel::showSummary(const ExportResult& written)
{
    const QString text = exportSummary(written, m_format, m_pageTotal);
    if (text.isEmpty())
        return;
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("Экспорт"), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("ExportDone"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (!written.files.isEmpty()) {
        QPushButton* open = box->addButton(tr("Открыть папку"), QMessageBox::ActionRole);
        open->setObjectName(QStringLiteral("OpenFolder"));
        const QUrl folder = QUrl::fromLocalFile(QFileInfo(written.files.first()).absolutePath());
        connect(open, &QPushButton::clicked, box, [folder] { QDesktopServices::openUrl(folder); });
    }
    // It stays aside: the window goes on taking input while it shows.
    box->setWindowModality(Qt::NonModal);
    box->show();
}

} // namespace Quillet
