// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// What the parts of a render share while drawing one page.

#include "core/common/Geometry.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <QRect>

#include <memory>
#include <vector>

namespace Quillet {

class FieldTree;
class RenderErrorSink;
struct FieldNode;

/// The image-field pictures of one export or print drawn on a painter (a PDF file, a
/// printer), kept from page to page so that a picture placed the same way on many pages is
/// one QImage: the PDF engine embeds an image once per QImage::cacheKey() and draws it by
/// reference after that.
///
/// A picture in copy mode does not depend on the page under it (its transparent colour
/// becomes a mask, its opacity a constant alpha), so its file is read and placed once per
/// field text, resolution and block geometry. A picture in another copy mode combines
/// with the pixels under it; those are read by rendering the same page on a raster first
/// with this object as the target's `pictures`, which records each block's finished
/// pixels for the painter render that follows (without that raster render the painter
/// leaves such a picture out). The raster may have its own origin: what is recorded is
/// the block's pixels, which the painter render places by its own origin. Equal finished pixels
/// share one QImage. Pictures are drawn with lossless image rendering, so the PDF holds their exact
/// pixels.
///
/// Not thread-safe: one object serves the renders of one thread.
class PlacedPictures {
public:
    PlacedPictures();
    ~PlacedPictures();
    PlacedPictures(const PlacedPictures&) = delete;
    PlacedPictures& operator=(const PlacedPictures&) = delete;

    /// True when drawing the tree on a painter needs each page rendered on a raster
    /// first: an image field combines its picture with the page (a copy mode other than
    /// copying). Throws ConversionError for an image field whose text does not parse.
    static bool needsPagePixels(const FieldTree& tree);

    /// Forgets the pixels recorded for the previous page: call before the raster render
    /// of the next page.
    void startPage();

    /// The rectangles, in the render's pixels, of the pictures that mix with the page as
    /// the painter renders of this page since startPage() placed them: a render on a
    /// painter of one pixel finds where the page's pixels are needed, so that only those
    /// areas are rendered on a raster.
    std::vector<QRect> mixingAreas() const;

    /// Kept pictures and recorded pixels; defined where image fields are drawn.
    struct Store;
    Store& store() { return *m_store; }

private:
    std::unique_ptr<Store> m_store;
};

/// `PageCanvas` with its resolution: the painter draws on the page; `image` is the page
/// raster when there is one (null when drawing straight onto a printer), so that image
/// fields can combine their picture with what is already drawn.
struct PageCanvas {
    QPainter* painter = nullptr;
    QImage* image = nullptr;
    int dpi = 300;
    long double mmPerPixel = MmPerPixel;
    PageOrigin origin;
    /// The pictures shared by the pages of an export onto a painter; null makes every
    /// picture anew (and combines it with white paper where there are no page pixels).
    PlacedPictures* pictures = nullptr;
};

/// Draws an image field into each of its blocks. Returns false after logging
/// "не могу открыть изображение: " + path when the picture cannot be loaded: the render
/// then ends at once. `projectPath` is the project file's path (may be empty).
bool drawImageField(const FieldNode& field, const QString& projectPath, PageCanvas& canvas,
                    RenderErrorSink& errors);

/// Draws a shape field into each of its blocks.
void drawShapeField(const FieldNode& field, PageCanvas& canvas);

} // namespace Quillet
