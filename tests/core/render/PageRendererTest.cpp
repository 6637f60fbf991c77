// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "core/workbook/SpreadsheetReader.h"
#include "core/render/PageRenderer.h"

#include <QBuffer>
#include <QHash>
#include <QLocale>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

// A worksheet whose cells say where they are: "B8" holds "B8".
struct AddressSheet : Worksheet {
    QString name() const override { return QStringLiteral("Лист1"); }
    QString cellText(int row, int column) const override
    {
        if (row < 1 || column < 1 || column > 26)
            return QString();
        return QString(QChar(u'A' + column - 1)) + QString::number(row);
    }
};

struct OneSheetBook : Workbook {
    AddressSheet sheet;
    QStringList sheetNames() const override { return {sheet.name()}; }
    QString activeSheetName() const override { return sheet.name(); }
    const Worksheet* worksheet(const QString& name) const override
    {
        return name == sheet.name() ? &sheet : nullptr;
    }
};

struct Collect : RenderErrorSink {
    QStringList lines;
    void LogRenderError(const QString& line) override { lines << line; }
};

struct Drawn {
    int field; // index of the field whose block got the line
    int block;
    QString text;
};

QString textField(const QString& id, const QString& text, int maxBlocks, bool autoReplace)
{
    TOptTextField o;
    o.fieldText = text;
    o.autoReplace = autoReplace;
    o.maxBlocks = uint8_t(maxBlocks);
    o.transparentBackground = true;
    o.fontSize = 10;
    o.fontName = QStringLiteral("Arial");
    return composeTextField(id, o);
}

// Field f's block b lies in its own column and row of the page, so a drawn line can be
// traced back to its block.
BlockRect blockRect(int f, int b)
{
    return BlockRect{50 + 700 * f, 50 + 60 * b, 650 + 700 * f, 100 + 60 * b};
}

class Page {
public:
    Page() { project.settings.sheet = QStringLiteral("Лист1"); }

    Project project;
    OneSheetBook book;
    Collect errors;
    std::vector<Drawn> drawn;
    QImage raster;

    void addText(const QString& text, int blocks, int maxBlocks = 0, bool autoReplace = false)
    {
        FieldNode field;
        field.text =
            textField(project.takeNewFieldId(FieldKind::Text), text, maxBlocks, autoReplace);
        const int f = int(project.Structure.fields.size());
        for (int b = 0; b < blocks; ++b)
            field.blocks.push_back(TreeNode{composeBlockText(blockRect(f, b)), false});
        project.Structure.fields.push_back(field);
    }

    void render(int page, bool withWorkbook = true)
    {
        project.settings.PrWidth = double(pixelToMm(3000));
        project.settings.PrHeight = double(pixelToMm(1500));
        raster = makePageRaster(project);
        drawn.clear();
        RenderSource source;
        source.project = &project;
        source.workbook = withWorkbook ? &book : nullptr;
        source.lineObserver = [this](const BlockRect& r, const QString& t, int, int, int) {
            for (int f = 0; f < 4; ++f)
                for (int b = 0; b < 20; ++b)
                    if (blockRect(f, b) == r)
                        drawn.push_back(Drawn{f, b, t});
        };
        RenderTarget target;
        target.image = &raster;
        RenderPage(source, target, page, errors);
    }

    QStringList textsOf(int field) const
    {
        QStringList texts;
        for (const Drawn& d : drawn)
            if (d.field == field)
                texts << d.text;
        return texts;
    }

    int blockOf(int field, const QString& text) const
    {
        for (const Drawn& d : drawn)
            if (d.field == field && d.text == text)
                return d.block;
        return -1;
    }
};

} // namespace

class PageRendererTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void referencesPerPageAndDirection_data();
    void referencesPerPageAndDirection();
    void cyrillicAndLowerCaseAddressesReadTheSameCell();
    void pagesBeyondTheCountStayBlank();
    void unreadableCellsAreReported_data();
    void unreadableCellsAreReported();
    void backwardRangeGivesNoElementsAndALine();
    void relatedFieldsStayLevel();
    void shorterRelatedFieldRepeatsItsLastElement();
    void fixedTextInARelationIsOneElement();
    void layoutViewTintsBlocksAndLabelsThem();
    void fieldNumbersNearTheLimitDoNotCrash();
    void loadedReplaceListIsLookedUpInSortedOrder();
};

