// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The values the field editor's panels show, with the rules that tie one control to
// another, and the translation between these values and node texts. The GUI binds each
// control to one member (the member names are the controls' object names) and calls the
// rule functions from its click handlers; nothing here knows about widgets.
//
// Colours are stored as the project does: 32-bit $00BBGGRR values.

#include <QString>
#include <QStringView>
#include <Qt>

#include <array>
#include <cstdint>

namespace Quillet {

inline constexpr int32_t ColorBlack = 0x000000;
inline constexpr int32_t ColorWhite = 0xFFFFFF;

// ---- Text field panel `TextField` ---------------------------------------------------

/// Block kinds of the `block` radio group.
inline constexpr int BlockFirst = 0;
inline constexpr int BlockMain = 1;
inline constexpr int BlockLast = 2;

struct TextPanelValues {
    QString Text = QStringLiteral("Text");
    bool AutoReplace = false;
    int MaxCram = 0; ///< spin edit 0–9; 0 = no limit
    /// First, main, last block; h + 3 × v. They start as the buttons start (left,
    /// middle), so a new field stores the alignment the panel shows.
    std::array<int, 3> AlignCodes{3, 3, 3};
    int block = BlockFirst;  ///< which entry of AlignCodes the buttons show
    int alignHorizontal = 0; ///< button down: 0 Algn_L, 1 Algn_C, 2 Algn_R
    int alignVertical = 1;   ///< button down: 0 Algn_T, 1 Algn_M, 2 Algn_B
    bool bottomUp = false;   ///< false: topSpline down, true: BottomSpline
    bool Transperent = true;
    int32_t FonColor = ColorWhite;
    int32_t FontColor = ColorBlack;
    bool Boldchk = false;
    bool IncChk = false;
    bool UndChk = false;
    int Size = 10; ///< points, spin edit 4–999
    /// The font family of `Text`. Empty means the default font: the GUI puts its default
    /// family here at start-up.
    QString fontName;
    bool Comb = false;     ///< "По одному знаку в блок"
    bool CombDash = false; ///< "Прочерк в пустых клетках"
    QString CombSkip;      ///< characters dropped before the split, empty at start-up

    /// `block` click: shows AlignCodes[kind] on the buttons (horizontal = code mod 3,
    /// vertical = code div 3; a code above 8 leaves the vertical button as it is).
    /// `kind` outside 0–2 is ignored.
    void selectBlock(int kind);
    /// Alignment button clicks: the button goes down and AlignCodes[block] becomes
    /// h + 3 × v of the buttons now down. Values outside 0–2 are ignored.
    void pressHorizontal(int h);
    void pressVertical(int v);

    bool operator==(const TextPanelValues&) const = default;
};

// ---- Image field panel `ImgField` ---------------------------------------------------

/// `transperentImg` items.
inline constexpr int TransparencyNone = 0;
inline constexpr int TransparencyPixel = 1; ///< "цвет по координатам"
inline constexpr int TransparencyColor = 2; ///< "выбрать цвет"

struct ImagePanelValues {
    QString ImgFieldName; ///< as stored: relative to the project folder unless absolute
    bool stretch = false;
    bool cutimg = false;
    bool keeprate = false;
    bool CenterImg = false;
    int32_t FonImgColor = ColorBlack;
    bool TransFon = true;
    int transperentImg = TransparencyNone;
    int C_X = 1; ///< picture pixel whose colour is transparent (mode 1)
    int C_Y = 1;
    int32_t Trans_color = ColorBlack; ///< mode 2
    int CopyMode = 0; ///< 0 Копирование, 1 Затемнение (And), 2 Осветление (Or), 3 Инверсия (Xor)
    int AlfaBlend = 255; ///< opacity 0–255, 255 opaque

    /// `CopyMode` choice by the user: 1 turns FonImgColor white, 2 and 3 black, 0 leaves
    /// it. Values outside 0–3 are ignored.
    void setCopyMode(int mode);
    /// `C_X`, `C_Y` are enabled (mode 1 only).
    bool pixelEditsEnabled() const { return transperentImg == TransparencyPixel; }
    /// The `Trans_color` panel is enabled (mode 2 only).
    bool colorPanelEnabled() const { return transperentImg == TransparencyColor; }

