// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The spell check of a text field driven through the window: `sBitBtn2`, the spelling
// dialog's answers with the installed Russian and English dictionaries, and what comes
// back into `Text` and the field.

#include "core/text/SpellCheck.h"
#include "core/text/SpellDictionaries.h"
#include "gui/app/MainWindow.h"
#include "gui/fields/SpellDialog.h"

#include "support/WindowDriver.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

namespace {

const QString Misspelt = QStringLiteral("Спасибо за заполнеие, друк! Hello");

// The characters the dialog marks as the unknown word.
QString highlighted(QWidget& dialog)
{
    QString marked;
    const QTextDocument* document = control<QTextEdit>(dialog, "context")->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().fontWeight() == QFont::Bold)
                marked += fragment.fragment().text();
        }
    }
    return marked;
}

QString status(QWidget& dialog)
{
    return control<QLabel>(dialog, "status")->text();
}

// A double click on the first field opens it in the editing area.
void editField(QWidget& window)
{
    auto* tree = control<QTreeWidget>(window, "Structure");
    tree->setCurrentItem(tree->topLevelItem(0));
    Q_EMIT tree->itemDoubleClicked(tree->topLevelItem(0), 0);
}

// Runs `answers` on the spelling dialog that `sBitBtn2` opens.
void checkSpelling(TForm1& window, const std::function<void(QWidget&)>& answers)
{
    bool answered = false;
    DialogScript script({[&](QWidget* modal) {
        QVERIFY(qobject_cast<SpellDialog*>(modal) != nullptr);
        QCOMPARE(modal->windowTitle(), QStringLiteral("Орфография"));
        // Nothing runs outside the program: the window stays where it is.
        QVERIFY(!window.isMinimized());
        answers(*modal);
        answered = true;
        // A failed comparison leaves the answers early: the dialog must not stay open.
        if (modal->isVisible())
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    }});
    click(window, "sBitBtn2");
    QTRY_VERIFY(script.finished());
    QVERIFY(answered);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
}

} // namespace

class SpellDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void answersComeBackOnlyWhenDone();
    void noDictionaryGivesOneMessage();
    void brokenDictionaryIsReportedInTheDialog();

private:
    void openTextField(TForm1& window, const QString& fieldText);

    QTemporaryDir m_dir;
    QString m_personal;
};

void SpellDialogTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_personal = m_dir.filePath(QStringLiteral("config/personal.dic"));
    qputenv("QUILLET_PERSONAL_DICTIONARY", m_personal.toLocal8Bit());
}

void SpellDialogTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
    QFile::remove(m_personal);
    qunsetenv("QUILLET_DICTIONARY_PATH");
}

void SpellDialogTest::openTextField(TForm1& window, const QString& fieldText)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("spell.qlet"), 100,
                                           80, {textField(QStringLiteral("0000"), fieldText)})));
    editField(window);
    QCOMPARE(control<QLineEdit>(window, "Text")->text(), fieldText);
}

