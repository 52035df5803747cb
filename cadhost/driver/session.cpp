#include "cadhost/driver/session.h"

#include <memory>

namespace cadhost {
namespace {
std::unique_ptr<Session>& Holder() {
    static auto session = std::make_unique<Session>();
    return session;
}
} // namespace

Session& CurrentSession() {
    return *Holder();
}

void ResetSession() {
    Holder() = std::make_unique<Session>();
}

} // namespace cadhost