    bool operator==(const ImagePanelValues&) const = default;
};

/// The name to store for a picture chosen in the file dialog: when `projectPath` is not
/// empty and `chosenPath` begins with the project's folder including its final separator
/// ("/" or "\"), that folder part is dropped; otherwise `chosenPath` as it is.
QString storedImageName(const QString& chosenPath, const QString& projectPath);

// The file a stored name refers to is resolveImagePath (app/NodeGrammar.h).

// ---- Shape field panel `ShapeAdd` ---------------------------------------------------

/// `ShapeType` tabs.
inline constexpr int ShapeTabLine = 0;
inline constexpr int ShapeTabRectangle = 1;
inline constexpr int ShapeTabRounded = 2;
inline constexpr int ShapeTabEllipse = 3;

/// Direction buttons of the line tab; -1 = none down.
inline constexpr int LnHi = 0;
inline constexpr int LnLow = 1;
inline constexpr int LnLeft = 2;
inline constexpr int LnRight = 3;
inline constexpr int LnBkSlsh = 4;
inline constexpr int LnSlsh = 5;

/// Line style buttons (the index is the stored digit); -1 = none down.
inline constexpr int SolidLn = 0;
inline constexpr int ClearLn = 1;
inline constexpr int DashLn = 2;
inline constexpr int DashDotLn = 3;
inline constexpr int DotLn = 4;

/// Fill style buttons (the index is the stored digit); -1 = none down.
inline constexpr int SolidBr = 0;
inline constexpr int ClearBr = 1;
inline constexpr int BDiagBr = 2; ///< page: lines rising to the right
inline constexpr int FDiagBr = 3; ///< page: lines falling to the right
inline constexpr int VerticalBr = 4;
inline constexpr int HorizontBr = 5;
inline constexpr int CrossBr = 6;
inline constexpr int DiagCrossBr = 7;

/// Largest values of the shape spin edits.
inline constexpr double MaxRadiusMm = 99.99;
inline constexpr double MaxAngle = 360.0;
inline constexpr double MaxLineWidthMm = 10.0;
/// The width a non-solid line style forces.
inline constexpr double ThinLineWidthMm = 0.01;

/// The pen a line style button stands for (SolidLn … DotLn; any other value, as the page
/// draws it, dotted).
Qt::PenStyle linePenStyle(int lineStyle);

/// The pattern the page prints for a fill style button (SolidBr … DiagCrossBr; any other
/// value, as the page draws it, the diagonal cross).
Qt::BrushStyle fillBrushStyle(int fillStyle);

struct ShapePanelValues {
    int ShapeType = ShapeTabLine;
    int direction = LnHi;
    double Radius = 3.0;  ///< mm, 0–99.99
    double StartAngl = 0; ///< degrees, 0–360
    double FinishAngl = 0;
    double SizeLn = 0.25; ///< mm, 0–10
    int lineStyle = SolidLn;
    int32_t ColorLn = ColorBlack;
    int fillStyle = ClearBr;
    int32_t ColorBr = ColorWhite;

    /// Tab change: "Линия" also presses ClearBr. Values outside 0–3 are ignored.
    void setShapeType(int tab);
    /// Line style click: SolidLn enables SizeLn; the other styles disable it and set it
    /// to 0.01 mm. -1 releases every button and leaves SizeLn and its state.
    void pressLineStyle(int style);
    /// Whether the SizeLn edit accepts input (as the last line style click left it).
    bool sizeLnEnabled() const { return m_sizeLnEnabled; }
    /// Fill style click; -1 releases every button.
    void pressFillStyle(int style);

    /// Pen width of the sample `Shape1`, in screen pixels: round(SizeLn × 96 / 25.4),
    /// ties to even.
    int samplePenWidthPx() const;
    /// Pen of the sample: solid, none, dash, dash-dot or dot; with no button down the
    /// dotted line the stored digit 4 stands for.
    Qt::PenStyle samplePenStyle() const;
    /// Fill of the sample. The two diagonal buttons show the mirror of what the page
    /// draws for their digits: BDiagBr falling lines (Qt::FDiagPattern), FDiagBr rising
    /// lines (Qt::BDiagPattern). With no button down the diagonal cross of digit 7.
    Qt::BrushStyle sampleBrushStyle() const;

