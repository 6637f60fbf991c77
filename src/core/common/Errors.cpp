// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QHash>

namespace Quillet {
namespace {

// The reasons file work meets, as glibc's strerror and Qt's own file classes word them.
const QHash<QString, const char*>& knownReasons()
{
    static const QHash<QString, const char*> reasons{
        {QStringLiteral("No such file or directory"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "нет такого файла или папки")},
        {QStringLiteral("Permission denied"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "нет прав доступа")},
        {QStringLiteral("Operation not permitted"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "действие не разрешено")},
        {QStringLiteral("Is a directory"), QT_TRANSLATE_NOOP("Quillet::Errors", "это папка")},
        {QStringLiteral("file to open is a directory"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "это папка")},
        {QStringLiteral("Filename refers to a directory"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "это папка")},
        {QStringLiteral("Not a directory"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "часть пути не является папкой")},
        {QStringLiteral("No space left on device"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "на диске нет места")},
        {QStringLiteral("Disk quota exceeded"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "превышена дисковая квота")},
        {QStringLiteral("File too large"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "файл слишком велик")},
        {QStringLiteral("Read-only file system"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "файловая система доступна только для чтения")},
        {QStringLiteral("File exists"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "файл уже существует")},
        {QStringLiteral("File name too long"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "слишком длинное имя файла")},
        {QStringLiteral("Too many open files"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "открыто слишком много файлов")},
        {QStringLiteral("Too many levels of symbolic links"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "символические ссылки замкнуты в круг")},
        {QStringLiteral("Input/output error"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "ошибка ввода-вывода")},
        {QStringLiteral("Device or resource busy"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "устройство занято")},
        {QStringLiteral("Text file busy"), QT_TRANSLATE_NOOP("Quillet::Errors", "файл занят")},
        {QStringLiteral("Directory not empty"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "папка не пуста")},
        {QStringLiteral("Cannot allocate memory"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "не хватает памяти")},
        {QStringLiteral("Invalid argument"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "недопустимый аргумент")},
        {QStringLiteral("Broken pipe"), QT_TRANSLATE_NOOP("Quillet::Errors", "канал закрыт")},
        {QStringLiteral("Unknown error"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "неизвестная ошибка")},
        {QStringLiteral("Device not open"), QT_TRANSLATE_NOOP("Quillet::Errors", "файл не открыт")},
        {QStringLiteral("Unsupported image format"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "формат изображения не поддерживается")},
        {QStringLiteral("Process failed to start"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "программа не запустилась")},
        {QStringLiteral("Process crashed"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "программа завершилась аварийно")},
        {QStringLiteral("Process operation timed out"),
         QT_TRANSLATE_NOOP("Quillet::Errors", "программа не ответила вовремя")},
    };
    return reasons;
}

// Words Qt puts before a reason; the message around it already says what was being done.
constexpr const char* DroppedPrefixes[] = {
    "execvp: ", "chdir: ", "Cannot open device for writing: "};

} // namespace

QString reasonInRussian(const QString& reason)
{
    QString rest = reason.trimmed();
    for (const char* prefix : DroppedPrefixes) {
        if (rest.startsWith(QLatin1String(prefix))) {
            rest = rest.mid(qsizetype(qstrlen(prefix)));
            break;
        }
    }
    // Some of Qt's own reasons end with a full stop.
    if (rest.endsWith(QLatin1Char('.')))
        rest.chop(1);
    const auto known = knownReasons().constFind(rest);
    return known != knownReasons().cend() ? QCoreApplication::translate("Quillet::Errors", *known)
                                          : reason;
}

} // namespace Quillet
