// The native view's control access from the outside, as a host in another module uses it: a
// window of the view engine is found by its name property, and its controls are read and used
// through window messages; the window hears of every use as of a user's.
#include "dialogs/dialog_result.h"
#include "dialogs/win32/control_access_win32.h"
#include "dialogs/win32/form_window.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

namespace qx::win32 {
namespace {

using form::ControlSpec;
using form::Kind;

constexpr ControlSpec kTable[] = {
    {"fmSample", Kind::Window, "", {0, 0, 320, 300}, "Sample", form::kNearEdges},
    {"eText", Kind::Edit, "fmSample", {8, 8, 200, 23}, "", form::kNearEdges},
    {"chbCase", Kind::CheckBox, "fmSample", {8, 40, 120, 17}, "Case", form::kNearEdges},
    {"cbList", Kind::DropDownList, "fmSample", {8, 64, 120, 23}, "", form::kNearEdges},
    {"lbItems", Kind::ListBox, "fmSample", {140, 64, 100, 60}, "", form::kNearEdges},
    {"sgGrid", Kind::Grid, "fmSample", {8, 130, 200, 120}, "", form::kNearEdges},
    {"lblNote", Kind::Label, "fmSample", {220, 8, 80, 17}, "Note", form::kNearEdges},
    {"btnCancel", Kind::Button, "fmSample", {150, 260, 75, 25}, "Cancel", form::kNearEdges},
    {"btnOK", Kind::Button, "fmSample", {235, 260, 75, 25}, "OK", form::kNearEdges},
};
constexpr std::string_view kTabOrder[] = {"eText",  "chbCase", "cbList",   "lbItems",
                                          "sgGrid", "btnOK",   "btnCancel"};

WindowOptions Options() {
    WindowOptions options;
    options.defaultButton = "btnOK";
    options.cancelButton = "btnCancel";
    return options;
}

class ControlAccessWin32Test : public testing::Test {
protected:
    void SetUp() override {
        window.SetResultButton("btnOK", kResultOk);
        window.SetResultButton("btnCancel", kResultCancel);
        window.onCommand = [this](std::string_view name, UINT code) {
            commands.push_back(std::string(name) + ":" + std::to_string(code));
        };
        window.onNotify = [this](std::string_view name, NMHDR& header) -> std::optional<LRESULT> {
            if (name != "sgGrid")
                return std::nullopt;
            if (header.code == NM_RCLICK)
                rightClicksWithCtrl.push_back((GetKeyState(VK_CONTROL) & 0x8000) != 0);
            if (header.code != NM_CUSTOMDRAW)
                return std::nullopt;
            auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
                return CDRF_NOTIFYITEMDRAW;
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec == 1) {
                draw.clrText = RGB(255, 0, 0);
                SelectObject(draw.nmcd.hdc, DialogFont(kBold));
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        };
        window.Create(nullptr);
        ASSERT_NE(window.Handle(), nullptr);
        window.SetItems("cbList", {"First", "Second", "Third"});
        window.SetItems("lbItems", {"One", "Two", "Three"});
        window.SetTextColour("lblNote", RGB(0, 128, 0));
        FillGrid();
        window.Fit();
        ShowWindow(window.Handle(), SW_SHOW);
        PumpMessages();
    }
    void TearDown() override { window.Hide(); }

