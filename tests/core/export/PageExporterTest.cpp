// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/workbook/SpreadsheetReader.h"
#include "core/workbook/WorkbookFile.h"
#include "core/export/PageExporter.h"
#include "core/raster/JpegPageEncoder.h"
#include "core/render/PageRenderer.h"
#include "core/raster/JpegImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <poppler/qt6/poppler-qt6.h>

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

/// A form with ruled lines and a tinted band where the test pictures go.
Project withRuledBackground(Project project)
{
    QImage form(600, 450, QImage::Format_RGB32);
    form.fill(Qt::white);
    {
        QPainter painter(&form);
        painter.fillRect(380, 180, 200, 60, QColor(250, 230, 170));
        painter.setPen(QPen(QColor(60, 60, 110), 3));
        for (int y = 30; y < 450; y += 40)
            painter.drawLine(10, y, 590, y);
    }
    encodeJpeg(form, 95, project.BackgroundImage);
    project.settings.ImgWidth = project.settings.PrWidth;
    project.settings.ImgHeight = project.settings.PrHeight;
    return project;
}

/// A stamp: a ring, a shaded square and lettering on white, which the fields key out.
QImage stampPicture()
{
    QImage stamp(150, 150, QImage::Format_RGB32);
    stamp.fill(Qt::white);
    QPainter painter(&stamp);
    painter.setPen(QPen(QColor(30, 60, 200), 8));
    painter.drawEllipse(8, 8, 134, 134);
    for (int i = 0; i < 50; ++i)
        painter.fillRect(50 + i, 50, 1, 50, QColor(200 - 3 * i, 40 + 4 * i, 90));
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold));
    painter.drawText(QRect(20, 100, 110, 30), Qt::AlignCenter, QStringLiteral("ОПЛАЧЕНО"));
    return stamp;
}

QImage popplerPage(Poppler::Document& document, int index)
{
    const std::unique_ptr<Poppler::Page> page = document.page(index);
    return page ? page->renderToImage(300, 300).convertToFormat(QImage::Format_RGB32) : QImage();
}

