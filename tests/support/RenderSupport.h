// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Rendering filled pages in tests: a project built field by field, drawn at 300 dpi
// through RenderPage, with the error lines and every text the renderer drew kept, and the
// ink of the raster found box by box.

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/render/PageRenderer.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace Quillet {
class Workbook;
}

namespace QuilletTest {

/// The box of the dark pixels (grey below 192) of `image` within `area`; empty when
/// there are none.
QRect inkBox(const QImage& image, const QRect& area);

/// The pixels of a block: Left ≤ x < Right, Top ≤ y < Bottom.
QRect pixelsOf(const Quillet::BlockRect& block);

/// An error sink that keeps every line, those that open the list and those that do not.
struct CollectedErrors : Quillet::RenderErrorSink {
    QStringList lines;
    void LogRenderError(const QString& line) override { lines << line; }
};

/// A text the renderer drew: the block it went into, the text and the font's pixel size.
struct DrawnText {
    Quillet::BlockRect block;
    QString text;
    int pixelSize = 0;
};

/// A white page of `width` × `height` pixels of the 300-dpi page whose fields are added one by one
/// and drawn by RenderPage from `workbook` (null: none), its sheet named in the project.
class RenderedPage {
public:
    RenderedPage(int width, int height, const Quillet::Workbook* workbook = nullptr,
                 const QString& sheet = QString());

    Quillet::Project project;
    const Quillet::Workbook* workbook = nullptr;
    CollectedErrors errors;
    std::vector<DrawnText> drawn;
    QImage raster;

    /// Adds a text field of `options` with `blocks` (page pixels); returns its ID.
    QString addTextField(const Quillet::TOptTextField& options,
                         const std::vector<Quillet::BlockRect>& blocks);
    /// Renders filled page `page` afresh, at `dpi` (the raster scaled from the 300-dpi
    /// page's size).
    void render(int page, int dpi = 300);
    /// The texts drawn into `block`, in drawing order.
    QStringList textsIn(const Quillet::BlockRect& block) const;
};

} // namespace QuilletTest
