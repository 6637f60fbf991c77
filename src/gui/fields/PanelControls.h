// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Small controls the field editor panels share: colour choice buttons and checkable
// picture buttons in exclusive groups.

#include "gui/app/Icons.h"

#include <QPushButton>

#include <cstdint>

class QAbstractButton;
class QButtonGroup;
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

/// A checkable tool button named `objectName` showing `icon` alone with the hint `hint`
/// (and `accessibleName` as setIconFace takes it), added to `group` under `id`. The group
/// should be exclusive.
QToolButton* groupButton(QWidget* parent, QButtonGroup* group, int id, const char* objectName,
                         IconName icon, const QString& hint,
                         const QString& accessibleName = QString());

/// An exclusive button group owned by `parent`, one stop for Tab at its button that is
/// down (tabStopOnChecked).
QButtonGroup* exclusiveGroup(QWidget* parent);

/// Checks the button `id` of `group`, or unchecks every button for an id the group does
/// not hold (-1 = none down).
void checkGroupButton(QButtonGroup* group, int id);

} // namespace Quillet
