// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Opens a generated 100,000-row × 8-column .xlsx (numbers, dates, percentages, date
// times, shared-string texts) and reads every cell's displayed text.
//
// The workbook is generated first and written to a temporary file; the program then
// executes itself on that file, so the peak memory it reports is that of opening and
// reading alone. "seconds" is the processor time (user + system) of opening and
// reading, which is what one core spends however busy the machine is; the wall-clock
// time is printed beside it. Last line of output: {"seconds":…,"cells":…,"peak_mb":…}.

#include "core/common/Errors.h"
#include "core/workbook/XlsxReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <zip.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

using namespace Quillet;

namespace {

constexpr int Rows = 100000;
constexpr int Columns = 8;

std::string columnName(int column)
{
    std::string name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), char('A' + (c - 1) % 26));
    return name;
}

std::string sheetXml(int* sharedCount)
{
    std::string xml;
    xml.reserve(size_t(Rows) * 420);
    xml += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<dimension ref=\"A1:H" + std::to_string(Rows) + "\"/><sheetData>";
    char cell[160];
    int shared = 0;
    for (int r = 1; r <= Rows; ++r) {
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
    *sharedCount = 500 + Rows;
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

// Writes the workbook; returns the size of the uncompressed sheet XML.
size_t generate(const QString& path)
{
    int sharedCount = 0;
    const std::string sheet = sheetXml(&sharedCount);
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

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

int measure(const QString& path, double sheetMegabytes)
{
    using Clock = std::chrono::steady_clock;
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
        workbook = XlsxReader().read(file, QStringLiteral("bench.xlsx"), options);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    const auto opened = Clock::now();
    const double openedCpu = cpuSeconds();
    const Worksheet* sheet = workbook->worksheet(workbook->activeSheetName());
    long long cells = 0;
    long long characters = 0;
    for (int r = 1; r <= Rows; ++r) {
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
    std::printf("sample row 2: %s | %s | %s | %s | %s | %s | %s | %s\n",
                qPrintable(sheet->cellText(2, 1)), qPrintable(sheet->cellText(2, 2)),
                qPrintable(sheet->cellText(2, 3)), qPrintable(sheet->cellText(2, 4)),
                qPrintable(sheet->cellText(2, 5)), qPrintable(sheet->cellText(2, 6)),
                qPrintable(sheet->cellText(2, 7)), qPrintable(sheet->cellText(2, 8)));
    std::printf("file %.1f MB, sheet XML %.1f MB, %lld cells, %lld characters\n",
                file.size() / 1048576.0, sheetMegabytes, cells, characters);
    std::printf("wall clock: open %.3f s, read all cells %.3f s, total %.3f s\n", openSeconds,
                readSeconds, openSeconds + readSeconds);
    std::printf("processor: open %.3f s, read all cells %.3f s, total %.3f s\n",
                openedCpu - startCpu, doneCpu - openedCpu, doneCpu - startCpu);
    std::printf("peak RSS %.1f MB (%.1f MB before opening), %.2f x the sheet XML\n", peak,
                startPeak, peak / sheetMegabytes);
    std::printf("{\"seconds\":%.3f,\"cells\":%lld,\"peak_mb\":%.1f,\"open_seconds\":%.3f,"
                "\"read_seconds\":%.3f,\"wall_seconds\":%.3f,\"sheet_xml_mb\":%.1f}\n",
                doneCpu - startCpu, cells, peak, openedCpu - startCpu, doneCpu - openedCpu,
                openSeconds + readSeconds, sheetMegabytes);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--read") == 0)
        return measure(QString::fromLocal8Bit(argv[2]), std::atof(argv[3]));
    const QString path = QDir::temp().filePath(QStringLiteral("quillet-bench-workbook-%1.xlsx")
                                                   .arg(getpid()));
    const size_t sheetBytes = generate(path);
    if (sheetBytes == 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("generated %d rows x %d columns in %s\n", Rows, Columns, qPrintable(path));
    std::fflush(stdout);
    // A fresh process image, so the peak memory is that of reading alone.
    const pid_t child = fork();
    if (child == 0) {
        const std::string megabytes = std::to_string(sheetBytes / 1048576.0);
        const std::string file = path.toStdString();
        execl("/proc/self/exe", argv[0], "--read", file.c_str(), megabytes.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QFile::remove(path);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
