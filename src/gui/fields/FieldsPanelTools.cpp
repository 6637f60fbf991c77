// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The tools of the fields areas: the block toolbar, the step moves and resizes, and the
// relation list's toolbar. Every command is a core function; here they are bound to their
// buttons and their results shown.

#include "gui/fields/FieldsPanel.h"

#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "core/fields/RelationCommands.h"
#include "core/editor/BlockOperations.h"
#include "gui/app/Icons.h"
#include "gui/fields/StructureView.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace Quillet {
namespace {

using Slot = void (FieldsPanel::*)();

struct ToolDef {
    const char* name;
    IconName icon;
    const char* hint;
    Slot slot;
    // What assistive tools read where the hint alone does not tell the button from its
    // neighbours; nullptr reads the hint.
    const char* accessibleName = nullptr;
};

QToolButton* toolButton(QWidget* parent, FieldsPanel* panel, const ToolDef& def)
{
    QToolButton* button =
        iconButton(parent, def.name, def.icon, FieldsPanel::tr(def.hint),
                   def.accessibleName ? FieldsPanel::tr(def.accessibleName) : QString());
    button->setAutoRaise(true);
    button->setMinimumSize(28, 28);
    QObject::connect(button, &QToolButton::clicked, panel, def.slot);
    return button;
}

// A two-line caption beside a pair of step buttons.
QWidget* stepPair(QWidget* parent, FieldsPanel* panel, const QString& caption, const ToolDef& first,
                  const ToolDef& second)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, row);
    layout->addWidget(label, 1);
    layout->addWidget(toolButton(row, panel, first));
    layout->addWidget(toolButton(row, panel, second));
    return row;
}

} // namespace

void FieldsPanel::buildBlockTools(QWidget* parent)
{
    auto* tools = new QToolBar(parent);
    tools->setObjectName(QStringLiteral("sToolBar3"));
    const ToolDef defs[] = {
        {"ToolButton22", IconName::SelectNone, QT_TR_NOOP("Снять выделения с блоков"),
         &FieldsPanel::ToolButton22Click},
        {"ToolButton23", IconName::SelectAll, QT_TR_NOOP("Выделить все блоки"),
         &FieldsPanel::ToolButton23Click},
        {"ToolButton13", IconName::Delete, QT_TR_NOOP("Удалить выделенные блоки"),
         &FieldsPanel::ToolButton13Click},
        {"ToolButton24", IconName::BlocksMoveToCurrent,
         QT_TR_NOOP("Перенести выделенные блоки в текущую позицию"),
         &FieldsPanel::ToolButton24Click},
        {"ToolButton14", IconName::AlignLeft, QT_TR_NOOP("Выровнять выделенные блоки по текущему"),
         &FieldsPanel::ToolButton14Click, QT_TR_NOOP("Выровнять левые края по текущему блоку")},
        {"ToolButton17", IconName::AlignTop, QT_TR_NOOP("Выровнять выделенные блоки по текущему"),
         &FieldsPanel::ToolButton17Click, QT_TR_NOOP("Выровнять верхние края по текущему блоку")},
        {"ToolButton8", IconName::AlignRight, QT_TR_NOOP("Выровнять выделенные блоки по текущему"),
         &FieldsPanel::ToolButton8Click, QT_TR_NOOP("Выровнять правые края по текущему блоку")},
        {"ToolButton9", IconName::AlignBottom, QT_TR_NOOP("Выровнять выделенные блоки по текущему"),
         &FieldsPanel::ToolButton9Click, QT_TR_NOOP("Выровнять нижние края по текущему блоку")},
        {"ToolButton18", IconName::AlignHCenter,
         QT_TR_NOOP("Выделенные блоки центрировать по текущему"), &FieldsPanel::ToolButton18Click},
        {"ToolButton20", IconName::Clone, QT_TR_NOOP("Клонирование блока (поля)"),
         &FieldsPanel::ToolButton20Click},
        {"ToolButton26", IconName::BlocksMerge, QT_TR_NOOP("Объединить выделенные блоки"),
         &FieldsPanel::ToolButton26Click},
        {"DivideBtn", IconName::BlockDivide, QT_TR_NOOP("Разбить текущий блок"),
         &FieldsPanel::DivideBtnClick},
        {"ToolButton11", IconName::AutoReplace, QT_TR_NOOP("Настроить автозамену"),
         &FieldsPanel::ToolButton11Click},
    };
    // Two rows, so the toolbar fits the column.
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    constexpr int perRow = (std::size(defs) + 1) / 2;
    int i = 0;
    for (const ToolDef& def : defs) {
        grid->addWidget(toolButton(parent, this, def), i / perRow, i % perRow);
        ++i;
    }
    auto* holder = new QWidget(parent);
    holder->setLayout(grid);
    tools->addWidget(holder);
    parent->layout()->addWidget(tools);
}

