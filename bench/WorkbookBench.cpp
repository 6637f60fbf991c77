// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Opens a generated 100,000-row × 8-column .xlsx (numbers, dates, percentages, date
// times, shared-string texts) and reads every cell's displayed text; then the same for
// the largest sheet an .xls holds, 65,536 rows × 8 columns: the first 65,536 rows of
// that workbook, saved as .xls by LibreOffice (skipped, with a note, without soffice).
//
// The workbooks are generated first and written to temporary files; the program then
// executes itself on each file, so the peak memory it reports is that of opening and
// reading alone. "seconds" is the processor time (user + system) of opening and
// reading, which is what one core spends however busy the machine is; the wall-clock
// time is printed beside it. Last line of output: {"seconds":…,"cells":…,"peak_mb":…,
// …,"xls_seconds":…,"xls_seconds_per_cell":…} (the plain names are the .xlsx figures).

#include "core/common/Errors.h"
#include "core/workbook/XlsReader.h"
#include "core/workbook/XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <zip.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

using namespace Quillet;

namespace {

constexpr int Rows = 100000;
constexpr int XlsRows = 65536;
constexpr int Columns = 8;

std::string columnName(int column)
{
    std::string name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), char('A' + (c - 1) % 26));
    return name;
}

std::string sheetXml(int rows, int* sharedCount)
{
    std::string xml;
    xml.reserve(size_t(rows) * 420);
    xml += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<dimension ref=\"A1:H"
           + std::to_string(rows) + "\"/><sheetData>";
    char cell[160];
    int shared = 0;
    for (int r = 1; r <= rows; ++r) {
        xml += "<row r=\"" + std::to_string(r) + "\">";
        const std::string row = std::to_string(r);
        auto add = [&](int column, const char* attributes, const std::string& value) {
            std::snprintf(cell, sizeof cell, "<c r=\"%s%s\"%s><v>", columnName(column).c_str(),
                          row.c_str(), attributes);
            xml += cell;
            xml += value;
            xml += "</v></c>";
        };
        char number[64];
        add(1, "", std::to_string(r));
        std::snprintf(number, sizeof number, "%.2f", r * 12.345 - 5000);
        add(2, " s=\"1\"", number);
        add(3, " s=\"2\"", std::to_string(40000 + r % 9000));
        std::snprintf(number, sizeof number, "%.4f", (r % 1000) / 997.0);
        add(4, " s=\"3\"", number);
        add(5, " t=\"s\"", std::to_string(r % 500));
        std::snprintf(number, sizeof number, "%.6f", 44000 + r / 7.0);
        add(6, " s=\"4\"", number);
        std::snprintf(number, sizeof number, "%.15g", r / 3.0);
        add(7, "", number);
        add(8, " t=\"s\"", std::to_string(500 + r - 1));
        xml += "</row>";
    }
    xml += "</sheetData></worksheet>";
    *sharedCount = 500 + rows;
    shared = *sharedCount;
    (void)shared;
    return xml;
}

std::string sharedStringsXml(int count)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst xmlns=\"http://schemas."
                      "openxmlformats.org/spreadsheetml/2006/main\">";
    for (int i = 0; i < count; ++i) {
        if (i < 500)
            xml += "<si><t>Категория " + std::to_string(i) + "</t></si>";
        else
            xml += "<si><t>Иванов Пётр, запись " + std::to_string(i - 499) + "</t></si>";
    }
    return xml + "</sst>";
}

const char* ContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/"
    "package/2006/content-types\"><Default Extension=\"rels\" ContentType=\"application/"
    "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" ContentType="
    "\"application/xml\"/></Types>";
const char* RootRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas."
    "openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://"
    "schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
const char* WorkbookXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"http://schemas.openxmlformats."
    "org/spreadsheetml/2006/main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/"
    "2006/relationships\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
    "</workbook>";
const char* WorkbookRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas."
    "openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://"
    "schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\""
    "worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats."
    "org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/styles\" Target=\"styles.xml\"/></Relationships>";
const char* StylesXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"http://schemas."
    "openxmlformats.org/spreadsheetml/2006/main\"><numFmts count=\"1\"><numFmt numFmtId=\"164\""
    " formatCode=\"dd.mm.yyyy hh:mm\"/></numFmts><cellXfs count=\"5\"><xf numFmtId=\"0\"/>"
    "<xf numFmtId=\"4\" applyNumberFormat=\"1\"/><xf numFmtId=\"14\" applyNumberFormat=\"1\"/>"
    "<xf numFmtId=\"10\" applyNumberFormat=\"1\"/><xf numFmtId=\"164\" applyNumberFormat=\"1\"/>"
    "</cellXfs></styleSheet>";

