// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/FieldTree.h"

#include "core/common/Errors.h"

#include <algorithm>

#include <QCoreApplication>

namespace Quillet {
namespace {

// Value of `count` decimal digits at `from`, or -1 when any of them is not a digit.
int digitsValue(const QString& text, int from, int count)
{
    if (text.size() < from + count)
        return -1;
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t u = text[i].unicode();
        if (u < u'0' || u > u'9')
            return -1;
        value = value * 10 + (u - u'0');
    }
    return value;
}

} // namespace

FieldKind fieldKindOfId(int id)
{
    if (id < 1000)
        return FieldKind::Text;
    if (id < 2000)
        return FieldKind::Image;
    return FieldKind::Shape;
}

int FieldNode::id() const
{
    return digitsValue(text, 0, 4);
}

int FieldNode::number() const
{
    return digitsValue(text, 1, 3);
}

FieldKind FieldNode::kind() const
{
    const int value = id();
    return value < 0 ? FieldKind::Shape : fieldKindOfId(value);
}

int FieldTree::nodeCount() const
{
    int count = 0;
    for (const FieldNode& field : fields)
        count += 1 + int(field.blocks.size());
    return count;
}

QString FieldTree::toText() const
{
    static const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (const FieldNode& field : fields) {
        text += field.text;
        text += crlf;
        for (const TreeNode& block : field.blocks) {
            text += QLatin1Char('\t');
            text += block.text;
            text += crlf;
        }
    }
    return text;
}

FieldTree FieldTree::fromText(QStringView text)
{
    FieldTree tree;
    int previousLevel = -1; // tree level of the node added last; -1 before the first
    int lineNumber = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        // One line: up to CR LF, a lone CR or a lone LF. The text after the last line
        // end is a line of its own only when it is not empty.
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = text.mid(pos, end - pos);
        if (end == text.size())
            pos = end;
        else if (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            pos = end + 2;
        else
            pos = end + 1;
        ++lineNumber;

        int level = 0;
        while (level < line.size() && (line[level] == u'\t' || line[level] == u' '))
            ++level;
        const QString nodeText = line.mid(level).toString();

        int treeLevel = 0;
        if (previousLevel < 0 || level <= 0) {
            treeLevel = 0;
        } else if (level <= previousLevel) {
            treeLevel = level;
        } else if (level == previousLevel + 1) {
            treeLevel = previousLevel + 1;
        } else {
            throw ConversionError(QCoreApplication::translate(
                                      "Quillet::FieldTree",
                                      "Строка %1 дерева полей имеет отступ уровня %2 под узлом "
                                      "уровня %3.")
                                      .arg(lineNumber)
                                      .arg(level)
                                      .arg(previousLevel));
        }
        if (treeLevel > 1) {
            throw ConversionError(
                QCoreApplication::translate("Quillet::FieldTree",
                                            "Строка %1 дерева полей ставит узел под "
                                            "блок, а у блоков нет вложенных узлов.")
                    .arg(lineNumber));
        }
        if (treeLevel == 0) {
            FieldNode field;
            field.text = nodeText;
            if (field.id() < 0) {
                throw ConversionError(QCoreApplication::translate(
                                          "Quillet::FieldTree",
                                          "Строка %1 дерева полей — поле, текст которого «%2» "
                                          "не начинается с четырёхзначного ID.")
                                          .arg(lineNumber)
                                          .arg(nodeText.left(40)));
            }
            tree.fields.push_back(std::move(field));
        } else {
            tree.fields.back().blocks.push_back(TreeNode{nodeText, false});
        }
        previousLevel = treeLevel;
    }
    return tree;
}

int FieldTree::nextFieldNumberAfterLoad() const
{
    int next = 0;
    for (const FieldNode& field : fields)
        next = std::max(next, field.number() + 1);
    return next;
}

void FieldTree::unmarkAll()
{
    for (FieldNode& field : fields) {
        field.marked = false;
        for (TreeNode& block : field.blocks)
            block.marked = false;
    }
}

bool FieldTree::contains(const NodeRef& ref) const
{
    if (ref.field < 0 || size_t(ref.field) >= fields.size())
        return false;
    return ref.block < 0 || size_t(ref.block) < fields[size_t(ref.field)].blocks.size();
}

TreeNode& FieldTree::node(const NodeRef& ref)
{
    FieldNode& field = fields.at(size_t(ref.field));
    return ref.block < 0 ? static_cast<TreeNode&>(field) : field.blocks.at(size_t(ref.block));
}

const TreeNode& FieldTree::node(const NodeRef& ref) const
{
    const FieldNode& field = fields.at(size_t(ref.field));
    return ref.block < 0 ? static_cast<const TreeNode&>(field) : field.blocks.at(size_t(ref.block));
}

void FieldTree::toggleMark(const NodeRef& ref)
{
    if (!contains(ref))
        return;
    TreeNode& target = node(ref);
    target.marked = !target.marked;
    if (!ref.isBlock()) {
        for (TreeNode& block : fields[size_t(ref.field)].blocks)
            block.marked = target.marked;
    }
}

std::vector<NodeRef> FieldTree::toggleSelectedMarks(std::vector<NodeRef> selection)
{
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    std::vector<NodeRef> remaining;
    int toggledField = -1;
    for (const NodeRef& ref : selection) {
        if (!contains(ref))
            continue;
        if (ref.isBlock() && ref.field == toggledField)
            continue; // took its field's state and left the selection
        toggleMark(ref);
        if (!ref.isBlock())
            toggledField = ref.field;
        remaining.push_back(ref);
    }
    return remaining;
}

bool FieldTree::operator==(const FieldTree& other) const
{
    if (fields.size() != other.fields.size())
        return false;
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldNode& a = fields[i];
        const FieldNode& b = other.fields[i];
        if (a.text != b.text || a.blocks.size() != b.blocks.size())
            return false;
        for (size_t j = 0; j < a.blocks.size(); ++j) {
            if (a.blocks[j].text != b.blocks[j].text)
                return false;
        }
    }
    return true;
}

} // namespace Quillet
