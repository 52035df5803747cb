#include "cadhost/formats/drawing_file.h"

#include "cadhost/formats/dxf/reader.h"
#include "cadhost/formats/dxf/writer.h"
#include "cadhost/formats/file_replace.h"
#include "cadhost/formats/json_drawing.h"
#include "cadhost/model/huge_pages.h"

#include <cctype>
#include <fstream>

namespace cadhost {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kHeadSize = 64;

std::optional<DrawingFormat> FormatOfExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".json")
        return DrawingFormat::Json;
    if (ext == ".dxf")
        return DrawingFormat::Dxf;
    return std::nullopt;
}

// The whole file, or the message that says why not.
std::optional<std::string> ReadWhole(const fs::path& file, std::string& error) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) {
        error = file.string() + ": " + (fs::exists(file) ? "cannot be read" : "does not exist");
        return std::nullopt;
    }
    const std::streamoff size = in.tellg();
    // A drawing file may be hundreds of megabytes: its buffer is backed by huge pages where the
    // system has them, before it is first touched, so that it faults in a few pages, not
    // thousands.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    AdviseHugePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(bytes.data(), size);
    if (!in) {
        error = file.string() + ": cannot be read";
        return std::nullopt;
    }
    return bytes;
}

OpenedDrawing OpenJson(const std::string& bytes, const std::string& source) {
    OpenedDrawing opened;
    qx::Result<Drawing> loaded = ParseDrawing(bytes, source);
    if (!loaded) {
        opened.error = loaded.error();
        return opened;
    }
    opened.drawing = std::move(*loaded);
    return opened;
}

OpenedDrawing OpenDxf(std::string bytes, const std::string& source) {
    OpenedDrawing opened;
    qx::Result<dxf::LoadedDxf> loaded = dxf::ReadDxf(std::move(bytes), source);
    if (!loaded) {
        opened.error = loaded.error();
        return opened;
    }
    opened.drawing = std::move(loaded->drawing);
    opened.dxfSource = std::move(loaded->document);
    opened.notes = std::move(loaded->notes);
    return opened;
}

} // namespace

std::optional<DrawingFormat> FormatOfContent(std::string_view head) {
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    std::size_t i = 0;
    while (i < head.size() && std::isspace(static_cast<unsigned char>(head[i])))
        ++i;
    if (i < head.size() && (head[i] == '{' || head[i] == '['))
        return DrawingFormat::Json;
    // A DXF file begins with a group code: a number alone on its line.
    std::size_t digits = i;
    if (digits < head.size() && head[digits] == '-')
        ++digits;
    const std::size_t firstDigit = digits;
    while (digits < head.size() && std::isdigit(static_cast<unsigned char>(head[digits])))
        ++digits;
    while (digits < head.size() && (head[digits] == ' ' || head[digits] == '\t'))
        ++digits;
    if (digits > firstDigit && digits < head.size() &&
        (head[digits] == '\n' || head[digits] == '\r'))
        return DrawingFormat::Dxf;
    return std::nullopt;
}

OpenedDrawing OpenDrawingFile(const fs::path& file) {
    const std::string source = file.string();
    OpenedDrawing opened;
    auto bytes = ReadWhole(file, opened.error);
    if (!bytes)
        return opened;
    const std::string_view head = std::string_view(*bytes).substr(0, kHeadSize);
    if (dxf::LooksLikeBinaryDxf(head)) {
        opened.error = source + ": is a binary DXF file, which cadhost does not read; save the "
                                "drawing as ASCII DXF";
        return opened;
    }
    if (dxf::LooksLikeDwg(head)) {
        opened.error = source + ": is a DWG drawing, which cadhost does not read; save the "
                                "drawing as ASCII DXF";
        return opened;
    }
    const auto format = FormatOfContent(head);
    const auto hint = FormatOfExtension(file);
    if (!format && !hint) {
        opened.error = source + ": is neither a JSON drawing nor an ASCII DXF file";
        return opened;
    }
    if (format.value_or(*hint) == DrawingFormat::Dxf)
        return OpenDxf(std::move(*bytes), source);
    return OpenJson(*bytes, source);
}

SavedDrawing SaveDrawingAs(const Drawing& drawing, const dxf::Document* dxfSource,
                           const fs::path& file) {
    const std::string name = file.string();
    SavedDrawing saved;
    std::optional<DrawingFormat> format = FormatOfExtension(file);
    if (!format) {
        std::ifstream in(file, std::ios::binary);
        std::string head(kHeadSize, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        head.resize(static_cast<std::size_t>(in.gcount()));
        format = FormatOfContent(head);
    }
    if (!format)
        format = dxfSource != nullptr ? DrawingFormat::Dxf : DrawingFormat::Json;
    if (*format == DrawingFormat::Json) {
        saved.error = SaveDrawingFile(drawing, file);
        return saved;
    }
    if (dxfSource == nullptr) {
        saved.error = name + ": cannot be saved as DXF: cadhost writes DXF only back into a "
                             "drawing it read from DXF; save it as .json";
        return saved;
    }
    // The file streams out of the document held in memory, so a save never holds the drawing's
    // bytes twice.
    std::vector<std::string> notes;
    saved.error = ReplaceFileContents(
        file, [&](const ByteSink& sink) { dxf::WriteDxf(*dxfSource, drawing, notes, sink); });
    for (const std::string& note : notes)
        saved.notes.push_back(name + ": " + note);
    return saved;
}

} // namespace cadhost
