// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/ShapePanel.h"

#include "core/render/TextLayout.h"
#include "gui/app/FocusOrder.h"
#include "gui/fields/PanelControls.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace Quillet {
namespace {

constexpr int kSampleWidth = 166;
constexpr int kSampleHeight = 50;
constexpr double kMillimetreStep = 0.25;

// The buttons that switch the shape tabs: the chosen one reads as a selected tab.
const char* const kTabButtonStyle = R"(
QPushButton { border: 1px solid #b9bec5; border-radius: 3px; background: #fafbfc;
              padding: 3px 6px; }
QPushButton:hover:!checked { background: #dde6f0; }
QPushButton:checked { background: #c9d9ea; border-color: #7d9cc0; }
)";

QDoubleSpinBox* millimetreEdit(QWidget* parent, const char* name, double max, double step)
{
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(2);
    edit->setRange(0, max);
    edit->setSingleStep(step);
    return edit;
}

// A colour button keeps its own width instead of filling the form's field column.
QLayout* colorField(ColorButton* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(button);
    row->addStretch(1);
    return row;
}

} // namespace

ShapeSample::ShapeSample(const ShapePanelValues& values, QWidget* parent)
    : QWidget(parent), m_values(values)
{
    setObjectName(QStringLiteral("Shape1"));
    setFixedSize(kSampleWidth, kSampleHeight);
}

void ShapeSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int penWidth = m_values.samplePenWidthPx();
    const Qt::PenStyle penStyle = m_values.samplePenStyle();
    painter.setPen(
        QPen(colorFromBgr(m_values.ColorLn), penWidth, penStyle, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(QBrush(colorFromBgr(m_values.ColorBr), m_values.sampleBrushStyle()));
    // The outline is centred on the shape's edge: keep all of it inside the widget.
    const int inset = penStyle == Qt::NoPen ? 0 : (std::max(penWidth, 1) + 1) / 2;
    const QRect shape = rect().adjusted(inset, inset, -inset - 1, -inset - 1);
    switch (m_values.ShapeType) {
    case ShapeTabRounded: {
        const int corner = std::min(shape.width(), shape.height()) / 4;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawRoundedRect(shape, corner, corner);
        break;
    }
    case ShapeTabEllipse:
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawEllipse(shape);
        break;
    default:
        painter.drawRect(shape);
        break;
    }
}

ShapePanel::ShapePanel(ShapePanelValues& values, QWidget* parent)
    : QGroupBox(tr(" Добавление фигуры "), parent), m_values(values)
{
    setObjectName(QStringLiteral("ShapeAdd"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(6);
    buildTabs();
    buildLineGroup();
    buildFillGroup();
    auto* sampleBox = new QGroupBox(tr("Образец"), this);
    auto* sampleRow = new QHBoxLayout(sampleBox);
    m_sample = new ShapeSample(m_values, sampleBox);
    sampleRow->addWidget(m_sample, 0, Qt::AlignCenter);
    column->addWidget(sampleBox);
    connectControls();
    refresh();
}

void ShapePanel::buildTabs()
{
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("ShapeType"));

    auto* linePage = new QWidget;
    auto* lineRow = new QHBoxLayout(linePage);
    lineRow->setSpacing(2);
    m_direction = exclusiveGroup(this);
    const std::array<const char*, 6> names{"LnHi",    "LnLow",    "LnLeft",
                                           "LnRight", "LnBkSlsh", "LnSlsh"};
    const std::array<IconName, 6> icons{IconName::LineTop,       IconName::LineBottom,
                                        IconName::LineLeft,      IconName::LineRight,
                                        IconName::LineBackslash, IconName::LineSlash};
    const std::array<QString, 6> hints{tr("Линия по верхнему краю"), tr("Линия по нижнему краю"),
                                       tr("Линия по левому краю"),   tr("Линия по правому краю"),
                                       tr("Диагональ сверху вниз"),  tr("Диагональ снизу вверх")};
    for (int i = LnHi; i <= LnSlsh; ++i)
        lineRow->addWidget(groupButton(linePage, m_direction, i, names[size_t(i)], icons[size_t(i)],
                                       hints[size_t(i)]));
    lineRow->addStretch(1);

    auto* roundedPage = new QWidget;
    auto* roundedForm = new QFormLayout(roundedPage);
    m_radius = millimetreEdit(roundedPage, "Radius", MaxRadiusMm, kMillimetreStep);
    roundedForm->addRow(tr("Радиус скругления (мм): "), m_radius);

    auto* ellipsePage = new QWidget;
    auto* ellipseGrid = new QGridLayout(ellipsePage);
    m_start = millimetreEdit(ellipsePage, "StartAngl", MaxAngle, 1.0);
    m_finish = millimetreEdit(ellipsePage, "FinishAngl", MaxAngle, 1.0);
    auto* startLabel = new QLabel(tr("Начало"), ellipsePage);
    auto* finishLabel = new QLabel(tr("Конец"), ellipsePage);
    startLabel->setBuddy(m_start);
    finishLabel->setBuddy(m_finish);
    ellipseGrid->addWidget(startLabel, 0, 0);
    ellipseGrid->addWidget(m_start, 0, 1);
    ellipseGrid->addWidget(finishLabel, 0, 2);
    ellipseGrid->addWidget(m_finish, 0, 3);
    ellipseGrid->addWidget(new QLabel(tr("Описание дуги в градусах."), ellipsePage), 1, 0, 1, 4);
    ellipseGrid->addWidget(new QLabel(tr("Если начало=конец, то рисуем круг."), ellipsePage), 2, 0,
                           1, 4);
    ellipseGrid->setVerticalSpacing(2);
    ellipseGrid->setRowStretch(3, 1);
    ellipseGrid->setColumnStretch(1, 1);
    ellipseGrid->setColumnStretch(3, 1);

    for (QWidget* page : {linePage, new QWidget, roundedPage, ellipsePage})
        m_pages->addWidget(page);

    // The four tab captions do not fit one row of the settings column, so the tabs are a
    // 2 × 2 block of buttons over the pages.
    auto* switches = new QGridLayout;
    switches->setSpacing(2);
    m_tabButtons = exclusiveGroup(this);
    const std::array<QString, 4> captions{tr("Линия"), tr("Прямоугольник"), tr("Скругленный"),
                                          tr("Круг")};
    for (int tab = ShapeTabLine; tab <= ShapeTabEllipse; ++tab) {
        auto* button = new QPushButton(captions[size_t(tab)], this);
        button->setCheckable(true);
        button->setStyleSheet(QString::fromUtf8(kTabButtonStyle));
        m_tabButtons->addButton(button, tab);
        switches->addWidget(button, tab / 2, tab % 2);
    }
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->addLayout(switches);
    column->addWidget(m_pages);
    // The pages came into the panel after the buttons that switch them: Tab goes from the
    // switches to what the chosen page holds.
    QWidgetList order;
    for (QButtonGroup* group : {m_tabButtons, m_direction}) {
        for (QAbstractButton* button : group->buttons())
            order.append(button);
    }
    order << m_radius << m_start << m_finish;
    chainTabOrder(order);
}

void ShapePanel::buildLineGroup()
{
    auto* group = new QGroupBox(tr("Настройка линии"), this);
    auto* form = new QFormLayout(group);
    m_width = millimetreEdit(group, "SizeLn", MaxLineWidthMm, kMillimetreStep);
    form->addRow(tr("Толщина(мм): "), m_width);

    auto* styles = new QHBoxLayout;
    styles->setSpacing(2);
    m_lineStyle = exclusiveGroup(this);
    const std::array<const char*, 5> names{"SolidLn", "ClearLn", "DashLn", "DashDotLn", "DotLn"};
    const std::array<IconName, 5> icons{IconName::StrokeSolid, IconName::StrokeNone,
                                        IconName::StrokeDash, IconName::StrokeDashDot,
                                        IconName::StrokeDot};
    const std::array<QString, 5> hints{tr("Сплошная"), tr("Без линии"), tr("Штриховая"),
                                       tr("Штрихпунктирная"), tr("Пунктирная")};
    // The hints stand beside the line's own controls; read alone they need the word.
    const std::array<QString, 5> spoken{tr("Сплошная линия"), tr("Без линии"),
                                        tr("Штриховая линия"), tr("Штрихпунктирная линия"),
                                        tr("Пунктирная линия")};
    for (int i = SolidLn; i <= DotLn; ++i)
        styles->addWidget(groupButton(group, m_lineStyle, i, names[size_t(i)], icons[size_t(i)],
                                      hints[size_t(i)], spoken[size_t(i)]));
    styles->addStretch(1);
    form->addRow(tr("Форма линии: "), styles);

    m_lineColor = new ColorButton(QStringLiteral("ColorLn"), QString(), group);
    m_lineColor->setToolTip(tr("Цвет линии"));
    m_lineColor->setAccessibleName(m_lineColor->toolTip());
    form->addRow(tr("Цвет: "), colorField(m_lineColor));
    layout()->addWidget(group);
}

void ShapePanel::buildFillGroup()
{
    auto* group = new QGroupBox(tr("Настройка заливки (если возможно)"), this);
    auto* form = new QFormLayout(group);
    auto* styles = new QGridLayout;
    styles->setSpacing(2);
    m_fillStyle = exclusiveGroup(this);
    const std::array<const char*, 8> names{"SolidBr",    "ClearBr",    "BDiagBr", "FDiagBr",
                                           "VerticalBr", "HorizontBr", "CrossBr", "DiagCrossBr"};
    const std::array<IconName, 8> icons{IconName::FillSolid,    IconName::FillNone,
                                        IconName::FillBDiag,    IconName::FillFDiag,
                                        IconName::FillVertical, IconName::FillHorizontal,
                                        IconName::FillCross,    IconName::FillDiagCross};
    const std::array<QString, 8> hints{tr("Сплошная"),
                                       tr("Без заливки"),
                                       tr("Косая штриховка /"),
                                       tr("Косая штриховка \\"),
                                       tr("Вертикальная"),
                                       tr("Горизонтальная"),
                                       tr("Клетка"),
                                       tr("Косая клетка")};
    const std::array<QString, 8> spoken{tr("Сплошная заливка"),
                                        tr("Без заливки"),
                                        tr("Заливка косой штриховкой /"),
                                        tr("Заливка косой штриховкой \\"),
                                        tr("Заливка вертикальной штриховкой"),
                                        tr("Заливка горизонтальной штриховкой"),
                                        tr("Заливка клеткой"),
                                        tr("Заливка косой клеткой")};
    for (int i = SolidBr; i <= DiagCrossBr; ++i)
        styles->addWidget(groupButton(group, m_fillStyle, i, names[size_t(i)], icons[size_t(i)],
                                      hints[size_t(i)], spoken[size_t(i)]),
                          i / 4, i % 4);
    styles->setColumnStretch(4, 1);
    form->addRow(tr("Форма заликви: "), styles);

    m_fillColor = new ColorButton(QStringLiteral("ColorBr"), QString(), group);
    m_fillColor->setToolTip(tr("Цвет заливки"));
    m_fillColor->setAccessibleName(m_fillColor->toolTip());
    form->addRow(tr("Цвет: "), colorField(m_fillColor));
    layout()->addWidget(group);
}

void ShapePanel::bindNumber(QDoubleSpinBox* edit, double ShapePanelValues::*member)
{
    connect(edit, &QDoubleSpinBox::valueChanged, this, [this, member](double value) {
        m_values.*member = value;
        m_sample->update();
        changed();
    });
}

void ShapePanel::connectControls()
{
    connect(m_tabButtons, &QButtonGroup::idClicked, m_pages, &QStackedWidget::setCurrentIndex);
    connect(m_pages, &QStackedWidget::currentChanged, this, [this](int tab) {
        m_values.setShapeType(tab);
        checkGroupButton(m_tabButtons, tab);
        checkGroupButton(m_fillStyle, m_values.fillStyle);
        m_sample->update();
        changed();
    });
    connect(m_direction, &QButtonGroup::idClicked, this, [this](int direction) {
        m_values.direction = direction;
        changed();
    });
    bindNumber(m_radius, &ShapePanelValues::Radius);
    bindNumber(m_start, &ShapePanelValues::StartAngl);
    bindNumber(m_finish, &ShapePanelValues::FinishAngl);
    bindNumber(m_width, &ShapePanelValues::SizeLn);
    connect(m_lineStyle, &QButtonGroup::idClicked, this, [this](int style) {
        m_values.pressLineStyle(style);
        showLineWidth();
        m_sample->update();
        changed();
    });
    connect(m_fillStyle, &QButtonGroup::idClicked, this, [this](int style) {
        m_values.pressFillStyle(style);
        m_sample->update();
        changed();
    });
    const auto bindColor = [this](ColorButton* button, int32_t ShapePanelValues::*member) {
        connect(button, &ColorButton::colorChosen, this, [this, member](int32_t bgr) {
            m_values.*member = bgr;
            m_sample->update();
            changed();
        });
    };
    bindColor(m_lineColor, &ShapePanelValues::ColorLn);
    bindColor(m_fillColor, &ShapePanelValues::ColorBr);
}

void ShapePanel::refresh()
{
    const std::array<QSignalBlocker, 4> blockers{QSignalBlocker(m_pages), QSignalBlocker(m_radius),
                                                 QSignalBlocker(m_start), QSignalBlocker(m_finish)};
    m_pages->setCurrentIndex(m_values.ShapeType);
    checkGroupButton(m_tabButtons, m_values.ShapeType);
    checkGroupButton(m_direction, m_values.direction);
    m_radius->setValue(m_values.Radius);
    m_start->setValue(m_values.StartAngl);
    m_finish->setValue(m_values.FinishAngl);
    showLineWidth();
    checkGroupButton(m_lineStyle, m_values.lineStyle);
    m_lineColor->setBgr(m_values.ColorLn);
    checkGroupButton(m_fillStyle, m_values.fillStyle);
    m_fillColor->setBgr(m_values.ColorBr);
    m_sample->update();
}

void ShapePanel::showLineWidth()
{
    const QSignalBlocker blocker(m_width);
    m_width->setValue(m_values.SizeLn);
    m_width->setEnabled(m_values.sizeLnEnabled());
}

void ShapePanel::changed()
{
    Q_EMIT valuesChanged();
}

} // namespace Quillet
