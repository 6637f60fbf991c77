// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Errors.h"

#include <QHash>

namespace Quillet {
namespace {

// The reasons file work meets, as glibc's strerror and Qt's own file classes word them.
const QHash<QString, QString>& knownReasons()
{
    static const QHash<QString, QString> reasons{
        {QStringLiteral("No such file or directory"), QStringLiteral("нет такого файла или папки")},
        {QStringLiteral("Permission denied"), QStringLiteral("нет прав доступа")},
        {QStringLiteral("Operation not permitted"), QStringLiteral("действие не разрешено")},
        {QStringLiteral("Is a directory"), QStringLiteral("это папка")},
        {QStringLiteral("file to open is a directory"), QStringLiteral("это папка")},
        {QStringLiteral("Filename refers to a directory"), QStringLiteral("это папка")},
        {QStringLiteral("Not a directory"), QStringLiteral("часть пути не является папкой")},
        {QStringLiteral("No space left on device"), QStringLiteral("на диске нет места")},
        {QStringLiteral("Disk quota exceeded"), QStringLiteral("превышена дисковая квота")},
        {QStringLiteral("File too large"), QStringLiteral("файл слишком велик")},
        {QStringLiteral("Read-only file system"),
         QStringLiteral("файловая система доступна только для чтения")},
        {QStringLiteral("File exists"), QStringLiteral("файл уже существует")},
        {QStringLiteral("File name too long"), QStringLiteral("слишком длинное имя файла")},
        {QStringLiteral("Too many open files"), QStringLiteral("открыто слишком много файлов")},
        {QStringLiteral("Too many levels of symbolic links"),
         QStringLiteral("символические ссылки замкнуты в круг")},
        {QStringLiteral("Input/output error"), QStringLiteral("ошибка ввода-вывода")},
        {QStringLiteral("Device or resource busy"), QStringLiteral("устройство занято")},
        {QStringLiteral("Text file busy"), QStringLiteral("файл занят")},
        {QStringLiteral("Directory not empty"), QStringLiteral("папка не пуста")},
        {QStringLiteral("Cannot allocate memory"), QStringLiteral("не хватает памяти")},
        {QStringLiteral("Invalid argument"), QStringLiteral("недопустимый аргумент")},
        {QStringLiteral("Broken pipe"), QStringLiteral("канал закрыт")},
        {QStringLiteral("Unknown error"), QStringLiteral("неизвестная ошибка")},
        {QStringLiteral("Device not open"), QStringLiteral("файл не открыт")},
        {QStringLiteral("Unsupported image format"),
         QStringLiteral("формат изображения не поддерживается")},
        {QStringLiteral("Process failed to start"), QStringLiteral("программа не запустилась")},
        {QStringLiteral("Process crashed"), QStringLiteral("программа завершилась аварийно")},
        {QStringLiteral("Process operation timed out"),
         QStringLiteral("программа не ответила вовремя")},
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
    return known != knownReasons().cend() ? *known : reason;
}

} // namespace Quillet
