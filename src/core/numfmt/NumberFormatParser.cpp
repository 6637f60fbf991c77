// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/numfmt/NumberFormatSection.h"

namespace Quillet {

namespace {

// Format codes from files can be arbitrarily long; nobody writes more than a few
// hundred characters by hand, and a bound keeps hostile codes cheap.
constexpr int MaxCodeLength = 1024;
constexpr int MaxSections = 4;

struct RawSection {
    QString text;
};

QStringList splitSections(const QString& code)
{
    QStringList sections;
    QString current;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('"')) {
            const int end = code.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? code.size() - 1 : end;
            current += code.mid(i, stop - i + 1);
            i = stop;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            current += code.mid(i, 2);
            ++i;
        } else if (c == QLatin1Char('[')) {
            const int end = code.indexOf(QLatin1Char(']'), i + 1);
            const int stop = end < 0 ? code.size() - 1 : end;
            current += code.mid(i, stop - i + 1);
            i = stop;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    while (sections.size() > MaxSections)
        sections.removeLast();
    return sections;
}

// Widths in spaces of the character after "_", as the spreadsheet application pads:
// narrow glyphs one space, wide ones three, everything beyond ASCII two.
int blankWidth(QChar c)
{
    static const char widths[] = "1112232111121111"
                                 "2222222222112222"
                                 "3222222321222333"
                                 "2322222322211122"
                                 "1222221221121322"
                                 "2212122222211121";
    const ushort u = c.unicode();
    if (u < 32)
        return 0;
    if (u > 127)
        return 2;
    return widths[u - 32] - '0';
}

struct Tokenizer {
    FormatSection section;
    long localeId = -1;

