#include "cadhost/driver/keys.h"

#include "host/host_api.h"

#include <array>
#include <cassert>
#include <charconv>

namespace cadhost {
namespace {

constexpr std::array<std::string_view, kKeyPositions> kPositionNames{
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
    "S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S0",
};

// Shift+F10 (S0) is the last position; the host numbers the shifted keys from S1 on.
constexpr int kShiftedFirst = 11;

} // namespace

std::int32_t PositionKey(int position) {
    assert(position >= 1 && position <= kKeyPositions && "no such key position");
    if (position < kShiftedFirst)
        return qx::host::KeyF(position);
    return qx::host::kKeyS1 + (position - kShiftedFirst);
}

std::optional<int> KeyPosition(std::int32_t key) {
    if (key >= qx::host::kKeyF1 && key < qx::host::kKeyF1 + 10)
        return key - qx::host::kKeyF1 + 1;
    if (key >= qx::host::kKeyS1 && key < qx::host::kKeyS1 + 10)
        return key - qx::host::kKeyS1 + kShiftedFirst;
    return std::nullopt;
}

std::string_view PositionName(int position) {
    assert(position >= 1 && position <= kKeyPositions && "no such key position");
    return kPositionNames[static_cast<std::size_t>(position - 1)];
}

std::optional<int> NamedPosition(std::string_view name) {
    for (int position = 1; position <= kKeyPositions; ++position) {
        if (PositionName(position) == name)
            return position;
    }
    return std::nullopt;
}

std::string KeyName(std::int32_t code) {
    if (const auto position = KeyPosition(code))
        return std::string(PositionName(*position));
    return std::to_string(code);
}

std::optional<std::int32_t> ParseKey(std::string_view word) {
    if (const auto position = NamedPosition(word))
        return PositionKey(*position);
    std::int32_t code = 0;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, code);
    if (word.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return code;
}

} // namespace cadhost
