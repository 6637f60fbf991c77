// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/NewProject.h"
#include "core/app/NodeGrammar.h"
#include "core/app/ProjectDocument.h"
#include "core/app/ProjectFile.h"
#include "core/app/UserSettings.h"
#include "core/common/Cp1251.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/export/Calibration.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

const QString Sep(FieldSeparator);

QByteArray le64(quint64 v)
{
    QByteArray b(8, '\0');
    for (int i = 0; i < 8; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

QByteArray chunk(const QByteArray& content)
{
    return le64(quint64(content.size())) + content;
}

QByteArray settingsBytes(const QString& text)
{
    return *Cp1251::encode(text);
}

const char* kSettings12 = "\r\n\r\n1\r\nA4/2480,3508\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

QByteArray tinyJpeg()
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

Project sampleProject()
{
    Project p;
    p.BackgroundImage = tinyJpeg();
    p.Structure = FieldTree::fromText(
        QStringLiteral("0000=B2:B50") + Sep + "0000000$00FFFFFF$00000000000010Arial\r\n"
        + "\t0008,47 0016,93/0033,78 0025,32\r\n\t0008,47 0025,40/0033,78 0033,78\r\n"
        + "1001Печать.png" + Sep + "1011$00FFFFFF12" + QChar(4) + "1" + QChar(5) + "200\r\n"
        + "\t0050,00 0050,00/0080,00 0080,00\r\n" + "2002ПРЯМОУГОЛЬНИК" + Sep + "00,250-1" + Sep
        + "1255\r\n");
    p.RelateList = {{QStringLiteral("0-1"), false}, {QStringLiteral("3,5-7"), true}};
    p.ReplaceList = {{QStringLiteral("ivanov"), QStringLiteral("Иванов И.И.")},
                     {QStringLiteral("пусто"), QString()}};
    ProjectSettings& s = p.settings;
    s.xlsFile = QStringLiteral("данные.xlsx");
    s.sheet = QStringLiteral("Лист1");
    s.Direct = 0;
    s.SizeName = QStringLiteral("A4");
    s.PrWidth = 210;
    s.PrHeight = 297;
    s.ImgWidth = double(pixelToMm(2480));
    s.ImgHeight = double(pixelToMm(3507));
    s.horizontalAlign = HAlign::Right;
    s.verticalAlign = VAlign::Bottom;
    s.MirTop = 5;
    s.MirLeft = -2;
    s.Angle1 = -1.25;
    p.NextFieldNumber = 3;
    return p;
}

Project readBytes(const QByteArray& bytes, const ProjectSettings& current = {},
                  const PageSizeCatalog* sizes = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ProjectFile::read(buffer, current, sizes);
}

// A catalogue of named sizes held in memory.
class FixedSizes : public PageSizeCatalog {
public:
    QStringList pageSizeNames() const override
    {
        return {QStringLiteral("A4"), QStringLiteral("A5")};
    }
    std::optional<PageSize> pageSize(const QString& name) const override
    {
        if (name == QLatin1String("A4"))
            return PageSize{210, 297};
        if (name == QLatin1String("A5"))
            return PageSize{148, 210};
        return std::nullopt;
    }
};

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyProjectIsFourChunksAndSettings();
    void writeReadWriteIsByteIdentical();
    void fixturesReadAndWrittenAgainAreUnchanged_data();
    void fixturesReadAndWrittenAgainAreUnchanged();
    void settingsLinesAreExact();
    void emptyReplaceListWritesNoChunkAndReadingEmptiesIt();
    void readersAcceptAnyLineEndAndSpaceIndent();
    void twelveSettingsLinesKeepTheAngle();
    void alignmentOutsideRangeKeepsCurrent();
    void pageSizeLookup_data();
    void pageSizeLookup();
    void negativeMarginRoundTrip();
    void pixelsStayExactForEveryValue();
    void malformedFilesAreErrors_data();
    void malformedFilesAreErrors();
    void invalidTreeLevel();
    void unencodableCharacterNamesTheFieldAndWritesNothing();
    void failedSaveKeepsThePreviousFile();
    void failedLoadKeepsTheCurrentProject();
    void loadSetsNextFieldNumberAndUnmarks();
    void unsavedChangesAreNoticed();
    void userSettingsPageSizes();
    void standardPageSizesForANewUserOnly();
    void userSettingsWritesThatFailAreReported_data();
    void userSettingsWritesThatFailAreReported();
    void newProjectInheritsWhatTheUserKeeps();
};

void ProjectFileTest::emptyProjectIsFourChunksAndSettings()
{
    Project p;
    p.settings.SizeName = QStringLiteral("A4");
    p.settings.PrWidth = double(pixelToMm(2480));
    p.settings.PrHeight = double(pixelToMm(3508));
    const QByteArray bytes = ProjectFile::serialize(p);
    const QByteArray settings =
        "\r\n\r\n1\r\nA4/2480,3508\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    QCOMPARE(bytes, le64(0) + le64(0) + le64(0) + chunk(settings));
    QCOMPARE(bytes.size(), 8 + 8 + 8 + 8 + settings.size());
    const Project back = readBytes(bytes);
    QCOMPARE(back.settings, p.settings);
    QVERIFY(back.Structure.isEmpty());
    QVERIFY(back.RelateList.empty());
    QVERIFY(back.BackgroundImage.isEmpty());
}

void ProjectFileTest::writeReadWriteIsByteIdentical()
{
    const QByteArray first = ProjectFile::serialize(sampleProject());
    const Project back = readBytes(first);
    QCOMPARE(back.Structure, sampleProject().Structure);
    QCOMPARE(back.ReplaceList, sampleProject().ReplaceList);
    QCOMPARE(back.RelateList.size(), size_t(2));
    QCOMPARE(back.RelateList[1].text, QStringLiteral("3,5-7"));
    QCOMPARE(back.BackgroundImage, sampleProject().BackgroundImage);
    QCOMPARE(ProjectFile::serialize(back), first);
    // And once more through the file system.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    ProjectFile::save(back, path);
    QCOMPARE(QuilletTest::readFile(path), first);
    QCOMPARE(ProjectFile::serialize(ProjectFile::load(path)), first);
}

void ProjectFileTest::fixturesReadAndWrittenAgainAreUnchanged_data()
{
    // Every project under tests/data, and the bundled demo: fields with and without comb
    // items keep their node texts, everything else its bytes.
    QTest::addColumn<QString>("path");
    const QDir data(QuilletTest::dataPath(QString()));
    QDirIterator files(data.path(), {QStringLiteral("*.qlet")}, QDir::Files,
                       QDirIterator::Subdirectories);
    QStringList paths;
    while (files.hasNext())
        paths << files.next();
    paths.sort();
    QVERIFY(!paths.isEmpty());
    for (const QString& path : paths)
        QTest::newRow(qPrintable(data.relativeFilePath(path))) << path;
    QTest::newRow("demo") << QuilletTest::demoProjectPath();
}

void ProjectFileTest::fixturesReadAndWrittenAgainAreUnchanged()
{
    QFETCH(QString, path);
    const QByteArray bytes = QuilletTest::readFile(path);
    QCOMPARE(ProjectFile::serialize(readBytes(bytes)), bytes);
}

void ProjectFileTest::settingsLinesAreExact()
{
    const QByteArray bytes = ProjectFile::serialize(sampleProject());
    const QByteArray expected =
        settingsBytes(QStringLiteral("данные.xlsx\r\nЛист1\r\n0\r\nA4/2480,3508\r\n2480\r\n3507\r\n"
                                     "2\r\n2\r\n59\r\n0\r\n-24\r\n0\r\n-1,25\r\n"));
    QVERIFY2(bytes.contains(chunk(expected)), bytes.right(200).toHex().constData());
    // The tree chunk: fields at level 0, blocks after one tab, CR LF everywhere.
    QVERIFY(bytes.contains("\r\n\t0008,47 0016,93/0033,78 0025,32\r\n"));
    // The replace chunk comes last: find, replacement, each on its own line.
    QVERIFY(
        bytes.endsWith(settingsBytes(QStringLiteral("ivanov\r\nИванов И.И.\r\nпусто\r\n\r\n"))));
}

void ProjectFileTest::emptyReplaceListWritesNoChunkAndReadingEmptiesIt()
{
    Project p = sampleProject();
    p.ReplaceList.clear();
    const QByteArray bytes = ProjectFile::serialize(p);
    QVERIFY(bytes.endsWith("-1,25\r\n"));
    const Project back = readBytes(bytes);
    QVERIFY(back.ReplaceList.empty());
    // An odd last line is ignored.
    const QByteArray odd = bytes + chunk("a\r\nA\r\nb\r\nB\r\nc\r\n");
    QCOMPARE(readBytes(odd).ReplaceList.size(), size_t(2));
}

void ProjectFileTest::readersAcceptAnyLineEndAndSpaceIndent()
{
    const QByteArray tree = "0000x\x08"
                            "0000000$00FFFFFF$00000000000010Arial\n"
                            "  0001,00 0001,00/0002,00 0002,00\r"
                            " 0003,00 0003,00/0004,00 0004,00\r\n"
                            "0001y\x08"
                            "0000000$00FFFFFF$00000000000010Arial";
    const auto file = [](const QByteArray& t) {
        return le64(0) + chunk(t) + chunk("1-2\n3") + chunk(kSettings12);
    };
    // Two spaces after a field put the node two levels down: an invalid level.
    QVERIFY_THROWS_EXCEPTION(ConversionError, readBytes(file(tree)));
    QByteArray fixed = tree;
    fixed.replace("  0001,00", " 0001,00");
    const Project p = readBytes(file(fixed));
    QCOMPARE(p.Structure.fields.size(), size_t(2));
    QCOMPARE(p.Structure.fields[0].blocks.size(), size_t(2));
    QCOMPARE(p.Structure.fields[0].blocks[1].text,
             QStringLiteral("0003,00 0003,00/0004,00 0004,00"));
    QCOMPARE(p.RelateList.size(), size_t(2));
    QCOMPARE(p.settings.Angle1, 0.0);
}

void ProjectFileTest::twelveSettingsLinesKeepTheAngle()
{
    ProjectSettings current;
    current.Angle1 = 7.5;
    const QByteArray bytes = le64(0) + le64(0) + le64(0) + chunk(kSettings12);
    QCOMPARE(readBytes(bytes, current).settings.Angle1, 7.5);
    QCOMPARE(readBytes(bytes + chunk("\r\n")).settings.Angle1, 0.0); // empty pairs chunk
    const QByteArray withAngle =
        le64(0) + le64(0) + le64(0) + chunk(QByteArray(kSettings12) + "-1.25\r\n");
    QCOMPARE(readBytes(withAngle, current).settings.Angle1, -1.25);
}

void ProjectFileTest::alignmentOutsideRangeKeepsCurrent()
{
    ProjectSettings current;
    current.horizontalAlign = HAlign::Right;
    current.verticalAlign = VAlign::Middle;
    QByteArray settings = "\r\n\r\n1\r\nA4/2480,3508\r\n0\r\n0\r\n7\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    const Project p = readBytes(le64(0) + le64(0) + le64(0) + chunk(settings), current);
    QCOMPARE(p.settings.horizontalAlign, HAlign::Right);
    QCOMPARE(p.settings.verticalAlign, VAlign::Top);
}

void ProjectFileTest::pageSizeLookup_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("lower-case name found") << "a4/100,100"
                                           << "A4" << 210.0 << 297.0;
    QTest::newRow("unknown keeps pixels and spelling")
        << "Бланк/1181,500"
        << "Бланк" << double(pixelToMm(1181)) << double(pixelToMm(500));
    QTest::newRow("zero pixels become one") << "x/0,0"
                                            << "x" << double(MmPerPixel) << double(MmPerPixel);
}

