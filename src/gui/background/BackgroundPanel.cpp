// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/background/BackgroundPanel.h"

#include "core/background/BackgroundSettings.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "gui/app/FocusOrder.h"
#include "gui/app/Icons.h"
#include "gui/background/BackgroundSources.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Quillet {
namespace {

// Three decimals keep the steps of MmEditStep exact and show a snapped value (a whole number
// of 1/300 inch) to the micrometre, which reads back as the same pixel.
constexpr int kMmDecimals = 3;
constexpr double kMaxMm = 9999.999;
constexpr double kMaxAngle = 3600;

using Margin = BackgroundSettings::Margin;
constexpr Margin kMargins[4] = {Margin::Top, Margin::Bottom, Margin::Left, Margin::Right};

/// A decimal edit that reports entering and leaving. Leaving is the focus moving on
/// inside the program; the window losing activation or a popup keeps the edit entered,
/// so enter and leave come in pairs. The wheel only steps the edit that has the focus,
/// so scrolling the column never changes a value behind the user's back.
class SettingEdit : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

    std::function<void()> onEnter;
    std::function<void()> onLeave;

    /// The values changed under an entered edit (another project was loaded): what was
    /// remembered on entering is taken again from them, so the coming leave compares
    /// with the new project, not the old one.
    void renewEntry()
    {
        if (m_entered && onEnter)
            onEnter();
    }

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QDoubleSpinBox::focusInEvent(event);
        if (m_entered)
            return;
        m_entered = true;
        if (onEnter)
            onEnter();
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        // The base class first: it settles a half-typed text into the value.
        QDoubleSpinBox::focusOutEvent(event);
        const Qt::FocusReason reason = event->reason();
        if (!m_entered || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
            return;
        }
        m_entered = false;
        if (onLeave)
            onLeave();
    }

    void wheelEvent(QWheelEvent* event) override
    {
        if (hasFocus())
            QDoubleSpinBox::wheelEvent(event);
        else
            event->ignore();
    }

private:
    bool m_entered = false;
};

/// Shows `value` unless the edit already holds it at its precision: an edit being typed
/// into keeps its text and cursor.
void showValue(QDoubleSpinBox* edit, double value)
{
    const double shown = QString::number(value, 'f', edit->decimals()).toDouble();
    if (edit->value() == shown)
        return;
    const QSignalBlocker blocker(edit);
    edit->setValue(value);
}

