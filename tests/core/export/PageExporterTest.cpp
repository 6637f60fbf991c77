// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/workbook/SpreadsheetReader.h"
#include "core/export/PageExporter.h"
#include "core/raster/JpegImage.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

// Column A holds a name per row: "Запись N".
struct NamesSheet : Worksheet {
    QString name() const override { return QStringLiteral("Лист1"); }
    QString cellText(int row, int column) const override
    {
        return column == 1 && row >= 1 ? QStringLiteral("Запись %1").arg(row) : QString();
    }
};

struct NamesBook : Workbook {
    NamesSheet sheet;
    QStringList sheetNames() const override { return {sheet.name()}; }
    QString activeSheetName() const override { return sheet.name(); }
    const Worksheet* worksheet(const QString& name) const override
    {
        return name == sheet.name() ? &sheet : nullptr;
    }
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// A small page (60 × 40 mm) with one text field over A1:A5, one value per page. With
/// `narrowSecond`, a second field has more words than its only block holds at full size,
/// so every page logs "Мало блоков" lines that start with the page number.
Project smallProject(bool narrowSecond = false)
{
    Project project;
    project.settings.sheet = QStringLiteral("Лист1");
    project.settings.PrWidth = 60;
    project.settings.PrHeight = 40;
    TOptTextField o;
    o.fieldText = QStringLiteral("=A1:A5");
    o.fontSize = 12;
    o.fontName = QStringLiteral("Arial");
    o.transparentBackground = true;
    FieldNode field;
    field.text = composeTextField(project.takeNewFieldId(FieldKind::Text), o);
    field.blocks.push_back(TreeNode{composeBlockText(BlockRect{40, 40, 600, 140}), false});
    project.Structure.fields.push_back(field);
    if (narrowSecond) {
        o.fieldText = QStringLiteral("раз два три четыре пять шесть семь восемь девять");
        FieldNode narrow;
        narrow.text = composeTextField(project.takeNewFieldId(FieldKind::Text), o);
        narrow.blocks.push_back(TreeNode{composeBlockText(BlockRect{40, 200, 440, 260}), false});
        project.Structure.fields.push_back(narrow);
    }
    return project;
}

ExportRequest requestFor(const Project& project, const Workbook& book, const QString& prefix,
                         std::vector<int> pages)
{
    ExportRequest request;
    request.project = &project;
    request.workbook = &book;
    request.prefix = prefix;
    request.pages = std::move(pages);
    return request;
}

/// The project with a dark blue background covering its whole page.
Project withDarkBackground(Project project)
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(20, 40, 90));
    encodeJpeg(picture, 90, project.BackgroundImage);
    project.settings.ImgWidth = project.settings.PrWidth;
    project.settings.ImgHeight = project.settings.PrHeight;
    return project;
}

} // namespace

class PageExporterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileNames_data();
    void fileNames();
    void prefixFromChosenName_data();
    void prefixFromChosenName();
    void orderAndWorkersGiveTheSameFiles_data();
    void orderAndWorkersGiveTheSameFiles();
    void a4PageIsFullSizeJfif();
    void backgroundFollowsWithBack();
    void cancellingStopsEarly();
    void unwritableFolderFails();
    void pngIsTwentyFourBitRgb();
    void pdfHoldsTheBackgroundOnce();
};

void PageExporterTest::fileNames_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1") << 1 << int(ExportFormat::Jpeg) << "out/p001.jpg";
    QTest::newRow("12") << 12 << int(ExportFormat::Jpeg) << "out/p012.jpg";
    QTest::newRow("1000") << 1000 << int(ExportFormat::Jpeg) << "out/p1000.jpg";
    QTest::newRow("png") << 7 << int(ExportFormat::Png) << "out/p007.png";
    QTest::newRow("pdf") << 7 << int(ExportFormat::Pdf) << "out/p.pdf";
}