void ProjectFileTest::pageSizeLookup()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(double, width);
    QFETCH(double, height);
    const QByteArray settings =
        settingsBytes("\r\n\r\n1\r\n" + line + "\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    FixedSizes sizes;
    const Project p = readBytes(le64(0) + le64(0) + le64(0) + chunk(settings), {}, &sizes);
    QCOMPARE(p.settings.SizeName, name);
    QCOMPARE(p.settings.PrWidth, width);
    QCOMPARE(p.settings.PrHeight, height);
}

void ProjectFileTest::negativeMarginRoundTrip()
{
    Project p;
    p.settings.MirLeft = -2;
    const Project back = readBytes(ProjectFile::serialize(p));
    QCOMPARE(back.settings.MirLeft, double(-24 * MmPerPixel));
    QVERIFY(qAbs(back.settings.MirLeft + 2.032) < 1e-12);
}

void ProjectFileTest::pixelsStayExactForEveryValue()
{
    // Stored pixels come back as the same pixels after a read and a second write.
    Project p;
    for (int px = -5000; px <= 5000; px += 37) {
        p.settings.ImgWidth = double(pixelToMm(px));
        p.settings.MirTop = double(pixelToMm(-px));
        const QByteArray bytes = ProjectFile::serialize(p);
        QCOMPARE(ProjectFile::serialize(readBytes(bytes)), bytes);
    }
}

