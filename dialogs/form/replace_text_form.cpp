#include "dialogs/form/replace_text_form.h"

#include "dialogs/form/search_groups.h"
#include "host/codepage.h"
#include "settings/settings_keys.h"
#include "state/quillex_state.h"

namespace qx::form {
namespace {

constexpr Edges kStretch = kLeft | kTop | kRight;
constexpr Edges kFarCorner = kRight | kBottom;

constexpr auto kTable = JoinRows(
    std::array<ControlSpec, 2>{{
        {"fmReplaceText", Kind::Window, "", {0, 0, 434, 270}, "Replace Text"},
        {"GroupBox1",
         Kind::GroupBox,
         "fmReplaceText",
         {8, 8, 398, 84},
         "Text to Search For",
         kStretch},
    }},
    SearchGroupControls(0),
    std::array<ControlSpec, 1>{{
        {"GroupBox2", Kind::GroupBox, "fmReplaceText", {8, 98, 398, 130}, "Replace With", kStretch},
    }},
    ReplaceGroupControls(0),
    std::array<ControlSpec, 2>{{
        {"btnOK",
         Kind::Button,
         "fmReplaceText",
         {331, 236, 75, 25},
         "OK",
         kFarCorner,
         {},
         0,
         Role::Default},
        {"btnCancel",
         Kind::Button,
         "fmReplaceText",
         {251, 236, 67, 25},
         "Cancel",
         kFarCorner,
         {},
         0,
         Role::Cancel},
    }});

constexpr std::string_view kTabs[] = {
    "eOldText",    "rbText",       "eNewText",    "rbChangeCase", "cbCaseOptions",
    "rbIncrement", "cbIncOptions", "seIncrement", "btnOK",        "btnCancel"};

constexpr ReplaceOption kOptions[] = {ReplaceOption::Text, ReplaceOption::ChangeCase,
                                      ReplaceOption::Increment};

std::string Shown(const host::str255& text) {
    return host::Cp1252ToUtf8(text.view());
}

// Characters the code page cannot hold become '?'; str255 keeps the first 255.
host::str255 Stored(const std::string& utf8) {
    return host::str255(host::Utf8ToCp1252Lossy(utf8));
}

// The entry the operation names when its option is the chosen one, else the entry last used,
// else the entry as it is.
int EntryFor(int operation, OperationRange family, int lastUsed, int current) {
    if (family.Contains(operation))
        return family.IndexOf(operation);
    if (lastUsed >= 0 && lastUsed < family.Count())
        return lastUsed;
    return current;
}

std::size_t Index(ReplaceOption option) {
    return static_cast<std::size_t>(option);
}

} // namespace

void TfmReplaceText::FillFrom(const QuillexL& state) {
    populating = true;
    eOldText = Shown(state.searchStr);
    eNewText = Shown(state.replaceStr);
    chbCase = state.caseSens;
    chbWord = state.wholeWords;
    chbEntity = state.wholeEnts;

    const int operation = state.operation;
    cbCaseOptions = EntryFor(operation, kCaseOperations, state.lastCase, cbCaseOptions);
    cbIncOptions = EntryFor(operation, kIncOperations, state.lastInc, cbIncOptions);
    if (kCaseOperations.Contains(operation)) {
        option = ReplaceOption::ChangeCase;
    } else if (kIncOperations.Contains(operation)) {
        option = ReplaceOption::Increment;
    } else {
        option = ReplaceOption::Text;
        outOfTabOrder_[Index(ReplaceOption::Text)] = true;
    }
    // The zero rule must know the value the dialog starts with.
    seIncrement = ApplyZeroRule(state.increment);
    populating = false;
}

void TfmReplaceText::ReadInto(QuillexL& state) const {
    using settings::SaveBool;
    using settings::SaveInt;
    using settings::SaveText;
    using settings::SettingKey;

    state.searchStr = Stored(eOldText);
    state.caseSens = chbCase;
    state.wholeWords = chbWord;
    state.wholeEnts = chbEntity;
    SaveText(SettingKey::SearchStr, state.searchStr.str());
    SaveBool(SettingKey::WholeEnts, state.wholeEnts);
    SaveBool(SettingKey::WholeWords, state.wholeWords);
    SaveBool(SettingKey::CaseSens, state.caseSens);

    state.replaceStr = Stored(eNewText);
    SaveText(SettingKey::ReplaceStr, state.replaceStr.str());

    if (option == ReplaceOption::Increment)
        state.operation = kIncOperations.At(cbIncOptions);
    else if (option == ReplaceOption::ChangeCase)
        state.operation = kCaseOperations.At(cbCaseOptions);
    else
        state.operation = opReplace;
    SaveInt(SettingKey::Operation, state.operation);

    // Both list entries are kept whichever option is chosen, so the next filling shows them.
    state.increment = seIncrement;
    state.lastInc = cbIncOptions;
    SaveInt(SettingKey::Increment, state.increment);
    SaveInt(SettingKey::LastInc, state.lastInc);

    state.lastCase = cbCaseOptions;
    SaveInt(SettingKey::LastCase, state.lastCase);
}

std::int32_t TfmReplaceText::ApplyZeroRule(std::int32_t value) {
    if (value == 0)
        value = PrevIncValue > 0 ? -1 : 1;
    PrevIncValue = value;
    return value;
}

void TfmReplaceText::SelectOption(ReplaceOption chosen) {
    option = chosen;
    outOfTabOrder_[Index(chosen)] = true;
}

void TfmReplaceText::NewTextUsed() {
    if (!populating)
        SelectOption(ReplaceOption::Text);
}

void TfmReplaceText::CaseOptionsUsed() {
    if (!populating)
        SelectOption(ReplaceOption::ChangeCase);
}

void TfmReplaceText::IncOptionsUsed() {
    if (!populating)
        SelectOption(ReplaceOption::Increment);
}

std::int32_t TfmReplaceText::IncrementUsed(std::int32_t value) {
    seIncrement = ApplyZeroRule(value);
    IncOptionsUsed();
    return seIncrement;
}

bool TfmReplaceText::IsTabStop(std::string_view control) const {
    for (const ReplaceOption each : kOptions) {
        if (control == RadioOf(each))
            return !outOfTabOrder_[Index(each)];
    }
    for (const std::string_view stop : Tabs()) {
        if (control == stop)
            return true;
    }
    return false;
}

std::string_view TfmReplaceText::StartControl() const {
    switch (startField) {
    case StartField::FirstTabStop:
        for (const std::string_view stop : Tabs()) {
            if (IsTabStop(stop))
                return stop;
        }
        return {};
    case StartField::ReplaceText:
        return "eNewText";
    case StartField::ChangeCase:
        return "cbCaseOptions";
    case StartField::Increment:
        return "cbIncOptions";
    default:
        return "eOldText";
    }
}

void TfmReplaceText::ShowStartField() {
    // The option is selected as if by hand: the button stays in the chain.
    switch (startField) {
    case StartField::ReplaceText:
        option = ReplaceOption::Text;
        return;
    case StartField::ChangeCase:
        option = ReplaceOption::ChangeCase;
        return;
    case StartField::Increment:
        option = ReplaceOption::Increment;
        return;
    default:
        return;
    }
}

bool TfmReplaceText::MayBeTypedInIncrement(char32_t c, char32_t decimalPoint) {
    return (c >= U'0' && c <= U'9') || c == U'+' || c == U'-' || c == decimalPoint;
}

std::string_view TfmReplaceText::RadioOf(ReplaceOption option) {
    switch (option) {
    case ReplaceOption::ChangeCase:
        return "rbChangeCase";
    case ReplaceOption::Increment:
        return "rbIncrement";
    default:
        return "rbText";
    }
}

ControlTable TfmReplaceText::Table() const {
    return kTable;
}

TabOrder TfmReplaceText::Tabs() const {
    return kTabs;
}

} // namespace qx::form
