// The native view behind the controller's boundary, driven as a host's automation drives it:
// through the host's UI hooks, finding the windows and controls by the names they carry and
// seeing a modal dialog's end in its result property.
#include "dialogs/dialog_result.h"
#include "dialogs/form/review_form_kind.h"
#include "dialogs/forms.h"
#include "host/automation_contract.h"
#include "platform/platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qx::test {
namespace {

std::wstring NameOf(HWND window) {
    const auto atom = static_cast<ATOM>(
        reinterpret_cast<UINT_PTR>(GetPropW(window, automation::kWin32NameProperty)));
    if (atom == 0)
        return {};
    wchar_t name[64] = {};
    GlobalGetAtomNameW(atom, name, 64);
    return name;
}

struct Search {
    std::wstring name;
    HWND found = nullptr;
};

BOOL CALLBACK MatchName(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<Search*>(search);
    if (NameOf(window) != s.name)
        return TRUE;
    s.found = window;
    return FALSE;
}

HWND ControlNamed(HWND window, const std::wstring& name) {
    Search search{name};
    EnumChildWindows(window, &MatchName, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TopWindowNamed(const std::wstring& name) {
    Search search{name};
    EnumThreadWindows(GetCurrentThreadId(), &MatchName, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the host's automation does with each modal dialog handed to it, and what it saw.
std::function<int(HWND)> g_driver;
std::vector<std::int32_t> g_keys;

std::int32_t RunModalHook(void* dialog) {
    return g_driver(static_cast<HWND>(dialog));
}
void SendKeyHook(std::int32_t key) {
    g_keys.push_back(key);
}

const host::UiHooks kHooks{nullptr, nullptr, &RunModalHook, nullptr, &SendKeyHook};

class FormsBoundary : public testing::Test {
protected:
    void SetUp() override {
        platform::SetUiHooks(&kHooks);
        g_keys.clear();
    }
    void TearDown() override {
        platform::SetUiHooks(nullptr);
        g_driver = nullptr;
    }
};

// The dialog's result once it ended, or the answer the host gives when it did not.
int ResultOf(HWND dialog, int otherwise) {
    if (HANDLE result = GetPropW(dialog, automation::kWin32ResultProperty))
        return static_cast<int>(reinterpret_cast<INT_PTR>(result));
    return otherwise;
}

TEST_F(FormsBoundary, ReplaceTextIsDrivenByNameAndEndsWithItsButton) {
    std::wstring seenName;
    g_driver = [&](HWND dialog) {
        seenName = NameOf(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        SetWindowTextW(ControlNamed(dialog, L"eOldText"), L"Door");
        SetWindowTextW(ControlNamed(dialog, L"eNewText"), L"Gate");
        SendMessageW(ControlNamed(dialog, L"chbWord"), BM_CLICK, 0, 0);
        EXPECT_EQ(ResultOf(dialog, -1), -1) << "no result before the dialog ends";
        SendMessageW(ControlNamed(dialog, L"btnOK"), BM_CLICK, 0, 0);
        return ResultOf(dialog, kResultCancel);
    };
    form::TfmReplaceText form;
    int closedWith = 0;
    EXPECT_EQ(forms::RunReplaceText(form, [&](int result) { closedWith = result; }), kResultOk);
    EXPECT_EQ(seenName, L"fmReplaceText");
    EXPECT_EQ(closedWith, kResultOk);
    EXPECT_EQ(form.eOldText, "Door");
    EXPECT_EQ(form.eNewText, "Gate");
    EXPECT_TRUE(form.chbWord);
    EXPECT_EQ(form.option, form::ReplaceOption::Text);
}

TEST_F(FormsBoundary, ADialogTheHostLeavesOpenClosesWithTheHostsAnswer) {
    g_driver = [](HWND) { return kResultCancel; };
    form::TfmReplaceText form;
    form.eOldText = "kept";
    EXPECT_EQ(forms::RunReplaceText(form), kResultCancel);
    EXPECT_EQ(form.eOldText, "kept");
}

TEST_F(FormsBoundary, ConfirmWindowFloatsAndItsAnswersReachTheHostAsKeys) {
    forms::ReviewWindow* window =
        forms::CreateReviewWindow(static_cast<std::uint8_t>(ReviewFormKind::Confirm));
    ASSERT_NE(window, nullptr);
    form::TfmConfirm form;
    form.lblOldTxt = "Door 1";
    form.lblNewTxt = "Gate 1";
    forms::ShowConfirm(*window, form);
    HWND confirm = TopWindowNamed(L"fmConfirm");
    ASSERT_NE(confirm, nullptr);
    EXPECT_TRUE(IsWindowVisible(confirm));
    EXPECT_NE(GetWindowLongPtrW(confirm, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    for (const wchar_t* button : {L"btnYes", L"btnNo", L"btnYesAll", L"btnNoAll"})
        SendMessageW(ControlNamed(confirm, button), BM_CLICK, 0, 0);
    EXPECT_EQ(g_keys, (std::vector<std::int32_t>(form::TfmConfirm::kAnswerKeys.begin(),
                                                 form::TfmConfirm::kAnswerKeys.end())));

    // Edit runs the edit dialog modally through the host; an accepted text shows at once.
    g_driver = [](HWND dialog) {
        EXPECT_EQ(NameOf(dialog), L"fmEditText");
        SetWindowTextW(ControlNamed(dialog, L"eNewText"), L"Gate 1A");
        SendMessageW(ControlNamed(dialog, L"Button1"), BM_CLICK, 0, 0);
        return ResultOf(dialog, kResultCancel);
    };
    std::string proposed = "Gate 1";
    bool edited = false;
    form.pNewStr = &proposed;
    form.pManualEditMade = &edited;
    forms::ShowConfirm(*window, form);
    SendMessageW(ControlNamed(confirm, L"btnEdit"), BM_CLICK, 0, 0);
    EXPECT_EQ(proposed, "Gate 1A");
    EXPECT_TRUE(edited);
    wchar_t shown[32] = {};
    GetWindowTextW(ControlNamed(confirm, L"lblNewTxt"), shown, 32);
    EXPECT_EQ(std::wstring(shown), L"Gate 1A");

    forms::DestroyReviewWindow(window);
    EXPECT_EQ(TopWindowNamed(L"fmConfirm"), nullptr);
}

TEST_F(FormsBoundary, FoundTextWindowShowsTheTextAndTitle) {
    forms::ReviewWindow* window =
        forms::CreateReviewWindow(static_cast<std::uint8_t>(ReviewFormKind::FoundText));
    ASSERT_NE(window, nullptr);
    forms::ShowReviewWindow(*window);
    form::TfmFoundText form;
    form.title = "Found on Doors";
    form.lblFoundText = "Door 12";
    forms::ShowFoundText(*window, form);
    HWND found = TopWindowNamed(L"fmFoundText");
    ASSERT_NE(found, nullptr);
    wchar_t text[32] = {};
    GetWindowTextW(found, text, 32);
    EXPECT_EQ(std::wstring(text), L"Found on Doors");
    GetWindowTextW(ControlNamed(found, L"lblFoundText"), text, 32);
    EXPECT_EQ(std::wstring(text), L"Door 12");
    forms::DestroyReviewWindow(window);
}

TEST(FormsBoundaryCreate, AnUnknownKindMakesNoWindow) {
    EXPECT_EQ(forms::CreateReviewWindow(0), nullptr);
    EXPECT_EQ(forms::CreateReviewWindow(99), nullptr);
}

} // namespace
} // namespace qx::test
