// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/SettingsColumn.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillet {
namespace {

constexpr int kPanelWidth = 320;
constexpr int kErrorBoxHeight = 200;

} // namespace

SettingsColumn::SettingsColumn(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sPanel2"));
    setMinimumWidth(291);
    resize(kPanelWidth, height());
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    buildAreaToolBar();
    m_layout->addWidget(m_toolBar);

    m_basicOpt = new QScrollArea(this);
    m_basicOpt->setObjectName(QStringLiteral("BasicOpt"));
    m_basicOpt->setWidgetResizable(true);
    m_basicOpt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_basicOpt->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("BasicOptContent"));
    m_column = new QVBoxLayout(content);
    m_column->setContentsMargins(4, 4, 4, 4);
    m_column->setSpacing(6);
    // Room below the last group, so that it too can scroll to the top of the column.
    m_tail = new QWidget(content);
    m_column->addWidget(m_tail);
    m_column->addStretch(1);
    m_basicOpt->setWidget(content);
    m_basicOpt->viewport()->installEventFilter(this);
    m_layout->addWidget(m_basicOpt, 1);

    buildProgressPanel();
    buildErrorBox();
}

QToolButton* SettingsColumn::areaButton(const char* name, IconName icon, const QString& hint)
{
    // Tab reaches them, a click leaves the focus where it was.
    QToolButton* button = iconButton(m_toolBar, name, icon, hint);
    button->setFocusPolicy(Qt::TabFocus);
    m_toolBar->addWidget(button);
    return button;
}

void SettingsColumn::buildAreaToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("sToolBar2"));
    const struct {
        const char* name;
        IconName icon;
        const char* hint;
        Area area;
    } areas[] = {
        {"ProjectBtn", IconName::AreaProject, QT_TR_NOOP("Начало работы с проектом ( F1 )"),
         Area::Project},
        {"BackBtn", IconName::AreaBackground, QT_TR_NOOP("Работа с подложкой ( F2 )"),
         Area::Background},
        {"BlockBtn", IconName::AreaBlocks, QT_TR_NOOP("Работа с блоками и полями ( F3 )"),
         Area::Blocks},
        {"StructureBtn", IconName::AreaStructure, QT_TR_NOOP("Работа со структурой ( F4 )"),
         Area::Structure},
        {"exportBtn", IconName::AreaExport, QT_TR_NOOP("Экспорт результата ( F5 )"), Area::Export},
    };
    for (const auto& a : areas) {
        QToolButton* button = areaButton(a.name, a.icon, tr(a.hint));
        connect(button, &QToolButton::clicked, this,
                [this, area = a.area] { Q_EMIT areaRequested(area); });
    }
    QToolButton* undo =
        areaButton("UndoBtn", IconName::Undo, tr("Отменить последнее действие ( CTRL+Z)"));
    connect(undo, &QToolButton::clicked, this, &SettingsColumn::undoRequested);
    QToolButton* redo =
        areaButton("RedoBtn", IconName::Redo, tr("Повторить отменённое действие (CTRL+Y)"));
    connect(redo, &QToolButton::clicked, this, &SettingsColumn::redoRequested);
    m_toolBar->addSeparator();
    QToolButton* guide = areaButton("ToolButton30", IconName::Help, tr("Руководство ( F1 )"));
    connect(guide, &QToolButton::clicked, this, &SettingsColumn::guideRequested);
}

void SettingsColumn::buildProgressPanel()
{
    m_progressPanel = new QWidget(this);
    m_progressPanel->setObjectName(QStringLiteral("ProgressPanel"));
    auto* row = new QHBoxLayout(m_progressPanel);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(new QLabel(tr("Прогресс:"), m_progressPanel));
    m_progress = new QProgressBar(m_progressPanel);
    m_progress->setObjectName(QStringLiteral("Progress"));
    row->addWidget(m_progress, 1);
    m_cancel = new QPushButton(tr("Отмена"), m_progressPanel);
    m_cancel->setObjectName(QStringLiteral("ProgressCancel"));
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        // One request is enough; the job stops after the pages under way.
        m_cancel->setEnabled(false);
        Q_EMIT cancelRequested();
    });
    row->addWidget(m_cancel);
    m_progressPanel->hide();
    m_layout->addWidget(m_progressPanel);
}

