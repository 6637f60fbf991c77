// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/data/SeriesChoice.h"
#include "core/fields/FieldPanels.h"

#include <QGroupBox>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace Quillet {

class ColorButton;

/// `TextField`, "Настройки текстового поля": the text field's options bound to one
/// TextPanelValues. `Text` shows the field text in the field's look (font, size, style,
/// colours); sizes above what its 50-pixel height holds are shown smaller, the value
/// keeps the size typed; an empty `Text` shows its hint in the panel's own font, so the
/// hint fits whatever the field's size. `sBitBtn2` checks the spelling of `Text` in
/// SpellDialog and puts the checked text back when the user finishes there. `ColumnBtn`
/// ("Столбец…") ties the field to a column of the linked sheet: the reference chosen in
/// ColumnChooser replaces the text. `CombChk` ("По одному знаку в блок") makes a comb
/// field; the characters to skip (`CombSkip`) and the dash in empty blocks (`CombDash`)
/// are enabled only while it is checked, and keep their values while it is not.
class TextFieldPanel : public QGroupBox {
    Q_OBJECT
public:
    /// What `ColumnBtn` offers, asked afresh at every click.
    using SeriesSource = std::function<SeriesOffer()>;

    /// `values` must outlive the panel. An empty fontName is set to the family `Text`
    /// starts with, so the stored name is always a real family. Without `series` the
    /// button says that no workbook is linked.
    explicit TextFieldPanel(TextPanelValues& values, SeriesSource series = {},
                            QWidget* parent = nullptr);

    /// The edit that takes the focus when the panel opens.
    QWidget* firstEdit() const;

    /// Shows the values in every control without emitting valuesChanged. The font list
    /// selects the first family equal to fontName ignoring case, and keeps its selection
    /// when there is none.
    void refresh();

Q_SIGNALS:
    /// A user change wrote the values.
    void valuesChanged();

private:
    void buildTextRow();
    void buildComb();
    void buildAlignment();
    void buildLook();
    void connectControls();
    void showAlignment();
    void showCombEnabled();
    void showTextLook();
    void selectFont();
    void checkSpelling();
    void chooseColumn();
    void replaceText(const QString& text);
    void changed();

    TextPanelValues& m_values;
    SeriesSource m_series;
    QLineEdit* m_text = nullptr;
    QPushButton* m_column = nullptr;
    QToolButton* m_spell = nullptr;
    QCheckBox* m_autoReplace = nullptr;
    QSpinBox* m_maxCram = nullptr;
    QCheckBox* m_comb = nullptr;
    QLabel* m_combSkipLabel = nullptr;
    QLineEdit* m_combSkip = nullptr;
    QCheckBox* m_combDash = nullptr;
    QButtonGroup* m_block = nullptr;
    QButtonGroup* m_horizontal = nullptr;
    QButtonGroup* m_vertical = nullptr;
    QButtonGroup* m_direction = nullptr;
    QCheckBox* m_transparent = nullptr;
    ColorButton* m_fonColor = nullptr;
    ColorButton* m_fontColor = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QSpinBox* m_size = nullptr;
    QListWidget* m_fonts = nullptr;
};

} // namespace Quillet
