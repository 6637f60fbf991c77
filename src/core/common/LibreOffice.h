// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Running LibreOffice headless to convert office documents (recalculating workbooks,
// turning documents into PDF pages).

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>

namespace Quillet {

/// One value for LibreOffice's configuration, as its registry names it: the node path
/// ("/org.openoffice.Office.Calc/Formula/Load"), the property ("OOXMLRecalcMode") and
/// the value as written in the registry ("0", "true").
struct LibreOfficeSetting {
    QString path;
    QString property;
    QString value;
};

/// Environment variable naming the LibreOffice program to run (a path). When set, it is
/// the only program tried: a path with no executable file there means "not installed".
inline constexpr char LibreOfficeProgramVariable[] = "QUILLET_SOFFICE";

/// The LibreOffice program: the one named by QUILLET_SOFFICE when that is set, else the
/// first of `soffice` on PATH, /usr/bin/soffice, /usr/lib/libreoffice/program/soffice.
/// An absolute path; empty when none is installed.
QString libreOfficeProgram();

/// A conversion stopped on request (see convertWithLibreOffice). Not a FileError: nothing
/// is wrong with the file, and callers that turn failures into messages let it through.
class LibreOfficeCancelled : public Error {
public:
    LibreOfficeCancelled()
        : Error(QCoreApplication::translate("Quillet::LibreOffice", "Работа LibreOffice прервана"))
    {
    }
};

/// How a conversion runs besides its target.
struct ConversionControl {
    /// The extension of the private copy LibreOffice opens ("document.xlsb"); empty for the
    /// input's own extension (letters and digits only).
    QString copySuffix;
    /// Asked every tenth of a second while LibreOffice runs, from the calling thread;
    /// true kills LibreOffice with all the processes it started and throws
    /// LibreOfficeCancelled.
    std::function<bool()> cancelled;
};

/// Converts the document `inputPath` with LibreOffice. `target` is what follows
/// --convert-to: an extension ("pdf"), optionally with a filter ("xlsx:Calc MS Excel 2007
/// XML"). The document is copied into a private temporary folder and converted there with
/// a fresh private profile (so neither the user's profile nor the document's folder is
/// touched, and no other LibreOffice instance is joined), macros and the updating of
/// external links disabled (so a document cannot reach the network), `settings` written
/// into that profile first. Waits at most `timeoutMs`
/// milliseconds, then kills LibreOffice with all the processes it started.
///
/// Returns the absolute path of the written file: `outDir`/<input's base name>.<extension>,
/// replacing a file of that name. Throws FileError naming the document when LibreOffice
/// is not installed, the input cannot be read, the time runs out, LibreOffice fails or
/// writes nothing or an empty file, or the result cannot be placed in `outDir`; throws
/// LibreOfficeCancelled when `control` asked to stop.
QString convertWithLibreOffice(const QString& inputPath, const QString& target,
                               const QString& outDir, int timeoutMs,
                               const QList<LibreOfficeSetting>& settings = {},
                               const ConversionControl& control = {});

} // namespace Quillet
