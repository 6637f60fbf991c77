// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/DecoderMessages.h"

#include <QtGlobal>

#include <tiffio.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace Quillet {
namespace {

// The lines of the innermost capture on this thread; null when none is alive.
thread_local QStringList* t_lines = nullptr;

// What was installed before us, for whatever no capture keeps. Set once; read from any
// thread, possibly before the first store has landed.
std::atomic<QtMessageHandler> g_previousQt = nullptr;
std::atomic<TIFFErrorHandler> g_previousTiffError = nullptr;
std::atomic<TIFFErrorHandler> g_previousTiffWarning = nullptr;

bool keep(const QString& line)
{
    if (!t_lines)
        return false;
    t_lines->append(line);
    return true;
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg && keep(text))
        return;
    if (const QtMessageHandler previous = g_previousQt.load())
        previous(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void onTiffMessage(const std::atomic<TIFFErrorHandler>& previous, const char* module,
                   const char* format, va_list args)
{
    char text[1024];
    va_list copy;
    va_copy(copy, args);
    std::vsnprintf(text, sizeof text, format, copy);
    va_end(copy);
    QString line = QString::fromLocal8Bit(text);
    if (module && *module)
        line = QString::fromLocal8Bit(module) + QStringLiteral(": ") + line;
    if (keep(line))
        return;
    if (const TIFFErrorHandler handler = previous.load())
        handler(module, format, args);
}

void onTiffError(const char* module, const char* format, va_list args)
{
    onTiffMessage(g_previousTiffError, module, format, args);
}

void onTiffWarning(const char* module, const char* format, va_list args)
{
    onTiffMessage(g_previousTiffWarning, module, format, args);
}

// Once per process, and only when something is captured: a program that never decodes a
// picture keeps its message handling as it was.
void installHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_previousQt = qInstallMessageHandler(onQtMessage);
        g_previousTiffError = TIFFSetErrorHandler(onTiffError);
        g_previousTiffWarning = TIFFSetWarningHandler(onTiffWarning);
    });
}

} // namespace

void DecoderMessages::install()
{
    installHandlers();
}

DecoderMessages::DecoderMessages() : m_outer(t_lines)
{
    installHandlers();
    t_lines = &m_lines;
}

DecoderMessages::~DecoderMessages()
{
    t_lines = m_outer;
}

} // namespace Quillet
