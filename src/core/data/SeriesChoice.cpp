// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/SeriesChoice.h"

#include "core/data/CellAddress.h"

#include <algorithm>

#include <QCoreApplication>

namespace Quillet {
namespace {

// How far below a header cell its first value is looked for: a header belongs to data
// that follow it closely, and a long empty stretch must not cost a scan of the sheet.
constexpr int HeaderLookAhead = 1000;
// A cell text in a list line: long notes would push the value out of sight.
constexpr qsizetype CaptionCellChars = 40;

// The sheet seen as lines (records) across series (what a field is tied to).
class Lines {
public:
    // The bounds are taken once: a sheet may count its cells to find them.
    Lines(const Worksheet& sheet, PagesAlong along)
        : m_sheet(sheet), m_along(along),
          m_lineCount(along == PagesAlong::Rows ? sheet.lastRow() : sheet.lastColumn()),
          m_seriesCount(std::min(along == PagesAlong::Rows ? sheet.lastColumn() : sheet.lastRow(),
                                 MaxSeriesChoices))
    {
    }

    int lineCount() const { return m_lineCount; }
    int seriesCount() const { return m_seriesCount; }
    CellContent content(int line, int series) const
    {
        return m_along == PagesAlong::Rows ? m_sheet.cellContent(line, series)
                                           : m_sheet.cellContent(series, line);
    }
    QString text(int line, int series) const
    {
        return m_along == PagesAlong::Rows ? m_sheet.cellText(line, series)
                                           : m_sheet.cellText(series, line);
    }
    // The first line from `from` to `to` where `series` is not empty, 0 when none is.
    int nextUsed(int series, int from, int to) const
    {
        for (int line = from; line <= to; ++line) {
            if (content(line, series) != CellContent::Empty)
                return line;
        }
        return 0;
    }
    QString address(int line, int series) const
    {
        return m_along == PagesAlong::Rows ? columnLetters(series) + QString::number(line)
                                           : columnLetters(line) + QString::number(series);
    }
    QString seriesName(int series) const
    {
        return m_along == PagesAlong::Rows ? columnLetters(series) : QString::number(series);
    }

private:
    const Worksheet& m_sheet;
    PagesAlong m_along;
    int m_lineCount;
    int m_seriesCount;
};

bool isHeader(const Lines& lines, int line)
{
    const int last = std::min(lines.lineCount(), line + HeaderLookAhead);
    bool valueFollows = false;
    for (int series = 1; series <= lines.seriesCount(); ++series) {
        const CellContent content = lines.content(line, series);
        if (content == CellContent::Value)
            return false;
        if (content == CellContent::Empty || valueFollows)
            continue;
        const int next = lines.nextUsed(series, line + 1, last);
        valueFollows = next > 0 && lines.content(next, series) == CellContent::Value;
    }
    return valueFollows;
}

struct DataStart {
    int header = 0; ///< the header line, 0 without one
    int first = 1;  ///< the first data line
};

DataStart dataStart(const Lines& lines)
{
    const int seriesCount = lines.seriesCount();
    for (int line = 1; line <= lines.lineCount(); ++line) {
        for (int series = 1; series <= seriesCount; ++series) {
            if (lines.content(line, series) != CellContent::Empty)
                return isHeader(lines, line) ? DataStart{line, line + 1} : DataStart{0, line};
        }
    }
    return {};
}

int lastUsed(const Lines& lines, int series)
{
    for (int line = lines.lineCount(); line >= 1; --line) {
        if (lines.content(line, series) != CellContent::Empty)
            return line;
    }
    return 0;
}

QString reference(const Lines& lines, int first, int last, int series)
{
    QString text = QLatin1Char('=') + lines.address(first, series);
    if (last > first)
        text += QLatin1Char(':') + lines.address(last, series);
    return text;
}

QString captionPart(const QString& cell)
{
    QString line = cell.simplified();
    if (line.size() > CaptionCellChars)
        line = line.left(CaptionCellChars - 1).trimmed() + QChar(u'…');
    return line;
}

} // namespace

QString SeriesChoice::caption() const
{
    QStringList parts{name};
    for (const QString& cell : {header, firstValue}) {
        const QString part = captionPart(cell);
        if (!part.isEmpty())
            parts << part;
    }
    return parts.join(QStringLiteral(" — "));
}

std::vector<SeriesChoice> seriesChoices(const Worksheet& sheet, PagesAlong along)
{
    const Lines lines(sheet, along);
    const DataStart start = dataStart(lines);
    std::vector<SeriesChoice> choices;
    for (int series = 1; series <= lines.seriesCount(); ++series) {
        const int last = lastUsed(lines, series);
        if (last == 0)
            continue;
        SeriesChoice choice;
        choice.index = series;
        choice.name = lines.seriesName(series);
        if (start.header > 0)
            choice.header = lines.text(start.header, series);
        if (const int value = lines.nextUsed(series, start.first, last); value > 0)
            choice.firstValue = lines.text(value, series);
        choice.reference = reference(lines, start.first, last, series);
        choices.push_back(std::move(choice));
    }
    return choices;
}

SeriesOffer offerSeries(const Workbook* workbook, const QString& sheetName, PagesAlong along)
{
    SeriesOffer offer;
    offer.sheet = sheetName;
    offer.along = along;
    if (workbook == nullptr) {
        offer.problem = QCoreApplication::translate(
            "Quillet::SeriesChoice", "Книга Excel не открыта: выберите её файл в группе "
                                     "«Связь с файлом Excel» (F1).");
        return offer;
    }
    if (sheetName.isEmpty()) {
        offer.problem = QCoreApplication::translate(
            "Quillet::SeriesChoice", "Не указан лист книги: впишите его имя в поле «Лист» "
                                     "группы «Связь с файлом Excel» (F1).");
        return offer;
    }
    const Worksheet* sheet = workbook->worksheet(sheetName);
    if (sheet == nullptr) {
        offer.problem =
            QCoreApplication::translate("Quillet::SeriesChoice", "В книге нет листа «%1».")
                .arg(sheetName);
        return offer;
    }
    offer.choices = seriesChoices(*sheet, along);
    if (offer.choices.empty())
        offer.problem =
            QCoreApplication::translate("Quillet::SeriesChoice", "Лист «%1» пуст.").arg(sheetName);
    return offer;
}

} // namespace Quillet
