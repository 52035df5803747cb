// One invocation of the macro, driven through the real call protocol: the size query, the
// first call, resumes, and the last call.
#pragma once

#include "host/host_api.h"

#include <cstdint>
#include <vector>

namespace cadhost {

class Invocation {
public:
    explicit Invocation(qx::host::Main_fn main) : main_(main) {}

    // Size query, allocation of the zero-filled record, then the first call. Returns the
    // answer of the first call.
    std::int32_t Start();
    std::int32_t Resume();
    // The last call; releases the record. Safe to call once the invocation has ended.
    void Finish();

    // A raw call, for protocol tests.
    std::int32_t Call(std::int32_t callState, std::int32_t action);

    bool Running() const { return running_; }
    std::vector<std::uint8_t>& Record() { return record_; }

private:
    qx::host::Main_fn main_;
    std::vector<std::uint8_t> record_;
    bool running_ = false;
};

} // namespace cadhost
