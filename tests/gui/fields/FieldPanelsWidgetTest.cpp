// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The field editor panels against their value structs: what refresh shows, and what user
// clicks and keys write back (through the panel rules where a control has one).

#include "support/WindowDriver.h"

#include "gui/fields/CoordsPanel.h"
#include "gui/fields/DividePanel.h"
#include "gui/fields/ImageFieldPanel.h"
#include "gui/fields/PanelControls.h"
#include "gui/fields/ShapePanel.h"
#include "gui/fields/TextFieldPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Quillet;
using namespace WindowDriver;

class FieldPanelsWidgetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void textPanelShowsValues();
    void textPanelEditsValues();
    void combBoxEnablesItsOptions_data();
    void combBoxEnablesItsOptions();
    void blockRadioShowsStoredCode_data();
    void blockRadioShowsStoredCode();
    void colorButtonWritesTheChosenColour();
    void imagePanelShowsValuesAndPreview();
    void transparencyModeEnablesItsControls_data();
    void transparencyModeEnablesItsControls();
    void copyModeSetsBackground_data();
    void copyModeSetsBackground();
    void browsedPictureIsStoredRelative();
    void shapePanelShowsValues();
    void shapeClicksRunTheRules();
    void shapeSampleFollowsFill();
    void blockPanelsBindTheirEdits();

private:
    QTemporaryDir m_dir;
};

namespace {

QAbstractButton* buttonWithText(QWidget& panel, const QString& text)
{
    for (QAbstractButton* button : panel.findChildren<QAbstractButton*>()) {
        if (button->text() == text)
            return button;
    }
    qFatal("no button %s", qPrintable(text));
    return nullptr;
}

void clickButton(QWidget& panel, const char* name)
{
    QTest::mouseClick(control<QAbstractButton>(panel, name), Qt::LeftButton);
}

// The names of the checked buttons among `names`, in order.
QStringList checkedAmong(QWidget& panel, const QStringList& names)
{
    QStringList checked;
    for (const QString& name : names) {
        if (control<QAbstractButton>(panel, qPrintable(name))->isChecked())
            checked.append(name);
    }
    return checked;
}

const QStringList kAlignButtons{"Algn_L", "Algn_C", "Algn_R", "Algn_T", "Algn_M", "Algn_B"};

void replaceText(QWidget* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

QPixmap grabbed(QWidget& widget)
{
    widget.show();
    return widget.grab();
}

} // namespace

void FieldPanelsWidgetTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
}

