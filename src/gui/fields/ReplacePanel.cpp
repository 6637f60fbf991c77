// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/ReplacePanel.h"

#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "core/fields/AutoReplace.h"
#include "gui/app/Icons.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Quillet {
namespace {

QString arlFilter()
{
    return ReplacePanel::tr("Файлы автозамены (*.arl)");
}

QString inputCaption()
{
    return ReplacePanel::tr("Автозамена");
}

constexpr int kColumnWidth = 150;

// The list reads as a table: a thin line below and to the right of every cell.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const QRect r = option.rect;
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->restore();
    }
};

using Slot = void (ReplacePanel::*)();

struct ToolDef {
    const char* name;
    IconName icon;
    const char* hint;
    Slot slot;
};

} // namespace

ReplacePanel::ReplacePanel(ProjectDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("replace"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* box = new QGroupBox(tr("Настройка автозамены"), this);
    box->setObjectName(QStringLiteral("replaceGroup"));
    outer->addWidget(box);
    auto* layout = new QVBoxLayout(box);
    buildTools(box);

    m_list = new QTreeWidget(box);
    m_list->setObjectName(QStringLiteral("ReplaceList"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Что заменяем"), tr("Чем заменяем")});
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(0, kColumnWidth);
    m_list->setColumnWidth(1, kColumnWidth);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setItemDelegate(new GridDelegate(m_list));
    m_list->setMinimumHeight(180);
    layout->addWidget(m_list);
}

void ReplacePanel::buildTools(QWidget* parent)
{
    auto* tools = new QToolBar(parent);
    tools->setObjectName(QStringLiteral("sToolBar6"));
    const ToolDef defs[] = {
        {"ToolButton31", IconName::ListAdd, QT_TR_NOOP("Добавить автозамену"),
         &ReplacePanel::ToolButton31Click},
        {"ToolButton33", IconName::ListRemove, QT_TR_NOOP("Удалить выделенную автозамену"),
         &ReplacePanel::ToolButton33Click},
        {"ToolButton35", IconName::ListClear, QT_TR_NOOP("Очистить список автозамен"),
         &ReplacePanel::ToolButton35Click},
        {"ToolButton36", IconName::DocumentOpen, QT_TR_NOOP("Открыть файл автозамен"),
         &ReplacePanel::ToolButton36Click},
        {"ToolButton32", IconName::DocumentAppend, QT_TR_NOOP("Дополнить автозамены из файла"),
         &ReplacePanel::ToolButton32Click},
        {"ToolButton37", IconName::DocumentSave, QT_TR_NOOP("Сохранить автозамены в файл"),
         &ReplacePanel::ToolButton37Click},
    };
    for (const ToolDef& def : defs) {
        QToolButton* button = iconButton(tools, def.name, def.icon, tr(def.hint));
        button->setAutoRaise(true);
        button->setMinimumSize(28, 28);
        connect(button, &QToolButton::clicked, this, def.slot);
        tools->addWidget(button);
    }
    parent->layout()->addWidget(tools);
}

void ReplacePanel::open()
{
    m_snapshot = AutoReplace::snapshot(m_document.project.ReplaceList);
    refresh();
}

void ReplacePanel::restoreSnapshot()
{
    m_document.project.ReplaceList = AutoReplace::restoreSnapshot(m_snapshot);
    refresh();
}

void ReplacePanel::refresh()
{
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (const ReplacePair& pair : m_document.project.ReplaceList)
        items << new QTreeWidgetItem(QStringList{pair.find, pair.replacement});
    m_list->addTopLevelItems(items);
}

void ReplacePanel::selectRow(qsizetype row)
{
    if (row < 0 || row >= m_list->topLevelItemCount())
        return;
    QTreeWidgetItem* item = m_list->topLevelItem(int(row));
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void ReplacePanel::showError(const QString& message)
{
    QMessageBox::critical(this, QStringLiteral("Quillet"), message);
}

void ReplacePanel::ToolButton31Click()
{
    bool ok = false;
    const QString find = QInputDialog::getText(this, inputCaption(), tr("Что заменяем ..."),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    const QString replacement = QInputDialog::getText(this, inputCaption(), tr("чем заменяем ..."),
                                                      QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    qsizetype row = -1;
    try {
        row = AutoReplace::addOrUpdate(m_document.project.ReplaceList, {find, replacement});
    } catch (const Error& e) {
        showError(e.message());
        return;
    }
    refresh();
    selectRow(row);
}

void ReplacePanel::ToolButton33Click()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    AutoReplace::removeAt(m_document.project.ReplaceList,
                          m_list->indexOfTopLevelItem(selected.first()));
    refresh();
}

void ReplacePanel::ToolButton35Click()
{
    m_document.project.ReplaceList.clear();
    refresh();
}

QString ReplacePanel::startFolder() const
{
    if (m_lastFolder.isEmpty() && !m_document.ProjectPath.isEmpty())
        return QFileInfo(m_document.ProjectPath).absolutePath();
    return m_lastFolder;
}

QString ReplacePanel::chooseFileToRead(const QString& title)
{
    QFileDialog dialog(this, title, startFolder(), arlFilter());
    dialog.setObjectName(QStringLiteral("sOpenDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    m_lastFolder = dialog.directory().absolutePath();
    return dialog.selectedFiles().constFirst();
}

template <class Use> void ReplacePanel::readChosenFile(const QString& title, Use use)
{
    const QString path = chooseFileToRead(title);
    if (path.isEmpty())
        return;
    try {
        // The file is read whole before the list changes, so a file that fails to read
        // leaves the list as it was.
        if (const std::optional<ReplacePairs> pairs = AutoReplace::loadArl(path))
            use(*pairs);
    } catch (const Error& e) {
        showError(e.message());
    }
    refresh();
}

void ReplacePanel::ToolButton36Click()
{
    readChosenFile(tr("Открыть файл автозамен"), [this](const ReplacePairs& pairs) {
        AutoReplace::openPairs(m_document.project.ReplaceList, pairs);
    });
}

void ReplacePanel::ToolButton32Click()
{
    readChosenFile(tr("Дополнить автозамены из файла"), [this](const ReplacePairs& pairs) {
        AutoReplace::mergePairs(m_document.project.ReplaceList, pairs);
    });
}

void ReplacePanel::ToolButton37Click()
{
    QFileDialog dialog(this, tr("Сохранить автозамены в файл"), startFolder(), arlFilter());
    dialog.setObjectName(QStringLiteral("sSaveDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_lastFolder = dialog.directory().absolutePath();
    const QString chosen = dialog.selectedFiles().constFirst();
    if (QFileInfo(chosen).fileName().isEmpty())
        return;
    try {
        AutoReplace::saveArl(m_document.project.ReplaceList, chosen);
    } catch (const Error& e) {
        showError(e.message());
    }
}

} // namespace Quillet
