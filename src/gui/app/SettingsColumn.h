// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QStyle>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace Quillet {

class StructureView;

/// `sPanel2`, the settings panel: the area toolbar `sToolBar2`, the settings column
/// `BasicOpt` (one scrolling column of groups), the editing area `AddOpt`, the progress
/// panel and the error list `ErroreBox`. The window wires the controls; this class lays
/// them out and scrolls the column to an area.
class SettingsColumn : public QWidget {
    Q_OBJECT
public:
    /// The working areas, in toolbar order.
    enum class Area { Project, Background, Blocks, Structure, Export };

    explicit SettingsColumn(QWidget* parent = nullptr);

    /// Scrolls `BasicOpt` so that the area's first group is at the top.
    void showArea(Area area);
    /// Scroll position that puts the area's first group at the top.
    int areaPosition(Area area) const;

    QToolBar* sToolBar2 = nullptr;
    QToolButton* ProjectBtn = nullptr;
    QToolButton* BackBtn = nullptr;
    QToolButton* BlockBtn = nullptr;
    QToolButton* StructureBtn = nullptr;
    QToolButton* exportBtn = nullptr;
    QToolButton* UndoBtn = nullptr;
    QToolButton* ToolButton30 = nullptr;
    QScrollArea* BasicOpt = nullptr;
    QScrollArea* AddOpt = nullptr;
    QWidget* ProgressPanel = nullptr;

    // "Файл проекта"
    QPushButton* CreateBtn = nullptr;
    QToolButton* OpenBtn = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QPushButton* SaveBtn = nullptr;
    // "Связь с файлом Excel"
    QLineEdit* xlsFile = nullptr;
    QToolButton* xlsFileBrowse = nullptr;
    QToolButton* sSpeedButton2 = nullptr;
    QToolButton* sSpeedButton4 = nullptr;
    QLineEdit* sheet = nullptr;
    QGroupBox* Direct = nullptr;
    QButtonGroup* DirectItems = nullptr;
    // "Размер проекта:"
    QComboBox* SizeList = nullptr;
    QToolButton* sSpeedButton9 = nullptr;
    QToolButton* sSpeedButton8 = nullptr;
    QDoubleSpinBox* PrWidth = nullptr;
    QDoubleSpinBox* PrHeight = nullptr;
    // "Структура полей", "Список зависимостей"
    StructureView* Structure = nullptr;
    QListWidget* RelateList = nullptr;
    // "Экспорт результата"
    QLineEdit* sEdit1 = nullptr;
    QToolButton* ToolButton49 = nullptr;
    QToolButton* ToolButton50 = nullptr;
    QToolButton* ToolButton51 = nullptr;
    QToolButton* ToolButton52 = nullptr;
    // The error list
    QGroupBox* ErroreBox = nullptr;
    QPlainTextEdit* ErroreList = nullptr;
    QPushButton* sBitBtn11 = nullptr;
    QCheckBox* ShowErr = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* areaButton(const char* name, QStyle::StandardPixmap icon,
                            const QString& hint);
    void buildAreaToolBar();
    QGroupBox* addGroup(const char* name, const QString& title);
    void buildProjectGroups();
    void buildLinkGroup();
    void buildSizeGroup();
    void buildBackgroundAndBlockGroups();
    void buildStructureGroups();
    void buildExportGroup();
    void buildErrorBox();

    QVBoxLayout* m_column = nullptr;
    QWidget* m_tail = nullptr;
    QGroupBox* m_areaGroups[5] = {};
};

} // namespace Quillet
