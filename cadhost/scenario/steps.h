// The kinds of script steps, each handled by its own unit.
#pragma once

#include "cadhost/scenario/run_context.h"

namespace cadhost::scenario {

// Drawing, host configuration, starting settings. False when the verb is not one of these.
bool RunSetupStep(RunContext& ctx, const Step& step);
// "expect ...".
void RunExpectation(RunContext& ctx, const Step& step);
// Installs the UI hooks that route message boxes and dialogs to the script.
void BeginUiAutomation(RunContext& ctx);
void EndUiAutomation();

} // namespace cadhost::scenario
