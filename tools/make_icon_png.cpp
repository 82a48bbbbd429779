// make-icon-png SIZE FILE: saves the program's icon, drawn at SIZE x SIZE pixels, as a PNG.
// The build runs it for the installed hicolor icons, so they are the window's own icon. Painting
// into a QImage needs no application object and no screen: it runs on any build machine.
#include "app/app_icon.h"

#include <QString>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-icon-png SIZE FILE\n");
        return 2;
    }
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[1]).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 1024) {
        std::fprintf(stderr, "make-icon-png: bad size '%s'\n", argv[1]);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[2]);
    // Straight alpha, as PNG stores it.
    if (!app::appIconImage(size).convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
        std::fprintf(stderr, "make-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
