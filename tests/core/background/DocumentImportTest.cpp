// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/DocumentSupport.h"
#include "support/OfficeSupport.h"

#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The reference rendering comes from poppler itself, which the core links privately.
#include <poppler/qt6/poppler-qt6.h>

using namespace Quillet;

namespace {

/// An uncompressed little-endian TIFF of 8-bit grey pages, page n filled with grey 40·n.
QByteArray multiPageTiff(int pages, int width, int height)
{
    QByteArray out("II*\0", 4);
    const auto put16 = [&](quint16 v) { out.append(reinterpret_cast<const char*>(&v), 2); };
    const auto put32 = [&](quint32 v) { out.append(reinterpret_cast<const char*>(&v), 4); };
    put32(8);
    for (int n = 1; n <= pages; ++n) {
        const quint32 ifdSize = 2 + 8 * 12 + 4;
        const quint32 pixelsAt = quint32(out.size()) + ifdSize;
        const quint32 nextIfd = n < pages ? pixelsAt + quint32(width * height) : 0;
        const quint32 entries[8][3] = {{256, 4, quint32(width)},
                                       {257, 4, quint32(height)},
                                       {258, 3, 8},
                                       {259, 3, 1},
                                       {262, 3, 1},
                                       {273, 4, pixelsAt},
                                       {278, 4, quint32(height)},
                                       {279, 4, quint32(width * height)}};
        put16(8);
        for (const auto& entry : entries) {
            put16(quint16(entry[0]));
            put16(quint16(entry[1]));
            put32(1);
            if (entry[1] == 3) {
                put16(quint16(entry[2]));
                put16(0);
            } else {
                put32(entry[2]);
            }
        }
        put32(nextIfd);
        out.append(QByteArray(width * height, char(40 * n)));
    }
    return out;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// Files of two pages made by LibreOffice itself from HTML with a page break.
QString twoPageDocument(const QString& folder, const QString& target)
{
    const QString html = folder + QStringLiteral("/pages.html");
    writeBytes(html, "<html><body><p>Первая страница бланка</p>"
                     "<p style=\"page-break-before: always\">Вторая страница</p></body></html>");
    return convertWithLibreOffice(html, target, folder, 120000);
}

QStringList importFolders()
{
    return QDir(QDir::tempPath())
        .entryList({QStringLiteral("quillet-import-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace

class DocumentImportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pdfPagesAreRenderedAsPopplerDoes();
    void oversizedPageIsRefused();
    void pictureIsTakenByContent_data();
    void pictureIsTakenByContent();
    void officeDocumentsGoThroughPdf_data();
    void officeDocumentsGoThroughPdf();
    void badInputGivesClearError_data();
    void badInputGivesClearError();

private:
    QTemporaryDir m_temp;
};

void DocumentImportTest::initTestCase()
{
    // The work folders are counted in the temporary folder: a private one, so that other
    // tests importing at the same time do not change the count.
    QVERIFY(m_temp.isValid());
    qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    QCOMPARE(QDir::tempPath(), m_temp.path());
}

void DocumentImportTest::pdfPagesAreRenderedAsPopplerDoes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.pdf"));
    QVERIFY(QuilletTest::writeNumberedPdf(path, 3));
    ImportDocument import;
    import.open(path);
    QCOMPARE(import.kind(), ImportKind::Pdf);
    QCOMPARE(import.pageCount(), 3);
    QVERIFY(import.needsPageChoice());

    const QImage page2 = import.page(2);
    // A4 (as QPdfWriter rounds it to points) at 600 dpi.
    QVERIFY2(qAbs(page2.width() - 4961) < 5 && qAbs(page2.height() - 7016) < 5,
             qPrintable(QStringLiteral("%1×%2").arg(page2.width()).arg(page2.height())));
    auto reference = Poppler::Document::load(path);
    QVERIFY(reference);
    reference->setRenderHint(Poppler::Document::Antialiasing, true);
    reference->setRenderHint(Poppler::Document::TextAntialiasing, true);
    const QImage expected = reference->page(1)->renderToImage(600, 600);
    QVERIFY(page2.convertToFormat(QImage::Format_RGB32)
            == expected.convertToFormat(QImage::Format_RGB32));
    QVERIFY(page2 != import.page(3).scaled(page2.size())); // the pages really differ

    const QImage preview = import.preview(3);
    QVERIFY(qAbs(preview.width() * 5 - page2.width()) < 5); // 120 dpi
    QVERIFY(qAbs(preview.height() * 5 - page2.height()) < 5);
    QVERIFY_THROWS_EXCEPTION(FileError, import.page(4));
    QVERIFY_THROWS_EXCEPTION(FileError, import.page(0));
    QVERIFY_THROWS_EXCEPTION(FileError, import.page(1, 0.0));
}

void DocumentImportTest::oversizedPageIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("poster.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QSizeF(1000, 1000), QPageSize::Millimeter));
        QPainter painter(&writer);
        painter.drawLine(0, 0, 100, 100);
    }
    ImportDocument import;
    import.open(path);
    QVERIFY(qAbs(import.preview(1).width() - 4724) < 3); // 1 m at 120 dpi
    try {
        import.page(1); // 23622 × 23622 pixels: more than two gigabytes
        QFAIL("a 1 m page was rendered at 600 dpi");
    } catch (const FileError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("велика")), qPrintable(error.message()));
    }
}

void DocumentImportTest::pictureIsTakenByContent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format"); // empty: a hand-made multi-page TIFF
    QTest::addColumn<int>("pages");

