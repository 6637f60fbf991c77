// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/DocumentSupport.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace QuilletTest {

bool writeNumberedPdf(const QString& path, int pages)
{
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        QPainter painter(&writer);
        if (!painter.isActive())
            return false;
        QFont font = painter.font();
        font.setPixelSize(400);
        painter.setFont(font);
        for (int n = 1; n <= pages; ++n) {
            if (n > 1)
                writer.newPage();
            painter.fillRect(QRect(200, 300 * n, 1500, 120), QColor(40 * n % 256, 90, 200));
            painter.drawText(QRect(0, 1500, 2400, 800), Qt::AlignCenter, QString::number(n));
        }
    }
    return QFileInfo(path).size() > 0;
}

} // namespace QuilletTest
