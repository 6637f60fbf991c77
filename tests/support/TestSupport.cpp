// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

namespace QuilletTest {

QString dataPath(const QString& relative)
{
    return QStringLiteral(QUILLET_TEST_DATA_DIR "/") + relative;
}

QString sourcePath(const QString& relative)
{
    return QStringLiteral(QUILLET_SOURCE_DIR "/") + relative;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot read %1").arg(path)), __FILE__, __LINE__);
        return {};
    }
    return file.readAll();
}

} // namespace QuilletTest