void FieldPanelsWidgetTest::textPanelShowsValues()
{
    TextPanelValues values;
    TextFieldPanel panel(values);
    QVERIFY(!values.fontName.isEmpty());
    auto* fonts = control<QListWidget>(panel, "sFontListBox1");
    if (fonts->count() == 0)
        QSKIP("no scalable fonts are installed, the font list is empty");
    const QString family = fonts->item(fonts->count() - 1)->text();

    values.Text = QStringLiteral("=B2:B50");
    values.AutoReplace = true;
    values.MaxCram = 9;
    values.AlignCodes = {5, 0, 7};
    values.selectBlock(BlockFirst);
    values.bottomUp = true;
    values.Transperent = false;
    values.FonColor = 0x00FFFF;  // yellow
    values.FontColor = 0x800000; // navy
    values.Boldchk = true;
    values.Size = 36;
    values.fontName = family.toLower();
    QSignalSpy changed(&panel, &TextFieldPanel::valuesChanged);
    panel.refresh();
    QCOMPARE(changed.count(), 0);

    auto* text = control<QLineEdit>(panel, "Text");
    QCOMPARE(text->text(), values.Text);
    QVERIFY(control<QCheckBox>(panel, "AutoReplace")->isChecked());
    QCOMPARE(control<QSpinBox>(panel, "MaxCram")->value(), 9);
    QCOMPARE(checkedAmong(panel, kAlignButtons), (QStringList{"Algn_R", "Algn_M"}));
    QVERIFY(control<QToolButton>(panel, "BottomSpline")->isChecked());
    QVERIFY(!control<QToolButton>(panel, "topSpline")->isChecked());
    QVERIFY(!control<QCheckBox>(panel, "Transperent")->isChecked());
    QVERIFY(control<QCheckBox>(panel, "Boldchk")->isChecked());
    QCOMPARE(control<QSpinBox>(panel, "Size")->value(), 36);
    QCOMPARE(control<ColorButton>(panel, "FonColor")->bgr(), 0x00FFFF);
    QCOMPARE(fonts->currentItem()->text(), family);
    // `Text` wears the field's look.
    QCOMPARE(text->font().family(), values.fontName);
    QVERIFY(text->font().bold());
    QCOMPARE(text->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(text->palette().color(QPalette::Text), QColor(0, 0, 0x80));
    QVERIFY(control<QToolButton>(panel, "sBitBtn2")->isEnabled());
}

void FieldPanelsWidgetTest::textPanelEditsValues()
{
    TextPanelValues values;
    TextFieldPanel panel(values);
    QSignalSpy changed(&panel, &TextFieldPanel::valuesChanged);

    replaceText(control<QLineEdit>(panel, "Text"), QStringLiteral("=C7"));
    QCOMPARE(values.Text, QStringLiteral("=C7"));
    clickButton(panel, "IncChk");
    QVERIFY(values.IncChk);
    QVERIFY(control<QLineEdit>(panel, "Text")->font().italic());
    auto* cram = control<QSpinBox>(panel, "MaxCram");
    cram->setFocus();
    QTest::keyClick(cram, Qt::Key_Up);
    QCOMPARE(values.MaxCram, 1);
    replaceText(control<QSpinBox>(panel, "Size"), QStringLiteral("1000"));
    QCOMPARE(values.Size, 100); // the last digit does not fit 4–999
    clickButton(panel, "BottomSpline");
    QVERIFY(values.bottomUp);
    clickButton(panel, "CombChk");
    replaceText(control<QLineEdit>(panel, "CombSkip"), QStringLiteral(". /"));
    clickButton(panel, "CombDash");
    QVERIFY(values.Comb && values.CombDash);
    QCOMPARE(values.CombSkip, QStringLiteral(". /"));

    // An alignment button stores its code in the entry the radio group chose.
    QTest::mouseClick(buttonWithText(panel, QStringLiteral("основной")), Qt::LeftButton);
    clickButton(panel, "Algn_B");
    clickButton(panel, "Algn_C");
    QCOMPARE(values.AlignCodes, (std::array<int, 3>{3, 7, 3}));

    auto* fonts = control<QListWidget>(panel, "sFontListBox1");
    if (fonts->count() > 0) {
        QListWidgetItem* item = fonts->item(0);
        QTest::mouseClick(fonts->viewport(), Qt::LeftButton, {},
                          fonts->visualItemRect(item).center());
        QCOMPARE(values.fontName, item->text());
        QCOMPARE(control<QLineEdit>(panel, "Text")->font().family(), item->text());
    }
    QVERIFY(changed.count() >= 10);
}

// The characters to skip and the dash belong to a comb field: they are open to edits
// only while "По одному знаку в блок" is ticked, and keep their values while it is not.
void FieldPanelsWidgetTest::combBoxEnablesItsOptions_data()
{
    QTest::addColumn<bool>("comb");
    QTest::newRow("ticked") << true;
    QTest::newRow("cleared") << false;
}

void FieldPanelsWidgetTest::combBoxEnablesItsOptions()
{
    QFETCH(bool, comb);
    TextPanelValues values;
    values.Comb = !comb;
    values.CombSkip = QStringLiteral(".");
    values.CombDash = true;
    TextFieldPanel panel(values);
    auto* skip = control<QLineEdit>(panel, "CombSkip");
    auto* dash = control<QCheckBox>(panel, "CombDash");
    QCOMPARE(skip->isEnabled(), !comb);
    clickButton(panel, "CombChk");
    QCOMPARE(values.Comb, comb);
    QCOMPARE(skip->isEnabled(), comb);
    QCOMPARE(dash->isEnabled(), comb);
    QCOMPARE(values.CombSkip, QStringLiteral("."));
    QCOMPARE(skip->text(), values.CombSkip);
    QVERIFY(values.CombDash && dash->isChecked());

    // refresh shows the state from the values alone.
    values.Comb = !comb;
    panel.refresh();
    QCOMPARE(control<QCheckBox>(panel, "CombChk")->isChecked(), !comb);
    QCOMPARE(skip->isEnabled(), !comb);
    QCOMPARE(dash->isEnabled(), !comb);
}

void FieldPanelsWidgetTest::blockRadioShowsStoredCode_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("first, left top") << 0 << 0 << QStringList{"Algn_L", "Algn_T"};
    QTest::newRow("main, centre middle") << 1 << 4 << QStringList{"Algn_C", "Algn_M"};
    QTest::newRow("last, right bottom") << 2 << 8 << QStringList{"Algn_R", "Algn_B"};
    // A code above 8 changes only the horizontal button; the vertical one stays as the
    // first block's code left it (middle).
    QTest::newRow("last, code 9") << 2 << 9 << QStringList{"Algn_L", "Algn_M"};
}

