// cadhost for Windows: the stand-in host's scenario runner as a console program. It holds a
// drawing, exports the host functions by name from its PE export table, loads the macro DLL
// (Quillex.dll beside it unless --macro names another), runs a scenario file and prints its
// transcript, exactly as cadhost does on Linux; the macro's native windows are driven through
// their names.
#include "cadhost/driver/macro_library.h"
#include "cadhost/scenario/runner.h"
#include "cadhost/scenario/script.h"

#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: cadhost --scenario FILE [--drawing FILE] [--save FILE] [--macro DLL] [--keep-temp]\n"
    "Runs the scenario FILE through the macro DLL (Quillex.dll beside cadhost.exe unless --macro\n"
    "names another) and prints its transcript.\n";

// Arguments as the C runtime's narrow file functions read names: in the ANSI code page.
std::string Narrow(const wchar_t* wide) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
    return text;
}

std::string Absolute(const std::string& path) {
    return std::filesystem::absolute(path).generic_string();
}

struct Arguments {
    std::string scenario;
    cadhost::scenario::RunOptions options;
    bool ok = true;
};

Arguments Parse(const std::vector<std::string>& args) {
    Arguments a;
    a.options.macroLibrary = cadhost::DefaultMacroLibraryPath();
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--scenario" && hasValue)
            a.scenario = args[++i];
        else if (arg == "--drawing" && hasValue)
            a.options.drawingFile = Absolute(args[++i]);
        else if (arg == "--save" && hasValue)
            a.options.saveFile = Absolute(args[++i]);
        else if (arg == "--macro" && hasValue)
            a.options.macroLibrary = args[++i];
        else if (arg == "--keep-temp")
            a.options.keepTemp = true;
        else
            a.ok = false;
    }
    if (a.scenario.empty())
        a.ok = false;
    return a;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // The transcript's lines end in LF on every system, so that one expected text fits both.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The list view of the layer dialog needs the common controls registered.
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(Narrow(argv[i]));
    const Arguments a = Parse(args);
    if (!a.ok) {
        std::cerr << kUsage;
        return 2;
    }
    std::ifstream in(a.scenario, std::ios::binary);
    if (!in) {
        std::cerr << "cadhost: cannot read the scenario " << a.scenario << '\n';
        return 2;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string baseDir =
        std::filesystem::absolute(a.scenario).parent_path().generic_string();
    auto parsed = cadhost::scenario::ParseScript(buffer.str(), baseDir);
    if (auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "cadhost: " << a.scenario << ": " << *error << '\n';
        return 2;
    }
    const int status = cadhost::scenario::RunScenario(std::get<cadhost::scenario::Script>(parsed),
                                                      a.options, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
