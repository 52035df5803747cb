// A fresh, empty folder for one test, removed with everything in it at the end of the test.
#pragma once

#include <filesystem>
#include <string>

namespace qx::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder, or a folder under it (created), as a UTF-8 path ending with '/', the way the
    // host names its paths.
    std::string Folder(const std::string& sub = {}) const;
    // A file under the folder as a UTF-8 path.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// Writes `contents` to `path`, replacing it.
void WriteFile(const std::string& path, const std::string& contents);
// The whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

} // namespace qx::test
