// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli: the headless companion of the desktop program. Each subcommand lives in
// its own *Command.cpp and registers itself.

#include "cli/Command.h"
#include "core/app/Language.h"
#include "core/common/Errors.h"
#include "core/raster/DecoderMessages.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <exception>
#include <new>

namespace Quillet::Cli {

namespace {
std::vector<Command>& registry()
{
    static std::vector<Command> all;
    return all;
}

void printUsage()
{
    printErr(QCoreApplication::translate("Quillet::Cli",
                                         "Использование: quillet-cli КОМАНДА [АРГУМЕНТЫ...]"));
    for (const Command& c : commands())
        printErr(QStringLiteral("  quillet-cli %1")
                     .arg(QCoreApplication::translate("Quillet::Cli", c.usage)));
}
} // namespace

bool registerCommand(const Command& command)
{
    registry().push_back(command);
    return true;
}

const std::vector<Command>& commands()
{
    return registry();
}

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printErr(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QString ParsedArgs::value(const QString& name, const QString& fallback) const
{
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        if (it->first == name)
            return it->second;
    }
    return fallback;
}

bool ParsedArgs::has(const QString& name) const
{
    if (flags.contains(name))
        return true;
    for (const auto& v : values) {
        if (v.first == name)
            return true;
    }
    return false;
}

ParsedArgs parseArgs(const QStringList& args, const QStringList& valueOptions,
                     const QStringList& flagOptions)
{
    ParsedArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.startsWith(QLatin1String("--")) && arg.size() > 2) {
            QString name = arg.mid(2);
            QString inlineValue;
            const qsizetype eq = name.indexOf(QLatin1Char('='));
            if (eq >= 0) {
                inlineValue = name.mid(eq + 1);
                name.truncate(eq);
            }
            if (flagOptions.contains(name)) {
                if (eq >= 0) {
                    throw UsageError(QCoreApplication::translate(
                                         "Quillet::Cli", "Параметр --%1 не принимает значения")
                                         .arg(name));
                }
                parsed.flags << name;
            } else if (valueOptions.contains(name)) {
                if (eq < 0) {
                    if (i + 1 >= args.size())
                        throw UsageError(QCoreApplication::translate(
                                             "Quillet::Cli", "Параметру --%1 нужно значение")
                                             .arg(name));
                    inlineValue = args[++i];
                }
                parsed.values.emplace_back(name, inlineValue);
            } else {
                throw UsageError(
                    QCoreApplication::translate("Quillet::Cli", "Неизвестный параметр %1")
                        .arg(arg));
            }
        } else {
            parsed.positional << arg;
        }
    }
    return parsed;
}

} // namespace Quillet::Cli

int main(int argc, char** argv)
{
    using namespace Quillet::Cli;
    // Fonts and painting need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (cron, CI) Qt warns about the runtime folder on every start;
    // give it a private one so stderr carries only our own lines.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/quillet-runtime-" + QByteArray::number(getuid());
        if (mkdir(dir.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", dir);
    }
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // Qt takes options of its own out of the command line, --reverse among them (its
    // right-to-left layout), so it is given only the program's name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    QGuiApplication::setApplicationName(QStringLiteral("quillet-cli"));
    Quillet::installTranslations(
        app, Quillet::interfaceLanguageCode(Quillet::InterfaceLanguage::System));
    if (args.isEmpty() || args.first() == QLatin1String("--help")
        || args.first() == QLatin1String("-h")) {
        printUsage();
        return args.isEmpty() ? ExitFailure : ExitOk;
    }
    const QString name = args.takeFirst();
    // stderr carries our own lines only: what Qt and the decoders say on the way (a page of
    // a damaged TIFF deep in an import, say) would come before the one line that matters.
    const Quillet::DecoderMessages quiet;
    for (const Command& command : commands()) {
        if (name != QLatin1String(command.name))
            continue;
        try {
            return command.run(args);
        } catch (const UsageError& e) {
            printErr(QStringLiteral("quillet-cli %1: %2").arg(name, e.message()));
            printErr(QCoreApplication::translate("Quillet::Cli", "Использование: quillet-cli %1")
                         .arg(QCoreApplication::translate("Quillet::Cli", command.usage)));
            return ExitFailure;
        } catch (const Quillet::Error& e) {
            printErr(QStringLiteral("quillet-cli %1: %2").arg(name, e.message()));
            return ExitFailure;
        } catch (const std::bad_alloc&) {
            printErr(
                QCoreApplication::translate("Quillet::Cli", "quillet-cli %1: не хватает памяти")
                    .arg(name));
            return ExitFailure;
        } catch (const std::exception& e) {
            // The standard library's wording: such a failure is a fault of the program.
            printErr(
                QCoreApplication::translate("Quillet::Cli", "quillet-cli %1: внутренняя ошибка: %2")
                    .arg(name, QString::fromLocal8Bit(e.what())));
            return ExitFailure;
        }
    }
    printErr(QCoreApplication::translate("Quillet::Cli", "quillet-cli: неизвестная команда %1")
                 .arg(name));
    printUsage();
    return ExitFailure;
}
