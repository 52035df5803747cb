#include "cadhost/scenario/runner.h"

#include "cadhost/driver/keys.h"
#include "cadhost/driver/macro_driver.h"
#include "cadhost/driver/macro_library.h"
#include "cadhost/driver/session.h"
#include "cadhost/scenario/control_actions.h"
#include "cadhost/scenario/screen_state.h"
#include "cadhost/scenario/steps.h"
#include "cadhost/scenario/temp_folder.h"
#include "cadhost/scenario/view_automation.h"
#include "host/codepage.h"
#include "host/res_layout.h"

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace cadhost::scenario {
namespace {

using qx::host::Res;

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string EntityName(const Drawing& d, lgl_addr addr) {
    const Entity* e = d.FindEntity(addr);
    if (e != nullptr && !e->name.empty())
        return e->name;
    return "entity " + std::to_string(addr.page) + ":" + std::to_string(addr.ofs);
}

// What the macro drew on screen and where it moved the view since the transcript last looked.
void PrintScreenEvents(RunContext& ctx) {
    const Drawing& d = CurrentSession().drawing;
    const auto& items = d.Display().Items();
    for (; ctx.shownDisplayItems < items.size(); ++ctx.shownDisplayItems) {
        const DisplayItem& item = items[ctx.shownDisplayItems];
        const bool draw = item.a != 0;
        if (item.type == qx::host::kEntPolygon && item.points.size() >= 3) {
            ctx.transcript.Line(draw ? "  draw box " + DescribeBox(item) : "  erase box");
            continue;
        }
        ctx.transcript.Line(std::string(draw ? "  draw " : "  erase ") + EntityName(d, item.addr));
    }
    const auto& changes = d.View().Changes();
    for (; ctx.shownViewChanges < changes.size(); ++ctx.shownViewChanges) {
        const auto& v = changes[ctx.shownViewChanges].view;
        ctx.transcript.Line("  view at (" + Num(v.x) + ", " + Num(v.y) + ")");
    }
}

class Driver {
public:
    Driver(RunContext& ctx, qx::host::Main_fn main) : ctx_(ctx), macro_(main) {
        macro_.onGlobalKey = [this](std::int32_t key) {
            ctx_.transcript.Line("< globalesc " + KeyName(key) + " (handled by the host)");
        };
        ctx_.macro = &macro_;
    }

    void Run() {
        const auto& steps = ctx_.script.steps;
        while (ctx_.cursor < steps.size() && !ctx_.Failed()) {
            const Step& step = steps[ctx_.cursor++];
            RunStep(step);
        }
        if (!ctx_.Failed() && macro_.Running()) {
            ctx_.transcript.Line("== host ends the invocation early");
            EndInvocation();
        }
    }

private:
    void RunStep(const Step& step) {
        const std::string& verb = step.verb();
        if (RunSetupStep(ctx_, step))
            return;
        if (verb == "expect")
            return RunExpectation(ctx_, step);
        if (verb == "start")
            return Start(step);
        if (verb == "finish")
            return Finish();
        if (verb == "window")
            return ActOnWindow(step);
        if (verb == "box" || verb == "dialog")
            return ctx_.Fail(step, "the macro showed no " + verb + " here");
        if (verb == "key" || verb == "text" || verb == "int" || verb == "colour" ||
            verb == "point" || verb == "select")
            return Input(step);
        ctx_.Fail(step, "unknown step");
    }

    void Start(const Step& step) {
        if (macro_.Running())
            return ctx_.Fail(step, "an invocation is still running");
        ctx_.transcript.Line("== start");
        ctx_.transcript.Reset();
        ctx_.invocationEnded = false;
        ResetEvents();
        const DriverState state = macro_.Start();
        if (macro_.LocalSize() != static_cast<std::int32_t>(27108) && !ctx_.Failed())
            ctx_.transcript.Line("  size query answered " + std::to_string(macro_.LocalSize()));
        Settled(state);
    }

    void Finish() {
        if (!macro_.Running())
            return;
        ctx_.transcript.Line("== finish");
        EndInvocation();
    }

    // The host's last call. What the macro draws or erases in it belongs to this invocation.
    void EndInvocation() {
        ResetEvents();
        macro_.Finish();
        PrintScreenEvents(ctx_);
        ctx_.invocationEnded = true;
        ctx_.transcript.Line("== ended");
    }

    // Acts on one of the macro's floating windows. Key strokes its buttons send reach the host
    // as if typed, and answer the request the macro waits on.
    void ActOnWindow(const Step& step) {
        ViewAutomation& view = TheViewAutomation();
        const auto shown = view.WindowsOnShow();
        if (std::find(shown.begin(), shown.end(), step.words[1]) == shown.end())
            return ctx_.Fail(step, "no floating window " + step.words[1] + " is on show");
        ctx_.transcript.Line("> window " + step.words[1]);
        ResetEvents();
        for (const Step& action : step.block) {
            ctx_.transcript.Line("    " + action.Describe());
            const std::string problem = RunControlAction(view, step.words[1], action);
            if (!problem.empty())
                return ctx_.Fail(action, problem);
            if (!ctx_.sentKeys.empty())
                break;
        }
        if (ctx_.sentKeys.empty() || ctx_.Failed())
            return;
        const Step key{step.line, {"key", KeyName(ctx_.sentKeys.front())}, {}};
        Input(key);
    }

    void ResetEvents() {
        ctx_.beeps = 0;
        ctx_.openedDocuments.clear();
        ctx_.sentKeys.clear();
    }

    // What the driver reached after following the requests that need no user.
    void Settled(DriverState state) {
        if (ctx_.Failed())
            return;
        PrintScreenEvents(ctx_);
        if (state == DriverState::Failed)
            return ctx_.Fail(macro_.FailureMessage());
        if (state == DriverState::Idle) {
            ctx_.invocationEnded = true;
            ctx_.transcript.Line("== ended");
            return;
        }
        ctx_.transcript.Request(CurrentSession().ui);
    }

    void Input(const Step& step) {
        if (!macro_.Running())
            return ctx_.Fail(step, "no invocation is waiting for input");
        const auto answer = ToAnswer(step);
        if (!answer)
            return;
        macro_.onAnswerAccepted = [&] {
            ctx_.transcript.Line("> " + step.Describe());
            ResetEvents();
        };
        const std::string problem = macro_.Answer(*answer);
        macro_.onAnswerAccepted = nullptr;
        if (!problem.empty())
            return ctx_.Fail(step, problem);
        Settled(macro_.State());
    }

    // The script step as an answer; nothing after a failure.
    std::optional<Answer> ToAnswer(const Step& step) {
        const std::string& verb = step.verb();
        if (step.words.size() < 2)
            return ctx_.Fail(step, verb + " needs a value"), std::nullopt;
        if (verb == "key") {
            const auto key = ParseKey(step.words[1]);
            if (!key)
                return ctx_.Fail(step, "not a key: " + step.words[1]), std::nullopt;
            return KeyAnswer{*key};
        }
        if (verb == "text") {
            auto text = qx::host::Utf8ToCp1252(step.words[1]);
            if (!text)
                return ctx_.Fail(step, "the text cannot be typed in the host's code page"),
                       std::nullopt;
            return TextAnswer{std::move(*text)};
        }
        if (verb == "int" || verb == "colour") {
            const RequestKind wanted = verb == "int" ? RequestKind::Getint : RequestKind::Getclr;
            if (CurrentSession().ui.request.kind != wanted)
                return ctx_.Fail(step, "the macro is waiting for " +
                                           RequestName(CurrentSession().ui.request.kind)),
                       std::nullopt;
            return NumberAnswer{
                static_cast<std::int32_t>(std::strtol(step.words[1].c_str(), nullptr, 10))};
        }
        if (verb == "point") {
            if (step.words.size() < 3)
                return ctx_.Fail(step, "point needs X and Y"), std::nullopt;
            return PointAnswer{std::strtod(step.words[1].c_str(), nullptr),
                               std::strtod(step.words[2].c_str(), nullptr)};
        }
        return Selection(step);
    }

    std::optional<Answer> Selection(const Step& step) {
        const Drawing& d = CurrentSession().drawing;
        SelectionAnswer selection;
        std::size_t i = 2;
        const std::string& what = step.words[1];
        if (what == "all") {
            selection.everything = true;
        } else if (what == "layer" && step.words.size() > 2) {
            const Layer* layer = d.FindLayerByName(qx::host::Utf8ToCp1252Lossy(step.words[2]));
            if (layer == nullptr)
                return ctx_.Fail(step, "no layer " + step.words[2]), std::nullopt;
            d.ForEachEntityOnLayer(layer->addr,
                                   [&](const Entity& e) { selection.entities.push_back(e.addr); });
            i = 3;
        } else if (what == "entities") {
            for (; i < step.words.size() && step.words[i] != "mask"; ++i) {
                const lgl_addr a = d.FindEntityByName(step.words[i]);
                if (IsNil(a))
                    return ctx_.Fail(step, "no entity named " + step.words[i]), std::nullopt;
                selection.entities.push_back(a);
            }
        } else {
            return ctx_.Fail(step, "select all, select layer NAME or select entities NAMES"),
                   std::nullopt;
        }
        if (i < step.words.size() && step.words[i] == "mask") {
            selection.mask = ParseMask(step, i + 1);
            if (!selection.mask)
                return std::nullopt;
        }
        return selection;
    }

    // mask text=0|1 ptext=0|1 mtext=0|1: a mask that restricts the selection.
    std::optional<SelectionMask> ParseMask(const Step& step, std::size_t from) {
        SelectionMask mask;
        for (std::size_t i = from; i < step.words.size(); ++i) {
            const std::string& w = step.words[i];
            const auto eq = w.find('=');
            const std::string name = w.substr(0, eq);
            const bool on = eq != std::string::npos && w.substr(eq + 1) == "1";
            if (name == "text")
                mask.text = on;
            else if (name == "ptext")
                mask.paragraphText = on;
            else if (name == "mtext")
                mask.multiLineText = on;
            else
                return ctx_.Fail(step, "unknown mask entry " + w), std::nullopt;
        }
        return mask;
    }

    RunContext& ctx_;
    MacroDriver macro_;
};

// The macro looks for files beside its own library, so each run loads the library from a
// folder of its own, where the script may put such files. A symbolic link is enough there (the
// loader names a library by the path it was loaded from) and costs nothing, where a copy of a
// library built with debug information is megabytes written on every start; where the system
// makes no link, the library is copied.
qx::Result<qx::host::Main_fn> LoadLibraryCopy(const std::string& library,
                                              const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const auto copy = std::filesystem::path(folder) / std::filesystem::path(library).filename();
    if (!ec) {
        std::error_code absolute;
        std::error_code linked;
        const auto target = std::filesystem::absolute(library, absolute);
        if (!absolute)
            std::filesystem::create_symlink(target, copy, linked);
        if (!absolute && !linked)
            return LoadMacroLibrary(copy.string());
    }
    if (ec || !std::filesystem::copy_file(library, copy, ec))
        return qx::Failure{"cannot copy the macro library " + library + " to " + folder + ": " +
                           (ec ? ec.message() : "unknown error")};
    return LoadMacroLibrary(copy.string());
}

} // namespace

int RunScenario(const Script& script, const RunOptions& options, std::ostream& out,
                std::ostream& err) {
    RunContext ctx(script, options, out);
    ctx.tempRoot = MakeTempRoot();
    if (ctx.tempRoot.empty()) {
        err << "cadhost: cannot create a temporary folder\n";
        return 1;
    }
    ctx.libraryDir = ctx.tempRoot + "/library/";
    const auto macro = LoadLibraryCopy(options.macroLibrary, ctx.libraryDir);
    if (!macro) {
        err << "cadhost: " << macro.error() << '\n';
        if (!options.keepTemp) {
            std::error_code ec;
            std::filesystem::remove_all(ctx.tempRoot, ec);
        }
        return 1;
    }
    ResetSession();
    CurrentSession().config.macroPath = ctx.tempRoot + "/macro/";
    CurrentSession().config.sharedPath = ctx.tempRoot + "/shared/";
    BeginUiAutomation(ctx);
    Driver(ctx, *macro).Run();
    EndUiAutomation();
    if (!ctx.Failed() && !options.saveFile.empty()) {
        RunSetupStep(ctx, Step{0, {"save", options.saveFile}, {}});
    }
    if (!options.keepTemp) {
        std::error_code ec;
        std::filesystem::remove_all(ctx.tempRoot, ec);
    }
    if (ctx.Failed()) {
        err << "cadhost: scenario failed at " << ctx.Normalize(ctx.failure) << '\n';
        return 1;
    }
    out << "== scenario passed\n";
    return 0;
}

} // namespace cadhost::scenario