    bool operator==(const ShapePanelValues&) const = default;

private:
    bool m_sizeLnEnabled = true;
};

// ---- Block panels -------------------------------------------------------------------

/// `Coords`: a block's edges in millimetres.
/// Largest edge the coordinate edits hold, millimetres (the block text's fixed width).
inline constexpr double MaxCoordMm = 9999.99;

struct CoordsValues {
    double Min_x = 0;
    double Min_y = 0;
    double max_x = 0;
    double max_y = 0;
    bool operator==(const CoordsValues&) const = default;
};

inline constexpr int MinDivisions = 1;
inline constexpr int MaxDivisions = 100;

/// `Divided`: columns and rows, 1–100 each.
struct DivideValues {
    int Col = 1;
    int Row = 1;
    bool operator==(const DivideValues&) const = default;
};

// ---- Loading a node into a panel ----------------------------------------------------
//
// Each loader reads the node text from its first character (the ID included) item by
// item and writes every value as soon as it is read. At the first item that does not
// convert it throws ConversionError (naming the field and the position); the
// values read before stay, which is what the panel then shows. Values are clamped to
// their controls' ranges as a spin edit would. Text and image fields are read by the
// grammar's own readers (readTextOptions, readImageOptions), so the editor accepts
// exactly the nodes the renderer draws.

/// Text field: Text, AutoReplace, MaxCram, AlignCodes (then `block` := first, buttons
/// show its code; also after a failure, so the buttons always show the codes held), the
/// fill direction ("1" bottom up, any other character top down), Transperent, FonColor,
/// FontColor, the three style flags, Size (4–999), fontName (the rest of the text up to
/// the comb items, cut to MaxFontNameLength), then Comb, CombDash and CombSkip (off and
/// empty when the node has no comb items).
void loadTextPanel(QStringView nodeText, TextPanelValues& values);

/// Image field: the name, four flags, FonImgColor, TransFon, transperentImg (0–2), in
/// mode 1 C_X and C_Y, in mode 2 Trans_color; then CopyMode and AlfaBlend when their
/// markers are present; a missing marker leaves that value. An opacity outside 0–255
/// does not convert.
void loadImagePanel(QStringView nodeText, ImagePanelValues& values);

/// Shape field: the tab, direction, radius or angles from the descriptor (numbers that
/// do not read become 0; values clamped to 0…max), the tab change rule, SizeLn, the line
/// style pressed as by a click (an unknown digit presses none), ColorLn, the fill style
/// likewise, ColorBr. Colours that do not read become 0. Throws only for a missing
/// separator (code 8) between descriptor, line and fill parts.
void loadShapePanel(QStringView nodeText, ShapePanelValues& values);

/// Block: max_x, max_y, Min_x, Min_y in this order, from characters 17–23, 25–31, 1–7
/// and 9–15, each held within 0 … MaxCoordMm as the edits hold it.
void loadCoords(QStringView blockText, CoordsValues& values);

// ---- Composing on apply -------------------------------------------------------------
//
// The node text for the panel's values through the grammar's writers. `id` is the
// field's four-character ID. Throw ConversionError for values the stored form cannot
// hold (a field text with code 8 or a line break, a pick point beyond 9999, ...).

QString composeTextNode(const QString& id, const TextPanelValues& values);
QString composeImageNode(const QString& id, const ImagePanelValues& values);
/// The descriptor of the active tab; a line with LnSlsh or no button down is "/". Line
/// digit 4 and fill digit 7 stand for any state without another button down.
QString composeShapeNode(const QString& id, const ShapePanelValues& values);
/// Block text "0000.00 0000.00/0000.00 0000.00" of Min_x, Min_y, max_x, max_y.
QString composeCoordsNode(const CoordsValues& values);

} // namespace Quillet
