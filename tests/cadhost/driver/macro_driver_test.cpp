// The driver of the macro's invocations, with a small stand-in macro that makes one request per
// call and notes what the host handed it: an answer that does not fit is refused and changes
// nothing, a mask filters a completed selection, and the invocation ends with one last call.
#include "cadhost/driver/macro_driver.h"
#include "cadhost/driver/session.h"
#include "cadhost/model/entity.h"
#include "host/res_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using cadhost::CurrentSession;
using cadhost::DriverState;
using cadhost::KeyAnswer;
using cadhost::MacroDriver;
using cadhost::NumberAnswer;
using cadhost::PointAnswer;
using cadhost::Request;
using cadhost::RequestKind;
using cadhost::SelectionAnswer;
using cadhost::SelectionMask;
using cadhost::TextAnswer;
using qx::host::Action;
using qx::host::Res;

// What the stand-in macro asks for next and what it has been given.
struct FakeMacro {
    RequestKind ask = RequestKind::MenuGetMode;
    int calls = 0; // first and resume calls
    int lastCalls = 0;
    bool endAtNextCall = false;
    std::array<std::uint8_t, qx::host::kResSize> res{};
    qx::host::ModeRec mode{};
    std::int32_t number = 5;
    qx::host::str255 text{"start"};
    // After a completed selection: the entities its mode visits and the mask it leads to.
    std::vector<std::string> selected;
    const qx::host::SelMaskRec* mask = nullptr;
};

FakeMacro g_macro;

void ReadSelection() {
    Res res(g_macro.res.data());
    if (g_macro.ask != RequestKind::MenuGetMode || res.modeKind() != qx::host::kResultSelection ||
        res.modeInfoAddr() == nullptr)
        return;
    const auto& d = CurrentSession().drawing;
    g_macro.selected.clear();
    for (auto a = d.FirstInMode(g_macro.mode); !cadhost::IsNil(a);
         a = d.NextInMode(g_macro.mode, a))
        g_macro.selected.push_back(d.FindEntity(a)->name);
    const auto* info = static_cast<const qx::host::SelInfoRec*>(res.modeInfoAddr());
    g_macro.mask = reinterpret_cast<const qx::host::SelMaskRec*>(info->maskAddr);
}

std::int32_t FakeMain(std::int32_t, std::int32_t action, void*, void*) {
    auto& ui = CurrentSession().ui;
    switch (static_cast<Action>(action)) {
    case Action::CallSizeQuery:
        ui.localSize = 64;
        return 1;
    case Action::CallFinish:
        ++g_macro.lastCalls;
        return 0;
    case Action::CallStart:
    case Action::CallResume:
        break;
    }
    ++g_macro.calls;
    if (static_cast<Action>(action) == Action::CallResume)
        ReadSelection();
    if (g_macro.endAtNextCall)
        return 0;
    g_macro.res.fill(0);
    ui.request = Request{.kind = g_macro.ask,
                         .res = g_macro.res.data(),
                         .intTarget = &g_macro.number,
                         .textTarget = &g_macro.text,
                         .modeTarget = &g_macro.mode};
    return 1;
}

class Driver : public testing::Test {
protected:
    void SetUp() override {
        cadhost::ResetSession();
        g_macro = FakeMacro{};
    }

    // Starts an invocation whose first request is `kind`.
    void StartWaitingFor(RequestKind kind) {
        g_macro.ask = kind;
        ASSERT_EQ(driver.Start(), DriverState::Waiting);
    }

    MacroDriver driver{FakeMain};
};

