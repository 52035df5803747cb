// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace qx::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The UTF-8 path of `name` inside the folder.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// The file's bytes, or an empty text when it cannot be read.
std::string ReadBytes(const std::string& utf8Path);
void WriteBytes(const std::string& utf8Path, const std::string& bytes);

} // namespace qx::test
