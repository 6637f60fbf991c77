// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-screenshots DEMO_DIR OUTDIR: pictures the main window's start page before any
// project is open, then opens a copy of the demo project in the window at its starting
// size and writes one PNG per area of the settings column and per editing panel, filled
// with the demo's own values, and one of the guide, so the look can be reviewed without a
// display. Exit code 0 when every picture was written and every control's text can be
// drawn by the installed fonts, 2 otherwise.

#include "core/app/Language.h"
#include "gui/app/AdvertPanel.h"
#include "gui/app/GuideWindow.h"
#include "gui/app/Look.h"
#include "gui/app/MainWindow.h"
#include "gui/background/ImportWindow.h"
#include "gui/background/ScanDialog.h"
#include "gui/export/CalibrationDialog.h"
#include "gui/export/ExportPanel.h"
#include "core/app/NodeGrammar.h"
#include "core/app/UserSettings.h"
#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"
#include "core/fields/AutoReplace.h"
#include "gui/fields/EditingArea.h"
#include "gui/fields/SpellDialog.h"
#include "gui/fields/StructureView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QAbstractItemView>
#include <QTabBar>
#include <QSet>
#include <QRegularExpression>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QGroupBox>
#include <QLineEdit>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <utility>

using namespace Quillet;

namespace {

int g_failures = 0;

void fail(const QString& what)
{
    std::fprintf(stderr, "quillet-screenshots: %s\n", qPrintable(what));
    ++g_failures;
}

// The lines of a list or tree, its branches included.
void appendItemTexts(const QAbstractItemModel& model, const QModelIndex& parent, QStringList& texts)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        texts << index.data(Qt::DisplayRole).toString();
        appendItemTexts(model, index, texts);
    }
}

// The texts a picture shows on its controls. `ours` holds the program's own texts, which
// the interface's language must give; `all` adds the lines of lists and trees that may
// hold the user's data. Every one must be drawable by the installed fonts: a character
// no installed font has shows as an empty box.
struct ShownTexts {
    QStringList ours;
    QStringList all;
};

ShownTexts shownTexts(QWidget* root)
{
    ShownTexts texts;
    const auto visible = [root](const QWidget* w) { return w->isVisibleTo(root) || w == root; };
    for (auto* button : root->findChildren<QAbstractButton*>()) {
        if (visible(button))
            texts.ours << button->text();
    }
    for (auto* label : root->findChildren<QLabel*>()) {
        if (visible(label) && label->textFormat() != Qt::RichText)
            texts.ours << label->text();
    }
    for (auto* group : root->findChildren<QGroupBox*>()) {
        if (visible(group))
            texts.ours << group->title();
    }
    for (auto* spin : root->findChildren<QDoubleSpinBox*>()) {
        if (visible(spin))
            texts.ours << spin->prefix() << spin->suffix();
    }
    for (auto* spin : root->findChildren<QSpinBox*>()) {
        if (visible(spin))
            texts.ours << spin->prefix() << spin->suffix();
    }
    for (auto* combo : root->findChildren<QComboBox*>()) {
        if (visible(combo) && !combo->isEditable())
            texts.ours << combo->currentText();
    }
    for (auto* edit : root->findChildren<QLineEdit*>()) {
        if (visible(edit) && edit->text().isEmpty())
            texts.ours << edit->placeholderText();
    }
    for (auto* tabs : root->findChildren<QTabBar*>()) {
        for (int i = 0; visible(tabs) && i < tabs->count(); ++i)
            texts.ours << tabs->tabText(i);
    }
    texts.all = texts.ours;
    for (auto* view : root->findChildren<QAbstractItemView*>()) {
        if (!visible(view) || view->model() == nullptr)
            continue;
        QStringList lines;
        appendItemTexts(*view->model(), QModelIndex(), lines);
        // Lists and trees show the user's data (field texts, replacement pairs, a
        // dictionary's suggestions): only their glyphs are checked.
        texts.all << lines;
    }
    if (root->isWindow())
        texts.ours << root->windowTitle();
    return texts;
}

