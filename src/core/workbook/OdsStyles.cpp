// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/OdsStyles.h"

#include "core/workbook/XmlStream.h"

#include <cstring>

namespace Quillet {

namespace {

// Hostile files may chain parent styles without end; real ones nest one level.
constexpr int MaxDepth = 8;
constexpr int MaxPlaces = 30;
constexpr int MaxLiteral = 256;
// Format codes are cut at 1024 characters when compiled; a longer body only costs memory.
constexpr qsizetype MaxBody = 1024;

bool named(const char* name, const char* expected)
{
    return std::strcmp(name, expected) == 0;
}

QString attr(const char** attributes, const char* name)
{
    const char* value = XmlStream::attribute(attributes, name);
    return value ? QString::fromUtf8(value) : QString();
}

bool hasAttr(const char** attributes, const char* name)
{
    return XmlStream::attribute(attributes, name) != nullptr;
}

int intAttr(const char** attributes, const char* name, int fallback)
{
    bool ok = false;
    const int value = attr(attributes, name).toInt(&ok);
    return ok ? qBound(0, value, MaxPlaces) : fallback;
}

bool isLong(const char** attributes)
{
    return attr(attributes, "style") == QLatin1String("long");
}

// A literal for the format code: quoted, with quotes themselves escaped.
QString quoted(const QString& text)
{
    QString out;
    QString run;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            if (!run.isEmpty())
                out += QLatin1Char('"') + run + QLatin1Char('"');
            run.clear();
            out += QStringLiteral("\\\"");
        } else {
            run += c;
        }
    }
    if (!run.isEmpty())
        out += QLatin1Char('"') + run + QLatin1Char('"');
    return out;
}

const char* const NumberStyleElements[] = {"number-style", "percentage-style", "currency-style",
                                           "date-style",   "time-style",       "boolean-style",
                                           "text-style"};

bool isNumberStyleElement(const char* name)
{
    for (const char* element : NumberStyleElements) {
        if (named(name, element))
            return true;
    }
    return false;
}

// "value()>=0" as the bracket of a format section, "[>=0]"; empty when unreadable.
QString conditionBracket(const QString& condition)
{
    QString c = condition;
    c.remove(QLatin1Char(' '));
    if (!c.startsWith(QLatin1String("value()")))
        return {};
    c = c.mid(7);
    if (c.startsWith(QLatin1String("!=")))
        c.replace(0, 2, QStringLiteral("<>"));
    else if (c.startsWith(QLatin1String("==")))
        c.remove(0, 1);
    return QLatin1Char('[') + c + QLatin1Char(']');
}

} // namespace

struct OdsStyles::NumberStyle {
    QString body;
    QString language;
    QString country;
    bool boolean = false;
    std::vector<std::pair<QString, std::string>> maps; // condition, style name
};

// Turns the child elements of one number style into its format code.
struct OdsStyles::Builder {
    std::string name;
    NumberStyle style;
    bool percentage = false;
    bool elapsedFirst = false; // truncate-on-overflow="false": the first unit in brackets
    bool timeUnitSeen = false;
    const char* textElement = nullptr; // text, currency-symbol or embedded-text
    QString text;
    QLocale locale;
    bool inNumber = false;  // number:number waits for its embedded texts
    qsizetype blankAt = -1; // where a literal of spaces alone starts, while it is last
    bool automaticOrder = false;
    bool languageFormat = false; // format-source="language": the locale's own format
    bool longWeekday = false;
    bool numericDate = true;
    bool yearLong = false;
    QString dateParts; // letters of d, m, y, h, s seen

    void localDate();
    std::map<int, QString> embedded;
    int embeddedPosition = 0;

    void start(const char* element, const char** attributes);
    void end(const char* element);
    void timeUnit(const QString& letters);
    void number(const char** attributes);
    void scientific(const char** attributes);
    void fraction(const char** attributes);
    QString integerDigits(int minInt, bool grouping) const;
    void literal(const QString& text);

    int minInt = 1;
    int decimals = 0;
    int minDecimals = 0;
    bool grouping = false;
    int factorCommas = 0;
};

