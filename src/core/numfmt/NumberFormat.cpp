// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/numfmt/NumberFormat.h"

#include "core/numfmt/NumberFormatDigits.h"
#include "core/numfmt/NumberFormatSection.h"

#include <cmath>

namespace Quillet {

namespace {

bool isDigitToken(FormatToken kind)
{
    return kind == FormatToken::Digit0 || kind == FormatToken::DigitHash
           || kind == FormatToken::DigitQuestion;
}

bool conditionHolds(Condition condition, double limit, double value)
{
    switch (condition) {
    case Condition::Less:
        return value < limit;
    case Condition::LessEqual:
        return value <= limit;
    case Condition::Greater:
        return value > limit;
    case Condition::GreaterEqual:
        return value >= limit;
    case Condition::Equal:
        return value == limit;
    case Condition::NotEqual:
        return value != limit;
    case Condition::None:
        return true;
    }
    return true;
}

// With conditions, a negative number shows its minus sign unless the section that
// takes it admits negative numbers only ([<0], [<=-5], [=-1]): such a section shows the
// magnitude, as the usual negative section does.
bool showsMinus(Condition condition, double limit)
{
    switch (condition) {
    case Condition::Less:
        return limit > 0;
    case Condition::LessEqual:
    case Condition::Equal:
        return limit >= 0;
    default:
        return true;
    }
}

// What a first condition leaves to a section without a condition of its own (or to
// General) shows its minus sign only after "=" or ">"/">=" a limit that is not negative.
bool restShowsMinus(Condition first, double limit)
{
    return first == Condition::Equal
           || (limit >= 0 && (first == Condition::Greater || first == Condition::GreaterEqual));
}

struct Choice {
    const FormatSection* section = nullptr; ///< nullptr: General
    bool negate = false;                    ///< show a minus sign in front
};

// Sections with conditions take a number in order, as the spreadsheet application tries
// them: the first (standing for [>0] without a condition of its own), then the second
// when its condition holds or it has none, then the third; of two sections the second
// also takes what neither admits, and a single section leaves it to General.
Choice chooseConditional(const std::vector<FormatSection>& s, int count, double value)
{
    const bool firstPlain = s[0].condition == Condition::None;
    const Condition first = firstPlain ? Condition::Greater : s[0].condition;
    const double firstLimit = firstPlain ? 0 : s[0].conditionValue;
    const bool secondHolds = count > 1
                             && (s[1].condition == Condition::None
                                 || conditionHolds(s[1].condition, s[1].conditionValue, value));
    Choice choice;
    bool minus = true;
    if (conditionHolds(first, firstLimit, value)) {
        choice.section = &s[0];
        minus = showsMinus(first, firstLimit);
    } else if (secondHolds || count == 2) {
        choice.section = &s[1];
        if (s[1].condition != Condition::None)
            minus = showsMinus(s[1].condition, s[1].conditionValue);
        else if (count == 2)
            minus = restShowsMinus(first, firstLimit);
    } else if (count > 2) {
        choice.section = &s[2];
    } else {
        minus = restShowsMinus(first, firstLimit);
    }
    choice.negate = value < 0 && minus;
    return choice;
}

Choice chooseSection(const CompiledFormat& format, double value)
{
    int count = int(format.sections.size());
    if (count == 4)
        count = 3;
    while (count > 1 && format.sections[size_t(count - 1)].kind == SectionKind::Text)
        --count;
    const auto& s = format.sections;
    if (s[0].condition != Condition::None || (count > 1 && s[1].condition != Condition::None))
        return chooseConditional(s, count, value);
    Choice choice;
    if (count == 1 || (value > 0) || (value == 0 && count == 2)) {
        choice.section = &s[0];
        choice.negate = value < 0;
    } else if (value < 0) {
        choice.section = &s[1];
    } else {
        choice.section = &s[2];
    }
    return choice;
}

struct NumberWriter {
    const FormatSection& section;
    const FormatLocale& locale;
    QString out;

