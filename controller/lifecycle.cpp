#include "controller/lifecycle.h"

#include "controller/host_calls.h"
#include "controller/replace_form_runner.h"
#include "controller/review_forms.h"
#include "drawing/hilite_box.h"
#include "host/host_table.h"
#include "platform/platform.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

#include <string>

namespace qx {
namespace {

using settings::ReadBool;
using settings::ReadInt;
using settings::ReadText;
using settings::SettingKey;

void ReadOptions(QuillexL& s) {
    s.confirmEach = ReadBool(SettingKey::ConfirmEach);
    s.rptChanges = ReadBool(SettingKey::RptChanges);
    s.dfltPrevTxt = ReadBool(SettingKey::DfltPrevTxt);
    s.useForm = ReadBool(SettingKey::UseForm);
    s.drawOffLyr = ReadBool(SettingKey::DrwOffLyr);
    s.txtAtStart = ReadBool(SettingKey::TxtAtStart);
}

void ReadSearchValues(QuillexL& s) {
    if (s.dfltPrevTxt) {
        s.searchStr.assign(ReadText(SettingKey::SearchStr));
        s.replaceStr.assign(ReadText(SettingKey::ReplaceStr));
        s.increment = ReadInt(SettingKey::Increment);
    } else {
        s.searchStr.assign("");
        s.replaceStr.assign("");
        s.increment = 1;
    }
    s.wholeEnts = ReadBool(SettingKey::WholeEnts);
    s.wholeWords = ReadBool(SettingKey::WholeWords);
    s.caseSens = ReadBool(SettingKey::CaseSens);
    // The operation field holds 8 bits.
    s.operation = static_cast<std::uint8_t>(ReadInt(SettingKey::Operation) & 0xFF);
    s.lastInc = ReadInt(SettingKey::LastInc);
    s.lastCase = ReadInt(SettingKey::LastCase);
}

// Equal first and third corners mean that no box is on show.
void ResetHiliteBox(QuillexL& s) {
    host::point origin;
    host::Host().setpoint(&origin, 0.0);
    s.hiliteBox[0] = origin;
    s.hiliteBox[2] = origin;
    s.hiliteClr = ReadInt(SettingKey::HlBoxClr);
    s.hiliteWgt = ReadInt(SettingKey::HlBoxWt);
}

std::int32_t FirstState(QuillexL& s) {
    if (s.txtAtStart && s.useForm)
        return RunReplaceTextForm(StartField::SearchText) ? stMainMenu : stDone;
    if (s.txtAtStart)
        return stStartSearchText;
    return stMainMenu;
}

template <class T> void Release(RecordPtr<T>& p) {
    delete p.get();
    p = nullptr;
}

} // namespace

void ShowBanner() {
    call::wrterr("Quillex v1.0.1.1");
}

void StartUp(QuillexL& s) {
    s.state = stDone;
    s.numReplacements = 0;
    s.numEntsChanged = 0;
    s.undoOpen = false;
    if (host::Host().DataCAD_Version() < host::kHostVersionMinimum) {
        platform::ErrorBox("This macro is requires DataCAD version 23.00.03.01 or greater.");
        return;
    }
    if (!settings::InitSettings("Quillex"))
        return;
    ShowBanner();
    ReadOptions(s);
    ReadSearchValues(s);
    ResetHiliteBox(s);
    s.state = FirstState(s);
    // The host hands over a fresh record for every invocation: nothing here is ours to free yet.
    s.pendingList = new PendingList();
    s.reportLines = new ReportLines();
    s.editedText = new std::string();
    s.reviewFormKind = 0;
    s.reviewForm = nullptr;
}

void ShutDown(QuillexL& s) {
    Release(s.pendingList);
    Release(s.reportLines);
    Release(s.editedText);
    EraseHiliteBox();
    FreeReviewForm();
}

} // namespace qx
