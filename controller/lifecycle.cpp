#include "controller/lifecycle.h"

#include "controller/host_calls.h"
#include "controller/replace_form_runner.h"
#include "drawing/hilite_box.h"
#include "host/host_table.h"
#include "platform/platform.h"
#include "settings/review_forms.h"
#include "settings/settings_store.h"

#include <string>

namespace qx {
namespace {

using settings::GetBoolSetting;
using settings::GetIntSetting;
using settings::GetStrSetting;

constexpr bool kFromDrawing = true;
constexpr bool kFileOnly = false;
constexpr bool kFromFile = true;

void ReadOptions(QuillexL& s) {
    s.confirmEach = GetBoolSetting("ConfirmEach", false, kFromDrawing, kFromFile);
    s.rptChanges = GetBoolSetting("RptChanges", true, kFromDrawing, kFromFile);
    s.dfltPrevTxt = GetBoolSetting("DfltPrevTxt", false, kFileOnly, kFromFile);
    s.useForm = GetBoolSetting("UseForm", true, kFileOnly, kFromFile);
    s.drawOffLyr = GetBoolSetting("DrwOffLyr", false, kFileOnly, kFromFile);
    s.txtAtStart = GetBoolSetting("TxtAtStart", false, kFileOnly, kFromFile);
}

void ReadSearchValues(QuillexL& s) {
    if (s.dfltPrevTxt) {
        s.searchStr.assign(GetStrSetting("SearchStr", "", kFromFile));
        s.replaceStr.assign(GetStrSetting("ReplaceStr", "", kFromFile));
        s.increment = GetIntSetting("Increment", 1);
    } else {
        s.searchStr.assign("");
        s.replaceStr.assign("");
        s.increment = 1;
    }
    s.wholeEnts = GetBoolSetting("WholeEnts", false, kFromDrawing, kFromFile);
    s.wholeWords = GetBoolSetting("WholeWords", false, kFromDrawing, kFromFile);
    s.caseSens = GetBoolSetting("CaseSens", true, kFromDrawing, kFromFile);
    s.operation = static_cast<std::uint8_t>(GetIntSetting("Operation", 0) & 0xFF);
    s.lastInc = GetIntSetting("LastInc", 0);
    s.lastCase = GetIntSetting("LastCase", 0);
}

// Equal first and third corners mean that no box is on show.
void ResetHiliteBox(QuillexL& s) {
    host::point origin;
    host::Host().setpoint(&origin, 0.0);
    s.hiliteBox[0] = origin;
    s.hiliteBox[2] = origin;
    s.hiliteClr = GetIntSetting("hlboxclr", 15);
    s.hiliteWgt = GetIntSetting("hlboxwt", 1);
}

std::int32_t FirstState(QuillexL& s) {
    if (s.txtAtStart && s.useForm)
        return RunReplaceTextForm(StartField::SearchText) ? stMainMenu : stDone;
    if (s.txtAtStart)
        return stStartSearchText;
    return stMainMenu;
}

template <class T> void Release(T*& p) {
    delete p;
    p = nullptr;
}

} // namespace

void ShowBanner() { call::wrterr("Quillex v1.0.1.1"); }

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
