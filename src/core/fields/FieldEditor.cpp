// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/FieldEditor.h"

#include "core/app/NodeGrammar.h"
#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "core/fields/BlockDivision.h"
#include "core/fields/FieldValue.h"

#include <QCoreApplication>

namespace Quillet {
namespace {

EditorPanel panelOfKind(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return EditorPanel::TextField;
    case FieldKind::Image:
        return EditorPanel::ImgField;
    case FieldKind::Shape:
        break;
    }
    return EditorPanel::ShapeAdd;
}

std::optional<FieldKind> kindOfPanel(EditorPanel panel)
{
    switch (panel) {
    case EditorPanel::TextField:
        return FieldKind::Text;
    case EditorPanel::ImgField:
        return FieldKind::Image;
    case EditorPanel::ShapeAdd:
        return FieldKind::Shape;
    default:
        return std::nullopt;
    }
}

[[noreturn]] void nodeGone()
{
    throw Error(QCoreApplication::translate(
        "Quillet::FieldEditor", "Редактируемый элемент больше не существует в списке полей."));
}

} // namespace

EditorPanel FieldEditor::openNew(FieldKind kind)
{
    m_panel = panelOfKind(kind);
    m_edited.reset();
    return m_panel;
}

EditorPanel FieldEditor::openNode(const NodeRef& node)
{
    const FieldTree& tree = m_doc.project.Structure;
    if (!tree.contains(node))
        return EditorPanel::None;
    if (node.isBlock()) {
        m_panel = EditorPanel::Coords;
        m_edited = node;
        loadCoords(tree.node(node).text, coords);
        return m_panel;
    }
    const FieldNode& field = tree.fields[size_t(node.field)];
    const int id = field.id();
    if (id < 0) {
        throw ConversionError(
            QCoreApplication::translate("Quillet::FieldEditor",
                                        "Поле «%1»: первые четыре символа не являются "
                                        "номером поля.")
                .arg(field.text.left(40)));
    }
    m_panel = panelOfKind(fieldKindOfId(id));
    m_edited = node;
    // The panel is open before reading, so a text that stops converting halfway leaves
    // the panel showing what was read.
    switch (m_panel) {
    case EditorPanel::TextField:
        loadTextPanel(field.text, text);
        break;
    case EditorPanel::ImgField:
        loadImagePanel(field.text, image);
        break;
    default:
        loadShapePanel(field.text, shape);
        break;
    }
    return m_panel;
}

bool FieldEditor::openDivide(const NodeRef& node)
{
    if (!node.isBlock() || !m_doc.project.Structure.contains(node))
        return false;
    m_panel = EditorPanel::Divided;
    m_edited = node;
    return true;
}

QString FieldEditor::columnsFromValue(const Workbook* workbook, int page)
{
    const FieldTree& tree = m_doc.project.Structure;
    if (m_panel != EditorPanel::Divided || !m_edited || !tree.contains(*m_edited))
        return {};
    const FieldNode& field = tree.fields[size_t(m_edited->field)];
    const int id = field.id();
    if (id < 0 || fieldKindOfId(id) != FieldKind::Text) {
        return QCoreApplication::translate("Quillet::FieldEditor",
                                           "Блоки по числу знаков — только для текстового "
                                           "поля.");
    }
    try {
        const TOptTextField options =
            ParseTextOptions(QStringView(field.text).mid(4), field.text.left(4));
        const ColumnsForValue counted =
            columnsForValue(fieldValueOnPage(m_doc.project, workbook, options, page), options);
        if (counted.columns > 0)
            divide = DivideValues{counted.columns, 1};
        return counted.message;
    } catch (const Error& e) {
        return e.message();
    }
}

void FieldEditor::openAngle()
{
    m_panel = EditorPanel::AngleOpt;
    m_edited.reset();
}

void FieldEditor::openReplace()
{
    m_panel = EditorPanel::Replace;
    m_edited.reset();
}

