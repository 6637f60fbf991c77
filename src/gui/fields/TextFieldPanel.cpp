// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/TextFieldPanel.h"

#include "core/render/TextLayout.h"
#include "gui/fields/ColumnChooser.h"
#include "gui/fields/PanelControls.h"
#include "gui/fields/SpellDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <limits>

namespace Quillet {
namespace {

constexpr int kTextHeightPx = 50;
// `Text` is 50 pixels high: larger sizes are shown at this size, smaller ones at least
// legible.
constexpr int kLargestShownPt = 22;
constexpr int kSmallestShownPt = 7;
constexpr int kFontListHeightPx = 120;

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QStringList outlineFontFamilies()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        if (QFontDatabase::isSmoothlyScalable(family) || QFontDatabase::isScalable(family))
            families.append(family);
    }
    return families;
}

} // namespace

TextFieldPanel::TextFieldPanel(TextPanelValues& values, SeriesSource series, QWidget* parent)
    : QGroupBox(tr("Настройки текстового поля"), parent), m_values(values),
      m_series(std::move(series))
{
    setObjectName(QStringLiteral("TextField"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(6);
    buildTextRow();
    buildComb();
    buildAlignment();
    buildLook();
    connectControls();
    if (m_values.fontName.isEmpty())
        m_values.fontName = m_text->font().family();
    refresh();
}

void TextFieldPanel::buildTextRow()
{
    auto* column = static_cast<QVBoxLayout*>(layout());
    auto* textRow = new QHBoxLayout;
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text"));
    // A field text may be longer than a line edit takes by default; cutting it would
    // store the cut text on the next edit.
    m_text->setMaxLength(std::numeric_limits<int>::max());
    m_text->setFixedHeight(kTextHeightPx);
    m_text->setPlaceholderText(tr("Текст или =A2:A31 — ссылка на ячейки"));
    column->addWidget(m_text);

    // Below the edit rather than beside it, so that the edit and its hint keep the
    // column's whole width.
    m_column = new QPushButton(tr("Столбец…"), this);
    m_column->setObjectName(QStringLiteral("ColumnBtn"));
    m_column->setToolTip(tr("Связать поле со столбцом листа: вписать ссылку на его ячейки"));
    m_spell = iconButton(this, "sBitBtn2", IconName::SpellCheck, tr("Проверка орфографии"));
    textRow->addWidget(m_column);
    textRow->addStretch(1);
    textRow->addWidget(m_spell);
    column->addLayout(textRow);

    m_autoReplace = checkBox(this, "AutoReplace", tr("Применять к этому полю автозамену"));
    column->addWidget(m_autoReplace);

    auto* cramRow = new QHBoxLayout;
    auto* cramLabel =
        new QLabel(tr("Макс. число блоков на элемент поля (0-не ограничивать)"), this);
    cramLabel->setWordWrap(true);
    m_maxCram = new QSpinBox(this);
    m_maxCram->setObjectName(QStringLiteral("MaxCram"));
    m_maxCram->setRange(0, 9);
    cramLabel->setBuddy(m_maxCram);
    cramRow->addWidget(cramLabel, 1);
    cramRow->addWidget(m_maxCram, 0, Qt::AlignVCenter);
    column->addLayout(cramRow);
}

void TextFieldPanel::buildComb()
{
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_comb = checkBox(this, "CombChk", tr("По одному знаку в блок"));
    m_comb->setToolTip(tr("Каждый знак значения — в свой блок, как в клетках бланка"));
    column->addWidget(m_comb);

    // The two comb options stand indented below the box that enables them.
    auto* options = new QGridLayout;
    options->setContentsMargins(20, 0, 0, 0);
    options->setVerticalSpacing(2);
    m_combSkip = new QLineEdit(this);
    m_combSkip->setObjectName(QStringLiteral("CombSkip"));
    m_combSkip->setToolTip(
        tr("Знаки, которым не нужна клетка, например точки даты между напечатанными точками"));
    // A node is one line: control characters cannot be stored.
    m_combSkip->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\\x{0}-\\x{1f}]*")), m_combSkip));
    m_combSkip->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 8);
    m_combSkipLabel = new QLabel(tr("Пропускать знаки:"), this);
    m_combSkipLabel->setBuddy(m_combSkip);
    options->addWidget(m_combSkipLabel, 0, 0);
    options->addWidget(m_combSkip, 0, 1, Qt::AlignLeft);
    m_combDash = checkBox(this, "CombDash", tr("Прочерк в пустых клетках"));
    options->addWidget(m_combDash, 1, 0, 1, 2);
    options->setColumnStretch(1, 1);
    column->addLayout(options);
}

