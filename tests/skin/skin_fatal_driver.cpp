// Starts like the program does and binds the window-skin library, so that tests can watch the
// binding from outside, including the case where it ends the process.
//   skin_fatal_driver [program-folder]
// Without an argument the library is looked for beside this executable's own file. Prints
// "bound <path>" when both functions were bound, and a marker from its exit handler.

#include "app/window_skin.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

void exitHandler() {
    std::puts("exit handler ran");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::atexit(exitHandler);
    if (argc > 1) {
        app::skinBinding().programFolder = argv[1];
    }
    app::attachSkin(app::mainSkinData(), 0, 0, 0, true);
    std::printf("bound %s\n", app::loadedSkinLibraryPath().c_str());
    std::fflush(stdout);
    app::unloadSkinLibrary();
    return 0;
}