    void integerPart(const std::vector<FormatItem>& items, size_t end, const std::string& digits);
    /// False when no placeholder showed anything (the decimal point is then dropped).
    bool fractionPart(const std::vector<FormatItem>& items, size_t begin, size_t end,
                      const std::string& digits);
    void literal(const FormatItem& item);
};

void NumberWriter::literal(const FormatItem& item)
{
    switch (item.kind) {
    case FormatToken::Literal:
        out += item.text;
        break;
    case FormatToken::Percent:
        out += QLatin1Char('%');
        break;
    case FormatToken::Slash:
    case FormatToken::DateSeparator:
        out += QLatin1Char('/');
        break;
    case FormatToken::TimeSeparator:
        out += QLatin1Char(':');
        break;
    default:
        break;
    }
}

void NumberWriter::integerPart(const std::vector<FormatItem>& items, size_t end,
                               const std::string& digits)
{
    int placeholders = 0;
    for (size_t i = 0; i < end; ++i)
        placeholders += isDigitToken(items[i].kind) ? 1 : 0;
    const int length = int(digits.size());
    auto emit = [&](QChar c, int position) {
        out += c;
        if (section.grouping && position > 0 && position % 3 == 0 && c != QLatin1Char(' '))
            out += locale.group;
    };
    int index = 0;
    for (size_t i = 0; i < end; ++i) {
        const FormatItem& item = items[i];
        if (!isDigitToken(item.kind)) {
            literal(item);
            continue;
        }
        const int position = placeholders - 1 - index;
        if (index == 0) {
            for (int k = 0; k < length - placeholders; ++k)
                emit(QLatin1Char(digits[size_t(k)]), length - 1 - k);
        }
        if (position < length)
            emit(QLatin1Char(digits[size_t(length - 1 - position)]), position);
        else if (item.kind == FormatToken::Digit0)
            emit(QLatin1Char('0'), position);
        else if (item.kind == FormatToken::DigitQuestion)
            emit(QLatin1Char(' '), position);
        ++index;
    }
    if (placeholders == 0)
        out += QString::fromLatin1(digits);
}

bool NumberWriter::fractionPart(const std::vector<FormatItem>& items, size_t begin, size_t end,
                                const std::string& digits)
{
    std::vector<FormatToken> kinds;
    for (size_t i = begin; i < end; ++i) {
        if (isDigitToken(items[i].kind))
            kinds.push_back(items[i].kind);
    }
    // Rounding keeps at most 30 decimals; placeholders past them show zeros.
    const auto digitAt = [&digits](int i) {
        return size_t(i) < digits.size() ? digits[size_t(i)] : '0';
    };
    // Trailing zeros vanish under "#" and turn into spaces under "?".
    int significant = int(kinds.size());
    while (significant > 0 && digitAt(significant - 1) == '0'
           && kinds[size_t(significant - 1)] != FormatToken::Digit0)
        --significant;
    int index = 0;
    bool shown = false;
    for (size_t i = begin; i < end; ++i) {
        const FormatItem& item = items[i];
        if (!isDigitToken(item.kind)) {
            literal(item);
            continue;
        }
        if (index < significant) {
            out += QLatin1Char(digitAt(index));
            shown = true;
        } else if (item.kind == FormatToken::DigitQuestion) {
            out += QLatin1Char(' ');
            shown = true;
        }
        ++index;
    }
    return shown;
}

size_t findKind(const std::vector<FormatItem>& items, FormatToken kind, size_t from = 0)
{
    for (size_t i = from; i < items.size(); ++i) {
        if (items[i].kind == kind)
            return i;
    }
    return items.size();
}

int countDigits(const std::vector<FormatItem>& items, size_t begin, size_t end)
{
    int count = 0;
    for (size_t i = begin; i < end; ++i)
        count += isDigitToken(items[i].kind) ? 1 : 0;
    return count;
}

QString numberText(const FormatSection& section, const FormatLocale& locale, double v, bool* zero)
{
    const auto& items = section.items;
    const size_t decimal = findKind(items, FormatToken::Decimal);
    const int decimals = countDigits(items, decimal, items.size());
    const DecimalDigits d = roundToDecimals(v, qMin(decimals, 30));
    *zero = d.isZero();
    NumberWriter writer{section, locale, {}};
    writer.integerPart(items, decimal, d.integer);
    if (decimal < items.size()) {
        const qsizetype point = writer.out.size();
        writer.out += locale.decimal;
        if (!writer.fractionPart(items, decimal + 1, items.size(), d.fraction)
            && writer.out.size() == point + locale.decimal.size())
            writer.out.truncate(point);
    }
    return writer.out;
}

QString scientificText(const FormatSection& section, const FormatLocale& locale, double v,
                       bool* zero)
{
    const auto& items = section.items;
    const size_t exponentAt = findKind(items, FormatToken::Exponent);
    const size_t decimal = qMin(findKind(items, FormatToken::Decimal), exponentAt);
    const int intPlaces = qMax(1, countDigits(items, 0, decimal));
    const int decimals = qMin(countDigits(items, decimal, exponentAt), 30);
    bool engineering = false;
    for (size_t i = 0; i < decimal; ++i)
        engineering = engineering || items[i].kind == FormatToken::DigitHash;
    engineering = engineering && intPlaces > 1;
    int exponent = 0;
    DecimalDigits d = roundToDecimals(0, decimals);
    if (v > 0) {
        const int magnitude = int(std::floor(std::log10(v)));
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int base = magnitude + attempt;
            exponent = engineering ? int(std::floor(double(base) / intPlaces)) * intPlaces
                                   : base - (intPlaces - 1);
            d = roundToDecimals(v / std::pow(10.0, exponent), decimals);
            const int limit = engineering ? intPlaces : intPlaces;
            if (int(d.integer.size()) <= limit)
                break;
        }
    }
    *zero = d.isZero();
    NumberWriter writer{section, locale, {}};
    writer.integerPart(items, decimal, d.integer);
    if (decimal < exponentAt) {
        writer.out += locale.decimal;
        writer.fractionPart(items, decimal + 1, exponentAt, d.fraction);
    }
    if (exponentAt < items.size()) {
        const bool plus = items[exponentAt].text.endsWith(QLatin1Char('+'));
        writer.out += QLatin1Char('E');
        if (exponent < 0)
            writer.out += QLatin1Char('-');
        else if (plus)
            writer.out += QLatin1Char('+');
        int minDigits = 0;
        size_t i = exponentAt + 1;
        for (; i < items.size() && isDigitToken(items[i].kind); ++i)
            minDigits += items[i].kind == FormatToken::Digit0 ? 1 : 0;
        writer.out += QString::number(std::abs(exponent))
                          .rightJustified(qMax(1, minDigits), QLatin1Char('0'));
        for (; i < items.size(); ++i)
            writer.literal(items[i]);
    }
    return writer.out;
}

QString fractionText(const FormatSection& section, const FormatLocale& locale, double v,
                     bool* zero);

} // namespace

