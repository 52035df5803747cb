// The native Windows view's side of the boundary in dialogs/forms.h.
#include "dialogs/forms.h"

#include "dialogs/dialog_result.h"
#include "dialogs/form/review_form_kind.h"
#include "dialogs/form/selset_form.h"
#include "dialogs/win32/confirm_view.h"
#include "dialogs/win32/layers_view.h"
#include "dialogs/win32/replace_text_view.h"
#include "dialogs/win32/report_view.h"
#include "dialogs/win32/selset_view.h"
#include "dialogs/win32/window_placement.h"
#include "host/codepage.h"
#include "host/host_records.h"
#include "host/host_table.h"
#include "platform/platform.h"
#include "state/state_access.h"

#include <memory>

namespace qx::forms {

// The floating window the state record keeps: the confirm or the found-text view.
class ReviewWindow {
public:
    virtual ~ReviewWindow() = default;
    virtual win32::FormWindow& Window() = 0;
};

namespace {

using settings::PlacementFile;

class ConfirmWindow final : public ReviewWindow {
public:
    ConfirmWindow()
        : view([](std::int32_t key) { platform::SendHostKey(key); },
               form::TfmConfirm::kAnswerKeys) {}
    win32::FormWindow& Window() override { return view.Window(); }
    win32::ConfirmView view;
};

class FoundTextWindow final : public ReviewWindow {
public:
    win32::FormWindow& Window() override { return view.Window(); }
    win32::FoundTextView view;
};

// The process's windows that are not the macro's own.
bool IsMacroWindow(HWND window) {
    return win32::FormWindow::FromHandle(window) != nullptr;
}

BOOL CALLBACK FindHostWindow(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && !IsMacroWindow(window) &&
        GetWindow(window, GW_OWNER) == nullptr) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The host's window, which owns the macro's windows: the active window unless it is one of the
// macro's, else the first visible top-level window of this thread that is not the macro's.
HWND HostWindow() {
    HWND active = GetActiveWindow();
    if (active != nullptr) {
        HWND root = GetAncestor(active, GA_ROOTOWNER);
        if (root != nullptr && !IsMacroWindow(root))
            return root;
    }
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindHostWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The host's automation, when it drives the macro's dialogs, gets every modal run.
void UseHostAutomation() {
    static const bool installed = [] {
        win32::FormWindow::SetModalHost(
            [](HWND dialog) { return platform::RunModalInHost(dialog); });
        return true;
    }();
    (void)installed;
}

// Runs a built view modally where the user last left it, and keeps its place afterwards.
template <class View> int RunPlaced(View& view, HWND owner, const Closing& closing) {
    UseHostAutomation();
    win32::FormWindow& window = view.Window();
    window.onBeforeShow = [&] { win32::RestoreWindowPlace(window, owner, PlacementFile::Macro); };
    const int result = view.Run(owner);
    if (closing)
        closing(result);
    win32::SaveWindowPlace(window, PlacementFile::Macro);
    return result;
}

constexpr int kSetCount = 8;
constexpr std::int32_t kMaxSetNameLength = 255;

// The sets as the list shows them: a leading "$" marks the active set.
std::vector<std::string> SetNames() {
    const auto& h = host::Host();
    const host::SaveVarRec* saved = h.PGSavevar();
    // Copied out: the mask sits unaligned in the host's packed record.
    const std::int32_t mask = saved == nullptr ? 0 : saved->selSetMask;
    std::vector<std::string> names;
    for (int set = 0; set < kSetCount; ++set) {
        host::str255 name;
        h.ssGetName(set, &name, kMaxSetNameLength);
        std::string entry = host::Cp1252ToUtf8(name.view());
        if ((mask & (std::int32_t{1} << set)) != 0)
            entry.insert(entry.begin(), '$');
        names.push_back(std::move(entry));
    }
    return names;
}

} // namespace

int RunReplaceText(form::TfmReplaceText& form, const Closing& closing) {
    win32::ReplaceTextView view(form);
    return RunPlaced(view, HostWindow(), closing);
}

int RunLayers(form::TfmLayers& form, const Closing& closing) {
    form.PopulateLayers();
    win32::LayersView view(form);
    return RunPlaced(view, HostWindow(), closing);
}

SelSetChoice RunSelSet(int entityCount) {
    form::TfmSelSet form;
    form.FillFrom(State(), entityCount);
    win32::SelSetView view(form, SetNames());
    SelSetChoice choice;
    choice.result = RunPlaced(view, HostWindow(), {});
    if (choice.result == kResultOk && form.lbSelSets >= 0) {
        choice.set = form.lbSelSets;
        choice.append = form.chbAppend;
    }
    return choice;
}

void RunReport(const ReportLines& lines) {
    form::TfmReport form;
    // The lines hold the drawing's 8-bit texts; the view shows UTF-8.
    for (const std::string& line : lines)
        form.lines.push_back(host::Cp1252ToUtf8(line));
    win32::ReportView view(form);
    UseHostAutomation();
    view.Run(HostWindow());
}

ReviewWindow* CreateReviewWindow(std::uint8_t kind) {
    std::unique_ptr<ReviewWindow> window;
    if (kind == static_cast<std::uint8_t>(ReviewFormKind::Confirm))
        window = std::make_unique<ConfirmWindow>();
    else if (kind == static_cast<std::uint8_t>(ReviewFormKind::FoundText))
        window = std::make_unique<FoundTextWindow>();
    if (window == nullptr)
        return nullptr;
    UseHostAutomation();
    const HWND owner = HostWindow();
    if (auto* confirm = dynamic_cast<ConfirmWindow*>(window.get()))
        confirm->view.Create(owner);
    else if (auto* found = dynamic_cast<FoundTextWindow*>(window.get()))
        found->view.Create(owner);
    win32::RestoreWindowPlace(window->Window(), owner, PlacementFile::Shared);
    return window.release();
}

void DestroyReviewWindow(ReviewWindow* window) {
    if (window == nullptr)
        return;
    try {
        win32::SaveWindowPlace(window->Window(), PlacementFile::Shared);
    } catch (...) {
        // The window goes whatever happened to its placement.
    }
    delete window;
}

void ShowReviewWindow(ReviewWindow& window) {
    window.Window().ShowFloating();
}

void ShowConfirm(ReviewWindow& window, form::TfmConfirm& form) {
    if (auto* confirm = dynamic_cast<ConfirmWindow*>(&window))
        confirm->view.Show(form);
}

void ShowFoundText(ReviewWindow& window, const form::TfmFoundText& form) {
    if (auto* found = dynamic_cast<FoundTextWindow*>(&window))
        found->view.Show(form);
}

} // namespace qx::forms
