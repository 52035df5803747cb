// The host's user-interface state: the function-key labels, the three message lines and the
// request the macro made last.
#pragma once

#include "cadhost/driver/keys.h"
#include "host/host_records.h"
#include "host/host_types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cadhost {

struct Label {
    bool set = false;
    std::string text; // Windows-1252
    std::string hint;
    enum class Call { Lblset, Lblsett, lblsettf } call = Call::Lblset;
    bool on = false;        // Lblsett
    std::int32_t state = 0; // lblsettf
};

enum class RequestKind {
    None,
    MenuGetMode,
    Getesc,
    Getint,
    Getclr,
    Getpointp,
    DGetstr255,
    CallNone,
    GlobalEsc,
};

// The request the macro set up in its last call, and where the answer goes.
struct Request {
    RequestKind kind = RequestKind::None;
    void* res = nullptr;
    std::int32_t* intTarget = nullptr;       // getint, getclr
    qx::host::str255* textTarget = nullptr;  // callDGetstr255
    qx::host::ModeRec* modeTarget = nullptr; // menuGetMode
    std::string caption{};                   // menuGetMode
    std::int32_t key = 0;                    // callGlobalesc
    std::int32_t maxLen = 255;               // callDGetstr255
    std::int32_t initialInt = 0;
    std::string initialText{};
};

struct UiState {
    // One label per key position (keys.h).
    std::array<Label, kKeyPositions> labels{};
    bool labelsOn = false;
    std::string level, message, error;
    Request request;
    std::int32_t requestsThisCall = 0;
    std::int32_t localSize = 0;      // from SetLocalSize
    std::vector<std::string> events; // transcript lines the host functions add
};

} // namespace cadhost