void FieldsPanel::buildStepGroups()
{
    auto* moves = new QGroupBox(tr("Изменение позиции для выделенных блоков"), this);
    moves->setObjectName(QStringLiteral("MoveGroup"));
    layout()->addWidget(moves);
    auto* moveLayout = new QVBoxLayout(moves);
    moveLayout->addWidget(
        stepPair(moves, this, tr("По вертикали \n(выше/ниже)"),
                 {"MoveUP", IconName::MoveUp, QT_TR_NOOP("Выше"), &FieldsPanel::MoveUPClick,
                  QT_TR_NOOP("Сдвинуть выделенные блоки выше")},
                 {"MoveDown", IconName::MoveDown, QT_TR_NOOP("Ниже"), &FieldsPanel::MoveDownClick,
                  QT_TR_NOOP("Сдвинуть выделенные блоки ниже")}));
    moveLayout->addWidget(
        stepPair(moves, this, tr("По горизонтали\n (левее/правее)"),
                 {"MoveLeft", IconName::MoveLeft, QT_TR_NOOP("Левее"), &FieldsPanel::MoveLeftClick,
                  QT_TR_NOOP("Сдвинуть выделенные блоки левее")},
                 {"MoveRight", IconName::MoveRight, QT_TR_NOOP("Правее"),
                  &FieldsPanel::MoveRightClick, QT_TR_NOOP("Сдвинуть выделенные блоки правее")}));
    auto* form = new QFormLayout;
    m_step = new QDoubleSpinBox(moves);
    m_step->setObjectName(QStringLiteral("Step"));
    m_step->setToolTip(tr("Шаг смещения"));
    m_step->setDecimals(3);
    m_step->setRange(0, MaxStepMm);
    m_step->setSingleStep(DefaultStepMm);
    m_step->setValue(DefaultStepMm);
    m_step->setSuffix(tr(" мм"));
    form->addRow(tr("Шаг:"), m_step);
    moveLayout->addLayout(form);
    connect(m_step, &QDoubleSpinBox::editingFinished, this, &FieldsPanel::StepExit);

    auto* sizes = new QGroupBox(tr("Изменение размера для выделенных блоков"), this);
    sizes->setObjectName(QStringLiteral("SizeStepGroup"));
    layout()->addWidget(sizes);
    auto* sizeLayout = new QVBoxLayout(sizes);
    sizeLayout->addWidget(
        stepPair(sizes, this, tr("По горизонтали (короче/длиннее)"),
                 {"HSmall", IconName::SizeNarrower, QT_TR_NOOP("Короче"), &FieldsPanel::HSmallClick,
                  QT_TR_NOOP("Уменьшить ширину выделенных блоков")},
                 {"HBig", IconName::SizeWider, QT_TR_NOOP("Длиннее"), &FieldsPanel::HBigClick,
                  QT_TR_NOOP("Увеличить ширину выделенных блоков")}));
    sizeLayout->addWidget(
        stepPair(sizes, this, tr("По вертикали (yже/шире)"),
                 {"VSmall", IconName::SizeShorter, QT_TR_NOOP("Уже"), &FieldsPanel::VSmallClick,
                  QT_TR_NOOP("Уменьшить высоту выделенных блоков")},
                 {"VBig", IconName::SizeTaller, QT_TR_NOOP("Шире"), &FieldsPanel::VBigClick,
                  QT_TR_NOOP("Увеличить высоту выделенных блоков")}));
}

void FieldsPanel::buildRelationTools(QWidget* parent)
{
    auto* tools = new QToolBar(parent);
    tools->setObjectName(QStringLiteral("sToolBar7"));
    const ToolDef defs[] = {
        {"ToolButton1", IconName::RelationLink, QT_TR_NOOP("Связать выделенные поля"),
         &FieldsPanel::ToolButton1Click},
        {"ToolButton2", IconName::RelationUnlink, QT_TR_NOOP("Выделенные поля убрать из связей"),
         &FieldsPanel::ToolButton2Click},
        {"ToolButton15", IconName::ListRemove, QT_TR_NOOP("Удалить выделенную связь"),
         &FieldsPanel::ToolButton15Click},
        {"ToolButton16", IconName::ListClear, QT_TR_NOOP("Очистить список связей"),
         &FieldsPanel::ToolButton16Click},
    };
    for (const ToolDef& def : defs)
        tools->addWidget(toolButton(tools, this, def));
    parent->layout()->addWidget(tools);
}

std::optional<NodeRef> FieldsPanel::currentNode() const
{
    return m_structure->currentRef();
}

template <class Command> void FieldsPanel::runBlockCommand(Command command)
{
    BlockOpResult result;
    try {
        result = command();
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return;
    }
    showCommandResult(result);
}

