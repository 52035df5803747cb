#include "dialogs/win32/report_view.h"

#include "dialogs/dialog_result.h"
#include "dialogs/win32/bulb_buttons.h"
#include "dialogs/win32/text_measure.h"
#include "dialogs/win32/wide_text.h"

#include <algorithm>

namespace qx::win32 {
namespace {

constexpr COLORREF kOldColour = RGB(255, 0, 0);
constexpr COLORREF kNewColour = RGB(0, 128, 0);
constexpr COLORREF kPartlyNewColour = RGB(0, 0, 255);
// Shown for a new text that is empty.
constexpr std::string_view kBlank = "<blank>";

WindowOptions ReportOptions() {
    WindowOptions options;
    options.frame = Frame::Caption;
    options.sizing = Sizing::Free;
    return options;
}

} // namespace

ReportView::ReportView(const form::TfmReport& form)
    : form_(form), window_(form::TfmReport::Table(), form::TfmReport::Tabs(), ReportOptions()) {
    window_.SetResultButton("Button1", kResultOk);
    window_.onResized = [this] { Layout(); };
    window_.onTextColour = [this](HWND control) -> std::optional<COLORREF> {
        for (const Shown& shown : labels_)
            if (shown.label == control)
                return shown.colour;
        return std::nullopt;
    };
}

ReportView::~ReportView() {
    // The labels beyond the table's own belong to this view.
    for (std::size_t i = 2; i < labels_.size(); ++i)
        DestroyWindow(labels_[i].label);
}

void ReportView::Build(HWND owner) {
    window_.Create(owner);
    Populate();
    window_.Fit();
}

int ReportView::Run(HWND owner) {
    Build(owner);
    window_.Focus("Button1");
    return window_.RunModal(owner);
}

HWND ReportView::LabelFor(std::size_t index) {
    if (index == 0)
        return window_.Control("lblTxtOld");
    if (index == 1)
        return window_.Control("lblTxtNew");
    HWND label =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0,
                        0, window_.Control("ScrollBox1"), nullptr, nullptr, nullptr);
    return label;
}

void ReportView::ShowLine(std::size_t index, const std::string& text, COLORREF colour,
                          FontStyles styles) {
    HWND label = LabelFor(index);
    SetWindowTextW(label, Widen(text).c_str());
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(styles)), FALSE);
    labels_.push_back({label, colour, styles});
}

void ReportView::Populate() {
    const std::vector<std::string>& lines = form_.lines;
    const std::size_t pairs = lines.size() / 2;
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        const std::string& old = lines[2 * pair];
        const std::string& fresh = lines[2 * pair + 1];
        ShowLine(2 * pair, old.empty() ? std::string{} : old.substr(1), kOldColour, kPlain);
        const bool partly = !fresh.empty() && fresh.front() == 'p';
        const bool changed = !fresh.empty() && fresh.front() == 'n';
        const COLORREF colour = partly ? kPartlyNewColour : kNewColour;
        if (!partly && !changed)
            ShowLine(2 * pair + 1, {}, colour, kPlain);
        else if (fresh.size() == 1)
            ShowLine(2 * pair + 1, std::string(kBlank), colour, kItalic);
        else
            ShowLine(2 * pair + 1, fresh.substr(1), colour, kPlain);
        if (partly) {
            // The label must hear the mouse for its hint to show.
            HWND label = labels_.back().label;
            SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | SS_NOTIFY);
            AddTooltip(window_.Handle(), label, form::TfmReport::kPartlyReplacedHint);
        }
    }
    if (!lines.empty() && !lines.back().empty() && lines.back().front() == 'r')
        window_.SetText("lblResultTxt", lines.back().substr(1));
}

// The pairs one below the other at the list's width: the two texts of a pair touch, and pairs
// are half a button's height apart.
void ReportView::Layout() {
    HWND box = window_.Control("ScrollBox1");
    if (box == nullptr || labels_.empty())
        return;
    RECT client{};
    GetClientRect(box, &client);
    const int button = window_.PlacedRect("Button1").height;
    const int left =
        window_.Table()[static_cast<std::size_t>(RowNamed(window_.Table(), "lblTxtOld"))].rect.x;
    const int width = std::max(window_.PlacedRect("ScrollBox1").width - (2 * button) / 3, 1);
    const int scrolled = GetScrollPos(box, SB_VERT);
    int y =
        window_.Table()[static_cast<std::size_t>(RowNamed(window_.Table(), "lblTxtOld"))].rect.y;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const Shown& shown = labels_[i];
        const TextMeasure measure(DialogFont(shown.styles));
        const int length = GetWindowTextLengthW(shown.label);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(shown.label, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        const int height = measure.WrappedHeight(text, width);
        MoveWindow(shown.label, left, y - scrolled, width, height, TRUE);
        y += height;
        if (i % 2 == 1)
            y += button / 2;
    }
    window_.SetScrollExtent("ScrollBox1", {width + left, y});
}

} // namespace qx::win32
