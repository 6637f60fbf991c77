// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/data/SeriesChoice.h"

#include <QDialog>

#include <optional>

class QListWidget;

namespace Quillet {

/// `ColumnChooser`: the columns of the linked sheet (its rows, when page numbers advance
/// along columns), each with its header and first value, in the list `ColumnList`. A
/// double click or "Выбрать" takes the highlighted one.
class ColumnChooser : public QDialog {
    Q_OBJECT
public:
    /// The `ColumnBtn` command: shows `offer`'s problem in one message box when it has
    /// one, else lets the user choose. Returns the chosen series' reference ("=C2:C31"),
    /// std::nullopt after a message or Отмена. The entry whose reference is `current`
    /// (the field text) starts highlighted, else the first.
    static std::optional<QString> choose(const SeriesOffer& offer, const QString& current,
                                         QWidget* parent);

    /// `offer` must have choices.
    ColumnChooser(const SeriesOffer& offer, const QString& current, QWidget* parent = nullptr);

    /// The reference of the highlighted entry.
    QString reference() const;

private:
    std::vector<SeriesChoice> m_choices;
    QListWidget* m_list = nullptr;
};

} // namespace Quillet
