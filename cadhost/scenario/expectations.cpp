// "expect" steps: what the user should see and what the drawing and the files should hold.
#include "cadhost/driver/keys.h"
#include "cadhost/driver/session.h"
#include "cadhost/model/extent.h"
#include "cadhost/scenario/ini_access.h"
#include "cadhost/scenario/screen_state.h"
#include "cadhost/scenario/steps.h"
#include "cadhost/scenario/view_automation.h"
#include "host/codepage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace cadhost::scenario {
namespace {

using qx::host::Cp1252ToUtf8;

// View positions are sums of a few drawing coordinates; this absorbs their rounding only.
constexpr double kViewTolerance = 1e-6;

// A box frames an entity when it encloses the entity's extent with at most two pixels to spare
// on each side: the macro grows the extent by one pixel.
bool Frames(const DisplayItem& box, const Extent& extent, double pixel) {
    const auto& lo = box.points[0];
    const auto& hi = box.points[2];
    const double slack = 2 * pixel + kViewTolerance;
    const auto within = [&](double outer, double inner, double sign) {
        const double margin = sign * (inner - outer);
        return margin >= -kViewTolerance && margin <= slack;
    };
    return within(lo.x, extent.lower.x, 1) && within(lo.y, extent.lower.y, 1) &&
           within(hi.x, extent.upper.x, -1) && within(hi.y, extent.upper.y, -1);
}

std::string Q(const std::string& utf8) {
    return "\"" + utf8 + "\"";
}

void Compare(RunContext& ctx, const Step& step, const std::string& what,
             const std::string& expectedUtf8, const std::string& seenUtf8) {
    if (expectedUtf8 != seenUtf8)
        ctx.Fail(step, what + ": expected " + Q(expectedUtf8) + ", seen " + Q(seenUtf8));
}

// Compares with the step's word, which may ask for a part of the text only.
void CompareWord(RunContext& ctx, const Step& step, const std::string& what, std::size_t word,
                 const std::string& seenUtf8) {
    if (step.Matches(word, seenUtf8))
        return;
    ctx.Fail(step, what + ": expected " + (step.IsPartial(word) ? "a text containing " : "") +
                       Q(step.words[word]) + ", seen " + Q(seenUtf8));
}

void ExpectRequest(RunContext& ctx, const Step& step) {
    const UiState& ui = CurrentSession().ui;
    if (ctx.invocationEnded || ctx.macro == nullptr || !ctx.macro->Running())
        return ctx.Fail(step, "the invocation has ended");
    const std::string seen = RequestName(ui.request.kind);
    Compare(ctx, step, "request", step.words[2], seen);
    if (step.words.size() > 3 && !ctx.Failed()) {
        const auto& r = ui.request;
        if (r.kind == RequestKind::MenuGetMode)
            Compare(ctx, step, "caption", step.words[3], Cp1252ToUtf8(r.caption));
        else if (r.kind == RequestKind::DGetstr255)
            Compare(ctx, step, "prompt text", step.words[3], Cp1252ToUtf8(r.initialText));
        else
            Compare(ctx, step, "value", step.words[3], std::to_string(r.initialInt));
    }
}

void ExpectLabel(RunContext& ctx, const Step& step, bool present) {
    const int pos = NamedPosition(step.words[2]).value_or(0);
    if (pos == 0)
        return ctx.Fail(step, "not a label key: " + step.words[2]);
    const Label& l = CurrentSession().ui.labels[static_cast<std::size_t>(pos - 1)];
    if (!present) {
        if (l.set)
            ctx.Fail(step, "label " + step.words[2] + " is set: " + Q(Cp1252ToUtf8(l.text)));
        return;
    }
    if (!l.set)
        return ctx.Fail(step, "label " + step.words[2] + " is not set");
    if (step.words.size() > 3)
        Compare(ctx, step, "label text", step.words[3], Cp1252ToUtf8(l.text));
    for (std::size_t i = 4; i < step.words.size() && !ctx.Failed(); ++i) {
        const std::string& w = step.words[i];
        if (w == "on" || w == "off") {
            if (l.call != Label::Call::Lblsett || l.on != (w == "on"))
                ctx.Fail(step, "label " + step.words[2] + " is not " + w);
        } else if (w == "state" && i + 1 < step.words.size()) {
            Compare(ctx, step, "label state", step.words[++i],
                    l.call == Label::Call::lblsettf ? std::to_string(l.state) : "(none)");
        } else if (w == "hint" && i + 1 < step.words.size()) {
            Compare(ctx, step, "label hint", step.words[++i], Cp1252ToUtf8(l.hint));
        } else {
            ctx.Fail(step, "unknown label check " + w);
        }
    }
}

void ExpectAttribute(RunContext& ctx, const Step& step) {
    const Attribute* a =
        CurrentSession().drawing.Attributes().Find(qx::host::Utf8ToCp1252Lossy(step.words[2]));
    const std::string& kind = step.words.size() > 3 ? step.words[3] : "";
    if (kind == "none") {
        if (a != nullptr)
            ctx.Fail(step, "the attribute exists");
        return;
    }
    if (a == nullptr)
        return ctx.Fail(step, "no attribute " + step.words[2]);
    if (step.words.size() < 5)
        return ctx.Fail(step, "usage: expect attribute NAME int|text VALUE|none");
    if (kind == "int") {
        if (a->type != qx::host::kAtrInteger)
            return ctx.Fail(step, "the attribute is not an integer");
        return Compare(ctx, step, "attribute", step.words[4], std::to_string(a->intValue));
    }
    if (a->type != qx::host::kAtrText)
        return ctx.Fail(step, "the attribute is not a text");
    Compare(ctx, step, "attribute", step.words[4], Cp1252ToUtf8(a->textValue));
}

void ExpectIni(RunContext& ctx, const Step& step) {
    if (step.words.size() < 6)
        return ctx.Fail(step, "usage: expect ini macro|shared SECTION KEY VALUE|none");
    const auto& cfg = CurrentSession().config;
    const std::string file = step.words[2] == "macro" ? cfg.macroPath + "Quillex.ini"
                                                      : cfg.sharedPath + "pellworth/pellworth.ini";
    const auto v = ReadIniValue(file, step.words[3], step.words[4]);
    if (step.words[5] == "none" && step.words.size() == 6) {
        if (v)
            ctx.Fail(step, "the key holds " + Q(*v));
        return;
    }
    if (!v)
        return ctx.Fail(step, "the key is missing from " + ctx.Normalize(file));
    Compare(ctx, step, "INI value", step.words[5], ctx.Normalize(*v));
}

void ExpectEntityText(RunContext& ctx, const Step& step) {
    const Drawing& d = CurrentSession().drawing;
    const lgl_addr a = d.FindEntityByName(step.words[2]);
    const Entity* e = IsNil(a) ? nullptr : d.FindEntity(a);
    if (e == nullptr)
        return ctx.Fail(step, "no entity named " + step.words[2]);
    CompareWord(ctx, step, "text of " + step.words[2], 3, Cp1252ToUtf8(e->text.text));
}

// expect selset N NAME [MEMBER...]: a selection set's name and its members in order.
void ExpectSelectionSet(RunContext& ctx, const Step& step) {
    const Drawing& d = CurrentSession().drawing;
    const int set = std::atoi(step.words[2].c_str());
    Compare(ctx, step, "name of set " + step.words[2], step.words[3],
            Cp1252ToUtf8(std::string(d.SelectionSets().Name(set))));
    std::string seen;
    for (const lgl_addr a : d.SelectionSets().Members(set)) {
        const Entity* e = d.FindEntity(a);
        seen += (seen.empty() ? "" : " ") + (e != nullptr ? e->name : std::string("?"));
    }
    std::string expected;
    for (std::size_t i = 4; i < step.words.size(); ++i)
        expected += (expected.empty() ? "" : " ") + step.words[i];
    if (!ctx.Failed())
        Compare(ctx, step, "members of set " + step.words[2], expected, seen);
}

void ExpectLine(RunContext& ctx, const Step& step, const std::string& seen) {
    CompareWord(ctx, step, step.words[1] + " line", 2, Cp1252ToUtf8(seen));
}

double Number(const std::string& word, bool& ok) {
    char* end = nullptr;
    const double v = std::strtod(word.c_str(), &end);
    ok = !word.empty() && *end == '\0';
    return v;
}

// expect hilite none | expect hilite COLOUR WEIGHT [around NAME]: the highlight box on show.
void ExpectHilite(RunContext& ctx, const Step& step) {
    const Drawing& d = CurrentSession().drawing;
    const ScreenBoxes screen = ReplayBoxes(d.Display());
    if (screen.strayErases > 0)
        return ctx.Fail(step, "the macro erased a highlight box that was not on show");
    std::string shown;
    for (const DisplayItem& box : screen.onShow)
        shown += (shown.empty() ? "" : "; ") + DescribeBox(box);
    const std::string& want = step.words[2];
    if (want == "none") {
        if (!screen.onShow.empty())
            ctx.Fail(step, "on show: " + shown);
        return;
    }
    if (step.words.size() < 4)
        return ctx.Fail(step,
                        "usage: expect hilite none | expect hilite COLOUR WEIGHT [around NAME]");
    if (screen.onShow.empty())
        return ctx.Fail(step, "no highlight box is on show");
    if (screen.onShow.size() > 1)
        return ctx.Fail(step,
                        std::to_string(screen.onShow.size()) + " boxes are on show: " + shown);
    const DisplayItem& box = screen.onShow.front();
    Compare(ctx, step, "highlight colour", step.words[2], std::to_string(box.color));
    Compare(ctx, step, "highlight weight", step.words[3], std::to_string(box.weight));
    if (step.words.size() < 6 || ctx.Failed())
        return;
    if (step.words[4] != "around")
        return ctx.Fail(step, "unknown hilite check " + step.words[4]);
    const lgl_addr a = d.FindEntityByName(step.words[5]);
    const Entity* e = IsNil(a) ? nullptr : d.FindEntity(a);
    if (e == nullptr)
        return ctx.Fail(step, "no entity named " + step.words[5]);
    if (!Frames(box, EntityExtent(*e), d.View().PixelSize()))
        ctx.Fail(step, "the box " + DescribeBox(box) + " does not frame " + step.words[5]);
}

// expect view X Y: the position of the current view.
void ExpectView(RunContext& ctx, const Step& step) {
    bool okX = false;
    bool okY = false;
    const double x = Number(step.words[2], okX);
    const double y = Number(step.words[3], okY);
    if (!okX || !okY)
        return ctx.Fail(step, "usage: expect view X Y");
    const ViewRec& v = CurrentSession().drawing.View().Current();
    if (std::abs(v.x - x) > kViewTolerance || std::abs(v.y - y) > kViewTolerance)
        ctx.Fail(step, "the view is at (" + std::to_string(v.x) + ", " + std::to_string(v.y) + ")");
}

// expect window none|NAME: the macro's floating window on show.
void ExpectWindow(RunContext& ctx, const Step& step) {
    std::string shown;
    for (const std::string& name : TheViewAutomation().WindowsOnShow())
        shown += (shown.empty() ? "" : " ") + name;
    Compare(ctx, step, "windows on show", step.words[2] == "none" ? "" : step.words[2], shown);
}

} // namespace