void PageExporterTest::fileNames()
{
    QFETCH(int, page);
    QFETCH(int, format);
    QFETCH(QString, expected);
    QCOMPARE(exportFileName(QStringLiteral("out/p"), page, ExportFormat(format)), expected);
}

void PageExporterTest::prefixFromChosenName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("extension") << "D:\\forms\\Project1.qlet"
                               << "D:\\forms\\Project1";
    QTest::newRow("none") << "out"
                          << "out";
    QTest::newRow("dotted folder") << "/home/a.b/out"
                                   << "/home/a.b/out";
    QTest::newRow("dotted folder, backslash") << "C:\\a.b\\out"
                                              << "C:\\a.b\\out";
    QTest::newRow("two dots") << "/tmp/x.tar.jpg"
                              << "/tmp/x.tar";
}

void PageExporterTest::prefixFromChosenName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, prefix);
    QCOMPARE(exportPrefix(chosen), prefix);
}

void PageExporterTest::orderAndWorkersGiveTheSameFiles_data()
{
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<int>("jobs");
    QTest::newRow("forward, 1 job") << false << 1;
    QTest::newRow("reverse, 1 job") << true << 1;
    QTest::newRow("forward, 2 jobs") << false << 2;
    QTest::newRow("reverse, 3 jobs") << true << 3;
}

void PageExporterTest::orderAndWorkersGiveTheSameFiles()
{
    QFETCH(bool, reverse);
    QFETCH(int, jobs);
    const Project project = smallProject(true);
    NamesBook book;
    QTemporaryDir reference, dir;
    ExportRequest request =
        requestFor(project, book, reference.filePath(QStringLiteral("page")), {1, 2, 3, 5});
    const ExportResult first = exportPages(request);

    request.prefix = dir.filePath(QStringLiteral("page"));
    {
        QFile stale(dir.filePath(QStringLiteral("page002.jpg"))); // overwritten unasked
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("an older page");
    }
    request.reverse = reverse;
    request.jobs = jobs;
    int last = 0;
    bool rising = true;
    const ExportResult result = exportPages(request, [&](int done, int total) {
        rising = rising && done > last && total == 4;
        last = done;
        return true;
    });
    QVERIFY(rising);
    QCOMPARE(last, 4);
    QVERIFY(!result.cancelled);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             QStringList({"page001.jpg", "page002.jpg", "page003.jpg", "page005.jpg"}));
    QCOMPARE(result.files.size(), 4);
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
        const QByteArray bytes = readAll(dir.filePath(name));
        QVERIFY2(bytes.size() > 500, qPrintable(name));
        QCOMPARE(bytes, readAll(reference.filePath(name)));
    }
    // Pages are reported in the order they are written, whatever the workers' timing.
    QStringList pages;
    for (const QString& line : result.errorLines) {
        QVERIFY2(line.contains(QStringLiteral("Мало блоков")), qPrintable(line));
        const QString page = line.section(u':', 0, 0);
        if (pages.isEmpty() || pages.last() != page) // one line per font size tried
            pages << page;
    }
    QCOMPARE(pages,
             reverse ? QStringList({"5", "3", "2", "1"}) : QStringList({"1", "2", "3", "5"}));
    // Every page carries its own record.
    QVERIFY(readAll(dir.filePath("page002.jpg")) != readAll(dir.filePath("page003.jpg")));
}

void PageExporterTest::a4PageIsFullSizeJfif()
{
    Project project = smallProject();
    project.settings.PrWidth = 210;
    project.settings.PrHeight = 297;
    NamesBook book;
    QTemporaryDir dir;
    ExportRequest request = requestFor(project, book, dir.filePath(QStringLiteral("a4-")), {1});
    exportPages(request);
    const QByteArray bytes = readAll(dir.filePath(QStringLiteral("a4-001.jpg")));
    int width = 0, height = 0;
    QVERIFY(readJpegSize(bytes, width, height));
    QCOMPARE(QSize(width, height), QSize(2480, 3508));
    QCOMPARE(bytes.mid(4, 14), QByteArray("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01", 14));
    QVERIFY(!bytes.contains("\xFF\xC2"));
    // Three channels: the baseline frame header names 3 components.
    const qsizetype sof = bytes.indexOf("\xFF\xC0");
    QVERIFY(sof > 0);
    QCOMPARE(int(uchar(bytes[sof + 9])), 3);
}