    QTest::newRow("png named .txt") << QStringLiteral("scan.txt") << QByteArray("png") << 1;
    QTest::newRow("png named .pdf") << QStringLiteral("scan.pdf") << QByteArray("png") << 1;
    QTest::newRow("bmp named .docx") << QStringLiteral("scan.docx") << QByteArray("bmp") << 1;
    QTest::newRow("png named .jpg") << QStringLiteral("scan.jpg") << QByteArray("png") << 1;
    QTest::newRow("jpeg without extension") << QStringLiteral("scan") << QByteArray("jpg") << 1;
    QTest::newRow("three-page tiff") << QStringLiteral("fax.tif") << QByteArray() << 3;
}

void DocumentImportTest::pictureIsTakenByContent()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QImage picture(37, 23, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    if (format.isEmpty())
        QVERIFY(writeBytes(path, multiPageTiff(pages, 37, 23)));
    else
        QVERIFY(picture.save(path, format.constData()));

    ImportDocument import;
    import.open(path);
    QCOMPARE(import.kind(), ImportKind::Picture);
    QCOMPARE(import.pageCount(), pages);
    QCOMPARE(import.needsPageChoice(), pages > 1);
    for (int n = 1; n <= pages; ++n) {
        // One file pixel per picture pixel, whatever resolution is asked for.
        const QImage page = import.page(n, n == 1 ? 600.0 : 120.0);
        QCOMPARE(page.size(), QSize(37, 23));
        const QColor corner = page.pixelColor(5, 5);
        if (format.isEmpty())
            QCOMPARE(corner.red(), 40 * n);
        else
            QVERIFY(qAbs(corner.red() - 200) < 8 && qAbs(corner.green() - 40) < 8);
    }
    QVERIFY_THROWS_EXCEPTION(FileError, import.page(pages + 1));
}

void DocumentImportTest::officeDocumentsGoThroughPdf_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("pages");
    QTest::newRow("docx") << QStringLiteral("docx:MS Word 2007 XML") << 2;
    QTest::newRow("odt") << QStringLiteral("odt") << 2;
    QTest::newRow("xlsx, one wide sheet") << QStringLiteral("xlsx") << 1;
}

