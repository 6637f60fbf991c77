// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Feeds arbitrary bytes to the xlsx reader and reads every sheet's first cells under
// two locales: anything but a clean workbook or a Quillet::Error is a finding.

#include "core/common/Errors.h"
#include "core/workbook/XlsxReader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    // Small bounds keep each run fast; the reader must still fail cleanly at them.
    Quillet::ZipLimits limits;
    limits.maxEntryBytes = 8 << 20;
    limits.maxTotalBytes = 32 << 20;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Russian, QLocale::Russia)}) {
        try {
            buffer.seek(0);
            Quillet::WorkbookOptions options;
            options.locale = locale;
            const auto workbook =
                Quillet::XlsxReader(limits).read(buffer, QStringLiteral("f.xlsx"), options);
            (void)workbook->activeSheetName();
            for (const QString& name : workbook->sheetNames()) {
                const Quillet::Worksheet* sheet = workbook->worksheet(name);
                for (int row = 0; row <= 12; ++row) {
                    for (int column = 0; column <= 8; ++column)
                        (void)sheet->cellText(row, column);
                }
            }
        } catch (const Quillet::Error&) {
        }
    }
    return 0;
}
