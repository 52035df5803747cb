// The view engine on a small table of every kind of control: what it creates, how it fits and
// places, how Tab walks, and how a modal dialog ends.
#include "dialogs/dialog_result.h"
#include "dialogs/win32/form_window.h"
#include "dialogs/win32/text_measure.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qx::win32 {
namespace {

using form::ControlSpec;
using form::Kind;

constexpr std::array<std::string_view, 3> kEntries = {"First", "Second", "Third"};

constexpr ControlSpec kTable[] = {
    {"TfmSample", Kind::Window, "", {0, 0, 300, 200}, "Sample", form::kNearEdges},
    {"gbOptions",
     Kind::GroupBox,
     "TfmSample",
     {8, 8, 284, 100},
     "Options",
     form::kLeft | form::kTop | form::kRight},
    {"eText",
     Kind::Edit,
     "gbOptions",
     {10, 20, 264, 23},
     "",
     form::kLeft | form::kTop | form::kRight},
    // Drawn far too narrow for its caption: the fitting must grow it.
    {"chbLong",
     Kind::CheckBox,
     "gbOptions",
     {10, 50, 20, 17},
     "A check box whose caption is much longer than its box",
     form::kNearEdges},
    {"rbOne", Kind::RadioButton, "gbOptions", {10, 72, 60, 17}, "One", form::kNearEdges},
    {"rbTwo", Kind::RadioButton, "gbOptions", {80, 72, 60, 17}, "Two", form::kNearEdges},
    {"cbList", Kind::DropDownList, "TfmSample", {8, 116, 120, 23}, "", form::kNearEdges},
    {"seStep", Kind::SpinEdit, "TfmSample", {140, 116, 60, 24}, "", form::kNearEdges},
    {"lbItems", Kind::ListBox, "TfmSample", {210, 116, 82, 40}, "", form::kNearEdges},
    {"lblNote", Kind::Label, "TfmSample", {8, 150, 0, 0}, "Note", form::kNearEdges},
    {"sgGrid", Kind::Grid, "TfmSample", {100, 145, 60, 20}, "", form::kNearEdges},
    {"btnCancel",
     Kind::Button,
     "TfmSample",
     {136, 170, 75, 25},
     "Cancel",
     form::kRight | form::kBottom},
    {"btnOK", Kind::Button, "TfmSample", {217, 170, 75, 25}, "OK", form::kRight | form::kBottom},
};

constexpr std::string_view kTabOrder[] = {"eText",  "rbOne", "cbList",
                                          "seStep", "btnOK", "btnCancel"};

WindowOptions SampleOptions() {
    WindowOptions options;
    options.sizing = Sizing::Free;
    options.defaultButton = "btnOK";
    options.cancelButton = "btnCancel";
    return options;
}

class FormWindowTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetResultButton("btnOK", kResultOk);
        form.SetResultButton("btnCancel", kResultCancel);
        form.Create(nullptr);
        ASSERT_NE(form.Handle(), nullptr);
        std::vector<std::string> entries(kEntries.begin(), kEntries.end());
        form.SetItems("cbList", entries);
        form.SetCurrentItem("cbList", 0);
        form.Fit();
    }

    static std::wstring ClassOf(HWND window) {
        std::array<wchar_t, 64> name{};
        GetClassNameW(window, name.data(), static_cast<int>(name.size()));
        return name.data();
    }
    LONG_PTR StyleOf(std::string_view name) const {
        return GetWindowLongPtrW(form.Control(name), GWL_STYLE);
    }
    RECT ScreenRect(std::string_view name) const {
        RECT rect{};
        GetWindowRect(form.Control(name), &rect);
        return rect;
    }
    void ResizeClientBy(int dx, int dy) {
        RECT outer{};
        GetWindowRect(form.Handle(), &outer);
        SetWindowPos(form.Handle(), nullptr, 0, 0, outer.right - outer.left + dx,
                     outer.bottom - outer.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int Id(std::string_view name) const { return GetDlgCtrlID(form.Control(name)); }

    FormWindow form{kTable, kTabOrder, SampleOptions()};
};

TEST_F(FormWindowTest, CreatesEveryControlByNameWithItsNativeClassAndStyle) {
    EXPECT_EQ(ClassOf(form.Control("gbOptions")), L"Button");
    EXPECT_EQ(StyleOf("gbOptions") & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(StyleOf("chbLong") & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(StyleOf("rbOne") & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(StyleOf("btnOK") & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(StyleOf("btnCancel") & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(ClassOf(form.Control("eText")), L"Edit");
    EXPECT_EQ(ClassOf(form.Control("lblNote")), L"Static");
    EXPECT_EQ(ClassOf(form.Control("cbList")), L"ComboBox");
    EXPECT_EQ(StyleOf("cbList") & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(ClassOf(form.Control("seStep")), L"Edit");
    ASSERT_NE(form.SpinArrows("seStep"), nullptr);
    EXPECT_EQ(ClassOf(form.SpinArrows("seStep")), L"msctls_updown32");
    EXPECT_EQ(ClassOf(form.Control("lbItems")), L"ListBox");
    EXPECT_EQ(ClassOf(form.Control("sgGrid")), L"SysListView32");
    EXPECT_EQ(StyleOf("sgGrid") & LVS_TYPEMASK, LVS_REPORT);
    // Names and handles map both ways, and the window answers to its own name.
    EXPECT_EQ(form.NameOf(form.Control("btnOK")), "btnOK");
    EXPECT_EQ(form.Control("TfmSample"), form.Handle());
    EXPECT_EQ(form.Control("noSuchControl"), nullptr);
    EXPECT_EQ(form.Text("cbList"), "First");
}

TEST_F(FormWindowTest, GrowsAControlWhoseTextDoesNotFitAndKeepsTheOthersAsDrawn) {
    const Size least = form.LeastTextSize("chbLong");
    ASSERT_GT(least.width, 20);
    const form::Rect fitted = form.FittedRect("chbLong");
    EXPECT_GE(fitted.width, least.width);
    // Its group box and the window grow around it.
    EXPECT_GE(form.FittedRect("gbOptions").width, fitted.x + fitted.width);
    EXPECT_GE(form.ClientSize().width, form.FittedRect("gbOptions").width + 8);
    // A label drawn without a size takes its text's size.
    EXPECT_EQ(form.FittedRect("lblNote").width, form.LeastTextSize("lblNote").width);
    // The buttons' captions fit in their drawn size, so they keep it.
    EXPECT_EQ(form.FittedRect("btnOK").width, 75);
    EXPECT_EQ(form.FittedRect("btnOK").height, 25);
}

TEST_F(FormWindowTest, ATextChangedLaterGrowsItsControlOnTheNextFit) {
    const int before = form.FittedRect("lblNote").width;
    form.SetText("lblNote", "A note that has become a good deal longer");
    form.Fit();
    EXPECT_GT(form.FittedRect("lblNote").width, before);
    EXPECT_EQ(form.FittedRect("lblNote").width, form.LeastTextSize("lblNote").width);
}

TEST_F(FormWindowTest, KeepsControlsToTheirAnchorsWhenTheWindowIsResized) {
    const RECT editBefore = ScreenRect("eText");
    const RECT okBefore = ScreenRect("btnOK");
    const RECT listBefore = ScreenRect("lbItems");
    ResizeClientBy(40, 30);
    const RECT editAfter = ScreenRect("eText");
    const RECT okAfter = ScreenRect("btnOK");
    const RECT listAfter = ScreenRect("lbItems");
    // Tied to both sides: it stretches.
    EXPECT_EQ(editAfter.left, editBefore.left);
    EXPECT_EQ(editAfter.right - editBefore.right, 40);
    // Tied to the right and the bottom: it moves with them and keeps its size.
    EXPECT_EQ(okAfter.left - okBefore.left, 40);
    EXPECT_EQ(okAfter.top - okBefore.top, 30);
    EXPECT_EQ(okAfter.right - okAfter.left, okBefore.right - okBefore.left);
    // Tied to the near edges: it stays.
    EXPECT_EQ(listAfter.left, listBefore.left);
    EXPECT_EQ(listAfter.top, listBefore.top);
}

TEST_F(FormWindowTest, TheWindowCannotBeMadeSmallerThanItsTextsNeed) {
    ResizeClientBy(-200, -150);
    EXPECT_GE(form.ClientSize().width, form.FittedRect("TfmSample").width);
    EXPECT_GE(form.ClientSize().height, form.FittedRect("TfmSample").height);
}

TEST_F(FormWindowTest, TabWalksTheModelsOrderAndSkipsAControlTakenOutOfIt) {
    std::vector<std::string_view> walked;
    HWND control = form.Control("eText");
    for (std::size_t i = 0; i < std::size(kTabOrder); ++i) {
        walked.push_back(form.NameOf(control));
        control = GetNextDlgTabItem(form.Handle(), control, FALSE);
    }
    EXPECT_EQ(walked, std::vector<std::string_view>(std::begin(kTabOrder), std::end(kTabOrder)));
    EXPECT_EQ(form.NameOf(control), "eText") << "the walk wraps around";
    // Controls outside the order are not stops.
    EXPECT_EQ(StyleOf("chbLong") & WS_TABSTOP, 0);

    form.SetTabStop("rbOne", false);
    EXPECT_EQ(form.NameOf(GetNextDlgTabItem(form.Handle(), form.Control("eText"), FALSE)),
              "cbList");
    EXPECT_EQ(form.NameOf(GetNextDlgTabItem(form.Handle(), form.Control("cbList"), TRUE)), "eText");
}

TEST_F(FormWindowTest, ARadioButtonClickedChecksItselfAndClearsItsGroup) {
    form.SetChecked("rbOne", true);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(Id("rbTwo"), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Control("rbTwo")));
    EXPECT_TRUE(form.Checked("rbTwo"));
    EXPECT_FALSE(form.Checked("rbOne"));
}

TEST_F(FormWindowTest, SpinArrowsStepTheFieldsNumberAndTheFilterRefusesCharacters) {
    form.SetText("seStep", "41");
    NMUPDOWN step{};
    step.hdr.hwndFrom = form.SpinArrows("seStep");
    step.hdr.code = UDN_DELTAPOS;
    step.iDelta = 1;
    SendMessageW(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&step));
    EXPECT_EQ(form.Text("seStep"), "42");
    step.iDelta = -50;
    SendMessageW(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&step));
    EXPECT_EQ(form.Text("seStep"), "-8");

    form.onCharacter = [](std::string_view name, wchar_t c) {
        return name != "seStep" || (c >= L'0' && c <= L'9');
    };
    SetWindowTextW(form.Control("seStep"), L"");
    SendMessageW(form.Control("seStep"), WM_CHAR, L'x', 0);
    SendMessageW(form.Control("seStep"), WM_CHAR, L'7', 0);
    EXPECT_EQ(form.Text("seStep"), "7");
}

// Runs the dialog modally with `drive` posted to it first, as a user's input would arrive.
class ModalTest : public FormWindowTest {
protected:
    int RunWith(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageW(target, message, wParam, lParam);
        return form.RunModal(owner);
    }
    void SetUp() override {
        FormWindowTest::SetUp();
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }
    HWND owner = nullptr;
};

TEST_F(ModalTest, OkButtonEndsWithOkAndTheOwnerIsDisabledOnlyMeanwhile) {
    bool ownerEnabledWhileOpen = true;
    form.onCommand = [&](std::string_view name, UINT) {
        if (name == "btnOK")
            ownerEnabledWhileOpen = IsWindowEnabled(owner) != FALSE;
    };
    const int result = RunWith(form.Handle(), WM_COMMAND, MAKEWPARAM(Id("btnOK"), BN_CLICKED),
                               reinterpret_cast<LPARAM>(form.Control("btnOK")));
    EXPECT_EQ(result, kResultOk);
    EXPECT_FALSE(ownerEnabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST_F(ModalTest, CancelButtonEndsWithCancel) {
    EXPECT_EQ(RunWith(form.Handle(), WM_COMMAND, MAKEWPARAM(Id("btnCancel"), BN_CLICKED),
                      reinterpret_cast<LPARAM>(form.Control("btnCancel"))),
              kResultCancel);
}

TEST_F(ModalTest, EnterInAFieldPressesTheDefaultButton) {
    form.Focus("eText");
    EXPECT_EQ(RunWith(form.Control("eText"), WM_KEYDOWN, VK_RETURN, 0), kResultOk);
}

TEST_F(ModalTest, EscPressesTheCancelButton) {
    form.Focus("eText");
    EXPECT_EQ(RunWith(form.Control("eText"), WM_KEYDOWN, VK_ESCAPE, 0), kResultCancel);
}

TEST_F(ModalTest, TheCloseBoxMeansCancel) {
    EXPECT_EQ(RunWith(form.Handle(), WM_CLOSE, 0, 0), kResultCancel);
}

TEST_F(ModalTest, TheDialogCanRunAgainAfterItEnded) {
    EXPECT_EQ(RunWith(form.Handle(), WM_CLOSE, 0, 0), kResultCancel);
    EXPECT_EQ(RunWith(form.Handle(), WM_COMMAND, MAKEWPARAM(Id("btnOK"), BN_CLICKED),
                      reinterpret_cast<LPARAM>(form.Control("btnOK"))),
              kResultOk);
}

} // namespace
} // namespace qx::win32

namespace qx::win32 {
namespace {

// Pumps the thread's messages as a host's own loop would, knowing nothing of our windows.
void PumpAsTheHostDoes() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TEST_F(FormWindowTest, AFloatingWindowTakesTabFromTheHostsOwnMessageLoop) {
    form.ShowFloating();
    form.Focus("eText");
    ASSERT_EQ(form.NameOf(GetFocus()), "eText");
    PostMessageW(form.Control("eText"), WM_KEYDOWN, VK_TAB, 0);
    PumpAsTheHostDoes();
    EXPECT_EQ(form.NameOf(GetFocus()), "rbOne");
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not asked for";
}

TEST(FloatingWindow, StaysOnTopWithoutTakingTheFocusFromTheHost) {
    HWND host = CreateWindowExW(0, L"EDIT", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                100, nullptr, nullptr, nullptr, nullptr);
    SetFocus(host);
    WindowOptions options;
    options.stacking = Stacking::TopMost;
    options.frame = Frame::CloseBox;
    FormWindow floating(kTable, kTabOrder, options);
    floating.Create(host);
    floating.ShowFloating();
    PumpAsTheHostDoes();
    EXPECT_NE(GetWindowLongPtrW(floating.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(IsWindowVisible(floating.Handle()));
    EXPECT_EQ(GetFocus(), host);
    // Its close box hides it; the controller decides when it goes.
    SendMessageW(floating.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(floating.Handle()));
    EXPECT_TRUE(IsWindow(floating.Handle()));
    DestroyWindow(host);
}

} // namespace
} // namespace qx::win32
