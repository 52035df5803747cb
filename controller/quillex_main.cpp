#include "controller/quillex_main.h"

#include "controller/lifecycle.h"
#include "controller/state_table.h"
#include "host/host_table.h"
#include "platform/platform.h"
#include "state/state_access.h"

#include <exception>
#include <string>

namespace qx {
namespace {

using host::Action;

void RunInputHandler(QuillexL& s) {
    const StateEntry* entry = FindState(s.state);
    if (entry == nullptr || entry->input == nullptr) {
        s.state = stDone;
        return;
    }
    entry->input(s);
}

void RunRequestSetup(QuillexL& s, std::int32_t* ret) {
    const StateEntry* entry = FindState(s.state);
    if (entry != nullptr && entry->setup != nullptr)
        entry->setup(s, ret);
}

// A host that lacks a function the macro needs must never see the macro call an empty slot:
// the invocation ends at start-up with the names of the missing functions.
bool HostIsComplete(Action action) {
    const auto missing = host::UnboundHostFunctions();
    if (missing.empty())
        return true;
    if (action == Action::CallStart) {
        std::string names;
        for (const auto& n : missing)
            names += (names.empty() ? "" : ", ") + n;
        platform::ErrorBox("The host does not provide these functions: " + names +
                           "\r\n\r\nMacro will exit");
    }
    return false;
}

// Nothing may unwind into the host: the invocation ends with a message instead.
std::int32_t EndOnInternalError(QuillexL& s, const std::string& what) {
    s.state = stDone;
    platform::ErrorBox("Unexpected error: " + what + " - please advise macro author");
    return 0;
}

std::int32_t RunCall(Action action, QuillexL& s) {
    std::int32_t ret = 0;
    if (action == Action::CallResume)
        RunInputHandler(s);
    switch (action) {
    case Action::CallStart:
        StartUp(s);
        break;
    case Action::CallFinish:
        ShutDown(s);
        // A finish that arrives while a state is still set would set up a request after the
        // lists were released; the invocation is over, so the answer is always 0.
        return 0;
    default:
        break;
    }
    RunRequestSetup(s, &ret);
    return ret;
}

} // namespace

std::int32_t Quillex_Main(std::uint8_t actionCode, QuillexL* record, void* /*arg*/) {
    SetStatePointer(record);
    const auto action = static_cast<Action>(actionCode);
    // The size query comes before the host has allocated a record.
    if (record == nullptr && action != Action::CallSizeQuery)
        return 0;
    // The size is answered even to an incomplete host, so that the first call can come and
    // tell the user what is missing.
    if (action == Action::CallSizeQuery) {
        if (host::Host().SetLocalSize != nullptr)
            host::Host().SetLocalSize(static_cast<std::int32_t>(kStateRecordSize));
        return 0;
    }
    if (!HostIsComplete(action)) {
        if (action == Action::CallStart)
            record->state = stDone;
        return 0;
    }
    try {
        return RunCall(action, *record);
    } catch (const std::exception& e) {
        return EndOnInternalError(*record, e.what());
    } catch (...) {
        return EndOnInternalError(*record, "unknown");
    }
}

} // namespace qx
