// Drawing files of every format cadhost reads: one place that tells a JSON drawing from a DXF
// one, for the command line and for scenarios alike.
#pragma once

#include "cadhost/model/drawing.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cadhost {

namespace dxf {
struct Document;
}

enum class DrawingFormat { Json, Dxf };

struct OpenedDrawing {
    std::optional<Drawing> drawing;
    // The DXF file the drawing came from; a DXF save writes the drawing back into it.
    std::shared_ptr<const dxf::Document> dxfSource;
    std::vector<std::string> notes; // what the drawing does not show, and why
    std::string error;              // names the file and, where it applies, the line
    explicit operator bool() const { return drawing.has_value(); }
};

// Reads a drawing. The format is the one the file's content shows; the extension (".json",
// ".dxf") decides only when the content is too damaged to tell. Binary DXF and DWG files are
// refused with a message.
OpenedDrawing OpenDrawingFile(const std::filesystem::path& file);

// Which format bytes are in, when they show it.
std::optional<DrawingFormat> FormatOfContent(std::string_view head);

struct SavedDrawing {
    std::string error;              // empty when the file was written
    std::vector<std::string> notes; // what the file could not keep
};

// Saves the drawing. The format is the one the extension names; without a known extension it
// is the format of the file already there, or else the one the drawing was read from. DXF is
// written only back into the DXF file the drawing came from (`dxfSource`), changing no more
// than the drawing changed.
SavedDrawing SaveDrawingAs(const Drawing& drawing, const dxf::Document* dxfSource,
                           const std::filesystem::path& file);

} // namespace cadhost
