// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Every panel of the settings column and of the editing area, and the window's two
// toolbars, can be worked without a mouse and read by assistive tools: a button that shows
// only a picture says what it does (tooltip and accessible name), no button is a bare
// symbol a font may lack, and Tab walks the controls in reading order, top to bottom and
// left to right, as the layouts place them; a group of buttons of which one is chosen is
// one stop, and the arrow keys choose inside it.

#include "gui/app/MainWindow.h"

#include "support/WindowDriver.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

using namespace Quillet;
using namespace WindowDriver;

namespace {

// Opens a panel in the window and names the widget that holds it.
using Opener = std::function<QWidget*(TForm1&)>;

QWidget* openEditor(TForm1& window, const char* trigger, const char* panel)
{
    click(window, "BlockBtn");
    click(window, trigger);
    return control<QWidget>(window, panel);
}

QWidget* openShapeTab(TForm1& window, const QString& tab)
{
    QWidget* panel = openEditor(window, "CreateShpField", "ShapeAdd");
    for (QPushButton* button : panel->findChildren<QPushButton*>()) {
        if (button->text() == tab)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    return panel;
}

// The first block of the first field, opened by a double click as a user does.
QWidget* openBlock(TForm1& window)
{
    click(window, "StructureBtn");
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* item = tree->topLevelItem(0)->child(0);
    tree->setCurrentItem(item);
    Q_EMIT tree->itemDoubleClicked(item, 0);
    return control<QWidget>(window, "Coords");
}

QWidget* openDivision(TForm1& window)
{
    click(window, "StructureBtn");
    auto* tree = control<QTreeWidget>(window, "Structure");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    click(window, "DivideBtn");
    return control<QWidget>(window, "Divided");
}

bool takesTab(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The exclusive group `widget` is a button of, or nothing.
QList<QAbstractButton*> exclusiveGroupOf(QWidget* widget)
{
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button == nullptr || !button->isCheckable())
        return {};
    if (button->group() != nullptr && button->group()->exclusive())
        return button->group()->buttons();
    QList<QAbstractButton*> group;
    if (button->autoExclusive()) {
        for (QAbstractButton* sibling :
             button->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
            if (sibling->autoExclusive())
                group.append(sibling);
        }
    }
    return group;
}

// Tab stops once at a group of buttons of which one is down, on the one that is down
// (on the first when none is); the arrow keys move inside the group.
bool standsForItsGroup(QAbstractButton* button, const QList<QAbstractButton*>& group,
                       const QWidgetList& order)
{
    const bool anyDown = std::any_of(group.begin(), group.end(),
                                     [](const QAbstractButton* b) { return b->isChecked(); });
    if (anyDown)
        return button->isChecked();
    return std::none_of(group.begin(), group.end(), [&order](QAbstractButton* b) {
        return order.contains(static_cast<QWidget*>(b));
    });
}

void readWidget(QWidget* widget, QWidgetList& order);

// The layout's items in reading order: a box in its direction, a form row by row with
// the label first, a grid by rows and then columns of each item's top left cell.
void readLayout(QLayout* layout, QWidgetList& order)
{
    struct Placed {
        int row;
        int column;
        QLayoutItem* item;
    };
    std::vector<Placed> items;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        Placed placed{0, i, item};
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(i, &placed.row, &placed.column, &rowSpan, &columnSpan);
        } else if (auto* form = qobject_cast<QFormLayout*>(layout)) {
            QFormLayout::ItemRole role{};
            form->getItemPosition(i, &placed.row, &role);
            placed.column = role == QFormLayout::FieldRole ? 1 : 0;
        } else if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
            const bool backwards = box->direction() == QBoxLayout::RightToLeft
                                   || box->direction() == QBoxLayout::BottomToTop;
            placed.column = backwards ? -i : i;
        }
        items.push_back(placed);
    }
    std::stable_sort(items.begin(), items.end(), [](const Placed& a, const Placed& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    for (const Placed& placed : items) {
        if (QWidget* widget = placed.item->widget())
            readWidget(widget, order);
        else if (QLayout* inner = placed.item->layout())
            readLayout(inner, order);
    }
}

// The controls Tab should stop at inside `widget`, in reading order. A control is one
// stop with whatever it holds (the edit of a spin box or of an editable list).
void readWidget(QWidget* widget, QWidgetList& order)
{
    if (widget->isHidden() || widget->isWindow())
        return;
    if (const QList<QAbstractButton*> group = exclusiveGroupOf(widget); !group.isEmpty()) {
        auto* button = static_cast<QAbstractButton*>(widget);
        if (button->isEnabled() && standsForItsGroup(button, group, order))
            order.append(widget);
        return;
    }
    const bool composite =
        widget->focusProxy() != nullptr && widget->isAncestorOf(widget->focusProxy());
    if (takesTab(widget) && (widget->focusProxy() == nullptr || composite)) {
        if (widget->isEnabled())
            order.append(widget);
        return;
    }
    if (composite)
        return;
    if (widget->layout() != nullptr) {
        readLayout(widget->layout(), order);
        return;
    }
    QWidgetList children;
    for (QObject* child : widget->children()) {
        if (auto* w = qobject_cast<QWidget*>(child))
            children.append(w);
    }
    std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    for (QWidget* child : children)
        readWidget(child, order);
}

// The stop of `order` that holds the focus widget, or null outside them.
QWidget* stopHolding(QWidget* focus, const QWidgetList& order)
{
    for (QWidget* w = focus; w != nullptr; w = w->parentWidget()) {
        if (order.contains(w))
            return w;
    }
    return nullptr;
}

QString names(const QWidgetList& widgets)
{
    QStringList out;
    for (const QWidget* w : widgets) {
        QString name = w ? w->objectName() : QStringLiteral("(outside)");
        if (name.isEmpty()) {
            const auto* button = qobject_cast<const QAbstractButton*>(w);
            name = QStringLiteral("%1 \"%2\"")
                       .arg(QLatin1String(w->metaObject()->className()),
                            button ? button->text() : QString());
        }
        out << name;
    }
    return out.join(QStringLiteral(", "));
}

} // namespace

class KeyboardAccessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void buttonsSayWhatTheyDo_data();
    void buttonsSayWhatTheyDo();
    void tabFollowsReadingOrder_data();
    void tabFollowsReadingOrder();
    void arrowsChooseInsideAGroup_data();
    void arrowsChooseInsideAGroup();

private:
    void addPanels();

    QTemporaryDir m_dir;
    QString m_project;
    std::unique_ptr<TForm1> m_window;
};

void KeyboardAccessTest::initTestCase()
{
    m_project = saveProject(QDir(m_dir.path()), QStringLiteral("form.qlet"), 100, 80,
                            {textField(QStringLiteral("0000"), QStringLiteral("Текст")),
                             block("0010,16 0010,16/0050,29 0020,32")});
}

void KeyboardAccessTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
    m_window = std::make_unique<TForm1>();
    m_window->resize(1024, 700);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(m_window->LoadProject(m_project));
}

void KeyboardAccessTest::cleanup()
{
    m_window.reset();
}

void KeyboardAccessTest::addPanels()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QStringList>("after");
    const QStringList applyButtons{QStringLiteral("OkBtn"), QStringLiteral("CancelBtn")};
    QTest::newRow("settings column")
        << Opener([](TForm1& w) { return control<QWidget>(w, "BasicOptContent"); })
        << QStringList();
    for (const char* toolbar : {"sToolBar2", "sToolBar1"}) {
        QTest::newRow(toolbar) << Opener([toolbar](TForm1& w) {
            return control<QWidget>(w, toolbar);
        }) << QStringList();
    }
    QTest::newRow("text field") << Opener([](TForm1& w) {
        return openEditor(w, "CreateTextField", "TextField");
    }) << applyButtons;
    QTest::newRow("image field") << Opener([](TForm1& w) {
        return openEditor(w, "CreateImgField", "ImgField");
    }) << applyButtons;
    for (const char* tab : {"Линия", "Прямоугольник", "Скругленный", "Круг"}) {
        QTest::newRow(qPrintable(QStringLiteral("shape, %1").arg(QString::fromUtf8(tab))))
            << Opener([tab = QString::fromUtf8(tab)](TForm1& w) { return openShapeTab(w, tab); })
            << applyButtons;
    }
    QTest::newRow("block coordinates") << Opener(openBlock) << applyButtons;
    QTest::newRow("division") << Opener(openDivision) << applyButtons;
    QTest::newRow("rotation") << Opener([](TForm1& w) {
        click(w, "BackBtn");
        click(w, "sSpeedButton3");
        return control<QWidget>(w, "AngleOpt");
    }) << applyButtons;
    QTest::newRow("auto-replace") << Opener([](TForm1& w) {
        return openEditor(w, "ToolButton11", "replace");
    }) << applyButtons;
}

