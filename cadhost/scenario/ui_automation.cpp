// While a scenario runs, message boxes and modal dialogs are answered from the script, and
// everything is written to the transcript.
#include "cadhost/driver/keys.h"
#include "cadhost/driver/ui_responder.h"
#include "cadhost/scenario/control_actions.h"
#include "cadhost/scenario/steps.h"
#include "cadhost/scenario/view_automation.h"
#include "host/automation_contract.h"

#include <cstdio>

namespace cadhost::scenario {
namespace {

using qx::host::BoxAnswer;
using qx::host::BoxKind;

RunContext* g_ctx = nullptr;

std::string KindName(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error:
        return "error";
    case BoxKind::Information:
        return "info";
    case BoxKind::Warning:
        return "warning";
    case BoxKind::Confirmation:
        return "confirm";
    }
    return "?";
}

std::string Quote(const std::string& s) {
    std::string q = "\"";
    for (char c : s) {
        if (c == '\r')
            q += "\\r";
        else if (c == '\n')
            q += "\\n";
        else
            q += c;
    }
    return q + "\"";
}

// The name of the button a dialog's result stands for.
std::string ResultName(int result) {
    switch (result) {
    case qx::kResultOk:
        return "OK";
    case qx::kResultCancel:
        return "Cancel";
    case qx::kResultFindOnly:
        return "Find Only";
    case ViewAutomation::kClosed:
        return "closed";
    default:
        return "result " + std::to_string(result);
    }
}

// The next step of the script, which must be of the given verb, or null after a failure.
const Step* TakeStep(const std::string& verb, const std::string& shown) {
    RunContext& ctx = *g_ctx;
    const auto& steps = ctx.script.steps;
    if (ctx.Failed())
        return nullptr;
    if (ctx.cursor >= steps.size() || steps[ctx.cursor].verb() != verb) {
        const std::string next = ctx.cursor < steps.size()
                                     ? "line " + std::to_string(steps[ctx.cursor].line) + ": " +
                                           steps[ctx.cursor].Describe()
                                     : "the end of the script";
        ctx.Fail("unexpected " + verb + " " + ctx.Normalize(shown) + "\n  the script has " + next);
        return nullptr;
    }
    return &steps[ctx.cursor++];
}

BoxAnswer OnMessageBox(BoxKind kind, const std::string& caption, const std::string& text,
                       bool defaultNo) {
    const bool confirm = kind == BoxKind::Confirmation;
    const BoxAnswer fallback = confirm ? BoxAnswer::No : BoxAnswer::Ok;
    RunContext& ctx = *g_ctx;
    const std::string shown = KindName(kind) + " " + Quote(caption) + " " + Quote(text);
    const Step* step = TakeStep("box", shown);
    if (step == nullptr)
        return fallback;
    // box ANSWER [KIND] ["TEXT"]
    const std::string answer = step->words.size() > 1 ? step->words[1] : "";
    BoxAnswer result = fallback;
    if (confirm && (answer == "yes" || answer == "no"))
        result = answer == "yes" ? BoxAnswer::Yes : BoxAnswer::No;
    else if (!confirm && answer == "ok")
        result = BoxAnswer::Ok;
    else
        ctx.Fail(*step, "cannot answer " + answer + " to " + ctx.Normalize(shown));
    for (std::size_t i = 2; i < step->words.size() && !ctx.Failed(); ++i) {
        const std::string& w = step->words[i];
        if (w == "error" || w == "info" || w == "warning" || w == "confirm") {
            if (w != KindName(kind))
                ctx.Fail(*step, "the box is " + ctx.Normalize(shown));
        } else if (!step->Matches(i, ctx.Normalize(text)) &&
                   !step->Matches(i, ctx.Normalize(caption) + ": " + ctx.Normalize(text))) {
            ctx.Fail(*step, "the box reads " + ctx.Normalize(Quote(text)));
        }
    }
    ctx.transcript.Line("  box " + ctx.Normalize(shown) + (defaultNo ? " (No is default)" : "") +
                        " -> " + answer);
    return result;
}

void OnBeep() {
    ++g_ctx->beeps;
    g_ctx->transcript.Line("  beep");
}

int OnRunModal(ModalDialog& dialog) {
    RunContext& ctx = *g_ctx;
    ViewAutomation& view = TheViewAutomation();
    const std::string name = view.NameOf(dialog);
    const std::string title = view.TitleOf(dialog);
    const Step* step = TakeStep("dialog", name + " " + Quote(title));
    if (step == nullptr)
        return ViewAutomation::kClosed;
    if (step->words[1] != name) {
        ctx.Fail(*step, "the dialog shown is " + name);
        return ViewAutomation::kClosed;
    }
    ctx.transcript.Line("  dialog " + name + " " + Quote(title));
    view.Show(dialog);
    view.ProcessEvents();
    for (const Step& action : step->block) {
        if (!view.IsOpen(dialog)) {
            ctx.Fail(action, "the dialog has already closed");
            break;
        }
        ctx.transcript.Line("    " + action.Describe());
        const std::string problem = RunControlAction(view, name, action);
        if (!problem.empty()) {
            ctx.Fail(action, problem);
            break;
        }
    }
    if (view.IsOpen(dialog)) {
        ctx.Fail(*step, "the dialog is still open at the end of its block");
        view.Close(dialog);
    }
    const int result = view.ResultOf(dialog);
    ctx.transcript.Line("  dialog closed: " + ResultName(result));
    return result;
}

bool OnOpenDocument(const std::string& path) {
    g_ctx->openedDocuments.emplace_back(path);
    g_ctx->transcript.Line("  open " + Quote(g_ctx->Normalize(path)));
    return true;
}

void OnSendKey(std::int32_t key) {
    g_ctx->sentKeys.push_back(key);
    g_ctx->transcript.Line("  key stroke " + KeyName(key));
}

class ScriptResponder final : public UiResponder {
public:
    BoxAnswer ShowMessageBox(BoxKind kind, const std::string& caption, const std::string& text,
                             bool defaultNo) override {
        return OnMessageBox(kind, caption, text, defaultNo);
    }
    void Beep() override { OnBeep(); }
    int RunModal(ModalDialog& dialog) override { return OnRunModal(dialog); }
    bool OpenDocument(const std::string& path) override { return OnOpenDocument(path); }
    void SendKey(std::int32_t key) override { OnSendKey(key); }
};

ScriptResponder g_responder;

} // namespace

void BeginUiAutomation(RunContext& ctx) {
    g_ctx = &ctx;
    SetUiResponder(&g_responder);
}

void EndUiAutomation() {
    SetUiResponder(nullptr);
    g_ctx = nullptr;
}

} // namespace cadhost::scenario
