#include "cadhost/formats/drawing_file.h"

#include "cadhost/formats/dxf/reader.h"
#include "cadhost/formats/dxf/writer.h"
#include "cadhost/formats/file_replace.h"
#include "cadhost/formats/json_drawing.h"
#include "cadhost/formats/read_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <new>

namespace cadhost {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kHeadSize = 64;

qx::Result<DrawingDocument> OpenJson(std::string_view bytes, const std::string& source) {
    qx::Result<Drawing> loaded = ParseDrawing(bytes, source);
    if (!loaded)
        return qx::Failure{loaded.error()};
    return DrawingDocument{std::move(*loaded), nullptr, {}};
}

qx::Result<DrawingDocument> OpenDxf(std::unique_ptr<FileBytes> bytes, const std::string& source) {
    qx::Result<dxf::LoadedDxf> loaded = dxf::ReadDxf(std::move(bytes), source);
    if (!loaded)
        return qx::Failure{loaded.error()};
    return DrawingDocument{std::move(loaded->drawing), std::move(loaded->document),
                           std::move(loaded->notes)};
}

} // namespace

std::optional<DrawingFormat> FormatOfExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const DrawingExtension& known : kDrawingExtensions) {
        if (known.extension == ext)
            return known.format;
    }
    return std::nullopt;
}

bool IsDrawingFile(const fs::path& file) {
    return FormatOfExtension(file).has_value();
}

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

qx::Result<DrawingDocument> OpenDrawingFile(const fs::path& file) {
    const std::string source = file.string();
    std::unique_ptr<FileBytes> bytes;
    try {
        bytes = std::make_unique<FileBytes>(file, FileBytes::AsRead{});
    } catch (const std::bad_alloc&) {
        return qx::Failure{source + ": is too large for the memory this host can have"};
    }
    if (!bytes->ok())
        return qx::Failure{source + ": " +
                           (fs::exists(file) ? "cannot be read" : "does not exist")};
    const std::string_view head = bytes->bytes().substr(0, kHeadSize);
    if (dxf::LooksLikeBinaryDxf(head))
        return qx::Failure{source + ": is a binary DXF file, which cadhost does not read; save "
                                    "the drawing as ASCII DXF"};
    if (dxf::LooksLikeDwg(head))
        return qx::Failure{source + ": is a DWG drawing, which cadhost does not read; save the "
                                    "drawing as ASCII DXF"};
    const auto format = FormatOfContent(head);
    const auto hint = FormatOfExtension(file);
    if (!format && !hint)
        return qx::Failure{source + ": is neither a JSON drawing nor an ASCII DXF file"};
    if (format.value_or(*hint) == DrawingFormat::Dxf)
        return OpenDxf(std::move(bytes), source);
    if (qx::Status rest = bytes->FillTo(bytes->bytes().size()); !rest)
        return qx::Failure{source + ": " + rest.error()};
    return OpenJson(bytes->bytes(), source);
}

qx::Result<SaveNotes> SaveDrawingAs(const Drawing& drawing, const dxf::Document* dxfSource,
                                    const fs::path& file) {
    const std::string name = file.string();
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
        if (std::string error = SaveDrawingFile(drawing, file); !error.empty())
            return qx::Failure{std::move(error)};
        return SaveNotes{};
    }
    if (dxfSource == nullptr)
        return qx::Failure{name + ": cannot be saved as DXF: cadhost writes DXF only back into "
                                  "a drawing it read from DXF; save it as .json"};
    // The file streams out of the document, and the parts of the file it gave back come from
    // the file again, so a save never holds the drawing's bytes twice.
    std::vector<std::string> notes;
    const qx::Status written = ReplaceFileContents(file, [&](const ByteSink& sink) {
        return dxf::WriteDxf(*dxfSource, drawing, notes, sink);
    });
    if (!written)
        return qx::Failure{written.error()};
    SaveNotes saved;
    for (const std::string& note : notes)
        saved.push_back(name + ": " + note);
    return saved;
}

} // namespace cadhost
