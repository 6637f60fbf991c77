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
struct BlockOpResult;

/// The fields areas of the settings column: the create buttons with the block toolbar
/// `sToolBar3` (F3), the field tree `Structure` and the relation list `RelateList` (F4).
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
    /// Shows what a block command did: the blocks it left alone, the tree again and the
    /// node it made current.
    void showCommandResult(const BlockOpResult& result);

Q_SIGNALS:
    /// A create button: a new field of `kind` is to be set up in the editing area.
    void createRequested(FieldKind kind);
    /// A double click on the tree: `node` is to be loaded into the editing area.
    void nodeActivated(const NodeRef& node);
    /// `DivideBtn` with a block current: its division is to be opened.
    void divideRequested(const NodeRef& block);
    /// `ToolButton11`: the auto-replace list panel is to be opened.
    void replaceRequested();
    /// A line for the error list (a block an operation left alone).
    void errorLine(const QString& line);
    /// A line for the status bar (blocks an operation left where they were).
    void statusMessage(const QString& line);
    /// The selection or the marks changed.
    void selectionChanged();

public Q_SLOTS:
    // Block tools
    void ToolButton22Click();
    void ToolButton23Click();
    void ToolButton13Click();
    void ToolButton24Click();
    void ToolButton14Click();
    void ToolButton17Click();
    void ToolButton8Click();
    void ToolButton9Click();
    void ToolButton18Click();
    void ToolButton20Click();
    void ToolButton26Click();
    void DivideBtnClick();
    void ToolButton11Click();
    // Step moves and resizes
    void MoveUPClick();
    void MoveDownClick();
    void MoveLeftClick();
    void MoveRightClick();
    void HBigClick();
    void HSmallClick();
    void VBigClick();
    void VSmallClick();
    // Relations
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton15Click();
    void ToolButton16Click();

private:
    void buildBlocksGroups();
    void buildBlockTools(QWidget* parent);
    void buildStepGroups();
    void buildStructureGroups();
    void buildRelationTools(QWidget* parent);
    void RelateListClickCheck();
    void StepExit();
    std::optional<NodeRef> currentNode() const;
    /// Runs a block command: shows its errors, then its result (showCommandResult).
    template <class Command> void runBlockCommand(Command command);
    void showRelations();

    ProjectDocument& m_document;
    QGroupBox* m_blocksGroup = nullptr;
    QGroupBox* m_structureGroup = nullptr;
    StructureView* m_structure = nullptr;
    QListWidget* m_relations = nullptr;
    QDoubleSpinBox* m_step = nullptr;
};

} // namespace Quillet