void checkGlyphs(QWidget* root, const QString& path)
{
    const ShownTexts texts = shownTexts(root);
    const QFontMetrics metrics(root->font());
    for (const QString& text : texts.all) {
        for (const char32_t c : text.toUcs4()) {
            if (c == U'\n' || c == U'&' || metrics.inFontUcs4(c))
                continue;
            fail(QStringLiteral("%1: no font draws U+%2 of \"%3\"")
                     .arg(path)
                     .arg(uint(c), 4, 16, QLatin1Char('0'))
                     .arg(text));
        }
    }
    // In English nothing of ours may be left in Russian. The demo's own texts (its field
    // values, file and sheet names) are the user's and stay as they are.
    if (currentInterfaceLanguage() != QLatin1String("en"))
        return;
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    // A name of the user's quoted in a caption (a sheet, a file) stays as it is.
    static const QRegularExpression quoted(QStringLiteral("“[^”]*”|«[^»]*»|\"[^\"]*\""));
    for (QString text : texts.ours) {
        text.remove(quoted);
        if (text.contains(cyrillic))
            fail(QStringLiteral("%1: not translated: \"%2\"").arg(path, text));
    }
}

// A caption wider than its button or a one-line label narrower than its text is cut off.
void checkCaptions(QWidget* root, const QString& path)
{
    const auto visible = [root](const QWidget* w) { return w->isVisibleTo(root); };
    for (auto* button : root->findChildren<QPushButton*>()) {
        if (visible(button) && !button->text().isEmpty()
            && button->width() < button->minimumSizeHint().width())
            fail(QStringLiteral("%1: the button \"%2\" is %3 pixels wide, its caption needs %4")
                     .arg(path, button->text())
                     .arg(button->width())
                     .arg(button->minimumSizeHint().width()));
    }
    for (auto* box : root->findChildren<QCheckBox*>()) {
        if (visible(box) && box->width() < box->minimumSizeHint().width())
            fail(QStringLiteral("%1: \"%2\" is %3 pixels wide, its caption needs %4")
                     .arg(path, box->text())
                     .arg(box->width())
                     .arg(box->minimumSizeHint().width()));
    }
    for (auto* label : root->findChildren<QLabel*>()) {
        if (visible(label) && !label->wordWrap() && label->pixmap().isNull()
            && label->textFormat() != Qt::RichText && !label->text().isEmpty()
            && label->width() < label->minimumSizeHint().width())
            fail(QStringLiteral("%1: the label \"%2\" is %3 pixels wide, its text needs %4")
                     .arg(path, label->text())
                     .arg(label->width())
                     .arg(label->minimumSizeHint().width()));
    }
}

// Writes the picture of `widget` after checking that the fonts draw its controls' texts.
bool savePicture(QWidget* widget, const QString& path)
{
    checkGlyphs(widget, path);
    checkCaptions(widget, path);
    return widget->grab().save(path);
}

void settle(TForm1& window)
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    window.document().RepaintPending = true;
    window.RepaintTimeTimer();
    QApplication::processEvents();
}

// A column narrower than what its panels need cuts their captions off at the right.
void checkWidths(TForm1& window, const QString& name)
{
    for (const char* areaName : {"BasicOpt", "AddOpt"}) {
        const auto* area = window.findChild<QScrollArea*>(QString::fromLatin1(areaName));
        if (area == nullptr || !area->isVisible() || area->widget() == nullptr)
            continue;
        const int needed = area->widget()->minimumSizeHint().width();
        if (needed > area->viewport()->width()) {
            fail(QStringLiteral("%1: %2 needs %3 pixels, has %4")
                     .arg(name, QString::fromLatin1(areaName))
                     .arg(needed)
                     .arg(area->viewport()->width()));
        }
    }
}

void shoot(TForm1& window, const QDir& out, const QString& name)
{
    settle(window);
    checkWidths(window, name);
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!savePicture(&window, path))
        fail(QStringLiteral("cannot write %1").arg(path));
    else
        std::printf("%s\n", qPrintable(path));
}

// An editing panel's picture is worth nothing when the panel did not open.
void shootPanel(TForm1& window, const QDir& out, const QString& name)
{
    const auto* area = window.findChild<QWidget*>(QStringLiteral("AddOpt"));
    if (area == nullptr || !area->isVisible())
        fail(QStringLiteral("%1: the editing area did not open").arg(name));
    shoot(window, out, name);
}

void click(TForm1& window, const char* name)
{
    if (auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name)))
        button->click();
    else
        fail(QStringLiteral("no button %1").arg(QString::fromLatin1(name)));
}

// The stored text of a tree item (the tree shows a readable line instead).
QString nodeText(const QTreeWidgetItem* item)
{
    return item->data(0, StructureView::NodeTextRole).toString();
}

// The first root node whose ID starts with `kindDigit`, or its first block.
QTreeWidgetItem* findNode(QTreeWidget* tree, QChar kindDigit, bool block)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* field = tree->topLevelItem(i);
        if (!nodeText(field).startsWith(kindDigit))
            continue;
        if (!block)
            return field;
        if (field->childCount() > 0)
            return field->child(0);
    }
    return nullptr;
}

