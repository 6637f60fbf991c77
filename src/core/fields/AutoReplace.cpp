// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/AutoReplace.h"

#include "core/app/ProjectFile.h"
#include "core/common/Cp1251.h"
#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSaveFile>

#include <algorithm>

namespace Quillet::AutoReplace {
namespace {

const QChar kCr(u'\r');

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// A key equal for exactly the captions sameCaption() takes as equal: each code point
// folded on its own, as QString's case-insensitive comparison folds them.
QString foldedKey(const QString& text)
{
    QString key;
    key.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            key += QStringView(
                QChar::fromUcs4(QChar::toCaseFolded(QChar::surrogateToUcs4(c, text[i + 1]))));
            ++i;
        } else {
            key += QChar(QChar::toCaseFolded(c.unicode()));
        }
    }
    return key;
}

QString describePair(const ReplacePair& pair)
{
    return QStringLiteral("«%1» → «%2»").arg(pair.find, pair.replacement);
}

} // namespace

bool sameCaption(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

qsizetype findCaption(const ReplacePairs& pairs, const QString& caption)
{
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (sameCaption(pairs[i].find, caption))
            return qsizetype(i);
    }
    return -1;
}

qsizetype addOrUpdate(ReplacePairs& pairs, const ReplacePair& pair)
{
    if (hasLineBreak(pair.find) || hasLineBreak(pair.replacement)) {
        throw Error(
            QCoreApplication::translate("Quillet::AutoReplace",
                                        "Автозамена %1 содержит перевод строки, а каждая её часть "
                                        "должна быть одной строкой.")
                .arg(describePair(pair)));
    }
    const qsizetype found = findCaption(pairs, pair.find);
    if (found >= 0)
        pairs[size_t(found)] = pair;
    else
        pairs.push_back(pair);
    sortPairs(pairs);
    // The pair is where the sort put it; with captions equal but for case several items
    // may match, and the one just written is the one holding both texts.
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i] == pair)
            return qsizetype(i);
    }
    return -1;
}

void removeAt(ReplacePairs& pairs, qsizetype index)
{
    if (index >= 0 && index < qsizetype(pairs.size()))
        pairs.erase(pairs.begin() + index);
}

void openPairs(ReplacePairs& pairs, const ReplacePairs& filePairs)
{
    pairs = filePairs;
    sortPairs(pairs);
}

void mergePairs(ReplacePairs& pairs, const ReplacePairs& filePairs)
{
    // Items by folded caption, in list order, so a long file does not look through the
    // whole list for every pair.
    QHash<QString, QList<qsizetype>> byCaption;
    const auto remember = [&byCaption](const QString& caption, qsizetype index) {
        byCaption[foldedKey(caption)].append(index);
    };
    for (size_t i = 0; i < pairs.size(); ++i)
        remember(pairs[i].find, qsizetype(i));
    for (const ReplacePair& pair : filePairs) {
        qsizetype found = -1;
        for (qsizetype index : byCaption.value(foldedKey(pair.find))) {
            if (sameCaption(pairs[size_t(index)].find, pair.find)) {
                found = index;
                break;
            }
        }
        if (found >= 0) {
            pairs[size_t(found)] = pair;
        } else {
            pairs.push_back(pair);
            remember(pair.find, qsizetype(pairs.size()) - 1);
        }
    }
    sortPairs(pairs);
}

QString snapshot(const ReplacePairs& pairs)
{
    QString text;
    for (const ReplacePair& pair : pairs)
        text += pair.find + kCr + pair.replacement + kCr;
    return text;
}

ReplacePairs restoreSnapshot(const QString& snapshot)
{
    ReplacePairs pairs;
    qsizetype pos = 0;
    while (pos < snapshot.size()) {
        qsizetype end = snapshot.indexOf(kCr, pos);
        if (end < 0)
            end = snapshot.size();
        ReplacePair pair{snapshot.mid(pos, end - pos), QString()};
        pos = end + 1;
        if (pos <= snapshot.size()) {
            end = snapshot.indexOf(kCr, pos);
            if (end < 0)
                end = snapshot.size();
            pair.replacement = snapshot.mid(pos, end - pos);
            pos = end + 1;
        }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

ReplacePairs readArl(QIODevice& device)
{
    if (!device.isReadable())
        throw FileError(QCoreApplication::translate("Quillet::AutoReplace",
                                                    "Файл автозамены не открыт для чтения."));
    QByteArray bytes;
    constexpr qint64 step = 64 * 1024;
    QByteArray chunk(step, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(chunk.data(), step);
        if (got < 0) {
            throw FileError(QCoreApplication::translate("Quillet::AutoReplace",
                                                        "Файл автозамены не читается: %1")
                                .arg(reasonInRussian(device.errorString())));
        }
        if (got == 0)
            break;
        bytes.append(chunk.constData(), got);
        if (bytes.size() > MaxFileBytes) {
            throw FileError(
                QCoreApplication::translate("Quillet::AutoReplace",
                                            "Файл автозамены больше %1 МБ: это не список "
                                            "автозамен.")
                    .arg(MaxFileBytes / (1024 * 1024)));
        }
    }
    const QStringList lines = ProjectFile::splitLines(Cp1251::decode(bytes));
    ReplacePairs pairs;
    pairs.reserve(size_t(lines.size() / 2));
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        pairs.push_back(ReplacePair{lines[i], lines[i + 1]});
    return pairs;
}

std::optional<ReplacePairs> loadArl(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        throw FileError(QCoreApplication::translate("Quillet::AutoReplace",
                                                    "Не удаётся открыть файл автозамены %1: %2")
                            .arg(path, info.isDir() ? QCoreApplication::translate(
                                           "Quillet::AutoReplace", "это папка")
                                                    : reasonInRussian(file.errorString())));
    }
    try {
        return readArl(file);
    } catch (const FileError& e) {
        throw FileError(QStringLiteral("%1: %2").arg(path, e.message()));
    }
}

QByteArray serializeArl(const ReplacePairs& pairs)
{
    QByteArray bytes;
    for (const ReplacePair& pair : pairs) {
        for (const QString* text : {&pair.find, &pair.replacement}) {
            const std::optional<QByteArray> encoded = Cp1251::encode(*text);
            if (!encoded) {
                const QString where =
                    Cp1251::describeCharacter(*text, Cp1251::firstUnencodable(*text));
                throw ConversionError(QCoreApplication::translate(
                                          "Quillet::AutoReplace",
                                          "Автозамена %1: символ %2 нельзя сохранить в файле "
                                          "автозамены (Windows-1251). Замените его и сохраните "
                                          "снова; файл не записан.")
                                          .arg(describePair(pair), where));
            }
            bytes += *encoded + "\r\n";
        }
    }
    return bytes;
}

QString arlPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + QStringLiteral(".arl");
}

QString saveArl(const ReplacePairs& pairs, const QString& path)
{
    const QByteArray bytes = serializeArl(pairs);
    const QString target = arlPath(path);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw FileError(QCoreApplication::translate("Quillet::AutoReplace",
                                                    "Не удаётся записать файл автозамены %1: %2")
                            .arg(target, reasonInRussian(file.errorString())));
    }
    return target;
}

} // namespace Quillet::AutoReplace
