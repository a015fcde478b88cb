// Saves a rectangle of the X screen as PNG: screen_grab FILE X Y WIDTH HEIGHT.
// Used with Xvfb to photograph the program for the documentation.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s FILE X Y WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]),
                                                                      std::atoi(argv[4]), std::atoi(argv[5]));
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