void FieldsPanel::showCommandResult(const BlockOpResult& result)
{
    const FieldTree& tree = m_document.project.Structure;
    std::vector<NodeRef> refused;
    for (const NodeRef& node : result.refused) {
        if (tree.contains(node)) {
            Q_EMIT errorLine(refusalMessage(tree, node));
            refused.push_back(node);
        }
    }
    if (!refused.empty())
        Q_EMIT statusMessage(refusalSummary(tree, refused));
    refresh();
    if (result.current && tree.contains(*result.current))
        selectNode(*result.current);
}

void FieldsPanel::ToolButton22Click()
{
    runBlockCommand([this] { return unmarkAll(m_document); });
}

void FieldsPanel::ToolButton23Click()
{
    runBlockCommand([this] { return markAll(m_document); });
}

void FieldsPanel::ToolButton13Click()
{
    runBlockCommand([this] { return deleteMarked(m_document, currentNode()); });
}

void FieldsPanel::ToolButton24Click()
{
    runBlockCommand([this] { return moveMarkedToCurrent(m_document, currentNode()); });
}

void FieldsPanel::ToolButton14Click()
{
    runBlockCommand([this] { return alignMarked(m_document, currentNode(), AlignEdge::Left); });
}

void FieldsPanel::ToolButton17Click()
{
    runBlockCommand([this] { return alignMarked(m_document, currentNode(), AlignEdge::Top); });
}

void FieldsPanel::ToolButton8Click()
{
    runBlockCommand([this] { return alignMarked(m_document, currentNode(), AlignEdge::Right); });
}

void FieldsPanel::ToolButton9Click()
{
    runBlockCommand([this] { return alignMarked(m_document, currentNode(), AlignEdge::Bottom); });
}

void FieldsPanel::ToolButton18Click()
{
    runBlockCommand([this] { return centreMarked(m_document, currentNode()); });
}

void FieldsPanel::ToolButton20Click()
{
    runBlockCommand([this] { return cloneCurrent(m_document, currentNode(), stepMm()); });
}

void FieldsPanel::ToolButton26Click()
{
    runBlockCommand([this] { return mergeMarked(m_document, currentNode()); });
}

void FieldsPanel::DivideBtnClick()
{
    if (const std::optional<NodeRef> node = currentNode(); node && node->isBlock())
        Q_EMIT divideRequested(*node);
}

void FieldsPanel::ToolButton11Click()
{
    Q_EMIT replaceRequested();
}

void FieldsPanel::MoveUPClick()
{
    runBlockCommand([this] { return moveMarkedByStep(m_document, StepMove::Up, stepMm()); });
}

void FieldsPanel::MoveDownClick()
{
    runBlockCommand([this] { return moveMarkedByStep(m_document, StepMove::Down, stepMm()); });
}

void FieldsPanel::MoveLeftClick()
{
    runBlockCommand([this] { return moveMarkedByStep(m_document, StepMove::Left, stepMm()); });
}

void FieldsPanel::MoveRightClick()
{
    runBlockCommand([this] { return moveMarkedByStep(m_document, StepMove::Right, stepMm()); });
}

void FieldsPanel::HBigClick()
{
    runBlockCommand([this] { return resizeMarkedByStep(m_document, StepResize::HBig, stepMm()); });
}

void FieldsPanel::HSmallClick()
{
    runBlockCommand(
        [this] { return resizeMarkedByStep(m_document, StepResize::HSmall, stepMm()); });
}

void FieldsPanel::VBigClick()
{
    runBlockCommand([this] { return resizeMarkedByStep(m_document, StepResize::VBig, stepMm()); });
}

void FieldsPanel::VSmallClick()
{
    runBlockCommand(
        [this] { return resizeMarkedByStep(m_document, StepResize::VSmall, stepMm()); });
}

void FieldsPanel::ToolButton1Click()
{
    try {
        linkMarkedFields(m_document.project, [this](const QString& question) {
            const QMessageBox::StandardButton answer =
                QMessageBox::question(this, tr("Подтверждение"), question,
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            if (answer == QMessageBox::Yes)
                return LinkAnswer::Yes;
            if (answer == QMessageBox::No)
                return LinkAnswer::No;
            return LinkAnswer::Cancel;
        });
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
    }
    showRelations();
}

void FieldsPanel::ToolButton2Click()
{
    unlinkMarkedFields(m_document.project);
    showRelations();
}

void FieldsPanel::ToolButton15Click()
{
    std::vector<int> rows;
    for (const QListWidgetItem* item : m_relations->selectedItems())
        rows.push_back(m_relations->row(item));
    deleteRelations(m_document.project, rows);
    showRelations();
}

void FieldsPanel::ToolButton16Click()
{
    clearRelations(m_document.project);
    showRelations();
}

} // namespace Quillet
