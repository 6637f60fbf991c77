// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Turning any file a user may hold a blank form in (a picture, a PDF, an office document)
// into page pictures for the background. No widgets: the import window, the command-line
// tool and the tests all drive this one service.

#include <QImage>
#include <QString>

#include <memory>

namespace Quillet {

/// How an opened file is turned into pages.
enum class ImportKind {
    Picture, ///< decoded by the picture codecs (a multi-page TIFF gives several pages)
    Pdf,     ///< rendered by poppler in this process
    Office,  ///< converted to PDF by LibreOffice, then rendered as a PDF
};

/// One opened document and its pages. Work files (LibreOffice's PDF) live in a private
/// temporary folder that is removed by close(), by the next open() and by the destructor.
/// page() may be called from any one thread at a time per object (it serialises itself),
/// so previews can be rendered off the window's thread.
class ImportDocument {
public:
    /// Resolution of the preview pages and of the page that becomes the background.
    static constexpr double PreviewDpi = 120.0;
    static constexpr double FinalDpi = 600.0;
    /// Highest resolution page() accepts.
    static constexpr double MaxDpi = 2400.0;
    /// Default time LibreOffice may take for one conversion, milliseconds.
    static constexpr int DefaultOfficeTimeoutMs = 120000;

    ImportDocument();
    ~ImportDocument();
    ImportDocument(const ImportDocument&) = delete;
    ImportDocument& operator=(const ImportDocument&) = delete;

    /// Opens `path`, closing whatever was open. The content decides first: any picture
    /// the codecs read is a picture whatever its extension; then a PDF (by its "%PDF"
    /// signature or a .pdf extension); everything else goes to LibreOffice (spreadsheets
    /// with each sheet exported on one page). Throws FileError with a message for the user
    /// (missing or empty file, broken or locked PDF, LibreOffice absent, failing or out of
    /// time, a document without pages); nothing stays open then.
    void open(const QString& path);

    /// Forgets the document and removes the work files. Safe to call when nothing is open.
    void close();

    bool isOpen() const;
    /// Valid only while a document is open.
    ImportKind kind() const;
    /// Number of pages, at least 1 while open; 0 when nothing is open.
    int pageCount() const;

    /// Whether the user is shown the pages to choose one: always for a PDF or a text,
    /// presentation or publication document, and for a picture or spreadsheet of several
    /// pages. A one-page picture or one-sheet spreadsheet is taken as it is.
    bool needsPageChoice() const;

    /// Page `number` (1-based) at `dpi` dots per inch. A picture's pages come at one file
    /// pixel per picture pixel whatever `dpi` is; PDF pages are rendered on white with
    /// antialiasing. Throws FileError for nothing open, a page number outside 1 to
    /// pageCount(), a dpi outside (0, MaxDpi], a page too large to hold at that dpi, or
    /// a page that fails to decode or render.
    QImage page(int number, double dpi = FinalDpi) const;

    /// page(number, PreviewDpi).
    QImage preview(int number) const { return page(number, PreviewDpi); }

    /// The resolution a page from page(number, dpi) has on paper: `dpi` for a PDF or an
    /// office document, whose pages have a paper size; 0 for a picture, whose pixels are
    /// laid one per raster pixel. 0 when nothing is open.
    int pageDpi(double dpi = FinalDpi) const;

    /// Time allowed to each LibreOffice conversion from the next open() on.
    void setOfficeTimeoutMs(int milliseconds);

private:
    struct State;
    std::unique_ptr<State> m_state;
    int m_officeTimeoutMs = DefaultOfficeTimeoutMs;
};

/// Quality of the JPEG data an imported page is stored as, the encoder's usual default.
inline constexpr int ImportJpegQuality = 90;

/// An imported page as the project keeps its background: JPEG data at ImportJpegQuality
/// (transparency flattened onto white), stating `dpi` as its resolution when above 0.
/// Throws FileError for a null page or an encoder failure.
QByteArray encodeImportedPage(const QImage& page, int dpi = 0);

/// The file's extension (lower case, without the dot) names a word-processor,
/// spreadsheet, presentation or publication document that is converted through
/// LibreOffice.
bool isOfficeExtension(const QString& suffix);

} // namespace Quillet
