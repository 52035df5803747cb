#include "dialogs/win32/replace_text_view.h"

#include "dialogs/dialog_result.h"

#include <commctrl.h>

#include <climits>
#include <cwchar>
#include <string>

namespace qx::win32 {
namespace {

using form::ReplaceOption;

constexpr ReplaceOption kOptions[] = {ReplaceOption::Text, ReplaceOption::ChangeCase,
                                      ReplaceOption::Increment};

WindowOptions ReplaceTextOptions() {
    WindowOptions options;
    options.frame = Frame::Caption;
    options.sizing = Sizing::WidthOnly;
    options.leastOuter = {450, 0};
    return options;
}

// The whole number the field's text reads as; text that is none reads as 0.
std::int32_t ReadWholeNumber(const std::string& text) {
    if (text.empty())
        return 0;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return 0;
    return static_cast<std::int32_t>(value);
}

char32_t DecimalPoint() {
    wchar_t separator[4] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) > 0)
        return separator[0];
    return U'.';
}

form::Modifiers HeldModifiers() {
    form::Modifiers held = form::kNoModifier;
    if (GetKeyState(VK_SHIFT) < 0)
        held |= form::kShift;
    if (GetKeyState(VK_CONTROL) < 0)
        held |= form::kCtrl;
    if (GetKeyState(VK_MENU) < 0)
        held |= form::kAlt;
    return held;
}

} // namespace

ReplaceTextView::ReplaceTextView(form::TfmReplaceText& form)
    : ReplaceTextView(form, ReplaceTextOptions()) {}

ReplaceTextView::ReplaceTextView(form::TfmReplaceText& form, WindowOptions options)
    : form_(form), window_(form.Table(), form.Tabs(), options) {
    Wire();
}

void ReplaceTextView::Wire() {
    window_.SetResultButton("btnOK", kResultOk);
    window_.SetResultButton("btnCancel", kResultCancel);
    window_.onCommand = [this](std::string_view name, UINT code) {
        if (!showing_)
            Command(name, code);
    };
    window_.onNotify = [this](std::string_view name, NMHDR& header) {
        return Notify(name, header);
    };
    window_.onCharacter = [this](std::string_view name, wchar_t c) {
        return name != "seIncrement" || IncrementKey(c);
    };
    window_.onControlMessage = [this](std::string_view name, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
        return ControlMessage(name, message, wParam, lParam);
    };
}

void ReplaceTextView::Build(HWND owner) {
    window_.Create(owner);
    Show();
    window_.Fit();
}

int ReplaceTextView::Run(HWND owner) {
    Build(owner);
    form_.ShowStartField();
    ShowOption();
    const std::string_view start = form_.StartControl();
    if (!start.empty())
        window_.Focus(start);
    return window_.RunModal(owner);
}

void ReplaceTextView::Show() {
    showing_ = true;
    window_.SetText("eOldText", form_.eOldText);
    window_.SetText("eNewText", form_.eNewText);
    window_.SetChecked("chbCase", form_.chbCase);
    window_.SetChecked("chbWord", form_.chbWord);
    window_.SetChecked("chbEntity", form_.chbEntity);
    window_.SetCurrentItem("cbCaseOptions", form_.cbCaseOptions);
    window_.SetCurrentItem("cbIncOptions", form_.cbIncOptions);
    window_.SetText("seIncrement", std::to_string(form_.seIncrement));
    ShowOption();
    showing_ = false;
}

void ReplaceTextView::ShowOption() {
    for (const ReplaceOption option : kOptions)
        window_.SetChecked(form::TfmReplaceText::RadioOf(option), form_.option == option);
    ShowTabStops();
}

void ReplaceTextView::ShowTabStops() {
    for (const std::string_view stop : form_.Tabs())
        window_.SetTabStop(stop, form_.IsTabStop(stop));
}

void ReplaceTextView::ShowIncrement(std::int32_t value) {
    const std::string shown = std::to_string(value);
    if (window_.Text("seIncrement") == shown)
        return;
    showing_ = true;
    window_.SetText("seIncrement", shown);
    // The caret goes after the replaced value, where the user goes on typing.
    SendMessageW(window_.Control("seIncrement"), EM_SETSEL, shown.size(), shown.size());
    showing_ = false;
}

void ReplaceTextView::IncrementEdited() {
    const std::string text = window_.Text("seIncrement");
    const std::int32_t shown = form_.IncrementUsed(ReadWholeNumber(text));
    // A text that reads as a number other than 0 stays as typed (a lone "+", say, does not).
    if (ReadWholeNumber(text) != shown || text.empty())
        ShowIncrement(shown);
    ShowOption();
}

bool ReplaceTextView::IncrementKey(wchar_t c) const {
    // Control characters (Backspace, Ctrl+A, Ctrl+V...) are the field's own commands.
    if (c < L' ')
        return true;
    const char32_t typed[] = {static_cast<char32_t>(c)};
    const form::KeyStroke stroke{std::u32string_view(typed, 1), HeldModifiers()};
    return form::TfmReplaceText::FilterIncrementKey(stroke, DecimalPoint()) ==
           form::KeyVerdict::Pass;
}

bool ReplaceTextView::Command(std::string_view name, UINT code) {
    if (name == "eOldText" && code == EN_CHANGE) {
        form_.eOldText = window_.Text(name);
        return true;
    }
    if (name == "eNewText" && code == EN_CHANGE) {
        form_.eNewText = window_.Text(name);
        form_.NewTextUsed();
        ShowOption();
        return true;
    }
    if (name == "seIncrement" && code == EN_CHANGE) {
        IncrementEdited();
        return true;
    }
    if (name == "cbCaseOptions" && (code == CBN_SELCHANGE || code == CBN_DROPDOWN)) {
        form_.cbCaseOptions = window_.CurrentItem(name);
        form_.CaseOptionsUsed();
        ShowOption();
        return true;
    }
    if (name == "cbIncOptions" && (code == CBN_SELCHANGE || code == CBN_DROPDOWN)) {
        form_.cbIncOptions = window_.CurrentItem(name);
        form_.IncOptionsUsed();
        ShowOption();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (name == "chbCase" || name == "chbWord" || name == "chbEntity") {
        bool& value = name == "chbCase"   ? form_.chbCase
                      : name == "chbWord" ? form_.chbWord
                                          : form_.chbEntity;
        value = window_.Checked(name);
        return true;
    }
    for (const ReplaceOption option : kOptions) {
        // Chosen by hand: the button stays in the tab chain.
        if (name == form::TfmReplaceText::RadioOf(option)) {
            form_.option = option;
            ShowOption();
            return true;
        }
    }
    return false;
}

std::optional<LRESULT> ReplaceTextView::Notify(std::string_view name, NMHDR& header) {
    if (name == "seIncrement" && header.code == UDN_DELTAPOS && !showing_)
        window_.Focus(name);
    return std::nullopt;
}

bool ReplaceTextView::ControlMessage(std::string_view name, UINT message, WPARAM, LPARAM) {
    if (message != WM_LBUTTONDOWN || showing_)
        return false;
    // A click in a field uses it even when it changes nothing.
    if (name == "eNewText") {
        form_.NewTextUsed();
        ShowOption();
    } else if (name == "seIncrement") {
        IncrementEdited();
    }
    return false;
}

} // namespace qx::win32
