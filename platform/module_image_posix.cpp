#include "platform/module_image.h"

#include "platform/mapped_file.h"

#include <utility>

namespace qx::platform {

struct ModuleImage::Mapping {
    MappedFile file;
};

ModuleImage::ModuleImage() = default;
ModuleImage::~ModuleImage() = default;
ModuleImage::ModuleImage(ModuleImage&& other) noexcept = default;
ModuleImage& ModuleImage::operator=(ModuleImage&& other) noexcept = default;

std::span<const std::byte> ModuleImage::Bytes() const {
    return mapping_ ? mapping_->file.Bytes() : std::span<const std::byte>();
}

ModuleImage ModuleImage::Open(const std::string& path) {
    ModuleImage image;
    Result<MappedFile> file = MappedFile::Open(path);
    if (!file) {
        image.error_ = file.error();
        return image;
    }
    image.mapping_ = std::make_unique<Mapping>(Mapping{std::move(*file)});
    return image;
}

} // namespace qx::platform