void ProjectFileTest::malformedFilesAreErrors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = ProjectFile::serialize(sampleProject());
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("half a length") << QByteArray("\x05\x00\x00", 3);
    QTest::newRow("truncated") << good.left(good.size() - 10);
    QTest::newRow("huge length") << le64(~0ULL) + QByteArray("x");
    QTest::newRow("length past end") << le64(1000) + QByteArray(10, 'x');
    QTest::newRow("garbage jpeg") << chunk("not a jpeg") + le64(0) + le64(0) + chunk(kSettings12);
    QTest::newRow("settings missing") << le64(0) + le64(0) + le64(0);
    QTest::newRow("eleven settings lines")
        << le64(0) + le64(0) + le64(0)
               + chunk("\r\n\r\n1\r\nA4/1,1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("width not a number")
        << le64(0) + le64(0) + le64(0)
               + chunk("\r\n\r\n1\r\nA4/1,1\r\nx\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("size without numbers")
        << le64(0) + le64(0) + le64(0)
               + chunk("\r\n\r\n1\r\nA4\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("absurd page")
        << le64(0) + le64(0) + le64(0)
               + chunk("\r\n\r\n1\r\nA4/99999999999,1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("angle not a number")
        << le64(0) + le64(0) + le64(0) + chunk(QByteArray(kSettings12) + "abc\r\n");
    QTest::newRow("field without id") << le64(0) + chunk("abc\r\n") + le64(0) + chunk(kSettings12);
    Project noPairs = sampleProject();
    noPairs.ReplaceList.clear();
    QTest::newRow("pairs truncated") << ProjectFile::serialize(noPairs) + le64(50) + "xx";
    QTest::newRow("pairs length cut") << ProjectFile::serialize(noPairs) + "\x01\x02";
}

void ProjectFileTest::malformedFilesAreErrors()
{
    QFETCH(QByteArray, bytes);
    try {
        readBytes(bytes);
        QFAIL("no error");
    } catch (const Error& e) {
        QVERIFY(!e.message().isEmpty());
        QVERIFY(!e.message().contains(QLatin1Char('\n')));
    }
}

void ProjectFileTest::invalidTreeLevel()
{
    QVERIFY_THROWS_EXCEPTION(ConversionError, FieldTree::fromText(u"0000\r\n\t\tx\r\n"));
    // Blocks have no children even when the indentation steps one level at a time.
    QVERIFY_THROWS_EXCEPTION(ConversionError, FieldTree::fromText(u"0000\r\n\tx\r\n\t\ty\r\n"));
    // The first line is a field whatever its indentation; lower levels close blocks.
    const FieldTree tree = FieldTree::fromText(u"\t0000\r\n\tb1\r\n0001\r\n");
    QCOMPARE(tree.fields.size(), size_t(2));
    QCOMPARE(tree.fields[0].blocks.size(), size_t(1));
}

void ProjectFileTest::unencodableCharacterNamesTheFieldAndWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    Project p = sampleProject();
    ProjectFile::save(p, path);
    const QByteArray before = QuilletTest::readFile(path);
    p.Structure.fields[1].text = QStringLiteral("1001печать 😀.png") + Sep + "0000$00000000" + "10";
    try {
        ProjectFile::save(p, path);
        QFAIL("no error");
    } catch (const ConversionError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("Поле 1001")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("U+1F600")), qPrintable(e.message()));
    }
    QCOMPARE(QuilletTest::readFile(path), before);
    p = sampleProject();
    p.ReplaceList.push_back({QStringLiteral("x"), QStringLiteral("中")});
    QVERIFY_THROWS_EXCEPTION(ConversionError, ProjectFile::serialize(p));
    p = sampleProject();
    p.settings.sheet = QStringLiteral("シート");
    QVERIFY_THROWS_EXCEPTION(ConversionError, ProjectFile::serialize(p));
}

