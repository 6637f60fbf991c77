// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The node texts of the field tree, character by character. Fields and blocks are held
// only as these texts; every reader and writer of the program goes through here.
//
// Numbers are written with a decimal comma and read with a comma or a point. Positions
// in error messages count characters of the node text from 1.

#include "core/common/Geometry.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace Quillet {

/// Separates the field text from the options (and, in shape fields, line from fill).
inline constexpr QChar FieldSeparator = QChar(8);
/// Introduces the copy-mode digit of an image field.
inline constexpr QChar CopyModeMarker = QChar(4);
/// Introduces the three opacity digits of an image field.
inline constexpr QChar OpacityMarker = QChar(5);

/// Largest field number; the ID has three digits for it.
inline constexpr int MaxFieldNumber = 999;

// ---- Blocks -------------------------------------------------------------------------

/// A block's rectangle in page pixels (one entry of `Tblocks`).
struct BlockRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const BlockRect&) const = default;
};

/// The blocks of one field in child order.
using Tblocks = std::vector<BlockRect>;

/// A block's edges in millimetres as written in its text.
struct BlockMm {
    long double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

/// Reads positions 1–7, 9–15, 17–23 and 25–31 of a block text as decimal numbers,
/// whatever stands between them. Throws ConversionError for a short text or an item
/// that is not a number.
BlockMm parseBlockMm(QStringView blockText);

/// `ParseBlockRect`: the block's rectangle in pixels, each edge round(mm / mmPerPixel)
/// (ties to even) minus the page origin. Throws ConversionError like parseBlockMm, and
/// for edges beyond ±10⁹ pixels.
BlockRect ParseBlockRect(QStringView blockText, long double mmPerPixel = MmPerPixel,
                         PageOrigin origin = {});

/// Block text of edges in millimetres, "0000.00 0000.00/0000.00 0000.00" with decimal
/// commas, 31 characters. Throws ConversionError when an edge does not fit the fixed
/// width (below 0 or from 9999.995 mm on), since such a text could not be read back.
QString composeBlockText(long double x1, long double y1, long double x2, long double y2);

/// Block text of a rectangle in page pixels: each edge written as px × mmPerPixel.
QString composeBlockText(const BlockRect& px, long double mmPerPixel = MmPerPixel);

// ---- Text fields --------------------------------------------------------------------

/// The parsed options of a text field.
struct TOptTextField {
    QString fieldText;
    bool autoReplace = false;
    uint8_t maxBlocks = 0; // per element; 0 = no limit
    uint8_t alignFirst = 0;
    uint8_t alignMain = 0;
    uint8_t alignLast = 0;
    bool bottomUp = false;
    bool transparentBackground = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int32_t backgroundColor = 0; // $00BBGGRR
    int32_t textColor = 0;
    int32_t fontSize = 0; // points
    QString fontName;     // at most 64 characters
    /// Comb field: one character per block instead of words wrapped over the blocks.
    bool comb = false;
    /// Comb field: a dash in every block the value leaves empty.
    bool dashEmpty = false;
    /// Comb field: characters dropped from the value before it is split ("." for a date
    /// between pre-printed dots).
    QString skipChars;

    /// True when any of the comb items differs from its default, so the node carries them.
    bool hasCombItems() const { return comb || dashEmpty || !skipChars.isEmpty(); }
    /// The characters a comb field prints for `value`, one entry per block: the value
    /// without the characters to skip, split into characters as users see them (a
    /// surrogate pair, or a letter with its combining accents, is one character).
    QStringList combCharacters(const QString& value) const;

    bool operator==(const TOptTextField&) const = default;
};

inline constexpr int MaxFontNameLength = 64;

/// Marks the comb items after the font name of a text field: the comb flag, the dash
/// flag, then the characters to skip up to the end. Fields without comb items end with
/// the font name as before, so their text does not change.
inline constexpr QChar CombMarker = QChar(4);

/// `ParseTextOptions`: `optionsText` is the node text of a text field from its fifth
/// character on. Throws ConversionError (naming the field by `fieldId`, and the
/// position) for a missing separator, a missing item, a non-digit where a digit is
/// expected, or a colour or size that does not read as an integer. Nothing is repaired:
/// the fill direction is bottom-up for "1" and top-down for any other character, the
/// font size is the integer as written, the font name (up to CombMarker) is cut to
/// MaxFontNameLength. The comb items behind CombMarker read leniently: a missing flag is
/// off.
TOptTextField ParseTextOptions(QStringView optionsText, const QString& fieldId = QString());

/// ParseTextOptions into `options`, item by item: each item is stored as soon as it has
/// been read, so when a ConversionError ends the reading the items before the failing one
/// are in `options` and the others keep what they held. The field editor loads its panel
/// this way, and so shows what was read of a malformed node.
void readTextOptions(QStringView optionsText, TOptTextField& options,
                     const QString& fieldId = QString());

/// The node text of a text field: `id` (four characters) followed by the items.
/// Throws ConversionError for values the fixed widths cannot hold (a field text with a
/// separator or line break, maxBlocks above 9, an alignment above 8, a font size outside
/// 4–999, an ID that is not four characters, control characters among the characters to
/// skip). The comb items are written only when hasCombItems().
QString composeTextField(const QString& id, const TOptTextField& options);

/// Alignment code = h + 3 × v (h: 0 left, 1 centre, 2 right; v: 0 top, 1 middle, 2 bottom).
inline int alignmentCode(int h, int v)
{
    return h + 3 * v;
}

// ---- Image fields -------------------------------------------------------------------

enum class TransparencyMode : uint8_t { None = 0, PixelColor = 1, ChosenColor = 2 };
enum class CopyMode : uint8_t { Copy = 0, Multiply = 1, AddClamped = 2, Difference = 3 };

struct ImageFieldOptions {
    QString fileName;
    bool stretch = false;
    bool cut = false;
    bool keepProportions = false;
    bool center = false;
    int32_t backgroundColor = 0;
    bool transparentBackground = true;
    TransparencyMode transparency = TransparencyMode::None;
    int pickX = 0; // pixel of the picture whose colour is transparent (PixelColor)
    int pickY = 0;
    int32_t transparentColor = 0;     // ChosenColor
    std::optional<CopyMode> copyMode; // absent in texts written before it existed
    std::optional<int> opacity;       // 0–255; absent likewise

