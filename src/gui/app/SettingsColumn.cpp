// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/SettingsColumn.h"

#include "gui/app/StructureView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillet {
namespace {

constexpr int kPanelWidth = 300;
// The page-size edits hold whole 300-dpi pixels of a page no larger than the project
// file accepts (100000 pixels).
constexpr double kMinPageMm = 0.254;
constexpr double kMaxPageMm = 8466.0;

QToolButton* speedButton(QWidget* parent, const char* name, const QString& text,
                         const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    return button;
}

QDoubleSpinBox* pageSideEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(4);
    edit->setRange(kMinPageMm, kMaxPageMm);
    edit->setValue(kMinPageMm);
    edit->setSuffix(QStringLiteral(" мм"));
    return edit;
}

} // namespace

SettingsColumn::SettingsColumn(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sPanel2"));
    setMinimumWidth(kPanelWidth - 9);
    resize(kPanelWidth, height());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    buildAreaToolBar();
    layout->addWidget(sToolBar2);

    BasicOpt = new QScrollArea(this);
    BasicOpt->setObjectName(QStringLiteral("BasicOpt"));
    BasicOpt->setWidgetResizable(true);
    BasicOpt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    m_column = new QVBoxLayout(content);
    m_column->setContentsMargins(4, 4, 4, 4);
    buildProjectGroups();
    buildBackgroundAndBlockGroups();
    buildStructureGroups();
    buildExportGroup();
    // Room below the last group, so that it too can scroll to the top of the column.
    m_tail = new QWidget(content);
    m_column->addWidget(m_tail);
    m_column->addStretch(1);
    BasicOpt->setWidget(content);
    BasicOpt->viewport()->installEventFilter(this);
    layout->addWidget(BasicOpt, 1);

    AddOpt = new QScrollArea(this);
    AddOpt->setObjectName(QStringLiteral("AddOpt"));
    AddOpt->setWidgetResizable(true);
    AddOpt->hide();
    layout->addWidget(AddOpt);
    ProgressPanel = new QWidget(this);
    ProgressPanel->setObjectName(QStringLiteral("ProgressPanel"));
    ProgressPanel->hide();
    layout->addWidget(ProgressPanel);
    buildErrorBox();
    layout->addWidget(ErroreBox);
}

QToolButton* SettingsColumn::areaButton(const char* name, QStyle::StandardPixmap icon,
                                        const QString& hint)
{
    auto* button = speedButton(sToolBar2, name, QString(), hint);
    button->setIcon(style()->standardIcon(icon));
    button->setFocusPolicy(Qt::NoFocus);
    sToolBar2->addWidget(button);
    return button;
}

void SettingsColumn::buildAreaToolBar()
{
    sToolBar2 = new QToolBar(this);
    sToolBar2->setObjectName(QStringLiteral("sToolBar2"));
    ProjectBtn = areaButton("ProjectBtn", QStyle::SP_DirHomeIcon,
                            QStringLiteral("Начало работы с проектом ( F1 )"));
    BackBtn = areaButton("BackBtn", QStyle::SP_DesktopIcon,
                         QStringLiteral("Работа с подложкой ( F2 )"));
    BlockBtn = areaButton("BlockBtn", QStyle::SP_FileDialogListView,
                          QStringLiteral("Работа с блоками и полями ( F3 )"));
    StructureBtn = areaButton("StructureBtn", QStyle::SP_FileDialogDetailedView,
                              QStringLiteral("Работа со структурой ( F4 )"));
    exportBtn = areaButton("exportBtn", QStyle::SP_DialogSaveButton,
                           QStringLiteral("Экспорт результата ( F5 )"));
    UndoBtn = areaButton("UndoBtn", QStyle::SP_ArrowBack,
                         QStringLiteral("Отменить последнее действие ( CTRL+Z)"));
    sToolBar2->addSeparator();
    ToolButton30 = areaButton("ToolButton30", QStyle::SP_MessageBoxQuestion,
                              QStringLiteral("Перейти на сайт разработчика"));
}

QGroupBox* SettingsColumn::addGroup(const char* name, const QString& title)
{
    auto* group = new QGroupBox(title);
    group->setObjectName(QString::fromLatin1(name));
    m_column->addWidget(group);
    return group;
}

