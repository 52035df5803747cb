// The profile-file reader and writer. The first three lines of the input are the section, the
// key and the value to write; the rest is the file. Whatever the file holds, a write that
// succeeds must read back, leave every other key reading as before, and change no line but
// its own.
#include "platform/profile_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

namespace profile = qx::platform::profile;

struct Input {
    std::string_view section = "Quillex";
    std::string_view key = "SearchStr";
    std::string_view value = "door";
    std::string_view file;
};

Input Split(std::string_view data) {
    Input in;
    std::string_view* parts[] = {&in.section, &in.key, &in.value};
    for (std::string_view* part : parts) {
        const auto end = data.find('\n');
        if (end == std::string_view::npos)
            break;
        *part = data.substr(0, end);
        data.remove_prefix(end + 1);
    }
    in.file = data;
    return in;
}

bool SameName(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return std::ranges::equal(a, b, {}, fold, fold);
}

// The bytes a write took out of the file, found as what lies between the longest common start
// and the longest common end of the two texts.
std::string_view RemovedBytes(std::string_view before, std::string_view after) {
    const auto limit = std::min(before.size(), after.size());
    std::size_t start = 0;
    while (start < limit && before[start] == after[start])
        ++start;
    std::size_t end = 0;
    while (end < limit - start && before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    return before.substr(start, before.size() - start - end);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input in = Split({reinterpret_cast<const char*>(data), size});
    const auto keys = profile::ListKeys(in.file);
    for (const auto& [section, key] : keys)
        QX_FUZZ_CHECK(profile::FindValue(in.file, section, key).has_value());

    const auto written = profile::WithValue(in.file, in.section, in.key, in.value);
    if (!written) {
        QX_FUZZ_CHECK(!profile::IsWritableSection(in.section) || !profile::IsWritableKey(in.key) ||
                      !profile::IsWritableValue(in.value));
        return 0;
    }
    QX_FUZZ_CHECK(profile::FindValue(*written, in.section, in.key) == in.value);
    for (const auto& [section, key] : keys) {
        if (SameName(section, in.section) && SameName(key, in.key))
            continue;
        QX_FUZZ_CHECK(profile::FindValue(*written, section, key) ==
                      profile::FindValue(in.file, section, key));
    }
    QX_FUZZ_CHECK(RemovedBytes(in.file, *written).find_first_of("\r\n") == std::string_view::npos);
    QX_FUZZ_CHECK(profile::WithValue(*written, in.section, in.key, in.value) == written);
    return 0;
}