void OdsStyles::Builder::literal(const QString& value)
{
    blankAt = !value.isEmpty() && value.trimmed().isEmpty() ? style.body.size() : -1;
    if (!percentage) {
        style.body += quoted(value);
        return;
    }
    // The percent sign of a percentage style is the operator, not a literal.
    const qsizetype percent = value.indexOf(QLatin1Char('%'));
    if (percent < 0) {
        style.body += quoted(value);
        return;
    }
    style.body += quoted(value.left(percent)) + QLatin1Char('%') + quoted(value.mid(percent + 1));
}

QString OdsStyles::Builder::integerDigits(int minimum, bool group) const
{
    int places = qMax(qMax(minimum, 1), group ? 4 : 1);
    if (!embedded.empty())
        places = qMax(places, qMin(embedded.rbegin()->first, MaxPlaces));
    QString out;
    auto text = embedded.find(places);
    if (text != embedded.end())
        out += quoted(text->second);
    for (int p = places - 1; p >= 0; --p) {
        out += p < minimum ? QLatin1Char('0') : QLatin1Char('#');
        if (group && p == 3)
            out += QLatin1Char(',');
        text = embedded.find(p);
        if (p > 0 && text != embedded.end())
            out += quoted(text->second);
    }
    return out;
}

void OdsStyles::Builder::number(const char** attributes)
{
    minInt = intAttr(attributes, "min-integer-digits", 1);
    decimals = intAttr(attributes, "decimal-places", 0);
    const bool replaced = hasAttr(attributes, "decimal-replacement");
    minDecimals =
        qMin(decimals, intAttr(attributes, "min-decimal-places", replaced ? 0 : decimals));
    grouping = attr(attributes, "grouping") == QLatin1String("true");
    const double factor = attr(attributes, "display-factor").toDouble();
    factorCommas = 0;
    for (double f = factor; f >= 1000 && factorCommas < 4; f /= 1000)
        ++factorCommas;
    embedded.clear();
}

void OdsStyles::Builder::scientific(const char** attributes)
{
    const int integer = intAttr(attributes, "min-integer-digits", 1);
    const int interval = intAttr(attributes, "exponent-interval", 1);
    const int places = intAttr(attributes, "decimal-places", 0);
    const int minPlaces = qMin(places, intAttr(attributes, "min-decimal-places", places));
    QString code = QString(qMax(0, interval - integer), QLatin1Char('#'))
                   + QString(qMax(integer, 1), QLatin1Char('0'));
    if (places > 0)
        code += QLatin1Char('.') + QString(minPlaces, QLatin1Char('0'))
                + QString(places - minPlaces, QLatin1Char('#'));
    const bool forced = attr(attributes, "forced-exponent-sign") != QLatin1String("false");
    code += forced ? QStringLiteral("E+") : QStringLiteral("E-");
    code += QString(qMax(1, intAttr(attributes, "min-exponent-digits", 2)), QLatin1Char('0'));
    style.body += code;
}

void OdsStyles::Builder::fraction(const char** attributes)
{
    QString code;
    if (hasAttr(attributes, "min-integer-digits")) {
        const int integer = intAttr(attributes, "min-integer-digits", 0);
        code += integer == 0 ? QStringLiteral("#") : QString(integer, QLatin1Char('0'));
        code += QLatin1Char(' ');
    }
    const int numerator = qMax(1, qMax(intAttr(attributes, "min-numerator-digits", 1),
                                       intAttr(attributes, "max-numerator-digits", 0)));
    code += QString(numerator, QLatin1Char('?')) + QLatin1Char('/');
    const QString fixed = attr(attributes, "denominator-value");
    bool ok = false;
    const long long denominator = fixed.toLongLong(&ok);
    if (ok && denominator > 0 && denominator < 1000000000) {
        code += QString::number(denominator);
    } else {
        const QString maxValue = attr(attributes, "max-denominator-value");
        const int digits = qMax(intAttr(attributes, "min-denominator-digits", 1),
                                int(qMin<qsizetype>(maxValue.size(), 9)));
        code += QString(qMax(1, digits), QLatin1Char('?'));
    }
    style.body += code;
}

void OdsStyles::Builder::timeUnit(const QString& letters)
{
    if (elapsedFirst && !timeUnitSeen)
        style.body += QLatin1Char('[') + letters + QLatin1Char(']');
    else
        style.body += letters;
    timeUnitSeen = true;
}

