// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/FieldTree.h"

#include <QTreeWidget>

#include <optional>
#include <vector>

namespace Quillet {

/// `Structure`: the field tree, one item per node, the marks as check marks. Each item
/// holds its node text (NodeTextRole) and shows it readably (nodeDisplayText), with the
/// stored text, separators made visible, as its tooltip; searching by typing matches the
/// readable line. It reads and toggles the marks of the tree it is bound to; all other
/// changes come from the model and are shown by setTree.
class StructureView : public QTreeWidget {
    Q_OBJECT
public:
    /// The item data role holding the node text exactly as stored.
    static constexpr int NodeTextRole = Qt::UserRole + 2;

    explicit StructureView(QWidget* parent = nullptr);

    /// Shows `tree` (which must outlive the view or be replaced) in full; the selection
    /// is kept for nodes that still exist.
    void setTree(FieldTree* tree);
    /// Shows the marks of the bound tree again.
    void refreshMarks();

    /// The selected nodes in tree order.
    std::vector<NodeRef> selectedRefs() const;
    void selectRefs(const std::vector<NodeRef>& refs);
    /// Makes `ref` the current node, alone in the selection.
    void setCurrentRef(const NodeRef& ref);
    /// The current (focused) node, if any.
    std::optional<NodeRef> currentRef() const;

Q_SIGNALS:
    /// A mark changed by the mouse or the space key.
    void marksToggled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTreeWidgetItem* itemOf(const NodeRef& ref) const;
    static NodeRef refOf(const QTreeWidgetItem* item);
    bool hitsCheckMark(const QTreeWidgetItem* item, QPoint pos) const;
    void toggle(const NodeRef& ref);

    FieldTree* m_tree = nullptr;
};

} // namespace Quillet