    void literal(const QString& text)
    {
        if (text.isEmpty())
            return;
        auto& items = section.items;
        if (!items.empty() && items.back().kind == FormatToken::Literal)
            items.back().text += text;
        else
            items.push_back({FormatToken::Literal, 0, text});
    }
    void add(FormatToken kind, int count = 0, const QString& text = QString())
    {
        section.items.push_back({kind, count, text});
    }
    void bracket(const QString& content);
    void run(const QString& text);
    bool letters(const QString& text, int* pos);
};

void Tokenizer::bracket(const QString& content)
{
    if (content.isEmpty())
        return;
    const QChar first = content.at(0);
    if (first == QLatin1Char('$')) {
        const int dash = content.indexOf(QLatin1Char('-'), 1);
        const QString symbol = dash < 0 ? content.mid(1) : content.mid(1, dash - 1);
        if (!symbol.isEmpty()) {
            literal(symbol);
        } else if (dash >= 0) {
            bool ok = false;
            const ulong id = content.mid(dash + 1).toULong(&ok, 16);
            if (ok)
                localeId = long(id & 0xFFFF);
        }
        return;
    }
    if (first == QLatin1Char('<') || first == QLatin1Char('>') || first == QLatin1Char('=')) {
        int pos = 1;
        Condition condition = Condition::Equal;
        const QChar second = content.size() > 1 ? content.at(1) : QChar();
        if (first == QLatin1Char('<')) {
            condition = Condition::Less;
            if (second == QLatin1Char('=')) {
                condition = Condition::LessEqual;
                ++pos;
            } else if (second == QLatin1Char('>')) {
                condition = Condition::NotEqual;
                ++pos;
            }
        } else if (first == QLatin1Char('>')) {
            condition = Condition::Greater;
            if (second == QLatin1Char('=')) {
                condition = Condition::GreaterEqual;
                ++pos;
            }
        }
        bool ok = false;
        const double value = content.mid(pos).trimmed().toDouble(&ok);
        if (ok) {
            section.condition = condition;
            section.conditionValue = value;
        }
        return;
    }
    const QString lower = content.toLower();
    const QChar letter = lower.at(0);
    if ((letter == QLatin1Char('h') || letter == QLatin1Char('m') || letter == QLatin1Char('s'))
        && lower.count(letter) == lower.size()) {
        const FormatToken kind = letter == QLatin1Char('h')   ? FormatToken::ElapsedHours
                                 : letter == QLatin1Char('m') ? FormatToken::ElapsedMinutes
                                                              : FormatToken::ElapsedSeconds;
        add(kind, int(lower.size()));
    }
    // Colours, calendars and native numerals change nothing in the text.
}

bool startsWithNoCase(const QString& text, int pos, const char* word)
{
    return QStringView(text).mid(pos).startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

void Tokenizer::run(const QString& text)
{
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) {
            int end = text.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0)
                end = n;
            literal(text.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < n)
                literal(text.mid(++i, 1));
        } else if (c == QLatin1Char('_')) {
            if (i + 1 < n)
                literal(QString(blankWidth(text.at(++i)), QLatin1Char(' ')));
        } else if (c == QLatin1Char('*')) {
            ++i; // fill characters depend on the column width: none
        } else if (c == QLatin1Char('[')) {
            int end = text.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                end = n;
            bracket(text.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == QLatin1Char('0')) {
            add(FormatToken::Digit0);
        } else if (c == QLatin1Char('#')) {
            add(FormatToken::DigitHash);
        } else if (c == QLatin1Char('?')) {
            add(FormatToken::DigitQuestion);
        } else if (c == QLatin1Char('.')) {
            add(FormatToken::Decimal);
        } else if (c == QLatin1Char(',')) {
            add(FormatToken::Grouping);
        } else if (c == QLatin1Char('%')) {
            add(FormatToken::Percent);
        } else if (c == QLatin1Char('/')) {
            add(FormatToken::Slash);
        } else if (c == QLatin1Char(':')) {
            add(FormatToken::TimeSeparator);
        } else if (c == QLatin1Char('@')) {
            add(FormatToken::TextValue);
        } else if (!letters(text, &i)) {
            literal(QString(c));
        }
    }
}

// Exponents, keywords and date/time letters starting at *pos; false when the character
// there is none of them. Leaves *pos on the last character used.
bool Tokenizer::letters(const QString& text, int* pos)
{
    const int n = int(text.size());
    int& i = *pos;
    const QChar lower = text.at(i).toLower();
    if (lower == QLatin1Char('e') && i + 1 < n
        && (text.at(i + 1) == QLatin1Char('+') || text.at(i + 1) == QLatin1Char('-'))) {
        add(FormatToken::Exponent, 0, QStringLiteral("E") + text.at(i + 1));
        ++i;
    } else if (startsWithNoCase(text, i, "general")) {
        add(FormatToken::General);
        i += 6;
    } else if (startsWithNoCase(text, i, "am/pm")) {
        add(FormatToken::AmPm, 0, text.mid(i, 5));
        i += 4;
    } else if (startsWithNoCase(text, i, "a/p")) {
        add(FormatToken::AmPm, 0, text.mid(i, 3));
        i += 2;
    } else if (QStringLiteral("ymdhs").contains(lower)) {
        int count = 1;
        while (i + count < n && text.at(i + count).toLower() == lower)
            ++count;
        i += count - 1;
        if (lower == QLatin1Char('y'))
            add(FormatToken::Year, count <= 2 ? 2 : 4);
        else if (lower == QLatin1Char('m'))
            add(count <= 2 ? FormatToken::Month : FormatToken::MonthName, qMin(count, 5));
        else if (lower == QLatin1Char('d'))
            add(count <= 2 ? FormatToken::Day : FormatToken::DayName, qMin(count, 4));
        else if (lower == QLatin1Char('h'))
            add(FormatToken::Hour, qMin(count, 2));
        else
            add(FormatToken::Second, qMin(count, 2));
    } else {
        return false;
    }
    return true;
}

bool isDigit(FormatToken kind)
{
    return kind == FormatToken::Digit0 || kind == FormatToken::DigitHash
           || kind == FormatToken::DigitQuestion;
}

bool isDateToken(FormatToken kind)
{
    switch (kind) {
    case FormatToken::Year:
    case FormatToken::Month:
    case FormatToken::MonthName:
    case FormatToken::Day:
    case FormatToken::DayName:
    case FormatToken::Hour:
    case FormatToken::Second:
    case FormatToken::AmPm:
    case FormatToken::ElapsedHours:
    case FormatToken::ElapsedMinutes:
    case FormatToken::ElapsedSeconds:
        return true;
    default:
        return false;
    }
}

FormatToken neighbourKind(const std::vector<FormatItem>& items, int from, int step)
{
    for (int i = from + step; i >= 0 && i < int(items.size()); i += step) {
        const FormatToken kind = items[size_t(i)].kind;
        if (isDateToken(kind) || kind == FormatToken::Month)
            return kind;
    }
    return FormatToken::Literal;
}

// Month names take the genitive case when a day of the month stands next to them,
// unless literal letters are glued to the name (a suffix written in the code).
int monthCase(const std::vector<FormatItem>& items)
{
    bool daySeen = false;
    bool monthSeen = false;
    for (size_t i = 0; i < items.size(); ++i) {
        const FormatItem& item = items[i];
        if (item.kind == FormatToken::Day) {
            if (monthSeen)
                return 1;
            daySeen = true;
        } else if (item.kind == FormatToken::MonthName) {
            // Digit placeholders in a date section become literals without text.
            const auto letters = [](const FormatItem& other) {
                return other.kind == FormatToken::Literal && !other.text.isEmpty();
            };
            const bool gluedAfter = i + 1 < items.size() && letters(items[i + 1])
                                    && items[i + 1].text.front().isLetter();
            const bool gluedBefore =
                i > 0 && letters(items[i - 1]) && items[i - 1].text.back().isLetter();
            if (gluedAfter || gluedBefore)
                return 0;
            if (daySeen)
                return 1;
            monthSeen = true;
        }
    }
    return 0;
}

void resolveDateSection(FormatSection& section)
{
    auto& items = section.items;
    section.kind = SectionKind::DateTime;
    for (size_t i = 0; i < items.size(); ++i) {
        FormatItem& item = items[i];
        switch (item.kind) {
        case FormatToken::Month: {
            const FormatToken before = neighbourKind(items, int(i), -1);
            const FormatToken after = neighbourKind(items, int(i), 1);
            if (before == FormatToken::Hour || before == FormatToken::ElapsedHours
                || after == FormatToken::Second || after == FormatToken::ElapsedSeconds)
                item.kind = FormatToken::Minute;
            break;
        }
        case FormatToken::Slash:
            item.kind = FormatToken::DateSeparator;
            break;
        case FormatToken::Hour:
        case FormatToken::ElapsedHours:
            section.hasHour = true;
            break;
        case FormatToken::Decimal: {
            int digits = 0;
            while (i + 1 + size_t(digits) < items.size()
                   && items[i + 1 + size_t(digits)].kind == FormatToken::Digit0)
                ++digits;
            if (digits > 0) {
                item.kind = FormatToken::SecondFraction;
                item.count = qMin(digits, 6);
                items.erase(items.begin() + long(i) + 1, items.begin() + long(i) + 1 + digits);
                section.fractionDigits = qMax(section.fractionDigits, item.count);
            } else {
                item = {FormatToken::Literal, 0, QStringLiteral(".")};
            }
            break;
        }
        case FormatToken::Digit0:
        case FormatToken::DigitHash:
        case FormatToken::DigitQuestion:
        case FormatToken::Grouping:
        case FormatToken::Percent:
        case FormatToken::Exponent:
        case FormatToken::TextValue:
        case FormatToken::General:
            item = {FormatToken::Literal, 0,
                    item.kind == FormatToken::Grouping  ? QStringLiteral(",")
                    : item.kind == FormatToken::Percent ? QStringLiteral("%")
                                                        : QString()};
            break;
        default:
            break;
        }
    }
    section.monthCase = monthCase(items);
}

void resolveCommas(FormatSection& section)
{
    auto& items = section.items;
    bool afterDecimal = false;
    std::vector<FormatItem> out;
    for (size_t i = 0; i < items.size(); ++i) {
        const FormatItem& item = items[i];
        if (item.kind == FormatToken::Decimal || item.kind == FormatToken::Exponent
            || item.kind == FormatToken::Slash)
            afterDecimal = true;
        if (item.kind != FormatToken::Grouping) {
            out.push_back(item);
            continue;
        }
        size_t next = i + 1;
        while (next < items.size() && items[next].kind == FormatToken::Grouping)
            ++next;
        const bool digitFollows = next < items.size() && isDigit(items[next].kind);
        const bool digitBefore = !out.empty() && isDigit(out.back().kind);
        if (digitFollows && !afterDecimal && digitBefore) {
            section.grouping = true;
        } else if (digitBefore && !digitFollows) {
            section.scaleThousands += int(next - i);
            i = next - 1;
        } else if (!digitFollows || afterDecimal) {
            out.push_back({FormatToken::Literal, 0, QStringLiteral(",")});
        } else {
            section.grouping = true;
        }
    }
    items = std::move(out);
}

void resolveNumberSection(FormatSection& section)
{
    resolveCommas(section);
    auto& items = section.items;
    bool hasDigits = false;
    bool hasExponent = false;
    bool hasFraction = false;
    bool hasGeneral = false;
    bool seenDecimal = false;
    for (size_t i = 0; i < items.size(); ++i) {
        FormatItem& item = items[i];
        switch (item.kind) {
        case FormatToken::Decimal:
            if (seenDecimal)
                item = {FormatToken::Literal, 0, QStringLiteral(".")};
            seenDecimal = true;
            break;
        case FormatToken::Percent:
            ++section.percent;
            break;
        case FormatToken::Exponent:
            hasExponent = hasExponent || hasDigits;
            break;
        case FormatToken::Slash:
            if (hasDigits && i + 1 < items.size()
                && (isDigit(items[i + 1].kind) || items[i + 1].kind == FormatToken::Literal))
                hasFraction = true;
            break;
        case FormatToken::General:
            hasGeneral = true;
            break;
        case FormatToken::TimeSeparator:
            item = {FormatToken::Literal, 0, QStringLiteral(":")};
            break;
        default:
            hasDigits = hasDigits || isDigit(item.kind);
            break;
        }
    }
    if (hasExponent)
        section.kind = SectionKind::Scientific;
    else if (hasFraction)
        section.kind = SectionKind::Fraction;
    else if (hasDigits)
        section.kind = SectionKind::Number;
    else if (hasGeneral)
        section.kind = SectionKind::General;
    else
        section.kind = SectionKind::Literal;
}

void resolveSection(FormatSection& section)
{
    bool hasDate = false;
    bool hasText = false;
    for (const FormatItem& item : section.items) {
        hasDate = hasDate || isDateToken(item.kind) || item.kind == FormatToken::Month;
        hasText = hasText || item.kind == FormatToken::TextValue;
    }
    if (hasDate) {
        resolveDateSection(section);
    } else if (hasText) {
        section.kind = SectionKind::Text;
        for (FormatItem& item : section.items) {
            if (item.kind != FormatToken::TextValue && item.kind != FormatToken::Literal)
                item = {FormatToken::Literal, 0,
                        item.kind == FormatToken::Grouping ? QStringLiteral(",") : QString()};
        }
    } else {
        resolveNumberSection(section);
    }
}

} // namespace