void FieldPanelsWidgetTest::blockRadioShowsStoredCode()
{
    QFETCH(int, kind);
    QFETCH(int, code);
    QFETCH(QStringList, checked);
    TextPanelValues values;
    values.AlignCodes = {3, 3, 3};
    values.AlignCodes[size_t(kind)] = code;
    TextFieldPanel panel(values);
    const QStringList kinds{"первый", "основной", "последний"};
    QTest::mouseClick(buttonWithText(panel, kinds[kind == 0 ? 1 : 0]), Qt::LeftButton);
    QTest::mouseClick(buttonWithText(panel, kinds[kind]), Qt::LeftButton);
    QCOMPARE(values.block, kind);
    QCOMPARE(checkedAmong(panel, kAlignButtons), checked);
}

void FieldPanelsWidgetTest::colorButtonWritesTheChosenColour()
{
    TextPanelValues values;
    TextFieldPanel panel(values);
    panel.show();
    DialogScript script({[](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->currentColor(), QColor(Qt::white));
        dialog->setCurrentColor(QColor(0x11, 0x22, 0x33));
        dialog->accept();
    }});
    clickButton(panel, "FonColor");
    QVERIFY(script.finished());
    QCOMPARE(values.FonColor, 0x332211);
    QCOMPARE(control<ColorButton>(panel, "FonColor")->bgr(), 0x332211);
    QCOMPARE(control<QLineEdit>(panel, "Text")->palette().color(QPalette::Base),
             QColor(0x11, 0x22, 0x33));
}

void FieldPanelsWidgetTest::imagePanelShowsValuesAndPreview()
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(m_dir.filePath(QStringLiteral("logo.png"))));
    QFile broken(m_dir.filePath(QStringLiteral("broken.png")));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
    broken.close();

    ImagePanelValues values;
    values.ImgFieldName = QStringLiteral("logo.png");
    values.keeprate = true;
    values.TransFon = false;
    values.transperentImg = TransparencyPixel;
    values.C_X = 12;
    values.C_Y = 9999;
    values.CopyMode = 3;
    values.AlfaBlend = 128;
    const QString project = m_dir.filePath(QStringLiteral("forms.qlet"));
    ImageFieldPanel panel(values, [project] { return project; });
    QSignalSpy changed(&panel, &ImageFieldPanel::valuesChanged);
    panel.refresh();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(control<QLineEdit>(panel, "ImgFieldName")->text(), values.ImgFieldName);
    QVERIFY(control<QCheckBox>(panel, "keeprate")->isChecked());
    QVERIFY(!control<QCheckBox>(panel, "stretch")->isChecked());
    QVERIFY(!control<QCheckBox>(panel, "TransFon")->isChecked());
    QCOMPARE(control<QSpinBox>(panel, "C_Y")->value(), 9999);
    QCOMPARE(control<QComboBox>(panel, "CopyMode")->currentText(),
             QStringLiteral("Инверсия (Xor)"));
    QCOMPARE(control<QSlider>(panel, "AlfaBlend")->value(), 128);
    auto* preview = control<PicturePreview>(panel, "DXPaintBox1");
    QCOMPARE(preview->size(), QSize(114, 114));
    QCOMPARE(preview->pictureSize(), QSize(40, 20));

    // Typing a name reloads the preview; a file that does not decode empties it quietly.
    auto* name = control<QLineEdit>(panel, "ImgFieldName");
    replaceText(name, QStringLiteral("broken.png"));
    QCOMPARE(values.ImgFieldName, QStringLiteral("broken.png"));
    QVERIFY(!preview->hasPicture());
    replaceText(name, m_dir.filePath(QStringLiteral("logo.png")));
    QVERIFY(preview->hasPicture());
    QCOMPARE(name->maxLength(), 255);

    auto* opacity = control<QSlider>(panel, "AlfaBlend");
    opacity->setFocus();
    QTest::keyClick(opacity, Qt::Key_Home);
    QCOMPARE(values.AlfaBlend, 0);
    clickButton(panel, "CenterImg");
    QVERIFY(values.CenterImg);
}

