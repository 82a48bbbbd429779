// Ohmbra: reads the colour code of a through-hole resistor.
#include "app/startup.h"

#include <QApplication>

int main() {
    // The program takes no command line; Qt sees only the program's name.
    int argc = 1;
    char name[] = "ohmbra";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    return app::startProgram();
}
