// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/MainWindow.h"

#include "core/common/Errors.h"
#include "gui/app/AdvertPanel.h"
#include "gui/app/GuideWindow.h"
#include "gui/app/PageArea.h"
#include "gui/app/ProjectPanel.h"
#include "gui/app/SettingsColumn.h"
#include "gui/background/BackgroundPanel.h"
#include "gui/fields/EditingArea.h"
#include "gui/fields/FieldsPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace Quillet {
namespace {

constexpr int kRepaintMs = 500;
constexpr int kScrollStep = 50;
constexpr int kStatusMessageMs = 8000;

// The Russian layout puts У Т Щ Ы Я Н on the keys of E N O S Z Y; X11 then reports the
// Cyrillic letter as the key.
int latinKeyOf(int key)
{
    switch (key) {
    case 0x0423:
        return Qt::Key_E;
    case 0x0422:
        return Qt::Key_N;
    case 0x0429:
        return Qt::Key_O;
    case 0x042B:
        return Qt::Key_S;
    case 0x042F:
        return Qt::Key_Z;
    case 0x041D:
        return Qt::Key_Y;
    default:
        return key;
    }
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), m_document(&m_userSettings), m_background(m_document),
      m_editor(m_document)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Quillet"));
    resize(1024, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    try {
        m_userSettings.addStandardPageSizes();
    } catch (const Error&) {
        // The standard sizes are a convenience: a store that cannot take them loses
        // nothing of the user's, and they are offered again at the next start.
    }
    m_stepRepaint = new QTimer(this);
    m_stepRepaint->setObjectName(QStringLiteral("StepRepaint"));
    m_stepRepaint->setSingleShot(true);
    m_stepRepaint->setInterval(0);
    connect(m_stepRepaint, &QTimer::timeout, this, [this] {
        // A stopped tick (a project being loaded) holds page steps back as well.
        if (m_repaintTime != nullptr && m_repaintTime->isActive())
            repaintIfPending();
    });
    buildWindow();
    buildPanels();
    buildStatusBar();
    connectPanels();
    connectEditor();
    connectPageArea();

    resizeRaster();
    ProjectBtnClick();
    try {
        if (const std::optional<double> scale = m_userSettings.calibratedScale()) {
            m_view.CalibratedScale = ViewZoom::bounded(*scale);
            m_view.ViewScale = m_view.CalibratedScale;
        }
    } catch (const Error& e) {
        // A damaged calibration costs the calibration, not the window.
        QTimer::singleShot(0, this, [this, message = e.message()] {
            QMessageBox::critical(this, QStringLiteral("Quillet"), message);
        });
    }
    UpdateViewSize();
    showStartPage();
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
    m_repaintTime = new QTimer(this);
    m_repaintTime->setObjectName(QStringLiteral("RepaintTime"));
    connect(m_repaintTime, &QTimer::timeout, this, &TForm1::RepaintTimeTimer);
    m_repaintTime->start(kRepaintMs);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    // The panels go first: while they are torn down they may still signal the window,
    // whose members must be alive for that.
    delete takeCentralWidget();
}

void TForm1::buildWindow()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_messPanel =
        new QLabel(tr("Открытие файла. Дождитесь пока не исчезнет это сообщение."), central);
    m_messPanel->setObjectName(QStringLiteral("MessPanel"));
    m_messPanel->setAlignment(Qt::AlignCenter);
    m_messPanel->hide();
    layout->addWidget(m_messPanel);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setObjectName(QStringLiteral("sSplitter1"));
    m_advert = new AdvertPanel(m_userSettings, splitter);
    m_settings = new SettingsColumn(splitter);
    m_settings->setMinimumWidth(291);
    m_advert->setReplaced(m_settings);
    m_page = new PageArea(splitter);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(2, 1);
    splitter->setSizes({0, 350, 674});
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    m_page->setRaster(&m_raster);
}

void TForm1::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sStatusBar1"));
    const int widths[] = {50, 50, 50, 50, 65, 65, 50};
    const char* texts[] = {"X: ", "", "Y: ", "", QT_TR_NOOP("Масштаб:"), "", ""};
    for (size_t i = 0; i < m_statusPanels.size(); ++i) {
        auto* label = new QLabel(tr(texts[i]), bar);
        label->setObjectName(QStringLiteral("sStatusBarPanel%1").arg(i));
        label->setMinimumWidth(widths[i]);
        if (i == 0 || i == 2 || i == 4)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bar->addWidget(label, i == 6 ? 1 : 0);
        m_statusPanels[i] = label;
    }
}

void TForm1::showStatusMessage(const QString& line)
{
    statusBar()->showMessage(line, kStatusMessageMs);
}

void TForm1::setProjectPath(const QString& path)
{
    m_document.ProjectPath = path;
}

