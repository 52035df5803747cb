#include "settings/settings_store.h"

#include "host/codepage.h"
#include "host/host_api.h"
#include "platform/platform.h"
#include "settings/drawing_attributes.h"
#include "settings/ini_values.h"
#include "settings/path_compare.h"
#include "settings/store_state.h"

#include <cstddef>
#include <optional>

namespace qx::settings {
namespace {

using detail::kLineBreak;
using detail::Store;

constexpr std::size_t kMaxKeyLength = 12;
constexpr std::size_t kTextPart = 255;
constexpr const char* kContinuation = "^";
constexpr const char* kPathMcrKey = "PathMCR";

std::string Twice(const char* lineBreak) {
    return std::string(lineBreak) + lineBreak;
}

// Writes to the macro's file and tells the user when the file refuses the value.
void WriteToMacroFile(const std::string& key, const std::string& text) {
    const detail::StoreState& store = Store();
    if (store.macroIniFile.empty())
        return;
    if (!WriteIniText(store.macroIniFile, store.section, key, text))
        detail::ReportFileWriteFailure(store.macroIniFile);
}

void InitFailure(const std::string& what) {
    platform::ErrorBox("Initialisation Failure (" + what + ")" + Twice(kLineBreak) +
                       "Macro will exit");
}

std::string MigrationQuestion(const std::string& previous, const std::string& current) {
    return std::string("Settings for this macro are stored in a file in your macro path.\r\n\r\n") +
           "Last time you used the macro this path was:" + kLineBreak + previous +
           Twice(kLineBreak) + "It is now:" + kLineBreak + current + Twice(kLineBreak) +
           "Would you like to copy settings from the previous path to the current one?";
}

// Replaces the current settings file by the one at the previous path, keeping the current one
// as "-old". Returns the failure's description, or nothing on success.
std::optional<std::string> ReplaceWithPrevious(const std::string& previousFile,
                                               const std::string& currentFile) {
    const std::string oldFile = currentFile + "-old";
    if (platform::FileExists(oldFile) && !platform::RemoveFile(oldFile))
        return "cannot delete " + oldFile;
    if (!platform::RenameFile(currentFile, oldFile))
        return "cannot rename " + currentFile + " to " + oldFile;
    if (platform::CopyFileNoOverwrite(previousFile, currentFile))
        return std::nullopt;
    // Without the copy the user would be left with no settings file at all: put the current
    // one back.
    platform::RenameFile(oldFile, currentFile);
    return "cannot copy " + previousFile + " to " + currentFile;
}

// Steps that run once the shared folder exists; any failure ends start-up with one message.
std::optional<std::string> OpenFiles(const std::string& sharedFile) {
    detail::StoreState& store = Store();
    const auto macroPath = detail::HostPath(host::kPathMacro);
    if (!macroPath)
        return "the host did not name the macro path";

    if (!platform::FileExists(sharedFile) &&
        !platform::WriteProfileValue(sharedFile, store.section, kPathMcrKey, *macroPath))
        return "cannot write " + sharedFile;
    std::string previous =
        platform::ReadProfileValue(sharedFile, store.section, kPathMcrKey).value_or("");
    if (!platform::WriteProfileValue(sharedFile, store.section, kPathMcrKey, *macroPath))
        return "cannot write " + sharedFile;
    if (previous.empty())
        previous = *macroPath;
    store.pathMcr = previous;
    store.sharedIniFile = sharedFile;
    store.macroIniFile = *macroPath + store.section + ".ini";

    if (SamePathIgnoringCase(*macroPath, previous))
        return std::nullopt;
    const std::string previousFile = previous + store.section + ".ini";
    if (!platform::FileExists(previousFile))
        return std::nullopt;
    if (!platform::FileExists(store.macroIniFile)) {
        if (!platform::CopyFileNoOverwrite(previousFile, store.macroIniFile))
            return "cannot copy " + previousFile + " to " + store.macroIniFile;
        return std::nullopt;
    }
    if (!platform::ConfirmBox(MigrationQuestion(previous, *macroPath)))
        return std::nullopt;
    return ReplaceWithPrevious(previousFile, store.macroIniFile);
}

} // namespace

bool InitSettings(const std::string& name) {
    detail::StoreState& store = Store();
    // Starting afresh also clears a restore-in-progress flag that an aborted placement left.
    store = {};
    store.section = name;

    const auto folder = detail::SharedFolderFromHost();
    if (!folder) {
        InitFailure("the host did not name its settings path");
        return false;
    }
    if (!platform::DirectoryExists(*folder) && !platform::MakeDirectory(*folder)) {
        platform::ErrorBox("Failed to create required directory (" + *folder + ")" +
                           Twice(kLineBreak) + "Macro will exit");
        return false;
    }
    if (const auto failure = OpenFiles(*folder + "/" + detail::kSharedFileName)) {
        InitFailure(*failure);
        return false;
    }
    return true;
}

bool AtrNameTooLong(const std::string& key) {
    if (key.size() <= kMaxKeyLength)
        return false;
    platform::ErrorBox("Atr Name (" + host::Cp1252ToUtf8(key) + ") too long" + kLineBreak +
                       "Kindly report this error to Pellworth.");
    return true;
}

void SaveIntSetting(const std::string& key, std::int32_t value, bool toFile) {
    if (AtrNameTooLong(key))
        return;
    detail::WriteIntAttribute(key, value);
    if (toFile)
        WriteToMacroFile(key, std::to_string(value));
}

std::int32_t GetIntSetting(const std::string& key, std::int32_t dflt) {
    if (AtrNameTooLong(key))
        return 0;
    // A text attribute under an integer key is not a number: the file and the default decide.
    if (const auto value = detail::FindIntAttribute(key))
        return *value;
    return ReadIniInt(Store().macroIniFile, Store().section, key, dflt);
}

void SaveStrSetting(const std::string& key, const std::string& text, bool toFile, bool fileOnly) {
    // The continuation key of a 13-character key would be cut back to the key itself and
    // overwrite the first part, so every key is checked here too.
    if (AtrNameTooLong(key))
        return;
    const std::string first = text.substr(0, kTextPart);
    if (!fileOnly) {
        detail::WriteTextAttribute(key, first);
        const std::string continuationKey = key + kContinuation;
        const std::string second = text.size() > kTextPart ? text.substr(kTextPart, kTextPart) : "";
        // A continuation left over from a longer text would be read back after a new first
        // part of exactly 255 characters, so it is emptied rather than left alone.
        if (!second.empty() || detail::FindTextAttribute(continuationKey))
            detail::WriteTextAttribute(continuationKey, second);
    }
    if (toFile || fileOnly)
        WriteToMacroFile(key, first);
}

std::string GetStrSetting(const std::string& key, const std::string& dflt, bool fromFile) {
    if (AtrNameTooLong(key))
        return dflt;
    if (auto value = detail::FindTextAttribute(key)) {
        if (value->size() == kTextPart) {
            if (const auto second = detail::FindTextAttribute(key + kContinuation))
                *value += *second;
        }
        return *value;
    }
    if (!fromFile)
        return dflt;
    return ReadIniText(Store().macroIniFile, Store().section, key, dflt);
}

void SaveBoolSetting(const std::string& key, bool value, bool toFile, bool fileOnly) {
    if (AtrNameTooLong(key))
        return;
    if (!fileOnly)
        detail::WriteIntAttribute(key, value ? 1 : 0);
    if (toFile || fileOnly)
        WriteToMacroFile(key, value ? "1" : "0");
}

bool GetBoolSetting(const std::string& key, bool dflt, bool fromDrawing, bool fromFile) {
    if (AtrNameTooLong(key))
        return dflt;
    if (fromDrawing) {
        if (const auto value = detail::FindIntAttribute(key))
            return *value != 0;
    }
    if (!fromFile)
        return dflt;
    return ReadIniInt(Store().macroIniFile, Store().section, key, dflt ? 1 : 0) != 0;
}

std::string MacroIniFile() {
    return Store().macroIniFile;
}
std::string SharedIniFile() {
    return Store().sharedIniFile;
}

} // namespace qx::settings