void TextFieldPanel::buildAlignment()
{
    auto* column = static_cast<QVBoxLayout*>(layout());
    auto* blockBox = new QGroupBox(tr("Выравнивание для блоков"), this);
    blockBox->setObjectName(QStringLiteral("block"));
    // The kinds stand in a column beside the buttons they switch.
    auto* blockGrid = new QGridLayout(blockBox);
    blockGrid->setVerticalSpacing(2);
    m_block = exclusiveGroup(this);
    const std::array<QString, 3> kinds{tr("первый"), tr("основной"), tr("последний")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(kinds[size_t(i)], blockBox);
        m_block->addButton(radio, i);
        blockGrid->addWidget(radio, i, 0);
    }

    m_horizontal = exclusiveGroup(this);
    m_vertical = exclusiveGroup(this);
    const std::array<const char*, 3> hNames{"Algn_L", "Algn_C", "Algn_R"};
    const std::array<IconName, 3> hIcons{IconName::JustifyLeft, IconName::JustifyCenter,
                                         IconName::JustifyRight};
    const std::array<QString, 3> hHints{tr("По левому краю"), tr("По центру"),
                                        tr("По правому краю")};
    const std::array<const char*, 3> vNames{"Algn_T", "Algn_M", "Algn_B"};
    const std::array<IconName, 3> vIcons{IconName::VAlignTop, IconName::VAlignMiddle,
                                         IconName::VAlignBottom};
    const std::array<QString, 3> vHints{tr("По верхнему краю"), tr("По середине"),
                                        tr("По нижнему краю")};
    auto* buttons = new QGridLayout;
    buttons->setSpacing(2);
    for (int i = 0; i < 3; ++i) {
        buttons->addWidget(groupButton(blockBox, m_horizontal, i, hNames[size_t(i)],
                                       hIcons[size_t(i)], hHints[size_t(i)]),
                           0, i);
        buttons->addWidget(groupButton(blockBox, m_vertical, i, vNames[size_t(i)],
                                       vIcons[size_t(i)], vHints[size_t(i)]),
                           1, i);
    }
    blockGrid->addLayout(buttons, 0, 1, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
    blockGrid->setColumnStretch(0, 1);
    column->addWidget(blockBox);

    // The caption is too long for a group title in the settings column, so it stands
    // wrapped beside the two buttons.
    auto* fillRow = new QHBoxLayout;
    fillRow->setSpacing(2);
    m_direction = exclusiveGroup(this);
    fillRow->addWidget(groupButton(this, m_direction, 0, "topSpline", IconName::FillTopDown,
                                   tr("Заполняем поле сверху вниз")));
    fillRow->addWidget(groupButton(this, m_direction, 1, "BottomSpline", IconName::FillBottomUp,
                                   tr("Заполняем поле снизу вверх")));
    fillRow->addSpacing(6);
    auto* fillCaption = new QLabel(tr("Выравнивание относительно зависимых полей"), this);
    fillCaption->setWordWrap(true);
    fillRow->addWidget(fillCaption, 1);
    column->addLayout(fillRow);
}

void TextFieldPanel::buildLook()
{
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_transparent = checkBox(this, "Transperent", tr("Цвет фона прозрачный"));
    column->addWidget(m_transparent);
    m_fonColor = new ColorButton(QStringLiteral("FonColor"), tr(" Цвет фона для поля"), this);
    m_fontColor = new ColorButton(QStringLiteral("FontColor"), tr(" Цвет текста"), this);
    column->addWidget(m_fonColor, 0, Qt::AlignLeft);
    column->addWidget(m_fontColor, 0, Qt::AlignLeft);

    auto* styles = new QGridLayout;
    styles->setVerticalSpacing(2);
    m_bold = checkBox(this, "Boldchk", tr("Полужирный"));
    m_italic = checkBox(this, "IncChk", tr("Наклонный"));
    m_underline = checkBox(this, "UndChk", tr("Подчеркнутый"));
    styles->addWidget(m_bold, 0, 0);
    styles->addWidget(m_italic, 0, 1);
    styles->addWidget(m_underline, 1, 0);
    column->addLayout(styles);

    auto* sizeRow = new QFormLayout;
    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("Size"));
    m_size->setRange(4, 999);
    sizeRow->addRow(tr("Размер шрифта:"), m_size);
    column->addLayout(sizeRow);

    m_fonts = new QListWidget(this);
    m_fonts->setObjectName(QStringLiteral("sFontListBox1"));
    m_fonts->addItems(outlineFontFamilies());
    m_fonts->setSortingEnabled(true);
    m_fonts->sortItems();
    m_fonts->setMinimumHeight(kFontListHeightPx);
    column->addWidget(m_fonts, 1);
}

