// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// How long the import window makes the user wait. On a generated 50-page A4 PDF (text,
// table lines and a filled shape on every page): open with the page count, the first
// preview (open, then page 1 at preview resolution: the wait before the window shows
// anything), the preview of a middle page and the 600-dpi render of a chosen page. Then
// the whole import of a generated two-page .docx: open, LibreOffice's conversion
// included, and page 1 at 600 dpi (null, with a note, without LibreOffice).
//
// Every figure is taken over several repetitions and given as its median and its best,
// in milliseconds, wall clock. The first preview and the chosen page are held against
// their targets (0.5 s and 2 s); a miss is reported, never an exit status. Last line of
// output: one JSON object of the figures with one boolean per target.
//
// Then what the user sees of a generated 20-page PDF in the real import window, offscreen:
// from the file's open to the end of the paint that shows page 1's preview, the window's
// making included, as the background panel does it. That first preview is held against
// the same 0.5 s.
//
//     quillet-bench-import [REPETITIONS]

#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"
#include "gui/background/ImportWindow.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Quillet;

namespace {

constexpr int PdfPages = 50;
constexpr int MiddlePage = PdfPages / 2;
constexpr int WindowPdfPages = 20;
// A window that never shows its first page is closed after this long.
constexpr int WindowGiveUpMs = 30000;
constexpr double FirstPreviewTargetMs = 500.0;
constexpr double ChosenPageTargetMs = 2000.0;
constexpr int OfficeRepetitionsMax = 3;

// One A4 page of a form: a heading, a table ruled in thin lines, paragraphs of small
// text and a filled shape that moves with the page number, so no two pages are alike.
void paintFormPage(QPainter& painter, int number, const QRect& area)
{
    QFont font = painter.font();
    font.setPixelSize(70);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), 120), Qt::AlignCenter,
                     QStringLiteral("Заявление № %1 о зачислении на обучение").arg(number));
    const int tableTop = area.top() + 200;
    const int rowHeight = 90;
    painter.setPen(QPen(Qt::black, 3));
    for (int row = 0; row <= 12; ++row)
        painter.drawLine(area.left(), tableTop + row * rowHeight, area.right(),
                         tableTop + row * rowHeight);
    for (int x : {area.left(), area.left() + area.width() / 3, area.right()})
        painter.drawLine(x, tableTop, x, tableTop + 12 * rowHeight);
    font.setPixelSize(40);
    font.setBold(false);
    painter.setFont(font);
    for (int row = 0; row < 12; ++row)
        painter.drawText(
            QRect(area.left() + 20, tableTop + row * rowHeight, area.width() / 3, rowHeight),
            Qt::AlignVCenter, QStringLiteral("Поле %1.%2").arg(number).arg(row + 1));
    const QString sentence = QStringLiteral(
        "Прошу зачислить меня на обучение по указанной программе; с правилами приёма, "
        "уставом и условиями договора ознакомлен(а), достоверность сведений подтверждаю. ");
    const QRect text(area.left(), tableTop + 12 * rowHeight + 80, area.width(), 1000);
    painter.drawText(text, Qt::TextWordWrap, sentence.repeated(6));
    const int shift = (number * 137) % (area.width() - 900);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(area.left() + shift, area.bottom() - 700, 900, 500), 80, 80);
    painter.fillPath(shape, QColor((number * 53) % 256, 120, 200 - number * 3));
    painter.setPen(QPen(Qt::darkRed, 6));
    painter.drawEllipse(QRect(area.right() - 500, area.bottom() - 650, 400, 400));
}

bool writeFormPdf(const QString& path, int pages)
{
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        QPainter painter(&writer);
        if (!painter.isActive())
            return false;
        const QRect area = QRect(QPoint(0, 0), writer.pageLayout().paintRectPixels(300).size())
                               .adjusted(100, 100, -100, -100);
        for (int n = 1; n <= pages; ++n) {
            if (n > 1)
                writer.newPage();
            paintFormPage(painter, n, area);
        }
    }
    return QFileInfo(path).size() > 0;
}