void PageRendererTest::referencesPerPageAndDirection_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("direct");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("column, rows, page 1") << "=B2:B50" << 1 << 1 << QStringList{"B2"};
    QTest::newRow("column, rows, page 7") << "=B2:B50" << 1 << 7 << QStringList{"B8"};
    QTest::newRow("column, columns") << "=B2:B5" << 0 << 1 << QStringList{"B2", "B3", "B4", "B5"};
    QTest::newRow("one cell") << "=C5" << 1 << 1 << QStringList{"C5"};
    QTest::newRow("row, rows") << "=A3:D3" << 1 << 1 << QStringList{"A3", "B3", "C3", "D3"};
    QTest::newRow("row, columns, page 2") << "=A3:D3" << 0 << 2 << QStringList{"B3"};
    QTest::newRow("rectangle, rows, page 1")
        << "=A2:C10" << 1 << 1 << QStringList{"A2", "B2", "C2"};
    QTest::newRow("rectangle, rows, page 3")
        << "=A2:C10" << 1 << 3 << QStringList{"A4", "B4", "C4"};
    QTest::newRow("rectangle, columns, page 2")
        << "=A2:C4" << 0 << 2 << QStringList{"B2", "B3", "B4"};
    QTest::newRow("fixed text") << "г. Москва" << 1 << 1 << QStringList{"г. Москва"};
}

void PageRendererTest::referencesPerPageAndDirection()
{
    QFETCH(QString, reference);
    QFETCH(int, direct);
    QFETCH(int, page);
    QFETCH(QStringList, texts);
    Page p;
    p.project.settings.Direct = direct;
    p.addText(reference, 6);
    p.render(page);
    QCOMPARE(p.textsOf(0), texts);
    QVERIFY(p.errors.lines.isEmpty());
    if (texts.size() > 1) // elements take one block each, in order
        QCOMPARE(p.blockOf(0, texts.last()), int(texts.size()) - 1);
}

void PageRendererTest::cyrillicAndLowerCaseAddressesReadTheSameCell()
{
    for (const QString& ref :
         {QStringLiteral("=c5"), QStringLiteral("=С5"), QStringLiteral("=с5")}) {
        Page p;
        p.addText(ref, 1);
        p.render(1);
        QCOMPARE(p.textsOf(0), QStringList{QStringLiteral("C5")});
    }
}

void PageRendererTest::pagesBeyondTheCountStayBlank()
{
    Page p;
    p.addText(QStringLiteral("=A2:A21"), 1);
    p.render(20);
    QCOMPARE(p.textsOf(0), QStringList{QStringLiteral("A21")});
    p.render(21);
    QVERIFY(p.drawn.empty());
    p.render(-1);
    QVERIFY(p.drawn.empty());
    QCOMPARE(p.raster.pixel(100, 60), qRgb(255, 255, 255));
}

void PageRendererTest::unreadableCellsAreReported_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<bool>("withWorkbook");
    QTest::addColumn<QString>("xlsFile");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("lines");
    const QStringList one{QStringLiteral("=B2:B9")};
    const QString sheet = QStringLiteral("Лист1");
    QTest::newRow("missing sheet") << one << QStringLiteral("Нет такого") << true << QString() << 1
                                   << QStringList{QStringLiteral("Нет указанного листа")};
    QTest::newRow("no workbook named")
        << one << sheet << false << QString() << 1
        << QStringList{QStringLiteral("Нет данных: не указан файл Excel")};
    QTest::newRow("named workbook not open, once for two fields")
        << QStringList{QStringLiteral("=B2:B9"), QStringLiteral("=C2")} << sheet << false
        << QStringLiteral("data.xlsx") << 1
        << QStringList{QStringLiteral("Нет данных: не открыт файл Excel «data.xlsx»")};
    QTest::newRow("fixed text needs no workbook") << QStringList{QStringLiteral("Итого")} << sheet
                                                  << false << QString() << 1 << QStringList{};
    QTest::newRow("layout view reads no cells")
        << one << sheet << false << QStringLiteral("data.xlsx") << 0 << QStringList{};
}