void KeyboardAccessTest::buttonsSayWhatTheyDo_data()
{
    addPanels();
}

void KeyboardAccessTest::buttonsSayWhatTheyDo()
{
    QFETCH(Opener, open);
    QWidget* panel = open(*m_window);
    QApplication::processEvents();
    for (QAbstractButton* button : panel->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(m_window.get()))
            continue;
        const QString name = button->objectName();
        const QList<uint> text = button->text().remove(QLatin1Char('&')).trimmed().toUcs4();
        QVERIFY2(text.size() != 1 || QChar::isLetter(text.first()), qPrintable(name));
        if (!text.isEmpty())
            continue;
        QVERIFY2(!button->icon().isNull(), qPrintable(name));
        QVERIFY2(!button->toolTip().isEmpty(), qPrintable(name));
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(name));
    }
}

void KeyboardAccessTest::tabFollowsReadingOrder_data()
{
    addPanels();
}

void KeyboardAccessTest::tabFollowsReadingOrder()
{
    QFETCH(Opener, open);
    QFETCH(QStringList, after);
    QWidget* panel = open(*m_window);
    QApplication::processEvents();
    QWidgetList expected;
    readWidget(panel, expected);
    for (const QString& name : after)
        expected.append(control<QWidget>(*m_window, name.toLatin1().constData()));
    QVERIFY(expected.size() > 1);
    expected.first()->setFocus(Qt::TabFocusReason);
    QWidgetList walked{stopHolding(QApplication::focusWidget(), expected)};
    while (walked.size() < expected.size() && walked.last() != nullptr) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.append(stopHolding(QApplication::focusWidget(), expected));
    }
    if (walked != expected)
        qDebug().noquote() << "expected:" << names(expected) << "\nwalked:" << names(walked);
    QVERIFY2(
        walked == expected,
        qPrintable(
            QStringLiteral("\nexpected: %1\nwalked:   %2").arg(names(expected), names(walked))));
}

void KeyboardAccessTest::arrowsChooseInsideAGroup_data()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("stop");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("chosen");
    const Opener column = [](TForm1& w) { return control<QWidget>(w, "BasicOptContent"); };
    const Opener text = [](TForm1& w) { return openEditor(w, "CreateTextField", "TextField"); };
    const Opener shape = [](TForm1& w) { return openEditor(w, "CreateShpField", "ShapeAdd"); };
    QTest::newRow("page direction") << column << "DirectItem1" << int(Qt::Key_Up) << "DirectItem0";
    QTest::newRow("background place")
        << column << "AlignCenter" << int(Qt::Key_Right) << "AlignRight";
    QTest::newRow("text alignment") << text << "Algn_L" << int(Qt::Key_Right) << "Algn_C";
    QTest::newRow("fill direction") << text << "topSpline" << int(Qt::Key_Right) << "BottomSpline";
    QTest::newRow("line style") << shape << "SolidLn" << int(Qt::Key_Right) << "ClearLn";
    QTest::newRow("fill style") << shape << "ClearBr" << int(Qt::Key_Left) << "SolidBr";
}

void KeyboardAccessTest::arrowsChooseInsideAGroup()
{
    QFETCH(Opener, open);
    QFETCH(QString, stop);
    QFETCH(int, key);
    QFETCH(QString, chosen);
    open(*m_window);
    auto* first = control<QAbstractButton>(*m_window, stop.toLatin1().constData());
    QVERIFY(first->isChecked());
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key(key));
    auto* next = control<QAbstractButton>(*m_window, chosen.toLatin1().constData());
    QCOMPARE(QApplication::focusWidget(), next);
    QVERIFY(next->isChecked());
    // Tab now comes back to the group at the button chosen last.
    QVERIFY(next->focusPolicy() & Qt::TabFocus);
    QVERIFY(!(first->focusPolicy() & Qt::TabFocus));
}

QTEST_MAIN(KeyboardAccessTest)
#include "KeyboardAccessTest.moc"