// Two pages of an office form: a heading, paragraphs and a bordered table on the first,
// a page break, more of the same on the second.
bool writeTwoPageOdt(const QString& path)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    const QString paragraph =
        QStringLiteral("Настоящим подтверждаю согласие на обработку персональных данных в объёме, "
                       "необходимом для исполнения договора. ");
    for (int pageNumber = 1; pageNumber <= 2; ++pageNumber) {
        if (pageNumber > 1) {
            QTextBlockFormat block;
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(block);
        }
        QTextCharFormat heading;
        heading.setFontPointSize(16);
        heading.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Анкета участника, лист %1").arg(pageNumber), heading);
        for (int i = 0; i < 4; ++i) {
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            cursor.insertText(paragraph.repeated(3));
        }
        QTextTableFormat tableFormat;
        tableFormat.setBorder(1);
        tableFormat.setCellPadding(4);
        QTextTable* table = cursor.insertTable(8, 3, tableFormat);
        for (int row = 0; row < 8; ++row)
            table->cellAt(row, 0).firstCursorPosition().insertText(
                QStringLiteral("Графа %1").arg(row + 1));
        cursor.movePosition(QTextCursor::End);
    }
    QTextDocumentWriter writer(path, "odf");
    return writer.write(&document) && QFileInfo(path).size() > 0;
}

struct Timing {
    std::vector<double> ms;
    double median() const
    {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    }
    double best() const { return ms.empty() ? 0.0 : *std::min_element(ms.begin(), ms.end()); }
};

// Runs `step` `repetitions` times; `step` returns the milliseconds of the part it times.
Timing repeat(int repetitions, const std::function<double()>& step)
{
    Timing timing;
    for (int i = 0; i < repetitions; ++i)
        timing.ms.push_back(step());
    return timing;
}

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Opening a document and making page 1's preview, in milliseconds.
double firstPreviewMs(const QString& path)
{
    QElapsedTimer t;
    t.start();
    ImportDocument document;
    document.open(path);
    document.preview(1);
    return elapsedMs(t);
}

