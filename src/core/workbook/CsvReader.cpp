// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/CsvReader.h"

#include "core/common/Cp1251.h"
#include "core/common/Errors.h"
#include "core/workbook/GridWorkbook.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QStringDecoder>

#include <array>

namespace Quillet {
namespace {

constexpr int SampleRecords = 100;
constexpr std::array<char16_t, 3> Candidates{u';', u'\t', u','};

QString decodeUtf16(const QByteArray& bytes, QStringDecoder::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes.mid(2));
}

// Reads the quoted part of a field, `i` at its opening quote; on return `i` is just past
// the closing quote (or at the end of an unclosed one).
void readQuoted(QStringView text, qsizetype& i, QString& field)
{
    const qsizetype n = text.size();
    ++i;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'"') {
            if (i + 1 < n && text[i + 1] == u'"') {
                field += u'"';
                i += 2;
                continue;
            }
            ++i;
            return;
        }
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            field += u'\n';
            i += 2;
            continue;
        }
        field += c;
        ++i;
    }
}

// Reads one field starting at `i`; on return `i` is at the separator, the line break or
// the end.
QString readField(QStringView text, qsizetype& i, char16_t separator)
{
    QString field;
    if (i < text.size() && text[i] == u'"')
        readQuoted(text, i, field);
    const qsizetype start = i;
    while (i < text.size() && text[i] != separator && text[i] != u'\n' && text[i] != u'\r')
        ++i;
    field += text.mid(start, i - start);
    return field;
}

// Skips the line break at `i` (CR LF, LF or CR); returns false at a separator.
bool endOfRecord(QStringView text, qsizetype& i)
{
    if (i >= text.size())
        return true;
    if (text[i] == u'\r') {
        ++i;
        if (i < text.size() && text[i] == u'\n')
            ++i;
        return true;
    }
    if (text[i] == u'\n') {
        ++i;
        return true;
    }
    return false;
}

// Occurrences of each candidate outside quotes, per record. The separator is not known
// yet, so a quote opens a quoted field at a record's start or after any candidate.
std::vector<std::array<int, 3>> countSeparators(QStringView text)
{
    std::vector<std::array<int, 3>> records;
    qsizetype i = 0;
    std::array<int, 3> counts{0, 0, 0};
    bool empty = true;
    bool fieldStart = true;
    QString scratch;
    while (i < text.size() && int(records.size()) < SampleRecords) {
        const QChar c = text[i];
        if (c == u'"' && fieldStart) {
            readQuoted(text, i, scratch);
            scratch.clear();
            empty = false;
            fieldStart = false;
            continue;
        }
        fieldStart = false;
        if (c == u'\r' || c == u'\n') {
            endOfRecord(text, i);
            if (!empty)
                records.push_back(counts);
            counts = {0, 0, 0};
            empty = true;
            fieldStart = true;
            continue;
        }
        for (size_t k = 0; k < Candidates.size(); ++k) {
            if (c == Candidates[k]) {
                ++counts[k];
                fieldStart = true;
            }
        }
        empty = false;
        ++i;
    }
    if (!empty && int(records.size()) < SampleRecords)
        records.push_back(counts);
    return records;
}

// The whole content, refusing more than `limit` bytes without ever holding more than
// one chunk beyond it (QIODevice::read(n) would reserve all n bytes up front).
QByteArray readBounded(QIODevice& device, qint64 limit, const QString& fileName)
{
    const auto tooLarge = [&] {
        return FileError(
            QCoreApplication::translate(
                "Quillet::CsvReader", "Файл %1 слишком велик для текстовой таблицы (больше %2 МБ)")
                .arg(fileName)
                .arg(limit / (1024 * 1024)));
    };
    if (!device.isSequential() && device.size() - device.pos() > limit)
        throw tooLarge();
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0)
            throw FileError(QCoreApplication::translate("Quillet::CsvReader",
                                                        "Не удаётся прочитать файл %1: %2")
                                .arg(fileName, reasonInRussian(device.errorString())));
        if (got == 0)
            break;
        bytes.append(chunk, got);
        if (bytes.size() > limit)
            throw tooLarge();
    }
    return bytes;
}

QString sheetNameOf(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    if (!base.isEmpty())
        return base;
    return fileName.isEmpty() ? QStringLiteral("Sheet1") : fileName;
}

} // namespace

QString CsvReader::decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(bytes, QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes, QStringDecoder::Utf16BE);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Cp1251::decode(bytes);
}

QChar CsvReader::detectSeparator(QStringView text)
{
    const auto records = countSeparators(text);
    if (records.empty())
        return QChar(u';');
    std::array<long long, 3> totals{0, 0, 0};
    for (size_t k = 0; k < Candidates.size(); ++k) {
        bool everywhere = true;
        for (const auto& counts : records) {
            totals[k] += counts[k];
            everywhere = everywhere && counts[k] > 0;
        }
        if (everywhere)
            return QChar(Candidates[k]);
    }
    size_t best = 0;
    for (size_t k = 1; k < Candidates.size(); ++k) {
        if (totals[k] > totals[best])
            best = k;
    }
    return QChar(totals[best] > 0 ? Candidates[best] : u';');
}

std::vector<std::vector<QString>> CsvReader::parse(QStringView text, QChar separator)
{
    std::vector<std::vector<QString>> records;
    std::vector<QString> record;
    qsizetype i = 0;
    while (i < text.size()) {
        record.push_back(readField(text, i, separator.unicode()));
        if (endOfRecord(text, i)) {
            records.push_back(std::move(record));
            record.clear();
        } else {
            ++i; // the separator
            if (i == text.size())
                record.emplace_back(); // "a;" ends with an empty field
        }
    }
    if (!record.empty())
        records.push_back(std::move(record));
    return records;
}

std::unique_ptr<Workbook> CsvReader::read(QIODevice& device, const QString& fileName,
                                          const WorkbookOptions&) const
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        throw FileError(
            QCoreApplication::translate("Quillet::CsvReader", "Не удаётся открыть файл %1: %2")
                .arg(fileName, reasonInRussian(device.errorString())));
    const QByteArray bytes = readBounded(device, MaxBytes, fileName);
    const QString text = decode(bytes);
    if (text.contains(QChar(u'\0')))
        throw FileError(
            QCoreApplication::translate("Quillet::CsvReader",
                                        "Файл %1 не является текстовой таблицей: в нём есть "
                                        "двоичные данные")
                .arg(fileName));
    auto workbook = std::make_unique<GridWorkbook>();
    GridWorksheet& sheet = workbook->addSheet(sheetNameOf(fileName));
    for (auto& record : parse(text, detectSeparator(text)))
        sheet.appendRow(std::move(record));
    return workbook;
}

} // namespace Quillet
