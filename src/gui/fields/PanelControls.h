// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Small controls the field editor panels share: colour choice buttons, checkable picture
// buttons in exclusive groups, and the pictograms drawn on them.

#include <QIcon>
#include <QPushButton>

#include <cstdint>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QPainter;
class QToolButton;

namespace Quillet {

/// QColor → $00BBGGRR, the colour layout the project stores; alpha is dropped.
int32_t bgrFromColor(const QColor& color);

/// A push button that shows a swatch of its colour beside an optional caption and opens
/// the colour dialog when clicked. The colour is a $00BBGGRR value.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    ColorButton(const QString& objectName, const QString& caption, QWidget* parent);

    /// Shows `bgr` on the swatch; emits nothing.
    void setBgr(int32_t bgr);
    int32_t bgr() const { return m_bgr; }

Q_SIGNALS:
    /// The user chose a colour in the dialog (not emitted when the dialog is cancelled).
    void colorChosen(int32_t bgr);

private:
    void chooseColor();

    int32_t m_bgr = 0;
};

/// A checkable tool button named `objectName` with `icon` and the hint `hint`, added to
/// `group` under `id`. The group should be exclusive.
QToolButton* groupButton(QWidget* parent, QButtonGroup* group, int id, const char* objectName,
                         const QIcon& icon, const QString& hint = QString());

/// An exclusive button group owned by `parent`.
QButtonGroup* exclusiveGroup(QWidget* parent);

/// Checks the button `id` of `group`, or unchecks every button for an id the group does
/// not hold (-1 = none down).
void checkGroupButton(QButtonGroup* group, int id);

/// A 20 × 20 pictogram painted by `paint` on a transparent square (device pixels follow the
/// screen's ratio; the painter works in the 20 × 20 logical square).
QIcon paintedIcon(const std::function<void(QPainter&)>& paint);

/// The edge of the pictogram square and the pen colour pictograms draw with.
inline constexpr int PictogramSide = 20;
QColor pictogramInk();

} // namespace Quillet
