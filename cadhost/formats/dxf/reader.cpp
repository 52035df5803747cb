#include "cadhost/formats/dxf/reader.h"

#include "cadhost/formats/dxf/model_builder.h"
#include "cadhost/formats/dxf/read_error.h"
#include "cadhost/formats/dxf/section_scanner.h"
#include "cadhost/formats/dxf/state_store.h"

#include <cctype>
#include <utility>

namespace cadhost::dxf {

namespace {

// Reads the store of the drawing state from the OBJECTS section, or says why the file has none.
void ReadStore(Document& doc, const ScannedFile& scanned, Drawing& drawing) {
    if (scanned.secondObjects) {
        doc.store.unavailable = "the file has more than one OBJECTS section";
        return;
    }
    if (!scanned.objectsSeen) {
        doc.store.unavailable = doc.version == kOldestVersion ? "R12 files have no objects section"
                                                              : "the file has no OBJECTS section";
        return;
    }
    ReadStateStore(doc, scanned.objects, scanned.objectsEnd, drawing, doc.store);
}

} // namespace

bool LooksLikeBinaryDxf(std::string_view head) {
    return head.starts_with("AutoCAD Binary DXF");
}

bool LooksLikeDwg(std::string_view head) {
    // A DWG file begins with its version, "AC1015" and the like, with no line end after it.
    if (head.size() < 6 || !head.starts_with("AC10"))
        return false;
    return std::isdigit(static_cast<unsigned char>(head[4])) &&
           std::isdigit(static_cast<unsigned char>(head[5]));
}

qx::Result<LoadedDxf> ReadDxf(std::string bytes, std::string source) {
    return ReadDxf(std::make_unique<MemoryBytes>(std::move(bytes)), std::move(source));
}

qx::Result<LoadedDxf> ReadDxf(std::unique_ptr<SourceBytes> bytes, std::string source) {
    auto doc = std::make_shared<Document>();
    doc->image = FileImage(std::move(bytes));
    doc->source = std::move(source);
    doc->version = std::string(kOldestVersion);
    try {
        ModelBuilder builder(*doc);
        const ScannedFile scanned = ScanSections(*doc, builder);
        // What follows the end of the drawing is kept too, as it was.
        if (qx::Status rest = doc->image.FillAll(); !rest)
            throw ReadError{rest.error()};
        builder.Finish(scanned.currentLayer);
        Drawing& drawing = builder.Model();
        ReadStore(*doc, scanned, drawing);
        doc->loaded = CaptureState(drawing);
        SetNextHandle(scanned, doc->store);
        LoadedDxf loaded{std::move(drawing), nullptr, builder.Notes()};
        loaded.document = std::move(doc);
        return loaded;
    } catch (const ReadError& e) {
        return qx::Failure{doc->source + ": " + e.message};
    }
}

} // namespace cadhost::dxf
