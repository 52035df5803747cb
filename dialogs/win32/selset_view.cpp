#include "dialogs/win32/selset_view.h"

#include "dialogs/dialog_result.h"

namespace qx::win32 {
namespace {

WindowOptions SelSetOptions() {
    WindowOptions options;
    options.frame = Frame::Caption;
    options.sizing = Sizing::Free;
    options.leastOuter = {337, 224};
    return options;
}

} // namespace

SelSetView::SelSetView(form::TfmSelSet& form, std::vector<std::string> setNames)
    : form_(form), setNames_(std::move(setNames)),
      window_(form::TfmSelSet::Table(), form::TfmSelSet::Tabs(), SelSetOptions()) {
    window_.SetResultButton("btnOK", kResultOk);
    window_.SetResultButton("btnCancel", kResultCancel);
    window_.onCommand = [this](std::string_view name, UINT code) {
        if (name == "lbSelSets" && code == LBN_SELCHANGE)
            Chosen();
        if (name == "chbAppend" && code == BN_CLICKED)
            form_.chbAppend = window_.Checked(name);
    };
    // A click on the row already chosen chooses it too, though the list reports no change.
    window_.onControlMessage = [this](std::string_view name, UINT message, WPARAM, LPARAM) {
        if (name == "lbSelSets" && message == WM_LBUTTONUP)
            Chosen();
        return false;
    };
}

void SelSetView::Build(HWND owner) {
    window_.Create(owner);
    if (!form_.title.empty())
        window_.SetTitle(form_.title);
    window_.SetText("Label1", form_.Label1);
    window_.SetItems("lbSelSets", setNames_);
    window_.SetCurrentItem("lbSelSets", form_.lbSelSets);
    window_.SetChecked("chbAppend", form_.chbAppend);
    window_.SetEnabled("btnOK", form_.btnOKEnabled);
    window_.Fit();
}

void SelSetView::Chosen() {
    const int row = window_.CurrentItem("lbSelSets");
    if (row < 0)
        return;
    form_.RowChosen(row);
    window_.SetEnabled("btnOK", form_.btnOKEnabled);
}

int SelSetView::Run(HWND owner) {
    Build(owner);
    window_.Focus("lbSelSets");
    const int result = window_.RunModal(owner);
    form_.chbAppend = window_.Checked("chbAppend");
    return result;
}

} // namespace qx::win32
