// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Checks a workbook against a "<name>.expected.json" file: for each entry a sheet
// (null: the active one), a range, and per locale the rows of texts LibreOffice shows;
// "ambiguous" lists every accepted text of a cell where applications differ.

#include "core/workbook/SpreadsheetReader.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace QuilletTest {

inline bool parseA1(const QString& ref, int* row, int* column)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Z]+)([0-9]+)$"));
    const auto match = pattern.match(ref);
    if (!match.hasMatch())
        return false;
    *column = 0;
    for (const QChar c : match.captured(1))
        *column = *column * 26 + (c.unicode() - 'A' + 1);
    *row = match.captured(2).toInt();
    return true;
}

inline QString a1(int row, int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar('A' + (c - 1) % 26));
    return letters + QString::number(row);
}

inline QString visible(const QString& text)
{
    QString out = text;
    out.replace(QChar(0x00A0), QStringLiteral("<nbsp>"));
    out.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    out.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

/// Every mismatch of `workbook` against one locale's expectations, one line each.
inline QStringList compareWithExpectations(const Quillet::Workbook& workbook,
                                           const QJsonObject& json, const QString& localeKey)
{
    QStringList problems;
    for (const QJsonValue& entryValue : json.value(QStringLiteral("entries")).toArray()) {
        const QJsonObject entry = entryValue.toObject();
        const QString sheetName = entry.value(QStringLiteral("sheet")).isNull()
                                      ? workbook.activeSheetName()
                                      : entry.value(QStringLiteral("sheet")).toString();
        const Quillet::Worksheet* sheet = workbook.worksheet(sheetName);
        if (!sheet) {
            problems << QStringLiteral("no sheet %1").arg(sheetName);
            continue;
        }
        const QStringList range = entry.value(QStringLiteral("range")).toString().split(':');
        int top = 0, left = 0, bottom = 0, right = 0;
        if (range.size() != 2 || !parseA1(range[0], &top, &left)
            || !parseA1(range[1], &bottom, &right)) {
            problems << QStringLiteral("bad range in expectations");
            continue;
        }
        const QJsonObject expect =
            entry.value(QStringLiteral("expect")).toObject().value(localeKey).toObject();
        const QJsonArray rows = expect.value(QStringLiteral("rows")).toArray();
        const QJsonObject ambiguous = expect.value(QStringLiteral("ambiguous")).toObject();
        for (int r = top; r <= bottom; ++r) {
            const QJsonArray row = rows.at(r - top).toArray();
            for (int c = left; c <= right; ++c) {
                const QString ref = a1(r, c);
                QStringList accepted;
                if (ambiguous.contains(ref)) {
                    for (const QJsonValue& v : ambiguous.value(ref).toArray())
                        accepted << v.toString();
                } else {
                    accepted << row.at(c - left).toString();
                }
                const QString actual = sheet->cellText(r, c);
                if (!accepted.contains(actual))
                    problems << QStringLiteral("%1!%2: got %3, want %4")
                                    .arg(sheetName, ref, visible(actual),
                                         visible(accepted.first()));
            }
        }
    }
    return problems;
}

/// The "<name>.expected.json" files below tests/data/workbooks whose workbook has one
/// of `suffixes`.
inline QStringList expectationFiles(const QStringList& suffixes)
{
    QStringList files;
    const QDir dir(dataPath(QStringLiteral("workbooks")));
    for (const QString& name : dir.entryList({QStringLiteral("*.expected.json")}, QDir::Files)) {
        const QJsonObject json = QJsonDocument::fromJson(readFile(dir.filePath(name))).object();
        const QString workbook = json.value(QStringLiteral("workbook")).toString();
        for (const QString& suffix : suffixes) {
            if (workbook.endsWith(suffix, Qt::CaseInsensitive))
                files << dir.filePath(name);
        }
    }
    return files;
}

/// Rows of a `_data` function with columns "expectations" and "localeKey": each
/// expectations file whose workbook has one of `suffixes`, under en-US and under ru-RU.
/// Returns how many files there are.
inline int addExpectationRows(const QStringList& suffixes)
{
    QTest::addColumn<QString>("expectations");
    QTest::addColumn<QString>("localeKey");
    const QStringList files = expectationFiles(suffixes);
    for (const QString& file : files) {
        const QString base = QFileInfo(file).fileName().section(QLatin1Char('.'), 0, 0);
        for (const char* key : {"en-US", "ru-RU"})
            QTest::newRow(qPrintable(base + QLatin1Char(' ') + QLatin1String(key)))
                << file << QString::fromLatin1(key);
    }
    return int(files.size());
}

/// Reads the workbook of an expectations file with `reader` under the locale `localeKey`
/// names and lists every cell that differs from what LibreOffice shows.
inline QStringList checkExpectations(const Quillet::SpreadsheetReader& reader,
                                     const QString& expectations, const QString& localeKey)
{
    const QJsonObject json = QJsonDocument::fromJson(readFile(expectations)).object();
    const QString name = json.value(QStringLiteral("workbook")).toString();
    QBuffer file;
    file.setData(readFile(QFileInfo(expectations).dir().filePath(name)));
    Quillet::WorkbookOptions options;
    options.locale = QLocale(QString(localeKey).replace(QLatin1Char('-'), QLatin1Char('_')));
    const auto workbook = reader.read(file, name, options);
    return compareWithExpectations(*workbook, json, localeKey);
}

} // namespace QuilletTest
