// cadhost: the stand-in CAD host. It holds a drawing, exports the host functions by name and
// loads the macro library. With a display it is a desktop program in which a person uses the
// macro; without one, or when asked, it runs scripted scenarios and prints their transcripts.
#include "cadhost/batch/batch_command.h"
#include "cadhost/driver/macro_library.h"
#include "cadhost/scenario/demo_scenario.h"
#include "cadhost/scenario/runner.h"
#include "cadhost/window/window_app.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: cadhost [FILE] [--macro LIBRARY] [--settings DIR]\n"
    "       cadhost --demo\n"
    "       cadhost --scenario FILE [--drawing FILE] [--save FILE] [--macro LIBRARY] "
    "[--keep-temp]\n"
    "       cadhost --screenshot PNG [--drawing FILE] [--scenario FILE] [--macro LIBRARY]\n"
    "With a display and no scenario, cadhost opens its window on the drawing FILE, or on the\n"
    "built-in sample drawing. Without a display, or with --demo, it runs its built-in demo on\n"
    "the sample drawing and prints the transcript.\n";

enum class Mode { Window, Demo, Scenario, Screenshot };

struct Arguments {
    Mode mode = Mode::Window;
    bool demoAsked = false;
    std::string scenario;
    std::string screenshot;
    std::string drawingFile; // --drawing, or the window's FILE
    std::string settingsDir;
    cadhost::scenario::RunOptions options;
    bool ok = true;
};

std::string Absolute(const char* path) {
    return std::filesystem::absolute(path).string();
}

Arguments Parse(int argc, char** argv) {
    Arguments a;
    a.options.macroLibrary = cadhost::DefaultMacroLibraryPath();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--scenario" && hasValue)
            a.scenario = argv[++i];
        else if (arg == "--screenshot" && hasValue)
            a.screenshot = Absolute(argv[++i]);
        else if (arg == "--drawing" && hasValue)
            a.drawingFile = Absolute(argv[++i]);
        else if (arg == "--save" && hasValue)
            a.options.saveFile = Absolute(argv[++i]);
        else if (arg == "--macro" && hasValue)
            a.options.macroLibrary = argv[++i];
        else if (arg == "--settings" && hasValue)
            a.settingsDir = Absolute(argv[++i]);
        else if (arg == "--keep-temp")
            a.options.keepTemp = true;
        else if (arg == "--demo")
            a.demoAsked = true;
        else if (!arg.starts_with("-") && a.drawingFile.empty())
            a.drawingFile = Absolute(argv[i]);
        else
            a.ok = false;
    }
    a.options.drawingFile = a.drawingFile;
    if (!a.screenshot.empty())
        a.mode = Mode::Screenshot;
    else if (!a.scenario.empty())
        a.mode = Mode::Scenario;
    else if (a.demoAsked)
        a.mode = Mode::Demo;
    return a;
}

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// A window needs a screen: an X or Wayland display, or a platform named explicitly that draws
// somewhere a person can see. The offscreen and minimal platforms draw nowhere.
bool DisplayAvailable() {
    if (Set("QT_QPA_PLATFORM")) {
        const std::string platform = std::getenv("QT_QPA_PLATFORM");
        return !platform.starts_with("offscreen") && !platform.starts_with("minimal");
    }
    return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

// Scripted runs and pictures made without a display need no screen.
void UseOffscreenUnlessSet() {
    if (!Set("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int RunScript(const Arguments& args) {
    std::string text;
    std::string baseDir;
    if (args.scenario.empty()) {
        text = cadhost::DemoScenario();
    } else {
        std::ifstream in(args.scenario, std::ios::binary);
        if (!in) {
            std::cerr << "cadhost: cannot read the scenario " << args.scenario << '\n';
            return 2;
        }
        std::ostringstream buffer;
        buffer << in.rdbuf();
        text = buffer.str();
        baseDir = std::filesystem::absolute(args.scenario).parent_path().string();
    }
    auto parsed = cadhost::scenario::ParseScript(text, baseDir);
    if (auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "cadhost: " << (args.scenario.empty() ? "demo" : args.scenario) << ": "
                  << *error << '\n';
        return 2;
    }
    return cadhost::scenario::RunScenario(std::get<cadhost::scenario::Script>(parsed), args.options,
                                          std::cout, std::cerr);
}

cadhost::window::WindowOptions WindowOptionsOf(const Arguments& args) {
    return {args.options.macroLibrary, args.drawingFile, args.settingsDir};
}

} // namespace

int main(int argc, char** argv) {
    // Subcommands are dispatched here, before the options of the runs below are read.
    if (argc > 1 && std::string(argv[1]) == "batch")
        return cadhost::batch::RunBatchCommand(argc, argv);

    Arguments args = Parse(argc, argv);
    if (!args.ok) {
        std::cerr << kUsage;
        return 2;
    }
    const bool display = DisplayAvailable();
    if (args.mode == Mode::Window && !display) {
        if (!args.drawingFile.empty()) {
            std::cerr << "cadhost: there is no display to open the window on (DISPLAY and "
                         "WAYLAND_DISPLAY are not set); a scenario runs without one: "
                         "cadhost --scenario FILE --drawing "
                      << args.drawingFile << '\n';
            return 2;
        }
        args.mode = Mode::Demo;
    }

    if (args.mode != Mode::Window && !(args.mode == Mode::Screenshot && display))
        UseOffscreenUnlessSet();
    QApplication app(argc, argv);

    switch (args.mode) {
    case Mode::Window:
        return cadhost::window::RunWindow(WindowOptionsOf(args), std::cerr);
    case Mode::Screenshot:
        return cadhost::window::RenderScreenshot(
            {WindowOptionsOf(args), args.screenshot, args.scenario}, std::cerr);
    case Mode::Demo:
        std::cout << (args.demoAsked
                          ? "cadhost: the scripted demo on the sample drawing\n"
                          : "cadhost: no display, so here is the scripted demo on the sample "
                            "drawing (with a display, cadhost opens its window)\n");
        return RunScript(args);
    case Mode::Scenario:
        return RunScript(args);
    }
    return 2;
}
