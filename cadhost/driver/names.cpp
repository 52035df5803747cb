#include "cadhost/driver/names.h"

#include "host/host_api.h"

namespace cadhost {

std::string KeyName(std::int32_t code) {
    if (code >= qx::host::kKeyF1 && code < qx::host::kKeyF1 + 10)
        return "F" + std::to_string(code - qx::host::kKeyF1 + 1);
    if (code >= qx::host::kKeyS1 && code < qx::host::kKeyS1 + 10)
        return "S" + std::to_string((code - qx::host::kKeyS1 + 1) % 10);
    return std::to_string(code);
}

std::string RequestName(RequestKind kind) {
    switch (kind) {
    case RequestKind::None:
        return "none";
    case RequestKind::MenuGetMode:
        return "menu";
    case RequestKind::Getesc:
        return "esc";
    case RequestKind::Getint:
        return "int";
    case RequestKind::Getclr:
        return "colour";
    case RequestKind::Getpointp:
        return "point";
    case RequestKind::DGetstr255:
        return "text";
    case RequestKind::CallNone:
        return "callnone";
    case RequestKind::GlobalEsc:
        return "globalesc";
    }
    return "?";
}

} // namespace cadhost
