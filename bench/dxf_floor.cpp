// The floor of the DXF benchmark: the least work that does the benchmark's job. One pass over
// the file's bytes, replacing "door" by "gate" without regard to case in the text (group 1) of
// every TEXT entity of the ENTITIES section, and writing the result. No model, no macro, no
// checks beyond what the pass needs.
//
//     dxf_floor IN.dxf OUT.dxf
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

std::string ReadAll(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return {};
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    bytes.resize(got);
    return bytes;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Appends the value with every "door", in any case, replaced by "gate"; counts replacements.
void Replace(std::string_view value, std::string& out, long& count) {
    std::size_t i = 0;
    while (i + 4 <= value.size()) {
        if ((value[i] | 0x20) == 'd' && (value[i + 1] | 0x20) == 'o' &&
            (value[i + 2] | 0x20) == 'o' && (value[i + 3] | 0x20) == 'r') {
            out += "gate";
            i += 4;
            ++count;
            continue;
        }
        out += value[i++];
    }
    out.append(value.substr(i));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dxf_floor IN.dxf OUT.dxf\n");
        return 2;
    }
    const std::string in = ReadAll(argv[1]);
    std::string out;
    out.reserve(in.size() + in.size() / 16);
    const std::string_view bytes(in);
    std::size_t pos = 0;
    bool inEntities = false;
    bool inText = false;
    bool sectionName = false;
    long count = 0;
    while (pos < bytes.size()) {
        const std::size_t codeEnd = bytes.find('\n', pos);
        if (codeEnd == std::string_view::npos)
            break;
        const std::size_t valueEnd = bytes.find('\n', codeEnd + 1);
        const std::size_t end = valueEnd == std::string_view::npos ? bytes.size() : valueEnd + 1;
        const std::string_view code = Trim(bytes.substr(pos, codeEnd - pos));
        std::string_view value = bytes.substr(codeEnd + 1, end - codeEnd - 1);
        out.append(bytes.substr(pos, codeEnd + 1 - pos));
        if (code == "0") {
            const std::string_view v = Trim(value.substr(0, value.find('\n')));
            sectionName = v == "SECTION";
            if (v == "ENDSEC")
                inEntities = false;
            inText = inEntities && v == "TEXT";
        } else if (code == "2" && sectionName) {
            inEntities = Trim(value.substr(0, value.find('\n'))) == "ENTITIES";
            sectionName = false;
        } else if (code == "1" && inText) {
            Replace(value, out, count);
            pos = end;
            continue;
        }
        out.append(value);
        pos = end;
    }
    std::FILE* f = std::fopen(argv[2], "wb");
    if (f == nullptr || std::fwrite(out.data(), 1, out.size(), f) != out.size() ||
        std::fclose(f) != 0) {
        std::fprintf(stderr, "dxf_floor: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%ld replacements\n", count);
    return 0;
}