TEST_F(Driver, AnAnswerThatDoesNotFitIsRefusedAndChangesNothing) {
    const struct {
        RequestKind request;
        cadhost::Answer answer;
        const char* problem;
    } cases[] = {
        {RequestKind::MenuGetMode, TextAnswer{"door"}, "the macro is waiting for menu"},
        {RequestKind::MenuGetMode, NumberAnswer{3}, "the macro is waiting for menu"},
        {RequestKind::MenuGetMode, PointAnswer{1, 2}, "the macro is waiting for menu"},
        {RequestKind::Getint, TextAnswer{"door"}, "the macro is waiting for int"},
        {RequestKind::Getint, SelectionAnswer{}, "the macro is waiting for int"},
        {RequestKind::Getint, PointAnswer{1, 2}, "the macro is waiting for int"},
        {RequestKind::Getpointp, NumberAnswer{3}, "the macro is waiting for point"},
        {RequestKind::Getpointp, SelectionAnswer{}, "the macro is waiting for point"},
        {RequestKind::DGetstr255, NumberAnswer{3}, "the macro is waiting for text"},
        {RequestKind::Getesc, TextAnswer{"door"}, "the macro is waiting for esc"},
        {RequestKind::Getesc, SelectionAnswer{}, "the macro is waiting for esc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        StartWaitingFor(c.request);
        const auto res = g_macro.res;
        const int calls = g_macro.calls;
        EXPECT_EQ(driver.Answer(c.answer), c.problem);
        EXPECT_EQ(g_macro.res, res) << "the result area must stay as it was";
        EXPECT_EQ(g_macro.calls, calls) << "the macro must not be called";
        EXPECT_EQ(g_macro.number, 5);
        EXPECT_EQ(g_macro.text.str(), "start");
        EXPECT_EQ(driver.State(), DriverState::Waiting);
        // The request still takes a key.
        EXPECT_EQ(driver.Answer(KeyAnswer{qx::host::KeyF(1)}), "");
        EXPECT_EQ(g_macro.calls, calls + 1);
        driver.Finish();
    }
}

TEST_F(Driver, AMaskKeepsTheTypesItExcludesOutOfTheSelection) {
    auto& d = CurrentSession().drawing;
    const auto layer = d.AddLayer("Doors");
    d.AddEntity(cadhost::MakeText("Door 1", {0, 0}, 1, "text"), layer);
    d.AddEntity(
        cadhost::MakeSmartText(qx::host::kEntParagraphText, {{"door", {0, 2}, 1, 0}}, "ptext"),
        layer);
    d.AddEntity(
        cadhost::MakeSmartText(qx::host::kEntMultiLineText, {{"door", {0, 4}, 1, 0}}, "mtext"),
        layer);
    d.AddEntity(cadhost::MakeLine({0, 0}, {1, 1}, "line"), layer);

    StartWaitingFor(RequestKind::MenuGetMode);
    SelectionAnswer unrestricted{d.Entities(), std::nullopt};
    ASSERT_EQ(driver.Answer(unrestricted), "");
    EXPECT_EQ(g_macro.selected, (std::vector<std::string>{"text", "ptext", "mtext", "line"}));
    EXPECT_EQ(g_macro.mask, nullptr) << "an unrestricted selection leads to no mask";

    // The whole drawing, given without a list, is the same selection in the same order.
    ASSERT_EQ(driver.Answer(SelectionAnswer{{}, std::nullopt, true}), "");
    EXPECT_EQ(g_macro.selected, (std::vector<std::string>{"text", "ptext", "mtext", "line"}));

    SelectionAnswer masked{d.Entities(), SelectionMask{.text = false, .multiLineText = false}};
    ASSERT_EQ(driver.Answer(masked), "");
    EXPECT_EQ(g_macro.selected, (std::vector<std::string>{"ptext", "line"}));
    ASSERT_EQ(driver.Answer(SelectionAnswer{{}, masked.mask, true}), "");
    EXPECT_EQ(g_macro.selected, (std::vector<std::string>{"ptext", "line"}));
    ASSERT_NE(g_macro.mask, nullptr);
    const auto& bytes = g_macro.mask->bytes;
    EXPECT_NE(bytes[qx::host::kMaskActiveA], 0);
    EXPECT_NE(bytes[qx::host::kMaskActiveB], 0);
    EXPECT_EQ(bytes[qx::host::kEntText], 0);
    EXPECT_NE(bytes[qx::host::kEntParagraphText], 0);
    EXPECT_EQ(bytes[qx::host::kEntMultiLineText], 0);
}

TEST_F(Driver, ASelectionOfAnEntityThatIsNotThereIsRefused) {
    StartWaitingFor(RequestKind::MenuGetMode);
    const int calls = g_macro.calls;
    EXPECT_EQ(driver.Answer(SelectionAnswer{{qx::host::lgl_addr{9, 9}}, std::nullopt}),
              "no entity at 9:9");
    EXPECT_EQ(g_macro.calls, calls);
}

TEST_F(Driver, FinishMakesTheLastCallOnceAndEndsTheInvocation) {
    StartWaitingFor(RequestKind::Getesc);
    driver.Finish();
    EXPECT_EQ(g_macro.lastCalls, 1);
    EXPECT_FALSE(driver.Running());
    EXPECT_EQ(driver.State(), DriverState::Idle);
    driver.Finish();
    EXPECT_EQ(g_macro.lastCalls, 1) << "an ended invocation gets no second last call";
    const int calls = g_macro.calls;
    EXPECT_EQ(driver.Answer(KeyAnswer{qx::host::KeyF(1)}), "no invocation is waiting for input");
    EXPECT_EQ(g_macro.calls, calls);
}

TEST_F(Driver, AMacroThatAnswersZeroGetsItsLastCall) {
    StartWaitingFor(RequestKind::Getesc);
    g_macro.endAtNextCall = true;
    EXPECT_EQ(driver.Answer(KeyAnswer{qx::host::KeyS(0)}), "");
    EXPECT_EQ(driver.State(), DriverState::Idle);
    EXPECT_FALSE(driver.Running());
    EXPECT_EQ(g_macro.lastCalls, 1);
}

TEST_F(Driver, AMacroThatNeverWaitsIsStoppedWithAMessage) {
    g_macro.ask = RequestKind::CallNone;
    EXPECT_EQ(driver.Start(), DriverState::Failed);
    EXPECT_EQ(driver.FailureMessage(), "the macro keeps asking without waiting for the user");
    EXPECT_FALSE(driver.Running());
    EXPECT_EQ(g_macro.lastCalls, 1);
}

} // namespace
