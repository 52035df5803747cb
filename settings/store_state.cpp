#include "settings/store_state.h"

#include "host/codepage.h"
#include "host/host_api.h"
#include "host/host_table.h"
#include "platform/platform.h"

namespace qx::settings::detail {

StoreState& Store() {
    static StoreState state;
    return state;
}

std::string Section() {
    const std::string& section = Store().section;
    return section.empty() ? kProductSection : section;
}

std::optional<std::string> HostPath(int id) {
    const auto getpath = host::Host().getpath;
    if (getpath == nullptr)
        return std::nullopt;
    host::str255 text;
    getpath(&text, 255, id);
    if (text.empty())
        return std::nullopt;
    std::string path = host::Cp1252ToUtf8(text.view());
    // The host's paths end with a separator; one without it would glue names onto the last
    // folder's name.
    if (path.back() != '/' && path.back() != '\\')
        path += '/';
    return path;
}

std::optional<std::string> SharedFolderFromHost() {
    auto path = HostPath(host::kPathShared);
    if (!path)
        return std::nullopt;
    return *path + kSharedFolderName;
}

std::optional<std::string> SharedFileFromHost() {
    auto folder = SharedFolderFromHost();
    if (!folder)
        return std::nullopt;
    return *folder + "/" + kSharedFileName;
}

void ReportFileWriteFailure(const std::string& file) {
    StoreState& store = Store();
    // A dialog saves nine values at once; one message is enough to tell the user.
    if (store.writeFailureReported)
        return;
    store.writeFailureReported = true;
    platform::ErrorBox(std::string("Settings could not be saved to the file") + kLineBreak + file +
                       kLineBreak + kLineBreak +
                       "The file or its folder may be read-only, or the file may be damaged.");
}

} // namespace qx::settings::detail
