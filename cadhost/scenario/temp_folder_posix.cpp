#include "cadhost/scenario/temp_folder.h"

#include <stdlib.h>

#include <filesystem>

namespace cadhost::scenario {

std::string MakeTempRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cadhost-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        return {};
    std::filesystem::create_directories(pattern + "/macro");
    std::filesystem::create_directories(pattern + "/shared");
    return pattern;
}

} // namespace cadhost::scenario
