// The scanner of the DXF reader: walks the file's structure (sections, header variables,
// records, the OBJECTS section's tags) over the tags of the tag reader, settles the version and
// the text encoding, and hands each record of the TABLES and ENTITIES sections to the builder.
#pragma once

#include "cadhost/formats/dxf/document.h"
#include "cadhost/formats/dxf/model_builder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cadhost::dxf {

// What the scan found besides the records it handed on.
struct ScannedFile {
    std::string currentLayer; // $CLAYER, as the file spells it
    bool objectsSeen = false;
    bool secondObjects = false;
    std::vector<Tag> objects; // the OBJECTS section's tags
    std::size_t objectsEnd = 0;
    std::uint64_t seed = 0;      // $HANDSEED
    std::uint64_t maxHandle = 0; // the highest handle any record has
};

// Scans the document's bytes; fills its version, codec, line style and $HANDSEED span. Throws
// ReadError (read_error.h) at the first fault of the file.
ScannedFile ScanSections(Document& doc, ModelBuilder& builder);

// Sets where new handles begin, or notes that the file has none left for the store.
void SetNextHandle(const ScannedFile& scanned, StoreLayout& store);

} // namespace cadhost::dxf
