// The Replace Text dialog as a toolkit-free form: its values, its rules, its tab order and its
// table of controls. A view (Qt on Linux, native controls on Windows) shows the values in the
// controls of the same names, hands each user action to the matching rule, and shows what the
// rule left in the values.
//
// The rules:
// - Zero rule: the increment field never shows 0. A value that reads as 0 is replaced at once by
//   -1 when the value before was positive, else by 1.
// - Selection rules: using a value (a change or a click, even one that leaves the value as it
//   was) selects its option and takes that radio button out of the tab order for good, so that
//   Tab moves between the entry fields. While the form is being filled only the zero rule runs.
// - Key filter: the increment field takes digits, both signs and the decimal separator; keys
//   held with Ctrl or Alt are commands (key_filter.h).
#pragma once

#include "dialogs/form/control_table.h"
#include "dialogs/form/key_filter.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {
struct QuillexL;
}

namespace qx::form {

// The three radio buttons of the "Replace With" group.
enum class ReplaceOption : std::uint8_t { Text, ChangeCase, Increment };

// Which part of the dialog gets the focus when it is shown.
enum class StartField : std::int32_t {
    FirstTabStop = -1,
    SearchText = 0,
    ReplaceText = 1,
    ChangeCase = 2,
    Increment = 3
};

class TfmReplaceText {
public:
    virtual ~TfmReplaceText() = default;

    // The values, named as the controls that show them. Texts are UTF-8, as views show them.
    std::string eOldText;
    bool chbCase = false;
    bool chbWord = false;
    bool chbEntity = false;
    ReplaceOption option = ReplaceOption::Text; // rbText, rbChangeCase or rbIncrement
    std::string eNewText;
    int cbCaseOptions = 0; // entry c is operation c + 1
    int cbIncOptions = 0;  // entry p is operation p + 4
    std::int32_t seIncrement = 1;

    StartField startField = StartField::SearchText;
    // True while the form is being filled; the selection rules then do nothing.
    bool populating = false;
    // The last value the increment field accepted.
    std::int32_t PrevIncValue = 0;

    // Fills the values from the state record, as the dialog is opened.
    void FillFrom(const QuillexL& state);
    // Copies the values into the state record and saves the nine settings they hold, to the
    // drawing and to the macro settings file. Called only after OK (or the layer dialog's Find
    // Only): a cancelled dialog leaves the record as it was.
    void ReadInto(QuillexL& state) const;

    // The zero rule on a value the increment field now reads as; returns the value it must
    // show.
    std::int32_t ApplyZeroRule(std::int32_t value);

    // The selection rules, one per control whose use selects an option.
    void NewTextUsed();
    void CaseOptionsUsed();
    void IncOptionsUsed();
    // The increment field's text now reads as `value`: the zero rule, then the selection rule.
    // Returns the value the field must show.
    std::int32_t IncrementUsed(std::int32_t value);

    // Selects an option on the user's behalf and takes its radio button out of the tab order.
    void SelectOption(ReplaceOption chosen);
    // Whether the named control is a stop of the tab chain now. Check boxes never are; radio
    // buttons stop being stops once selected by a rule.
    bool IsTabStop(std::string_view control) const;
    // The control that gets the focus when the dialog is shown; a start field also selects its
    // option (ShowStartField).
    std::string_view StartControl() const;
    void ShowStartField();

    // The increment field's key filter.
    static bool MayBeTypedInIncrement(char32_t c, char32_t decimalPoint);
    static KeyVerdict FilterIncrementKey(const KeyStroke& key, char32_t decimalPoint) {
        return FilterKey(key, MayBeTypedInIncrement, decimalPoint);
    }

    // The option a radio button stands for, and back.
    static std::string_view RadioOf(ReplaceOption option);

    // The controls, their designed places and captions. Client area 434 x 270; only the width
    // may grow. The layer dialog has a table of its own.
    virtual ControlTable Table() const;
    // The tab chain in order; IsTabStop says which of them stop now.
    virtual TabOrder Tabs() const;

protected:
    std::array<bool, 3> outOfTabOrder_{};
};

} // namespace qx::form
