// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/ExportPlan.h"

#include "core/app/NodeGrammar.h"
#include "core/app/PageCount.h"
#include "core/app/Project.h"
#include "core/common/Errors.h"
#include "core/common/Numbers.h"
#include "core/data/CellAddress.h"
#include "core/fields/FieldValue.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

namespace Quillet {
namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Quillet::ExportPlan", text);
}

// A whole non-negative number, or -1.
long long wholeNumber(const QString& text)
{
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    return ok && value >= 0 ? value : -1;
}

Shard checkedShard(long long index, long long count)
{
    if (count < 1 || count > MaxShards)
        throw Error(tr("Число частей должно быть от 1 до %1").arg(MaxShards));
    if (index < 1 || index > count)
        throw Error(tr("Часть %1 не входит в число частей %2").arg(index).arg(count));
    return {int(index), int(count)};
}

} // namespace

Shard parseShard(const QString& text)
{
    const qsizetype slash = text.indexOf(u'/');
    const long long index = slash < 0 ? -1 : wholeNumber(text.left(slash));
    const long long count = slash < 0 ? -1 : wholeNumber(text.mid(slash + 1));
    if (index < 0 || count < 0)
        throw Error(tr("Часть задаётся как НОМЕР/ЧИСЛО, например 2/16: %1").arg(text));
    return checkedShard(index, count);
}

Shard shardFromEnvironment(const QProcessEnvironment& environment, int shards)
{
    const auto number = [&](const char* name) {
        const QString key = QString::fromLatin1(name);
        if (!environment.contains(key))
            return -2LL;
        const long long value = wholeNumber(environment.value(key));
        if (value < 0)
            throw Error(tr("Переменная %1 — не число: %2").arg(key, environment.value(key)));
        return value;
    };
    const long long taskId = number("SLURM_ARRAY_TASK_ID");
    if (taskId >= 0) {
        const long long min = std::max(number("SLURM_ARRAY_TASK_MIN"), 0LL);
        const long long step = std::max(number("SLURM_ARRAY_TASK_STEP"), 1LL);
        long long count = number("SLURM_ARRAY_TASK_COUNT");
        const long long max = number("SLURM_ARRAY_TASK_MAX");
        if (count < 0 && max >= min)
            count = (max - min) / step + 1;
        if (shards > 0)
            count = shards;
        if (count < 0)
            throw Error(tr("Slurm не сообщил размер массива задач: нужен --shards N"));
        if (taskId < min || (taskId - min) % step != 0)
            throw Error(tr("Номер задачи Slurm %1 не входит в массив задач").arg(taskId));
        return checkedShard((taskId - min) / step + 1, count);
    }
    const long long completion = number("JOB_COMPLETION_INDEX");
    if (completion >= 0) {
        if (shards <= 0)
            throw Error(tr("Kubernetes не сообщает число частей: нужен --shards N"));
        return checkedShard(completion + 1, shards);
    }
    throw Error(tr("Не найден номер задачи: нет ни SLURM_ARRAY_TASK_ID, ни JOB_COMPLETION_INDEX"));
}

std::vector<int> pagesOfShard(const std::vector<int>& pages, Shard shard)
{
    const auto boundary = [&](int k) {
        return ptrdiff_t(int64_t(pages.size()) * (k - 1) / shard.count);
    };
    return {pages.begin() + boundary(shard.index), pages.begin() + boundary(shard.index + 1)};
}

QString shardPrefix(const QString& prefix, Shard shard)
{
    return QStringLiteral("%1-%2-of-%3")
        .arg(prefix, Numbers::formatInt(shard.index, 4), Numbers::formatInt(shard.count, 4));
}

QString safeFileName(const QString& value, int maxBytes)
{
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString name;
    name.reserve(value.size());
    for (const QChar c : value)
        name += (c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c)) ? u'_' : c;
    const auto trimmable = [](QChar c) { return c == u'.' || c.isSpace(); };
    qsizetype start = 0;
    qsizetype end = name.size();
    while (start < end && trimmable(name[start]))
        ++start;
    while (end > start && trimmable(name[end - 1]))
        --end;
    name = name.mid(start, end - start);
    // Cut at a character's boundary; a cut may leave spaces or dots at the end again.
    while (name.toUtf8().size() > maxBytes) {
        name.chop(name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1);
        while (!name.isEmpty() && trimmable(name.back()))
            name.chop(1);
    }
    static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])"
                                                          "(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch())
        name += u'_';
    return name;
}

QStringList recordFileNames(const Project& project, const Workbook* workbook,
                            const QString& nameText, const std::vector<int>& pages)
{
    TOptTextField field;
    field.fieldText = nameText;
    // In a field a single cell shows on every page; a name is wanted per record, so one
    // cell is the first record's and moves with the page, as a run of cells from it does.
    if (const std::optional<QString> reference = referenceOfFieldText(nameText)) {
        const ReferenceParts parts = splitReference(*reference);
        const CellPosition cell = ParseCellAddress(parts.first);
        if (cell == ParseCellAddress(parts.second)) {
            const bool alongRows = project.settings.Direct != DirectColumns;
            field.fieldText = QStringLiteral("=%1:%2%3")
                                  .arg(parts.first.trimmed(),
                                       columnLetters(int32_t(std::min<int64_t>(
                                           int64_t(cell.column) + (alongRows ? 0 : 1), INT32_MAX))))
                                  .arg(qint64(cell.row) + (alongRows ? 1 : 0));
        }
    }
    QStringList names;
    names.reserve(qsizetype(pages.size()));
    QSet<QString> taken;
    for (const int page : pages) {
        QString name = safeFileName(fieldValueOnPage(project, workbook, field, page));
        if (name.isEmpty())
            name = Numbers::formatInt(page, 3);
        QString unique = name;
        for (int copy = 2; taken.contains(unique.toCaseFolded()); ++copy)
            unique = QStringLiteral("%1 (%2)").arg(name).arg(copy);
        taken.insert(unique.toCaseFolded());
        names << unique;
    }
    return names;
}

} // namespace Quillet
