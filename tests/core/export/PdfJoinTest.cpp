// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Joining the PDF parts of a sharded export: the demo's 200 pages exported whole and as
// three parts, the parts joined and the result compared with the whole.

#include "support/PdfSupport.h"
#include "support/TestSupport.h"

#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"
#include "core/export/PageExporter.h"
#include "core/export/PdfJoin.h"
#include "core/workbook/WorkbookFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <utility>

using namespace Quillet;

namespace {

// The demo's pages as the three parts hold them.
struct PartPages {
    int first;
    int last;
};
const PartPages Parts[] = {{1, 70}, {71, 140}, {141, 200}};

constexpr int Dpi = 20; // enough to tell the records apart, quick to draw

QString partName(int part)
{
    return QStringLiteral("demo-%1-of-0003.pdf").arg(part, 4, 10, QLatin1Char('0'));
}

} // namespace

class PdfJoinTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void joinedFileKeepsEachPictureOnce();
    void partsJoinInTheirOrder_data();
    void partsJoinInTheirOrder();
    void badInputLeavesTheOutputAlone_data();
    void badInputLeavesTheOutputAlone();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    /// Page `page` of the whole export as poppler draws it.
    QImage wholePage(int page);

    QTemporaryDir m_dir;
    std::map<int, QImage> m_wholePages;
};

void PdfJoinTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const Project project = ProjectFile::load(QuilletTest::demoProjectPath());
    const OpenedWorkbook opened = openWorkbookFile(
        QuilletTest::sourcePath(QStringLiteral("examples/demo/records.xlsx")), WorkbookOptions{});
    QVERIFY(opened.workbook);
    ExportRequest request;
    request.project = &project;
    request.projectPath = QuilletTest::demoProjectPath();
    request.workbook = opened.workbook.get();
    request.format = ExportFormat::Pdf;
    const auto exportRange = [&](int first, int last, const QString& name) {
        request.pages.clear();
        for (int page = first; page <= last; ++page)
            request.pages.push_back(page);
        request.prefix = path(name);
        exportPages(request);
    };
    exportRange(1, 200, QStringLiteral("whole"));
    for (int part = 1; part <= 3; ++part) {
        exportRange(Parts[part - 1].first, Parts[part - 1].last,
                    QFileInfo(partName(part)).completeBaseName());
        // The same parts under names of no set.
        QVERIFY(QFile::copy(path(partName(part)), path(QStringLiteral("part%1.pdf").arg(part))));
    }
    QCOMPARE(QuilletTest::pdfPageCount(path(QStringLiteral("whole.pdf"))), 200);
}

QImage PdfJoinTest::wholePage(int page)
{
    QImage& image = m_wholePages[page];
    if (image.isNull())
        image = QuilletTest::pdfPageImage(path(QStringLiteral("whole.pdf")), page - 1, Dpi);
    return image;
}

void PdfJoinTest::joinedFileKeepsEachPictureOnce()
{
    const QString joined = path(QStringLiteral("joined.pdf"));
    QCOMPARE(joinPdfFiles({path(partName(1)), path(partName(2)), path(partName(3))}, joined), 200);

    // Every part carries the pictures; the joined file, like the whole export, once.
    const int wholeImages = QuilletTest::pdfImageObjectCount(path(QStringLiteral("whole.pdf")));
    QVERIFY(wholeImages >= 1);
    for (int part = 1; part <= 3; ++part)
        QCOMPARE(QuilletTest::pdfImageObjectCount(path(partName(part))), wholeImages);
    QCOMPARE(QuilletTest::pdfImageObjectCount(joined), wholeImages);

    // So the joined file is about as small as the whole export, far below the parts'
    // sum: what the parts repeat beyond the pictures (their fonts) is small.
    qint64 partsSize = 0;
    for (int part = 1; part <= 3; ++part)
        partsSize += QFileInfo(path(partName(part))).size();
    const qint64 wholeSize = QFileInfo(path(QStringLiteral("whole.pdf"))).size();
    const qint64 joinedSize = QFileInfo(joined).size();
    qInfo("whole export %lld bytes, parts %lld bytes together, joined %lld bytes", wholeSize,
          partsSize, joinedSize);
    QVERIFY2(joinedSize < wholeSize + (partsSize - wholeSize) / 4,
             qPrintable(QStringLiteral("%1 bytes joined").arg(joinedSize)));

    // The same parts join to the same bytes.
    const QString again = path(QStringLiteral("again.pdf"));
    joinPdfFiles({path(partName(1)), path(partName(2)), path(partName(3))}, again);
    QCOMPARE(QuilletTest::readFile(again), QuilletTest::readFile(joined));
}

