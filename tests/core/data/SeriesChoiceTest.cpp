// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The column chooser's rules on real workbooks: which columns (or rows) are offered, what
// their first cells show, and the reference from the first data line to the last used one.

#include "core/data/SeriesChoice.h"
#include "core/workbook/WorkbookFile.h"

#include "support/TestSupport.h"

#include <QTest>

#include <map>

using namespace Quillet;

Q_DECLARE_METATYPE(Quillet::PagesAlong)

namespace {

Workbook& workbookOf(const QString& file)
{
    // Each fixture is read once for the whole run.
    static std::map<QString, OpenedWorkbook> opened;
    auto it = opened.find(file);
    if (it == opened.end()) {
        const WorkbookOptions options{QLocale(QLocale::Russian, QLocale::Russia)};
        it = opened
                 .emplace(file,
                          openWorkbookFile(
                              QuilletTest::dataPath(QStringLiteral("workbooks/") + file), options))
                 .first;
    }
    return *it->second.workbook;
}

} // namespace

class SeriesChoiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choices_data();
    void choices();
    void problems_data();
    void problems();
};

void SeriesChoiceTest::choices_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<PagesAlong>("along");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("references");

    // Numbers under a row of texts: that row is the header. Each column ends at its own
    // last non-empty cell: B at "Итого" below the records, E at its last note; F has a
    // header alone; the empty G is not offered.
    const QStringList registerCaptions{
        QStringLiteral("A — № — 1"), QStringLiteral("B — ФИО — Иванов И. И."),
        // The caption puts each text on one line of plain blanks.
        QStringLiteral("C — Сумма — 1 234,50"), QStringLiteral("D — Дата — 01.01.2024"),
        QStringLiteral("E — Примечание — срочно"), QStringLiteral("F — Подпись"),
        QStringLiteral("H — Код — К-01")};
    const QStringList registerReferences{QStringLiteral("=A2:A31"), QStringLiteral("=B2:B33"),
                                         QStringLiteral("=C2:C31"), QStringLiteral("=D2:D31"),
                                         QStringLiteral("=E2:E10"), QStringLiteral("=F2"),
                                         QStringLiteral("=H2:H31")};
    for (const char* file : {"series.xlsx", "series.ods"}) {
        QTest::addRow("%s: header row", file)
            << QString::fromLatin1(file) << QStringLiteral("Реестр") << PagesAlong::Rows
            << registerCaptions << registerReferences;
    }
    // Pages along columns: each record is a column and the rows are offered; column A
    // is the header.
    QTest::newRow("series.xlsx: header column")
        << QStringLiteral("series.xlsx") << QStringLiteral("Поперёк") << PagesAlong::Columns
        << QStringList{QStringLiteral("1 — ФИО — Иванов И. И."),
                       QStringLiteral("2 — Город — Москва"), QStringLiteral("3 — Сумма — 500,00")}
        << QStringList{QStringLiteral("=B1:L1"), QStringLiteral("=B2:K2"),
                       QStringLiteral("=B3:K3")};
    QTest::newRow("series.xlsx: numbers alone have no header")
        << QStringLiteral("series.xlsx") << QStringLiteral("Числа") << PagesAlong::Rows
        << QStringList{QStringLiteral("A — 10"), QStringLiteral("B — 0,5")}
        << QStringList{QStringLiteral("=A1:A5"), QStringLiteral("=B1:B5")};
    QTest::newRow("series.xlsx: texts alone have no header")
        << QStringLiteral("series.xlsx") << QStringLiteral("Тексты") << PagesAlong::Rows
        << QStringList{QStringLiteral("A — Имя")} << QStringList{QStringLiteral("=A1:A3")};
    QTest::newRow("series.xlsx: table below empty rows")
        << QStringLiteral("series.xlsx") << QStringLiteral("Отступ") << PagesAlong::Rows
        << QStringList{QStringLiteral("A — Товар — Стол"), QStringLiteral("B — Цена — 4500")}
        << QStringList{QStringLiteral("=A4:A6"), QStringLiteral("=B4:B6")};
    // A text file keeps no types: "1,5" reads as a number, so the first line is a header.
    // Column C goes on past an empty line.
    QTest::newRow("people.csv: types read from the texts")
        << QStringLiteral("people.csv") << QStringLiteral("people") << PagesAlong::Rows
        << QStringList{QStringLiteral("A — Имя — Иванов, И."), QStringLiteral("B — Сумма — 1,5"),
                       QStringLiteral("C — Заметка — строка1 строка2")}
        << QStringList{QStringLiteral("=A2:A3"), QStringLiteral("=B2:B3"),
                       QStringLiteral("=C2:C5")};
}

void SeriesChoiceTest::choices()
{
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QFETCH(PagesAlong, along);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, references);
    const Worksheet* worksheet = workbookOf(file).worksheet(sheet);
    QVERIFY(worksheet != nullptr);
    const std::vector<SeriesChoice> choices = seriesChoices(*worksheet, along);
    QStringList gotCaptions;
    QStringList gotReferences;
    for (const SeriesChoice& choice : choices) {
        gotCaptions << choice.caption();
        gotReferences << choice.reference;
    }
    QCOMPARE(gotCaptions, captions);
    QCOMPARE(gotReferences, references);
}

void SeriesChoiceTest::problems_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("problem");
    QTest::newRow("no workbook")
        << false << QStringLiteral("Реестр")
        << QStringLiteral("Книга Excel не открыта: выберите её файл в группе «Связь с файлом "
                          "Excel» (F1).");
    QTest::newRow("no sheet name")
        << true << QString()
        << QStringLiteral("Не указан лист книги: впишите его имя в поле «Лист» группы «Связь с "
                          "файлом Excel» (F1).");
    QTest::newRow("no such sheet")
        << true << QStringLiteral("Лист1") << QStringLiteral("В книге нет листа «Лист1».");
    QTest::newRow("empty sheet") << true << QStringLiteral("Пустой")
                                 << QStringLiteral("Лист «Пустой» пуст.");
    QTest::newRow("a sheet to choose from") << true << QStringLiteral("Реестр") << QString();
}

void SeriesChoiceTest::problems()
{
    QFETCH(bool, linked);
    QFETCH(QString, sheet);
    QFETCH(QString, problem);
    const Workbook* workbook = linked ? &workbookOf(QStringLiteral("series.xlsx")) : nullptr;
    const SeriesOffer offer = offerSeries(workbook, sheet, PagesAlong::Rows);
    QCOMPARE(offer.problem, problem);
    QCOMPARE(offer.choices.empty(), !problem.isEmpty());
}

QTEST_MAIN(SeriesChoiceTest)
#include "SeriesChoiceTest.moc"
