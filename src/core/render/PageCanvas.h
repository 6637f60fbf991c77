// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// What the parts of a render share while drawing one page.

#include "core/common/Geometry.h"

#include <QImage>
#include <QPainter>
#include <QString>

namespace Quillet {

class RenderErrorSink;
struct FieldNode;

/// `PageCanvas` with its resolution: the painter draws on the page; `image` is the page
/// raster when there is one (null when drawing straight onto a printer), so that image
/// fields can combine their picture with what is already drawn.
struct PageCanvas {
    QPainter* painter = nullptr;
    QImage* image = nullptr;
    int dpi = 300;
    long double mmPerPixel = MmPerPixel;
    PageOrigin origin;
};

/// Draws an image field into each of its blocks. Returns false after logging
/// "не могу открыть изображение: " + path when the picture cannot be loaded: the render
/// then ends at once. `projectPath` is the project file's path (may be empty).
bool drawImageField(const FieldNode& field, const QString& projectPath, PageCanvas& canvas,
                    RenderErrorSink& errors);

/// Draws a shape field into each of its blocks.
void drawShapeField(const FieldNode& field, PageCanvas& canvas);

} // namespace Quillet
