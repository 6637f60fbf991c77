// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The current block on the page view: a press takes hold of it (or of another block,
// which becomes current), a drag moves or resizes it with a preview, the arrow keys nudge
// it; the outline and handles show where it is. The rules are BlockHandles'.

#include "gui/app/MainWindow.h"

#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"
#include "gui/app/PageArea.h"
#include "gui/fields/FieldsPanel.h"

#include <QKeyEvent>

namespace Quillet {
namespace {

QRect toRect(const BlockRect& r)
{
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)).normalized();
}

} // namespace

CanvasPressContext TForm1::canvasContext() const
{
    CanvasPressContext context;
    context.current = m_fieldsPanel->selectedNode();
    context.PageN = m_view.PageN;
    const auto* basicOpt = findChild<QWidget*>(QStringLiteral("BasicOpt"));
    context.basicOptEnabled = basicOpt == nullptr || basicOpt->isEnabled();
    context.projectPath = m_document.ProjectPath;
    return context;
}

bool TForm1::pressBlock(const CanvasEvent& event)
{
    const std::optional<GripHit> hit = m_blockDrag.press(m_document, event, canvasContext());
    if (!hit)
        return false;
    m_fieldsPanel->selectNode(hit->block);
    showCurrentBlock(m_document.project.Structure);
    m_page->setViewCursor(gripCursor(hit->grip));
    return true;
}

bool TForm1::dragBlock(const CanvasEvent& event)
{
    if (!m_blockDrag.active()) {
        // Hovering: the pointer shows what a press would take hold of.
        const std::optional<GripHit> hit =
            gripAt(m_document.project.Structure, event, canvasContext());
        m_page->setViewCursor(hit ? gripCursor(hit->grip) : Qt::ArrowCursor);
        return false;
    }
    const BlockRect r = m_blockDrag.move(event);
    m_page->setOutline(toRect(r), true);
    m_page->setOverlay({CanvasOverlay::Kind::HatchedRect, {r.Left, r.Top}, {r.Right, r.Bottom}});
    return true;
}

bool TForm1::releaseBlock(const CanvasEvent& event)
{
    if (!m_blockDrag.active())
        return false;
    BlockOpResult result;
    try {
        result = m_blockDrag.release(m_document, event);
    } catch (const Error& e) {
        LogRenderError(e.message());
    }
    m_page->setOverlay({});
    m_fieldsPanel->showCommandResult(result);
    showCurrentBlock(m_document.project.Structure);
    return true;
}

void TForm1::nudgeBlock(QKeyEvent* key)
{
    std::optional<BlockOpResult> result;
    try {
        result = nudgeCurrentBlock(m_document, canvasContext(), key->key(), key->modifiers(),
                                   m_fieldsPanel->stepMm());
    } catch (const Error& e) {
        key->accept();
        LogRenderError(e.message());
        return;
    }
    if (!result)
        return;
    key->accept();
    m_fieldsPanel->showCommandResult(*result);
    showCurrentBlock(m_document.project.Structure);
}

void TForm1::showCurrentBlock(const FieldTree& tree)
{
    // While a block is dragged, the outline shows where it goes.
    if (m_blockDrag.active())
        return;
    const CanvasPressContext context = canvasContext();
    const std::optional<NodeRef>& current = context.current;
    std::optional<QRect> outline;
    if (context.PageN == 0 && current && current->isBlock() && tree.contains(*current)) {
        try {
            outline = toRect(ParseBlockRect(tree.node(*current).text));
        } catch (const Error&) {
            // The render reports the block; there is nothing to outline.
        }
    }
    m_page->setOutline(outline, context.basicOptEnabled);
}

} // namespace Quillet
