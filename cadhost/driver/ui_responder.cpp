#include "cadhost/driver/ui_responder.h"

namespace cadhost {
namespace {

UiResponder* g_responder = nullptr;

} // namespace

void SetUiResponder(UiResponder* responder) {
    g_responder = responder;
}

UiResponder* CurrentUiResponder() {
    return g_responder;
}

ScopedUiResponder::ScopedUiResponder(UiResponder& responder) : previous_(g_responder) {
    g_responder = &responder;
}

ScopedUiResponder::~ScopedUiResponder() {
    g_responder = previous_;
}

} // namespace cadhost
