// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/BlockDivision.h"

#include "core/app/NodeGrammar.h"
#include "core/common/Errors.h"
#include "core/fields/FieldPanels.h"

#include <QCoreApplication>

#include <algorithm>

namespace Quillet {
namespace {

// One part's edges: round(span × k / n + start); every part but the last ends one pixel
// before the next one's start, so the parts meet without a gap or an overlap.
long long partEdge(long long start, long long pastEnd, int k, int n)
{
    const long double span = static_cast<long double>(pastEnd - start);
    return roundHalfEven(span * k / n + static_cast<long double>(start));
}

void requireCount(int count, const char* what)
{
    if (count < MinDivisions || count > MaxDivisions) {
        throw Error(QCoreApplication::translate("Quillet::BlockDivision",
                                                "Число %1 должно быть от %2 до %3, а не %4.")
                        .arg(QCoreApplication::translate("Quillet::BlockDivision", what))
                        .arg(MinDivisions)
                        .arg(MaxDivisions)
                        .arg(count));
    }
}

// A value in a status line: long texts are cut, so the line stays readable.
QString quotedValue(const QString& value)
{
    constexpr qsizetype shown = 40;
    const QString cut = value.size() > shown ? value.left(shown - 1) + u'…' : value;
    return QStringLiteral("«%1»").arg(cut);
}

} // namespace

std::vector<QString> divideBlock(QStringView blockText, int cols, int rows, long double mmPerPixel)
{
    requireCount(cols, QT_TRANSLATE_NOOP("Quillet::BlockDivision", "колонок"));
    requireCount(rows, QT_TRANSLATE_NOOP("Quillet::BlockDivision", "строк"));
    const BlockMm mm = parseBlockMm(blockText);
    // The right and bottom edges are the block's last pixel column and row; the parts
    // are cut from the span up to one past them.
    const long long x1 = mmToPixel(mm.x1, mmPerPixel);
    const long long y1 = mmToPixel(mm.y1, mmPerPixel);
    const long long x2 = mmToPixel(mm.x2, mmPerPixel) + 1;
    const long long y2 = mmToPixel(mm.y2, mmPerPixel) + 1;
    std::vector<QString> parts;
    parts.reserve(size_t(cols) * size_t(rows));
    for (int i = 1; i <= cols; ++i) {
        for (int j = 1; j <= rows; ++j) {
            const long long left = partEdge(x1, x2, i - 1, cols);
            const long long right = partEdge(x1, x2, i, cols) - 1;
            const long long top = partEdge(y1, y2, j - 1, rows);
            const long long bottom = partEdge(y1, y2, j, rows) - 1;
            parts.push_back(
                composeBlockText(pixelToMm(left, mmPerPixel), pixelToMm(top, mmPerPixel),
                                 pixelToMm(right, mmPerPixel), pixelToMm(bottom, mmPerPixel)));
        }
    }
    return parts;
}

ColumnsForValue columnsForValue(const QString& value, const TOptTextField& options)
{
    const qsizetype count = options.combCharacters(value).size();
    if (value.isEmpty()) {
        return {0, QCoreApplication::translate("Quillet::BlockDivision",
                                               "Значение поля пусто: число колонок не изменено.")};
    }
    if (count == 0) {
        return {0, QCoreApplication::translate("Quillet::BlockDivision",
                                               "В значении %1 нет знаков, кроме пропускаемых: "
                                               "число колонок не изменено.")
                       .arg(quotedValue(value))};
    }
    const int columns = int(std::min<qsizetype>(count, MaxDivisions));
    if (columns < count) {
        return {columns, QCoreApplication::translate("Quillet::BlockDivision",
                                                     "Знаков в значении %1 — %2, колонок может "
                                                     "быть не больше %3.")
                             .arg(quotedValue(value))
                             .arg(count)
                             .arg(MaxDivisions)};
    }
    return {columns,
            QCoreApplication::translate("Quillet::BlockDivision", "Колонок %1 — по знакам %2.")
                .arg(columns)
                .arg(quotedValue(value))};
}

} // namespace Quillet