/// The per-channel minimum (`highest` false) or maximum of each pixel's 3 × 3
/// neighbourhood, made in two passes of three.
QImage neighbourhoodBound(const QImage& image, bool highest)
{
    const auto pick = [highest](QRgb a, QRgb b) {
        const auto bound = [highest](int x, int y) {
            return highest ? std::max(x, y) : std::min(x, y);
        };
        return qRgb(bound(qRed(a), qRed(b)), bound(qGreen(a), qGreen(b)),
                    bound(qBlue(a), qBlue(b)));
    };
    QImage across(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(across.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QRgb v = from[x];
            if (x > 0)
                v = pick(v, from[x - 1]);
            if (x + 1 < image.width())
                v = pick(v, from[x + 1]);
            to[x] = v;
        }
    }
    QImage bound(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(across.constScanLine(y));
        const auto* above = reinterpret_cast<const QRgb*>(across.constScanLine(std::max(0, y - 1)));
        const auto* below = reinterpret_cast<const QRgb*>(
            across.constScanLine(std::min(image.height() - 1, y + 1)));
        auto* to = reinterpret_cast<QRgb*>(bound.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            to[x] = pick(line[x], pick(above[x], below[x]));
    }
    return bound;
}

/// Whether a PDF page drawn at 300 dpi shows the raster page in an area, within one pixel
/// and JPEG noise: at most 0.5 % of its pixels more than 24 levels outside the colours of
/// the raster pixel's neighbourhood (glyph edges of another rasteriser, ringing at sharp
/// edges) and a mean distance under 2 levels. The neighbourhood is there because poppler
/// may stretch an image by a pixel over its height. An empty string when the page shows
/// the raster, else what failed.
QString rasterMismatch(const QImage& pdf, const QImage& raster, QRect area)
{
    if (pdf.isNull() || raster.isNull())
        return QStringLiteral("no picture");
    if (qAbs(pdf.width() - raster.width()) > 1 || qAbs(pdf.height() - raster.height()) > 1)
        return QStringLiteral("sizes %1×%2 and %3×%4")
            .arg(pdf.width())
            .arg(pdf.height())
            .arg(raster.width())
            .arg(raster.height());
    area &= pdf.rect() & raster.rect();
    const QRect around = area.adjusted(-1, -1, 1, 1) & raster.rect();
    const QImage part = raster.copy(around);
    const QImage low = neighbourhoodBound(part, false);
    const QImage high = neighbourhoodBound(part, true);
    qint64 far = 0, sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pdf.constScanLine(y));
        const auto* lows = reinterpret_cast<const QRgb*>(low.constScanLine(y - around.top()));
        const auto* highs = reinterpret_cast<const QRgb*>(high.constScanLine(y - around.top()));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb v = line[x];
            const QRgb l = lows[x - around.left()];
            const QRgb h = highs[x - around.left()];
            const int outside =
                std::max({qRed(l) - qRed(v), qRed(v) - qRed(h), qGreen(l) - qGreen(v),
                          qGreen(v) - qGreen(h), qBlue(l) - qBlue(v), qBlue(v) - qBlue(h), 0});
            far += outside > 24;
            sum += outside;
        }
    }
    const double pixels = double(area.width()) * area.height();
    if (far <= 0.005 * pixels && sum < 2 * pixels)
        return QString();
    return QStringLiteral("%1 of %2 pixels far off, mean difference %3")
        .arg(far)
        .arg(qint64(pixels))
        .arg(sum / pixels, 0, 'f', 2);
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
    void pdfPagesShowTheRasterPages_data();
    void pdfPagesShowTheRasterPages();
    void demoPdfEmbedsItsPicturesOnce();
    void jpegReusingTheBackgroundWritesTheSameFiles_data();
    void jpegReusingTheBackgroundWritesTheSameFiles();
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
        const QByteArray bytes = QuilletTest::readFile(dir.filePath(name));
        QVERIFY2(bytes.size() > 500, qPrintable(name));
        QCOMPARE(bytes, QuilletTest::readFile(reference.filePath(name)));
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
    QVERIFY(QuilletTest::readFile(dir.filePath("page002.jpg"))
            != QuilletTest::readFile(dir.filePath("page003.jpg")));
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
    const QByteArray bytes = QuilletTest::readFile(dir.filePath(QStringLiteral("a4-001.jpg")));
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
    const QByteArray png = QuilletTest::readFile(result.files.first());
    QVERIFY(png.startsWith("\x89PNG"));
    QCOMPARE(int(uchar(png[24])), 8); // bit depth
    QCOMPARE(int(uchar(png[25])), 2); // colour type: RGB
    const QImage image(result.files.first());
    QCOMPARE(image.size(), QSize(709, 472));
}

void PageExporterTest::pdfPagesShowTheRasterPages_data()
{
    QTest::addColumn<bool>("withPicture");
    QTest::addColumn<int>("copyMode");
    QTest::addColumn<bool>("keyed");
    QTest::addColumn<bool>("transparentBackground");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<bool>("overText");
    QTest::addColumn<int>("images"); // image objects in a file of three pages
    // A copy-mode picture is the same on every page whatever lies under it: one image,
    // and one mask when its key colour lets the page show through.
    QTest::newRow("background only") << false << 0 << false << false << 255 << false << 1;
    QTest::newRow("copy, keyed, faded") << true << 0 << true << true << 200 << true << 3;
    QTest::newRow("copy, opaque") << true << 0 << false << false << 255 << true << 2;
    QTest::newRow("copy, key filled") << true << 0 << true << false << 128 << true << 2;
    // Other modes mix with the page: alike where the page under them is alike.
    QTest::newRow("multiply beside the text") << true << 1 << true << true << 220 << false << 2;
    QTest::newRow("multiply over the text") << true << 1 << true << true << 220 << true << 4;
    QTest::newRow("difference over the text") << true << 3 << false << false << 255 << true << 4;
    QTest::newRow("add beside the text") << true << 2 << false << false << 160 << false << 2;
}

