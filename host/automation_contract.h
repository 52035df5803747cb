// What the host's automation may rely on in the macro's windows: the names of its windows and
// controls, the codes its dialogs close with, and the wording of the result message it writes
// on the error line. The macro's dialogs set these names, and the scenario runner, the window
// and batch runs find and read them through this header only, so that a renamed control or a
// reworded message is one change here, not a hunt through every program that drives the macro.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// The codes with which the macro's modal dialogs close.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
// The layer dialog's "Find Only".
inline constexpr int kResultFindOnly = 11;

namespace automation {

// The macro's windows, by object name. Every one of them starts with the form prefix, which is
// how a host tells the macro's windows from its own.
inline constexpr std::string_view kFormPrefix = "fm";
inline constexpr const char* kReplaceTextForm = "fmReplaceText";
inline constexpr const char* kLayersForm = "fmLayers";
inline constexpr const char* kSelectionSetForm = "fmSelSet";
inline constexpr const char* kReportForm = "fmReport";
inline constexpr const char* kEditTextForm = "fmEditText";
inline constexpr const char* kConfirmWindow = "fmConfirm";
inline constexpr const char* kFoundTextWindow = "fmFoundText";

// True for a window of the macro's, by its object name.
inline bool IsMacroWindowName(std::string_view objectName) {
    return objectName.starts_with(kFormPrefix);
}

// Controls the host's automation presses or reads, by object name.
inline constexpr const char* kOkButton = "btnOK";
inline constexpr const char* kCancelButton = "btnCancel";
// The layer dialog's "Clear" of its choice.
inline constexpr const char* kClearButton = "btnClear";
// The layer dialog's "Find Only"; the report's way out.
inline constexpr const char* kSecondButton = "Button1";
inline constexpr const char* kLayerGrid = "sgLayers";
inline constexpr const char* kSelectionSetList = "lbSelSets";
inline constexpr const char* kAppendCheck = "chbAppend";
// The confirm window's texts before and after the change, and the found-text window's text.
inline constexpr const char* kOldTextLabel = "lblOldTxt";
inline constexpr const char* kNewTextLabel = "lblNewTxt";
inline constexpr const char* kFoundTextLabel = "lblFoundText";

// The native Windows view marks its windows for a host's automation, which lives in another
// module and cannot see the view's objects: every window and control it creates carries the
// window property kWin32NameProperty, a global atom (GlobalAddAtomW) of its name above. A modal
// dialog handed to the host's runModal hook (host/ui_hooks.h) gets, once a button, Enter, Esc or
// the close box ended it, the property kWin32ResultProperty holding its result code; until then
// it has none. The hook returns that code, and the dialog closes with it.
inline constexpr const wchar_t* kWin32NameProperty = L"QuillexName";
inline constexpr const wchar_t* kWin32ResultProperty = L"QuillexResult";

// The result message of a run, as the macro writes it on the error line.
inline std::string ReplacementsMessage(std::int32_t replacements, std::int32_t entities) {
    return std::to_string(replacements) + " replacements made in " + std::to_string(entities) +
           " entities";
}
inline constexpr std::string_view kNothingChangedMessage = "No entities were changed";
inline std::string UpdatedMessage(std::int32_t entities) {
    return std::to_string(entities) + " entities were updated.";
}

namespace detail {

// The whole number at the front of `text`, and what follows it.
inline std::optional<std::int32_t> LeadingCount(std::string_view& text) {
    // Digits only: no sign, as the macro never writes one.
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

} // namespace detail

// The number of replacements (or, for the other operations, of updated entities) a result
// message tells; none for "No entities were changed" and for any other text.
inline std::optional<std::int32_t> CountInResultMessage(std::string_view message) {
    std::string_view rest = message;
    const auto count = detail::LeadingCount(rest);
    if (!count)
        return std::nullopt;
    if (rest == " entities were updated.")
        return count;
    constexpr std::string_view kMadeIn = " replacements made in ";
    if (!rest.starts_with(kMadeIn))
        return std::nullopt;
    rest.remove_prefix(kMadeIn.size());
    if (!detail::LeadingCount(rest) || rest != " entities")
        return std::nullopt;
    return count;
}

} // namespace automation
} // namespace qx