// Opens the node in the editing area as a double click does, photographs it, cancels.
void shootNode(TForm1& window, const QDir& out, const QString& name, QChar kind, bool block)
{
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Structure"));
    QTreeWidgetItem* item = tree ? findNode(tree, kind, block) : nullptr;
    if (item == nullptr) {
        fail(QStringLiteral("the demo has no node for %1").arg(name));
        return;
    }
    tree->setCurrentItem(item);
    Q_EMIT tree->itemDoubleClicked(item, 0);
    shootPanel(window, out, name);
    click(window, "CancelBtn");
}

void sendMouse(QWidget* view, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

// The F3 area while a block is being drawn on the layout page: a drag halfway, pictured,
// then called off with the right button so nothing is created.
void shootDrawing(TForm1& window, const QDir& out)
{
    click(window, "BlockBtn");
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Structure"));
    auto* view = window.findChild<QWidget*>(QStringLiteral("DXDraw1"));
    if (tree == nullptr || view == nullptr || tree->topLevelItemCount() == 0) {
        fail(QStringLiteral("no field to draw a block for"));
        return;
    }
    tree->setCurrentItem(tree->topLevelItem(0));
    const QPoint from(view->width() / 5, view->height() * 2 / 3);
    const QPoint to(view->width() / 2, view->height() * 3 / 4);
    sendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, from);
    sendMouse(view, QEvent::MouseMove, Qt::LeftButton, to);
    const QString path = out.filePath(QStringLiteral("area-3-blocks-drawing.png"));
    QApplication::processEvents();
    if (!savePicture(&window, path))
        fail(QStringLiteral("cannot write %1").arg(path));
    else
        std::printf("%s\n", qPrintable(path));
    sendMouse(view, QEvent::MouseButtonPress, Qt::RightButton, to);
    sendMouse(view, QEvent::MouseButtonRelease, Qt::RightButton, to);
}

// Zooms the page view out from full size until `r` takes at most two thirds of its width,
// and scrolls it into the middle.
void showAround(TForm1& window, QScrollArea* box, const BlockRect& r)
{
    click(window, "OriginalBtn");
    while ((r.Right - r.Left) * window.viewState().ViewScale > box->width() * 2 / 3)
        click(window, "ScaleDownBtn");
    settle(window);
    const double scale = window.viewState().ViewScale;
    box->ensureVisible(int((r.Left + r.Right) / 2 * scale), int((r.Top + r.Bottom) / 2 * scale),
                       box->width() / 2, box->height() / 2);
    settle(window);
}

void saveGrab(QWidget* widget, const QDir& out, const QString& name)
{
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!savePicture(widget, path))
        fail(QStringLiteral("cannot write %1").arg(path));
    else
        std::printf("%s\n", qPrintable(path));
}

// The page area at full size around the first block of a text field, made current: its
// outline and the eight handles that resize it.
void shootHandles(TForm1& window, const QDir& out)
{
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Structure"));
    auto* box = window.findChild<QScrollArea*>(QStringLiteral("sScrollBox1"));
    auto* area = window.findChild<QWidget*>(QStringLiteral("sPanel1"));
    QTreeWidgetItem* item = tree ? findNode(tree, QLatin1Char('0'), true) : nullptr;
    if (item == nullptr || box == nullptr || area == nullptr) {
        fail(QStringLiteral("no block to show the handles of"));
        return;
    }
    click(window, "BlockBtn");
    tree->setCurrentItem(item);
    try {
        showAround(window, box, ParseBlockRect(nodeText(item)));
    } catch (const Error& e) {
        fail(e.message());
    }
    saveGrab(area, out, QStringLiteral("canvas-handles"));
    click(window, "ContainBtn");
}

