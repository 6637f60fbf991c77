// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Drawing one page of a project. Screen, image export, printing, the command-line tool
// and tests all go through RenderPage with their own target, so nothing here is global.

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/common/Geometry.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

namespace Quillet {

class PlacedPictures;
class Project;
class Workbook;

/// Where the render problems go: the window's error list, stderr, a test's list.
class RenderErrorSink {
public:
    virtual ~RenderErrorSink() = default;
    /// `LogRenderError`: a line for the error list, which is then shown when the user
    /// wants error messages.
    virtual void LogRenderError(const QString& line) = 0;
    /// A line for the error list that does not open it (a word too wide for its block).
    virtual void appendErrorLine(const QString& line) { LogRenderError(line); }
};

/// The surface a render draws on and its resolution (`PageCanvas`, `MmPerPixel`,
/// `PageOrigin` and the canvas's pixels per inch).
struct RenderTarget {
    /// The page raster when drawing into memory (screen, export, picture printing):
    /// image fields read the pixels already drawn from it. Format_RGB32.
    QImage* image = nullptr;
    /// A painter on a device without pixel access (direct printing); when null, the
    /// renderer paints on `image`.
    QPainter* painter = nullptr;
    int dpi = 300;
    long double mmPerPixel = MmPerPixel;
    PageOrigin origin;
    /// Image-field pictures shared by the pages of one export (PageCanvas.h); may be null.
    PlacedPictures* pictures = nullptr;
};

/// What a page is made of besides the target.
struct RenderSource {
    const Project* project = nullptr;
    /// The project file's path: image files named without a folder are looked up
    /// beside it.
    QString projectPath;
    /// The linked workbook, or null when none is open: every cell then reads empty and a
    /// filled page with a cell reference logs "Нет данных: …" once.
    const Workbook* workbook = nullptr;
    /// The processed background at the target's resolution (RebuildBackground); empty
    /// for none.
    QImage shownBackground;
    /// `WithBack`: filled pages carry the background (the layout view always does).
    bool withBackground = true;
    /// The tree view's selected node: its blocks (or the field's) are red in the
    /// layout view.
    std::optional<NodeRef> selectedNode;
    /// Told of every text line drawn (block, text, alignment, font pixel size); for
    /// tests and diagnostics.
    std::function<void(const BlockRect&, const QString&, int, int, int)> lineObserver;
};

/// The project's processed background (RebuildBackground at 300 dpi) in the page
/// rasters' pixel layout: made once, it is copied onto each page as it is. Throws what
/// RebuildBackground throws.
QImage pageBackground(const Project& project);

/// A white page raster for the project's page size at 300 dpi, Format_RGB32, reporting
/// 300 dots per inch.
QImage makePageRaster(const Project& project);

/// Draws what every filled page has before its fields onto the target (filled white by
/// the caller): the background, when the source carries it. Pages differ from this only
/// where fields drew.
void RenderPageBackground(const RenderSource& source, RenderTarget& target);

/// `RenderPage`: draws page `page` (0 = the layout view, 1… filled pages) onto the
/// target, which the caller has filled white. Problems become error-list lines; a node
/// text that does not parse throws ConversionError, as does nothing else.
void RenderPage(const RenderSource& source, RenderTarget& target, int page,
                RenderErrorSink& errors);

} // namespace Quillet