void ProjectFileTest::failedSaveKeepsThePreviousFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    ProjectDocument doc;
    doc.project = sampleProject();
    doc.WriteProjectFile(path);
    const QByteArray before = QuilletTest::readFile(path);
    // A folder that cannot take the temporary file: the save fails, the file stays.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    doc.project.settings.sheet = QStringLiteral("другой");
    const bool root = QFileInfo(dir.path()).isWritable();
    if (!root) {
        QVERIFY_THROWS_EXCEPTION(FileError, doc.WriteProjectFile(path));
        QCOMPARE(QuilletTest::readFile(path), before);
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Unencodable text fails before anything is written, also as root.
    doc.project.settings.sheet = QStringLiteral("シート");
    QVERIFY_THROWS_EXCEPTION(ConversionError, doc.WriteProjectFile(dir.filePath("q.qlet")));
    QVERIFY(!QFile::exists(dir.filePath("q.qlet")));
    QCOMPARE(doc.ProjectPath, path);
}

void ProjectFileTest::failedLoadKeepsTheCurrentProject()
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.qlet"));
    const QString bad = dir.filePath(QStringLiteral("bad.qlet"));
    ProjectFile::save(sampleProject(), good);
    QByteArray broken = ProjectFile::serialize(sampleProject());
    broken.chop(30); // cut inside the settings: background and tree would read fine
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(broken);
    f.close();

    ProjectDocument doc;
    QVERIFY(doc.LoadProject(good));
    doc.PushUndoSnapshot();
    QVERIFY_THROWS_EXCEPTION(FileError, doc.LoadProject(bad));
    QCOMPARE(doc.ProjectPath, good);
    QCOMPARE(doc.project, ProjectFile::load(good));
    QCOMPARE(doc.undo.available(), 1);
    QVERIFY(!doc.LoadProject(dir.filePath(QStringLiteral("missing.qlet"))));
    QCOMPARE(doc.ProjectPath, good);
}

