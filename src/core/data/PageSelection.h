// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The page-set buttons of the export group, as text in, text out: the edit holds the set
// in the short form «1-5,7».

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace Quillet::PageSelection {

/// More pages than anyone prints or exports: a larger set is a typing slip, and listing it
/// page by page would only exhaust memory.
inline constexpr int64_t MaxListedPages = 1000000;

/// The pages of the set `text` («1-5,7», read as TSetAsString reads it), ascending, one
/// entry per page; empty when no token is valid. Throws Error ("Слишком много страниц: N")
/// for a set of more than MaxListedPages pages, before listing any.
std::vector<int> listedPages(QStringView text);

/// The question asked before writing pages past the last record: the listed pages above
/// `pageCount` (the layout view, page 0, aside) print only the background. "Страницы
/// 31–3000 пусты: данных нет. Всё равно сохранить?" («Страница 31 пуста: …» for one, runs
/// joined by ", "), `action` being the last word; empty when every listed page has data.
QString pagesWithoutDataQuestion(const std::vector<int>& pages, int32_t pageCount,
                                 const QString& action);

/// Every page: «1-N» normalised, so «1» with one page.
QString allPages(int32_t pageCount);

/// Pages from the first to `page`, written as the user would type it («1-1» on page 1);
/// an empty text for the layout view (page 0), which the caller leaves the edit alone for.
QString pagesThrough(int32_t page);

/// Every page 1 … pageCount toggled: present ones leave, absent ones join. Numbers
/// outside that range stay as they are; unreadable parts of `text` are dropped.
QString invertPages(QStringView text, int32_t pageCount);

/// `page` toggled in the set; for page 0 the set comes back normalised and unchanged.
QString togglePage(QStringView text, int32_t page);

} // namespace Quillet::PageSelection
