// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/CliRun.h"
#include "../core/background/BackgroundModel.h"
#include "support/TestSupport.h"

#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "core/common/Geometry.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

using Run = QuilletTest::CliRun;
using QuilletTest::noisePicture;
using QuilletTest::runCli;

/// Width and height (IHDR), bit depth and colour type of a PNG file.
struct PngHeader {
    quint32 width = 0;
    quint32 height = 0;
    int depth = 0;
    int colourType = -1;
};

PngHeader pngHeader(const QByteArray& bytes)
{
    PngHeader h;
    if (bytes.size() < 26 || !bytes.startsWith("\x89PNG"))
        return h;
    const auto be32 = [&](int at) {
        return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16
               | quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
    };
    h.width = be32(16);
    h.height = be32(20);
    h.depth = quint8(bytes[24]);
    h.colourType = quint8(bytes[25]);
    return h;
}

QString saveProject(const QTemporaryDir& dir, const QByteArray& background,
                    const ProjectSettings& settings)
{
    Project project;
    project.BackgroundImage = background;
    project.settings = settings;
    const QString path = dir.filePath(QStringLiteral("form.qlet"));
    ProjectFile::save(project, path);
    return path;
}

} // namespace

class BackgroundCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesProcessedBackground_data();
    void writesProcessedBackground();
    void demoProject();
    void badInputExitsTwo_data();
    void badInputExitsTwo();
};

void BackgroundCommandTest::writesProcessedBackground_data()
{
    QTest::addColumn<int>("widthPx");
    QTest::addColumn<int>("heightPx");
    QTest::addColumn<int>("leftPx");
    QTest::addColumn<int>("topPx");
    QTest::addColumn<double>("angle");
    QTest::newRow("one to one") << 60 << 40 << 0 << 0 << 0.0;
    QTest::newRow("framed and scaled") << 80 << 45 << 6 << -3 << 0.0;
    QTest::newRow("quarter turn") << 40 << 60 << 0 << 0 << 90.0;
    QTest::newRow("smooth turn") << 70 << 55 << 2 << 2 << -12.5;
}

void BackgroundCommandTest::writesProcessedBackground()
{
    QFETCH(int, widthPx);
    QFETCH(int, heightPx);
    QFETCH(int, leftPx);
    QFETCH(int, topPx);
    QFETCH(double, angle);
    QTemporaryDir dir;
    QByteArray jpeg;
    QVERIFY(encodeJpeg(noisePicture(60, 40, 17), 95, jpeg));
    ProjectSettings s;
    s.PrWidth = 100;
    s.PrHeight = 100;
    s.ImgWidth = double(widthPx * MmPerPixel);
    s.ImgHeight = double(heightPx * MmPerPixel);
    s.MirLeft = double(leftPx * MmPerPixel);
    s.MirTop = double(topPx * MmPerPixel);
    s.Angle1 = angle;
    const QString project = saveProject(dir, jpeg, s);
    const QString out = dir.filePath(QStringLiteral("bg.png"));
    const Run run = runCli({QStringLiteral("background"), project, QStringLiteral("--out"), out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const PngHeader header = pngHeader(QuilletTest::readFile(out));
    QCOMPARE(header.width, quint32(widthPx));
    QCOMPARE(header.height, quint32(heightPx));
    QCOMPARE(header.depth, 8);
    QCOMPARE(header.colourType, 2); // RGB, no alpha, no palette

    TFastDIB decoded;
    QVERIFY(decodeJpeg(jpeg, decoded));
    QImage picture;
    CopyDibToBitmap(decoded, picture);
    const QImage expected = BackgroundModel::process(
        BackgroundModel::fromImage(picture),
        BackgroundModel::Settings{s.ImgWidth, s.ImgHeight, s.MirTop, s.MirBottom, s.MirLeft,
                                  s.MirRight, s.Angle1},
        MmPerPixel);
    QCOMPARE(QImage(out).convertToFormat(QImage::Format_RGB888), expected);
}

void BackgroundCommandTest::demoProject()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("demo.png"));
    const Run run = runCli({QStringLiteral("background"),
                            QuilletTest::sourcePath(QStringLiteral("examples/demo/demo.qlet")),
                            QStringLiteral("--out"), out});
    QCOMPARE(run.exitCode, 0);
    const PngHeader header = pngHeader(QuilletTest::readFile(out));
    QCOMPARE(header.width, 2480u); // the demo's background fills an A4 page at 300 dpi
    QCOMPARE(header.height, 3508u);
    QCOMPARE(header.colourType, 2);
}

void BackgroundCommandTest::badInputExitsTwo_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("usage"); // a usage error adds the usage line
    QTest::newRow("missing project") << QStringLiteral("missing") << false;
    QTest::newRow("garbage project") << QStringLiteral("garbage") << false;
    QTest::newRow("no background") << QStringLiteral("empty") << false;
    QTest::newRow("background of 0 pixels") << QStringLiteral("zero") << false;
    QTest::newRow("unwritable output") << QStringLiteral("unwritable") << false;
    QTest::newRow("no --out") << QStringLiteral("no-out") << true;
    QTest::newRow("two projects") << QStringLiteral("two") << true;
    QTest::newRow("unknown option") << QStringLiteral("option") << true;
}

void BackgroundCommandTest::badInputExitsTwo()
{
    QFETCH(QString, problem);
    QFETCH(bool, usage);
    QTemporaryDir dir;
    QByteArray jpeg;
    QVERIFY(encodeJpeg(noisePicture(20, 10, 17), 90, jpeg));
    ProjectSettings s;
    s.ImgWidth = 20 * double(MmPerPixel);
    s.ImgHeight = 10 * double(MmPerPixel);
    QString project = dir.filePath(QStringLiteral("none.qlet"));
    QString out = dir.filePath(QStringLiteral("out.png"));
    QStringList extra;
    if (problem == QLatin1String("garbage")) {
        QFile file(project);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3000, '\x5A'));
    } else if (problem == QLatin1String("empty")) {
        project = saveProject(dir, QByteArray(), s);
    } else if (problem == QLatin1String("zero")) {
        s.ImgWidth = 0;
        project = saveProject(dir, jpeg, s);
    } else if (problem != QLatin1String("missing")) {
        project = saveProject(dir, jpeg, s);
    }
    if (problem == QLatin1String("unwritable"))
        out = dir.filePath(QStringLiteral("no/such/folder/out.png"));
    if (problem == QLatin1String("two"))
        extra = QStringList{project};
    if (problem == QLatin1String("option"))
        extra = QStringList{QStringLiteral("--dpi"), QStringLiteral("600")};
    QStringList args{QStringLiteral("background"), project};
    if (problem != QLatin1String("no-out"))
        args << QStringLiteral("--out") << out;
    const Run run = runCli(args + extra);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.count('\n'), usage ? 2 : 1);
    QVERIFY(run.err.startsWith("quillet-cli background: "));
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(BackgroundCommandTest)
#include "BackgroundCommandTest.moc"