void ProjectFileTest::loadSetsNextFieldNumberAndUnmarks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    Project p = sampleProject();
    p.Structure.fields.push_back(FieldNode{{QStringLiteral("0012z") + Sep, true}, {}});
    ProjectFile::save(p, path);
    ProjectDocument doc;
    doc.project.Structure.fields.push_back(FieldNode{{QStringLiteral("0500"), true}, {}});
    QVERIFY(doc.LoadProject(path));
    QCOMPARE(doc.project.NextFieldNumber, 13);
    for (const FieldNode& f : doc.project.Structure.fields)
        QVERIFY(!f.marked);
    QCOMPARE(doc.undo.available(), 0);
    QVERIFY(!doc.Undo()); // undo after loading does nothing
}

void ProjectFileTest::unsavedChangesAreNoticed()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    ProjectDocument doc;
    QVERIFY(!doc.hasUnsavedChanges());
    doc.project = sampleProject();
    QVERIFY(doc.hasUnsavedChanges());
    doc.WriteProjectFile(path);
    QVERIFY(!doc.hasUnsavedChanges());
    doc.project.Structure.fields[0].marked = true; // marks are not part of the project
    QVERIFY(!doc.hasUnsavedChanges());
    doc.project.settings.MirTop = 1;
    QVERIFY(doc.hasUnsavedChanges());
}

