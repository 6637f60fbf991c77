// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/EditingArea.h"

#include "core/app/PageCount.h"
#include "core/app/ProjectDocument.h"
#include "core/background/BackgroundSettings.h"
#include "core/common/Errors.h"
#include "core/data/SpreadsheetLink.h"
#include "gui/app/Icons.h"
#include "gui/background/AnglePanel.h"
#include "gui/fields/CoordsPanel.h"
#include "gui/fields/DividePanel.h"
#include "gui/fields/ImageFieldPanel.h"
#include "gui/fields/ReplacePanel.h"
#include "gui/fields/ShapePanel.h"
#include "gui/fields/TextFieldPanel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace Quillet {
namespace {

// The least height an open area keeps, however small the window.
constexpr int kLeastHeight = 120;

constexpr EditorPanel kPanels[] = {
    EditorPanel::TextField, EditorPanel::ImgField, EditorPanel::ShapeAdd, EditorPanel::Coords,
    EditorPanel::Divided,   EditorPanel::AngleOpt, EditorPanel::Replace};

} // namespace

EditingArea::EditingArea(FieldEditor& editor, ProjectDocument& document,
                         BackgroundSettings& background, const SpreadsheetLink& link,
                         std::function<QString()> projectPath, std::function<int()> page,
                         QWidget* parent)
    : QScrollArea(parent), m_editor(editor), m_background(background), m_link(link),
      m_page(std::move(page))
{
    setObjectName(QStringLiteral("AddOpt"));
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    m_panels = new QVBoxLayout;
    layout->addLayout(m_panels);
    layout->addStretch(1);

    const auto series = [&document, &link] {
        const ProjectSettings& settings = document.project.settings;
        const std::shared_ptr<const Workbook> workbook = link.workbook();
        return offerSeries(workbook.get(), settings.sheet,
                           settings.Direct == DirectColumns ? PagesAlong::Columns
                                                            : PagesAlong::Rows);
    };
    m_text = new TextFieldPanel(m_editor.text, series, content);
    m_image = new ImageFieldPanel(m_editor.image, std::move(projectPath), content);
    m_shape = new ShapePanel(m_editor.shape, content);
    m_coords = new CoordsPanel(m_editor.coords, content);
    m_divide = new DividePanel(m_editor.divide, content);
    m_angle = new AnglePanel(m_background, content);
    m_replace = new ReplacePanel(document, content);
    for (EditorPanel p : kPanels) {
        QWidget* panel = widgetOf(p);
        panel->hide();
        m_panels->addWidget(panel);
    }
    connect(m_text, &TextFieldPanel::valuesChanged, this, &EditingArea::valuesChanged);
    connect(m_image, &ImageFieldPanel::valuesChanged, this, &EditingArea::valuesChanged);
    connect(m_shape, &ShapePanel::valuesChanged, this, &EditingArea::valuesChanged);
    connect(m_coords, &CoordsPanel::valuesChanged, this, &EditingArea::valuesChanged);
    connect(m_divide, &DividePanel::columnsFromValueRequested, this,
            &EditingArea::columnsFromValue);
    setWidget(content);
    // Keys a one-line edit leaves unused (Enter) come up through the content.
    content->installEventFilter(this);

    // Owned by the area until the window places it; then a sibling below the area.
    m_buttons = new QWidget(this);
    m_buttons->setObjectName(QStringLiteral("AddOptButtons"));
    auto* buttons = new QHBoxLayout(m_buttons);
    buttons->setContentsMargins(4, 2, 4, 2);
    m_ok = new QPushButton(tr("Применить"), m_buttons);
    setIconBesideText(m_ok, IconName::Apply);
    m_ok->setObjectName(QStringLiteral("OkBtn"));
    m_ok->setToolTip(tr("Применить изменения"));
    m_cancel = new QPushButton(tr("Отменить"), m_buttons);
    setIconBesideText(m_cancel, IconName::Cancel);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_cancel->setToolTip(tr("Отменить изменения"));
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    connect(m_ok, &QPushButton::clicked, this, &EditingArea::OkBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &EditingArea::CancelBtnClick);
    hide();
}

EditingArea::~EditingArea() = default;

QWidget* EditingArea::widgetOf(EditorPanel panel) const
{
    switch (panel) {
    case EditorPanel::TextField:
        return m_text;
    case EditorPanel::ImgField:
        return m_image;
    case EditorPanel::ShapeAdd:
        return m_shape;
    case EditorPanel::Coords:
        return m_coords;
    case EditorPanel::Divided:
        return m_divide;
    case EditorPanel::AngleOpt:
        return m_angle;
    case EditorPanel::Replace:
        return m_replace;
    case EditorPanel::None:
        break;
    }
    return nullptr;
}

void EditingArea::refreshPanel(EditorPanel panel)
{
    switch (panel) {
    case EditorPanel::TextField:
        m_text->refresh();
        break;
    case EditorPanel::ImgField:
        m_image->refresh();
        break;
    case EditorPanel::ShapeAdd:
        m_shape->refresh();
        break;
    case EditorPanel::Coords:
        m_coords->refresh();
        break;
    case EditorPanel::Divided:
        m_divide->refresh();
        break;
    case EditorPanel::AngleOpt:
        m_angle->refresh();
        break;
    case EditorPanel::Replace:
        m_replace->refresh();
        break;
    case EditorPanel::None:
        break;
    }
}

