// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The Scanner of a build without libsane: it never starts, so nothing below it is reached;
// the window says why when a scan is asked for.

#include "core/background/Scanner.h"

#include <QCoreApplication>

namespace Quillet {

QString scannerUnavailableReason()
{
    return QCoreApplication::translate("Quillet::NoScanner",
                                       "Сканирование недоступно: программа собрана без SANE "
                                       "(нужен пакет libsane-dev).");
}

Scanner::Scanner()
{
    throw ScannerError(scannerUnavailableReason());
}

Scanner::~Scanner() = default;

QList<ScannerDevice> Scanner::devices()
{
    throw ScannerError(scannerUnavailableReason());
}

void Scanner::open(const QString&)
{
    throw ScannerError(scannerUnavailableReason());
}

QList<int> Scanner::resolutions() const
{
    return {};
}

int Scanner::defaultResolution() const
{
    return 0;
}

QStringList Scanner::colourModes() const
{
    return {};
}

QString Scanner::defaultColourMode() const
{
    return {};
}

QImage Scanner::scan(const ScanSettings&, const ScanProgress&)
{
    throw ScannerError(scannerUnavailableReason());
}

void Scanner::cancel() {}

void Scanner::close() {}

QString Scanner::deviceText() const
{
    return {};
}

} // namespace Quillet
