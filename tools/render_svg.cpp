// SPDX-License-Identifier: GPL-3.0-or-later
// Renders an SVG picture as a square PNG of a given size: the installed program's icon at the
// sizes menus and docks use.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: quillary-render-svg SVG SIZE PNG\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int size = std::atoi(argv[2]);
    if (!svg.isValid() || size <= 0) {
        std::fprintf(stderr, "quillary-render-svg: cannot render %s at %s pixels\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "quillary-render-svg: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
