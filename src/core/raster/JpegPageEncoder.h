// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Encoding many pages that are mostly one fixed picture (a filled form: the background
// with a few fields drawn on it). The fixed picture is transformed and Huffman-coded once;
// a page then transforms only the 16 × 16 blocks (one 4:2:0 MCU each) where its pixels
// differ from the picture, codes those, and copies the picture's code for the runs in
// between. A block's coefficients depend on its own pixels alone (the edge padding
// included), and a run's code on the DC values before it, which are put back to the
// picture's where they differ; so the file is byte for byte the one encodeJpeg writes for
// the page.

#include <QByteArray>
#include <QImage>

#include <memory>

namespace Quillet {

/// The fixed picture's code, MCU by MCU, shared read-only by the encoders of one export.
class JpegPageReference {
public:
    /// Encodes `picture` (Format_RGB32) as encodeJpeg(picture, quality, …, dpi) does and
    /// keeps where each MCU's code lies. Null for a picture of another format, an empty
    /// one, an encoder failure, or settings whose code this class does not reproduce byte
    /// for byte (it checks its own coding of the picture against the encoder's).
    static std::shared_ptr<const JpegPageReference> make(const QImage& picture, int quality,
                                                         int dpi = 0);
    ~JpegPageReference();

    struct Data;
    const Data& data() const { return *m_data; }

private:
    explicit JpegPageReference(std::unique_ptr<Data> data);
    std::unique_ptr<Data> m_data;
};

/// Encodes pages against a reference; one per thread.
class JpegPageEncoder {
public:
    explicit JpegPageEncoder(std::shared_ptr<const JpegPageReference> reference);
    ~JpegPageEncoder();
    JpegPageEncoder(const JpegPageEncoder&) = delete;
    JpegPageEncoder& operator=(const JpegPageEncoder&) = delete;

    /// Writes into `out` (reusing its capacity) the bytes encodeJpeg(page, quality, out,
    /// dpi) writes with the reference's quality and dpi. A page of another size or format
    /// than the reference, or one that differs from it almost everywhere, is encoded
    /// whole by encodeJpeg. False when encoding fails.
    bool encode(const QImage& page, QByteArray& out);

    /// As encode, and leaves `page` with the reference's pixels: the changed MCUs are put
    /// back as the page is read, so a page drawn on a copy of the reference can be drawn
    /// on again.
    bool encodeAndRestore(QImage& page, QByteArray& out);

    /// The reference picture; null without a reference.
    const QImage& reference() const;

    /// The MCUs the last page transformed afresh, and all the page has (for figures);
    /// both 0 when it was encoded whole.
    int changedBlocks() const { return m_changed; }
    int totalBlocks() const;

    struct Working;

private:
    bool encodePage(const QImage& page, QImage* restore, QByteArray& out);
    std::shared_ptr<const JpegPageReference> m_reference;
    std::unique_ptr<Working> m_working;
    int m_changed = 0;
};

} // namespace Quillet
