// Runs a fuzz target's body over saved inputs without libFuzzer, so that the normal build can
// replay every corpus as a regression test with any compiler. Each argument is a file or a
// folder; a folder gives all the files in it, in name order so that runs repeat.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& argument) {
    std::error_code ec;
    if (!fs::is_directory(argument, ec))
        return {argument};
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(argument, ec)) {
        if (entry.is_regular_file(ec))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const auto found = InputsOf(argv[i]);
        inputs.insert(inputs.end(), found.begin(), found.end());
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s FILE|FOLDER...: no inputs found\n", argv[0]);
        return 2;
    }
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 2;
        }
        // An exact-size copy, so that a sanitizer build catches a read one byte past the input.
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>()};
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        std::fprintf(stderr, "%s\n", input.c_str());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    std::fprintf(stderr, "replayed %zu inputs\n", inputs.size());
    return 0;
}
