#include "cadhost/driver/invocation.h"

#include "cadhost/driver/session.h"

namespace cadhost {

using qx::host::Action;
using qx::host::kCallStateServed;

std::int32_t Invocation::Call(std::int32_t callState, std::int32_t action) {
    auto& ui = CurrentSession().ui;
    ui.requestsThisCall = 0;
    ui.request = Request{};
    return main_(callState, action, record_.empty() ? nullptr : record_.data(), nullptr);
}

std::int32_t Invocation::Start() {
    record_.clear();
    CurrentSession().ui.localSize = 0;
    Call(kCallStateServed, static_cast<std::int32_t>(Action::CallSizeQuery));
    const auto size = CurrentSession().ui.localSize;
    record_.assign(static_cast<std::size_t>(size > 0 ? size : 0), 0);
    running_ = true;
    return Call(kCallStateServed, static_cast<std::int32_t>(Action::CallStart));
}

std::int32_t Invocation::Resume() {
    return Call(kCallStateServed, static_cast<std::int32_t>(Action::CallResume));
}

void Invocation::Finish() {
    if (!running_)
        return;
    Call(kCallStateServed, static_cast<std::int32_t>(Action::CallFinish));
    running_ = false;
}

} // namespace cadhost
