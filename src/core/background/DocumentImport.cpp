// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/background/DocumentImport.h"

#include "core/common/Errors.h"
#include "core/common/LibreOffice.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QTemporaryDir>

#include <poppler-qt6.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace Quillet {

namespace {

// An A2 sheet at 600 dpi is 139 million pixels; a page that needs more than this at the
// asked resolution is refused rather than allocated (four bytes a pixel).
constexpr int MaxSidePx = 32767;
constexpr double MaxPagePixels = 150.0 * 1000 * 1000;

// Calc otherwise cuts a wide sheet into printer pages; a form sheet must stay one picture.
const QString SpreadsheetTarget = QStringLiteral(
    "pdf:calc_pdf_Export:{\"SinglePageSheets\":{\"type\":\"boolean\",\"value\":\"true\"}}");

bool isSpreadsheetExtension(const QString& suffix)
{
    static const QStringList list{QStringLiteral("xls"),  QStringLiteral("xlsx"),
                                  QStringLiteral("xlsm"), QStringLiteral("xlsb"),
                                  QStringLiteral("ods"),  QStringLiteral("fods")};
    return list.contains(suffix);
}

bool looksLikePdf(const QByteArray& head)
{
    return head.left(1024).contains("%PDF-");
}

/// The file starts like a picture of a common format: when the picture codecs refused it,
/// it is a broken picture, not a document for LibreOffice.
bool looksLikePicture(const QByteArray& head)
{
    const auto byte = [&head](int at) { return at < head.size() ? quint8(head[at]) : 0xffu; };
    if (head.startsWith("\x89PNG\r\n\x1a\n") || head.startsWith("\xff\xd8\xff")
        || head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return true;
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)))
        return true; // TIFF
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return true;
    // BMP: "BM" alone starts many texts, so the size of the header that follows must be a
    // known one.
    static constexpr quint8 bmpHeaders[] = {12, 40, 52, 56, 64, 108, 124};
    return head.startsWith("BM") && byte(15) == 0 && byte(16) == 0 && byte(17) == 0
           && std::find(std::begin(bmpHeaders), std::end(bmpHeaders), byte(14))
                  != std::end(bmpHeaders);
}

/// The extension names a format the picture codecs read: a file of that name that they
/// refused is a broken picture. LibreOffice would be handed it otherwise, and it may take
/// its whole time limit over bytes that are no document.
bool isCodecExtension(const QString& suffix)
{
    if (suffix.isEmpty() || isOfficeExtension(suffix))
        return false;
    return QImageReader::supportedImageFormats().contains(suffix.toLatin1());
}

// Poppler reports every repair it makes on stderr; the user gets our own message instead.
void quietPoppler(const QString&, const QVariant&) {}

std::unique_ptr<Poppler::Document> loadPdf(const QString& pdfPath, const QString& shownName)
{
    Poppler::setDebugErrorFunction(&quietPoppler, QVariant());
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(pdfPath);
    if (!document || document->numPages() < 1)
        throw FileError(QCoreApplication::translate(
                            "Quillet::DocumentImport",
                            "Не удаётся прочитать PDF %1: файл повреждён или это не PDF")
                            .arg(shownName));
    if (document->isLocked())
        throw FileError(
            QCoreApplication::translate("Quillet::DocumentImport", "PDF %1 защищён паролем")
                .arg(shownName));
    document->setRenderHint(Poppler::Document::Antialiasing, true);
    document->setRenderHint(Poppler::Document::TextAntialiasing, true);
    return document;
}

int tiffPageCount(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (reader.format() != "tiff")
        return 1;
    return std::max(1, reader.imageCount());
}

