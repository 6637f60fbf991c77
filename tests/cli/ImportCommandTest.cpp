// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/CliRun.h"
#include "support/DocumentSupport.h"
#include "support/TestSupport.h"

#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "core/background/DocumentImport.h"
#include "core/common/Geometry.h"
#include "core/raster/JpegImage.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;
using QuilletTest::runCli;

namespace {

/// Mean absolute difference of grey levels of the two pictures brought to one small size.
double meanGreyDifference(const QImage& a, const QImage& b)
{
    const QSize size(248, 350);
    const QImage x = a.convertToFormat(QImage::Format_RGB32).scaled(size);
    const QImage y = b.convertToFormat(QImage::Format_RGB32).scaled(size);
    long long sum = 0;
    for (int row = 0; row < size.height(); ++row) {
        for (int column = 0; column < size.width(); ++column)
            sum += qAbs(qGray(x.pixel(column, row)) - qGray(y.pixel(column, row)));
    }
    return double(sum) / (size.width() * size.height());
}

} // namespace

class ImportCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void writesTheChosenPage();
    void badInputExitsWithOneLine_data();
    void badInputExitsWithOneLine();
    void setBackgroundKeepsTheDocumentsPaperSize();

private:
    QTemporaryDir m_dir;
    QString m_pdf;
};

void ImportCommandTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_pdf = m_dir.filePath(QStringLiteral("form.pdf"));
    QVERIFY(QuilletTest::writeNumberedPdf(m_pdf, 3));
}

void ImportCommandTest::writesTheChosenPage()
{
    const auto count = runCli({QStringLiteral("import"), m_pdf, QStringLiteral("--count")});
    QCOMPARE(count.exitCode, 0);
    QCOMPARE(count.out, QByteArray("3\n"));

    ImportDocument reference;
    reference.open(m_pdf);
    const QImage expected = reference.page(2, 72).convertToFormat(QImage::Format_RGB32);
    const QString png = m_dir.filePath(QStringLiteral("page2.png"));
    const auto written =
        runCli({QStringLiteral("import"), m_pdf, QStringLiteral("--page"), QStringLiteral("2"),
                QStringLiteral("--dpi"), QStringLiteral("72"), QStringLiteral("--out"), png});
    QCOMPARE(written.exitCode, 0);
    QVERIFY(written.err.isEmpty());
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), expected);

    // The default is page 1 at 600 dpi; .jpg gives JPEG data.
    const QString jpg = m_dir.filePath(QStringLiteral("page1.jpg"));
    QCOMPARE(runCli({QStringLiteral("import"), m_pdf, QStringLiteral("--out"), jpg}).exitCode, 0);
    const QByteArray bytes = QuilletTest::readFile(jpg);
    QVERIFY(bytes.startsWith("\xFF\xD8\xFF"));
    int width = 0;
    int height = 0;
    QVERIFY(readJpegSize(bytes, width, height));
    QCOMPARE(QSize(width, height), reference.page(1).size());
}

void ImportCommandTest::badInputExitsWithOneLine_data()
{
    QTest::addColumn<QStringList>("options"); // after "import FILE"
    QTest::addColumn<QString>("file");        // "pdf" for the good PDF, else a name in m_dir
    QTest::addColumn<QString>("expected");    // part of the stderr line

    QTest::newRow("missing file") << QStringList{QStringLiteral("--count")}
                                  << QStringLiteral("nothing.pdf") << "Не удаётся открыть";
    QTest::newRow("broken pdf") << QStringList{QStringLiteral("--count")}
                                << QStringLiteral("broken.pdf") << "PDF";
    QTest::newRow("page past the end")
        << QStringList{QStringLiteral("--page"), QStringLiteral("4"), QStringLiteral("--out"),
                       QStringLiteral("out.png")}
        << QStringLiteral("pdf") << "страниц 3";
    QTest::newRow("page 0") << QStringList{QStringLiteral("--page"), QStringLiteral("0"),
                                           QStringLiteral("--out"), QStringLiteral("out.png")}
                            << QStringLiteral("pdf") << "номер страницы";
    QTest::newRow("dpi 0") << QStringList{QStringLiteral("--dpi"), QStringLiteral("0"),
                                          QStringLiteral("--out"), QStringLiteral("out.png")}
                           << QStringLiteral("pdf") << "разрешение";
    QTest::newRow("huge dpi") << QStringList{QStringLiteral("--dpi"), QStringLiteral("1e9"),
                                             QStringLiteral("--out"), QStringLiteral("out.png")}
                              << QStringLiteral("pdf") << "разрешение";
    QTest::newRow("no --out nor --count") << QStringList{} << QStringLiteral("pdf") << "--count";
    QTest::newRow("both --out and --count")
        << QStringList{QStringLiteral("--count"), QStringLiteral("--out"),
                       QStringLiteral("out.png")}
        << QStringLiteral("pdf") << "--count";
    QTest::newRow("gif out") << QStringList{QStringLiteral("--out"), QStringLiteral("out.gif")}
                             << QStringLiteral("pdf") << ".png";
}