QString formatNumberSection(const FormatSection& section, const FormatLocale& locale, double value,
                            bool negative)
{
    double v = value;
    for (int i = 0; i < section.percent; ++i)
        v *= 100;
    for (int i = 0; i < section.scaleThousands; ++i)
        v /= 1000;
    bool zero = v == 0;
    QString text;
    switch (section.kind) {
    case SectionKind::Number:
        text = numberText(section, locale, v, &zero);
        break;
    case SectionKind::Scientific:
        text = scientificText(section, locale, v, &zero);
        break;
    case SectionKind::Fraction:
        text = fractionText(section, locale, v, &zero);
        break;
    case SectionKind::General:
        for (const FormatItem& item : section.items) {
            if (item.kind == FormatToken::General)
                text += formatGeneralWith(v, locale.decimal);
            else if (item.kind == FormatToken::Literal)
                text += item.text;
        }
        break;
    default:
        for (const FormatItem& item : section.items) {
            if (item.kind == FormatToken::Literal)
                text += item.text;
        }
        break;
    }
    // A section of literals alone (the dash of an accounting zero) shows no sign.
    if (negative && !zero && section.kind != SectionKind::Literal)
        text.prepend(QLatin1Char('-'));
    return text;
}

namespace {

void bestFraction(double fraction, int maxDenominator, long long* numerator, long long* denominator)
{
    long long bestNum = 0;
    long long bestDen = 1;
    double bestError = fraction;
    for (long long den = 1; den <= maxDenominator; ++den) {
        const long long num = std::llround(fraction * double(den));
        const double error = std::fabs(fraction - double(num) / double(den));
        if (error < bestError - 1e-12) {
            bestError = error;
            bestNum = num;
            bestDen = den;
        }
    }
    *numerator = bestNum;
    *denominator = bestDen;
}

// The denominator after the "/" at `slash`: a count of "?"/"#" places, or a fixed
// number such as 100 (the literal "1" and two zeros). Returns the index after it.
size_t parseDenominator(const std::vector<FormatItem>& items, size_t slash, int* places,
                        long long* fixed)
{
    size_t after = slash + 1;
    for (; after < items.size() && isDigitToken(items[after].kind)
           && items[after].kind != FormatToken::Digit0;
         ++after)
        ++*places;
    if (*places > 0)
        return after;
    QString digits;
    for (; after < items.size(); ++after) {
        const FormatItem& item = items[after];
        if (item.kind == FormatToken::Digit0 && !digits.isEmpty()) {
            digits += QLatin1Char('0');
        } else if (item.kind == FormatToken::Digit0) {
            ++*places;
        } else if (item.kind == FormatToken::Literal && digits.isEmpty() && *places == 0
                   && item.text.at(0).isDigit()) {
            int n = 0;
            while (n < item.text.size() && item.text.at(n).isDigit())
                ++n;
            digits = item.text.left(n);
            if (n < item.text.size())
                break; // the rest of the literal follows the fraction
        } else {
            break;
        }
    }
    *fixed = digits.left(9).toLongLong();
    return after;
}

QString fractionText(const FormatSection& section, const FormatLocale& locale, double v, bool* zero)
{
    const auto& items = section.items;
    const size_t slash = findKind(items, FormatToken::Slash);
    size_t numeratorBegin = slash;
    while (numeratorBegin > 0 && isDigitToken(items[numeratorBegin - 1].kind))
        --numeratorBegin;
    const bool mixed = countDigits(items, 0, numeratorBegin) > 0;
    int denominatorPlaces = 0;
    long long fixedDenominator = 0;
    const size_t after = parseDenominator(items, slash, &denominatorPlaces, &fixedDenominator);
    if (v >= 1e15) // the fraction digits are gone long before this
        return formatGeneralWith(v, locale.decimal);
    double whole = std::floor(v);
    const double rest = v - whole;
    long long numerator = 0;
    long long denominator = 1;
    if (fixedDenominator > 0) {
        denominator = fixedDenominator;
        numerator = std::llround(rest * double(denominator));
    } else {
        const int maxDen = int(std::pow(10.0, qMin(denominatorPlaces, 4))) - 1;
        bestFraction(rest, qMax(1, maxDen), &numerator, &denominator);
    }
    if (numerator == denominator) {
        whole += 1;
        numerator = 0;
    }
    if (!mixed)
        numerator += (long long)(whole)*denominator;
    *zero = whole == 0 && numerator == 0;
    NumberWriter writer{section, locale, {}};
    if (mixed) {
        const std::string digits = whole == 0 ? std::string() : std::to_string((long long)whole);
        if (numerator == 0) {
            // A whole number keeps the width of the fraction as spaces.
            writer.integerPart(items, numeratorBegin, digits.empty() ? "0" : digits);
            for (size_t i = numeratorBegin; i < after; ++i)
                writer.out += QLatin1Char(' ');
            for (size_t i = after; i < items.size(); ++i)
                writer.literal(items[i]);
            return writer.out;
        }
        writer.integerPart(items, numeratorBegin, digits);
    } else {
        for (size_t i = 0; i < numeratorBegin; ++i)
            writer.literal(items[i]);
    }
    const int numeratorPlaces = countDigits(items, numeratorBegin, slash);
    writer.out += QString::number(numerator).rightJustified(numeratorPlaces, QLatin1Char(' '));
    writer.out += QLatin1Char('/');
    writer.out += QString::number(denominator).leftJustified(denominatorPlaces, QLatin1Char(' '));
    for (size_t i = after; i < items.size(); ++i)
        writer.literal(items[i]);
    return writer.out;
}

} // namespace

