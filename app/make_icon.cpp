// Writes icon 128 as a PNG file for the desktop entry: make_icon FILE SIZE.
#include "nubora/resources/artwork.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE SIZE\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[2]);
    if (size < 16 || size > 1024 || !nubora::res::ProgramIconImage(size).save(QString::fromLocal8Bit(argv[1])))
        return 1;
    return 0;
}