void ProjectFileTest::userSettingsPageSizes()
{
    QTemporaryDir dir;
    UserSettings settings(dir.filePath(QStringLiteral("user.ini")));
    QVERIFY(settings.pageSizeNames().isEmpty());
    settings.savePageSize(QStringLiteral("A4"), {210, 297});
    settings.savePageSize(QStringLiteral("Конверт C5/C6"), {114, 229});
    QCOMPARE(settings.pageSizeNames().size(), 2);
    QVERIFY(settings.pageSizeNames().contains(QStringLiteral("Конверт C5/C6")));
    QCOMPARE(settings.pageSize(QStringLiteral("Конверт C5/C6"))->widthMm, 114.0);
    QVERIFY(!settings.pageSize(QStringLiteral("A3")).has_value());

    const QByteArray bytes =
        le64(0) + le64(0) + le64(0)
        + chunk("\r\n\r\n1\r\na4/1,1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    const Project p = readBytes(bytes, {}, &settings);
    QCOMPARE(p.settings.SizeName, QStringLiteral("A4"));
    QCOMPARE(p.settings.PrHeight, 297.0);
    settings.removePageSize(QStringLiteral("A4"));
    QVERIFY(!settings.pageSize(QStringLiteral("A4")).has_value());

    settings.writeRecentProjects({QStringLiteral("/a.qlet"), QStringLiteral("/б.qlet")});
    QCOMPARE(settings.recentProjects(),
             QStringList({QStringLiteral("/a.qlet"), QStringLiteral("/б.qlet")}));
    QVERIFY(!settings.calibratedScale().has_value());
    settings.setCalibratedScale(0.32);
    QCOMPARE(*settings.calibratedScale(), 0.32);
}

void ProjectFileTest::standardPageSizesForANewUserOnly()
{
    QTemporaryDir dir;
    UserSettings settings(dir.filePath(QStringLiteral("user.ini")));
    QVERIFY(settings.addStandardPageSizes());
    QCOMPARE(settings.pageSizeNames().mid(0, 6),
             (QStringList{"A4", "A4 альбомная", "A5", "A5 альбомная", "A3", "A3 альбомная"}));
    QCOMPARE(settings.pageSizeNames().size(), 10);
    // Kept on whole page pixels, as a typed size is: 2480 × 3508 pixels.
    QCOMPARE(settings.pageSize(QStringLiteral("A4"))->widthMm, double(pixelToMm(2480)));
    QCOMPARE(settings.pageSize(QStringLiteral("A4 альбомная"))->widthMm, double(pixelToMm(3508)));
    // Sizes the user deleted do not come back; nor are they added beside the user's own.
    for (const QString& name : settings.pageSizeNames())
        settings.removePageSize(name);
    QVERIFY(!UserSettings(dir.filePath(QStringLiteral("user.ini"))).addStandardPageSizes());
    UserSettings other(dir.filePath(QStringLiteral("other.ini")));
    other.savePageSize(QStringLiteral("Конверт"), {110, 220});
    QVERIFY(!other.addStandardPageSizes());
    QCOMPARE(other.pageSizeNames(), QStringList{QStringLiteral("Конверт")});
    // The standard ones a store holds come first, whatever the store's own order.
    other.savePageSize(QStringLiteral("A4"), {210, 297});
    QCOMPARE(other.pageSizeNames(), (QStringList{"A4", "Конверт"}));
}

void ProjectFileTest::userSettingsWritesThatFailAreReported_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("page size") << "размер страницы «A5»";
    QTest::newRow("page size removed") << "удаление размера страницы «A5»";
    QTest::newRow("recent projects") << "список последних проектов";
    QTest::newRow("screen calibration") << "калибровку экрана";
    QTest::newRow("advertising page") << "адрес рекламной страницы";
    QTest::newRow("printer calibration") << "калибровку принтера «P»";
}