void FieldPanelsWidgetTest::transparencyModeEnablesItsControls_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("pixelEnabled");
    QTest::addColumn<bool>("colorEnabled");
    QTest::newRow("none") << 0 << false << false;
    QTest::newRow("pixel") << 1 << true << false;
    QTest::newRow("colour") << 2 << false << true;
}

void FieldPanelsWidgetTest::transparencyModeEnablesItsControls()
{
    QFETCH(int, mode);
    QFETCH(bool, pixelEnabled);
    QFETCH(bool, colorEnabled);
    ImagePanelValues values;
    values.transperentImg = (mode + 1) % 3;
    ImageFieldPanel panel(values, [] { return QString(); });
    const QStringList captions{"Без прозрачности", "цвет по координатам", "выбрать цвет"};
    QTest::mouseClick(buttonWithText(panel, captions[mode]), Qt::LeftButton);
    QCOMPARE(values.transperentImg, mode);
    QCOMPARE(control<QSpinBox>(panel, "C_X")->isEnabled(), pixelEnabled);
    QCOMPARE(control<QSpinBox>(panel, "C_Y")->isEnabled(), pixelEnabled);
    QCOMPARE(control<ColorButton>(panel, "Trans_color")->isEnabled(), colorEnabled);

    // refresh shows the same state from the values alone.
    values.transperentImg = (mode + 2) % 3;
    panel.refresh();
    QCOMPARE(control<QSpinBox>(panel, "C_X")->isEnabled(), values.pixelEditsEnabled());
    QCOMPARE(control<ColorButton>(panel, "Trans_color")->isEnabled(), values.colorPanelEnabled());
}

void FieldPanelsWidgetTest::copyModeSetsBackground_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("background");
    const int kept = 0x123456;
    QTest::newRow("copy keeps it") << QStringLiteral("Копирование") << 0 << kept;
    QTest::newRow("and: white") << QStringLiteral("Затемнение (And) ") << 1 << ColorWhite;
    QTest::newRow("or: black") << QStringLiteral("Осветление (Or)") << 2 << ColorBlack;
    QTest::newRow("xor: black") << QStringLiteral("Инверсия (Xor)") << 3 << ColorBlack;
}

