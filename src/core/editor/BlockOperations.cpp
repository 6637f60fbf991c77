// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/editor/BlockOperations.h"

#include "core/app/ProjectDocument.h"
#include "core/common/Geometry.h"
#include "core/common/Numbers.h"
#include "core/data/Relations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <QCoreApplication>

namespace Quillet {
namespace {

// Edges by bit, in the order they stand in a block text.
enum Edge : unsigned { EdgeLeft = 1, EdgeTop = 2, EdgeRight = 4, EdgeBottom = 8 };
constexpr std::array<int, 4> kEdgeOffset = {0, 8, 16, 24};
constexpr int kEdgeWidth = 7;

// Pixels beyond this are no page position; clamping here keeps the arithmetic below
// (differences and sums of edges) far from any overflow, and the page check refuses them.
constexpr long double kPixelLimit = 1e9L;

// A rectangle in page pixels wide enough for sums and differences of edges.
struct Px {
    long long left = 0, top = 0, right = 0, bottom = 0;

    long long edge(int i) const { return std::array<long long, 4>{left, top, right, bottom}[i]; }
    BlockRect rect() const
    {
        return {int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
    }
};

Px readPx(const QString& blockText)
{
    const BlockRect r = ParseBlockRect(blockText);
    return {r.Left, r.Top, r.Right, r.Bottom};
}

long long pixelOf(long double mm)
{
    long double px = mm / MmPerPixel;
    if (!(std::fabs(px) <= kPixelLimit))
        px = std::isnan(px) ? kPixelLimit : std::copysign(kPixelLimit, px);
    return roundHalfEven(px);
}

struct PageSize {
    long long width = 1;
    long long height = 1;
};

PageSize pageOf(const ProjectDocument& doc)
{
    return {doc.project.pageWidthPx(), doc.project.pageHeightPx()};
}

bool fitsPage(const Px& r, unsigned edges, PageSize page)
{
    for (int i = 0; i < 4; ++i) {
        if (!(edges & (1u << i)))
            continue;
        const long long limit = (i % 2 == 0 ? page.width : page.height) - 1;
        if (r.edge(i) < 0 || r.edge(i) > limit)
            return false;
    }
    return true;
}

constexpr unsigned kAllEdges = EdgeLeft | EdgeTop | EdgeRight | EdgeBottom;

std::optional<NodeRef> existing(const FieldTree& tree, const std::optional<NodeRef>& node)
{
    if (node && tree.contains(*node))
        return node;
    return std::nullopt;
}

// Writes the chosen edges of `r` into the block at their own positions, or refuses the
// block when one of them would leave the page.
void writeEdges(TreeNode& block, const NodeRef& at, const Px& r, unsigned edges, PageSize page,
                BlockOpResult& result)
{
    if (!fitsPage(r, edges, page)) {
        result.refused.push_back(at);
        return;
    }
    QString text = block.text;
    for (int i = 0; i < 4; ++i) {
        if (edges & (1u << i)) {
            text.replace(kEdgeOffset[size_t(i)], kEdgeWidth,
                         Numbers::formatFixed(pixelToMm(r.edge(i)), 4, 2));
        }
    }
    if (text != block.text) {
        block.text = text;
        result.changed = true;
    }
}

template <class Visit> void forEachMarkedBlock(FieldTree& tree, Visit visit)
{
    for (size_t f = 0; f < tree.fields.size(); ++f) {
        std::vector<TreeNode>& blocks = tree.fields[f].blocks;
        for (size_t b = 0; b < blocks.size(); ++b) {
            if (blocks[b].marked)
                visit(NodeRef{int(f), int(b)}, blocks[b]);
        }
    }
}

std::vector<NodeRef> markedBlocks(const FieldTree& tree)
{
    std::vector<NodeRef> marked;
    for (size_t f = 0; f < tree.fields.size(); ++f) {
        const std::vector<TreeNode>& blocks = tree.fields[f].blocks;
        for (size_t b = 0; b < blocks.size(); ++b) {
            if (blocks[b].marked)
                marked.push_back(NodeRef{int(f), int(b)});
        }
    }
    return marked;
}

// Visits the listed blocks that exist, in the list's order.
template <class Visit>
void forEachBlock(FieldTree& tree, const std::vector<NodeRef>& blocks, Visit visit)
{
    for (const NodeRef& at : blocks) {
        if (at.isBlock() && tree.contains(at))
            visit(at, tree.node(at));
    }
}

BlockOpResult setAllMarks(ProjectDocument& doc, bool marked)
{
    BlockOpResult result;
    auto mark = [&](TreeNode& node) {
        result.changed = result.changed || node.marked != marked;
        node.marked = marked;
    };
    for (FieldNode& field : doc.project.Structure.fields) {
        mark(field);
        for (TreeNode& block : field.blocks)
            mark(block);
    }
    for (RelationItem& item : doc.project.RelateList)
        item.checked = marked;
    return result;
}

void setRepaint(ProjectDocument& doc, BlockOpResult& result)
{
    doc.RepaintPending = true;
    result.repaint = true;
}

QString blockCopyText(const Px& r)
{
    return composeBlockText(r.rect());
}

// The clone of a field: its copy with the next field number, blocks shifted right by
// `shift` pixels. Everything is read before the number is taken, so an unreadable block
// costs no number.
FieldNode cloneField(ProjectDocument& doc, int fieldIndex, long long shift, PageSize page,
                     BlockOpResult& result)
{
    const FieldNode& source = doc.project.Structure.fields[size_t(fieldIndex)];
    std::vector<Px> rects;
    for (const TreeNode& block : source.blocks)
        rects.push_back(readPx(block.text));
    const QChar kind = source.text.isEmpty() ? QLatin1Char('0') : source.text[0];
    FieldNode copy;
    copy.text = doc.project.takeCloneFieldId(kind) + source.text.mid(4);
    for (size_t i = 0; i < rects.size(); ++i) {
        Px r = rects[i];
        r.left += shift;
        r.right += shift;
        if (fitsPage(r, kAllEdges, page))
            copy.blocks.push_back(TreeNode{blockCopyText(r), false});
        else
            result.refused.push_back(NodeRef{fieldIndex, int(i)});
    }
    return copy;
}

} // namespace

QString refusalMessage(const FieldTree& tree, const NodeRef& node)
{
    return QCoreApplication::translate(
               "Quillet::BlockOperations",
               "Блок «%1» поля %2 оставлен как есть: он вышел бы за пределы "
               "страницы.")
        .arg(tree.node(node).text, tree.fields[size_t(node.field)].text.left(4));
}

QString refusalSummary(const FieldTree& tree, const std::vector<NodeRef>& refused)
{
    if (refused.empty())
        return {};
    if (refused.size() == 1)
        return refusalMessage(tree, refused.front());
    return QCoreApplication::translate(
               "Quillet::BlockOperations",
               "Блоков оставлено как есть: %1 — они вышли бы за пределы страницы.")
        .arg(refused.size());
}

BlockOpResult unmarkAll(ProjectDocument& doc)
{
    return setAllMarks(doc, false);
}

BlockOpResult markAll(ProjectDocument& doc)
{
    return setAllMarks(doc, true);
}

BlockOpResult deleteMarked(ProjectDocument& doc, std::optional<NodeRef> current)
{
    doc.PushUndoSnapshot();
    BlockOpResult result;
    FieldTree& tree = doc.project.Structure;
    const std::optional<NodeRef> cur = existing(tree, current);
    std::vector<FieldNode> kept;
    for (size_t f = 0; f < tree.fields.size(); ++f) {
        FieldNode& field = tree.fields[f];
        if (field.marked) {
            if (field.id() >= 0)
                RemoveFromRelations(doc.project.RelateList, field.id());
            result.changed = true;
            continue;
        }
        FieldNode copy = field;
        copy.blocks.clear();
        for (size_t b = 0; b < field.blocks.size(); ++b) {
            const bool isCurrent = cur && *cur == NodeRef{int(f), int(b)};
            if (field.blocks[b].marked) {
                result.changed = true;
                continue;
            }
            if (isCurrent)
                result.current = NodeRef{int(kept.size()), int(copy.blocks.size())};
            copy.blocks.push_back(field.blocks[b]);
        }
        if (cur && *cur == NodeRef{int(f), -1})
            result.current = NodeRef{int(kept.size()), -1};
        kept.push_back(std::move(copy));
    }
    tree.fields = std::move(kept);
    return result;
}

BlockOpResult moveMarkedToCurrent(ProjectDocument& doc, std::optional<NodeRef> current)
{
    doc.PushUndoSnapshot();
    BlockOpResult result;
    FieldTree& tree = doc.project.Structure;
    const std::optional<NodeRef> cur = existing(tree, current);
    if (!cur)
        return result;
    if (cur->isBlock() && tree.node(*cur).marked) {
        tree.node(*cur).marked = false;
        result.changed = true;
    }
    // Take the marked blocks out in tree order, following where the current block goes.
    std::vector<TreeNode> moving;
    int currentBlock = cur->block;
    for (size_t f = 0; f < tree.fields.size(); ++f) {
        std::vector<TreeNode>& blocks = tree.fields[f].blocks;
        for (size_t b = 0; b < blocks.size();) {
            if (!blocks[b].marked) {
                ++b;
                continue;
            }
            if (int(f) == cur->field && int(b) < currentBlock)
                --currentBlock;
            moving.push_back(TreeNode{blocks[b].text, false});
            blocks.erase(blocks.begin() + qsizetype(b));
        }
    }
    std::vector<TreeNode>& target = tree.fields[size_t(cur->field)].blocks;
    if (cur->isBlock()) {
        target.insert(target.begin() + currentBlock, moving.begin(), moving.end());
        result.current = NodeRef{cur->field, currentBlock + int(moving.size())};
    } else {
        target.insert(target.end(), moving.begin(), moving.end());
        result.current = cur;
    }
    result.changed = result.changed || !moving.empty();
    return result;
}

BlockOpResult alignMarked(ProjectDocument& doc, std::optional<NodeRef> current, AlignEdge edge)
{
    doc.PushUndoSnapshot();
    BlockOpResult result;
    std::optional<NodeRef> ref = existing(doc.project.Structure, current);
    if (!ref)
        return result;
    if (!ref->isBlock()) {
        if (doc.project.Structure.fields[size_t(ref->field)].blocks.empty())
            return result;
        ref->block = 0;
    }
    result.current = ref;
    FieldTree tree = doc.project.Structure;
    const Px reference = readPx(tree.node(*ref).text);
    const PageSize page = pageOf(doc);
    forEachMarkedBlock(tree, [&](const NodeRef& at, TreeNode& block) {
        if (at == *ref)
            return;
        Px r = readPx(block.text);
        switch (edge) {
        case AlignEdge::Left:
            r.right = r.right - r.left + reference.left;
            r.left = reference.left;
            writeEdges(block, at, r, EdgeLeft | EdgeRight, page, result);
            break;
        case AlignEdge::Top:
            r.bottom = r.bottom - r.top + reference.top;
            r.top = reference.top;
            writeEdges(block, at, r, EdgeTop | EdgeBottom, page, result);
            break;
        case AlignEdge::Right:
            if (r.left < reference.right) {
                r.right = reference.right;
                writeEdges(block, at, r, EdgeRight, page, result);
            }
            break;
        case AlignEdge::Bottom:
            if (r.top < reference.bottom) {
                r.bottom = reference.bottom;
                writeEdges(block, at, r, EdgeBottom, page, result);
            }
            break;
        }
    });
    doc.project.Structure = std::move(tree);
    setRepaint(doc, result);
    return result;
}

BlockOpResult centreMarked(ProjectDocument& doc, std::optional<NodeRef> current)
{
    doc.PushUndoSnapshot();
    BlockOpResult result;
    const std::optional<NodeRef> ref = existing(doc.project.Structure, current);
    if (!ref || !ref->isBlock())
        return result;
    FieldTree tree = doc.project.Structure;
    const Px reference = readPx(tree.node(*ref).text);
    // C++ division truncates toward zero, which is the rule for both halvings.
    const long long centre = (reference.left + reference.right) / 2;
    const PageSize page = pageOf(doc);
    forEachMarkedBlock(tree, [&](const NodeRef& at, TreeNode& block) {
        Px r = readPx(block.text);
        const long long width = r.right - r.left;
        r.left = centre - width / 2;
        r.right = r.left + width;
        writeEdges(block, at, r, EdgeLeft | EdgeRight, page, result);
    });
    doc.project.Structure = std::move(tree);
    setRepaint(doc, result);
    return result;
}

BlockOpResult cloneCurrent(ProjectDocument& doc, std::optional<NodeRef> current, double stepMm)
{
    doc.PushUndoSnapshot();
    BlockOpResult result;
    FieldTree& tree = doc.project.Structure;
    const std::optional<NodeRef> cur = existing(tree, current);
    if (!cur)
        return result;
    const PageSize page = pageOf(doc);
    if (cur->isBlock()) {
        const Px source = readPx(tree.node(*cur).text);
        const Px copy{source.left, source.bottom + 1, source.right,
                      2 * source.bottom - source.top + 1};
        if (fitsPage(copy, kAllEdges, page)) {
            std::vector<TreeNode>& blocks = tree.fields[size_t(cur->field)].blocks;
            blocks.insert(blocks.begin() + cur->block + 1, TreeNode{blockCopyText(copy), false});
            result.current = NodeRef{cur->field, cur->block + 1};
            result.changed = true;
        } else {
            result.refused.push_back(*cur);
        }
    } else {
        FieldNode copy = cloneField(doc, cur->field, pixelOf(stepMm), page, result);
        tree.fields.push_back(std::move(copy));
        result.current = NodeRef{int(tree.fields.size()) - 1, -1};
        result.changed = true;
    }
    setRepaint(doc, result);
    return result;
}

BlockOpResult mergeMarked(ProjectDocument& doc, std::optional<NodeRef> current)
{
    doc.PushUndoSnapshot();
    BlockOpResult result;
    const std::optional<NodeRef> cur = existing(doc.project.Structure, current);
    if (!cur)
        return result;
    FieldTree tree = doc.project.Structure;
    constexpr long long kFar = std::numeric_limits<long long>::max();
    Px box{kFar, kFar, -kFar, -kFar};
    bool any = false;
    for (size_t f = tree.fields.size(); f-- > 0;) {
        std::vector<TreeNode>& blocks = tree.fields[f].blocks;
        for (size_t b = blocks.size(); b-- > 0;) {
            if (!blocks[b].marked)
                continue;
            const Px r = readPx(blocks[b].text);
            box = {std::min(box.left, r.left), std::min(box.top, r.top),
                   std::max(box.right, r.right), std::max(box.bottom, r.bottom)};
            blocks.erase(blocks.begin() + qsizetype(b));
            any = true;
        }
    }
    if (!any)
        return result;
    std::vector<TreeNode>& target = tree.fields[size_t(cur->field)].blocks;
    target.push_back(TreeNode{blockCopyText(box), false});
    result.current = NodeRef{cur->field, int(target.size()) - 1};
    result.changed = true;
    doc.project.Structure = std::move(tree);
    setRepaint(doc, result);
    return result;
}

BlockOpResult moveMarkedByStep(ProjectDocument& doc, StepMove move, double stepMm)
{
    return moveBlocksByStep(doc, markedBlocks(doc.project.Structure), move, stepMm);
}

BlockOpResult moveBlocksByStep(ProjectDocument& doc, const std::vector<NodeRef>& blocks,
                               StepMove move, double stepMm)
{
    doc.PushStepSnapshot(blocks);
    BlockOpResult result;
    setRepaint(doc, result);
    const bool vertical = move == StepMove::Up || move == StepMove::Down;
    const long double delta = (move == StepMove::Up || move == StepMove::Left)
                                  ? -static_cast<long double>(stepMm)
                                  : static_cast<long double>(stepMm);
    const PageSize page = pageOf(doc);
    FieldTree tree = doc.project.Structure;
    forEachBlock(tree, blocks, [&](const NodeRef& at, TreeNode& block) {
        // The step is added to the millimetres of the text before rounding, edge by edge.
        const BlockMm mm = parseBlockMm(block.text);
        Px r;
        if (vertical) {
            r.top = pixelOf(mm.y1 + delta);
            r.bottom = pixelOf(mm.y2 + delta);
            writeEdges(block, at, r, EdgeTop | EdgeBottom, page, result);
        } else {
            r.left = pixelOf(mm.x1 + delta);
            r.right = pixelOf(mm.x2 + delta);
            writeEdges(block, at, r, EdgeLeft | EdgeRight, page, result);
        }
    });
    doc.project.Structure = std::move(tree);
    return result;
}

BlockOpResult resizeMarkedByStep(ProjectDocument& doc, StepResize resize, double stepMm)
{
    return resizeBlocksByStep(doc, markedBlocks(doc.project.Structure), resize, stepMm);
}

BlockOpResult resizeBlocksByStep(ProjectDocument& doc, const std::vector<NodeRef>& blocks,
                                 StepResize resize, double stepMm)
{
    doc.PushStepSnapshot(blocks);
    BlockOpResult result;
    setRepaint(doc, result);
    const bool vertical = resize == StepResize::VBig || resize == StepResize::VSmall;
    const long double delta = (resize == StepResize::VSmall || resize == StepResize::HSmall)
                                  ? -static_cast<long double>(stepMm)
                                  : static_cast<long double>(stepMm);
    const PageSize page = pageOf(doc);
    FieldTree tree = doc.project.Structure;
    forEachBlock(tree, blocks, [&](const NodeRef& at, TreeNode& block) {
        const BlockMm mm = parseBlockMm(block.text);
        Px r;
        if (vertical) {
            r.top = pixelOf(mm.y1);
            r.bottom = pixelOf(mm.y2 + delta);
            if (r.top < r.bottom)
                writeEdges(block, at, r, EdgeTop | EdgeBottom, page, result);
        } else {
            r.left = pixelOf(mm.x1);
            r.right = pixelOf(mm.x2 + delta);
            if (r.left < r.right)
                writeEdges(block, at, r, EdgeLeft | EdgeRight, page, result);
        }
    });
    doc.project.Structure = std::move(tree);
    return result;
}

BlockOpResult setBlockRect(ProjectDocument& doc, const NodeRef& block, const BlockRect& px)
{
    BlockOpResult result;
    FieldTree& tree = doc.project.Structure;
    if (!block.isBlock() || !tree.contains(block))
        return result;
    TreeNode& node = tree.node(block);
    const Px wanted{px.Left, px.Top, px.Right, px.Bottom};
    if (readPx(node.text).rect() == wanted.rect())
        return result;
    if (!fitsPage(wanted, kAllEdges, pageOf(doc))) {
        result.refused.push_back(block);
        return result;
    }
    doc.PushUndoSnapshot();
    writeEdges(node, block, wanted, kAllEdges, pageOf(doc), result);
    setRepaint(doc, result);
    return result;
}

void ScaleX(CoordsValues& coords, double blockScale)
{
    coords.max_x = coords.Min_x + (coords.max_x - coords.Min_x) * blockScale;
}

void ScaleY(CoordsValues& coords, double blockScale)
{
    coords.max_y = coords.Min_y + (coords.max_y - coords.Min_y) * blockScale;
}

double snapStep(double mm)
{
    if (std::isnan(mm))
        return 0;
    return double(snapToPixel(std::clamp(mm, 0.0, MaxStepMm)));
}

BlockRect clampToPage(const BlockRect& px, QSize pagePx)
{
    const int32_t lastX = std::max(pagePx.width(), 1) - 1;
    const int32_t lastY = std::max(pagePx.height(), 1) - 1;
    return {std::clamp(std::min(px.Left, px.Right), 0, lastX),
            std::clamp(std::min(px.Top, px.Bottom), 0, lastY),
            std::clamp(std::max(px.Left, px.Right), 0, lastX),
            std::clamp(std::max(px.Top, px.Bottom), 0, lastY)};
}

QString drawnBlockText(const BlockRect& px, QSize pagePx)
{
    return composeBlockText(clampToPage(px, pagePx));
}

std::optional<NodeRef> appendBlock(ProjectDocument& doc, const NodeRef& node, const BlockRect& px)
{
    FieldTree& tree = doc.project.Structure;
    if (!tree.contains(node))
        return std::nullopt;
    const QSize page(doc.project.pageWidthPx(), doc.project.pageHeightPx());
    std::vector<TreeNode>& blocks = tree.fields[size_t(node.field)].blocks;
    blocks.push_back(TreeNode{drawnBlockText(px, page), false});
    doc.RepaintPending = true;
    return NodeRef{node.field, int(blocks.size()) - 1};
}

std::optional<NodeRef> addDrawnBlock(ProjectDocument& doc, std::optional<NodeRef> current,
                                     QPoint startPx, QPoint endPx)
{
    const std::optional<NodeRef> cur = existing(doc.project.Structure, current);
    if (!cur)
        return std::nullopt;
    const QSize page(doc.project.pageWidthPx(), doc.project.pageHeightPx());
    // Clamped first, so a drag that ends far off the page is judged by what is left of it.
    const BlockRect r =
        clampToPage(BlockRect{startPx.x(), startPx.y(), endPx.x(), endPx.y()}, page);
    if (r.Right - r.Left <= 1 || r.Bottom - r.Top <= 1)
        return std::nullopt;
    doc.PushUndoSnapshot();
    return appendBlock(doc, *cur, r);
}

} // namespace Quillet
