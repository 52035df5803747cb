#include "cadhost/formats/read_file.h"

#include "cadhost/model/huge_pages.h"

namespace cadhost {

char* FileBytes::Allocate(std::size_t size) {
    data_ = std::make_unique_for_overwrite<char[]>(size + 1);
    AdviseHugePages(data_.get(), size);
    return data_.get();
}

} // namespace cadhost
