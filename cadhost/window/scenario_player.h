// Plays a scenario through the window, as a person would act in it: keys on the key panel,
// texts in the prompt line, clicks in the view, selections with the host's tools. Message
// boxes and dialogs are answered from the script, as in a scripted run. Used to bring the
// window into a given state, for a picture of it.
#pragma once

#include "cadhost/scenario/script.h"

#include <string>

namespace cadhost::window {

class HostWindow;

struct PlayOptions {
    std::string drawingFile; // replaces the script's drawing when set
    std::string tempRoot;    // what "<tmp>" in the script stands for
};

// Empty when every step was played and every expectation held; otherwise what went wrong.
// The invocation is left as the script leaves it, running or not.
std::string PlayScenario(HostWindow& window, const scenario::Script& script,
                         const PlayOptions& options);

} // namespace cadhost::window
