// The deterministic record of a scenario run: every request with its labels and lines, every
// message box and dialog, and the user's actions.
#pragma once

#include "cadhost/driver/keys.h"
#include "cadhost/driver/request_name.h"
#include "cadhost/driver/ui_state.h"

#include <array>
#include <ostream>
#include <string>

namespace cadhost::scenario {

using cadhost::KeyName;
using cadhost::RequestName;

class Transcript {
public:
    explicit Transcript(std::ostream& out) : out_(out) {}

    void Line(const std::string& text); // texts are UTF-8
    // The request the macro made, and whatever changed on screen since the last one.
    void Request(const UiState& ui);
    void Reset(); // forget what was shown, so that the next request prints everything

private:
    std::ostream& out_;
    std::array<Label, 20> shownLabels_{};
    bool labelsShown_ = false;
    std::string shownLevel_, shownMessage_, shownError_;
};

} // namespace cadhost::scenario