void PdfJoinTest::partsJoinInTheirOrder_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QList<int>>("expectedParts"); // the parts in the joined file, in order
    QTest::addColumn<QStringList>("named");        // what the error line names; none: joined

    const QString p1 = partName(1), p2 = partName(2), p3 = partName(3);
    QTest::newRow("set in order") << QStringList{p1, p2, p3} << QList<int>{1, 2, 3}
                                  << QStringList();
    QTest::newRow("set out of order")
        << QStringList{p3, p1, p2} << QList<int>{1, 2, 3} << QStringList();
    QTest::newRow("other names as given") << QStringList{"part3.pdf", "part1.pdf", "part2.pdf"}
                                          << QList<int>{3, 1, 2} << QStringList();
    QTest::newRow("one name of no set: all as given")
        << QStringList{p2, "part1.pdf", p3} << QList<int>{2, 1, 3} << QStringList();
    QTest::newRow("a single part") << QStringList{"part2.pdf"} << QList<int>{2} << QStringList();
    QTest::newRow("missing part") << QStringList{p3, p1} << QList<int>{} << QStringList{p2};
    QTest::newRow("missing parts listed") << QStringList{p2} << QList<int>{} << QStringList{p1, p3};
    QTest::newRow("part of a larger set") << QStringList{p1, p2, p3, "demo-0004-of-0004.pdf"}
                                          << QList<int>{} << QStringList{"demo-0004-of-0004.pdf"};
    QTest::newRow("numbered beyond its set")
        << QStringList{p1, p2, p3, "demo-0004-of-0003.pdf"} << QList<int>{}
        << QStringList{"demo-0004-of-0003.pdf"};
    QTest::newRow("numbered zero") << QStringList{"demo-0000-of-0003.pdf", p1, p2, p3}
                                   << QList<int>{} << QStringList{"demo-0000-of-0003.pdf"};
    QTest::newRow("part twice") << QStringList{p1, p2, p2, p3} << QList<int>{} << QStringList{p2};
    QTest::newRow("another prefix") << QStringList{p1, "other-0002-of-0003.pdf", p3} << QList<int>{}
                                    << QStringList{"other-0002-of-0003.pdf"};
}

void PdfJoinTest::partsJoinInTheirOrder()
{
    QFETCH(QStringList, given);
    QFETCH(QList<int>, expectedParts);
    QFETCH(QStringList, named);
    QStringList parts;
    for (const QString& name : given)
        parts << path(name);
    const QString out = path(QStringLiteral("order.pdf"));
    QFile::remove(out);

    if (!named.isEmpty()) {
        try {
            joinPdfFiles(parts, out);
            QFAIL("joined");
        } catch (const FileError& e) {
            for (const QString& name : named)
                QVERIFY2(e.message().contains(name), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(out));
        return;
    }

    int pages = 0;
    for (int part : expectedParts)
        pages += Parts[part - 1].last - Parts[part - 1].first + 1;
    QCOMPARE(joinPdfFiles(parts, out), pages);
    QCOMPARE(QuilletTest::pdfPageCount(out), pages);
    // Each part's first and last page where the order puts them, drawn as in the whole
    // export.
    int at = 0;
    for (int part : expectedParts) {
        const PartPages range = Parts[part - 1];
        const int count = range.last - range.first + 1;
        for (const auto& [index, page] :
             {std::pair{at, range.first}, std::pair{at + count - 1, range.last}}) {
            const QString difference = QuilletTest::firstDifference(
                QuilletTest::pdfPageImage(out, index, Dpi), wholePage(page));
            QVERIFY2(difference.isEmpty(),
                     qPrintable(QStringLiteral("page %1 against page %2 of the whole: %3")
                                    .arg(index + 1)
                                    .arg(page)
                                    .arg(difference)));
        }
        at += count;
    }
}

void PdfJoinTest::badInputLeavesTheOutputAlone_data()
{
    QTest::addColumn<QString>("bad");      // the part added after the good first one
    QTest::addColumn<QByteArray>("bytes"); // its content; empty: no such file
    QTest::addColumn<QString>("out");      // below a fresh folder
    QTest::addColumn<QString>("named");    // what the error line names

    const QByteArray part = QuilletTest::readFile(path(partName(2)));
    QByteArray middleDamaged = part;
    {
        // Bytes of a compressed page content overwritten, the file's layout intact.
        const qsizetype filter = part.indexOf("/FlateDecode", part.size() / 2);
        const qsizetype data = part.indexOf("stream\n", filter) + 7;
        QVERIFY(filter > 0 && data > filter);
        middleDamaged.replace(data + 4, 16, QByteArray(16, 'x'));
    }
    const QString out = QStringLiteral("out.pdf");
    QTest::newRow("no such file") << "absent.pdf" << QByteArray() << out << "absent.pdf";
    QTest::newRow("empty file") << "empty.pdf" << QByteArray("") << out << "empty.pdf";
    QTest::newRow("text named .pdf")
        << "notes.pdf" << QByteArray("Записи 1-70 отправлены\n") << out << "notes.pdf";
    QTest::newRow("truncated") << "cut.pdf" << part.left(part.size() / 2) << out << "cut.pdf";
    QTest::newRow("end cut off") << "end.pdf" << part.left(part.size() - 40) << out << "end.pdf";
    QTest::newRow("damaged page content") << "damaged.pdf" << middleDamaged << out << "damaged.pdf";
    QTest::newRow("output folder missing") << "part3.pdf" << QByteArray() << "no/out.pdf"
                                           << "no/out.pdf";
}

void PdfJoinTest::badInputLeavesTheOutputAlone()
{
    QFETCH(QString, bad);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, out);
    QFETCH(QString, named);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString badPath = path(bad);
    if (!QFile::exists(badPath) && !bytes.isNull()) {
        badPath = dir.filePath(bad);
        QVERIFY(QuilletTest::writeFile(badPath, bytes));
    }
    const QString outPath = dir.filePath(out);
    const QByteArray previous("%PDF-1.4 the previous join\n");
    const bool outFolderExists = QFileInfo(outPath).dir().exists();
    if (outFolderExists)
        QVERIFY(QuilletTest::writeFile(outPath, previous));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);

    try {
        joinPdfFiles({path(QStringLiteral("part1.pdf")), badPath}, outPath);
        QFAIL("joined");
    } catch (const FileError& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(named)), qPrintable(e.message()));
        QVERIFY2(!e.message().contains(QLatin1Char('\n')), qPrintable(e.message()));
    }
    if (outFolderExists)
        QCOMPARE(QuilletTest::readFile(outPath), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before); // no scratch file left
    QCOMPARE(QFileInfo(outPath).dir().exists(), outFolderExists);
}

QTEST_MAIN(PdfJoinTest)
#include "PdfJoinTest.moc"
