// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/FieldTree.h"
#include "core/app/ReplacePairs.h"
#include "core/common/Geometry.h"
#include "core/data/RelationList.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace Quillet {

/// Largest page side in 300-dpi pixels the program accepts (about 8.5 m): larger sizes in
/// a file are an error rather than an attempt to allocate a raster of that size.
inline constexpr int MaxPagePixels = 100000;

/// The page-size edits' range: from three pixels (one step of the edits) up to a whole
/// number of millimetres within MaxPagePixels.
inline constexpr double MinPageSideMm = MmEditStep;
inline constexpr double MaxPageSideMm = 8466.0;

/// A page side as a page-size edit keeps it when it loses the focus: at least one page
/// pixel, and on a whole page pixel (round(mm / MmPerPixel) × MmPerPixel, ties to even).
double pageSideAfterEdit(double mm);

/// What a page-size edit shows for a side of `mm` (on a whole page pixel): among the
/// numbers of at most two decimals that land on the same page pixel, the one with the
/// fewest decimals nearest to `mm`, so a typed 210 reads back as 210,00 although the side
/// is kept as 2480 pixels (209,9733 mm).
double shownPageSide(double mm);

/// Horizontal and vertical background positions on the page.
enum class HAlign : int { Left = 0, Center = 1, Right = 2 };
enum class VAlign : int { Top = 0, Middle = 1, Bottom = 2 };

/// The settings a project carries besides its fields. Lengths are millimetres; the
/// project file stores them as whole 300-dpi pixels.
struct ProjectSettings {
    QString xlsFile;                // linked workbook, as entered (may be relative)
    QString sheet;                  // worksheet name
    int Direct = 1;                 // 0: pages advance along columns, 1: along rows
    QString SizeName;               // page size name as shown in the size list
    double PrWidth = MinPageSideMm; // page size
    double PrHeight = MinPageSideMm;
    double ImgWidth = 0; // outer size of the processed background
    double ImgHeight = 0;
    HAlign horizontalAlign = HAlign::Center;
    VAlign verticalAlign = VAlign::Top;
    double MirTop = 0; // background margins; negative ones crop
    double MirBottom = 0;
    double MirLeft = 0;
    double MirRight = 0;
    double Angle1 = 0; // background rotation, degrees, clockwise as seen

    bool operator==(const ProjectSettings&) const = default;
};

/// A project: the field tree, relations, auto-replace pairs, settings and the background
/// as JPEG data exactly as the project file holds it.
class Project {
public:
    FieldTree Structure;
    RelationList RelateList;
    ReplacePairs ReplaceList;
    ProjectSettings settings;
    QByteArray BackgroundImage; // a complete JPEG file, or empty
    int NextFieldNumber = 0;

    /// ID for a new field of `kind`: NextFieldNumber (+1000 for images, +2000 for
    /// shapes) with four digits; NextFieldNumber then grows by one. Throws Error when the
    /// numbers 0–999 are used up (a larger number would read as another kind of field).
    QString takeNewFieldId(FieldKind kind);

    /// ID for a clone of a field whose kind digit is `kindDigit`: that digit and
    /// NextFieldNumber with three digits; NextFieldNumber then grows by one. Throws like
    /// takeNewFieldId.
    QString takeCloneFieldId(QChar kindDigit);

    /// Page size in whole 300-dpi pixels, at least one each way.
    int pageWidthPx() const;
    int pageHeightPx() const;

    bool operator==(const Project&) const = default;
};

} // namespace Quillet
