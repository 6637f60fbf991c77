// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/FieldsPanel.h"

#include "core/app/ProjectDocument.h"
#include "core/editor/BlockOperations.h"
#include "gui/fields/StructureView.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Quillet {

FieldsPanel::FieldsPanel(ProjectDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildBlocksGroups();
    buildStructureGroups();
}

void FieldsPanel::buildBlocksGroups()
{
    m_blocksGroup = new QGroupBox(tr("Поля и блоки"), this);
    m_blocksGroup->setObjectName(QStringLiteral("FieldCreateGroup"));
    layout()->addWidget(m_blocksGroup);
    auto* blocks = new QVBoxLayout(m_blocksGroup);
    const struct {
        const char* name;
        const char* caption;
        FieldKind kind;
    } buttons[] = {
        {"CreateTextField", QT_TR_NOOP("Создать текстовое поле"), FieldKind::Text},
        {"CreateImgField", QT_TR_NOOP("Создать графическое поле"), FieldKind::Image},
        {"CreateShpField", QT_TR_NOOP("Создать фигурное поле"), FieldKind::Shape},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(tr(b.caption), m_blocksGroup);
        button->setObjectName(QString::fromLatin1(b.name));
        connect(button, &QPushButton::clicked, this,
                [this, kind = b.kind] { Q_EMIT createRequested(kind); });
        blocks->addWidget(button);
    }
    buildBlockTools(m_blocksGroup);
    buildStepGroups();
}

void FieldsPanel::buildStructureGroups()
{
    m_structureGroup = new QGroupBox(tr("Структура полей"), this);
    m_structureGroup->setObjectName(QStringLiteral("StructureGroup"));
    layout()->addWidget(m_structureGroup);
    auto* layout = new QVBoxLayout(m_structureGroup);
    m_structure = new StructureView(m_structureGroup);
    m_structure->setMinimumHeight(260);
    layout->addWidget(m_structure);
    connect(m_structure, &QTreeWidget::itemSelectionChanged, this, &FieldsPanel::selectionChanged);
    connect(m_structure, &StructureView::marksToggled, this, &FieldsPanel::selectionChanged);
    connect(m_structure, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (const std::optional<NodeRef> node = selectedNode())
            Q_EMIT nodeActivated(*node);
    });

    auto* relations = new QGroupBox(tr("Список зависимостей"), this);
    relations->setObjectName(QStringLiteral("RelateGroup"));
    this->layout()->addWidget(relations);
    auto* relationLayout = new QVBoxLayout(relations);
    // The toolbar above the list, so Tab too comes to it first.
    buildRelationTools(relations);
    m_relations = new QListWidget(relations);
    m_relations->setObjectName(QStringLiteral("RelateList"));
    m_relations->setMinimumHeight(120);
    relationLayout->addWidget(m_relations);
    m_relations->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(m_relations, &QListWidget::itemChanged, this, &FieldsPanel::RelateListClickCheck);
    m_structure->setTree(&m_document.project.Structure);
}

QWidget* FieldsPanel::blocksAnchor() const
{
    return m_blocksGroup;
}

QWidget* FieldsPanel::structureAnchor() const
{
    return m_structureGroup;
}

void FieldsPanel::refresh()
{
    m_structure->setTree(&m_document.project.Structure);
    showRelations();
}

void FieldsPanel::showRelations()
{
    const QSignalBlocker blocker(m_relations);
    m_relations->clear();
    for (const RelationItem& relation : m_document.project.RelateList) {
        auto* item = new QListWidgetItem(relation.text, m_relations);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(relation.checked ? Qt::Checked : Qt::Unchecked);
    }
}

std::optional<NodeRef> FieldsPanel::selectedNode() const
{
    if (m_structure->selectedItems().isEmpty())
        return std::nullopt;
    return m_structure->currentRef();
}

void FieldsPanel::selectNode(const NodeRef& node)
{
    m_structure->setCurrentRef(node);
}

double FieldsPanel::stepMm() const
{
    return m_step->value();
}

void FieldsPanel::StepExit()
{
    const QSignalBlocker blocker(m_step);
    m_step->setValue(snapStep(m_step->value()));
}

void FieldsPanel::RelateListClickCheck()
{
    RelationList& relations = m_document.project.RelateList;
    for (int i = 0; i < m_relations->count() && i < static_cast<int>(relations.size()); ++i)
        relations[i].checked = m_relations->item(i)->checkState() == Qt::Checked;
}

} // namespace Quillet