void SettingsColumn::buildErrorBox()
{
    m_errorBox = new QGroupBox(tr("Список ошибок: "), this);
    m_errorBox->setObjectName(QStringLiteral("ErroreBox"));
    auto* layout = new QVBoxLayout(m_errorBox);
    m_errorList = new QPlainTextEdit(m_errorBox);
    m_errorList->setObjectName(QStringLiteral("ErroreList"));
    m_errorList->setReadOnly(true);
    layout->addWidget(m_errorList, 1);
    auto* row = new QHBoxLayout;
    m_showErr = new QCheckBox(tr("Показывать сообщения об ошибках"), m_errorBox);
    m_showErr->setObjectName(QStringLiteral("ShowErr"));
    m_showErr->setChecked(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), m_errorBox);
    ok->setObjectName(QStringLiteral("sBitBtn11"));
    connect(ok, &QPushButton::clicked, this, [this] {
        m_errorList->clear();
        m_errorBox->hide();
    });
    // The check box's caption takes the column's whole width: beside the button it
    // would be cut off.
    layout->addWidget(m_showErr);
    row->addStretch(1);
    row->addWidget(ok);
    layout->addLayout(row);
    m_errorBox->setFixedHeight(kErrorBoxHeight);
    m_errorBox->hide();
    m_layout->addWidget(m_errorBox);
}

void SettingsColumn::addPanel(QWidget* panel)
{
    // Before the tail and the stretch.
    m_column->insertWidget(m_column->count() - 2, panel);
    updateTail();
}

void SettingsColumn::setAreaAnchor(Area area, QWidget* anchor)
{
    m_anchors[static_cast<int>(area)] = anchor;
    updateTail();
}

void SettingsColumn::setEditingArea(QWidget* area, QWidget* buttons)
{
    m_layout->insertWidget(m_layout->indexOf(m_basicOpt) + 1, area);
    if (buttons != nullptr)
        m_layout->insertWidget(m_layout->indexOf(area) + 1, buttons);
}

bool SettingsColumn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_basicOpt->viewport() && event->type() == QEvent::Resize)
        updateTail();
    return QWidget::eventFilter(watched, event);
}

void SettingsColumn::updateTail()
{
    const QWidget* last = m_anchors[static_cast<int>(Area::Export)];
    if (last == nullptr)
        return;
    // The groups from the export area's anchor down to the end of the panels.
    const QWidget* content = m_basicOpt->widget();
    const int lastTop = last->mapTo(content, QPoint(0, 0)).y();
    const int panelsEnd = m_tail->y() - m_column->spacing();
    m_tail->setFixedHeight(qMax(0, m_basicOpt->viewport()->height() - (panelsEnd - lastTop)));
}

int SettingsColumn::areaPosition(Area area) const
{
    const QWidget* anchor = m_anchors[static_cast<int>(area)];
    if (anchor == nullptr)
        return 0;
    const int top = anchor->mapTo(m_basicOpt->widget(), QPoint(0, 0)).y();
    return qMax(0, top - m_column->contentsMargins().top());
}

void SettingsColumn::showArea(Area area)
{
    m_basicOpt->verticalScrollBar()->setValue(areaPosition(area));
}

void SettingsColumn::setColumnEnabled(bool enabled)
{
    m_basicOpt->setEnabled(enabled);
}

void SettingsColumn::appendError(const QString& line, bool open)
{
    m_errorList->appendPlainText(line);
    // Exactly when the user wants the messages: an unwanted list closes again.
    if (open)
        m_errorBox->setVisible(m_showErr->isChecked());
}

void SettingsColumn::showErrors()
{
    m_showErr->setChecked(true);
    m_errorBox->show();
}

QString SettingsColumn::errorText() const
{
    return m_errorList->toPlainText();
}

void SettingsColumn::startProgress(int maximum, bool cancellable)
{
    m_progress->setRange(0, maximum);
    m_progress->setValue(0);
    m_cancel->setVisible(cancellable);
    m_cancel->setEnabled(true);
    m_progressPanel->show();
}

void SettingsColumn::setProgress(int value)
{
    m_progress->setValue(value);
}

void SettingsColumn::endProgress()
{
    m_progressPanel->hide();
    m_cancel->hide();
}

} // namespace Quillet