QImage tiffPage(const QString& path, int number)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image;
    const QSize size = reader.jumpToImage(number - 1) ? reader.size() : QSize();
    const bool sane = size.isValid() && size.width() <= MaxSidePx && size.height() <= MaxSidePx
                      && double(size.width()) * size.height() <= MaxPagePixels;
    if (!sane || !reader.read(&image) || image.isNull())
        throw FileError(
            QCoreApplication::translate("Quillet::DocumentImport",
                                        "Не удаётся прочитать страницу %1 изображения %2")
                .arg(number)
                .arg(path));
    return image;
}

} // namespace

bool isOfficeExtension(const QString& suffix)
{
    static const QStringList list{
        QStringLiteral("doc"),  QStringLiteral("docx"), QStringLiteral("docm"),
        QStringLiteral("rtf"),  QStringLiteral("txt"),  QStringLiteral("htm"),
        QStringLiteral("html"), QStringLiteral("odt"),  QStringLiteral("ppt"),
        QStringLiteral("pptx"), QStringLiteral("pptm"), QStringLiteral("pps"),
        QStringLiteral("ppsx"), QStringLiteral("odp"),  QStringLiteral("pub"),
        QStringLiteral("pubx")};
    return list.contains(suffix) || isSpreadsheetExtension(suffix);
}

QByteArray encodeImportedPage(const QImage& page, int dpi)
{
    QImage flat = page;
    if (page.hasAlphaChannel()) {
        flat = QImage(page.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, page);
    }
    QByteArray data;
    if (flat.isNull() || !encodeJpeg(flat, ImportJpegQuality, data, dpi))
        throw FileError(QCoreApplication::translate("Quillet::DocumentImport",
                                                    "Не удаётся сжать страницу в JPEG"));
    return data;
}

struct ImportDocument::State {
    QString path;
    ImportKind kind = ImportKind::Picture;
    int pages = 0;
    bool spreadsheet = false; // converted with each sheet on one page
    QImage firstPicture;      // a picture's page 1, decoded while the content was being sniffed
    std::unique_ptr<Poppler::Document> pdf;
    std::unique_ptr<QTemporaryDir> workDir; // holds LibreOffice's PDF, which pdf reads
    mutable QMutex mutex;

    ~State()
    {
        // poppler may still hold the PDF open; let go of it before its folder goes.
        pdf.reset();
        workDir.reset();
    }

    QImage renderPdf(int number, double dpi) const;
};

QImage ImportDocument::State::renderPdf(int number, double dpi) const
{
    const std::unique_ptr<Poppler::Page> pdfPage = pdf->page(number - 1);
    if (!pdfPage)
        throw FileError(QCoreApplication::translate("Quillet::DocumentImport",
                                                    "Не удаётся прочитать страницу %1 документа %2")
                            .arg(number)
                            .arg(path));
    const QSizeF points = pdfPage->pageSizeF();
    const double width = std::ceil(points.width() * dpi / 72.0);
    const double height = std::ceil(points.height() * dpi / 72.0);
    if (width > MaxSidePx || height > MaxSidePx || width * height > MaxPagePixels)
        throw FileError(QCoreApplication::translate(
                            "Quillet::DocumentImport",
                            "Страница %1 документа %2 слишком велика для %3 точек на дюйм")
                            .arg(number)
                            .arg(path)
                            .arg(dpi));
    QImage image = pdfPage->renderToImage(dpi, dpi);
    if (image.isNull())
        throw FileError(
            QCoreApplication::translate("Quillet::DocumentImport",
                                        "Не удаётся отрисовать страницу %1 документа %2")
                .arg(number)
                .arg(path));
    return image;
}

ImportDocument::ImportDocument() = default;

ImportDocument::~ImportDocument() = default;

void ImportDocument::close()
{
    m_state.reset();
}

bool ImportDocument::isOpen() const
{
    return m_state != nullptr;
}

ImportKind ImportDocument::kind() const
{
    return m_state ? m_state->kind : ImportKind::Picture;
}

bool ImportDocument::needsPageChoice() const
{
    if (!m_state)
        return false;
    if (m_state->pages > 1 || m_state->kind == ImportKind::Pdf)
        return true;
    return m_state->kind == ImportKind::Office && !m_state->spreadsheet;
}

