// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace Quillet {

/// Kind of a field, by the first digit of its four-digit ID.
enum class FieldKind { Text, Image, Shape };

/// Classification of an ID read as an integer: below 1000 text, below 2000 image, else
/// shape.
FieldKind fieldKindOfId(int id);

/// A node of the field tree: its text in the project's node grammar and its mark
/// (marks are never stored; loading and undo leave every node unmarked).
struct TreeNode {
    QString text;
    bool marked = false;

    /// The tree view's state image: 1 marked, 2 unmarked.
    int stateIndex() const { return marked ? 1 : 2; }
};

/// A node of the tree by position: a field, or one of its blocks.
struct NodeRef {
    int field = -1;
    int block = -1; // -1: the field itself
    bool isBlock() const { return block >= 0; }
    bool operator==(const NodeRef&) const = default;
    auto operator<=>(const NodeRef& other) const = default; // tree order
};

/// A field: a root node and its blocks, in child order.
struct FieldNode : TreeNode {
    std::vector<TreeNode> blocks;

    /// The ID, the first four characters read as a decimal integer; -1 when they are
    /// not four digits.
    int id() const;
    /// The field number, characters 2 to 4 read as an integer (12 for "0012", 7 for
    /// "1007"); -1 when they are not digits.
    int number() const;
    /// Kind by the ID; a malformed ID counts as a shape field (it reads as nothing else).
    FieldKind kind() const;
};

/// The project's field tree (`Structure`): fields as root nodes in creation order, their
/// blocks as children. Only two levels exist. Its text form, one node per line in
/// pre-order with one tab per level, is the tree chunk of the project file and the undo
/// snapshot.
class FieldTree {
public:
    std::vector<FieldNode> fields;

    bool isEmpty() const { return fields.empty(); }
    void clear() { fields.clear(); }
    /// Number of nodes, fields and blocks.
    int nodeCount() const;

    /// Pre-order text: each field line, then its blocks each after one tab; every line
    /// ends with CR LF. An empty tree gives an empty text.
    QString toText() const;

    /// Parses a tree text. Lines may end with CR LF, CR or LF; leading tabs and spaces
    /// count one level each. The first line is a field whatever its indentation; a line
    /// one level deeper than the node before it is its child, the same level a sibling,
    /// a lower level a sibling at that level. Throws ConversionError naming the line for
    /// a line more than one level deeper than the node before it, for a node below a
    /// block, and for a field line whose first four characters are not digits.
    static FieldTree fromText(QStringView text);

    /// 1 + the largest field number among the fields, or 0 without fields.
    int nextFieldNumberAfterLoad() const;

    /// Sets every mark to unmarked.
    void unmarkAll();

    /// True when `ref` names an existing node.
    bool contains(const NodeRef& ref) const;
    /// The node `ref` names; it must exist.
    TreeNode& node(const NodeRef& ref);
    const TreeNode& node(const NodeRef& ref) const;

    /// Toggles one node's mark (state 3 − state); a field's blocks then take the field's
    /// new state. Toggling a block leaves its field alone.
    void toggleMark(const NodeRef& ref);

    /// The space key on a selection: toggles every selected node in tree order; the
    /// blocks of a toggled field take its new state and leave the selection, so they are
    /// not toggled a second time. Returns the selection that remains.
    std::vector<NodeRef> toggleSelectedMarks(std::vector<NodeRef> selection);

    bool operator==(const FieldTree& other) const;
};

} // namespace Quillet
