// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/PageSelection.h"

#include "core/common/Errors.h"
#include "core/data/SetAsString.h"

#include <QCoreApplication>
#include <QStringList>

namespace Quillet::PageSelection {

std::vector<int> listedPages(QStringView text)
{
    TSetAsString pages;
    pages.setAsString(text);
    if (pages.Count() > MaxListedPages)
        throw Error(
            QCoreApplication::translate("Quillet::PageSelection", "Слишком много страниц: %1")
                .arg(pages.Count()));
    return pages.AsArray();
}

QString pagesWithoutDataQuestion(const std::vector<int>& pages, int32_t pageCount,
                                 const QString& action)
{
    TSetAsString empty;
    for (const int page : pages) {
        if (page > pageCount)
            empty.Include(page);
    }
    if (empty.isEmpty())
        return {};
    QStringList runs;
    for (const TSetAsString::Range& range : empty.ranges()) {
        runs << (range.lo == range.hi ? QString::number(range.lo)
                                      : QStringLiteral("%1–%2").arg(range.lo).arg(range.hi));
    }
    const QString question =
        empty.Count() == 1
            ? QCoreApplication::translate("Quillet::PageSelection",
                                          "Страница %1 пуста: данных нет. Всё равно %2?")
            : QCoreApplication::translate("Quillet::PageSelection",
                                          "Страницы %1 пусты: данных нет. Всё равно %2?");
    return question.arg(runs.join(QStringLiteral(", ")), action);
}

QString allPages(int32_t pageCount)
{
    TSetAsString pages;
    pages.setAsString(QStringLiteral("1-%1").arg(pageCount));
    return pages.AsString();
}

QString pagesThrough(int32_t page)
{
    return page == 0 ? QString() : QStringLiteral("1-%1").arg(page);
}

QString invertPages(QStringView text, int32_t pageCount)
{
    TSetAsString old;
    old.setAsString(text);
    // By ranges rather than page by page: a reference may span two billion rows.
    TSetAsString result = old;
    if (pageCount >= 1) {
        result.excludeRange(1, pageCount);
        TSetAsString absent;
        absent.includeRange(1, pageCount);
        for (const TSetAsString::Range& range : old.ranges())
            absent.excludeRange(range.lo, range.hi);
        for (const TSetAsString::Range& range : absent.ranges())
            result.includeRange(range.lo, range.hi);
    }
    return result.AsString();
}

QString togglePage(QStringView text, int32_t page)
{
    TSetAsString pages;
    pages.setAsString(text);
    if (page != 0) {
        if (pages.Contains(page))
            pages.Exclude(page);
        else
            pages.Include(page);
    }
    return pages.AsString();
}

} // namespace Quillet::PageSelection