void OdsStyles::Builder::start(const char* element, const char** attributes)
{
    if (style.body.size() > MaxBody && !named(element, "map"))
        return;
    if (!named(element, "currency-symbol"))
        blankAt = -1;
    const bool longForm = isLong(attributes);
    if (named(element, "number")) {
        number(attributes);
        inNumber = true;
    } else if (named(element, "embedded-text")) {
        embeddedPosition = intAttr(attributes, "position", 0);
        textElement = "embedded-text";
        text.clear();
    } else if (named(element, "text") || named(element, "currency-symbol")) {
        textElement = named(element, "text") ? "text" : "currency-symbol";
        text.clear();
    } else if (named(element, "scientific-number")) {
        scientific(attributes);
    } else if (named(element, "fraction")) {
        fraction(attributes);
    } else if (named(element, "day")) {
        style.body += longForm ? QStringLiteral("dd") : QStringLiteral("d");
        dateParts += QLatin1Char('d');
    } else if (named(element, "month")) {
        const bool textual = attr(attributes, "textual") == QLatin1String("true");
        numericDate = numericDate && !textual;
        dateParts += QLatin1Char('m');
        style.body += textual ? (longForm ? QStringLiteral("mmmm") : QStringLiteral("mmm"))
                              : (longForm ? QStringLiteral("mm") : QStringLiteral("m"));
    } else if (named(element, "year")) {
        style.body += longForm ? QStringLiteral("yyyy") : QStringLiteral("yy");
        yearLong = longForm;
        dateParts += QLatin1Char('y');
    } else if (named(element, "day-of-week")) {
        numericDate = false;
        longWeekday = longForm;
        style.body += longForm ? QStringLiteral("dddd") : QStringLiteral("ddd");
    } else if (named(element, "hours")) {
        timeUnit(longForm ? QStringLiteral("hh") : QStringLiteral("h"));
        dateParts += QLatin1Char('h');
    } else if (named(element, "minutes")) {
        timeUnit(longForm ? QStringLiteral("mm") : QStringLiteral("m"));
    } else if (named(element, "seconds")) {
        timeUnit(longForm ? QStringLiteral("ss") : QStringLiteral("s"));
        dateParts += QLatin1Char('s');
        const int places = intAttr(attributes, "decimal-places", 0);
        if (places > 0)
            style.body += QLatin1Char('.') + QString(qMin(places, 6), QLatin1Char('0'));
    } else if (named(element, "am-pm")) {
        style.body += QStringLiteral("AM/PM");
    } else if (named(element, "boolean")) {
        style.boolean = true;
    } else if (named(element, "text-content")) {
        style.body += QLatin1Char('@');
    } else if (named(element, "map")) {
        const QString condition = attr(attributes, "condition");
        const char* apply = XmlStream::attribute(attributes, "apply-style-name");
        if (apply && style.maps.size() < 3)
            style.maps.emplace_back(condition, std::string(apply));
    }
    // Fill characters depend on the column width and show nothing as text; eras,
    // quarters and week numbers are too rare in forms to be worth their names.
}

void OdsStyles::Builder::end(const char* element)
{
    if (style.body.size() > MaxBody) {
        inNumber = false;
        textElement = nullptr;
        return;
    }
    if (named(element, "number") && inNumber) {
        inNumber = false;
        QString code = integerDigits(minInt, grouping);
        if (decimals > 0)
            code += QLatin1Char('.') + QString(minDecimals, QLatin1Char('0'))
                    + QString(decimals - minDecimals, QLatin1Char('#'));
        code += QString(factorCommas, QLatin1Char(','));
        style.body += code;
        return;
    }
    if (!textElement || !named(element, textElement))
        return;
    if (named(element, "embedded-text")) {
        if (embedded.size() < 64)
            embedded[embeddedPosition] += text;
    } else if (named(element, "currency-symbol")) {
        // The application drops the blank written before its own currency symbol.
        if (text.isEmpty() && blankAt >= 0)
            style.body.truncate(blankAt);
        const QString symbol = text.isEmpty() ? locale.currencySymbol() : text;
        style.body += quoted(symbol);
    } else {
        literal(text);
    }
    textElement = nullptr;
    text.clear();
}

