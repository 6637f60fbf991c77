// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Any bytes named .csv: a workbook or a Quillet::Error, never a crash or a hang. Every
// sheet the workbook lists must be found by its name.

#include "core/common/Errors.h"
#include "core/workbook/CsvReader.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        const auto workbook = Quillet::CsvReader().read(buffer, QStringLiteral("fuzz.csv"), {});
        if (!workbook->worksheet(workbook->activeSheetName()))
            std::abort();
        for (const QString& name : workbook->sheetNames()) {
            const Quillet::Worksheet* sheet = workbook->worksheet(name);
            if (!sheet)
                std::abort();
            size_t total = 0;
            for (int row = 0; row <= 40; ++row) {
                for (int column = 0; column <= 12; ++column)
                    total += size_t(sheet->cellText(row, column).size());
            }
            if (total > size + 1)
                std::abort(); // a cell cannot hold more text than the file
        }
    } catch (const Quillet::Error&) {
    }
    return 0;
}
