#include "cadhost/window/scenario_player.h"

#include "cadhost/driver/keys.h"
#include "cadhost/driver/request_name.h"
#include "cadhost/driver/session.h"
#include "cadhost/model/drawing.h"
#include "cadhost/scenario/dialog_actions.h"
#include "cadhost/scenario/steps.h"
#include "cadhost/window/host_actions.h"
#include "cadhost/window/host_window.h"
#include "cadhost/window/macro_session.h"
#include "cadhost/window/panel_model.h"
#include "cadhost/window/picking.h"
#include "cadhost/window/prompt_line.h"
#include "host/codepage.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdlib>
#include <sstream>

namespace cadhost::window {
namespace {

using scenario::RunContext;
using scenario::Step;

class Player {
public:
    Player(HostWindow& window, const scenario::Script& script, const PlayOptions& options)
        : window_(window), ctx_(script, runOptions_, transcript_) {
        runOptions_.drawingFile = options.drawingFile;
        ctx_.tempRoot = options.tempRoot;
        ctx_.macro = &window.Macro().Driver();
    }

    std::string Run() {
        UiResponder* windowResponder = CurrentUiResponder();
        scenario::BeginUiAutomation(ctx_);
        const auto& steps = ctx_.script.steps;
        while (ctx_.cursor < steps.size() && !ctx_.Failed()) {
            const Step& step = steps[ctx_.cursor++];
            Play(step);
            Settle();
        }
        scenario::EndUiAutomation();
        SetUiResponder(windowResponder);
        return ctx_.failure;
    }

private:
    void Play(const Step& step) {
        const std::string& verb = step.verb();
        if (verb == "drawing")
            return UseDrawing(step);
        if (verb == "undo") {
            if (!window_.Actions().Undo())
                ctx_.Fail(step, "there is nothing to undo");
            return;
        }
        if (scenario::RunSetupStep(ctx_, step))
            return;
        if (verb == "expect")
            return scenario::RunExpectation(ctx_, step);
        if (verb == "start") {
            started_ = true;
            return window_.StartMacro();
        }
        if (verb == "finish")
            return window_.Macro().Finish();
        ResetEvents();
        if (verb == "key")
            return PressKey(step);
        if (verb == "text" || verb == "int" || verb == "colour")
            return Type(step);
        if (verb == "point" && step.words.size() >= 3)
            return window_.ClickAt(
                {std::atof(step.words[1].c_str()), std::atof(step.words[2].c_str()), 0});
        if (verb == "select")
            return Select(step);
        if (verb == "window")
            return ActOnWindow(step);
        ctx_.Fail(step, "the window cannot play this step");
    }

    void Settle() {
        QApplication::processEvents();
        window_.Refresh();
        ctx_.invocationEnded = started_ && !window_.Macro().Running();
    }

    void ResetEvents() {
        ctx_.beeps = 0;
        ctx_.openedDocuments.clear();
        ctx_.sentKeys.clear();
    }

    void UseDrawing(const Step& step) {
        const std::string what = runOptions_.drawingFile.empty() && step.words.size() > 1
                                     ? step.words[1]
                                     : runOptions_.drawingFile;
        if (what == "sample")
            return window_.Actions().UseSample();
        if (what == "empty")
            return window_.Actions().Adopt(Drawing());
        QString why;
        if (!window_.Actions().OpenFile(QString::fromStdString(ctx_.Resolve(what)), &why))
            ctx_.Fail(step, why.toStdString());
    }

    void PressKey(const Step& step) {
        const auto key = step.words.size() > 1 ? ParseKey(step.words[1]) : std::nullopt;
        if (!key)
            return ctx_.Fail(step, "not a key");
        if (!window_.PressKey(*key))
            ctx_.Fail(step, "the key panel has nothing at " + step.words[1] + " here");
    }

    void Type(const Step& step) {
        PromptLine& prompt = *window_.Prompt();
        if (!prompt.Active())
            return ctx_.Fail(step, "the window shows no prompt");
        if (step.words.size() < 2)
            return ctx_.Fail(step, step.verb() + " needs a value");
        prompt.Edit()->setText(QString::fromStdString(step.words[1]));
        emit prompt.Edit()->returnPressed();
    }

    void Select(const Step& step) {
        const Drawing& d = CurrentSession().drawing;
        const std::string what = step.words.size() > 1 ? step.words[1] : "";
        if (what == "all")
            return window_.SelectAll();
        if (what == "layer" && step.words.size() > 2) {
            const Layer* layer = d.FindLayerByName(qx::host::Utf8ToCp1252Lossy(step.words[2]));
            if (layer == nullptr)
                return ctx_.Fail(step, "no layer " + step.words[2]);
            return window_.SelectLayer(layer->addr);
        }
        // One entity: a click on it with the entity tool.
        if (what == "entities" && step.words.size() == 3) {
            const lgl_addr addr = d.FindEntityByName(step.words[2]);
            if (IsNil(addr))
                return ctx_.Fail(step, "no entity named " + step.words[2]);
            const Extent e = EntityExtent(*d.FindEntity(addr));
            return window_.ClickAt({(e.lower.x + e.upper.x) / 2, (e.lower.y + e.upper.y) / 2, 0});
        }
        ctx_.Fail(step, "the window selects all, a layer, or one entity at a time");
    }

    void ActOnWindow(const Step& step) {
        QWidget* floating = nullptr;
        for (QWidget* w : window_.FloatingWindows()) {
            if (step.words.size() > 1 && w->objectName().toStdString() == step.words[1])
                floating = w;
        }
        if (floating == nullptr)
            return ctx_.Fail(step, "no floating window of that name is on show");
        for (const Step& action : step.block) {
            const std::string problem = scenario::RunDialogAction(*floating, action);
            if (!problem.empty())
                return ctx_.Fail(action, problem);
            if (!ctx_.sentKeys.empty())
                break;
        }
        if (!ctx_.sentKeys.empty())
            window_.Macro().Submit(KeyAnswer{ctx_.sentKeys.front()});
    }

    HostWindow& window_;
    scenario::RunOptions runOptions_;
    std::ostringstream transcript_;
    RunContext ctx_;
    bool started_ = false;
};

} // namespace

std::string PlayScenario(HostWindow& window, const scenario::Script& script,
                         const PlayOptions& options) {
    return Player(window, script, options).Run();
}

} // namespace cadhost::window
