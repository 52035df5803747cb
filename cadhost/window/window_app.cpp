#include "cadhost/window/window_app.h"

#include "cadhost/driver/macro_library.h"
#include "cadhost/driver/session.h"
#include "cadhost/scenario/script.h"
#include "cadhost/window/host_actions.h"
#include "cadhost/window/host_window.h"
#include "cadhost/window/scenario_player.h"
#include "cadhost/window/screenshot.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace cadhost::window {
namespace {

// Host path 4 (the macro's folder, with its settings file) and host path 6 (the folder of
// settings shared between macros) are two folders in one place.
bool UseSettingsDir(const std::string& dir, std::ostream& err) {
    std::error_code ec;
    const std::filesystem::path root(dir);
    std::filesystem::create_directories(root / "macro", ec);
    std::filesystem::create_directories(root / "shared", ec);
    if (ec) {
        err << "cadhost: cannot create the settings folders in " << dir << ": " << ec.message()
            << '\n';
        return false;
    }
    auto& config = CurrentSession().config;
    config.macroPath = (root / "macro").string() + "/";
    config.sharedPath = (root / "shared").string() + "/";
    return true;
}

std::string DefaultSettingsDir() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
}

// The window over the loaded macro and the chosen drawing; null after a message on `err`.
std::unique_ptr<HostWindow> MakeWindow(const WindowOptions& options, std::ostream& err) {
    const auto macro = LoadMacroLibrary(options.macroLibrary.empty() ? DefaultMacroLibraryPath()
                                                                     : options.macroLibrary);
    if (!macro) {
        err << "cadhost: " << macro.error() << '\n';
        return nullptr;
    }
    auto window = std::make_unique<HostWindow>(*macro);
    if (options.drawingFile.empty()) {
        window->Actions().UseSample();
        return window;
    }
    QString why;
    if (!window->Actions().OpenFile(QString::fromStdString(options.drawingFile), &why)) {
        err << "cadhost: " << why.toStdString() << '\n';
        return nullptr;
    }
    return window;
}

std::optional<scenario::Script> ReadScenario(const std::string& file, std::ostream& err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << "cadhost: cannot read the scenario " << file << '\n';
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    auto parsed =
        scenario::ParseScript(text.str(), std::filesystem::absolute(file).parent_path().string());
    if (auto* error = std::get_if<std::string>(&parsed)) {
        err << "cadhost: " << file << ": " << *error << '\n';
        return std::nullopt;
    }
    return std::get<scenario::Script>(std::move(parsed));
}

} // namespace

int RunWindow(const WindowOptions& options, std::ostream& err) {
    QApplication::setApplicationName(QStringLiteral("cadhost"));
    if (!UseSettingsDir(options.settingsDir.empty() ? DefaultSettingsDir() : options.settingsDir,
                        err))
        return 1;
    const auto window = MakeWindow(options, err);
    if (!window)
        return 1;
    window->show();
    return QApplication::exec();
}

int RenderScreenshot(const ScreenshotOptions& options, std::ostream& err) {
    // A picture starts from no settings at all, so that it looks the same on every machine.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        err << "cadhost: cannot create a temporary folder\n";
        return 1;
    }
    const std::string settings = options.window.settingsDir.empty() ? scratch.path().toStdString()
                                                                    : options.window.settingsDir;
    if (!UseSettingsDir(settings, err))
        return 1;
    std::optional<scenario::Script> script;
    if (!options.scenario.empty()) {
        script = ReadScenario(options.scenario, err);
        if (!script)
            return 2;
    }
    const auto window = MakeWindow(options.window, err);
    if (!window)
        return 1;
    window->show();
    QApplication::processEvents();
    if (script) {
        const std::string failure = PlayScenario(
            *window, *script, {options.window.drawingFile, scratch.path().toStdString()});
        if (!failure.empty()) {
            err << "cadhost: the scenario failed at " << failure << '\n';
            return 1;
        }
    }
    const QImage picture = ComposeScreenshot(*window);
    if (!picture.save(QString::fromStdString(options.output), "PNG")) {
        err << "cadhost: cannot write the picture " << options.output << '\n';
        return 1;
    }
    return 0;
}

} // namespace cadhost::window