// A numeric date written in "automatic order" is the locale's own short date (and
// time): the application shows it in the order and with the separators of the
// locale that reads it. A date with the full weekday taken from the language is the
// locale's system long date, whatever order and form the file wrote it in.
void OdsStyles::Builder::localDate()
{
    if (!automaticOrder || !dateParts.contains(QLatin1Char('d'))
        || !dateParts.contains(QLatin1Char('m')) || !dateParts.contains(QLatin1Char('y')))
        return;
    if (languageFormat && longWeekday && !dateParts.contains(QLatin1Char('h'))) {
        style.body = QStringLiteral("[$-F800]");
        return;
    }
    if (!numericDate)
        return;
    const bool russian = locale.language() == QLocale::Russian;
    const bool english = locale.language() == QLocale::English || locale.language() == QLocale::C;
    QString date;
    if (russian)
        date = QStringLiteral("dd.mm.yyyy");
    else if (english)
        date = QStringLiteral("mm/dd/yyyy");
    else
        date = locale.dateFormat(QLocale::ShortFormat).toLower();
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    if (!yearLong)
        date.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    if (dateParts.contains(QLatin1Char('h'))) {
        date += dateParts.contains(QLatin1Char('s')) ? QStringLiteral(" hh:mm:ss")
                                                     : QStringLiteral(" hh:mm");
        if (english)
            date += QStringLiteral(" AM/PM");
    }
    style.body = date;
}

OdsStyles::OdsStyles(const QLocale& programLocale) : m_locale(programLocale)
{
    m_general.locale = programLocale;
    m_general.format = NumberFormat(QString(), programLocale);
}

OdsStyles::~OdsStyles() = default;

void OdsStyles::startElement(const char* name, const char** attributes)
{
    if (m_builder) {
        m_builder->start(name, attributes);
        return;
    }
    if (isNumberStyleElement(name)) {
        const char* styleName = XmlStream::attribute(attributes, "name");
        m_builder = std::make_unique<Builder>();
        m_builder->name = styleName ? styleName : "";
        m_builder->percentage = named(name, "percentage-style");
        m_builder->elapsedFirst =
            attr(attributes, "truncate-on-overflow") == QLatin1String("false");
        m_builder->automaticOrder = attr(attributes, "automatic-order") == QLatin1String("true");
        m_builder->languageFormat = attr(attributes, "format-source") == QLatin1String("language");
        m_builder->style.language = attr(attributes, "language");
        m_builder->style.country = attr(attributes, "country");
        m_builder->locale =
            m_builder->style.language.isEmpty()
                ? m_locale
                : QLocale(m_builder->style.language + QLatin1Char('_') + m_builder->style.country);
        return;
    }
    if (named(name, "style") || named(name, "default-style")) {
        if (attr(attributes, "family") != QLatin1String("table-cell"))
            return;
        const char* styleName = XmlStream::attribute(attributes, "name");
        const char* data = XmlStream::attribute(attributes, "data-style-name");
        const char* parent = XmlStream::attribute(attributes, "parent-style-name");
        // The default style stands in for cells that name no style at all.
        const std::string key =
            named(name, "default-style") ? std::string() : (styleName ? styleName : "");
        m_cellStyles[key] = {data ? data : "", parent ? parent : ""};
    }
}

void OdsStyles::endElement(const char* name)
{
    if (!m_builder)
        return;
    if (!isNumberStyleElement(name)) {
        m_builder->end(name);
        return;
    }
    m_builder->localDate();
    auto style = std::make_unique<NumberStyle>(std::move(m_builder->style));
    m_numberStyles[m_builder->name] = std::move(style);
    m_builder.reset();
}

void OdsStyles::characters(const char* data, int length)
{
    if (!m_builder || !m_builder->textElement || m_builder->text.size() > MaxLiteral)
        return;
    m_builder->text += QString::fromUtf8(data, length);
}