bool addEntry(zip_t* archive, const char* name, const std::string& content)
{
    void* copy = std::malloc(content.size());
    std::memcpy(copy, content.data(), content.size());
    zip_source_t* source = zip_source_buffer(archive, copy, content.size(), 1);
    return source && zip_file_add(archive, name, source, ZIP_FL_OVERWRITE) >= 0;
}

// Writes the workbook of `rows` rows; returns the size of the uncompressed sheet XML.
size_t generate(const QString& path, int rows)
{
    int sharedCount = 0;
    const std::string sheet = sheetXml(rows, &sharedCount);
    int error = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return 0;
    const bool ok = addEntry(archive, "[Content_Types].xml", ContentTypes)
                    && addEntry(archive, "_rels/.rels", RootRels)
                    && addEntry(archive, "xl/workbook.xml", WorkbookXml)
                    && addEntry(archive, "xl/_rels/workbook.xml.rels", WorkbookRels)
                    && addEntry(archive, "xl/styles.xml", StylesXml)
                    && addEntry(archive, "xl/sharedStrings.xml", sharedStringsXml(sharedCount))
                    && addEntry(archive, "xl/worksheets/sheet1.xml", sheet);
    if (zip_close(archive) != 0 || !ok)
        return 0;
    return sheet.size();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The high-water mark of this process's own memory. getrusage's maximum would carry the
// parent's from before the exec (the forked copy counts), which hides what reading costs.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Child process: opens and reads one workbook, prints its figures and, last, one JSON
// object of them.
int measure(const QString& path, int rows, double sheetMegabytes)
{
    using Clock = std::chrono::steady_clock;
    const bool xls = path.endsWith(QLatin1String(".xls"));
    const double startPeak = peakMegabytes();
    const double startCpu = cpuSeconds();
    const auto start = Clock::now();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return 1;
    }
    WorkbookOptions options;
    options.locale = QLocale(QLocale::Russian, QLocale::Russia);
    std::unique_ptr<Workbook> workbook;
    try {
        workbook = xls ? XlsReader().read(file, QStringLiteral("bench.xls"), options)
                       : XlsxReader().read(file, QStringLiteral("bench.xlsx"), options);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    const auto opened = Clock::now();
    const double openedCpu = cpuSeconds();
    const Worksheet* sheet = workbook->worksheet(workbook->activeSheetName());
    long long cells = 0;
    long long characters = 0;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= Columns; ++c) {
            characters += sheet->cellText(r, c).size();
            ++cells;
        }
    }
    const auto done = Clock::now();
    const double doneCpu = cpuSeconds();
    const double openSeconds = std::chrono::duration<double>(opened - start).count();
    const double readSeconds = std::chrono::duration<double>(done - opened).count();
    const double peak = peakMegabytes();
    const double seconds = doneCpu - startCpu;
    std::printf("[%s] sample row 2: %s | %s | %s | %s | %s | %s | %s | %s\n", xls ? "xls" : "xlsx",
                qPrintable(sheet->cellText(2, 1)), qPrintable(sheet->cellText(2, 2)),
                qPrintable(sheet->cellText(2, 3)), qPrintable(sheet->cellText(2, 4)),
                qPrintable(sheet->cellText(2, 5)), qPrintable(sheet->cellText(2, 6)),
                qPrintable(sheet->cellText(2, 7)), qPrintable(sheet->cellText(2, 8)));
    std::printf("[%s] file %.1f MB, %s %.1f MB, %lld cells, %lld characters\n",
                xls ? "xls" : "xlsx", file.size() / 1048576.0,
                xls ? "workbook stream" : "sheet XML", sheetMegabytes, cells, characters);
    std::printf("[%s] wall clock: open %.3f s, read all cells %.3f s, total %.3f s\n",
                xls ? "xls" : "xlsx", openSeconds, readSeconds, openSeconds + readSeconds);
    std::printf("[%s] processor: open %.3f s, read all cells %.3f s, total %.3f s, "
                "%.3g s per cell\n",
                xls ? "xls" : "xlsx", openedCpu - startCpu, doneCpu - openedCpu, seconds,
                seconds / double(cells));
    std::printf("[%s] peak RSS %.1f MB (%.1f MB before opening)\n", xls ? "xls" : "xlsx", peak,
                startPeak);
    std::printf("{\"seconds\":%.3f,\"cells\":%lld,\"peak_mb\":%.1f,\"open_seconds\":%.3f,"
                "\"read_seconds\":%.3f,\"wall_seconds\":%.3f,\"sheet_xml_mb\":%.1f,"
                "\"seconds_per_cell\":%.3g}\n",
                seconds, cells, peak, openedCpu - startCpu, doneCpu - openedCpu,
                openSeconds + readSeconds, sheetMegabytes, seconds / double(cells));
    return 0;
}