void SpellDialogTest::answersComeBackOnlyWhenDone()
{
    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP("the program is built without Hunspell (libhunspell-dev was not found)");
    QStringList names;
    for (const SpellDictionary& dictionary : installedSpellDictionaries())
        names.append(dictionary.name);
    if (!names.contains(QStringLiteral("ru_RU")) || !names.contains(QStringLiteral("en_US")))
        QSKIP("the Russian and English Hunspell dictionaries are not installed");

    TForm1 window;
    openTextField(window, QStringLiteral("Text"));
    auto* text = control<QLineEdit>(window, "Text");
    text->selectAll();
    for (const QChar c : Misspelt)
        pressKey(text, c.unicode());

    // Corrections made and then cancelled leave `Text` as it was.
    checkSpelling(window, [](QWidget& dialog) {
        QCOMPARE(control<QComboBox>(dialog, "dictionary")->currentData().toString(),
                 QStringLiteral("ru_RU"));
        click(dialog, "replaceAllBtn");
        click(dialog, "skipAllBtn");
        QCOMPARE(highlighted(dialog), QStringLiteral("Hello"));
        click(dialog, "cancelBtn");
    });
    QCOMPARE(text->text(), Misspelt);

    checkSpelling(window, [](QWidget& dialog) {
        QCOMPARE(status(dialog), QStringLiteral("Нет в словаре:"));
        QCOMPARE(highlighted(dialog), QStringLiteral("заполнеие"));
        auto* suggestions = control<QListWidget>(dialog, "suggestions");
        QList<QListWidgetItem*> found =
            suggestions->findItems(QStringLiteral("заполнение"), Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        QTest::mouseClick(suggestions->viewport(), Qt::LeftButton, {},
                          suggestions->visualItemRect(found.first()).center());
        auto* replacement = control<QLineEdit>(dialog, "replacement");
        QCOMPARE(replacement->text(), QStringLiteral("заполнение"));
        // Return in the edit answers the word shown, and only that one.
        QTest::keyClick(replacement, Qt::Key_Return);
        QCOMPARE(highlighted(dialog), QStringLiteral("друк"));
        click(dialog, "skipBtn");
        QCOMPARE(highlighted(dialog), QStringLiteral("Hello"));
        click(dialog, "addBtn");
        QCOMPARE(status(dialog), QStringLiteral("Проверка завершена."));
        QVERIFY(!control<QPushButton>(dialog, "replaceBtn")->isEnabled());
        click(dialog, "doneBtn");
    });
    const QString corrected = QStringLiteral("Спасибо за заполнение, друк! Hello");
    QCOMPARE(text->text(), corrected);
    QCOMPARE(QuilletTest::readFile(m_personal), QByteArray("Hello\n"));
    // The corrections are an edit of `Text` like any other: its own undo and redo (the
    // context menu's) take them back and forth, and they reach the field on OK.
    text->undo();
    QCOMPARE(text->text(), Misspelt);
    text->redo();
    QCOMPARE(text->text(), corrected);
    click(window, "OkBtn");
    QVERIFY(window.document().project.Structure.fields.at(0).text.startsWith(
        QStringLiteral("0000") + corrected + QChar(8)));

    // The added word is known from now on; another dictionary checks from the start.
    editField(window);
    QCOMPARE(text->text(), corrected);
    checkSpelling(window, [](QWidget& dialog) {
        QCOMPARE(highlighted(dialog), QStringLiteral("друк"));
        auto* dictionaries = control<QComboBox>(dialog, "dictionary");
        dictionaries->setCurrentIndex(dictionaries->findData(QStringLiteral("en_US")));
        QCOMPARE(highlighted(dialog), QStringLiteral("Спасибо"));
        click(dialog, "skipAllBtn");
        click(dialog, "skipAllBtn");
        click(dialog, "skipAllBtn");
        QCOMPARE(highlighted(dialog), QStringLiteral("друк"));
        click(dialog, "skipBtn");
        QCOMPARE(status(dialog), QStringLiteral("Проверка завершена."));
        click(dialog, "doneBtn");
    });
    QCOMPARE(text->text(), corrected);
}

void SpellDialogTest::noDictionaryGivesOneMessage()
{
    const QString empty = m_dir.filePath(QStringLiteral("no-dictionaries"));
    QVERIFY(QDir().mkpath(empty));
    qputenv("QUILLET_DICTIONARY_PATH", empty.toLocal8Bit());
    TForm1 window;
    openTextField(window, QStringLiteral("карова"));
    DialogScript script({press(QMessageBox::Ok)});
    click(window, "sBitBtn2");
    QTRY_VERIFY(script.finished());
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(script.seen.size(), 1);
    QVERIFY2(script.seen.first().startsWith(
                 QStringLiteral("Орфография|Не найден ни один словарь для проверки орфографии")),
             qPrintable(script.seen.first()));
    QCOMPARE(control<QLineEdit>(window, "Text")->text(), QStringLiteral("карова"));
}

void SpellDialogTest::brokenDictionaryIsReportedInTheDialog()
{
    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP("the program is built without Hunspell (libhunspell-dev was not found)");
    const QDir folder(m_dir.filePath(QStringLiteral("broken")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (const auto& [name, bytes] :
         {std::pair{"xx_XX.aff", "SET NO-SUCH-CODE\n"}, {"xx_XX.dic", "1\nword\n"}}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) > 0);
    }
    qputenv("QUILLET_DICTIONARY_PATH", folder.path().toLocal8Bit());
    TForm1 window;
    openTextField(window, QStringLiteral("карова"));
    // The message comes over the dialog as soon as it shows; once it is answered the
    // dialog stays up without a dictionary.
    QStringList boxes;
    QString shownStatus;
    QTimer poll;
    QPointer<QWidget> answered;
    connect(&poll, &QTimer::timeout, &window, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == answered)
            return;
        answered = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.append(box->text());
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        } else if (qobject_cast<SpellDialog*>(modal) != nullptr && !boxes.isEmpty()) {
            shownStatus = status(*modal);
            QVERIFY(!control<QPushButton>(*modal, "skipBtn")->isEnabled());
            QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
        }
    });
    poll.start(5);
    click(window, "sBitBtn2");
    poll.stop();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().contains(QStringLiteral("в неизвестной кодировке")),
             qPrintable(boxes.first()));
    QCOMPARE(shownStatus, QStringLiteral("Словарь не загружен."));
    QCOMPARE(control<QLineEdit>(window, "Text")->text(), QStringLiteral("карова"));
}

QTEST_MAIN(SpellDialogTest)
#include "SpellDialogTest.moc"