void ProjectFileTest::userSettingsWritesThatFailAreReported()
{
    QFETCH(QString, what);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(folder));
    UserSettings settings(folder + QStringLiteral("/user.ini"));
    settings.savePageSize(QStringLiteral("A5"), {148, 210});
    // The store's folder becomes a file: nothing can be written (as root too, unlike a
    // read-only file).
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    PrinterCalibration shifted;
    shifted.offsetXMm = 1;
    const auto write = [&] {
        if (what.startsWith(QStringLiteral("размер")))
            settings.savePageSize(QStringLiteral("A5"), {148, 210});
        else if (what.startsWith(QStringLiteral("удаление")))
            settings.removePageSize(QStringLiteral("A5"));
        else if (what.startsWith(QStringLiteral("список")))
            settings.writeRecentProjects({QStringLiteral("/a.qlet")});
        else if (what.startsWith(QStringLiteral("калибровку экрана")))
            settings.setCalibratedScale(0.32);
        else if (what.startsWith(QStringLiteral("адрес")))
            settings.setAdvertPage(QStringLiteral("https://example.org/"));
        else
            settings.setCalibration(QStringLiteral("P"), true, shifted);
    };
    try {
        write();
        QFAIL("a write the store cannot keep was taken as done");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(what) && e.message().contains(folder),
                 qPrintable(e.message()));
    }
    // Once the folder can be made, the same write goes through: a failure is not
    // reported again for what then works.
    QVERIFY(QFile::remove(folder) && QDir().mkpath(folder));
    try {
        write();
    } catch (const Error& e) {
        QFAIL(qPrintable(e.message()));
    }
}

void ProjectFileTest::newProjectInheritsWhatTheUserKeeps()
{
    Project old;
    ProjectSettings& s = old.settings;
    s.xlsFile = QStringLiteral("book.xlsx");
    s.sheet = QStringLiteral("Лист1");
    s.Direct = 0;
    s.SizeName = QStringLiteral("Конверт");
    s.PrWidth = 100;
    s.ImgWidth = s.ImgHeight = 50;
    s.MirTop = s.MirBottom = s.MirLeft = s.MirRight = 3;
    s.horizontalAlign = HAlign::Right;
    s.verticalAlign = VAlign::Bottom;
    s.Angle1 = 1.5;
    old.BackgroundImage = QByteArray("jpeg");
    old.Structure = FieldTree::fromText(u"0003Text\r\n");
    old.RelateList.push_back({QStringLiteral("1,2"), true});
    old.ReplaceList.push_back({QStringLiteral("a"), QStringLiteral("b")});
    old.NextFieldNumber = 4;

    const FixedSizes sizes;
    Project fresh = newProjectFrom(old, &sizes);
    QCOMPARE(fresh.settings.xlsFile, s.xlsFile);
    QCOMPARE(fresh.settings.Direct, 0);
    QCOMPARE(fresh.settings.horizontalAlign, HAlign::Right);
    QCOMPARE(fresh.settings.verticalAlign, VAlign::Bottom);
    QCOMPARE(fresh.settings.Angle1, 1.5);
    QCOMPARE(fresh.ReplaceList, old.ReplaceList);
    QVERIFY(fresh.settings.sheet.isEmpty());
    QCOMPARE(fresh.settings.SizeName, QStringLiteral("A4"));
    QCOMPARE(fresh.settings.PrWidth, 210.0);
    QCOMPARE(fresh.settings.PrHeight, 297.0);
    QCOMPARE(fresh.settings.ImgWidth + fresh.settings.ImgHeight, 0.0);
    QCOMPARE(fresh.settings.MirTop + fresh.settings.MirBottom + fresh.settings.MirLeft
                 + fresh.settings.MirRight,
             0.0);
    QVERIFY(fresh.BackgroundImage.isEmpty() && fresh.Structure.isEmpty());
    QVERIFY(fresh.RelateList.empty());
    QCOMPARE(fresh.NextFieldNumber, 0);

    // Without named sizes the page keeps its size.
    fresh = newProjectFrom(old, nullptr);
    QCOMPARE(fresh.settings.SizeName, s.SizeName);
    QCOMPARE(fresh.settings.PrWidth, 100.0);
}

QTEST_GUILESS_MAIN(ProjectFileTest)
#include "ProjectFileTest.moc"
