// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The libjpeg plumbing the raster code shares: errors that jump back instead of ending
// the process, a QByteArray as the encoder's destination, and the one place the
// encoder's settings are made, so every writer of page JPEGs writes the same headers.

#include <QByteArray>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace Quillet::JpegLib {

/// libjpeg reports errors by calling error_exit, which must not return; it jumps to
/// `jump`. `truncated` is set when a decoder met the end of its data early.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool truncated = false;
};

/// Fills `errors` and points its handlers at the jumping ones.
void setUpErrors(ErrorManager& errors);

/// Writes the encoder's output into `out`, reusing its capacity; `out` is cut to the
/// written size when the encoder finishes.
struct ByteArrayDestination {
    jpeg_destination_mgr pub;
    QByteArray* out;
};
void useDestination(jpeg_compress_struct& encoder, ByteArrayDestination& destination,
                    QByteArray& out);

/// The settings of every page JPEG: defaults for `layout` (4:2:0 YCbCr, standard Huffman
/// tables, no restart markers), baseline quality `quality` (clamped to 0–100), JFIF 1.01
/// with `dpi` as density (0: unit 0, density 1:1).
void setUpEncoder(jpeg_compress_struct& encoder, int width, int height, int quality, int dpi,
                  J_COLOR_SPACE layout, int components);

} // namespace Quillet::JpegLib
