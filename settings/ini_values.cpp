#include "settings/ini_values.h"

#include "host/codepage.h"
#include "platform/platform.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace qx::settings {
namespace {

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(first);
    text = text.substr(0, text.find_last_not_of(" \t") + 1);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::int32_t ReadIniInt(const std::string& file, const std::string& section, const std::string& key,
                        std::int32_t dflt) {
    if (file.empty())
        return dflt;
    const auto text =
        platform::ReadProfileValue(file, host::Cp1252ToUtf8(section), host::Cp1252ToUtf8(key));
    if (!text)
        return dflt;
    return ParseWholeNumber(*text).value_or(dflt);
}

std::string ReadIniText(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& dflt) {
    if (file.empty())
        return dflt;
    const auto text =
        platform::ReadProfileValue(file, host::Cp1252ToUtf8(section), host::Cp1252ToUtf8(key));
    if (!text)
        return dflt;
    return host::Utf8ToCp1252Lossy(*text);
}

bool WriteIniInt(const std::string& file, const std::string& section, const std::string& key,
                 std::int32_t value) {
    return WriteIniText(file, section, key, std::to_string(value));
}

bool WriteIniText(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& text) {
    if (file.empty())
        return false;
    return platform::WriteProfileValue(file, host::Cp1252ToUtf8(section), host::Cp1252ToUtf8(key),
                                       host::Cp1252ToUtf8(text));
}

} // namespace qx::settings