void FieldPanelsWidgetTest::copyModeSetsBackground()
{
    QFETCH(QString, choice);
    QFETCH(int, mode);
    QFETCH(int, background);
    ImagePanelValues values;
    values.FonImgColor = 0x123456;
    values.CopyMode = (mode + 1) % 4;
    ImageFieldPanel panel(values, [] { return QString(); });
    panel.show();
    auto* combo = control<QComboBox>(panel, "CopyMode");
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex item = list->model()->index(combo->findText(choice), 0);
    QVERIFY(item.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    QCOMPARE(values.CopyMode, mode);
    QCOMPARE(values.FonImgColor, background);
    QCOMPARE(control<ColorButton>(panel, "FonImgColor")->bgr(), background);
}

void FieldPanelsWidgetTest::browsedPictureIsStoredRelative()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("pictures"));
    const QString chosen = m_dir.filePath(QStringLiteral("pictures/stamp.png"));
    QImage stamp(8, 8, QImage::Format_RGB32);
    stamp.fill(Qt::blue);
    QVERIFY(stamp.save(chosen));
    ImagePanelValues values;
    const QString project = m_dir.filePath(QStringLiteral("forms.qlet"));
    ImageFieldPanel panel(values, [project] { return project; });
    panel.show();
    QSignalSpy changed(&panel, &ImageFieldPanel::valuesChanged);
    DialogScript script({chooseFile(chosen)});
    clickButton(panel, "ImgFieldNameButton");
    QVERIFY(script.finished());
    QCOMPARE(values.ImgFieldName, QStringLiteral("pictures/stamp.png"));
    QCOMPARE(control<QLineEdit>(panel, "ImgFieldName")->text(), values.ImgFieldName);
    QCOMPARE(control<PicturePreview>(panel, "DXPaintBox1")->pictureSize(), QSize(8, 8));
    QCOMPARE(changed.count(), 1);
}

void FieldPanelsWidgetTest::shapePanelShowsValues()
{
    ShapePanelValues values;
    values.setShapeType(ShapeTabEllipse);
    values.StartAngl = 90;
    values.FinishAngl = 270.5;
    values.Radius = 99.99;
    values.pressLineStyle(DashDotLn);
    values.pressFillStyle(FDiagBr);
    values.direction = LnBkSlsh;
    values.ColorLn = 0x0000FF;
    ShapePanel panel(values);
    QSignalSpy changed(&panel, &ShapePanel::valuesChanged);
    panel.refresh();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(control<QStackedWidget>(panel, "ShapeType")->currentIndex(), ShapeTabEllipse);
    QVERIFY(buttonWithText(panel, QStringLiteral("Круг"))->isChecked());
    QCOMPARE(control<QDoubleSpinBox>(panel, "FinishAngl")->text(), QStringLiteral("270,50"));
    QCOMPARE(control<QDoubleSpinBox>(panel, "Radius")->value(), 99.99);
    QVERIFY(control<QToolButton>(panel, "DashDotLn")->isChecked());
    QVERIFY(control<QToolButton>(panel, "FDiagBr")->isChecked());
    QVERIFY(control<QToolButton>(panel, "LnBkSlsh")->isChecked());
    auto* width = control<QDoubleSpinBox>(panel, "SizeLn");
    QVERIFY(!width->isEnabled());
    QCOMPARE(width->text(), QStringLiteral("0,01"));
    QCOMPARE(control<ColorButton>(panel, "ColorLn")->bgr(), 0x0000FF);

    // No button down (a digit the editor does not know) shows every button up.
    values.pressLineStyle(-1);
    panel.refresh();
    for (const char* name : {"SolidLn", "ClearLn", "DashLn", "DashDotLn", "DotLn"})
        QVERIFY2(!control<QToolButton>(panel, name)->isChecked(), name);
}