// The first filled page around the demo's comb field: one character per box, dashes in
// the boxes the value leaves empty.
void shootCombPage(TForm1& window, const QDir& out)
{
    const FieldTree& tree = window.document().project.Structure;
    auto* box = window.findChild<QScrollArea*>(QStringLiteral("sScrollBox1"));
    auto* area = window.findChild<QWidget*>(QStringLiteral("sPanel1"));
    auto* page = window.findChild<QSpinBox*>(QStringLiteral("PageN"));
    const FieldNode* comb = nullptr;
    for (const FieldNode& field : tree.fields) {
        try {
            if (field.text.startsWith(QLatin1Char('0')) && !field.blocks.empty()
                && ParseTextOptions(QStringView(field.text).mid(4)).comb) {
                comb = &field;
                break;
            }
        } catch (const Error&) {
        }
    }
    if (comb == nullptr || box == nullptr || area == nullptr || page == nullptr) {
        fail(QStringLiteral("the demo has no comb field for page-comb"));
        return;
    }
    try {
        BlockRect all = ParseBlockRect(comb->blocks.front().text);
        const BlockRect last = ParseBlockRect(comb->blocks.back().text);
        all.Right = std::max(all.Right, last.Right);
        all.Bottom = std::max(all.Bottom, last.Bottom);
        page->setValue(1);
        window.RepaintTimeTimer();
        showAround(window, box, all);
    } catch (const Error& e) {
        fail(e.message());
    }
    saveGrab(area, out, QStringLiteral("page-comb"));
    page->setValue(0);
    click(window, "ContainBtn");
}

// A three-page A4 form, each page headed and numbered, for the import window's picture.
bool writeSampleForm(const QString& path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(150);
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    const int width = writer.width();
    for (int n = 1; n <= 3; ++n) {
        if (n > 1)
            writer.newPage();
        QFont font = painter.font();
        font.setPixelSize(46);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(0, 120, width, 80), Qt::AlignCenter,
                         QStringLiteral("ЗАЯВЛЕНИЕ — лист %1").arg(n));
        font.setPixelSize(26);
        font.setBold(false);
        painter.setFont(font);
        painter.setPen(QPen(QColor(60, 60, 60), 2));
        for (int row = 0; row < 14; ++row) {
            const int y = 320 + row * 95;
            painter.drawText(QPoint(110, y - 12), QStringLiteral("Поле %1").arg(row + 1));
            painter.drawLine(330, y, width - 110, y);
        }
        painter.fillRect(QRect(110, 1700, width - 220, 90 + 40 * n), QColor(225, 235, 248));
        painter.drawText(QRect(0, 1600, width, 40), Qt::AlignCenter,
                         QStringLiteral("Страница %1 из 3").arg(n));
    }
    return painter.end();
}

// The page choice of the document import showing page 2 of a three-page PDF.
void shootImportWindow(QWidget& parent, const QDir& work, const QDir& out)
{
    const QString pdf = work.filePath(QStringLiteral("import-sample.pdf"));
    ImportDocument document;
    try {
        if (!writeSampleForm(pdf))
            throw FileError(QStringLiteral("cannot write %1").arg(pdf));
        document.open(pdf);
    } catch (const Error& error) {
        fail(error.message());
        return;
    }
    ImportWindow dialog(&parent);
    QTimer::singleShot(0, &dialog, [&] {
        if (auto* page = dialog.findChild<QSpinBox*>(QStringLiteral("sSpinEdit1")))
            page->setValue(2);
        const QDeadlineTimer deadline(60000);
        while ((dialog.shownPage() != 2 || dialog.previewRendering()) && !deadline.hasExpired()) {
            QApplication::processEvents();
            QThread::msleep(5);
        }
        // The new picture's size travels up to the scroll box over a few event rounds.
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        const QString path = out.filePath(QStringLiteral("import-window.png"));
        if (dialog.shownPage() != 2)
            fail(QStringLiteral("the import window did not show page 2"));
        else if (!savePicture(&dialog, path))
            fail(QStringLiteral("cannot write %1").arg(path));
        else
            std::printf("%s\n", qPrintable(path));
        dialog.reject();
    });
    dialog.choosePage(document);
}

// The scanner dialog ready to scan, on SANE's test devices. They are enabled through a
// private configuration folder, which libsane reads when the first scanner starts.
void shootScanDialog(QWidget& parent, const QDir& work, const QDir& out)
{
    const QString config = work.filePath(QStringLiteral("sane"));
    QFile backends(QDir(config).filePath(QStringLiteral("dll.conf")));
    if (!QDir().mkpath(config) || !backends.open(QIODevice::WriteOnly)
        || backends.write("test\n") < 0) {
        fail(QStringLiteral("cannot write %1").arg(backends.fileName()));
        return;
    }
    backends.close();
    qputenv("SANE_CONFIG_DIR", QFile::encodeName(config));

    ScanDialog dialog(&parent);
    auto* scanButton = dialog.findChild<QPushButton*>(QStringLiteral("scanButton"));
    QDeadlineTimer deadline(30000);
    QTimer poll;
    // A message box means no test device; it is closed so that scan() comes back.
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            fail(QStringLiteral("scanner dialog: %1").arg(box->text()));
            box->reject();
            return;
        }
        if (!scanButton->isEnabled() && !deadline.hasExpired())
            return;
        poll.stop();
        const QString path = out.filePath(QStringLiteral("scan-dialog.png"));
        if (!scanButton->isEnabled())
            fail(QStringLiteral("the scanner dialog found no device"));
        else if (!savePicture(&dialog, path))
            fail(QStringLiteral("cannot write %1").arg(path));
        else
            std::printf("%s\n", qPrintable(path));
        dialog.reject();
    });
    poll.start(20);
    dialog.scan();
}