NumberFormat::NumberFormat()
    : m_format(std::make_shared<CompiledFormat>(compileFormat(QString(), QLocale())))
{
}

NumberFormat::NumberFormat(const QString& code, const QLocale& locale)
    : m_format(std::make_shared<CompiledFormat>(compileFormat(code, locale)))
{
}

NumberFormat NumberFormat::builtin(int id, const QLocale& locale)
{
    return NumberFormat(builtinFormatCode(id, locale), locale);
}

bool NumberFormat::isGeneral() const
{
    return m_format->general;
}

bool NumberFormat::isDateTime() const
{
    return m_format->dateTime;
}

QString NumberFormat::format(double value, DateSystem dates) const
{
    const CompiledFormat& f = *m_format;
    if (f.general || !std::isfinite(value))
        return formatGeneralWith(value, f.locale.decimal);
    const Choice choice = chooseSection(f, value);
    if (!choice.section)
        return formatGeneralWith(choice.negate ? value : std::fabs(value), f.locale.decimal);
    const FormatSection& section = *choice.section;
    if (section.kind == SectionKind::Text)
        return formatGeneralWith(value, f.locale.decimal);
    if (section.kind == SectionKind::DateTime)
        return formatDateSection(section, f.locale, choice.negate || value >= 0 ? value : -value,
                                 dates);
    return formatNumberSection(section, f.locale, std::fabs(value), choice.negate);
}

QString NumberFormat::formatText(const QString& text) const
{
    const CompiledFormat& f = *m_format;
    const FormatSection* textSection = nullptr;
    if (f.sections.size() == 4)
        textSection = &f.sections[3];
    for (size_t i = 0; i < f.sections.size() && f.sections.size() < 4; ++i) {
        if (f.sections[i].kind == SectionKind::Text)
            textSection = &f.sections[i];
    }
    if (!textSection || f.general)
        return text;
    QString out;
    for (const FormatItem& item : textSection->items) {
        // General in the text section stands for the text, as "@" does.
        if (item.kind == FormatToken::TextValue || item.kind == FormatToken::General)
            out += text;
        else if (item.kind == FormatToken::Literal)
            out += item.text;
    }
    return out;
}

} // namespace Quillet
