// Drives one macro through the real call protocol: starts an invocation, follows the requests
// that need no user, and hands the user's answers to the macro. The scenario runner, the window
// and batch runs all drive the macro through this one class; they differ only in where the
// answers come from.
#pragma once

#include "cadhost/driver/answer.h"
#include "cadhost/driver/invocation.h"
#include "cadhost/driver/ui_state.h"
#include "host/host_api.h"
#include "host/host_records.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace cadhost {

// Where an invocation stands after a step.
enum class DriverState {
    Idle,    // no invocation has started, or the last one has ended
    Waiting, // the macro waits for the user's answer to the session's request
    Failed,  // the macro kept asking without ever waiting; the invocation was ended
};

class MacroDriver {
public:
    explicit MacroDriver(qx::host::Main_fn main) : main_(main) {}

    // A new invocation: the size query, a zero-filled record, the first call, then every
    // request that needs no user.
    DriverState Start();
    // Hands an answer to the request the macro waits on, then follows it as far as it goes
    // without the user. An answer that does not fit the request is refused with a message and
    // changes nothing.
    std::string Answer(const cadhost::Answer& answer);
    // The host ends the invocation early (its last call). Nothing happens when none runs.
    void Finish();

    DriverState State() const { return state_; }
    bool Running() const { return invocation_.has_value() && invocation_->Running(); }
    const Request& Waiting() const;
    const std::string& FailureMessage() const { return failure_; }
    // The size the macro answered to the size query of the current or last invocation.
    std::int32_t LocalSize() const { return localSize_; }

    // Called for each key the macro hands back to the host (callGlobalesc): the host handles it
    // and the macro goes on at once.
    std::function<void(std::int32_t key)> onGlobalKey;
    // Called once an answer has been accepted, before the macro goes on with it.
    std::function<void()> onAnswerAccepted;

private:
    DriverState Settle(std::int32_t answer);
    std::string Fill(const cadhost::Answer& answer, Request& request);
    std::string FillSelection(const SelectionAnswer& selection, Request& request);
    // How many requests in a row may need no user before the macro counts as stuck. A scan
    // hands control back to the host between entities, so the limit grows with the drawing.
    std::size_t AutomaticCallLimit() const;

    qx::host::Main_fn main_;
    std::optional<Invocation> invocation_;
    DriverState state_ = DriverState::Idle;
    std::string failure_;
    std::int32_t localSize_ = 0;
    // The records a completed selection leads to; the macro may read them until the next one.
    qx::host::SelInfoRec selInfo_{};
    qx::host::SelMaskRec selMask_{};
};

} // namespace cadhost
