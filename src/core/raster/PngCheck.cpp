// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/PngCheck.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace Quillet {
namespace {

struct Source {
    const png_byte* data = nullptr;
    size_t size = 0;
    size_t at = 0;
};

void readBytes(png_structp png, png_bytep out, size_t length)
{
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (length > source->size - source->at)
        png_error(png, "Read Error");
    std::memcpy(out, source->data + source->at, length);
    source->at += length;
}

// libpng's errors must not return: back to the setjmp of the step under way.
void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

struct Shape {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    size_t rowBytes = 0;
    int passes = 1;
};

// The steps that may jump back hold nothing that needs destroying: the row buffer belongs
// to their caller.
bool readHeader(png_structp png, png_infop info, Shape& shape)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    shape.passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    shape.width = png_get_image_width(png, info);
    shape.height = png_get_image_height(png, info);
    shape.rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool readRows(png_structp png, png_infop info, const Shape& shape, png_bytep row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    for (int pass = 0; pass < shape.passes; ++pass) {
        for (png_uint_32 y = 0; y < shape.height; ++y)
            png_read_row(png, row, nullptr);
    }
    png_read_end(png, info);
    return true;
}

} // namespace

bool pngReadsWhole(const QByteArray& bytes, long long maxSide, long long maxPixels)
{
    Source source;
    source.data = reinterpret_cast<const png_byte*>(bytes.constData());
    source.size = size_t(bytes.size());
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool whole = false;
    if (info) {
        png_set_read_fn(png, &source, readBytes);
        Shape shape;
        if (readHeader(png, info, shape)) {
            const long long width = shape.width;
            const long long height = shape.height;
            if (width <= maxSide && height <= maxSide && width * height <= maxPixels) {
                std::vector<png_byte> row(shape.rowBytes);
                whole = readRows(png, info, shape, row.data());
            }
        }
    }
    png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    return whole;
}

} // namespace Quillet
