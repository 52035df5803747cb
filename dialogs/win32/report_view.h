// The native view of the change report: each changed entity's old text in red with its new
// text below it (green; blue where not every match could be replaced), in a scrolled list that
// re-wraps with the window, and the search's result message at the bottom.
#pragma once

#include "dialogs/form/report_form.h"
#include "dialogs/win32/form_window.h"

#include <string>
#include <vector>

namespace qx::win32 {

class ReportView {
public:
    explicit ReportView(const form::TfmReport& form);
    ~ReportView();
    ReportView(const ReportView&) = delete;
    ReportView& operator=(const ReportView&) = delete;

    int Run(HWND owner);
    void Build(HWND owner);
    FormWindow& Window() { return window_; }

    // The pairs' labels as shown, old and new, for tests and automation.
    struct Shown {
        HWND label;
        COLORREF colour;
        FontStyles styles;
    };
    const std::vector<Shown>& Labels() const { return labels_; }

private:
    void Populate();
    HWND LabelFor(std::size_t index);
    void ShowLine(std::size_t index, const std::string& text, COLORREF colour, FontStyles styles);
    void Layout();

    const form::TfmReport& form_;
    FormWindow window_;
    // Old and new label of every pair, in order; the first two are the table's own.
    std::vector<Shown> labels_;
};

} // namespace qx::win32