// The export area while the demo's pages are written: the gauge with its Cancel button.
void shootExport(TForm1& window, const QDir& work, const QDir& out)
{
    click(window, "exportBtn");
    auto* pages = window.findChild<QLineEdit*>(QStringLiteral("sEdit1"));
    auto* gauge = window.findChild<QProgressBar*>(QStringLiteral("Progress"));
    auto* panel = window.findChild<ExportPanel*>(QStringLiteral("Exportpr"));
    if (pages == nullptr || gauge == nullptr || panel == nullptr
        || !work.mkpath(QStringLiteral("export"))) {
        fail(QStringLiteral("no export area to photograph"));
        return;
    }
    pages->setText(QStringLiteral("1-200"));
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            answer.stop();
            dialog->selectFile(work.filePath(QStringLiteral("export/page.qlet")));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    answer.start(10);
    click(window, "JPGSave");
    answer.stop();
    const QDeadlineTimer deadline(60000);
    while (panel->isExporting() && gauge->value() < 12 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    if (panel->isExporting())
        shoot(window, out, QStringLiteral("area-5-export-progress"));
    else
        fail(QStringLiteral("the export ended before it could be photographed"));
    click(window, "ProgressCancel");
    while (panel->isExporting() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

// The progress panel while LibreOffice converts a workbook for the link, the link group
// waiting disabled above it. A stand-in that never finishes plays LibreOffice, so the
// picture does not depend on how fast the real one is; Cancel then ends it.
void shootWorkbookProgress(TForm1& window, const QDir& work, const QDir& out)
{
    click(window, "ProjectBtn");
    auto* edit = window.findChild<QLineEdit*>(QStringLiteral("xlsFile"));
    auto* panel = window.findChild<QWidget*>(QStringLiteral("ProgressPanel"));
    const QString office = work.filePath(QStringLiteral("slow-soffice"));
    QFile script(office);
    QFile table(work.filePath(QStringLiteral("Клиенты.slk")));
    if (edit == nullptr || panel == nullptr || !script.open(QIODevice::WriteOnly)
        || script.write("#!/bin/sh\nexec sleep 600\n") < 0 || !table.open(QIODevice::WriteOnly)
        || table.write("ID;PWXL\nC;Y1;X1;K\"Anna\"\nE\n") < 0) {
        fail(QStringLiteral("no workbook link to photograph"));
        return;
    }
    script.close();
    table.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldOffice = qgetenv(LibreOfficeProgramVariable);
    qputenv(LibreOfficeProgramVariable, QFile::encodeName(office));
    const QString linked = edit->text();
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(edit, &in);
    edit->setText(table.fileName());
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(edit, &leave);
    if (panel->isVisible())
        shoot(window, out, QStringLiteral("workbook-progress"));
    else
        fail(QStringLiteral("opening a workbook through LibreOffice showed no progress"));
    click(window, "ProgressCancel");
    const QDeadlineTimer deadline(30000);
    while (panel->isVisible() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    qputenv(LibreOfficeProgramVariable, oldOffice);
    if (edit->text() != linked)
        fail(QStringLiteral("a cancelled open changed the linked workbook"));
}

// The printer calibration dialog with measurements typed in and the correction they give.
// Its settings live in the work folder, so the user's calibrations stay untouched.
void shootCalibrationDialog(QWidget& parent, const QDir& work, const QDir& out)
{
    UserSettings settings(work.filePath(QStringLiteral("calibration.ini")));
    // An A4 sheet in landscape at 600 dpi with margins of a quarter inch.
    PrinterMetrics metrics;
    metrics.name = QStringLiteral("Office_Laser");
    metrics.portrait = false;
    metrics.printableOffset = QPoint(150, 150);
    metrics.printableSize = QSize(7016 - 300, 4961 - 300);
    const AlignmentPage page = alignmentPage(metrics, QSizeF(297, 210));
    CalibrationDialog dialog(metrics.name, page, settings, &parent);
    dialog.setMeasurements(page.crossA + QPointF(1.5, -1.0), page.crossB + QPointF(2.0, -0.5));
    dialog.show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const QString path = out.filePath(QStringLiteral("calibration-dialog.png"));
    if (!savePicture(&dialog, path))
        fail(QStringLiteral("cannot write %1").arg(path));
    else
        std::printf("%s\n", qPrintable(path));
}

// The advertising pause standing in for the settings panel, a few seconds into it. The
// pause is brought on by repaint ticks and run out after the picture, so that the next
// one comes long after the other pictures.
void shootAdvert(TForm1& window, const QDir& out)
{
    auto* ad = window.findChild<AdvertPanel*>(QStringLiteral("AD"));
    for (int tick = 0; ad != nullptr && ad->isHidden() && tick < 240; ++tick)
        window.RepaintTimeTimer();
    if (ad == nullptr || ad->isHidden()) {
        fail(QStringLiteral("the advertising pause did not start"));
        return;
    }
    for (int second = 0; second < 3; ++second)
        ad->Timer1Timer();
    shoot(window, out, QStringLiteral("area-ad"));
    while (!ad->isHidden() && ad->pause().timerRunning())
        ad->Timer1Timer();
}

// The spelling dialog stopped at the first unknown word of a field text, with the installed
// dictionaries and a personal word list of its own in the work folder.
void shootSpellDialog(QWidget& parent, const QDir& work, const QDir& out)
{
    const QList<SpellDictionary> installed = installedSpellDictionaries();
    if (installed.isEmpty()) {
        fail(QStringLiteral("no spelling dictionary is installed"));
        return;
    }
    PersonalDictionary personal(work.filePath(QStringLiteral("personal.dic")));
    SpellDialog dialog(QStringLiteral("Получатель: Иванов Пётр Сергеевич, г. Москва, ул. Садовая, "
                                      "д. 5. Благодарим за своевремменую оплату заказа."),
                       installed, personal, &parent);
    dialog.show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const QString path = out.filePath(QStringLiteral("spell-dialog.png"));
    if (!savePicture(&dialog, path))
        fail(QStringLiteral("cannot write %1").arg(path));
    else
        std::printf("%s\n", qPrintable(path));
}

// The auto-replace panel over a few pairs, one of them selected; the demo's own list is
// put back afterwards.
// The page-size list as a new user finds it: the standard sizes, A4 first.
void shootPageSizes(TForm1& window, const QDir& out)
{
    click(window, "ProjectBtn");
    auto* sizes = window.findChild<QComboBox*>(QStringLiteral("SizeList"));
    if (sizes == nullptr || sizes->count() == 0 || sizes->itemText(0) != QStringLiteral("A4")) {
        fail(QStringLiteral("page-sizes: the list does not start with A4"));
        return;
    }
    sizes->showPopup();
    QApplication::processEvents();
    QWidget* popup = sizes->view()->window();
    const QString path = out.filePath(QStringLiteral("page-sizes.png"));
    if (!savePicture(popup, path))
        fail(QStringLiteral("cannot write %1").arg(path));
    else
        std::printf("%s\n", qPrintable(path));
    sizes->hidePopup();
}

void shootReplace(TForm1& window, const QDir& out)
{
    ReplacePairs& list = window.document().project.ReplaceList;
    const ReplacePairs kept = list;
    AutoReplace::openPairs(list, {{QStringLiteral("м"), QStringLiteral("мужской")},
                                  {QStringLiteral("ж"), QStringLiteral("женский")},
                                  {QStringLiteral("ivanov"), QStringLiteral("Иванов И. И.")},
                                  {QStringLiteral("RUS"), QStringLiteral("Россия")},
                                  {QStringLiteral("г. москва"), QStringLiteral("г. Москва")},
                                  {QStringLiteral("нет данных"), QString()}});
    click(window, "BlockBtn");
    click(window, "ToolButton11");
    if (auto* view = window.findChild<QTreeWidget*>(QStringLiteral("ReplaceList")))
        view->setCurrentItem(view->topLevelItem(2));
    shootPanel(window, out, QStringLiteral("panel-autoreplace"));
    click(window, "CancelBtn");
    list = kept;
}

// A new text field as the editor opens it: scrolled to its top, the focus in `Text`, the
// buttons below. The area is scrolled down first, as a previous panel may leave it.
void shootTextFresh(TForm1& window, const QDir& out)
{
    click(window, "BlockBtn");
    if (auto* area = window.findChild<QScrollArea*>(QStringLiteral("AddOpt")))
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    click(window, "CreateTextField");
    shootPanel(window, out, QStringLiteral("panel-text-fresh"));
    click(window, "CancelBtn");
}

// The columns of the demo's sheet offered by "Столбец…" in the text field panel.
void shootColumnChooser(TForm1& window, const QDir& out)
{
    click(window, "BlockBtn");
    click(window, "CreateTextField");
    bool shot = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        poll.stop();
        if (modal->objectName() != QStringLiteral("ColumnChooser")) {
            fail(QStringLiteral("column chooser: %1")
                     .arg(qobject_cast<QMessageBox*>(modal)
                              ? qobject_cast<QMessageBox*>(modal)->text()
                              : modal->objectName()));
        } else {
            const QString path = out.filePath(QStringLiteral("column-chooser.png"));
            if (!savePicture(modal, path))
                fail(QStringLiteral("cannot write %1").arg(path));
            else
                std::printf("%s\n", qPrintable(path));
            shot = true;
        }
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    });
    poll.start(10);
    click(window, "ColumnBtn");
    poll.stop();
    if (!shot)
        fail(QStringLiteral("the column chooser did not open"));
    click(window, "CancelBtn");
}

// The demo's text field made a comb: one character per block, the dots of a date
// skipped. The editor keeps the values, so this comes after the pictures of fresh panels.
void shootTextComb(TForm1& window, const QDir& out)
{
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Structure"));
    QTreeWidgetItem* item = tree ? findNode(tree, QLatin1Char('0'), false) : nullptr;
    if (item == nullptr) {
        fail(QStringLiteral("the demo has no text field for panel-text-comb"));
        return;
    }
    click(window, "StructureBtn");
    tree->setCurrentItem(item);
    Q_EMIT tree->itemDoubleClicked(item, 0);
    click(window, "CombChk");
    if (auto* skip = window.findChild<QLineEdit*>(QStringLiteral("CombSkip"))) {
        skip->setText(QStringLiteral("."));
        Q_EMIT skip->textEdited(skip->text());
    }
    shootPanel(window, out, QStringLiteral("panel-text-comb"));
    click(window, "CancelBtn");
}

// A window with no project: the start page over the page area, the demo among the recent
// projects.
void shootStartPage(TForm1& window, const QDir& out)
{
    const auto* start = window.findChild<QWidget*>(QStringLiteral("StartPage"));
    settle(window);
    if (start == nullptr || !start->isVisible())
        fail(QStringLiteral("start-page: the start page is not shown"));
    shoot(window, out, QStringLiteral("start-page"));
}

// The guide as F1 opens it, at its first page.
void shootGuide(TForm1& window, const QDir& out)
{
    window.showGuide();
    auto* guide = window.findChild<GuideWindow*>(QStringLiteral("Guide"));
    if (guide == nullptr || !guide->isVisible()) {
        fail(QStringLiteral("guide: the guide did not open"));
        return;
    }
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    saveGrab(guide, out, QStringLiteral("guide"));
    guide->close();
}

bool copyDemo(const QDir& from, const QDir& to)
{
    for (const QString& name : from.entryList(QDir::Files)) {
        if (!QFile::copy(from.filePath(name), to.filePath(name)))
            return false;
    }
    return true;
}

// The guide's pictures, cut from the screenshots into OUTDIR/guide-images: the top left
// part of each that the guide's text talks about, as 8-bit PNGs.
void cutGuidePictures(const QDir& out)
{
    struct Cut {
        const char* name;
        int top, width, height; // height 0: the whole picture
        double scale;
    };
    static const Cut cuts[] = {
        {"area-1-project", 0, 345, 430, 1.0},         {"area-2-background", 0, 345, 665, 1.0},
        {"area-5-export", 0, 345, 310, 1.0},          {"page-comb", 0, 670, 420, 1.0},
        {"area-3-blocks-drawing", 0, 830, 560, 0.75}, {"panel-text", 170, 350, 508, 1.0},
        {"calibration-dialog", 0, 0, 0, 1.0},
    };
    if (!out.mkpath(QStringLiteral("guide-images"))) {
        fail(QStringLiteral("cannot make %1").arg(out.filePath(QStringLiteral("guide-images"))));
        return;
    }
    for (const Cut& cut : cuts) {
        const QString name = QString::fromLatin1(cut.name) + QStringLiteral(".png");
        QImage picture(out.filePath(name));
        if (picture.isNull()) {
            fail(QStringLiteral("cannot read %1").arg(out.filePath(name)));
            continue;
        }
        // Screenshots at a higher scale are cut at the same place in the layout.
        const double ratio =
            picture.devicePixelRatio() > 1
                ? picture.devicePixelRatio()
                : qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        const double k = ratio > 0 ? ratio : 1.0;
        if (cut.height > 0)
            picture = picture.copy(0, int(cut.top * k), int(cut.width * k), int(cut.height * k));
        if (cut.scale != 1.0)
            picture =
                picture.scaledToWidth(int(picture.width() * cut.scale), Qt::SmoothTransformation);
        const QString path = out.filePath(QStringLiteral("guide-images/") + name);
        if (!picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).save(path))
            fail(QStringLiteral("cannot write %1").arg(path));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    applyLook(app);
    installTranslations(app, interfaceLanguageCode(InterfaceLanguage::System));
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillet-screenshots DEMO_DIR OUTDIR\n");
        return 2;
    }
    const QDir demo(QString::fromLocal8Bit(argv[1]));
    QDir out(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir work;
    if (!out.mkpath(QStringLiteral(".")) || !work.isValid() || !copyDemo(demo, QDir(work.path()))) {
        std::fprintf(stderr, "quillet-screenshots: cannot prepare %s\n", argv[2]);
        return 2;
    }
    const QString project = QDir(work.path()).filePath(QStringLiteral("demo.qlet"));
    // The settings of a new user, kept apart from the real user's.
    qputenv("QUILLET_SETTINGS_FILE",
            QFile::encodeName(QDir(work.path()).filePath(QStringLiteral("settings.ini"))));

    try {
        UserSettings().writeRecentProjects({project});
    } catch (const Error& e) {
        fail(e.message());
    }

    TForm1 window;
    window.show();
    shootStartPage(window, out);
    if (!window.LoadProject(project))
        fail(QStringLiteral("cannot load %1").arg(project));
    click(window, "ContainBtn");
    shootAdvert(window, out);
    const char* areas[][2] = {{"ProjectBtn", "area-1-project"},
                              {"BackBtn", "area-2-background"},
                              {"BlockBtn", "area-3-blocks"},
                              {"StructureBtn", "area-4-structure"},
                              {"exportBtn", "area-5-export"}};
    for (const auto& area : areas) {
        click(window, area[0]);
        shoot(window, out, QString::fromLatin1(area[1]));
    }

    shootExport(window, QDir(work.path()), out);
    shootWorkbookProgress(window, QDir(work.path()), out);
    shootDrawing(window, out);
    shootHandles(window, out);
    shootCombPage(window, out);

    click(window, "StructureBtn");
    shootNode(window, out, QStringLiteral("panel-text"), QLatin1Char('0'), false);
    shootNode(window, out, QStringLiteral("panel-image"), QLatin1Char('1'), false);
    shootNode(window, out, QStringLiteral("panel-shape"), QLatin1Char('2'), false);
    shootNode(window, out, QStringLiteral("panel-coordinates"), QLatin1Char('0'), true);

    if (auto* area = window.findChild<EditingArea*>(QStringLiteral("AddOpt"))) {
        area->openDivide(NodeRef{0, 0});
        for (const auto& [name, value] : {std::pair{"Col", 3}, std::pair{"Row", 2}}) {
            if (auto* edit = window.findChild<QSpinBox*>(QString::fromLatin1(name)))
                edit->setValue(value);
        }
        shootPanel(window, out, QStringLiteral("panel-division"));
        click(window, "CancelBtn");
    }

    click(window, "BackBtn");
    click(window, "sSpeedButton3");
    const std::pair<const char*, double> points[] = {
        {"t1_x", 10.16}, {"t1_y", 10.16}, {"t2_x", 110.24}, {"t2_y", 20.32}};
    for (const auto& [name, mm] : points) {
        if (auto* edit = window.findChild<QDoubleSpinBox*>(QString::fromLatin1(name)))
            edit->setValue(mm);
    }
    shootPanel(window, out, QStringLiteral("panel-angle"));
    click(window, "CancelBtn");

    shootImportWindow(window, QDir(work.path()), out);
    shootScanDialog(window, QDir(work.path()), out);
    shootCalibrationDialog(window, QDir(work.path()), out);
    shootSpellDialog(window, QDir(work.path()), out);
    shootReplace(window, out);
    shootPageSizes(window, out);
    shootTextFresh(window, out);
    shootColumnChooser(window, out);
    shootTextComb(window, out);
    shootGuide(window, out);
    cutGuidePictures(out);

    window.document().RepaintPending = false;
    return g_failures == 0 ? 0 : 2;
}