void TextFieldPanel::connectControls()
{
    connect(m_spell, &QToolButton::clicked, this, &TextFieldPanel::checkSpelling);
    connect(m_column, &QPushButton::clicked, this, &TextFieldPanel::chooseColumn);
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_values.Text = text;
        changed();
    });
    // The look follows emptiness: the hint shows in the panel's font.
    connect(m_text, &QLineEdit::textChanged, this, [this] { showTextLook(); });
    const auto bindCheck = [this](QCheckBox* box, bool TextPanelValues::*member, bool look) {
        connect(box, &QCheckBox::toggled, this, [this, member, look](bool on) {
            m_values.*member = on;
            if (look)
                showTextLook();
            changed();
        });
    };
    bindCheck(m_autoReplace, &TextPanelValues::AutoReplace, false);
    bindCheck(m_combDash, &TextPanelValues::CombDash, false);
    connect(m_comb, &QCheckBox::toggled, this, [this](bool on) {
        m_values.Comb = on;
        showCombEnabled();
        changed();
    });
    connect(m_combSkip, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_values.CombSkip = text;
        changed();
    });
    bindCheck(m_transparent, &TextPanelValues::Transperent, false);
    bindCheck(m_bold, &TextPanelValues::Boldchk, true);
    bindCheck(m_italic, &TextPanelValues::IncChk, true);
    bindCheck(m_underline, &TextPanelValues::UndChk, true);
    connect(m_maxCram, &QSpinBox::valueChanged, this, [this](int value) {
        m_values.MaxCram = value;
        changed();
    });
    connect(m_block, &QButtonGroup::idClicked, this, [this](int kind) {
        m_values.selectBlock(kind);
        showAlignment();
        changed();
    });
    connect(m_horizontal, &QButtonGroup::idClicked, this, [this](int h) {
        m_values.pressHorizontal(h);
        showAlignment();
        changed();
    });
    connect(m_vertical, &QButtonGroup::idClicked, this, [this](int v) {
        m_values.pressVertical(v);
        showAlignment();
        changed();
    });
    connect(m_direction, &QButtonGroup::idClicked, this, [this](int id) {
        m_values.bottomUp = id == 1;
        changed();
    });
    const auto bindColor = [this](ColorButton* button, int32_t TextPanelValues::*member) {
        connect(button, &ColorButton::colorChosen, this, [this, member](int32_t bgr) {
            m_values.*member = bgr;
            showTextLook();
            changed();
        });
    };
    bindColor(m_fonColor, &TextPanelValues::FonColor);
    bindColor(m_fontColor, &TextPanelValues::FontColor);
    connect(m_size, &QSpinBox::valueChanged, this, [this](int points) {
        m_values.Size = points;
        showTextLook();
        changed();
    });
    const auto chooseFont = [this](const QString& family) {
        if (family.isEmpty())
            return;
        m_values.fontName = family;
        showTextLook();
        changed();
    };
    connect(m_fonts, &QListWidget::currentTextChanged, this, chooseFont);
    // A click on the entry that is already current (a field whose font is not installed
    // keeps the previous one highlighted) chooses it all the same.
    connect(m_fonts, &QListWidget::itemClicked, this,
            [chooseFont](const QListWidgetItem* item) { chooseFont(item->text()); });
}

