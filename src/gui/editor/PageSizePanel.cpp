// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/editor/PageSizePanel.h"

#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "gui/app/Icons.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QToolButton>

namespace Quillet {
namespace {

QDoubleSpinBox* pageSideEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(2);
    edit->setRange(MinPageSideMm, MaxPageSideMm);
    edit->setValue(MinPageSideMm);
    edit->setSuffix(QCoreApplication::translate("Quillet::PageSizePanel", " мм"));
    return edit;
}

} // namespace

PageSizePanel::PageSizePanel(ProjectDocument& document, UserSettings& userSettings, QWidget* parent)
    : QGroupBox(tr("Размер проекта:"), parent), m_document(document), m_userSettings(userSettings)
{
    setObjectName(QStringLiteral("SizeGroup"));
    auto* form = new QFormLayout(this);
    auto* listRow = new QHBoxLayout;
    m_sizeList = new QComboBox(this);
    m_sizeList->setObjectName(QStringLiteral("SizeList"));
    m_sizeList->setEditable(true);
    m_sizeList->setInsertPolicy(QComboBox::NoInsert);
    m_sizeList->setMinimumContentsLength(8);
    m_sizeList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QToolButton* save =
        iconButton(this, "sSpeedButton9", IconName::DocumentSave, tr("Сохранить размер"));
    QToolButton* remove = iconButton(this, "sSpeedButton8", IconName::Delete, tr("Удалить размер"));
    listRow->addWidget(m_sizeList, 1);
    listRow->addWidget(save);
    listRow->addWidget(remove);
    form->addRow(listRow);
    m_width = pageSideEdit(this, "PrWidth");
    m_height = pageSideEdit(this, "PrHeight");
    form->addRow(tr("Ширина:"), m_width);
    form->addRow(tr("Высота:"), m_height);

    connect(m_sizeList, &QComboBox::activated, this, &PageSizePanel::SizeListChange);
    connect(m_sizeList, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_document.project.settings.SizeName = text; });
    connect(save, &QToolButton::clicked, this, &PageSizePanel::sSpeedButton9Click);
    connect(remove, &QToolButton::clicked, this, &PageSizePanel::sSpeedButton8Click);
    connect(m_width, &QDoubleSpinBox::editingFinished, this, &PageSizePanel::PrWidthExit);
    connect(m_height, &QDoubleSpinBox::editingFinished, this, &PageSizePanel::PrHeightExit);
    fillSizeList();
}

void PageSizePanel::refresh()
{
    const ProjectSettings& s = m_document.project.settings;
    const QSignalBlocker sizes(m_sizeList);
    const int entry = m_sizeList->findText(s.SizeName, Qt::MatchExactly);
    m_sizeList->setCurrentIndex(entry);
    if (entry < 0)
        m_sizeList->setEditText(s.SizeName);
    m_width->setValue(shownPageSide(s.PrWidth));
    m_height->setValue(shownPageSide(s.PrHeight));
}

void PageSizePanel::fillSizeList()
{
    const QSignalBlocker blocker(m_sizeList);
    m_sizeList->clear();
    m_sizeList->addItems(m_userSettings.pageSizeNames());
    m_sizeList->setCurrentIndex(-1);
}

void PageSizePanel::SizeListChange(int index)
{
    const QString name = m_sizeList->itemText(index);
    std::optional<PageSize> size;
    try {
        size = m_userSettings.pageSize(name);
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return;
    }
    if (!size)
        return;
    ProjectSettings& settings = m_document.project.settings;
    settings.SizeName = name;
    settings.PrWidth = size->widthMm;
    settings.PrHeight = size->heightMm;
    m_width->setValue(shownPageSide(settings.PrWidth));
    m_height->setValue(shownPageSide(settings.PrHeight));
    m_document.RepaintPending = true;
    Q_EMIT pageSizeChanged();
}

void PageSizePanel::sSpeedButton9Click()
{
    const QString name = m_sizeList->currentText();
    if (name.isEmpty())
        return;
    const ProjectSettings& settings = m_document.project.settings;
    try {
        m_userSettings.savePageSize(name, PageSize{settings.PrWidth, settings.PrHeight});
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return;
    }
    const int current = m_sizeList->currentIndex();
    const bool typed = current < 0 || m_sizeList->itemText(current) != name;
    if (typed && m_sizeList->findText(name, Qt::MatchExactly) < 0) {
        const QSignalBlocker blocker(m_sizeList);
        m_sizeList->addItem(name);
        m_sizeList->setCurrentIndex(m_sizeList->count() - 1);
    }
}

void PageSizePanel::sSpeedButton8Click()
{
    const QString name = m_sizeList->currentText();
    if (name.isEmpty())
        return;
    try {
        m_userSettings.removePageSize(name);
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return;
    }
    const QSignalBlocker blocker(m_sizeList);
    const int entry = m_sizeList->findText(name, Qt::MatchExactly);
    if (entry >= 0)
        m_sizeList->removeItem(entry);
    m_sizeList->setCurrentIndex(-1);
}

void PageSizePanel::applyPageSideExit(bool width)
{
    QDoubleSpinBox* edit = width ? m_width : m_height;
    const double snapped = pageSideAfterEdit(edit->value());
    ProjectSettings& settings = m_document.project.settings;
    (width ? settings.PrWidth : settings.PrHeight) = snapped;
    {
        const QSignalBlocker blocker(edit);
        edit->setValue(shownPageSide(snapped));
    }
    m_document.RepaintPending = true;
    Q_EMIT pageSizeChanged();
}

void PageSizePanel::PrWidthExit()
{
    applyPageSideExit(true);
}

void PageSizePanel::PrHeightExit()
{
    applyPageSideExit(false);
}

} // namespace Quillet
