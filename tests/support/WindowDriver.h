// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Helpers for the window tests: controls by object name, modal dialogs answered in turn
// as they open, and small projects on disk.

#include "core/app/UserSettings.h"
#include "core/app/FieldTree.h"
#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

namespace WindowDriver {

template <class T> T* control(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

/// A left click on the button `name`.
inline void click(QWidget& window, const char* name)
{
    QTest::mouseClick(control<QAbstractButton>(window, name), Qt::LeftButton);
}

/// Replaces what the spin box `name` holds by typing, as a user does, and leaves it.
inline void typeInto(QWidget& window, const char* name, const QString& text)
{
    auto* spin = control<QAbstractSpinBox>(window, name);
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Tab);
}

/// A key press and release; unlike QTest::keyClick it accepts keys beyond Latin-1, such
/// as the Cyrillic letters a Russian keyboard layout reports.
inline void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {})
{
    const QString text = key >= 0x20 && key < 0x1000 ? QString(QChar(key)) : QString();
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(key), text, modifiers);
}

/// Answers modal dialogs in order as they open. Each step gets the dialog; the script
/// records what it saw so a test can tell which dialogs came.
class DialogScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    explicit DialogScript(std::deque<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] { poll(); });
        m_poll.start(5);
    }
    /// Dialogs seen: a message box's text, an input dialog's label, or "file dialog".
    QStringList seen;
    bool finished() const { return m_steps.empty(); }
    /// Lets other modal windows (a progress or search dialog) come and go unanswered.
    void answerMessageBoxesOnly() { m_boxesOnly = true; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_last || m_steps.empty())
            return;
        m_last = modal;
        if (m_boxesOnly && qobject_cast<QMessageBox*>(modal) == nullptr)
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            seen.append(box->windowTitle() + QLatin1Char('|') + box->text());
        else if (auto* input = qobject_cast<QInputDialog*>(modal))
            seen.append(input->windowTitle() + QLatin1Char('|') + input->labelText());
        else if (qobject_cast<QFileDialog*>(modal))
            seen.append(QStringLiteral("file dialog"));
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(modal);
    }

    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;
    QTimer m_poll;
    bool m_boxesOnly = false;
};

inline DialogScript::Step press(QMessageBox::StandardButton button)
{
    return [button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box != nullptr);
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    };
}

inline DialogScript::Step chooseFile(const QString& path)
{
    return [path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog != nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    };
}

inline DialogScript::Step enterText(const QString& text)
{
    return [text](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        QVERIFY(input != nullptr);
        auto* edit = input->findChild<QLineEdit*>();
        QVERIFY(edit != nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

/// Picks `color` in a colour dialog and confirms it.
inline DialogScript::Step chooseColor(const QColor& color)
{
    return [color](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        QVERIFY(dialog != nullptr);
        dialog->setCurrentColor(color);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}

inline DialogScript::Step cancel()
{
    return [](QWidget* w) { QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection); };
}

/// A text field node with the given ID and field text and default options.
inline QString textField(const QString& id, const QString& fieldText)
{
    return id + fieldText + QChar(u'\u0008') + QStringLiteral("0000000$00FFFFFF$00000000000012")
           + QStringLiteral("Arial");
}

inline QString block(const char* rect)
{
    return QStringLiteral("\t") + QString::fromLatin1(rect);
}

/// A project of `widthMm` × `heightMm` with the given tree lines, saved in `dir`.
inline QString saveProject(const QDir& dir, const QString& name, double widthMm, double heightMm,
                           const QStringList& treeLines = {})
{
    Quillet::Project project;
    project.settings.SizeName = QStringLiteral("Мой");
    project.settings.PrWidth = widthMm;
    project.settings.PrHeight = heightMm;
    if (!treeLines.isEmpty())
        project.Structure = Quillet::FieldTree::fromText(treeLines.join(QStringLiteral("\r\n")));
    const QString path = dir.filePath(name);
    Quillet::ProjectFile::save(project, path);
    return path;
}

/// A 100 × 80 mm project without fields linked to the workbook file `workbook` (copied
/// from tests/data/workbooks into `dir`) and its sheet `sheet`, pages advancing along
/// rows (`direct` 1) or columns (0); saved in `dir` as `name`.
inline QString saveLinkedProject(const QDir& dir, const QString& name, const QString& workbook,
                                 const QString& sheet, int direct = 1)
{
    const QString copy = dir.filePath(workbook);
    if (!QFile::exists(copy))
        QFile::copy(QuilletTest::dataPath(QStringLiteral("workbooks/") + workbook), copy);
    Quillet::Project project;
    project.settings.SizeName = QStringLiteral("Мой");
    project.settings.PrWidth = 100;
    project.settings.PrHeight = 80;
    project.settings.xlsFile = workbook;
    project.settings.sheet = sheet;
    project.settings.Direct = direct;
    const QString path = dir.filePath(name);
    Quillet::ProjectFile::save(project, path);
    return path;
}

/// Shows the main window `window` (1024 × 700) with the project at `path`, at one view
/// pixel per page pixel, and types `workbook` into the link and leaves it, as a user does.
/// Fails the running test when the window cannot show or load it.
template <class Window>
void showWithWorkbook(Window& window, const QString& path, const QString& workbook)
{
    window.resize(1024, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(path));
    click(window, "OriginalBtn");
    auto* xls = control<QLineEdit>(window, "xlsFile");
    xls->setFocus();
    QTest::keyClicks(xls, workbook);
    QTest::keyClick(xls, Qt::Key_Tab);
}

/// Points the user settings at a scratch file when ctest did not, and empties them.
inline void resetUserSettings(const QString& fallback)
{
    if (qEnvironmentVariableIsEmpty("QUILLET_SETTINGS_FILE"))
        qputenv("QUILLET_SETTINGS_FILE", fallback.toLocal8Bit());
    const QString file = qEnvironmentVariable("QUILLET_SETTINGS_FILE");
    for (const QString& path : {file, Quillet::UserSettings(file).calibrationFile()}) {
        QSettings settings(path, QSettings::IniFormat);
        settings.clear();
        settings.sync();
    }
}

} // namespace WindowDriver