QString OdsStyles::codeOf(const std::string& name) const
{
    const auto found = m_numberStyles.find(name);
    if (found == m_numberStyles.end())
        return {};
    const NumberStyle& style = *found->second;
    // A map applies its target's own body only, as the application does: following the
    // target's maps in turn would let a style mapping to itself grow without end.
    static const QString missing;
    std::vector<std::pair<QString, const QString*>> maps;
    for (const auto& map : style.maps) {
        if (map.second == name)
            continue;
        const auto target = m_numberStyles.find(map.second);
        maps.emplace_back(conditionBracket(map.first),
                          target == m_numberStyles.end() ? &missing : &target->second->body);
    }
    if (maps.empty())
        return style.body;
    QStringList conditions;
    for (const auto& map : maps)
        conditions << map.first;
    // The usual sign sections are written without conditions, as the application reads
    // them back: positive (and zero); negative; zero; text.
    const QStringList usual[] = {
        {QStringLiteral("[>=0]")},
        {QStringLiteral("[>0]"), QStringLiteral("[<0]")},
        {QStringLiteral("[>0]"), QStringLiteral("[<0]"), QStringLiteral("[=0]")}};
    bool plain = false;
    for (const QStringList& pattern : usual)
        plain = plain || conditions == pattern;
    QStringList sections;
    for (const auto& map : maps)
        sections << (plain ? QString() : map.first) + *map.second;
    sections << style.body;
    return sections.join(QLatin1Char(';'));
}

QString OdsStyles::formatCode(const std::string& numberStyle) const
{
    return codeOf(numberStyle);
}

const OdsCellFormat& OdsStyles::compile(const std::string& numberStyle)
{
    auto& slot = m_byNumberStyle[numberStyle];
    if (slot)
        return *slot;
    const auto found = m_numberStyles.find(numberStyle);
    if (found == m_numberStyles.end()) {
        slot = std::make_unique<OdsCellFormat>(m_general);
        return *slot;
    }
    const NumberStyle& style = *found->second;
    slot = std::make_unique<OdsCellFormat>();
    slot->locale = style.language.isEmpty()
                       ? m_locale
                       : QLocale(style.language + QLatin1Char('_') + style.country);
    slot->format = NumberFormat(codeOf(numberStyle), slot->locale);
    slot->boolean = style.boolean;
    slot->explicitStyle = true;
    return *slot;
}

const OdsCellFormat& OdsStyles::cellFormat(const std::string& cellStyle)
{
    const auto cached = m_byCellStyle.find(cellStyle);
    if (cached != m_byCellStyle.end())
        return *cached->second;
    std::string name = cellStyle.empty() ? std::string("Default") : cellStyle;
    std::string dataStyle;
    for (int depth = 0; depth < MaxDepth && dataStyle.empty(); ++depth) {
        auto found = m_cellStyles.find(name);
        if (found == m_cellStyles.end() && depth == 0 && cellStyle.empty())
            found = m_cellStyles.find(std::string());
        if (found == m_cellStyles.end())
            break;
        dataStyle = found->second.first;
        name = found->second.second;
        if (name.empty())
            break;
    }
    const OdsCellFormat* format = dataStyle.empty() ? &m_general : &compile(dataStyle);
    m_byCellStyle[cellStyle] = format;
    return *format;
}

const OdsCellFormat* OdsStyles::defaultFormat(const std::string& valueType)
{
    auto& slot = m_defaults[valueType];
    if (slot)
        return slot.get();
    const bool russian = m_locale.language() == QLocale::Russian;
    const bool english =
        m_locale.language() == QLocale::English || m_locale.language() == QLocale::C;
    QString code;
    bool boolean = false;
    if (valueType == "date") {
        code = russian   ? QStringLiteral("dd.mm.yy")
               : english ? QStringLiteral("mm/dd/yy")
                         : m_locale.dateFormat(QLocale::ShortFormat).toLower();
    } else if (valueType == "time") {
        code = russian || !english ? QStringLiteral("hh:mm:ss") : QStringLiteral("hh:mm:ss AM/PM");
    } else if (valueType == "percentage") {
        code = QStringLiteral("0%");
    } else if (valueType == "currency") {
        const QString symbol = quoted(m_locale.currencySymbol());
        code = russian || !english ? QStringLiteral("#,##0.00 %1;-#,##0.00 %1").arg(symbol)
                                   : QStringLiteral("%1#,##0.00;-%1#,##0.00").arg(symbol);
    } else if (valueType == "boolean") {
        boolean = true;
    } else {
        return nullptr;
    }
    slot = std::make_unique<OdsCellFormat>();
    slot->locale = m_locale;
    slot->format = NumberFormat(code, m_locale);
    slot->boolean = boolean;
    slot->explicitStyle = true;
    return slot.get();
}

} // namespace Quillet