void SettingsColumn::buildProjectGroups()
{
    QGroupBox* group = addGroup("ProjectFileGroup", QStringLiteral("Файл проекта"));
    m_areaGroups[static_cast<int>(Area::Project)] = group;
    auto* row = new QHBoxLayout(group);
    CreateBtn = new QPushButton(QStringLiteral("Создать"), group);
    CreateBtn->setObjectName(QStringLiteral("CreateBtn"));
    OpenBtn = new QToolButton(group);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenBtn->setText(QStringLiteral("Открыть"));
    OpenBtn->setPopupMode(QToolButton::MenuButtonPopup);
    PopupMenu2 = new QMenu(OpenBtn);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    OpenBtn->setMenu(PopupMenu2);
    SaveBtn = new QPushButton(QStringLiteral("Сохранить"), group);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    row->addWidget(CreateBtn);
    row->addWidget(OpenBtn);
    row->addWidget(SaveBtn);
    buildLinkGroup();
    buildSizeGroup();
}

void SettingsColumn::buildLinkGroup()
{
    QGroupBox* group = addGroup("LinkGroup", QStringLiteral("Связь с файлом Excel"));
    auto* form = new QFormLayout(group);
    auto* fileRow = new QHBoxLayout;
    xlsFile = new QLineEdit(group);
    xlsFile->setObjectName(QStringLiteral("xlsFile"));
    xlsFileBrowse = speedButton(group, "xlsFileBrowse", QString(),
                                QStringLiteral("Выбрать файл"));
    sSpeedButton2 = speedButton(group, "sSpeedButton2", QString(),
                                QStringLiteral("Переоткрыть файл"));
    sSpeedButton4 = speedButton(group, "sSpeedButton4", QString(),
                                QStringLiteral("Показать файл. Для скрытие нажать еще раз"));
    xlsFileBrowse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    sSpeedButton2->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    sSpeedButton4->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    fileRow->addWidget(xlsFile, 1);
    fileRow->addWidget(xlsFileBrowse);
    fileRow->addWidget(sSpeedButton2);
    fileRow->addWidget(sSpeedButton4);
    form->addRow(fileRow);
    sheet = new QLineEdit(group);
    sheet->setObjectName(QStringLiteral("sheet"));
    form->addRow(QStringLiteral("Лист: "), sheet);

    Direct = addGroup("Direct", QStringLiteral("Номер страницы меняется с изменением:"));
    auto* items = new QVBoxLayout(Direct);
    DirectItems = new QButtonGroup(Direct);
    const QString captions[] = {QStringLiteral("столбцев (элементы полей в строках)"),
                                QStringLiteral("строк (элементы полей в столбцах)")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(captions[i], Direct);
        radio->setObjectName(QStringLiteral("DirectItem%1").arg(i));
        DirectItems->addButton(radio, i);
        items->addWidget(radio);
    }
    DirectItems->button(1)->setChecked(true);
}

void SettingsColumn::buildSizeGroup()
{
    QGroupBox* group = addGroup("SizeGroup", QStringLiteral("Размер проекта:"));
    auto* form = new QFormLayout(group);
    auto* listRow = new QHBoxLayout;
    SizeList = new QComboBox(group);
    SizeList->setObjectName(QStringLiteral("SizeList"));
    SizeList->setEditable(true);
    SizeList->setInsertPolicy(QComboBox::NoInsert);
    SizeList->setMinimumContentsLength(8);
    SizeList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    sSpeedButton9 = speedButton(group, "sSpeedButton9", QString(),
                                QStringLiteral("Сохранить размер"));
    sSpeedButton8 = speedButton(group, "sSpeedButton8", QString(),
                                QStringLiteral("Удалить размер"));
    sSpeedButton9->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    sSpeedButton8->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    listRow->addWidget(SizeList, 1);
    listRow->addWidget(sSpeedButton9);
    listRow->addWidget(sSpeedButton8);
    form->addRow(listRow);
    PrWidth = pageSideEdit(group, "PrWidth");
    PrHeight = pageSideEdit(group, "PrHeight");
    form->addRow(QStringLiteral("Ширина:"), PrWidth);
    form->addRow(QStringLiteral("Высота:"), PrHeight);
}

