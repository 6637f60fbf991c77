// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QGroupBox>

class QComboBox;
class QDoubleSpinBox;

namespace Quillet {

class ProjectDocument;
class UserSettings;

/// "Размер проекта:": the page size of the project, typed or chosen from the user's
/// named sizes, which this panel also saves and removes.
class PageSizePanel : public QGroupBox {
    Q_OBJECT
public:
    PageSizePanel(ProjectDocument& document, UserSettings& userSettings, QWidget* parent = nullptr);

    /// Shows the project's size name and size.
    void refresh();

public Q_SLOTS:
    void SizeListChange(int index);
    void sSpeedButton9Click();
    void sSpeedButton8Click();
    void PrWidthExit();
    void PrHeightExit();

Q_SIGNALS:
    /// The page size changed: the page raster takes the new size.
    void pageSizeChanged();

private:
    void fillSizeList();
    void applyPageSideExit(bool width);

    ProjectDocument& m_document;
    UserSettings& m_userSettings;
    QComboBox* m_sizeList = nullptr;
    QDoubleSpinBox* m_width = nullptr;
    QDoubleSpinBox* m_height = nullptr;
};

} // namespace Quillet
