// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/numfmt/NumberFormat.h"

#include <QLocale>
#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Quillet {

/// How a value cell of one cell style is displayed: a compiled number format, or the
/// boolean words of a boolean style.
struct OdsCellFormat {
    NumberFormat format;
    bool boolean = false;       ///< a boolean style: TRUE/FALSE words of `locale`
    bool explicitStyle = false; ///< false when the cell falls back to General
    QLocale locale;
};

/// The number styles (number:number-style, percentage, currency, date, time, boolean
/// and text styles with their style:map conditions) and the table-cell styles of an
/// OpenDocument spreadsheet, fed element by element from styles.xml and content.xml.
/// Each number style becomes a format code for NumberFormat, compiled under the style's
/// own language (number:language/number:country) or, without one, the program locale,
/// the way the spreadsheet application shows it.
class OdsStyles {
public:
    explicit OdsStyles(const QLocale& programLocale);
    ~OdsStyles();
    OdsStyles(const OdsStyles&) = delete;
    OdsStyles& operator=(const OdsStyles&) = delete;

    /// Streamed XML events of the style parts (names without namespace prefix). Elements
    /// that are not styles are ignored, so a whole styles.xml may be fed.
    void startElement(const char* name, const char** attributes);
    void endElement(const char* name);
    void characters(const char* data, int length);

    /// The display format of cells with table style `cellStyle` (empty: the default
    /// cell style). Looks through parent styles; a style without a number style shows
    /// General. The result stays valid while this object lives. Never fails.
    const OdsCellFormat& cellFormat(const std::string& cellStyle);

    /// The default format the application gives a value of office:value-type
    /// `valueType` ("date", "time", "percentage", "currency", "boolean") when its cell
    /// style has none of that kind; nullptr for other types.
    const OdsCellFormat* defaultFormat(const std::string& valueType);

    /// The format code a number style stands for (maps included), for tests; empty when
    /// there is no such style.
    QString formatCode(const std::string& numberStyle) const;

private:
    struct NumberStyle;
    struct Builder;

    QString codeOf(const std::string& name) const;
    const OdsCellFormat& compile(const std::string& numberStyle);

    QLocale m_locale;
    std::map<std::string, std::unique_ptr<NumberStyle>> m_numberStyles;
    std::map<std::string, std::pair<std::string, std::string>> m_cellStyles; // data, parent
    std::map<std::string, const OdsCellFormat*> m_byCellStyle;
    std::map<std::string, std::unique_ptr<OdsCellFormat>> m_byNumberStyle;
    std::map<std::string, std::unique_ptr<OdsCellFormat>> m_defaults;
    std::unique_ptr<Builder> m_builder;
    OdsCellFormat m_general;
};

} // namespace Quillet
