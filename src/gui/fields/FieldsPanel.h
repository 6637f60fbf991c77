// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/FieldTree.h"

#include <QWidget>

#include <optional>

class QDoubleSpinBox;
class QGroupBox;
class QListWidget;

namespace Quillet {

class ProjectDocument;
class StructureView;

/// The fields areas of the settings column: the create buttons with the block tools
/// (F3), the field tree `Structure` and the relation list `RelateList` (F4).
class FieldsPanel : public QWidget {
    Q_OBJECT
public:
    explicit FieldsPanel(ProjectDocument& document, QWidget* parent = nullptr);

    /// The group the F3 area scrolls to.
    QWidget* blocksAnchor() const;
    /// The group the F4 area scrolls to.
    QWidget* structureAnchor() const;

    /// Shows the project's tree and relations again.
    void refresh();
    /// The node selected in the tree, when there is one (its blocks show red).
    std::optional<NodeRef> selectedNode() const;
    /// Selects `node` alone and makes it current.
    void selectNode(const NodeRef& node);

    /// `Step`, the distance of the block moves in millimetres (a whole number of pixels).
    double stepMm() const;

Q_SIGNALS:
    /// A create button: a new field of `kind` is to be set up in the editing area.
    void createRequested(FieldKind kind);
    /// A double click on the tree: `node` is to be loaded into the editing area.
    void nodeActivated(const NodeRef& node);
    /// The selection or the marks changed.
    void selectionChanged();

private:
    void buildBlocksGroups();
    void buildStructureGroups();
    void RelateListClickCheck();
    void StepExit();

    ProjectDocument& m_document;
    QGroupBox* m_blocksGroup = nullptr;
    QGroupBox* m_structureGroup = nullptr;
    StructureView* m_structure = nullptr;
    QListWidget* m_relations = nullptr;
    QDoubleSpinBox* m_step = nullptr;
};

} // namespace Quillet
