// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>

#include <vector>

namespace Quillet {

/// Comma-separated text (.csv, .txt) as a workbook of one sheet named after the file
/// without its extension ("data.csv" → "data"). Every cell shows its text as stored:
/// nothing is converted to numbers or dates.
///
/// Encoding: a byte order mark decides (UTF-8, UTF-16LE/BE); otherwise text that is
/// valid UTF-8 is UTF-8 and anything else Windows-1251. The separator is one of ";",
/// TAB and "," (see detectSeparator). Fields follow RFC 4180: a field starting with '"'
/// runs to the next lone '"', with "" standing for one quote, and may span lines; a CR LF
/// inside a quoted field becomes one line feed. Text after a closing quote is kept, and
/// an unclosed quote runs to the end of the file, as spreadsheet applications read them.
///
/// Throws FileError for an unreadable device, a file above MaxBytes, and for binary
/// content (a NUL character), which no text table holds.
class CsvReader : public SpreadsheetReader {
public:
    static constexpr qint64 MaxBytes = qint64(512) * 1024 * 1024;

    std::unique_ptr<Workbook> read(QIODevice& device, const QString& fileName,
                                   const WorkbookOptions& options) const override;

    /// The text of the file's bytes, by the encoding rules above (BOM removed).
    static QString decode(const QByteArray& bytes);

    /// The separator of a text: the first of ";", TAB, "," that occurs (outside quotes)
    /// in every non-empty record of the first hundred; failing that, the one that
    /// occurs most often; ";" when none occurs. ";" and TAB come first because Russian
    /// tables use ";" precisely so that "," can be the decimal mark.
    static QChar detectSeparator(QStringView text);

    /// Splits a text into records of fields with the given separator.
    static std::vector<std::vector<QString>> parse(QStringView text, QChar separator);
};

} // namespace Quillet