void DocumentImportTest::officeDocumentsGoThroughPdf()
{
    QFETCH(QString, kind);
    QFETCH(int, pages);
    if (QuilletTest::installedLibreOffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir dir;
    QString path;
    if (kind == QLatin1String("xlsx")) {
        // Wide and long enough that a printer layout would need several pages.
        path = dir.filePath(QStringLiteral("sheet.xlsx"));
        const QString script =
            QStringLiteral("import openpyxl,sys\nwb=openpyxl.Workbook()\nws=wb.active\n"
                           "for r in range(1,150):\n  for c in range(1,30): ws.cell(r,c,r*c)\n"
                           "wb.save(sys.argv[1])\n");
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                              {QStringLiteral("-c"), script, path})
            != 0)
            QSKIP("python3 with openpyxl is not installed");
    } else {
        path = twoPageDocument(dir.path(), kind);
    }
    const QStringList foldersBefore = importFolders();
    {
        ImportDocument import;
        import.open(path);
        QCOMPARE(import.kind(), ImportKind::Office);
        QCOMPARE(import.pageCount(), pages);
        // A one-sheet spreadsheet is taken as it is; a text document is always shown.
        QCOMPARE(import.needsPageChoice(), !kind.startsWith(QLatin1String("xlsx")));
        const QImage preview = import.preview(pages);
        QVERIFY(preview.width() > 500 && preview.height() > 500);
        QCOMPARE(importFolders().size(), foldersBefore.size() + 1);
    }
    QCOMPARE(importFolders(), foldersBefore); // the work files went with the import
}

void DocumentImportTest::badInputGivesClearError_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected"); // part of the message
    QTest::addColumn<bool>("needsOffice");

    QTest::newRow("broken pdf") << QStringLiteral("form.pdf")
                                << QByteArray("%PDF-1.4\n1 0 obj << /Type /Catalog") << "PDF"
                                << false;
    QTest::newRow("pdf signature, other name")
        << QStringLiteral("form.dat") << QByteArray("%PDF-1.7\n%%EOF\n") << "PDF" << false;
    QTest::newRow("empty") << QStringLiteral("empty.png") << QByteArray() << "пуст" << false;
    QTest::newRow("missing") << QStringLiteral("") << QByteArray() << "Не удаётся" << false;
    // A picture the codecs refuse is a broken picture, not a document for LibreOffice.
    QTest::newRow("gif cut short")
        << QStringLiteral("scan.txt") << QByteArray("GIF89a\x10\x00\x10\x00\x80\x00\x00")
        << "повреждено" << false;
    QTest::newRow("tiff header only")
        << QStringLiteral("fax.tif") << QByteArray("II*\0\x08\0\0\0", 8) << "повреждено" << false;
    // Bytes that are no picture under a picture's name: refused at once, not handed to
    // LibreOffice, which may spend its whole time limit on them.
    QTest::newRow("random bytes named .png")
        << QStringLiteral("scan.png") << QByteArray("\x13\x57\x9b\xdf random bytes, no header")
        << "повреждено" << false;
    QTest::newRow("docx that is no zip")
        << QStringLiteral("form.docx") << QByteArray("PK\3\4 not really a zip archive")
        << "LibreOffice" << true;
    QTest::newRow("xlsx that is no zip")
        << QStringLiteral("list.xlsx") << QByteArray("PK\3\4 broken central directory")
        << "LibreOffice" << true;
}

void DocumentImportTest::badInputGivesClearError()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QFETCH(bool, needsOffice);
    if (needsOffice && QuilletTest::installedLibreOffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(name.isEmpty() ? QStringLiteral("absent.pdf") : name);
    if (!name.isEmpty())
        QVERIFY(writeBytes(path, content));
    const QStringList foldersBefore = importFolders();

    ImportDocument import;
    import.setOfficeTimeoutMs(60000);
    try {
        import.open(path);
        QFAIL(qPrintable(QStringLiteral("opened, %1 pages").arg(import.pageCount())));
    } catch (const FileError& error) {
        QVERIFY2(error.message().contains(expected), qPrintable(error.message()));
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
    QVERIFY(!import.isOpen());
    QCOMPARE(import.pageCount(), 0);
    QCOMPARE(importFolders(), foldersBefore);
}

QTEST_MAIN(DocumentImportTest) // the test PDF draws text: fonts need the GUI application
#include "DocumentImportTest.moc"