int ImportDocument::pageCount() const
{
    return m_state ? m_state->pages : 0;
}

int ImportDocument::pageDpi(double dpi) const
{
    if (!m_state || m_state->kind == ImportKind::Picture)
        return 0;
    return int(std::lround(dpi));
}

void ImportDocument::setOfficeTimeoutMs(int milliseconds)
{
    m_officeTimeoutMs = milliseconds;
}

void ImportDocument::open(const QString& path)
{
    close();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw FileError(
            QCoreApplication::translate("Quillet::DocumentImport", "Не удаётся открыть файл %1")
                .arg(path));
    const QByteArray head = file.read(1024);
    file.close();
    if (head.isEmpty())
        throw FileError(
            QCoreApplication::translate("Quillet::DocumentImport", "Файл пуст: %1").arg(path));

    auto state = std::make_unique<State>();
    state->path = path;
    TFastDIB raster;
    if (LoadPictureFile(path, raster)) {
        CopyDibToBitmap(raster, state->firstPicture);
        state->kind = ImportKind::Picture;
        state->pages = tiffPageCount(path);
        m_state = std::move(state);
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (looksLikePicture(head) || isCodecExtension(suffix))
        throw FileError(
            QCoreApplication::translate("Quillet::DocumentImport",
                                        "Изображение %1 повреждено, обрезано или слишком велико")
                .arg(path));
    if (looksLikePdf(head) || suffix == QStringLiteral("pdf")) {
        state->kind = ImportKind::Pdf;
        state->pdf = loadPdf(path, path);
    } else {
        state->kind = ImportKind::Office;
        state->workDir = std::make_unique<QTemporaryDir>(
            QDir::tempPath() + QStringLiteral("/quillet-import-XXXXXX"));
        if (!state->workDir->isValid())
            throw FileError(QCoreApplication::translate("Quillet::DocumentImport",
                                                        "Не удаётся создать временную папку: %1")
                                .arg(reasonInRussian(state->workDir->errorString())));
        state->spreadsheet = isSpreadsheetExtension(suffix);
        const QString target = state->spreadsheet ? SpreadsheetTarget : QStringLiteral("pdf");
        QString pdfPath;
        try {
            pdfPath =
                convertWithLibreOffice(path, target, state->workDir->path(), m_officeTimeoutMs);
        } catch (const FileError& error) {
            if (isOfficeExtension(suffix))
                throw;
            throw FileError(
                QCoreApplication::translate("Quillet::DocumentImport",
                                            "Файл %1 — не изображение, не PDF и не документ, "
                                            "который умеет читать LibreOffice (%2)")
                    .arg(path, error.message()));
        }
        state->pdf = loadPdf(pdfPath, path);
    }
    state->pages = state->pdf->numPages();
    m_state = std::move(state);
}

QImage ImportDocument::page(int number, double dpi) const
{
    if (!m_state)
        throw FileError(
            QCoreApplication::translate("Quillet::DocumentImport", "Документ не открыт"));
    if (number < 1 || number > m_state->pages)
        throw FileError(QCoreApplication::translate("Quillet::DocumentImport",
                                                    "В документе %1 нет страницы %2: страниц %3")
                            .arg(m_state->path)
                            .arg(number)
                            .arg(m_state->pages));
    if (!(dpi > 0.0 && dpi <= MaxDpi))
        throw FileError(QCoreApplication::translate("Quillet::DocumentImport",
                                                    "Разрешение %1 dpi вне допустимого (до %2)")
                            .arg(dpi)
                            .arg(MaxDpi));
    const QMutexLocker lock(&m_state->mutex);
    if (m_state->kind != ImportKind::Picture)
        return m_state->renderPdf(number, dpi);
    if (number == 1)
        return m_state->firstPicture;
    return tiffPage(m_state->path, number);
}

} // namespace Quillet