void PageExporterTest::pdfPagesShowTheRasterPages()
{
    QFETCH(bool, withPicture);
    QFETCH(int, copyMode);
    QFETCH(bool, keyed);
    QFETCH(bool, transparentBackground);
    QFETCH(int, opacity);
    QFETCH(bool, overText);
    QFETCH(int, images);
    // Two by one and a half inches: whole points, so the PDF page is the raster's size.
    Project project = smallProject();
    project.settings.PrWidth = 50.8;
    project.settings.PrHeight = 38.1;
    project = withRuledBackground(project);
    QTemporaryDir dir;
    QVERIFY(stampPicture().save(dir.filePath(QStringLiteral("stamp.png"))));
    // Over the page's record, or over the form alone.
    const QRect picture = overText ? QRect(150, 20, 150, 150) : QRect(420, 150, 150, 150);
    if (withPicture) {
        ImageFieldOptions o;
        o.fileName = QStringLiteral("stamp.png");
        o.transparency = keyed ? TransparencyMode::ChosenColor : TransparencyMode::None;
        o.transparentColor = 0xFFFFFF;
        o.backgroundColor = 0x60C0F0;
        o.transparentBackground = transparentBackground;
        o.copyMode = CopyMode(copyMode);
        o.opacity = opacity;
        FieldNode field;
        field.text = composeImageField(project.takeNewFieldId(FieldKind::Image), o);
        field.blocks.push_back(
            TreeNode{composeBlockText(BlockRect{picture.left(), picture.top(), picture.right() + 1,
                                                picture.bottom() + 1}),
                     false});
        project.Structure.fields.push_back(field);
    }
    NamesBook book;
    ExportRequest request =
        requestFor(project, book, dir.filePath(QStringLiteral("all")), {1, 2, 4});
    request.projectPath = dir.filePath(QStringLiteral("form.qlet"));
    request.format = ExportFormat::Pdf;
    const ExportResult result = exportPages(request);
    QCOMPARE(result.files, QStringList{dir.filePath(QStringLiteral("all.pdf"))});
    QCOMPARE(result.errorLines, QStringList());
    const QByteArray pdf = QuilletTest::readFile(result.files.first());
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdf.count("/Subtype /Image"), images);
    QVERIFY(pdf.contains("/Font")); // the values stay text

    request.format = ExportFormat::Png;
    request.prefix = dir.filePath(QStringLiteral("page"));
    exportPages(request);
    const std::unique_ptr<Poppler::Document> document =
        Poppler::Document::load(result.files.first());
    QVERIFY(document);
    QCOMPARE(document->numPages(), 3);
    document->setRenderHint(Poppler::Document::Antialiasing, true);
    document->setRenderHint(Poppler::Document::TextAntialiasing, true);
    const QStringList pages{"page001.png", "page002.png", "page004.png"};
    for (int i = 0; i < 3; ++i) {
        const QImage raster = QImage(dir.filePath(pages[i])).convertToFormat(QImage::Format_RGB32);
        const QImage drawn = popplerPage(*document, i);
        QString mismatch = rasterMismatch(drawn, raster, raster.rect());
        if (mismatch.isEmpty())
            mismatch = rasterMismatch(drawn, raster, picture);
        QVERIFY2(mismatch.isEmpty(), qPrintable(pages[i] + QStringLiteral(": ") + mismatch));
    }
}