void PageExporterTest::backgroundFollowsWithBack()
{
    const Project project = withDarkBackground(smallProject());
    NamesBook book;
    QTemporaryDir dir;
    ExportRequest request = requestFor(project, book, QString(), {2});
    for (const bool withBackground : {true, false}) {
        request.withBackground = withBackground;
        request.prefix =
            dir.filePath(withBackground ? QStringLiteral("with") : QStringLiteral("no"));
        exportPages(request);
    }
    const QImage with(dir.filePath(QStringLiteral("with002.jpg")));
    const QImage without(dir.filePath(QStringLiteral("no002.jpg")));
    QVERIFY(!with.isNull() && !without.isNull());
    const QPoint corner(with.width() - 5, with.height() - 5);
    QVERIFY2(qAbs(qBlue(with.pixel(corner)) - 90) < 8,
             qPrintable(QColor(with.pixel(corner)).name()));
    QVERIFY(qAbs(qRed(with.pixel(corner)) - 20) < 8);
    QCOMPARE(without.pixel(corner), qRgb(255, 255, 255));
}

void PageExporterTest::cancellingStopsEarly()
{
    const Project project = smallProject();
    NamesBook book;
    QTemporaryDir dir;
    ExportRequest request = requestFor(project, book, dir.filePath(QStringLiteral("p")), {});
    for (int p = 1; p <= 40; ++p)
        request.pages.push_back(p);
    const ExportResult result = exportPages(request, [](int, int) { return false; });
    QVERIFY(result.cancelled);
    QVERIFY(result.files.size() >= 1);
    QVERIFY(result.files.size() < 40);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), result.files.size());
}

void PageExporterTest::unwritableFolderFails()
{
    const Project project = smallProject();
    NamesBook book;
    QTemporaryDir dir;
    ExportRequest request =
        requestFor(project, book, dir.filePath(QStringLiteral("missing/folder/p")), {1, 2});
    request.jobs = 2;
    QVERIFY_THROWS_EXCEPTION(FileError, exportPages(request));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

void PageExporterTest::pngIsTwentyFourBitRgb()
{
    const Project project = smallProject();
    NamesBook book;
    QTemporaryDir dir;
    ExportRequest request = requestFor(project, book, dir.filePath(QStringLiteral("p")), {4});
    request.format = ExportFormat::Png;
    const ExportResult result = exportPages(request);
    QCOMPARE(result.files, QStringList{dir.filePath(QStringLiteral("p004.png"))});
    const QByteArray png = readAll(result.files.first());
    QVERIFY(png.startsWith("\x89PNG"));
    QCOMPARE(int(uchar(png[24])), 8); // bit depth
    QCOMPARE(int(uchar(png[25])), 2); // colour type: RGB
    const QImage image(result.files.first());
    QCOMPARE(image.size(), QSize(709, 472));
}

void PageExporterTest::pdfHoldsTheBackgroundOnce()
{
    const Project project = withDarkBackground(smallProject());
    NamesBook book;
    QTemporaryDir dir;
    ExportRequest request =
        requestFor(project, book, dir.filePath(QStringLiteral("all")), {1, 2, 3, 4, 5});
    request.format = ExportFormat::Pdf;
    const ExportResult result = exportPages(request);
    QCOMPARE(result.files, QStringList{dir.filePath(QStringLiteral("all.pdf"))});
    const QByteArray pdf = readAll(result.files.first());
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/")
                 + pdf.count("/Type /Page "),
             5);
    QCOMPARE(pdf.count("/Subtype /Image"), 1);
    QVERIFY(pdf.contains("/Font")); // the values stay text
}

QTEST_MAIN(PageExporterTest)
#include "PageExporterTest.moc"