bool TForm1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TForm1::FormActivate()
{
    // The status panel records which path was loaded last, so the command-line project
    // loads once, at the first activation.
    const QString& path = m_document.ProjectPath;
    if (path.isEmpty() || path == m_statusPanels[6]->text() || !QFileInfo(path).isFile())
        return;
    LoadProject(path);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_document.RepaintPending = true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (m_busy || !m_projectPanel->askToSaveChanges()) {
        event->ignore();
        return;
    }
    m_repaintTime->stop();
    m_stepRepaint->stop();
    m_link.closeWorkbook();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
        // Working in the settings column holds back an advertising pause that would take
        // its place under the user's hands.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && m_settings != nullptr
            && (widget == m_settings || m_settings->isAncestorOf(widget)))
            m_advert->userBusy();
    }
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Keys of dialogs and other windows are theirs.
        if (widget != nullptr && widget->window() == this
            && QApplication::activeModalWidget() == nullptr
            && FormKeyDown(static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::FormKeyDown(QKeyEvent* key)
{
    // Exactly no modifier, Alt alone or Ctrl alone; the keypad flag only says where the
    // key sits.
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::AltModifier)
        return handleAltKey(key->key());
    if (modifiers == Qt::ControlModifier)
        return handleCtrlKey(latinKeyOf(key->key()));
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier)
        && latinKeyOf(key->key()) == Qt::Key_Z) {
        RedoBtnClick();
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_F1:
        // Getting started: the project's area, and the guide beside the window.
        ProjectBtnClick();
        showGuide();
        return true;
    case Qt::Key_F2:
        BackBtnClick();
        return true;
    case Qt::Key_F3:
        BlockBtnClick();
        return true;
    case Qt::Key_F4:
        StructureBtnClick();
        return true;
    case Qt::Key_F5:
        exportBtnClick();
        return true;
    default:
        return false;
    }
}

bool TForm1::handleAltKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        m_page->setPage(m_page->page() - 1);
        return true;
    case Qt::Key_PageDown:
        m_page->setPage(m_page->page() + 1);
        return true;
    case Qt::Key_End:
        LastBtnClick();
        return true;
    case Qt::Key_Home:
        m_page->setPage(0);
        return true;
    case Qt::Key_Left:
        m_page->scrollBy(Qt::Horizontal, -kScrollStep);
        return true;
    case Qt::Key_Up:
        m_page->scrollBy(Qt::Vertical, -kScrollStep);
        return true;
    case Qt::Key_Right:
        m_page->scrollBy(Qt::Horizontal, kScrollStep);
        return true;
    case Qt::Key_Down:
        m_page->scrollBy(Qt::Vertical, kScrollStep);
        return true;
    case Qt::Key_Insert:
        ScreenBtnClick();
        return true;
    case Qt::Key_Slash:
        ContainBtnClick();
        return true;
    case Qt::Key_8:
    case Qt::Key_Asterisk:
        OriginalBtnClick();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ScaleUpBtnClick();
        return true;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        ScaleDownBtnClick();
        return true;
    default:
        return false;
    }
}

bool TForm1::handleCtrlKey(int key)
{
    switch (key) {
    case Qt::Key_E:
        m_settings->showErrors();
        return true;
    case Qt::Key_N:
        m_projectPanel->CreateBtnClick();
        return true;
    case Qt::Key_O:
        m_projectPanel->OpenBtnClick();
        return true;
    case Qt::Key_S:
        m_projectPanel->saveToProjectPathOrAsk();
        return true;
    case Qt::Key_Z:
        UndoBtnClick();
        return true;
    case Qt::Key_Y:
        RedoBtnClick();
        return true;
    default:
        return false;
    }
}

void TForm1::ProjectBtnClick()
{
    m_settings->showArea(SettingsColumn::Area::Project);
}

void TForm1::BackBtnClick()
{
    m_settings->showArea(SettingsColumn::Area::Background);
}

void TForm1::BlockBtnClick()
{
    m_settings->showArea(SettingsColumn::Area::Blocks);
}

void TForm1::StructureBtnClick()
{
    m_settings->showArea(SettingsColumn::Area::Structure);
}

void TForm1::exportBtnClick()
{
    m_settings->showArea(SettingsColumn::Area::Export);
}

void TForm1::UndoBtnClick()
{
    if (m_editingArea->undo())
        showRestored();
}

void TForm1::RedoBtnClick()
{
    if (m_editingArea->redo())
        showRestored();
}

void TForm1::showRestored()
{
    m_fieldsPanel->refresh();
    refreshPageCount();
    try {
        if (m_background.followUndo())
            m_backgroundPanel->refresh();
    } catch (const Error& e) {
        m_backgroundPanel->refresh();
        LogRenderError(e.message());
    }
}

void TForm1::showGuide()
{
    if (m_guide == nullptr)
        m_guide = new GuideWindow(this);
    m_guide->showGuide();
}

void TForm1::ToolButton30Click()
{
    showGuide();
}

void TForm1::LogRenderError(const QString& line)
{
    m_settings->appendError(line, true);
}

void TForm1::appendErrorLine(const QString& line)
{
    m_settings->appendError(line, false);
}

} // namespace Quillet