void FieldPanelsWidgetTest::shapeClicksRunTheRules()
{
    ShapePanelValues values;
    values.setShapeType(ShapeTabRectangle);
    values.pressFillStyle(SolidBr);
    ShapePanel panel(values);
    QSignalSpy changed(&panel, &ShapePanel::valuesChanged);
    auto* width = control<QDoubleSpinBox>(panel, "SizeLn");
    replaceText(width, QStringLiteral("1,5"));
    QCOMPARE(values.SizeLn, 1.5);

    clickButton(panel, "DashLn");
    QCOMPARE(values.lineStyle, DashLn);
    QVERIFY(!width->isEnabled());
    QCOMPARE(width->text(), QStringLiteral("0,01"));
    clickButton(panel, "SolidLn");
    QVERIFY(width->isEnabled());

    QTest::mouseClick(buttonWithText(panel, QStringLiteral("Линия")), Qt::LeftButton);
    QCOMPARE(values.ShapeType, ShapeTabLine);
    QCOMPARE(control<QStackedWidget>(panel, "ShapeType")->currentIndex(), ShapeTabLine);
    QCOMPARE(values.fillStyle, ClearBr);
    QVERIFY(control<QToolButton>(panel, "ClearBr")->isChecked());
    clickButton(panel, "LnRight");
    QCOMPARE(values.direction, LnRight);

    QTest::mouseClick(buttonWithText(panel, QStringLiteral("Скругленный")), Qt::LeftButton);
    auto* radius = control<QDoubleSpinBox>(panel, "Radius");
    radius->setFocus();
    QTest::keyClick(radius, Qt::Key_Up);
    QCOMPARE(values.Radius, 3.25);
    clickButton(panel, "HorizontBr");
    QCOMPARE(values.fillStyle, HorizontBr);
    QVERIFY(changed.count() >= 7);
}

void FieldPanelsWidgetTest::shapeSampleFollowsFill()
{
    ShapePanelValues values;
    values.setShapeType(ShapeTabRectangle);
    values.ColorBr = 0x0000FF; // red
    ShapePanel panel(values);
    auto* sample = control<ShapeSample>(panel, "Shape1");
    QCOMPARE(sample->size(), QSize(166, 50));
    panel.show();
    const QColor empty = sample->grab().toImage().pixelColor(83, 25);
    clickButton(panel, "SolidBr");
    QCOMPARE(grabbed(*sample).toImage().pixelColor(83, 25), QColor(Qt::red));
    // The sample mirrors the page's diagonal: BDiagBr shows lines falling to the right,
    // so the pixels one step right and down from a lit one are lit too.
    clickButton(panel, "BDiagBr");
    const QImage hatch = grabbed(*sample).toImage();
    int litPairs = 0;
    for (int x = 40; x < 120; ++x)
        litPairs += hatch.pixelColor(x, 20) == Qt::red && hatch.pixelColor(x + 1, 21) == Qt::red;
    QVERIFY(litPairs > 5);
    clickButton(panel, "ClearBr");
    QCOMPARE(grabbed(*sample).toImage().pixelColor(83, 25), empty);
}

void FieldPanelsWidgetTest::blockPanelsBindTheirEdits()
{
    CoordsValues coords{12.7, 25.4, 50.8, 30.48};
    CoordsPanel coordsPanel(coords);
    QSignalSpy coordsChanged(&coordsPanel, &CoordsPanel::valuesChanged);
    coordsPanel.refresh();
    QCOMPARE(control<QDoubleSpinBox>(coordsPanel, "Min_x")->text(), QStringLiteral("12,70"));
    QCOMPARE(control<QDoubleSpinBox>(coordsPanel, "max_y")->value(), 30.48);
    QCOMPARE(coordsChanged.count(), 0);
    replaceText(control<QDoubleSpinBox>(coordsPanel, "max_x"), QStringLiteral("60,96"));
    QCOMPARE(coords.max_x, 60.96);
    auto* minY = control<QDoubleSpinBox>(coordsPanel, "Min_y");
    minY->setFocus();
    QTest::keyClick(minY, Qt::Key_Up);
    QCOMPARE(coords.Min_y, 25.654);
    QVERIFY(coordsChanged.count() > 0);

    DivideValues parts{3, 100};
    DividePanel dividePanel(parts);
    QCOMPARE(control<QSpinBox>(dividePanel, "Col")->value(), 3);
    auto* rows = control<QSpinBox>(dividePanel, "Row");
    rows->setFocus();
    QTest::keyClick(rows, Qt::Key_Up);
    QCOMPARE(parts.Row, 100);
    QTest::keyClick(rows, Qt::Key_Down);
    QCOMPARE(parts.Row, 99);
    parts = DivideValues{};
    dividePanel.refresh();
    QCOMPARE(rows->value(), 1);
}

QTEST_MAIN(FieldPanelsWidgetTest)
#include "FieldPanelsWidgetTest.moc"