    CopyMode effectiveCopyMode() const { return copyMode.value_or(CopyMode::Copy); }
    int effectiveOpacity() const { return opacity.value_or(255); }
    bool operator==(const ImageFieldOptions&) const = default;
};

/// Parses an image field's node text from its fifth character on. Throws
/// ConversionError like ParseTextOptions, also for an opacity outside 0–255. Copy mode and
/// opacity are absent when their markers are.
ImageFieldOptions parseImageOptions(QStringView optionsText, const QString& fieldId = QString());

/// parseImageOptions into `options`, item by item as readTextOptions reads; a missing
/// copy-mode or opacity marker leaves that member as it was.
void readImageOptions(QStringView optionsText, ImageFieldOptions& options,
                      const QString& fieldId = QString());

/// The file an image field's stored name refers to. A name holding ":" (a drive) or
/// absolute on this system is taken as it is; any other is relative to the folder of
/// `projectPath`, whose separators may be "/" or "\" (the working folder when it names
/// none). Where no file has that name but one has it with its backslashes read as folder
/// separators, that one: projects made on Windows name subfolders so ("img\sig.png").
/// The renderer, the field editor's preview and the canvas all find pictures through this.
QString resolveImagePath(const QString& name, const QString& projectPath);

/// The node text of an image field. The markers for copy mode and opacity are written
/// (with 0 and 255) even when the options lack them. Throws ConversionError for values
/// the fixed widths cannot hold.
QString composeImageField(const QString& id, const ImageFieldOptions& options);

// ---- Shape fields -------------------------------------------------------------------

enum class ShapeKind : uint8_t { Line, Rectangle, RoundedRectangle, Ellipse, Unknown };
enum class LineDirection : uint8_t { None, Top, Bottom, Left, Right, BackSlash, Slash };

/// Line style digits as stored: 0 solid, 1 none, 2 dashed, 3 dash-dot, 4 dotted.
/// Fill style digits: 0 solid, 1 none, 2 rising hatch "////", 3 falling hatch "\\\\",
/// 4 vertical, 5 horizontal, 6 cross, 7 diagonal cross.
struct ShapeFieldOptions {
    ShapeKind kind = ShapeKind::Line;
    LineDirection direction = LineDirection::Top;
    double radiusMm = 0;   // rounded rectangle
    double startAngle = 0; // ellipse or arc, degrees
    double endAngle = 0;
    double lineWidthMm = 0.25;
    int lineStyle = 0; // -1: the stored character is not a known style
    int32_t lineColor = 0;
    int fillStyle = 1; // -1 likewise
    int32_t fillColor = 0xFFFFFF;

    bool operator==(const ShapeFieldOptions&) const = default;
};

/// Shape descriptor words.
QString shapeLinePrefix();    // "ЛИНИЯ - "
QString shapeRectangleWord(); // "ПРЯМОУГОЛЬНИК"
QString shapeRoundedPrefix(); // "СКРУГЛЕННЫЙ ПРЯМОУГОЛЬНИК - "
QString shapeEllipsePrefix(); // "КРУГ - "
QString lineDirectionWord(LineDirection direction); // "ВЕРХ", …, "\", "/"

/// Parses a shape field's node text from its fifth character on, as the renderer reads
/// it: the line direction is searched for in the descriptor (a later word wins; none →
/// LineDirection::None), a radius or angle that does not read as a number is 0. Throws
/// ConversionError for a missing separator or an unreadable line width or colour.
ShapeFieldOptions parseShapeOptions(QStringView optionsText, const QString& fieldId = QString());

/// The direction the field editor shows for a line descriptor: the exact word after the
/// prefix, and "/" for anything else.
LineDirection editorLineDirection(QStringView descriptor);

/// The node text of a shape field. Throws ConversionError for a line width outside
/// 0–10 mm, a radius outside 0–99.99 mm or angles outside 0–360.
QString composeShapeField(const QString& id, const ShapeFieldOptions& options);

} // namespace Quillet
