// The input handlers and request set-ups of the controller's states.
#pragma once

#include "state/quillex_state.h"
#include "state/state_access.h"

#include <cstdint>

namespace qx {

// Main menu and whole layers.
void MainMenuSetup(QuillexL& s, std::int32_t* ret);
void MainMenuInput(QuillexL& s);
void WholeLayersSetup(QuillexL& s, std::int32_t* ret);
void WholeLayersInput(QuillexL& s);

// Text and value entry.
void SearchTextSetup(QuillexL& s, std::int32_t* ret);
void SearchTextInput(QuillexL& s);
void ReplaceTextSetup(QuillexL& s, std::int32_t* ret);
void ReplaceTextInput(QuillexL& s);
void CaseMenuSetup(QuillexL& s, std::int32_t* ret);
void CaseMenuInput(QuillexL& s);
void IncMenuSetup(QuillexL& s, std::int32_t* ret);
void IncMenuInput(QuillexL& s);
void IncValueSetup(QuillexL& s, std::int32_t* ret);
void IncValueInput(QuillexL& s);

// Settings menu and the highlight prompts.
void SettingsMenuSetup(QuillexL& s, std::int32_t* ret);
void SettingsMenuInput(QuillexL& s);
void HiliteColourSetup(QuillexL& s, std::int32_t* ret);
void HiliteColourInput(QuillexL& s);
void HiliteWeightSetup(QuillexL& s, std::int32_t* ret);
void HiliteWeightInput(QuillexL& s);
// Sets the highlight colour label at `position` and the weight label at the next one.
void SetHiliteLabels(std::int32_t position);

// Result and report.
void ResultSetup(QuillexL& s, std::int32_t* ret);
void ResultInput(QuillexL& s);
void ReportInput(QuillexL& s);

// The review loop.
void StartReviewSetup(QuillexL& s, std::int32_t* ret);
void StartReviewInput(QuillexL& s);
void ReviewSetup(QuillexL& s, std::int32_t* ret);
void ReviewInput(QuillexL& s);
void AfterReviewSetup(QuillexL& s, std::int32_t* ret);
void AfterReviewInput(QuillexL& s);
void HostKeySetup(QuillexL& s, std::int32_t* ret);
void HostKeyInput(QuillexL& s);

// Find-only browsing.
void FindSetup(QuillexL& s, std::int32_t* ret);
void FindInput(QuillexL& s);
void FindEditSetup(QuillexL& s, std::int32_t* ret);
void FindEditInput(QuillexL& s);

} // namespace qx