double peakMb(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void printTiming(const char* what, const Timing& timing)
{
    std::printf("%-42s median %8.1f ms, best %8.1f ms (%d runs)\n", what, timing.median(),
                timing.best(), int(timing.ms.size()));
}

void addTiming(QJsonObject& figures, const QString& key, const Timing& timing)
{
    figures[key + QStringLiteral("_ms_median")] = timing.median();
    figures[key + QStringLiteral("_ms_best")] = timing.best();
}

// Holds a median against its target: a line and a boolean, never an exit status.
void reportTarget(QJsonObject& figures, const QString& key, const char* what, double medianMs,
                  double targetMs)
{
    const bool met = medianMs < targetMs;
    std::printf("target: %s under %.0f ms: %s (median %.1f ms)\n", what, targetMs,
                met ? "met" : "MISSED", medianMs);
    figures[key] = met;
}

// The PDF figures, printed and added to `figures`. Throws Error when the import fails.
void measurePdf(const QString& pdf, int repetitions, QJsonObject& figures)
{
    // The very first open pays for poppler's and fontconfig's start-up, once a process.
    QElapsedTimer timer;
    timer.start();
    {
        ImportDocument cold;
        cold.open(pdf);
        cold.preview(1);
    }
    const double coldMs = elapsedMs(timer);
    const Timing opened = repeat(repetitions, [&] {
        QElapsedTimer t;
        t.start();
        ImportDocument document;
        document.open(pdf);
        if (document.pageCount() != PdfPages)
            throw FileError(
                QStringLiteral("%1 pages instead of %2").arg(document.pageCount()).arg(PdfPages));
        return elapsedMs(t);
    });
    const Timing firstPreview = repeat(repetitions, [&] { return firstPreviewMs(pdf); });
    ImportDocument document;
    document.open(pdf);
    const Timing middlePreview = repeat(repetitions, [&] {
        QElapsedTimer t;
        t.start();
        document.preview(MiddlePage);
        return elapsedMs(t);
    });
    QSize finalSize;
    const Timing chosenPage = repeat(repetitions, [&] {
        QElapsedTimer t;
        t.start();
        finalSize = document.page(MiddlePage).size();
        return elapsedMs(t);
    });
    printTiming("open + page count", opened);
    printTiming("first preview (open + page 1, 120 dpi)", firstPreview);
    std::printf("%-42s %8.1f ms\n", "  the first in the process (cold)", coldMs);
    printTiming("middle page preview (120 dpi)", middlePreview);
    printTiming("chosen page (600 dpi)", chosenPage);
    std::printf("600-dpi page: %d x %d px\n", finalSize.width(), finalSize.height());
    addTiming(figures, QStringLiteral("pdf_open"), opened);
    addTiming(figures, QStringLiteral("first_preview"), firstPreview);
    figures[QStringLiteral("first_preview_cold_ms")] = coldMs;
    addTiming(figures, QStringLiteral("middle_preview"), middlePreview);
    addTiming(figures, QStringLiteral("page600"), chosenPage);
    figures[QStringLiteral("page600_width_px")] = finalSize.width();
    figures[QStringLiteral("page600_height_px")] = finalSize.height();
    reportTarget(figures, QStringLiteral("first_preview_target_met"), "first preview",
                 firstPreview.median(), FirstPreviewTargetMs);
    reportTarget(figures, QStringLiteral("page600_target_met"), "chosen page", chosenPage.median(),
                 ChosenPageTargetMs);
}

// Ends of a widget's paints: the filter lets the paint happen, then calls `painted`.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<void()> painted) : m_painted(std::move(painted)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        watched->event(event);
        m_painted();
        return true;
    }

private:
    std::function<void()> m_painted;
};

// From opening `pdf` to the end of the import window's paint of page 1's preview, in ms;
// the window is closed then. -1 when it never shows.
double windowFirstPreviewMs(const QString& pdf)
{
    QElapsedTimer t;
    t.start();
    ImportDocument document;
    document.open(pdf);
    ImportWindow window;
    double shownMs = -1;
    PaintWatch watch([&] {
        if (shownMs < 0 && window.shownPage() == 1 && !window.previewPicture().isNull()) {
            shownMs = elapsedMs(t);
            // After the paint: the window is not hidden in the middle of it.
            QMetaObject::invokeMethod(&window, &QDialog::reject, Qt::QueuedConnection);
        }
    });
    window.findChild<QLabel*>(QStringLiteral("Image1"))->installEventFilter(&watch);
    QTimer::singleShot(WindowGiveUpMs, &window, &QDialog::reject);
    window.choosePage(document);
    return shownMs;
}

// The import window's figures on a 20-page PDF, printed and added to `figures`.
void measureWindow(const QString& pdf, int repetitions, QJsonObject& figures)
{
    const double coldMs = windowFirstPreviewMs(pdf); // the window's first showing
    const Timing shown = repeat(repetitions, [&] { return windowFirstPreviewMs(pdf); });
    if (coldMs < 0 || *std::min_element(shown.ms.begin(), shown.ms.end()) < 0)
        throw FileError(QStringLiteral("the import window never showed page 1"));
    const Timing core = repeat(repetitions, [&] { return firstPreviewMs(pdf); });
    printTiming("20-page PDF, page 1 shown in the window", shown);
    std::printf("%-42s %8.1f ms\n", "  the window's first showing", coldMs);
    printTiming("20-page PDF, open + page 1 (core)", core);
    addTiming(figures, QStringLiteral("window20_first_preview"), shown);
    figures[QStringLiteral("window20_first_preview_cold_ms")] = coldMs;
    addTiming(figures, QStringLiteral("pdf20_first_preview"), core);
    reportTarget(figures, QStringLiteral("window20_first_preview_target_met"),
                 "20-page PDF's first preview in the window", shown.median(), FirstPreviewTargetMs);
}

