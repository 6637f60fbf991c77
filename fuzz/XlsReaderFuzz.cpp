// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Any bytes named .xls: a workbook or a Quillet::Error, never a crash or a hang. Every
// sheet the workbook lists must be found by its name.

#include "core/common/Errors.h"
#include "core/workbook/CompoundFile.h"
#include "core/workbook/XlsReader.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The container walk on its own, for streams the reader would not ask for.
    if (Quillet::checkCompoundFile(bytes).isEmpty()) {
        Quillet::compoundStream(bytes, u"Workbook");
        Quillet::compoundStream(bytes, u"Book");
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        const auto workbook = Quillet::XlsReader().read(buffer, QStringLiteral("fuzz.xls"), {});
        if (!workbook->worksheet(workbook->activeSheetName()))
            std::abort();
        for (const QString& name : workbook->sheetNames()) {
            const Quillet::Worksheet* sheet = workbook->worksheet(name);
            if (!sheet)
                std::abort();
            for (int row = 0; row <= 40; ++row) {
                for (int column = 0; column <= 12; ++column)
                    sheet->cellText(row, column);
            }
        }
    } catch (const Quillet::Error&) {
    }
    return 0;
}
