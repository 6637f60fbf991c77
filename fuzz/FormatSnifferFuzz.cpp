// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Any bytes under any of the names a workbook may have: a format, never a crash, a hang or
// a read outside the bytes; the device is left where it was, and every format but Unknown
// has a suffix for LibreOffice's copy.

#include "core/workbook/FormatSniffer.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    for (const char* name : {"book.xlsx", "book.ods", "book.numbers", "book.gnumeric", "book.csv",
                             "book.fods", "book"}) {
        const Quillet::WorkbookFormat format =
            Quillet::sniffWorkbookFormat(buffer, QString::fromLatin1(name));
        if (buffer.pos() != 0)
            std::abort();
        if ((format == Quillet::WorkbookFormat::Unknown)
            != Quillet::workbookFormatSuffix(format).isEmpty())
            std::abort();
    }
    return 0;
}
