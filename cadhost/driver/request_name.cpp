#include "cadhost/driver/request_name.h"

namespace cadhost {

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