void TextFieldPanel::refresh()
{
    const std::array<QSignalBlocker, 13> blockers{
        QSignalBlocker(m_text),        QSignalBlocker(m_autoReplace), QSignalBlocker(m_maxCram),
        QSignalBlocker(m_comb),        QSignalBlocker(m_combSkip),    QSignalBlocker(m_combDash),
        QSignalBlocker(m_transparent), QSignalBlocker(m_bold),        QSignalBlocker(m_italic),
        QSignalBlocker(m_underline),   QSignalBlocker(m_size),        QSignalBlocker(m_fonts),
        QSignalBlocker(m_direction)};
    m_text->setText(m_values.Text);
    m_autoReplace->setChecked(m_values.AutoReplace);
    m_maxCram->setValue(m_values.MaxCram);
    m_comb->setChecked(m_values.Comb);
    m_combSkip->setText(m_values.CombSkip);
    m_combDash->setChecked(m_values.CombDash);
    showCombEnabled();
    showAlignment();
    checkGroupButton(m_direction, m_values.bottomUp ? 1 : 0);
    m_transparent->setChecked(m_values.Transperent);
    m_fonColor->setBgr(m_values.FonColor);
    m_fontColor->setBgr(m_values.FontColor);
    m_bold->setChecked(m_values.Boldchk);
    m_italic->setChecked(m_values.IncChk);
    m_underline->setChecked(m_values.UndChk);
    m_size->setValue(m_values.Size);
    selectFont();
    showTextLook();
}

void TextFieldPanel::showAlignment()
{
    checkGroupButton(m_block, m_values.block);
    checkGroupButton(m_horizontal, m_values.alignHorizontal);
    checkGroupButton(m_vertical, m_values.alignVertical);
}

void TextFieldPanel::showCombEnabled()
{
    for (QWidget* option : {static_cast<QWidget*>(m_combSkipLabel),
                            static_cast<QWidget*>(m_combSkip), static_cast<QWidget*>(m_combDash)})
        option->setEnabled(m_values.Comb);
}

void TextFieldPanel::showTextLook()
{
    if (m_text->text().isEmpty()) {
        m_text->setFont(font());
        m_text->setPalette(palette());
        return;
    }
    QFont look = m_text->font();
    look.setFamilies({m_values.fontName});
    look.setPointSize(std::clamp(m_values.Size, kSmallestShownPt, kLargestShownPt));
    look.setBold(m_values.Boldchk);
    look.setItalic(m_values.IncChk);
    look.setUnderline(m_values.UndChk);
    m_text->setFont(look);
    QPalette colours = m_text->palette();
    colours.setColor(QPalette::Base, colorFromBgr(m_values.FonColor));
    colours.setColor(QPalette::Text, colorFromBgr(m_values.FontColor));
    m_text->setPalette(colours);
}

void TextFieldPanel::selectFont()
{
    for (int row = 0; row < m_fonts->count(); ++row) {
        QListWidgetItem* item = m_fonts->item(row);
        if (item->text().compare(m_values.fontName, Qt::CaseInsensitive) == 0) {
            m_fonts->setCurrentItem(item);
            m_fonts->scrollToItem(item);
            return;
        }
    }
}

QWidget* TextFieldPanel::firstEdit() const
{
    return m_text;
}

void TextFieldPanel::checkSpelling()
{
    const std::optional<QString> checked = SpellDialog::check(m_text->text(), this);
    if (checked && *checked != m_text->text())
        replaceText(*checked);
}

void TextFieldPanel::chooseColumn()
{
    const SeriesOffer offer = m_series ? m_series() : offerSeries(nullptr, {}, PagesAlong::Rows);
    const std::optional<QString> reference = ColumnChooser::choose(offer, m_text->text(), this);
    if (reference && *reference != m_text->text())
        replaceText(*reference);
}

void TextFieldPanel::replaceText(const QString& text)
{
    {
        // Put in as an edit, so that the edit's own undo takes the change back.
        const QSignalBlocker blocker(m_text);
        m_text->selectAll();
        m_text->insert(text);
    }
    showTextLook();
    m_values.Text = m_text->text();
    changed();
}

void TextFieldPanel::changed()
{
    Q_EMIT valuesChanged();
}

} // namespace Quillet