int EditingArea::openHeight() const
{
    const QWidget* panel = widgetOf(m_editor.panel());
    if (panel == nullptr)
        return 0;
    const QMargins content = widget()->layout()->contentsMargins();
    const int wanted =
        panel->sizeHint().height() + content.top() + content.bottom() + 2 * frameWidth();
    // A tall panel scrolls rather than pushing the column, or the buttons below it, off
    // the window.
    const int room = parentWidget() != nullptr
                         ? parentWidget()->height() * 3 / 4 - m_buttons->sizeHint().height()
                         : wanted;
    return qMin(wanted, qMax(room, kLeastHeight));
}

void EditingArea::showPanel(EditorPanel panel)
{
    for (EditorPanel p : kPanels)
        widgetOf(p)->setVisible(p == panel);
    refreshPanel(panel);
    setFixedHeight(openHeight());
    show();
    // The content keeps the scroll position of the panel shown before.
    widget()->layout()->activate();
    verticalScrollBar()->setValue(0);
    focusFirstEdit(panel);
    const bool fieldOrBlock = panel != EditorPanel::Divided && panel != EditorPanel::AngleOpt
                              && panel != EditorPanel::Replace;
    Q_EMIT opened(!fieldOrBlock);
}

void EditingArea::focusFirstEdit(EditorPanel panel)
{
    QWidget* edit = panel == EditorPanel::TextField ? m_text->firstEdit() : nullptr;
    if (edit == nullptr) {
        const QWidget* shown = widgetOf(panel);
        for (QWidget* child : shown->findChildren<QWidget*>()) {
            const bool oneLine = qobject_cast<QLineEdit*>(child) != nullptr
                                 || qobject_cast<QAbstractSpinBox*>(child) != nullptr;
            // A spin box's own line edit is not the control the user sees.
            if (oneLine && child->isVisibleTo(shown) && child->isEnabled()
                && qobject_cast<QAbstractSpinBox*>(child->parentWidget()) == nullptr) {
                edit = child;
                break;
            }
        }
    }
    if (edit == nullptr)
        return;
    edit->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit))
        spin->selectAll();
}

void EditingArea::setVisible(bool visible)
{
    QScrollArea::setVisible(visible);
    if (m_buttons != nullptr)
        m_buttons->setVisible(visible);
}

bool EditingArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        QWidget* focus = QApplication::focusWidget();
        const bool oneLine = focus != nullptr
                             && (qobject_cast<QLineEdit*>(focus) != nullptr
                                 || qobject_cast<QAbstractSpinBox*>(focus) != nullptr);
        if (enter && plain && oneLine && widget()->isAncestorOf(focus) && isVisible()) {
            OkBtnClick();
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void EditingArea::openNew(FieldKind kind)
{
    showPanel(m_editor.openNew(kind));
}

void EditingArea::openNode(const NodeRef& node)
{
    try {
        const EditorPanel panel = m_editor.openNode(node);
        if (panel != EditorPanel::None)
            showPanel(panel);
    } catch (const Error& e) {
        // The panel shows what was read before the item that did not convert.
        if (m_editor.isOpen())
            showPanel(m_editor.panel());
        showError(e.message());
    }
}

void EditingArea::openDivide(const NodeRef& node)
{
    if (m_editor.openDivide(node))
        showPanel(EditorPanel::Divided);
}

void EditingArea::openAngle()
{
    m_editor.openAngle();
    showPanel(EditorPanel::AngleOpt);
}

void EditingArea::openReplace()
{
    m_editor.openReplace();
    m_replace->open();
    showPanel(EditorPanel::Replace);
}

void EditingArea::OkBtnClick()
{
    ApplyResult result;
    try {
        result = m_editor.apply();
        if (result.angleApplied)
            m_background.applyAngleOptions();
    } catch (const Error& e) {
        close();
        Q_EMIT applied(result);
        showError(e.message());
        return;
    }
    close();
    Q_EMIT applied(result);
}

void EditingArea::CancelBtnClick()
{
    if (m_editor.cancel() == EditorPanel::Replace)
        m_replace->restoreSnapshot();
    close();
}

bool EditingArea::undo()
{
    const bool wasOpen = m_editor.isOpen();
    const bool undone = m_editor.undo();
    if (wasOpen)
        close();
    return undone;
}

bool EditingArea::redo()
{
    const bool wasOpen = m_editor.isOpen();
    const bool redone = m_editor.redo();
    if (wasOpen)
        close();
    return redone;
}

void EditingArea::close()
{
    for (EditorPanel p : kPanels)
        widgetOf(p)->hide();
    hide();
    Q_EMIT closed();
}

void EditingArea::columnsFromValue()
{
    const std::shared_ptr<const Workbook> workbook = m_link.workbook();
    const QString line = m_editor.columnsFromValue(workbook.get(), m_page ? m_page() : 0);
    m_divide->refresh();
    if (!line.isEmpty())
        Q_EMIT statusMessage(line);
}

void EditingArea::showError(const QString& message)
{
    QMessageBox::critical(this, QStringLiteral("Quillet"), message);
}

} // namespace Quillet
