// The file of an executable module, opened as data the way the platform's loader opens it, for
// readers that look at a few of its tables: on Windows the loader maps it as a data file
// (`LoadLibraryExW` with `LOAD_LIBRARY_AS_DATAFILE`), elsewhere the file is mapped read-only.
// Either way only the pages a reader touches are read from the disk.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace qx::platform {

// How a module's bytes lie: as in its file, or as the loader lays a module out to run it (each
// section at its virtual address). The loader hands out the module it already runs when asked
// for that module as data, and the main program always runs.
enum class ImageLayout { File, Loaded };

class ModuleImage {
public:
    ModuleImage();
    ~ModuleImage();
    ModuleImage(ModuleImage&& other) noexcept;
    ModuleImage& operator=(ModuleImage&& other) noexcept;

    // The module's bytes, laid out as Layout() says.
    std::span<const std::byte> Bytes() const;
    ImageLayout Layout() const { return layout_; }
    // Why the module could not be opened; empty when it was.
    const std::string& Error() const { return error_; }
    bool ok() const { return error_.empty(); }

    // Opens the module file at `path` (UTF-8). The module is released with the object.
    static ModuleImage Open(const std::string& path);

private:
    struct Mapping;
    std::unique_ptr<Mapping> mapping_;
    ImageLayout layout_ = ImageLayout::File;
    std::string error_;
};

} // namespace qx::platform
