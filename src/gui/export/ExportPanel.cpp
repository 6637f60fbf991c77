// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/export/ExportPanel.h"

#include "core/app/PageCount.h"
#include "core/app/ProjectDocument.h"
#include "core/data/PageSelection.h"
#include "core/editor/ViewGeometry.h"
#include "core/export/ExportOptions.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

namespace Quillet {
namespace {

QToolButton* pageButton(QWidget* parent, const char* name, const QString& text, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    return button;
}

QCheckBox* option(QWidget* parent, const char* name, const QString& caption, bool* value)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(*value);
    QObject::connect(box, &QCheckBox::toggled, parent, [value](bool on) { *value = on; });
    return box;
}

} // namespace

ExportPanel::ExportPanel(ExportOptions& options, ProjectDocument& document, const ViewState& view,
                         QWidget* parent)
    : QGroupBox(QStringLiteral("Экспорт результата"), parent), m_options(options),
      m_document(document), m_view(view)
{
    setObjectName(QStringLiteral("Exportpr"));
    auto* form = new QFormLayout(this);
    m_pages = new QLineEdit(this);
    m_pages->setObjectName(QStringLiteral("sEdit1"));
    form->addRow(QStringLiteral("Страницы: "), m_pages);
    connect(m_pages, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_options.pages = text; });
    auto* row = new QHBoxLayout;
    const struct {
        const char* name;
        const char* text;
        const char* hint;
        void (ExportPanel::*slot)();
    } buttons[] = {
        {"ToolButton49", "Все", "Выделить все страницы", &ExportPanel::ToolButton49Click},
        {"ToolButton50", "1…N", "Выделить с начала до текущей", &ExportPanel::ToolButton50Click},
        {"ToolButton51", "Инв.", "Инвертировать выделение", &ExportPanel::ToolButton51Click},
        {"ToolButton52", "±", "Добавить / исключить текущую страницу",
         &ExportPanel::ToolButton52Click},
    };
    for (const auto& b : buttons) {
        QToolButton* button =
            pageButton(this, b.name, QString::fromUtf8(b.text), QString::fromUtf8(b.hint));
        connect(button, &QToolButton::clicked, this, b.slot);
        row->addWidget(button);
    }
    row->addStretch(1);
    form->addRow(row);

    m_withBack =
        option(this, "WithBack", QStringLiteral("Экспортировать подложку"), &m_options.WithBack);
    connect(m_withBack, &QCheckBox::toggled, this, [this] { m_document.RepaintPending = true; });
    m_reverse =
        option(this, "Reverce", QStringLiteral("Печатать в обратном порядке"), &m_options.Reverce);
    m_printAsImg =
        option(this, "PrintAsImg", QStringLiteral("Распечатывать как картинку (медленее)"),
               &m_options.PrintAsImg);
    form->addRow(m_withBack);
    form->addRow(m_reverse);
    form->addRow(m_printAsImg);
}

void ExportPanel::refresh()
{
    const QSignalBlocker pages(m_pages);
    m_pages->setText(m_options.pages);
    m_withBack->setChecked(m_options.WithBack);
    m_reverse->setChecked(m_options.Reverce);
    m_printAsImg->setChecked(m_options.PrintAsImg);
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

} // namespace Quillet
