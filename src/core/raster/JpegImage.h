// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QByteArray>
#include <QImage>

namespace Quillet {

class TFastDIB;

/// A JPEG picture as the program keeps its backgrounds: either encoded JPEG data (as
/// loaded or read from a project file) or a bitmap assigned to it (a processed
/// background), which is encoded only when data is asked for. Empty when it holds
/// neither.
class JpegImage {
public:
    JpegImage() = default;
    explicit JpegImage(QByteArray data) { setData(std::move(data)); }

    /// Holds encoded data; any bitmap is dropped.
    void setData(QByteArray data);
    /// Holds a bitmap; the data is dropped until encode() is called.
    void setBitmap(QImage bitmap);
    void clear();

    const QByteArray& data() const { return m_data; }
    const QImage& bitmap() const { return m_bitmap; }
    bool hasBitmap() const { return !m_bitmap.isNull(); }
    bool isEmpty() const { return width() == 0 || height() == 0; }
    /// Picture size; 0 × 0 when empty or when the data has no readable header.
    int width() const;
    int height() const;

    /// Encodes the held bitmap into data (baseline, quality 0–100). True when data is
    /// held afterwards; a held bitmap stays.
    bool encode(int quality);

private:
    void readSize() const;

    QByteArray m_data;
    QImage m_bitmap;
    mutable int m_width = -1;
    mutable int m_height = -1;
};

/// Decodes the picture into raster: colour JPEG data becomes 24 bits, greyscale 8 bits
/// with a grey colour table, a held bitmap is copied as DibFromBitmap does. False, with
/// the raster unchanged, when the data is empty, corrupt or truncated.
bool DibFromJpeg(const JpegImage& jpeg, TFastDIB& raster);

/// Decodes JPEG bytes into raster as DibFromJpeg does; false leaves raster unchanged.
bool decodeJpeg(const QByteArray& data, TFastDIB& raster);

/// Reads the frame size from JPEG bytes without decoding; false for no valid header.
bool readJpegSize(const QByteArray& data, int& width, int& height);

/// Encodes a raster (any depth, read as colours) or a bitmap as a baseline JFIF 1.01 JPEG
/// with the given quality (0–100) into out, reusing its capacity. `dpi` above 0 is
/// written as the picture's density in dots per inch; 0 writes density unit 0 and
/// density 1:1 (no resolution stated). False for an empty picture or an encoder failure.
bool encodeJpeg(const TFastDIB& raster, int quality, QByteArray& out, int dpi = 0);
bool encodeJpeg(const QImage& image, int quality, QByteArray& out, int dpi = 0);

/// Resolutions a JPEG may state that readJpegDpi believes; anything else is a placeholder.
inline constexpr int MinStatedDpi = 50;
inline constexpr int MaxStatedDpi = 2400;

/// The resolution the JFIF header states, in dots per inch (dots per centimetre
/// converted), when it states one within MinStatedDpi–MaxStatedDpi with equal density
/// across and down; 0 otherwise, and for data without a readable header.
int readJpegDpi(const QByteArray& data);

} // namespace Quillet
