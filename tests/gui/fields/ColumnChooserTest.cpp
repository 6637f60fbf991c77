// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// "Столбец…" in the text field panel, driven through the window with a real workbook
// linked: the chosen column's reference lands in `Text`, and without a sheet to choose
// from one message says why.

#include "gui/app/MainWindow.h"

#include "support/WindowDriver.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;
using namespace WindowDriver;

namespace {

// Highlights the entry whose caption starts with `caption` and takes it with "Выбрать".
DialogScript::Step chooseEntry(const QString& caption)
{
    return [caption](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("ColumnChooser"));
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("ColumnList"));
        QVERIFY(list != nullptr);
        QListWidgetItem* entry = nullptr;
        for (int row = 0; row < list->count() && entry == nullptr; ++row) {
            if (list->item(row)->text().startsWith(caption))
                entry = list->item(row);
        }
        QVERIFY2(entry != nullptr, qPrintable(caption));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(entry).center());
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QVERIFY(buttons != nullptr);
        QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Выбрать"));
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    };
}

} // namespace

class ColumnChooserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void chosenColumnGoesIntoText_data();
    void chosenColumnGoesIntoText();
    void nothingToChooseSaysWhy_data();
    void nothingToChooseSaysWhy();
    void emptyTextShowsTheHint();

private:
    QTemporaryDir m_dir;
};

void ColumnChooserTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void ColumnChooserTest::chosenColumnGoesIntoText_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("direct");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("pages");
    QTest::newRow("pages along rows: a column") << "Реестр" << 1 << "C — Сумма — "
                                                << "=C2:C31" << 30;
    QTest::newRow("pages along columns: a row") << "Поперёк" << 0 << "3 — Сумма — "
                                                << "=B3:K3" << 10;
}

void ColumnChooserTest::chosenColumnGoesIntoText()
{
    QFETCH(QString, sheet);
    QFETCH(int, direct);
    QFETCH(QString, caption);
    QFETCH(QString, reference);
    QFETCH(int, pages);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(saveLinkedProject(QDir(m_dir.path()), QStringLiteral("a.qlet"),
                                                 QStringLiteral("series.xlsx"), sheet, direct)));
    click(window, "CreateTextField");
    auto* text = control<QLineEdit>(window, "Text");
    QCOMPARE(text->text(), QStringLiteral("Text"));

    DialogScript script({chooseEntry(caption)});
    click(window, "ColumnBtn");
    QTRY_VERIFY(script.finished());
    QCOMPARE(text->text(), reference);
    // What the button wrote is what the field stores, and it counts the pages.
    click(window, "OkBtn");
    QVERIFY(window.document().project.Structure.fields[0].text.startsWith(QStringLiteral("0000")
                                                                          + reference + QChar(8)));
    QCOMPARE(control<QSpinBox>(window, "PageN")->maximum(), pages);
}

void ColumnChooserTest::nothingToChooseSaysWhy_data()
{
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("message");
    QTest::newRow("no workbook linked") << QString() << QString() << "Книга Excel не открыта";
    QTest::newRow("no such sheet") << "series.xlsx"
                                   << "Лист9"
                                   << "В книге нет листа «Лист9».";
}

void ColumnChooserTest::nothingToChooseSaysWhy()
{
    QFETCH(QString, workbook);
    QFETCH(QString, sheet);
    QFETCH(QString, message);
    const QDir dir(m_dir.path());
    const QString project = workbook.isEmpty()
                                ? saveProject(dir, QStringLiteral("b.qlet"), 100, 80)
                                : saveLinkedProject(dir, QStringLiteral("b.qlet"), workbook, sheet);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(project));
    click(window, "CreateTextField");
    auto* text = control<QLineEdit>(window, "Text");
    const QString before = text->text();

    DialogScript script({press(QMessageBox::Ok)});
    click(window, "ColumnBtn");
    QTRY_VERIFY(script.finished());
    QCOMPARE(script.seen.size(), 1);
    QVERIFY2(script.seen.first().contains(message), qPrintable(script.seen.first()));
    QCOMPARE(text->text(), before);
}

void ColumnChooserTest::emptyTextShowsTheHint()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("c.qlet"), 100, 80)));
    click(window, "CreateTextField");
    // The field's look is as large as `Text` shows; the hint must still fit when empty.
    typeInto(window, "Size", QStringLiteral("40"));
    auto* text = control<QLineEdit>(window, "Text");
    text->setFocus();
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Backspace);
    const QString hint = QStringLiteral("Текст или =A2:A31 — ссылка на ячейки");
    QCOMPARE(text->placeholderText(), hint);
    QVERIFY(text->text().isEmpty());
    const int room = text->contentsRect().width()
                     - 2 * text->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
    QVERIFY2(
        text->fontMetrics().horizontalAdvance(hint) <= room,
        qPrintable(
            QStringLiteral("%1 > %2").arg(text->fontMetrics().horizontalAdvance(hint)).arg(room)));
    // Typing brings the field's look back.
    QTest::keyClicks(text, QStringLiteral("x"));
    QVERIFY(text->font().pointSize() > window.font().pointSize());
}

QTEST_MAIN(ColumnChooserTest)
#include "ColumnChooserTest.moc"
