#include "app/startup.h"

#include <QApplication>
#include <memory>

namespace app {

namespace {
std::unique_ptr<Globals> g_globals;
std::unique_ptr<MainWindow> g_mainWindow;
int g_releaseCount = 0;
} // namespace

void createGlobals(const std::filesystem::path& systemFolder) {
    g_globals = std::make_unique<Globals>();
    g_globals->skin.emplace(systemFolder);
}

void releaseGlobals() {
    if (g_globals) {
        g_globals.reset();
        ++g_releaseCount;
    }
}

Globals* globals() {
    return g_globals.get();
}
int globalsReleaseCount() {
    return g_releaseCount;
}

void openMainWindow() {
    g_mainWindow = std::make_unique<MainWindow>(g_globals->view);
    g_mainWindow->onMainWindowCreated();
}

MainWindow* mainWindow() {
    return g_mainWindow.get();
}

void closeMainWindow() {
    g_mainWindow.reset();
}

int startProgram(const std::filesystem::path& systemFolder) {
    createGlobals(systemFolder);
    openMainWindow();
    // The loop returns when the window closes; a window already closed would never say so.
    if (mainWindow()->isVisible()) {
        QApplication::exec();
    }
    closeMainWindow();
    releaseGlobals();
    unloadSkinLibrary();
    return 0;
}

} // namespace app