void SettingsColumn::buildBackgroundAndBlockGroups()
{
    QGroupBox* back = addGroup("BackSourceGroup", QStringLiteral("Источник подложки"));
    m_areaGroups[static_cast<int>(Area::Background)] = back;
    auto* backLayout = new QVBoxLayout(back);
    backLayout->addSpacing(60);

    QGroupBox* blocks = addGroup("FieldCreateGroup", QStringLiteral("Поля"));
    m_areaGroups[static_cast<int>(Area::Blocks)] = blocks;
    auto* blockLayout = new QVBoxLayout(blocks);
    for (const char* caption :
         {"Создать текстовое поле", "Создать графическое поле", "Создать фигурное поле"}) {
        auto* button = new QPushButton(QString::fromUtf8(caption), blocks);
        button->setEnabled(false); // the field editor brings these to life
        blockLayout->addWidget(button);
    }
}

void SettingsColumn::buildStructureGroups()
{
    QGroupBox* group = addGroup("StructureGroup", QStringLiteral("Структура полей"));
    m_areaGroups[static_cast<int>(Area::Structure)] = group;
    auto* layout = new QVBoxLayout(group);
    Structure = new StructureView(group);
    Structure->setMinimumHeight(260);
    layout->addWidget(Structure);

    QGroupBox* relations = addGroup("RelateGroup", QStringLiteral("Список зависимостей"));
    auto* relationLayout = new QVBoxLayout(relations);
    RelateList = new QListWidget(relations);
    RelateList->setObjectName(QStringLiteral("RelateList"));
    RelateList->setMinimumHeight(120);
    relationLayout->addWidget(RelateList);
}

void SettingsColumn::buildExportGroup()
{
    QGroupBox* group = addGroup("ExportGroup", QStringLiteral("Экспорт результата"));
    m_areaGroups[static_cast<int>(Area::Export)] = group;
    auto* form = new QFormLayout(group);
    sEdit1 = new QLineEdit(group);
    sEdit1->setObjectName(QStringLiteral("sEdit1"));
    form->addRow(QStringLiteral("Страницы: "), sEdit1);
    auto* row = new QHBoxLayout;
    ToolButton49 = speedButton(group, "ToolButton49", QStringLiteral("Все"),
                               QStringLiteral("Выделить все страницы"));
    ToolButton50 = speedButton(group, "ToolButton50", QStringLiteral("1…N"),
                               QStringLiteral("Выделить с начала до текущей"));
    ToolButton51 = speedButton(group, "ToolButton51", QStringLiteral("Инв."),
                               QStringLiteral("Инвертировать выделение"));
    ToolButton52 = speedButton(group, "ToolButton52", QStringLiteral("±"),
                               QStringLiteral("Добавить / исключить текущую страницу"));
    for (QToolButton* button : {ToolButton49, ToolButton50, ToolButton51, ToolButton52})
        row->addWidget(button);
    row->addStretch(1);
    form->addRow(row);
}

void SettingsColumn::buildErrorBox()
{
    ErroreBox = new QGroupBox(QStringLiteral("Список ошибок: "), this);
    ErroreBox->setObjectName(QStringLiteral("ErroreBox"));
    auto* layout = new QVBoxLayout(ErroreBox);
    ErroreList = new QPlainTextEdit(ErroreBox);
    ErroreList->setObjectName(QStringLiteral("ErroreList"));
    ErroreList->setReadOnly(true);
    layout->addWidget(ErroreList, 1);
    auto* row = new QHBoxLayout;
    ShowErr = new QCheckBox(QStringLiteral("Показывать сообщения об ошибках"), ErroreBox);
    ShowErr->setObjectName(QStringLiteral("ShowErr"));
    ShowErr->setChecked(true);
    sBitBtn11 = new QPushButton(QStringLiteral("OK"), ErroreBox);
    sBitBtn11->setObjectName(QStringLiteral("sBitBtn11"));
    row->addWidget(ShowErr, 1);
    row->addWidget(sBitBtn11);
    layout->addLayout(row);
    ErroreBox->setFixedHeight(200);
    ErroreBox->hide();
}

bool SettingsColumn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == BasicOpt->viewport() && event->type() == QEvent::Resize) {
        const QGroupBox* last = m_areaGroups[static_cast<int>(Area::Export)];
        m_tail->setFixedHeight(qMax(0, BasicOpt->viewport()->height() - last->height()));
    }
    return QWidget::eventFilter(watched, event);
}

int SettingsColumn::areaPosition(Area area) const
{
    const QGroupBox* group = m_areaGroups[static_cast<int>(area)];
    return qMax(0, group->y() - m_column->contentsMargins().top());
}

void SettingsColumn::showArea(Area area)
{
    BasicOpt->verticalScrollBar()->setValue(areaPosition(area));
}

} // namespace Quillet