CompiledFormat compileFormat(const QString& rawCode, const QLocale& programLocale)
{
    CompiledFormat compiled;
    const QString code = rawCode.left(MaxCodeLength);
    compiled.locale = makeFormatLocale(programLocale);
    if (code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
        compiled.sections.resize(1);
        return compiled;
    }
    compiled.general = false;
    long localeId = -1;
    for (const QString& text : splitSections(code)) {
        Tokenizer tokenizer;
        tokenizer.run(text);
        if (tokenizer.localeId >= 0 && localeId < 0)
            localeId = tokenizer.localeId;
        compiled.sections.push_back(std::move(tokenizer.section));
    }
    if (localeId == 0xF800 || localeId == 0xF400) {
        // The system long date and system time stand for the program locale's own.
        const QString substitute =
            localeId == 0xF800 ? compiled.locale.systemLongDate : compiled.locale.systemTime;
        return compileFormat(substitute, programLocale);
    }
    QLocale tagged;
    if (localeId > 0 && localeForLanguageId(unsigned(localeId), &tagged))
        compiled.locale = makeFormatLocale(tagged);
    for (FormatSection& section : compiled.sections) {
        resolveSection(section);
        compiled.dateTime = compiled.dateTime || section.kind == SectionKind::DateTime;
    }
    return compiled;
}

} // namespace Quillet
