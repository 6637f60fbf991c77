// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli join-pdf OUT.pdf PART.pdf...: the PDF parts of a sharded export as one file.

#include "cli/Command.h"
#include "core/common/Errors.h"
#include "core/export/PdfJoin.h"

#include <QDir>

#include <unistd.h>

namespace Quillet::Cli {
namespace {

int runJoinPdf(const QStringList& args)
{
    const ParsedArgs parsed = parseArgs(args, {}, {});
    if (parsed.positional.size() < 2)
        throw UsageError(QCoreApplication::translate(
            "Quillet::Cli", "Нужны имя выходного файла и хотя бы одна часть"));
    const QString out = parsed.positional.first();
    const QStringList parts = parsed.positional.mid(1);
    const int pages = joinPdfFiles(parts, out);
    if (isatty(STDERR_FILENO) != 0) {
        printErr(
            QCoreApplication::translate("Quillet::Cli", "Сохранён файл %1, страниц: %2, частей: %3")
                .arg(QDir::toNativeSeparators(out))
                .arg(pages)
                .arg(parts.size()));
    }
    return ExitOk;
}

const bool registered = registerCommand(
    {"join-pdf", QT_TRANSLATE_NOOP("Quillet::Cli", "join-pdf ВЫХОД.pdf ЧАСТЬ.pdf..."),
     &runJoinPdf});

} // namespace
} // namespace Quillet::Cli
