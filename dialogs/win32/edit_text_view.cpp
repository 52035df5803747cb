#include "dialogs/win32/edit_text_view.h"

#include "dialogs/dialog_result.h"

namespace qx::win32 {
namespace {

WindowOptions EditTextOptions() {
    WindowOptions options;
    options.frame = Frame::CloseBox;
    options.sizing = Sizing::WidthOnly;
    return options;
}

} // namespace

EditTextView::EditTextView(form::TfmEditText& form)
    : form_(form),
      window_(form::TfmEditText::Table(), form::TfmEditText::Tabs(), EditTextOptions()) {
    window_.SetResultButton("Button1", kResultOk);
    window_.SetResultButton("btnCancel", kResultCancel);
}

void EditTextView::Build(HWND owner) {
    window_.Create(owner);
    window_.SetText("eNewText", form_.eNewText);
    window_.Fit();
}

int EditTextView::Run(HWND owner) {
    Build(owner);
    window_.Focus("eNewText");
    SendMessageW(window_.Control("eNewText"), EM_SETSEL, 0, -1);
    const int result = window_.RunModal(owner);
    if (result == kResultOk)
        form_.eNewText = window_.Text("eNewText");
    return result;
}

} // namespace qx::win32
