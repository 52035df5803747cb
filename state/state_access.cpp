#include "state/state_access.h"

#include <stdexcept>

namespace qx {
namespace {
QuillexL* g_state = nullptr;
}

void SetStatePointer(QuillexL* record) {
    g_state = record;
}

QuillexL& State() {
    if (g_state == nullptr)
        throw std::logic_error("the state record is used outside a call of Main");
    return *g_state;
}

bool HasState() {
    return g_state != nullptr;
}

} // namespace qx