void ImportCommandTest::badInputExitsWithOneLine()
{
    QFETCH(QStringList, options);
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QString broken = m_dir.filePath(QStringLiteral("broken.pdf"));
    QFile brokenFile(broken);
    QVERIFY(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("%PDF-1.4\n1 0 obj << /Pages");
    brokenFile.close();
    const QString out = m_dir.filePath(QStringLiteral("out.png"));
    QFile::remove(out);
    for (QString& option : options) {
        if (option.startsWith(QLatin1String("out.")))
            option = m_dir.filePath(option);
    }

    const QString input = file == QLatin1String("pdf") ? m_pdf : m_dir.filePath(file);
    const auto run = runCli(QStringList{QStringLiteral("import"), input} + options);
    QCOMPARE(run.exitCode, 2);
    // One line, followed by the usage line for wrong arguments.
    const QStringList lines = QString::fromUtf8(run.err).trimmed().split(u'\n');
    QVERIFY2(lines.first().contains(expected, Qt::CaseInsensitive), run.err.constData());
    QVERIFY(lines.size() == 1
            || (lines.size() == 2 && lines.last().startsWith(QStringLiteral("Использование"))));
    QVERIFY(!QFile::exists(out));
}

void ImportCommandTest::setBackgroundKeepsTheDocumentsPaperSize()
{
    Project project;
    QImage old(40, 30, QImage::Format_RGB32);
    old.fill(Qt::darkGreen);
    QVERIFY(encodeJpeg(old, 90, project.BackgroundImage));
    project.settings.ImgWidth = 50;
    project.settings.ImgHeight = 20;
    project.settings.MirTop = 3;
    project.settings.MirLeft = -2;
    project.settings.Angle1 = 7.5;
    const QString path = m_dir.filePath(QStringLiteral("form.qlet"));
    ProjectFile::save(project, path);
    const QByteArray before = QuilletTest::readFile(path);

    // A failing import leaves the project file as it was.
    const auto failed = runCli(
        {QStringLiteral("set-background"), path, m_dir.filePath(QStringLiteral("nothing.pdf"))});
    QCOMPARE(failed.exitCode, 2);
    QCOMPARE(QuilletTest::readFile(path), before);
    QCOMPARE(runCli({QStringLiteral("set-background"), path, m_pdf, QStringLiteral("--page"),
                     QStringLiteral("5")})
                 .exitCode,
             2);
    QCOMPARE(QuilletTest::readFile(path), before);

    const auto run = runCli({QStringLiteral("set-background"), path, m_pdf,
                             QStringLiteral("--page"), QStringLiteral("2")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const Project saved = ProjectFile::load(path);
    int width = 0;
    int height = 0;
    QVERIFY(readJpegSize(saved.BackgroundImage, width, height));
    ImportDocument reference;
    reference.open(m_pdf);
    const QImage page2 = reference.page(2);
    QCOMPARE(QSize(width, height), page2.size());
    // The A4 page keeps its paper size (it was laid at 419.8 × 594.1 mm, one 600-dpi pixel
    // per 300-dpi raster pixel), no margins, no turn.
    // (Loading snaps the width to whole raster pixels and takes the height from it.)
    QVERIFY(qAbs(saved.settings.ImgWidth - width * 25.4 / 600) < 0.1);
    QVERIFY(qAbs(saved.settings.ImgHeight - height * 25.4 / 600) < 0.1);
    QVERIFY(qAbs(saved.settings.ImgWidth - 210) < 0.5
            && qAbs(saved.settings.ImgHeight - 297) < 0.5);
    QCOMPARE(readJpegDpi(saved.BackgroundImage), 600);
    QCOMPARE(saved.settings.MirTop, 0.0);
    QCOMPARE(saved.settings.MirLeft, 0.0);
    QCOMPARE(saved.settings.Angle1, 0.0);
    // It is page 2 and not another one: far closer to page 2's rendering than to page 1's.
    const QImage decoded = QImage::fromData(saved.BackgroundImage);
    const double toPage2 = meanGreyDifference(decoded, page2);
    const double toPage1 = meanGreyDifference(decoded, reference.page(1));
    QVERIFY2(toPage2 * 4 < toPage1, qPrintable(QStringLiteral("%1 %2").arg(toPage2).arg(toPage1)));
}

QTEST_MAIN(ImportCommandTest) // the test PDF draws text: fonts need the GUI application
#include "ImportCommandTest.moc"
