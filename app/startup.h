#pragma once
// Start-up and shutdown. startProgram creates the program-wide state, opens the main window,
// runs the message loop until the window is closed, then releases the state and unloads the
// skin library. The program takes no command line, reads no file and keeps no settings.

#include "app/main_window.h"
#include "app/window_skin.h"

#include <filesystem>
#include <optional>

namespace app {

// The program-wide state, one of each for the whole run.
struct Globals {
    drawing::ViewState view;        // ChartGrid, ResistorFrame, BandReadings
    std::optional<WindowSkin> skin; // its construction places the skin library
};

// Creates the state; the skin library goes into `systemFolder` when none is there.
void createGlobals(const std::filesystem::path& systemFolder = defaultSystemFolder());
// Releases it; safe to call when there is nothing to release.
void releaseGlobals();
// The state while it exists, else null.
Globals* globals();
// How often releaseGlobals has released the state in this process.
int globalsReleaseCount();

// Creates the main window (hidden, in dialog mode, no owner) and runs its creation handler,
// which shows it. Returns without waiting for the window to close.
void openMainWindow();
// The window openMainWindow opened, until startProgram ends; null before.
MainWindow* mainWindow();
// Closes and destroys the main window, if any.
void closeMainWindow();

// The whole run, inside an existing QApplication; the result is the exit status, 0.
int startProgram(const std::filesystem::path& systemFolder = defaultSystemFolder());

} // namespace app
