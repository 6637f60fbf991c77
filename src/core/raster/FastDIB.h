// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <cstddef>
#include <cstdint>

class QImage;
class QString;

namespace Quillet {

/// One 24-bit pixel in storage order: blue, green, red.
struct PixelBGR {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    friend bool operator==(const PixelBGR&, const PixelBGR&) = default;
};
static_assert(sizeof(PixelBGR) == 3);

/// Splits a colour value $00BBGGRR (red in the low byte) into a PixelBGR.
PixelBGR ColorToBGR(std::uint32_t color);

/// Packs a PixelBGR back into a colour value $00BBGGRR.
std::uint32_t bgrToColor(PixelBGR pixel);

/// One colour-table entry, byte order blue, green, red, reserved.
struct DibColor {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const DibColor&, const DibColor&) = default;
};

/// The 40-byte bitmap header followed by 256 colour-table entries. With compression
/// DibHeader::BitFields the first three entries hold the red, green and blue masks as
/// little-endian 32-bit values instead of colours.
struct DibHeader {
    static constexpr std::uint32_t Plain = 0;
    static constexpr std::uint32_t BitFields = 3;

    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0; ///< positive: storage row 0 is the picture's bottom row
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = Plain;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
    DibColor colors[256] = {};

    /// Mask k (0 red, 1 green, 2 blue) stored in the colour table.
    std::uint32_t mask(int k) const;
    void setMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue);
};
static_assert(offsetof(DibHeader, colors) == 40);

struct PixelStore;

/// A device-independent raster in the Windows bitmap layout: rows padded to 32 bits,
/// storage row 0 at the lowest address and (for a positive height) the picture's bottom
/// row. Depths 1, 4, 8 (colour-table indices), 16 (5-5-5 or bit fields), 24 (B, G, R)
/// and 32 (B, G, R, unused, or bit fields). Several rasters may hold one pixel store
/// (ShareFrom); the store is freed when its last holder lets go. Not thread-safe.
class TFastDIB {
public:
    TFastDIB();
    ~TFastDIB();
    TFastDIB(const TFastDIB&) = delete;
    TFastDIB& operator=(const TFastDIB&) = delete;

    /// Releases the store (freeing it when this was its last holder); the raster is
    /// empty again, as after construction.
    void clear();

    /// Allocates a zeroed raster; bits 0 means the screen's depth (32 bits 8-8-8).
    /// Keeps the pixels when the raster already has a surface of the same width, height,
    /// depth and channel sizes. Returns false, leaving the raster empty, for a depth
    /// outside 0/1/4/8/16/24/32, a negative width or a size that cannot be allocated.
    bool SetSize(int width, int height, int bits);

    /// Sizes from a header: width, height, depth, bit-field masks and, up to 8 bits, the
    /// colour table. Same failure behaviour as SetSize.
    bool SetSizeFromHeader(const DibHeader& header);

    /// Makes this raster one more holder of source's store, copying its header. With
    /// destroySource the source object is deleted (it must come from new) and its
    /// release only lowers the shared count.
    void ShareFrom(TFastDIB& source);
    void ShareFrom(TFastDIB* source, bool destroySource);

    /// Colour of the pixel at storage row and column; no range check.
    PixelBGR PixelAt(int row, int column) const;

    /// Sets every pixel to the colour, leaving the row padding alone.
    void FillColor(PixelBGR color);

    /// Copies a w × h rectangle from (sx, sy) of source to (dx, dy) of this raster, y
    /// counted from the top of each picture; clipped to both rasters, silently empty when
    /// nothing overlaps. Equal depths of 8 bits or more copy bytes; otherwise every pixel
    /// is read as a colour and stored in this raster's layout.
    void CopyRectFrom(const TFastDIB& source, int dx, int dy, int w, int h, int sx, int sy);

    /// Complements every byte of the pixel memory, row padding included.
    void InvertBytes();

    /// Converts in place; does nothing when the depth is already bits.
    void ConvertDepth(int bits);

    /// Copies the picture 1:1 onto surface with its top-left corner at (x, y), clipped.
    void DrawOn(QImage& surface, int x, int y) const;

    /// Like DrawOn but leaves out every pixel whose colour equals transparent.
    void DrawTransparentOn(QImage& surface, int x, int y, PixelBGR transparent) const;

    /// Nearest-neighbour resample into an already sized destination (same depth, or a
    /// 24-bit destination from 8, 16 or 32 bits; from 1 or 4 bits nothing is written).
    void ScaleNearestTo(TFastDIB& destination) const;

    /// Bilinear resample in 16.16 fixed point into an already sized 24-bit destination.
    /// Does nothing unless both rasters are 24-bit, non-empty and below 32768 per side.
    void ResizeSmoothTo(TFastDIB& destination) const;

    /// Sizes destination (same header, zeroed) to hold this raster turned by degrees.
    void SizeForRotation(TFastDIB& destination, double degrees) const;

    /// Turns this raster by degrees (positive: clockwise as seen) into an already sized
    /// destination of the same depth; pixels that map outside keep their value.
    void RotateTo(TFastDIB& destination, bool smooth, double degrees) const;