// Runs this program on `path` in a fresh process (so the peak memory is that of reading
// alone), passes its lines on and returns the figures of its last line; empty on failure.
QJsonObject measureInChild(const QString& path, int rows, size_t sheetBytes)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral("/proc/self/exe"),
                {QStringLiteral("--read"), path, QString::number(rows),
                 QString::number(sheetBytes / 1048576.0)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return {};
    QList<QByteArray> lines = child.readAllStandardOutput().trimmed().split('\n');
    const QByteArray figures = lines.takeLast();
    for (const QByteArray& line : lines)
        std::printf("%s\n", line.constData());
    std::fflush(stdout);
    return QJsonDocument::fromJson(figures).object();
}

// Saves the .xlsx at `source` as .xls through LibreOffice, with a private profile;
// returns the .xls path, or empty (with the reason in `problem`) when soffice is absent
// or fails.
QString convertToXls(const QString& source, const QTemporaryDir& work, QString* problem)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        *problem = QStringLiteral("soffice is absent");
        return {};
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work.filePath("lo"),
                            QStringLiteral("--headless"),
                            // The generated package names no content types LibreOffice's
                            // detection would know it by.
                            QStringLiteral("--infilter=Calc MS Excel 2007 XML"),
                            QStringLiteral("--convert-to"), QStringLiteral("xls"), source,
                            QStringLiteral("--outdir"), work.filePath("xls")});
    const bool finished = process.waitForFinished(600000);
    const QString xls =
        work.filePath(QStringLiteral("xls/") + QFileInfo(source).completeBaseName() + ".xls");
    if (finished && QFile::exists(xls))
        return xls;
    *problem = QStringLiteral("soffice failed (exit %1): %2")
                   .arg(process.exitCode())
                   .arg(QString::fromLocal8Bit(process.readAll()).trimmed().right(300));
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 5 && std::strcmp(argv[1], "--read") == 0)
        return measure(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atof(argv[4]));
    QTemporaryDir work(QDir::temp().filePath(QStringLiteral("quillet-bench-workbook-XXXXXX")));
    const QString path = work.filePath(QStringLiteral("bench.xlsx"));
    const size_t sheetBytes = generate(path, Rows);
    if (!work.isValid() || sheetBytes == 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("generated %d rows x %d columns in %s\n", Rows, Columns, qPrintable(path));
    std::fflush(stdout);
    QJsonObject figures = measureInChild(path, Rows, sheetBytes);
    if (figures.isEmpty())
        return 1;
    const QString xlsxSource = work.filePath(QStringLiteral("bench-xls.xlsx"));
    const size_t xlsSheetBytes = generate(xlsxSource, XlsRows);
    QString problem = QStringLiteral("cannot write the workbook to convert");
    const QString xls = xlsSheetBytes ? convertToXls(xlsxSource, work, &problem) : QString();
    if (xls.isEmpty()) {
        std::printf("note: no .xls figures (%s)\n", qPrintable(problem));
    } else {
        std::printf("saved the first %d rows as .xls with LibreOffice\n", XlsRows);
        std::fflush(stdout);
        const QJsonObject xlsFigures = measureInChild(xls, XlsRows, xlsSheetBytes);
        if (xlsFigures.isEmpty())
            return 1;
        for (auto it = xlsFigures.begin(); it != xlsFigures.end(); ++it)
            figures.insert(QStringLiteral("xls_") + it.key(), it.value());
        std::printf("seconds per cell: xlsx %.3g, xls %.3g\n",
                    figures.value("seconds_per_cell").toDouble(),
                    figures.value("xls_seconds_per_cell").toDouble());
    }
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
    return 0;
}
