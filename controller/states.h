// The input handlers and request set-ups of the controller's states.
#pragma once

#include "controller/quillex_state.h"

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

} // namespace qx
