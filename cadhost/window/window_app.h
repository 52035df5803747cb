// The ways cadhost runs as a desktop program: the window for a person, and a picture of the
// window for documents and tests.
#pragma once

#include <ostream>
#include <string>

namespace cadhost::window {

struct WindowOptions {
    std::string macroLibrary;
    std::string drawingFile; // the built-in sample drawing when empty
    // Where the macro's settings live (host paths 4 and 6 are folders in it); the user's data
    // folder when empty.
    std::string settingsDir;
};

struct ScreenshotOptions {
    WindowOptions window;
    std::string output;   // a PNG file
    std::string scenario; // played through the window first when set
};

// Shows the window and runs until it closes. Needs an application object.
int RunWindow(const WindowOptions& options, std::ostream& err);
// Renders the window, after the scenario if there is one, to the PNG file.
int RenderScreenshot(const ScreenshotOptions& options, std::ostream& err);

} // namespace cadhost::window
