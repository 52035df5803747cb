// Drawing files of every format cadhost reads: one place that tells a JSON drawing from a DXF
// one, for the command line, scenarios, the window and batch runs alike.
#pragma once

#include "cadhost/model/drawing.h"
#include "platform/result.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost {

namespace dxf {
struct Document;
}

enum class DrawingFormat { Json, Dxf };

// The formats by their file extensions: the one list of the names that mark a drawing file.
struct DrawingExtension {
    DrawingFormat format;
    std::string_view extension; // lower case, with its dot
    std::string_view description;
};
inline constexpr std::array<DrawingExtension, 2> kDrawingExtensions{{
    {DrawingFormat::Json, ".json", "JSON drawings"},
    {DrawingFormat::Dxf, ".dxf", "DXF drawings"},
}};

// The format a file's extension names, in any letter case.
std::optional<DrawingFormat> FormatOfExtension(const std::filesystem::path& file);
// A file whose name says it holds a drawing the host reads.
bool IsDrawingFile(const std::filesystem::path& file);

// A drawing as its file held it, with what its format needs to write it back.
struct DrawingDocument {
    Drawing drawing;
    // The DXF file the drawing came from; a DXF save writes the drawing back into it.
    std::shared_ptr<const dxf::Document> dxfSource;
    std::vector<std::string> notes; // what the drawing does not show, and why
};

// Reads a drawing. The format is the one the file's content shows; the extension (".json",
// ".dxf") decides only when the content is too damaged to tell. Binary DXF and DWG files are
// refused with a message that names the file and, where it applies, the line.
qx::Result<DrawingDocument> OpenDrawingFile(const std::filesystem::path& file);

// Which format bytes are in, when they show it.
std::optional<DrawingFormat> FormatOfContent(std::string_view head);

// What a written file could not keep, one note each.
using SaveNotes = std::vector<std::string>;

// Saves the drawing. The format is the one the extension names; without a known extension it
// is the format of the file already there, or else the one the drawing was read from. DXF is
// written only back into the DXF file the drawing came from (`dxfSource`), changing no more
// than the drawing changed. The file is replaced atomically (file_replace.h): a failed save
// leaves the old file whole, and the message names the file.
qx::Result<SaveNotes> SaveDrawingAs(const Drawing& drawing, const dxf::Document* dxfSource,
                                    const std::filesystem::path& file);

} // namespace cadhost
