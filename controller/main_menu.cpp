// The main menu: the macro's keys over the host's selection menu.
#include "controller/host_calls.h"
#include "controller/replace_form_runner.h"
#include "controller/selected_layers_scan.h"
#include "controller/states.h"
#include "drawing/drawing_scan.h"
#include "drawing/hilite_box.h"
#include "host/res_layout.h"
#include "platform/platform.h"
#include "settings/manual.h"

#include <iterator>
#include <string>

namespace qx {
namespace {

using host::KeyF;
using host::KeyS;

constexpr std::int32_t kLabelHasValue = 3;
constexpr std::int32_t kLabelNoValue = 2;

// A text is shown between single quotes unless the quotes would not fit a label hint.
std::string Quoted(std::string_view text) {
    if (text.size() > 253)
        return std::string(text);
    return "'" + std::string(text) + "'";
}

std::string OnOff(bool on) {
    return on ? "On" : "Off";
}

std::string IncHint(const QuillexL& s) {
    static constexpr const char* kSuffix[] = {"(first num in text)", "(2nd num in text)",
                                              "(last num in text)", "(num at start of text)",
                                              "(num at end of text)"};
    static_assert(std::size(kSuffix) == kIncOperations.Count());
    std::string hint =
        "Increment Numbers in Matching Entities by " + std::to_string(s.increment) + " ";
    if (kIncOperations.Contains(s.operation))
        hint += kSuffix[kIncOperations.IndexOf(s.operation)];
    return hint;
}

void SetSearchLabel(const QuillexL& s) {
    if (s.searchStr.empty()) {
        call::lblsettf(9, "Search For", kLabelNoValue, "Enter the text to search for");
        return;
    }
    call::lblsettf(9, "Search For", kLabelHasValue, Quoted(s.searchStr.view()));
}

void SetReplaceLabel(const QuillexL& s) {
    if (s.operation != opReplace) {
        call::lblsettf(13, "Replace With", kLabelNoValue, "Enter the replacement text");
        return;
    }
    const std::string hint = s.replaceStr.empty() ? "<blank>" : Quoted(s.replaceStr.view());
    call::lblsettf(13, "Replace With", kLabelHasValue, hint);
}

void SetLabels(const QuillexL& s) {
    call::Lblset(7, "Whole Layer(s)", "");
    SetSearchLabel(s);
    call::Lblsett(10, "Case Sensitive", s.caseSens,
                  "Only match where case is exactly the same as search text");
    call::Lblsett(11, "Whole Word", s.wholeWords, "Only match whole words");
    call::Lblsett(12, "Whole Entity", s.wholeEnts, "Only match the complete text of an entity");
    SetReplaceLabel(s);
    call::lblsettf(15, "Change Case",
                   kCaseOperations.Contains(s.operation) ? kLabelHasValue : kLabelNoValue,
                   "Convert Entire Text of Selected Matching Entities to Upper, Lower, or "
                   "Sentence Case");
    call::lblsettf(16, "Inc Number",
                   kIncOperations.Contains(s.operation) ? kLabelHasValue : kLabelNoValue,
                   IncHint(s));
    call::Lblset(18, "Settings",
                 "Use form (" + OnOff(s.useForm) + "), Draw Off Lyrs (" + OnOff(s.drawOffLyr) +
                     ").");
    call::Lblset(19, "Help", "Show the Instruction Manual");
}

// Either the dialog or the prompt state, for the entry keys.
void EnterValue(QuillexL& s, StartField field, std::int32_t promptState) {
    if (s.useForm) {
        RunReplaceTextForm(field);
        return;
    }
    s.state = promptState;
}

void HandleKey(QuillexL& s, std::int32_t key) {
    if (key == KeyF(7)) {
        s.state = stWholeLayers;
    } else if (key == KeyF(9)) {
        EnterValue(s, StartField::SearchText, stSearchText);
    } else if (key == KeyF(10)) {
        s.caseSens = !s.caseSens;
    } else if (key == KeyS(1)) {
        s.wholeWords = !s.wholeWords;
    } else if (key == KeyS(2)) {
        s.wholeEnts = !s.wholeEnts;
    } else if (key == KeyS(3)) {
        EnterValue(s, StartField::ReplaceText, stReplaceText);
    } else if (key == KeyS(5)) {
        EnterValue(s, StartField::ChangeCase, stCaseMenu);
    } else if (key == KeyS(6)) {
        EnterValue(s, StartField::Increment, stIncMenu);
    } else if (key == KeyS(8)) {
        s.state = stSettings;
    } else if (key == KeyS(9)) {
        settings::ShowManual();
    } else if (key == KeyS(0)) {
        s.state = stDone;
        EraseHiliteBox();
    }
}

// The selection-mask record the host's selection menu leads to, or null.
const host::SelMaskRec* SelectionMask(QuillexL& s) {
    const auto* info = static_cast<const host::SelInfoRec*>(host::Res(s.res).modeInfoAddr());
    if (info == nullptr || info->maskAddr == 0)
        return nullptr;
    return reinterpret_cast<const host::SelMaskRec*>(info->maskAddr);
}

void ShowMaskNotes(QuillexL& s) {
    const host::SelMaskRec* mask = SelectionMask(s);
    if (mask == nullptr)
        return;
    const auto& b = mask->bytes;
    const bool restricted = b[host::kMaskActiveA] != 0 && b[host::kMaskActiveB] != 0;
    if (!restricted)
        return;
    if (b[host::kEntParagraphText] != 0 || b[host::kEntMultiLineText] != 0)
        platform::InfoBox(
            "Note that Paragraph Text and Multi-line Text Entities will NOT be updated");
    if (b[host::kEntText] == 0)
        platform::InfoBox(
            "No entities will be updated as Text Entities are disabled in your Mask Settings");
}

void StartSelectionRun(QuillexL& s) {
    ShowMaskNotes(s);
    s.numEntsChanged = 0;
    s.numReplacements = 0;
    s.pendingList->clear();
    ScanEntities(s.scanMode);
    s.state = stStartReview;
}

} // namespace

void MainMenuSetup(QuillexL& s, std::int32_t* ret) {
    s.findOnly = false;
    if (s.undoOpen) {
        host::Host().UndoEndTransaction();
        s.undoOpen = false;
    }
    call::wrtlvl("Quillex");
    call::Lblsinit();
    SetLabels(s);
    call::lblson();
    const host::str255 caption("Manipulate Text");
    host::Host().menuGetMode(&caption, &s.scanMode, s.selWorkArea.data(), s.res, ret);
}

void MainMenuInput(QuillexL& s) {
    const host::Res res(s.res);
    if (res.modeKind() == host::kResultKey) {
        HandleKey(s, res.modeKey());
        return;
    }
    if (res.modeKind() == host::kResultSelection)
        StartSelectionRun(s);
}

void WholeLayersSetup(QuillexL& /*s*/, std::int32_t* ret) {
    call::Lblsinit();
    call::lblson();
    host::Host().callNone(ret);
}

void WholeLayersInput(QuillexL& s) {
    if (!ScanSelectedLayers()) {
        s.state = stMainMenu;
        return;
    }
    s.state = s.findOnly ? stFind : stStartReview;
}

} // namespace qx
