// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/FieldTree.h"
#include "core/fields/FieldPanels.h"

#include <optional>

namespace Quillet {

class ProjectDocument;
class Workbook;

/// The panel the editing area `AddOpt` shows.
enum class EditorPanel { None, TextField, ImgField, ShapeAdd, Coords, Divided, AngleOpt, Replace };

/// What the window still has to do after an apply.
struct ApplyResult {
    bool printAsImage = false;         ///< an image field was applied: check `PrintAsImg`
    bool pageCountChanged = false;     ///< a text field was applied: run UpdatePageCount
    bool angleApplied = false;         ///< `AngleOpt`: Angle1 := −Angle2, rebuild background
    std::optional<NodeRef> selectNode; ///< a new field: select it in the tree
};

/// One editing session of the editing area over a document: which panel is open, which
/// node it edits, and the panels' values. The values outlive the session: Cancel keeps
/// what the user typed and a new field starts from the values shown last.
///
/// While a panel is open the rest of the settings column is disabled, so the tree does not
/// change under the session except by adding blocks (division keeps the page view).
class FieldEditor {
public:
    explicit FieldEditor(ProjectDocument& document) : m_doc(document) {}

    TextPanelValues text;
    ImagePanelValues image;
    ShapePanelValues shape;
    CoordsValues coords;
    DivideValues divide;

    EditorPanel panel() const { return m_panel; }
    bool isOpen() const { return m_panel != EditorPanel::None; }
    /// The node being edited; none for a new field, the angle and the replace panels.
    std::optional<NodeRef> EditedNode() const { return m_edited; }

    /// Create buttons: opens the panel of `kind` for a new field with the values kept.
    EditorPanel openNew(FieldKind kind);

    /// Double click on a node: a block opens `Coords`, a field the panel of its kind by
    /// its ID, loaded from the node text. Returns the panel; None (nothing changes) when
    /// `node` does not exist. On a ConversionError the panel is already open, EditedNode
    /// is set and the values hold what was read; the error is then rethrown. A field whose
    /// ID is not four digits throws ConversionError with the editor left as it was.
    EditorPanel openNode(const NodeRef& node);

    /// `DivideBtn`: opens `Divided` for `node` when it is a block and returns true;
    /// otherwise returns false and changes nothing.
    bool openDivide(const NodeRef& node);

    /// `ColsFromValue` ("Столько блоков, сколько знаков") while `Divided` is open: Col
    /// := the characters the divided block's text field shows on page `page`
    /// (fieldValueOnPage, then columnsForValue), Row := 1. Returns the line for the
    /// status bar. The division is left as it is when the value has no characters to
    /// count, the block belongs to a field of another kind or to one whose options do
    /// not read, or `Divided` is not open.
    QString columnsFromValue(const Workbook* workbook, int page);

    /// `AngleOpt` (the background angle; its points and result belong to the background).
    void openAngle();
    /// The auto-replace list panel, which shares the editing area's buttons.
    void openReplace();

    /// `OkBtn`: takes one undo snapshot (every panel, even when nothing changes), then
    /// writes the open panel into the tree: Coords the block text; Divided the parts as
    /// the last children of the block's field and removes the block; a field panel the
    /// composed node text (an edited field keeps its ID, a new field takes the next
    /// number and is appended as the last root node, unmarked). Always closes: panel None,
    /// EditedNode none, RepaintPending set. When composing or dividing fails the tree is
    /// left as before the apply (nor is a field number taken) and the error (Error or
    /// ConversionError) is rethrown after closing.
    ApplyResult apply();

    /// `CancelBtn`: closes without touching the tree; the values stay as typed. Sets
    /// RepaintPending. Returns the panel that was open (the replace panel restores its
    /// list).
    EditorPanel cancel();

    /// `UndoBtn` and Ctrl+Z, whatever panel is open. Undo replaces the tree, under which
    /// an open panel could be left editing a node that no longer exists, so the panel
    /// closes first, without writing the tree and without a snapshot of its own: the
    /// auto-replace panel as OK closes it (the list keeps its edits; undo does not cover
    /// the list), every other panel as Cancel does (its values stay as typed). Then the
    /// last snapshot is restored (ProjectDocument::Undo). Returns true when one was.
    bool undo();
    /// Ctrl+Y and Ctrl+Shift+Z: closes an open panel as undo does, for the same reason,
    /// then takes back the last undo (ProjectDocument::Redo). Returns true when one was.
    bool redo();

    /// The tree as apply would leave it with the open field or Coords panel (a new field
    /// appended with the ID it would get, an edited node replaced), without changing the
    /// document or taking a field number. Any other panel, or values that do not compose,
    /// give the current tree.
    FieldTree previewTree() const;

private:
    struct Written {
        NodeRef node;
        QString text;
        bool isNew = false;
    };
    /// The node text the open field or Coords panel would write, and where.
    std::optional<Written> pendingWrite() const;
    void close();

    ProjectDocument& m_doc;
    EditorPanel m_panel = EditorPanel::None;
    std::optional<NodeRef> m_edited;
};

} // namespace Quillet
