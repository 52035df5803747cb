#include "cadhost/model/scan_mode.h"

#include <algorithm>
#include <iterator>

namespace cadhost {

ScanKind KindOf(const ModeRec& mode) {
    switch (mode.kind) {
    case static_cast<std::int32_t>(ScanKind::Drawing):
        return ScanKind::Drawing;
    case static_cast<std::int32_t>(ScanKind::Layer):
        return ScanKind::Layer;
    case static_cast<std::int32_t>(ScanKind::Selection):
        return ScanKind::Selection;
    default:
        return ScanKind::None;
    }
}

void InitMode(ModeRec& mode) {
    mode = ModeRec{};
    mode.kind = static_cast<std::int32_t>(ScanKind::Drawing);
}

void SetModeLayer(ModeRec& mode, qx::host::lgl_addr layer) {
    mode.kind = static_cast<std::int32_t>(ScanKind::Layer);
    mode.layer = layer;
}

void SetModeSelection(ModeRec& mode, std::int32_t selection) {
    mode.kind = static_cast<std::int32_t>(ScanKind::Selection);
    mode.selection = selection;
}

void AllowType(ModeRec& mode, std::uint8_t type) {
    const auto count = std::min<std::size_t>(mode.ntypes, std::size(mode.types));
    if (count > 0 && AllowsType(mode, type)) {
        return;
    }
    // A full list keeps what it has: narrowing further would silently drop a type asked for.
    if (count == std::size(mode.types)) {
        return;
    }
    mode.types[count] = type;
    mode.ntypes = static_cast<std::uint8_t>(count + 1);
}

bool AllowsType(const ModeRec& mode, std::uint8_t type) {
    const auto count = std::min<std::size_t>(mode.ntypes, std::size(mode.types));
    if (count == 0) {
        return true;
    }
    return std::find(mode.types, mode.types + count, type) != mode.types + count;
}

} // namespace cadhost