std::optional<FieldEditor::Written> FieldEditor::pendingWrite() const
{
    const FieldTree& tree = m_doc.project.Structure;
    if (m_edited && !tree.contains(*m_edited))
        nodeGone();
    if (m_panel == EditorPanel::Coords) {
        if (!m_edited)
            return std::nullopt;
        return Written{*m_edited, composeCoordsNode(coords), false};
    }
    const std::optional<FieldKind> kind = kindOfPanel(m_panel);
    if (!kind)
        return std::nullopt;
    Written w;
    QString id;
    if (m_edited) {
        w.node = *m_edited;
        id = tree.node(w.node).text.left(4);
    } else {
        // The ID the new field will take, without giving the number out yet.
        Project probe;
        probe.NextFieldNumber = m_doc.project.NextFieldNumber;
        id = probe.takeNewFieldId(*kind);
        w.node = NodeRef{int(tree.fields.size()), -1};
        w.isNew = true;
    }
    switch (*kind) {
    case FieldKind::Text:
        w.text = composeTextNode(id, text);
        break;
    case FieldKind::Image:
        w.text = composeImageNode(id, image);
        break;
    case FieldKind::Shape:
        w.text = composeShapeNode(id, shape);
        break;
    }
    return w;
}

ApplyResult FieldEditor::apply()
{
    m_doc.PushUndoSnapshot();
    ApplyResult result;
    FieldTree& tree = m_doc.project.Structure;
    try {
        switch (m_panel) {
        case EditorPanel::Divided: {
            if (!m_edited || !tree.contains(*m_edited))
                nodeGone();
            // All parts are composed before the tree changes, so a failure leaves it whole.
            const std::vector<QString> parts =
                divideBlock(tree.node(*m_edited).text, divide.Col, divide.Row);
            FieldNode& field = tree.fields[size_t(m_edited->field)];
            for (const QString& part : parts)
                field.blocks.push_back(TreeNode{part, false});
            field.blocks.erase(field.blocks.begin() + m_edited->block);
            break;
        }
        case EditorPanel::AngleOpt:
            result.angleApplied = true;
            break;
        default:
            if (const std::optional<Written> w = pendingWrite()) {
                if (w->isNew) {
                    m_doc.project.takeNewFieldId(*kindOfPanel(m_panel));
                    FieldNode field;
                    field.text = w->text;
                    tree.fields.push_back(std::move(field));
                    result.selectNode = w->node;
                } else {
                    tree.node(w->node).text = w->text;
                }
                result.printAsImage = m_panel == EditorPanel::ImgField;
                result.pageCountChanged = m_panel == EditorPanel::TextField;
            }
            break;
        }
    } catch (...) {
        close();
        throw;
    }
    close();
    return result;
}

EditorPanel FieldEditor::cancel()
{
    const EditorPanel was = m_panel;
    close();
    return was;
}

bool FieldEditor::undo()
{
    // Closing touches neither the tree nor the list: a snapshot taken here would be the one
    // the undo restores, undoing nothing and pushing the oldest level out of a full ring.
    if (isOpen())
        close();
    return m_doc.Undo();
}

bool FieldEditor::redo()
{
    if (isOpen())
        close();
    return m_doc.Redo();
}

void FieldEditor::close()
{
    m_panel = EditorPanel::None;
    m_edited.reset();
    m_doc.RepaintPending = true;
}

FieldTree FieldEditor::previewTree() const
{
    FieldTree tree = m_doc.project.Structure;
    try {
        if (const std::optional<Written> w = pendingWrite()) {
            if (w->isNew) {
                FieldNode field;
                field.text = w->text;
                tree.fields.push_back(std::move(field));
            } else {
                tree.node(w->node).text = w->text;
            }
        }
    } catch (const Error&) {
        // Values that do not compose yet (the user is still typing): show the tree as is.
    }
    return tree;
}

} // namespace Quillet
