// Writes icon 128 for the desktop: make_icon FILE SIZE. A FILE ending in .svg
// gets the artwork as vector paths on a SIZE × SIZE canvas (the scalable
// icon), any other FILE a PNG of SIZE × SIZE pixels.
#include "nubora/resources/artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>

namespace {

bool WriteSvg(const QString& file, int size)
{
    QSvgGenerator svg;
    svg.setFileName(file);
    // A view box alone: a size would be written in millimetres, which do not
    // come back to whole pixels, and an icon's size is the viewer's choice.
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(QStringLiteral("ヌボラ"));
    svg.setDescription(QStringLiteral("The program icon of ヌボラ"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    nubora::res::PaintProgramIcon(painter, size);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE SIZE\n", argv[0]);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int size = std::atoi(argv[2]);
    if (size < 16 || size > 1024)
        return 1;
    if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return WriteSvg(file, size) ? 0 : 1;
    return nubora::res::ProgramIconImage(size).save(file) ? 0 : 1;
}