void PageRendererTest::unreadableCellsAreReported()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, sheet);
    QFETCH(bool, withWorkbook);
    QFETCH(QString, xlsFile);
    QFETCH(int, page);
    QFETCH(QStringList, lines);
    Page p;
    for (const QString& text : texts)
        p.addText(text, 1);
    p.project.settings.sheet = sheet;
    p.project.settings.xlsFile = xlsFile;
    p.render(page, withWorkbook);
    QCOMPARE(p.errors.lines, lines);
    if (page > 0 && texts.first().startsWith(u'='))
        QCOMPARE(p.textsOf(0), QStringList{QString()});
}

void PageRendererTest::backwardRangeGivesNoElementsAndALine()
{
    Page p;
    p.addText(QStringLiteral("=C1:A1"), 3);
    p.render(1);
    QVERIFY(p.drawn.empty());
    QCOMPARE(p.errors.lines.size(), 1);
    QVERIFY(p.errors.lines[0].contains(QStringLiteral("=C1:A1")));
}

void PageRendererTest::relatedFieldsStayLevel()
{
    // Field A's first element needs several blocks, B's one: both start the second level.
    Page p;
    p.project.settings.Direct = 0; // elements down a column
    p.addText(QStringLiteral("=A1:A2"), 6);
    p.addText(QStringLiteral("=B1:B2"), 6);
    p.project.RelateList.push_back(RelationItem{QStringLiteral("0-1"), false});
    // Narrow A's blocks so that "A1 A1…" needs two of them: replace the text source by a
    // sheet where A1 is long.
    struct LongA1 : Worksheet {
        QString name() const override { return QStringLiteral("Лист1"); }
        QString cellText(int row, int column) const override
        {
            if (column == 1 && row == 1)
                return QStringLiteral("очень длинное значение первой строки таблицы для поля");
            return QString(QChar(u'A' + column - 1)) + QString::number(row);
        }
    };
    struct Book : Workbook {
        LongA1 sheet;
        QStringList sheetNames() const override { return {sheet.name()}; }
        QString activeSheetName() const override { return sheet.name(); }
        const Worksheet* worksheet(const QString& n) const override
        {
            return n == sheet.name() ? &sheet : nullptr;
        }
    } book;
    p.project.settings.PrWidth = double(pixelToMm(3000));
    p.project.settings.PrHeight = double(pixelToMm(1500));
    p.project.settings.sheet = QStringLiteral("Лист1");
    p.raster = makePageRaster(p.project);
    RenderSource source;
    source.project = &p.project;
    source.workbook = &book;
    std::vector<Drawn>& drawn = p.drawn;
    source.lineObserver = [&drawn](const BlockRect& r, const QString& t, int, int, int) {
        for (int f = 0; f < 2; ++f)
            for (int b = 0; b < 6; ++b)
                if (blockRect(f, b) == r)
                    drawn.push_back(Drawn{f, b, t});
    };
    RenderTarget target;
    target.image = &p.raster;
    RenderPage(source, target, 1, p.errors);
    // The second row starts at the same block in both fields, after A1's blocks.
    QVERIFY(p.blockOf(0, QStringLiteral("A2")) >= 2);
    QCOMPARE(p.blockOf(1, QStringLiteral("B1")), 0);
    QCOMPARE(p.blockOf(1, QStringLiteral("B2")), p.blockOf(0, QStringLiteral("A2")));
}

void PageRendererTest::shorterRelatedFieldRepeatsItsLastElement()
{
    Page p;
    p.project.settings.Direct = 0;
    p.addText(QStringLiteral("=A1:A3"), 6);
    p.addText(QStringLiteral("=B1:B5"), 6);
    p.project.RelateList.push_back(RelationItem{QStringLiteral("0-1"), false});
    p.render(1);
    QCOMPARE(p.textsOf(0), (QStringList{"A1", "A2", "A3", "A3", "A3"}));
    QCOMPARE(p.textsOf(1), (QStringList{"B1", "B2", "B3", "B4", "B5"}));
    QCOMPARE(p.blockOf(1, QStringLiteral("B5")), 4);
}

