// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-render-icon SVG SIZE OUT.png: the program's icon as a SIZE × SIZE PNG, for icon
// themes that look for fixed sizes. Run at build time, so the pictures follow the SVG.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: quillet-render-icon SVG SIZE OUT.png\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[2]).toInt();
    if (!svg.isValid() || size < 1 || size > 4096) {
        std::fprintf(stderr, "quillet-render-icon: cannot draw %s at size %s\n", argv[1], argv[2]);
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "quillet-render-icon: cannot write %s\n", argv[3]);
        return 2;
    }
    return 0;
}