    /// Size destination with the sides exchanged (or kept) and turn by exact quarters.
    void Rotate90To(TFastDIB& destination) const;
    void Rotate180To(TFastDIB& destination) const;
    void Rotate270To(TFastDIB& destination) const;

    /// The general turn with 16.16 cosine c and sine s about (cx, cy) of destination.
    void rotateFixed(TFastDIB& destination, std::int32_t c, std::int32_t s, int cx, int cy,
                     bool smooth) const;

    int width() const { return m_header.width; }
    int height() const { return m_header.height; }
    int absHeight() const { return m_absHeight; }
    int bitsPerPixel() const { return m_header.bitCount; }
    int bytesPerPixel() const { return m_bytesPerPixel; }
    int stride() const { return m_stride; }
    int gap() const { return m_gap; }
    bool isEmpty() const { return m_bits == nullptr; }
    bool hasBitFields() const { return m_header.compression == DibHeader::BitFields; }
    int blueSize() const { return m_blueSize; }
    int greenSize() const { return m_greenSize; }
    int redSize() const { return m_redSize; }
    int sharedCount() const;
    bool hasDrawingContext() const { return m_ownsContext; }

    const DibHeader& header() const { return m_header; }
    DibColor* colorTable() { return m_colors; }
    const DibColor* colorTable() const { return m_colors; }
    std::uint8_t* bits() { return m_bits; }
    const std::uint8_t* bits() const { return m_bits; }
    std::uint8_t* scanLine(int row) { return m_rows[row]; }
    const std::uint8_t* scanLine(int row) const { return m_rows[row]; }
    /// Storage row holding picture row y counted from the top.
    int storageRow(int topY) const { return m_header.height > 0 ? m_absHeight - 1 - topY : topY; }

    /// 16-to-24 colour table of this store (65536 × B, G, R), built on first use.
    const std::uint8_t* table16To24() const;
    /// Encodes a colour in this raster's pixel layout (not for depths below 16).
    std::uint32_t encodeColor(PixelBGR color) const;
    /// Index of the colour-table entry nearest to color (sum of channel differences).
    int nearestIndex(PixelBGR color) const;
    /// Stores a colour at storage row and column in this raster's layout.
    void storePixel(int row, int column, PixelBGR color);

private:
    bool allocate(const DibHeader& header, int blueSize, int greenSize, int redSize);
    void copyMembersFrom(const TFastDIB& other);

    void* m_context = nullptr; ///< stands in for the platform drawing context
    void* m_font = nullptr;
    void* m_pen = nullptr;
    void* m_brush = nullptr;
    PixelStore* m_store = nullptr; ///< the surface: owner of the pixel memory
    int m_stride = 0;
    int m_absHeight = 0;
    int m_gap = 0;
    std::uint8_t* m_bits = nullptr;
    DibColor* m_colors = nullptr;
    DibHeader m_header;
    int m_bytesPerPixel = 0;
    int m_blueSize = 0;
    int m_greenSize = 0;
    int m_redSize = 0;
    int m_blueComplement = 0;
    int m_greenComplement = 0;
    int m_redComplement = 0;
    int m_blueShift = 0;
    int m_greenShift = 0;
    int m_redShift = 0;
    std::uint32_t m_blueMask = 0;
    std::uint32_t m_greenMask = 0;
    std::uint32_t m_redMask = 0;
    std::uint8_t** m_rows = nullptr;
    bool m_usesSurface = true;
    bool m_ownsContext = false;
    bool m_ownsMemory = false;
    bool m_ownsSurface = false;
};

/// Decodes a picture file into raster at the depth its pixel format calls for (1, 4 and
/// 8 bits with palettes, 16-bit grey as 8, 5-5-5 and 5-6-5 as 16 with masks, 24, 32;
/// 48 and 64 bits down to 24 and 32). The content chooses the decoder, not the name (the
/// extension only helps formats without a signature, such as TGA). False for a missing,
/// unreadable, truncated or undecodable file, or one over 150 million pixels; the raster
/// may already have been sized.
bool LoadPictureFile(const QString& path, TFastDIB& raster);

/// The raster takes the bitmap's size, depth (colour table and masks included) and a
/// copy of its pixels; formats without a raster equivalent come in at the screen depth.
/// False, with the raster left empty, for a null bitmap.
bool DibFromBitmap(const QImage& bitmap, TFastDIB& raster);

/// The bitmap takes the raster's picture; the raster is left empty (it no longer owns
/// a surface). A raster without pixels gives nothing and leaves the bitmap alone.
void GiveDibToBitmap(TFastDIB& raster, QImage& bitmap);

/// The bitmap gets a copy of the raster; the raster is unchanged.
void CopyDibToBitmap(const TFastDIB& raster, QImage& bitmap);

/// Per-byte blends of a and b into destination over the pixel bytes of each storage row
/// (padding untouched). All three must share one depth of 8, 24 or 32 bits, else nothing
/// happens; destination may be a or b. Only the area common to the three is touched.
void BlendMultiply(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b);
void BlendAddClamped(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b);
void BlendDifference(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b);
/// b + ((weight × (a − b)) >> 8), the shift rounding toward minus infinity; weight 0–255.
void BlendAlpha(TFastDIB& destination, const TFastDIB& a, const TFastDIB& b, int weight);

} // namespace Quillet