void PageRendererTest::fixedTextInARelationIsOneElement()
{
    Page p;
    p.project.settings.Direct = 0;
    p.addText(QStringLiteral("итого"), 3);
    p.addText(QStringLiteral("=B1:B3"), 3);
    p.project.RelateList.push_back(RelationItem{QStringLiteral("0-1"), false});
    p.render(1);
    QCOMPARE(p.textsOf(0), (QStringList{"итого", "итого", "итого"}));
    QCOMPARE(p.blockOf(1, QStringLiteral("B3")), 2);
}

void PageRendererTest::layoutViewTintsBlocksAndLabelsThem()
{
    Page p;
    p.addText(QStringLiteral("=A1"), 2);
    p.addText(QStringLiteral("=B1"), 1);
    p.project.settings.PrWidth = double(pixelToMm(3000));
    p.project.settings.PrHeight = double(pixelToMm(1500));
    p.raster = makePageRaster(p.project);
    RenderSource source;
    source.project = &p.project;
    source.selectedNode = NodeRef{0, -1}; // the field: all its blocks are red
    RenderTarget target;
    target.image = &p.raster;
    RenderPage(source, target, 0, p.errors);
    const BlockRect a = blockRect(0, 1);
    const BlockRect b = blockRect(1, 0);
    // White XOR red and white XOR grey; fills stop before Right and Bottom.
    QCOMPARE(p.raster.pixel(a.Right - 1, a.Bottom - 1), qRgb(0x00, 0xFF, 0xFF));
    QCOMPARE(p.raster.pixel(b.Right - 1, b.Bottom - 1), qRgb(0x5F, 0x5F, 0x5F));
    QCOMPARE(p.raster.pixel(b.Right, b.Bottom), qRgb(0xFF, 0xFF, 0xFF));
    // The ID label is drawn in black near the top left corner.
    bool ink = false;
    for (int y = b.Top + 2; y < b.Top + 40; ++y)
        for (int x = b.Left + 2; x < b.Left + 120; ++x)
            ink = ink || qGray(p.raster.pixel(x, y)) < 60;
    QVERIFY(ink);
}

void PageRendererTest::fieldNumbersNearTheLimitDoNotCrash()
{
    Page p;
    p.project.NextFieldNumber = 999;
    p.addText(QStringLiteral("=A1:A3"), 3);
    QCOMPARE(p.project.Structure.fields.back().text.left(4), QStringLiteral("0999"));
    p.project.NextFieldNumber = 1000;
    p.project.Structure.fields.push_back(
        FieldNode{{composeShapeField(QStringLiteral("2999"), ShapeFieldOptions{}), false}, {}});
    p.project.settings.Direct = 0;
    p.render(1);
    QCOMPARE(p.textsOf(0), (QStringList{"A1", "A2", "A3"}));
}

void PageRendererTest::loadedReplaceListIsLookedUpInSortedOrder()
{
    // Captions equal but for case: the pair the user's collation puts first wins, whatever
    // order the project file had them in (Russian collation puts lower case first).
    struct LocaleGuard {
        QLocale before;
        ~LocaleGuard() { QLocale::setDefault(before); }
    } guard;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    Page p;
    p.addText(QStringLiteral("=C5"), 1, 0, true);
    p.project.ReplaceList = {{QStringLiteral("C5"), QStringLiteral("upper")},
                             {QStringLiteral("c5"), QStringLiteral("lower")}};
    QBuffer file;
    file.setData(ProjectFile::serialize(p.project));
    QVERIFY(file.open(QIODevice::ReadOnly));
    p.project = ProjectFile::read(file);
    p.render(1);
    QCOMPARE(p.textsOf(0), QStringList{QStringLiteral("lower")});
}

QTEST_MAIN(PageRendererTest)
#include "PageRendererTest.moc"