    void FillGrid() {
        HWND grid = window.Control("sgGrid");
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 180;
        SendMessageW(grid, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        const wchar_t* rows[] = {L"Layer 0", L"Doors", L"Walls", L"Text"};
        for (int i = 0; i < 4; ++i) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<wchar_t*>(rows[i]);
            SendMessageW(grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    std::unique_ptr<form::Control> Find(std::string_view name) const {
        return access.Find("fmSample", name);
    }
    bool Heard(std::string_view name, UINT code) const {
        const std::string wanted = std::string(name) + ":" + std::to_string(code);
        return std::find(commands.begin(), commands.end(), wanted) != commands.end();
    }

    FormWindow window{kTable, kTabOrder, Options()};
    Win32ControlAccess access;
    std::vector<std::string> commands;
    std::vector<bool> rightClicksWithCtrl;
};

TEST_F(ControlAccessWin32Test, FindsTheWindowAndItsControlsByName) {
    const auto open = access.OpenWindows();
    ASSERT_FALSE(open.empty());
    EXPECT_NE(std::find(open.begin(), open.end(), "fmSample"), open.end());
    ASSERT_NE(Find("fmSample"), nullptr);
    EXPECT_EQ(Find("fmSample")->Text(), "Sample");
    ASSERT_NE(Find("btnOK"), nullptr);
    EXPECT_EQ(Find("btnOK")->Text(), "OK");
    EXPECT_EQ(Find("noSuchControl"), nullptr);
    EXPECT_EQ(access.Find("fmNoSuchWindow", "btnOK"), nullptr);
}

TEST_F(ControlAccessWin32Test, ReadsListsAndGridRows) {
    EXPECT_EQ(Find("cbList")->Items(), (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_EQ(Find("lbItems")->Items(), (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_EQ(Find("sgGrid")->Items(),
              (std::vector<std::string>{"Layer 0", "Doors", "Walls", "Text"}));
    EXPECT_EQ(Find("lbItems")->CurrentItem(), -1);
}

TEST_F(ControlAccessWin32Test, TypesIntoAFieldKeyByKey) {
    auto field = Find("eText");
    EXPECT_EQ(field->ReplaceText("T\xc3\xbcr"), "");
    EXPECT_EQ(field->Text(), "T\xc3\xbcr");
    EXPECT_TRUE(field->Focused());
    EXPECT_EQ(field->ReplaceText("abc"), "");
    EXPECT_EQ(field->PressKey(form::Key::Backspace), "");
    EXPECT_EQ(field->TypeCharacter(U'x'), "");
    EXPECT_EQ(field->Text(), "abx");
    EXPECT_TRUE(Heard("eText", EN_CHANGE));
}

TEST_F(ControlAccessWin32Test, TicksACheckBoxOnlyWhenItIsNotAsWanted) {
    auto box = Find("chbCase");
    EXPECT_EQ(box->SetChecked(true), "");
    EXPECT_TRUE(box->Checked());
    commands.clear();
    EXPECT_EQ(box->SetChecked(true), "");
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(box->SetChecked(false), "");
    EXPECT_FALSE(box->Checked());
    EXPECT_NE(Find("eText")->SetChecked(true), "");
}

TEST_F(ControlAccessWin32Test, PicksAsAUserDoes) {
    EXPECT_EQ(Find("cbList")->ChooseItem(2), "");
    EXPECT_EQ(Find("cbList")->CurrentItem(), 2);
    EXPECT_EQ(Find("cbList")->Text(), "Third");
    EXPECT_TRUE(Heard("cbList", CBN_SELCHANGE));
    EXPECT_NE(Find("cbList")->ChooseItem(3), "");
    EXPECT_EQ(Find("lbItems")->ChooseItem(1), "");
    EXPECT_EQ(Find("lbItems")->CurrentItem(), 1);
    EXPECT_TRUE(Heard("lbItems", LBN_SELCHANGE));
}

TEST_F(ControlAccessWin32Test, ClicksGridRowsAndMovesWithKeys) {
    auto grid = Find("sgGrid");
    EXPECT_EQ(grid->Click({2, false, false, form::kNoModifier}), "");
    EXPECT_EQ(grid->CurrentItem(), 2);
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->PressKey(form::Key::Down), "");
    EXPECT_EQ(grid->CurrentItem(), 3);
    EXPECT_EQ(grid->PressKey(form::Key::Up, form::kShift), "");
    EXPECT_EQ(grid->CurrentItem(), 2);
    EXPECT_EQ(grid->Click({1, false, true, form::kCtrl}), "");
    EXPECT_EQ(rightClicksWithCtrl, std::vector<bool>{true});
    EXPECT_EQ(grid->Click({std::nullopt, true, false, form::kNoModifier}), "");
    EXPECT_NE(grid->Click({9, false, false, form::kNoModifier}), "");
    EXPECT_NE(Find("eText")->Click({0, false, false, form::kNoModifier}), "");
}

TEST_F(ControlAccessWin32Test, ReadsColoursAndFontsAsTheyArePainted) {
    const PaintedLook note = LookOfControl(window.Control("lblNote"));
    EXPECT_EQ(note.colour, RGB(0, 128, 0));
    EXPECT_LT(note.font.lfWeight, FW_SEMIBOLD);
    const PaintedLook plainRow = LookOfGridRow(window.Control("sgGrid"), 0);
    EXPECT_EQ(plainRow.colour, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_LT(plainRow.font.lfWeight, FW_SEMIBOLD);
    const PaintedLook boldRow = LookOfGridRow(window.Control("sgGrid"), 1);
    EXPECT_EQ(boldRow.colour, RGB(255, 0, 0));
    EXPECT_GE(boldRow.font.lfWeight, FW_SEMIBOLD);
}

TEST_F(ControlAccessWin32Test, ReadsAControlsHintFromItsTooltip) {
    EXPECT_EQ(HintOf(window.Control("lblNote")), "");
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               window.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    std::wstring text = L"Not all of it";
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(window.Control("lblNote"));
    tool.lpszText = text.data();
    ASSERT_NE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)), 0);
    EXPECT_EQ(HintOf(window.Control("lblNote")), "Not all of it");
    EXPECT_EQ(HintOf(window.Control("btnOK")), "");
    DestroyWindow(tip);
}

TEST_F(ControlAccessWin32Test, EnterAndEscReachTheDialogsButtons) {
    EXPECT_EQ(Find("eText")->PressKey(form::Key::Enter), "");
    EXPECT_TRUE(Heard("btnOK", BN_CLICKED));
    commands.clear();
    EXPECT_EQ(Find("eText")->PressKey(form::Key::Escape), "");
    EXPECT_TRUE(Heard("btnCancel", BN_CLICKED));
}

TEST_F(ControlAccessWin32Test, AButtonClickIsHeard) {
    EXPECT_EQ(Find("btnOK")->Click(), "");
    EXPECT_TRUE(Heard("btnOK", BN_CLICKED));
    EnableWindow(window.Control("btnOK"), FALSE);
    EXPECT_FALSE(Find("btnOK")->Enabled());
    EXPECT_NE(Find("btnOK")->Click(), "");
}

} // namespace
} // namespace qx::win32