void PageExporterTest::demoPdfEmbedsItsPicturesOnce()
{
    const QString path = QuilletTest::sourcePath(QStringLiteral("examples/demo/demo.qlet"));
    const Project project = ProjectFile::load(path);
    const OpenedWorkbook opened = openWorkbookFile(
        QuilletTest::sourcePath(QStringLiteral("examples/demo/records.xlsx")), WorkbookOptions{});
    QVERIFY(opened.workbook);
    QTemporaryDir dir;
    ExportRequest request = requestFor(project, *opened.workbook, dir.filePath("one"), {1});
    request.projectPath = path;
    request.format = ExportFormat::Pdf;
    exportPages(request);
    request.prefix = dir.filePath(QStringLiteral("all"));
    for (int p = 2; p <= 200; ++p)
        request.pages.push_back(p);
    exportPages(request);
    const qint64 one = QFileInfo(dir.filePath(QStringLiteral("one.pdf"))).size();
    const qint64 all = QFileInfo(dir.filePath(QStringLiteral("all.pdf"))).size();
    QVERIFY2(one > 100000 && all < 2 * one + 200 * 10240,
             qPrintable(QStringLiteral("%1 bytes for one page, %2 for 200").arg(one).arg(all)));
    // The background and the stamp, each once.
    QCOMPARE(
        QuilletTest::readFile(dir.filePath(QStringLiteral("all.pdf"))).count("/Subtype /Image"), 2);

    // The last page against the JPEG export: the stamp over the form's table lines.
    request.format = ExportFormat::Jpeg;
    request.prefix = dir.filePath(QStringLiteral("page"));
    request.pages = {200};
    exportPages(request);
    const std::unique_ptr<Poppler::Document> document =
        Poppler::Document::load(dir.filePath(QStringLiteral("all.pdf")));
    QVERIFY(document);
    QCOMPARE(document->numPages(), 200);
    document->setRenderHint(Poppler::Document::Antialiasing, true);
    document->setRenderHint(Poppler::Document::TextAntialiasing, true);
    const QImage raster =
        QImage(dir.filePath(QStringLiteral("page200.jpg"))).convertToFormat(QImage::Format_RGB32);
    const QImage drawn = popplerPage(*document, 199);
    QString mismatch = rasterMismatch(drawn, raster, raster.rect());
    if (mismatch.isEmpty())
        mismatch = rasterMismatch(drawn, raster, QRect(1771, 1393, 360, 360));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void PageExporterTest::jpegReusingTheBackgroundWritesTheSameFiles_data()
{
    QTest::addColumn<QString>("form");        // demo, dark, ruled, none
    QTest::addColumn<bool>("withBack");       // `WithBack`
    QTest::addColumn<double>("imageWidthMm"); // 0: the background spans the page
    QTest::addColumn<int>("copyMode");        // an image field's mode; -1: no image field
    QTest::addColumn<bool>("shape");          // a hatched rectangle over the edge MCUs
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("first"); // 0: the layout view, blocks tinted by XOR, comes first
    // The small page is 709 × 472 pixels: its right and bottom MCUs are cut short.
    QTest::newRow("demo, all pages") << "demo" << true << 0.0 << -1 << false << 90 << 200 << 1;
    QTest::newRow("demo without background")
        << "demo" << false << 0.0 << -1 << false << 90 << 3 << 1;
    QTest::newRow("dark page, text only") << "dark" << true << 0.0 << -1 << false << 90 << 5 << 1;
    QTest::newRow("ruled, copied stamp") << "ruled" << true << 0.0 << 0 << false << 75 << 3 << 1;
    QTest::newRow("ruled, multiplied stamp") << "ruled" << true << 0.0 << 1 << true << 90 << 3 << 1;
    QTest::newRow("ruled, stamp in difference")
        << "ruled" << true << 0.0 << 3 << false << 100 << 3 << 1;
    QTest::newRow("ruled, shape on the edges")
        << "ruled" << true << 0.0 << -1 << true << 50 << 3 << 1;
    QTest::newRow("background narrower than the page")
        << "ruled" << true << 33.0 << 2 << true << 90 << 3 << 1;
    QTest::newRow("ruled, exported without it")
        << "ruled" << false << 0.0 << 0 << true << 90 << 3 << 1;
    QTest::newRow("no background") << "none" << true << 0.0 << 1 << true << 90 << 5 << 1;
    QTest::newRow("layout view") << "ruled" << true << 0.0 << 2 << true << 90 << 2 << 0;
}

void PageExporterTest::jpegReusingTheBackgroundWritesTheSameFiles()
{
    QFETCH(QString, form);
    QFETCH(bool, withBack);
    QFETCH(double, imageWidthMm);
    QFETCH(int, copyMode);
    QFETCH(bool, shape);
    QFETCH(int, quality);
    QFETCH(int, pages);
    QFETCH(int, first);
    QTemporaryDir dir;
    QString projectPath = dir.filePath(QStringLiteral("form.qlet"));
    Project project;
    std::unique_ptr<Workbook> owned;
    NamesBook names;
    const Workbook* book = &names;
    if (form == QStringLiteral("demo")) {
        projectPath = QuilletTest::sourcePath(QStringLiteral("examples/demo/demo.qlet"));
        project = ProjectFile::load(projectPath);
        OpenedWorkbook opened =
            openWorkbookFile(QuilletTest::sourcePath(QStringLiteral("examples/demo/records.xlsx")),
                             WorkbookOptions{});
        QVERIFY(opened.workbook);
        owned = std::move(opened.workbook);
        book = owned.get();
    } else {
        project = smallProject(true);
        if (form == QStringLiteral("dark"))
            project = withDarkBackground(project);
        else if (form == QStringLiteral("ruled"))
            project = withRuledBackground(project);
    }
    if (imageWidthMm > 0)
        project.settings.ImgWidth = imageWidthMm;
    const auto addField = [&](QString text, const QRect& box) {
        FieldNode field;
        field.text = std::move(text);
        field.blocks.push_back(TreeNode{
            composeBlockText(BlockRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1}),
            false});
        project.Structure.fields.push_back(field);
    };
    if (copyMode >= 0) {
        QVERIFY(stampPicture().save(dir.filePath(QStringLiteral("stamp.png"))));
        ImageFieldOptions o;
        o.fileName = QStringLiteral("stamp.png");
        o.transparency = TransparencyMode::ChosenColor;
        o.transparentColor = 0xFFFFFF;
        o.transparentBackground = true;
        o.copyMode = CopyMode(copyMode);
        o.opacity = 200;
        addField(composeImageField(project.takeNewFieldId(FieldKind::Image), o),
                 QRect(150, 20, 150, 150));
    }
    if (shape) {
        ShapeFieldOptions o;
        o.kind = ShapeKind::Rectangle;
        o.lineWidthMm = 0.5;
        o.lineColor = 0x2040A0;
        o.fillStyle = 6;
        o.fillColor = 0x10A010;
        addField(composeShapeField(project.takeNewFieldId(FieldKind::Shape), o),
                 QRect(650, 400, 59, 72));
    }
    ExportRequest request = requestFor(project, *book, {}, {});
    request.projectPath = projectPath;
    request.withBackground = withBack;
    request.jpegQuality = quality;
    request.jobs = 2;
    for (int p = first; p <= pages; ++p)
        request.pages.push_back(p);
    // Both ways must be taken: the background page serves as the reference.
    QVERIFY(jpegBackgroundReference(request, pageBackground(project)));
    request.prefix = dir.filePath(QStringLiteral("whole"));
    request.jpegReuseBackground = false;
    const ExportResult whole = exportPages(request);
    request.prefix = dir.filePath(QStringLiteral("reused"));
    request.jpegReuseBackground = true;
    const ExportResult reused = exportPages(request);
    const qsizetype count = pages - first + 1;
    QCOMPARE(reused.files.size(), count);
    QCOMPARE(whole.files.size(), count);
    QCOMPARE(reused.errorLines, whole.errorLines);
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray expected = QuilletTest::readFile(whole.files[i]);
        QVERIFY(expected.startsWith("\xFF\xD8"));
        QVERIFY2(QuilletTest::readFile(reused.files[i]) == expected,
                 qPrintable(QFileInfo(reused.files[i]).fileName()));
    }
}

QTEST_MAIN(PageExporterTest)
#include "PageExporterTest.moc"