void RunExpectation(RunContext& ctx, const Step& step) {
    if (step.words.size() < 2)
        return ctx.Fail(step, "expect what?");
    const std::string& what = step.words[1];
    const UiState& ui = CurrentSession().ui;
    const bool hasArg = step.words.size() > 2;
    if (what == "ended") {
        if (!ctx.invocationEnded)
            ctx.Fail(step, "the invocation is still running");
    } else if (what == "running") {
        if (ctx.invocationEnded)
            ctx.Fail(step, "the invocation has ended");
    } else if (what == "request" && hasArg) {
        ExpectRequest(ctx, step);
    } else if (what == "label" && hasArg) {
        ExpectLabel(ctx, step, true);
    } else if (what == "nolabel" && hasArg) {
        ExpectLabel(ctx, step, false);
    } else if ((what == "level" || what == "message" || what == "error") && hasArg) {
        ExpectLine(ctx, step,
                   what == "level"     ? ui.level
                   : what == "message" ? ui.message
                                       : ui.error);
    } else if (what == "beep" || what == "nobeep") {
        if ((ctx.beeps > 0) != (what == "beep"))
            ctx.Fail(step, what == "beep" ? "there was no beep" : "there was a beep");
    } else if (what == "opened" && hasArg) {
        const bool found =
            std::any_of(ctx.openedDocuments.begin(), ctx.openedDocuments.end(),
                        [&](const std::string& p) { return ctx.Normalize(p) == step.words[2]; });
        if (!found)
            ctx.Fail(step, "no such document was opened");
    } else if (what == "text" && step.words.size() > 3) {
        ExpectEntityText(ctx, step);
    } else if (what == "attribute" && hasArg) {
        ExpectAttribute(ctx, step);
    } else if (what == "ini") {
        ExpectIni(ctx, step);
    } else if (what == "undo-steps" && hasArg) {
        Compare(ctx, step, "undo steps", step.words[2],
                std::to_string(CurrentSession().drawing.UndoStepCount()));
    } else if (what == "selset" && step.words.size() > 3) {
        ExpectSelectionSet(ctx, step);
    } else if (what == "selmask" && hasArg) {
        Compare(ctx, step, "selection-set mask", step.words[2],
                std::to_string(CurrentSession().drawing.SaveVars().selSetMask));
    } else if (what == "hilite" && hasArg) {
        ExpectHilite(ctx, step);
    } else if (what == "view" && step.words.size() > 3) {
        ExpectView(ctx, step);
    } else if (what == "window" && hasArg) {
        ExpectWindow(ctx, step);
    } else if (what == "localsize" && hasArg) {
        Compare(ctx, step, "size query", step.words[2], std::to_string(ui.localSize));
    } else {
        ctx.Fail(step, "unknown expectation");
    }
}

} // namespace cadhost::scenario
