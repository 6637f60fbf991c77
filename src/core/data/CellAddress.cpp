// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/CellAddress.h"

#include <algorithm>
#include <limits>

namespace Quillet {
namespace {

constexpr int32_t Int32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Int32Min = std::numeric_limits<int32_t>::min();

// Upper-case Cyrillic letters that a Russian keyboard produces where the user meant a
// Latin column letter of the same look.
char16_t latinTwin(char16_t c)
{
    switch (c) {
    case u'А':
        return u'A';
    case u'В':
        return u'B';
    case u'Е':
        return u'E';
    case u'Н':
        return u'H';
    case u'М':
        return u'M';
    case u'О':
        return u'O';
    case u'Р':
        return u'P';
    case u'С':
        return u'C';
    case u'Т':
        return u'T';
    case u'Х':
        return u'X';
    default:
        return c;
    }
}

bool isColumnLetter(char16_t upper)
{
    const char16_t latin = latinTwin(upper);
    return latin >= u'A' && latin <= u'Z';
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QString UpperCaseCyrillic(QStringView text)
{
    QString result = text.toString();
    for (QChar& ch : result) {
        const char16_t c = ch.unicode();
        if (c >= u'a' && c <= u'z')
            ch = QChar(char16_t(c - 32));
        else if (c >= u'\u0430' && c <= u'\u044F')
            ch = QChar(char16_t(c - 32));
    }
    return result;
}

int32_t ColumnNumber(QStringView letters)
{
    const QString upper = UpperCaseCyrillic(letters);
    int64_t value = 0;
    for (const QChar ch : upper) {
        const char16_t latin = latinTwin(ch.unicode());
        if (latin < u'A' || latin > u'Z')
            return -1;
        // Saturating keeps a pasted run of letters from overflowing; no sheet has that
        // many columns, so the cell simply lies outside the data.
        value = std::min<int64_t>(value * 26 + (latin - u'A' + 1), Int32Max);
    }
    return int32_t(value);
}

QString columnLetters(int32_t column)
{
    QString letters;
    // Base 26 without a zero digit: each step takes the remainder of column - 1.
    for (int64_t rest = column; rest > 0; rest = (rest - 1) / 26)
        letters.prepend(QChar(u'A' + int((rest - 1) % 26)));
    return letters;
}

CellPosition ParseCellAddress(QStringView address)
{
    const QString t = UpperCaseCyrillic(address);
    qsizetype i = 0;
    while (i < t.size() && isColumnLetter(t[i].unicode()))
        ++i;
    CellPosition position;
    position.column = ColumnNumber(QStringView(t).left(i));

    while (i < t.size() && isBlank(t[i].unicode()))
        ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    int64_t magnitude = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        // Clamp the magnitude just past the 32-bit range so that a long run of digits
        // neither overflows nor changes the saturated result.
        magnitude = std::min<int64_t>(magnitude * 10 + (c - u'0'), int64_t(Int32Max) + 1);
    }
    const int64_t row = negative ? -magnitude : magnitude;
    position.row = int32_t(std::clamp<int64_t>(row, Int32Min, Int32Max));
    return position;
}

ReferenceParts splitReference(QStringView reference)
{
    const qsizetype colon = reference.indexOf(u':');
    if (colon < 0)
        return {reference.toString(), reference.toString()};
    return {reference.left(colon).toString(), reference.mid(colon + 1).toString()};
}

namespace {

int32_t movedByPage(int32_t start, int page)
{
    const long long moved = static_cast<long long>(start) + page - 1;
    return int32_t(std::clamp<long long>(moved, std::numeric_limits<int32_t>::min(),
                                         std::numeric_limits<int32_t>::max()));
}

// Cells from lo to hi, counted in 64 bits: saturated addresses must not overflow.
int span(int32_t lo, int32_t hi)
{
    return int(std::clamp<long long>(static_cast<long long>(hi) - lo + 1, -1, 1 << 24));
}

} // namespace

PageCells cellsOnPage(QStringView reference, bool pagesAlongRows, int page)
{
    const ReferenceParts parts = splitReference(reference);
    const CellPosition a = ParseCellAddress(parts.first);
    const CellPosition b = ParseCellAddress(parts.second);
    if (a == b)
        return PageCells{a};
    if (a.row == b.row) {
        if (pagesAlongRows)
            return PageCells{a, span(a.column, b.column), true, true};
        return PageCells{CellPosition{movedByPage(a.column, page), a.row}};
    }
    if (a.column == b.column) {
        if (pagesAlongRows)
            return PageCells{CellPosition{a.column, movedByPage(a.row, page)}};
        return PageCells{a, span(a.row, b.row), false, true};
    }
    if (pagesAlongRows)
        return PageCells{CellPosition{a.column, movedByPage(a.row, page)}, span(a.column, b.column),
                         true, true};
    return PageCells{CellPosition{movedByPage(a.column, page), a.row}, span(a.row, b.row), false,
                     true};
}

std::optional<QString> referenceOfFieldText(QStringView fieldText)
{
    if (!fieldText.startsWith(u'='))
        return std::nullopt;
    return fieldText.mid(1).toString();
}

QString fieldTextOfNode(QStringView nodeText)
{
    if (nodeText.size() <= 4)
        return QString();
    const QStringView rest = nodeText.mid(4);
    const qsizetype separator = rest.indexOf(QChar(u'\u0008'));
    return (separator < 0 ? rest : rest.left(separator)).toString();
}

} // namespace Quillet
