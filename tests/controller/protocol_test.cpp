// The call protocol of Main, through the real macro library and the stand-in host's functions,
// which this test program exports.
#include "cadhost/driver/invocation.h"
#include "cadhost/driver/macro_library.h"
#include "cadhost/driver/session.h"
#include "cadhost/model/sample_drawing.h"
#include "host/res_layout.h"
#include "state/quillex_state.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

using cadhost::CurrentSession;
using cadhost::RequestKind;
using qx::host::Action;
using qx::host::kCallStateServed;

std::int32_t A(Action a) {
    return static_cast<std::int32_t>(a);
}

class Protocol : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto loaded = cadhost::LoadMacroLibrary(cadhost::DefaultMacroLibraryPath());
        macro_ = loaded ? *loaded : nullptr;
    }

    void SetUp() override {
        ASSERT_NE(macro_, nullptr);
        cadhost::ResetSession();
        dir_ = std::filesystem::temp_directory_path() /
               ("protocol-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_ / "macro");
        std::filesystem::create_directories(dir_ / "shared");
        CurrentSession().config.macroPath = (dir_ / "macro").string() + "/";
        CurrentSession().config.sharedPath = (dir_ / "shared").string() + "/";
        CurrentSession().drawing = cadhost::SampleDrawing();
        // Prompts instead of the dialog, so that nothing here opens a window.
        std::ofstream((dir_ / "macro" / "Quillex.ini").string()) << "[Quillex]\nUseForm=0\n";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static qx::QuillexL& Rec(cadhost::Invocation& inv) {
        return *reinterpret_cast<qx::QuillexL*>(inv.Record().data());
    }

    static inline qx::host::Main_fn macro_ = nullptr;
    std::filesystem::path dir_;
};

TEST_F(Protocol, OnlyCallState8100IsServedAndOtherwiseNothingIsTouched) {
    std::vector<std::uint8_t> record(qx::kStateRecordSize, 0xAB);
    const auto before = record;
    for (const std::int32_t callState : {0, 8099, 8101, -8100}) {
        for (const auto action : {Action::CallStart, Action::CallResume, Action::CallSizeQuery}) {
            EXPECT_EQ(macro_(callState, A(action), record.data(), nullptr), 0);
        }
    }
    EXPECT_EQ(record, before);
    EXPECT_EQ(CurrentSession().ui.localSize, 0);
    EXPECT_EQ(CurrentSession().ui.requestsThisCall, 0);
}

TEST_F(Protocol, SizeQueryAnswersTheRecordSizeAndSetsUpNoRequest) {
    std::vector<std::uint8_t> record(qx::kStateRecordSize, 0);
    reinterpret_cast<qx::QuillexL*>(record.data())->state = qx::stMainMenu;
    EXPECT_EQ(macro_(kCallStateServed, A(Action::CallSizeQuery), record.data(), nullptr), 0);
    EXPECT_EQ(CurrentSession().ui.localSize, 27108);
    EXPECT_EQ(CurrentSession().ui.requestsThisCall, 0);
    // Before the host has a record at all.
    CurrentSession().ui.localSize = 0;
    EXPECT_EQ(macro_(kCallStateServed, A(Action::CallSizeQuery), nullptr, nullptr), 0);
    EXPECT_EQ(CurrentSession().ui.localSize, 27108);
}

TEST_F(Protocol, AnInvocationStartsWithTheMainMenuAndEachRequestIsOneAnswer) {
    cadhost::Invocation inv(macro_);
    const std::int32_t ret = inv.Start();
    EXPECT_NE(ret, 0);
    EXPECT_EQ(CurrentSession().ui.requestsThisCall, 1);
    EXPECT_EQ(CurrentSession().ui.request.kind, RequestKind::MenuGetMode);
    EXPECT_EQ(ret, static_cast<std::int32_t>(RequestKind::MenuGetMode));
    EXPECT_EQ(Rec(inv).state, qx::stMainMenu);
    inv.Finish();
}

TEST_F(Protocol, AStateWithoutHandlerEndsTheInvocationOnResume) {
    cadhost::Invocation inv(macro_);
    inv.Start();
    Rec(inv).state = 5;
    EXPECT_EQ(inv.Resume(), 0);
    EXPECT_EQ(Rec(inv).state, qx::stDone);
    EXPECT_EQ(CurrentSession().ui.requestsThisCall, 0);
    inv.Finish();
}

TEST_F(Protocol, AnUnknownActionRunsOnlyTheSetUpOfTheCurrentState) {
    cadhost::Invocation inv(macro_);
    inv.Start();
    auto& s = Rec(inv);
    // A key waiting in res would end the invocation if an input handler ran.
    qx::host::Res(s.res).setModeKey(qx::host::KeyS(0));
    CurrentSession().ui.error.clear();
    const auto* lists = s.pendingList.get();
    EXPECT_NE(inv.Call(kCallStateServed, 7), 0);
    EXPECT_EQ(s.state, qx::stMainMenu);
    EXPECT_EQ(CurrentSession().ui.request.kind, RequestKind::MenuGetMode);
    EXPECT_TRUE(CurrentSession().ui.error.empty()) << "start-up ran again";
    EXPECT_EQ(s.pendingList.get(), lists) << "the lists were released or made anew";
    inv.Finish();
}

TEST_F(Protocol, OnlyTheLowByteOfTheActionCodeCounts) {
    cadhost::Invocation inv(macro_);
    inv.Start();
    qx::host::Res(Rec(inv).res).setModeKey(qx::host::KeyS(0));
    // 0x102 is a resume: the main menu reads S0 and the invocation ends.
    EXPECT_EQ(inv.Call(kCallStateServed, 0x102), 0);
    EXPECT_EQ(Rec(inv).state, qx::stDone);
    inv.Finish();
}

TEST_F(Protocol, FinishReleasesTheListsAndAlwaysAnswersZero) {
    cadhost::Invocation inv(macro_);
    inv.Start();
    auto& s = Rec(inv);
    ASSERT_NE(s.pendingList.get(), nullptr);
    ASSERT_EQ(s.state, qx::stMainMenu);
    EXPECT_EQ(inv.Call(kCallStateServed, A(Action::CallFinish)), 0);
    EXPECT_EQ(s.pendingList.get(), nullptr);
    EXPECT_EQ(s.reportLines.get(), nullptr);
    EXPECT_EQ(s.editedText.get(), nullptr);
    EXPECT_EQ(CurrentSession().ui.requestsThisCall, 0);
}

TEST_F(Protocol, KeysReachTheStateThatAskedThroughRes) {
    cadhost::Invocation inv(macro_);
    inv.Start();
    auto& s = Rec(inv);
    qx::host::Res(s.res).setModeKey(qx::host::KeyF(10));
    const bool before = s.caseSens;
    EXPECT_NE(inv.Resume(), 0);
    EXPECT_NE(s.caseSens, before);
    inv.Finish();
}

TEST_F(Protocol, StartUpLeavesNoHighlightBoxAndTheDefaultColours) {
    cadhost::Invocation inv(macro_);
    inv.Start();
    const auto& s = Rec(inv);
    const qx::host::point first = s.hiliteBox[0];
    const qx::host::point third = s.hiliteBox[2];
    EXPECT_EQ(first.x, third.x);
    EXPECT_EQ(first.y, third.y);
    EXPECT_EQ(s.hiliteClr, 15);
    EXPECT_EQ(s.hiliteWgt, 1);
    EXPECT_EQ(s.increment, 1);
    EXPECT_EQ(s.reviewFormKind, 0);
    inv.Finish();
}

TEST_F(Protocol, TheMainMenuEndsAnOpenUndoTransactionExactlyOnce) {
    cadhost::Invocation inv(macro_);
    inv.Start();
    auto& s = Rec(inv);
    auto& drawing = CurrentSession().drawing;
    drawing.BeginTransaction();
    s.undoOpen = true;
    EXPECT_NE(inv.Call(kCallStateServed, 7), 0);
    EXPECT_FALSE(drawing.InTransaction());
    EXPECT_FALSE(s.undoOpen);
    // A transaction the macro did not open is not the macro's to end.
    drawing.BeginTransaction();
    EXPECT_NE(inv.Call(kCallStateServed, 7), 0);
    EXPECT_TRUE(drawing.InTransaction());
    drawing.EndTransaction();
    inv.Finish();
}

} // namespace
