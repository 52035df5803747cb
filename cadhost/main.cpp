// cadhost: the stand-in CAD host. It holds a drawing, exports the host functions by name,
// loads the macro library and runs it from a scenario script.
#include "cadhost/demo_scenario.h"
#include "cadhost/macro_library.h"
#include "cadhost/scenario/runner.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: cadhost [--scenario FILE] [--drawing FILE] [--save FILE] [--macro LIBRARY] "
    "[--keep-temp]\n"
    "With no scenario, cadhost runs its built-in demo on the sample drawing.\n";

struct Arguments {
    std::string scenario;
    cadhost::scenario::RunOptions options;
    bool ok = true;
};

Arguments Parse(int argc, char** argv) {
    Arguments a;
    a.options.macroLibrary = cadhost::DefaultMacroLibraryPath();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--scenario" && hasValue)
            a.scenario = argv[++i];
        else if (arg == "--drawing" && hasValue)
            a.options.drawingFile = std::filesystem::absolute(argv[++i]).string();
        else if (arg == "--save" && hasValue)
            a.options.saveFile = std::filesystem::absolute(argv[++i]).string();
        else if (arg == "--macro" && hasValue)
            a.options.macroLibrary = argv[++i];
        else if (arg == "--keep-temp")
            a.options.keepTemp = true;
        else
            a.ok = false;
    }
    return a;
}

} // namespace

int main(int argc, char** argv) {
    // Scenarios need no screen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Arguments args = Parse(argc, argv);
    if (!args.ok) {
        std::cerr << kUsage;
        return 2;
    }
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
