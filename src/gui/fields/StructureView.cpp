// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/StructureView.h"

#include "core/app/NodeDisplayText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace Quillet {
namespace {

constexpr int kFieldRole = Qt::UserRole;
constexpr int kBlockRole = Qt::UserRole + 1;

void showMark(QTreeWidgetItem* item, const TreeNode& node)
{
    item->setData(0, Qt::CheckStateRole, node.marked ? Qt::Checked : Qt::Unchecked);
}

// An item keeps only the node text; the line it shows and its tooltip are worked out
// from that text whenever the view asks for them.
class NodeItem : public QTreeWidgetItem {
public:
    QVariant data(int column, int role) const override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
            const QString text = QTreeWidgetItem::data(0, StructureView::NodeTextRole).toString();
            if (role == Qt::ToolTipRole)
                return visibleNodeText(text);
            return nodeDisplayText(text, QTreeWidgetItem::data(0, kBlockRole).toInt() >= 0);
        }
        return QTreeWidgetItem::data(column, role);
    }
};

QTreeWidgetItem* makeItem(const TreeNode& node, int field, int block)
{
    auto* item = new NodeItem;
    item->setData(0, StructureView::NodeTextRole, node.text);
    item->setData(0, kFieldRole, field);
    item->setData(0, kBlockRole, block);
    // Not user-checkable: the view toggles marks itself, with the blocks following their
    // field, which Qt's own check handling would not do.
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    showMark(item, node);
    return item;
}

} // namespace

StructureView::StructureView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("Structure"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // A line wider than the column scrolls rather than losing its end (the font, the
    // block's size) to an ellipsis.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

void StructureView::setTree(FieldTree* tree)
{
    const std::vector<NodeRef> selection = selectedRefs();
    const std::optional<NodeRef> current = currentRef();
    m_tree = tree;
    {
        const QSignalBlocker blocker(this);
        clear();
        if (m_tree == nullptr)
            return;
        for (int f = 0; f < static_cast<int>(m_tree->fields.size()); ++f) {
            const FieldNode& field = m_tree->fields[f];
            QTreeWidgetItem* item = makeItem(field, f, -1);
            for (int b = 0; b < static_cast<int>(field.blocks.size()); ++b)
                item->addChild(makeItem(field.blocks[b], f, b));
            addTopLevelItem(item);
        }
        expandAll();
        if (current && m_tree->contains(*current))
            setCurrentItem(itemOf(*current), 0, QItemSelectionModel::NoUpdate);
        selectRefs(selection);
    }
    Q_EMIT itemSelectionChanged();
}

void StructureView::refreshMarks()
{
    if (m_tree == nullptr)
        return;
    for (int f = 0; f < topLevelItemCount(); ++f) {
        QTreeWidgetItem* item = topLevelItem(f);
        const FieldNode& field = m_tree->fields[f];
        showMark(item, field);
        for (int b = 0; b < item->childCount(); ++b)
            showMark(item->child(b), field.blocks[b]);
    }
}

NodeRef StructureView::refOf(const QTreeWidgetItem* item)
{
    return NodeRef{item->data(0, kFieldRole).toInt(), item->data(0, kBlockRole).toInt()};
}

QTreeWidgetItem* StructureView::itemOf(const NodeRef& ref) const
{
    QTreeWidgetItem* field = topLevelItem(ref.field);
    if (field == nullptr || !ref.isBlock())
        return field;
    return field->child(ref.block);
}

std::vector<NodeRef> StructureView::selectedRefs() const
{
    std::vector<NodeRef> refs;
    for (const QTreeWidgetItem* item : selectedItems())
        refs.push_back(refOf(item));
    std::sort(refs.begin(), refs.end());
    return refs;
}

void StructureView::selectRefs(const std::vector<NodeRef>& refs)
{
    clearSelection();
    for (const NodeRef& ref : refs) {
        if (QTreeWidgetItem* item = itemOf(ref))
            item->setSelected(true);
    }
}

void StructureView::setCurrentRef(const NodeRef& ref)
{
    if (QTreeWidgetItem* item = itemOf(ref))
        setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
}

std::optional<NodeRef> StructureView::currentRef() const
{
    if (const QTreeWidgetItem* item = currentItem())
        return refOf(item);
    return std::nullopt;
}

bool StructureView::hitsCheckMark(const QTreeWidgetItem* item, QPoint pos) const
{
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    option.checkState = item->checkState(0);
    const QRect mark =
        style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
    return mark.contains(pos);
}

void StructureView::toggle(const NodeRef& ref)
{
    if (m_tree == nullptr || !m_tree->contains(ref))
        return;
    m_tree->toggleMark(ref);
    refreshMarks();
    Q_EMIT marksToggled();
}

void StructureView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(pos);
    if (item != nullptr && event->button() == Qt::RightButton) {
        toggle(refOf(item));
        event->accept();
        return;
    }
    if (item != nullptr
        && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        && hitsCheckMark(item, pos)) {
        toggle(refOf(item));
    }
    QTreeWidget::mousePressEvent(event);
}

void StructureView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier
        && m_tree != nullptr) {
        const std::vector<NodeRef> remaining = m_tree->toggleSelectedMarks(selectedRefs());
        refreshMarks();
        selectRefs(remaining);
        Q_EMIT marksToggled();
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace Quillet