void showChecked(QAbstractButton* button, bool checked)
{
    if (button == nullptr)
        return;
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

QToolButton* alignmentButton(QWidget* parent, const char* name, const QString& hint, IconName icon)
{
    QToolButton* button = iconButton(parent, name, icon, hint);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QPushButton* pushButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QGroupBox* group(const char* name, const QString& title)
{
    auto* box = new QGroupBox(title);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QFormLayout* formIn(QGroupBox* box)
{
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return form;
}

} // namespace

BackgroundPanel::BackgroundPanel(BackgroundSettings& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("BackgroundPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(buildSourceGroup());
    column->addWidget(buildSizeGroup());
    column->addWidget(buildPositionGroup());
    column->addWidget(buildMarginGroup());
    column->addWidget(buildAngleGroup());
    alignLabels();
    refresh();
}

void BackgroundPanel::alignLabels()
{
    // One label width for the size and margin edits, so their edits line up.
    QList<QWidget*> labels;
    for (QFormLayout* form : findChildren<QFormLayout*>()) {
        if (form->rowWrapPolicy() == QFormLayout::WrapAllRows)
            continue;
        for (int row = 0; row < form->rowCount(); ++row) {
            if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole))
                labels.append(item->widget());
        }
    }
    int width = 0;
    for (QWidget* label : labels)
        width = std::max(width, label->sizeHint().width());
    for (QWidget* label : labels)
        label->setMinimumWidth(width);
}

QWidget* BackgroundPanel::anchor() const
{
    return m_sourceGroup;
}

QGroupBox* BackgroundPanel::buildSourceGroup()
{
    m_sourceGroup = group("BackSourceGroup", tr("Источник подложки"));
    auto* layout = new QVBoxLayout(m_sourceGroup);
    m_sourceRow = new QHBoxLayout;
    m_sourceRow->setObjectName(QStringLiteral("BackSourceRow"));
    layout->addLayout(m_sourceRow);
    m_sources = new BackgroundSources(m_model, this);
    m_sources->addButtons(m_sourceRow, [this](const std::function<void()>& work) { run(work); });
    connect(m_sources, &BackgroundSources::busyChanged, this, &BackgroundPanel::busyChanged);
    auto* tools = new QHBoxLayout;
    QPushButton* invert = pushButton(m_sourceGroup, "sSpeedButton1", tr("Инверсия"));
    QPushButton* reset = pushButton(m_sourceGroup, "DefBack", tr("Сброс"));
    QToolButton* remove =
        iconButton(m_sourceGroup, "sSpeedButton5", IconName::Delete, tr("Удалить подложку"));
    remove->setFocusPolicy(Qt::StrongFocus);
    tools->addWidget(invert);
    tools->addWidget(reset);
    tools->addStretch(1);
    tools->addWidget(remove);
    layout->addLayout(tools);
    connect(invert, &QPushButton::clicked, this,
            [this] { run([this] { m_model.invertBackground(); }); });
    connect(remove, &QToolButton::clicked, this,
            [this] { run([this] { m_model.removeBackground(); }); });
    connect(reset, &QPushButton::clicked, this,
            [this] { run([this] { m_model.clickDefBack(); }); });
    return m_sourceGroup;
}

QDoubleSpinBox* BackgroundPanel::sizeEdit(const char* name, double minimum)
{
    auto* edit = new SettingEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(kMmDecimals);
    edit->setRange(minimum, kMaxMm);
    edit->setSingleStep(MmEditStep);
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

void BackgroundPanel::bindEdit(QDoubleSpinBox* edit, std::function<void(double)> change,
                               std::function<void()> enter, std::function<void()> leave)
{
    auto* setting = static_cast<SettingEdit*>(edit); // every edit of this panel is one
    connect(edit, &QDoubleSpinBox::valueChanged, this,
            [this, change = std::move(change)](double value) { run([&] { change(value); }); });
    if (enter)
        setting->onEnter = [this, enter = std::move(enter)] { run(enter); };
    setting->onLeave = [this, leave = std::move(leave)] { run(leave); };
}

QGroupBox* BackgroundPanel::buildSizeGroup()
{
    QGroupBox* box = group("BackSizeGroup", tr("Размер подложки (мм)"));
    QFormLayout* form = formIn(box);
    m_imgWidth = sizeEdit("ImgWidth", 0);
    m_imgHeight = sizeEdit("ImgHeight", 0);
    m_chkRatio = new QCheckBox(tr("Сохронять пропорции"), box);
    m_chkRatio->setObjectName(QStringLiteral("ChkRatio"));
    form->addRow(tr("Ширина"), m_imgWidth);
    form->addRow(tr("Высота"), m_imgHeight);
    form->addRow(m_chkRatio);
    // The edits were made outside the group and came into it after the box.
    chainTabOrder({m_imgWidth, m_imgHeight, m_chkRatio});
    bindEdit(
        m_imgWidth, [this](double mm) { m_model.setImgWidth(mm); }, nullptr,
        [this] { m_model.leaveImgWidth(); });
    bindEdit(
        m_imgHeight, [this](double mm) { m_model.setImgHeight(mm); }, nullptr,
        [this] { m_model.leaveImgHeight(); });
    connect(m_chkRatio, &QCheckBox::clicked, this,
            [this] { run([this] { m_model.clickChkRatio(); }); });
    return box;
}

QGroupBox* BackgroundPanel::buildPositionGroup()
{
    QGroupBox* box = group("BackPositionGroup", tr("Позиция подложки"));
    QFormLayout* form = formIn(box);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    const struct {
        const char* name;
        const char* hint;
        IconName icon;
    } horizontal[] = {{"AlignLeft", QT_TR_NOOP("По левому краю"), IconName::PlaceLeft},
                      {"AlignCenter", QT_TR_NOOP("По центру"), IconName::PlaceCenter},
                      {"AlignRight", QT_TR_NOOP("По правому краю"), IconName::PlaceRight}},
      vertical[] = {{"AlignTop", QT_TR_NOOP("По верхнему краю"), IconName::PlaceTop},
                    {"AlignMiddle", QT_TR_NOOP("По середине"), IconName::PlaceMiddle},
                    {"AlignBottom", QT_TR_NOOP("По нижнему краю"), IconName::PlaceBottom}};
    m_horizontal = new QButtonGroup(box);
    m_vertical = new QButtonGroup(box);
    auto* hRow = new QHBoxLayout;
    auto* vRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        QToolButton* h =
            alignmentButton(box, horizontal[i].name, tr(horizontal[i].hint), horizontal[i].icon);
        QToolButton* v =
            alignmentButton(box, vertical[i].name, tr(vertical[i].hint), vertical[i].icon);
        m_horizontal->addButton(h, i);
        m_vertical->addButton(v, i);
        hRow->addWidget(h);
        vRow->addWidget(v);
    }
    hRow->addStretch(1);
    vRow->addStretch(1);
    form->addRow(tr("Горизонтальное выравнивание"), hRow);
    form->addRow(tr("Вертикальное выравнивание"), vRow);
    tabStopOnChecked(m_horizontal);
    tabStopOnChecked(m_vertical);
    // Made in pairs; Tab takes the row of horizontal buttons, then the vertical one.
    QWidgetList buttons;
    for (QButtonGroup* group : {m_horizontal, m_vertical}) {
        for (QAbstractButton* button : group->buttons())
            buttons.append(button);
    }
    chainTabOrder(buttons);
    connect(m_horizontal, &QButtonGroup::idClicked, this, &BackgroundPanel::alignmentClicked);
    connect(m_vertical, &QButtonGroup::idClicked, this, &BackgroundPanel::alignmentClicked);
    return box;
}

void BackgroundPanel::alignmentClicked()
{
    run([this] {
        m_model.setAlignment(HAlign(m_horizontal->checkedId()), VAlign(m_vertical->checkedId()));
    });
}

QGroupBox* BackgroundPanel::buildMarginGroup()
{
    // The caption is wider than the column: it wraps inside the frame, where a group's
    // one-line title would be cut off.
    QGroupBox* box = group("BackMarginGroup", QString());
    QFormLayout* form = formIn(box);
    auto* caption = new QLabel(tr("Отступ (обрезание, если <0) подложки (мм)"), box);
    caption->setObjectName(QStringLiteral("BackMarginCaption"));
    caption->setWordWrap(true);
    form->addRow(caption);
    const char* names[4] = {"MirTop", "MirBottom", "MirLeft", "MirRight"};
    const char* labels[4] = {QT_TR_NOOP("Сверху"), QT_TR_NOOP("Снизу"), QT_TR_NOOP("Слева"),
                             QT_TR_NOOP("Справа")};
    for (int i = 0; i < 4; ++i) {
        const Margin margin = kMargins[i];
        m_margins[i] = sizeEdit(names[i], -kMaxMm);
        form->addRow(tr(labels[i]), m_margins[i]);
        bindEdit(
            m_margins[i], [this, margin](double mm) { m_model.setMargin(margin, mm); },
            [this] { m_model.enterMargin(); }, [this, margin] { m_model.leaveMargin(margin); });
    }
    m_exert = new QCheckBox(tr("Влиять на размер подложки"), box);
    m_exert->setObjectName(QStringLiteral("Exert"));
    form->addRow(m_exert);
    connect(m_exert, &QCheckBox::clicked, this,
            [this](bool ticked) { run([this, ticked] { m_model.setExert(ticked); }); });
    return box;
}

QGroupBox* BackgroundPanel::buildAngleGroup()
{
    QGroupBox* box = group("BackAngleGroup", tr("Угол поворота (градусах)"));
    auto* row = new QHBoxLayout(box);
    auto* angle = new SettingEdit(box);
    angle->setObjectName(QStringLiteral("Angle1"));
    angle->setDecimals(2);
    angle->setRange(-kMaxAngle, kMaxAngle);
    angle->setSingleStep(0.25);
    angle->setFocusPolicy(Qt::StrongFocus);
    angle->setAlignment(Qt::AlignRight);
    m_angle1 = angle;
    QPushButton* details = pushButton(box, "sSpeedButton3", tr("Подробная настройка"));
    row->addWidget(m_angle1, 1);
    row->addWidget(details);
    bindEdit(
        m_angle1, [this](double degrees) { m_model.setAngle1(degrees); },
        [this] { m_model.enterAngle1(); }, [this] { m_model.leaveAngle1(); });
    connect(details, &QPushButton::clicked, this, [this] {
        run([this] { m_model.openAngleOptions(); });
        Q_EMIT angleOptionsRequested();
    });
    return box;
}

void BackgroundPanel::run(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Error& e) {
        refresh();
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
    }
    refresh();
}

void BackgroundPanel::projectReplaced()
{
    refresh();
    for (QDoubleSpinBox* edit : findChildren<QDoubleSpinBox*>()) {
        if (auto* setting = dynamic_cast<SettingEdit*>(edit))
            setting->renewEntry();
    }
}

void BackgroundPanel::refresh()
{
    const ProjectSettings& s = m_model.settings();
    showValue(m_imgWidth, s.ImgWidth);
    showValue(m_imgHeight, s.ImgHeight);
    m_imgHeight->setEnabled(m_model.imgHeightEnabled());
    showChecked(m_chkRatio, m_model.ChkRatio());
    showChecked(m_exert, m_model.Exert());
    const double margins[4] = {s.MirTop, s.MirBottom, s.MirLeft, s.MirRight};
    for (int i = 0; i < 4; ++i)
        showValue(m_margins[i], margins[i]);
    showValue(m_angle1, s.Angle1);
    showChecked(m_horizontal->button(int(s.horizontalAlign)), true);
    showChecked(m_vertical->button(int(s.verticalAlign)), true);
}

void BackgroundPanel::setProjectFolder(const QString& folder)
{
    m_sources->setProjectFolder(folder);
}

} // namespace Quillet
