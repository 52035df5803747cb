#include "controller/state_table.h"

#include "controller/states.h"

#include <array>

namespace qx {
namespace {

constexpr std::array kStates = {
    StateEntry{stMainMenu, MainMenuInput, MainMenuSetup},
    StateEntry{stWholeLayers, WholeLayersInput, WholeLayersSetup},
    StateEntry{stCaseMenu, CaseMenuInput, CaseMenuSetup},
    StateEntry{stIncMenu, IncMenuInput, IncMenuSetup},
    StateEntry{stSearchText, SearchTextInput, SearchTextSetup},
    StateEntry{stStartSearchText, SearchTextInput, SearchTextSetup},
    StateEntry{stReplaceText, ReplaceTextInput, ReplaceTextSetup},
    StateEntry{stIncValue, IncValueInput, IncValueSetup},
    StateEntry{stResult, ResultInput, ResultSetup},
    StateEntry{stReport, ReportInput, ResultSetup},
    StateEntry{stHiliteClr, HiliteColourInput, HiliteColourSetup},
    StateEntry{stHiliteWgt, HiliteWeightInput, HiliteWeightSetup},
    StateEntry{stSettings, SettingsMenuInput, SettingsMenuSetup},
    StateEntry{stStartReview, StartReviewInput, StartReviewSetup},
    StateEntry{stReview, ReviewInput, ReviewSetup},
    StateEntry{stLenReview, ReviewInput, ReviewSetup},
    StateEntry{stAfterReview, AfterReviewInput, AfterReviewSetup},
    StateEntry{stHostKey, HostKeyInput, HostKeySetup},
    StateEntry{stFind, FindInput, FindSetup},
    StateEntry{stFindEdit, FindEditInput, FindEditSetup},
};

} // namespace

const StateEntry* FindState(std::int32_t code) {
    for (const StateEntry& e : kStates) {
        if (e.code == code)
            return &e;
    }
    return nullptr;
}

} // namespace qx