// The .docx figures, or nulls with a line saying why they are missing.
void measureDocx(const QTemporaryDir& dir, int repetitions, QJsonObject& figures)
{
    figures[QStringLiteral("docx_import_ms_median")] = QJsonValue::Null;
    figures[QStringLiteral("docx_import_ms_best")] = QJsonValue::Null;
    figures[QStringLiteral("docx_open_ms_median")] = QJsonValue::Null;
    figures[QStringLiteral("docx_open_ms_best")] = QJsonValue::Null;
    const QString odt = dir.filePath(QStringLiteral("form.odt"));
    if (libreOfficeProgram().isEmpty()) {
        std::printf(".docx import: not measured, LibreOffice is not installed\n");
        return;
    }
    if (!writeTwoPageOdt(odt)) {
        std::printf(".docx import: not measured, cannot write the .odt to convert\n");
        return;
    }
    try {
        const QString docx = convertWithLibreOffice(odt, QStringLiteral("docx"), dir.path(),
                                                    ImportDocument::DefaultOfficeTimeoutMs);
        int pages = 0;
        Timing docxOpen;
        const Timing docxImport = repeat(std::min(repetitions, OfficeRepetitionsMax), [&] {
            QElapsedTimer t;
            t.start();
            ImportDocument office;
            office.open(docx);
            docxOpen.ms.push_back(elapsedMs(t));
            office.page(1);
            pages = office.pageCount();
            return elapsedMs(t);
        });
        printTiming(".docx import (convert + page 1, 600 dpi)", docxImport);
        printTiming("  of which open (LibreOffice to PDF)", docxOpen);
        std::printf(".docx pages: %d\n", pages);
        addTiming(figures, QStringLiteral("docx_import"), docxImport);
        addTiming(figures, QStringLiteral("docx_open"), docxOpen);
        figures[QStringLiteral("docx_pages")] = pages;
    } catch (const Error& error) {
        std::printf(".docx import: not measured, %s\n", qPrintable(error.message()));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("form.pdf"));
    if (!dir.isValid() || !writeFormPdf(pdf, PdfPages)) {
        std::fprintf(stderr, "cannot write the test PDF in %s\n", qPrintable(dir.path()));
        return 1;
    }
    std::printf("%d-page A4 PDF, %.0f KB; %d runs per figure\n", PdfPages,
                double(QFileInfo(pdf).size()) / 1024.0, repetitions);
    QJsonObject figures;
    try {
        measurePdf(pdf, repetitions, figures);
    } catch (const Error& error) {
        std::fprintf(stderr, "PDF import failed: %s\n", qPrintable(error.message()));
        return 1;
    }
    const QString pdf20 = dir.filePath(QStringLiteral("form20.pdf"));
    if (!writeFormPdf(pdf20, WindowPdfPages)) {
        std::fprintf(stderr, "cannot write the 20-page PDF in %s\n", qPrintable(dir.path()));
        return 1;
    }
    try {
        measureWindow(pdf20, repetitions, figures);
    } catch (const Error& error) {
        std::fprintf(stderr, "import window failed: %s\n", qPrintable(error.message()));
        return 1;
    }
    measureDocx(dir, repetitions, figures);
    std::printf("peak RSS %.0f MB (LibreOffice's own peak %.0f MB)\n", peakMb(RUSAGE_SELF),
                peakMb(RUSAGE_CHILDREN));
    figures[QStringLiteral("peak_mb")] = peakMb(RUSAGE_SELF);
    figures[QStringLiteral("children_peak_mb")] = peakMb(RUSAGE_CHILDREN);
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
    return 0;
}
