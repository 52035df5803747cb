// A DXF drawing as cadhost keeps it after loading: the file's bytes, once, and what a save
// needs to write the host's changes back into them. The host model (Drawing) holds what the
// macro sees; this holds where each part of it came from.
#pragma once

#include "cadhost/formats/dxf/file_image.h"
#include "cadhost/formats/dxf/tag_reader.h"
#include "cadhost/formats/dxf/text_codec.h"
#include "cadhost/model/attribute_table.h"
#include "cadhost/model/drawing.h"
#include "cadhost/model/selection_set_table.h"
#include "host/host_types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cadhost::dxf {

// A TEXT or ATTRIB entity whose text the macro may change: its address in the drawing and its
// value (group 1) in the file.
// A large drawing has one per text, so it is kept to 12 bytes: the entity is given by its place
// on the entity page.
struct EditableText {
    std::int32_t entityOfs = 0;
    std::uint32_t offset = 0;
    std::uint16_t length = 0;

    qx::host::lgl_addr Entity() const { return {kEntityPage, entityOfs}; }
};
static_assert(sizeof(EditableText) == 12);

// The drawing state that DXF has no field for, as the file held it. A save compares the
// drawing with it to tell whether the store must be written.
struct HostState {
    std::vector<Attribute> attributes;
    std::array<std::string, kSelectionSetCount> setNames;
    std::array<std::vector<qx::host::lgl_addr>, kSelectionSetCount> setMembers;
    std::int32_t selSetMask = 0;
    friend bool operator==(const HostState&, const HostState&) = default;
};

// Names under which cadhost keeps its state in the named object dictionary and in the
// group dictionary.
inline constexpr std::string_view kStateRecordName = "CADHOST_DRAWING";
inline constexpr std::string_view kSetGroupPrefix = "CADHOST_SELSET_";
// The layout of the state record, written first in it, so that a later layout can be told.
inline constexpr int kStateRecordLayout = 1;

// Where the state store lives in the file, or why it cannot.
struct StoreLayout {
    std::string unavailable; // empty when the file can hold the store; else why not
    std::string rootHandle;
    std::size_t rootInsert = 0;  // where new entries of the named object dictionary go
    std::string groupDictHandle; // empty when the file has no group dictionary
    std::size_t groupInsert = 0;
    std::size_t objectsEnd = 0;   // the start of the OBJECTS section's ENDSEC
    std::vector<Span> oldStore;   // cadhost's earlier objects and their dictionary entries
    std::optional<Span> handSeed; // the value of $HANDSEED
    std::uint64_t nextHandle = 1;
    // Members of stored selection sets that the drawing does not show (kept on a rewrite).
    std::array<std::vector<std::string>, kSelectionSetCount> hiddenMembers;
};

struct Document {
    std::string source; // the file's name, for messages
    // The file's bytes. The reader gives back those of the ENTITIES section behind it, where
    // the source can read them again; everything else stays in memory.
    FileImage image;
    std::string version; // $ACADVER, "AC1009" when the file has none
    TextCodec codec = TextCodec::Utf8();
    std::string lineEnd = "\n";
    bool paddedCodes = true; // group codes right-aligned in three columns, as AutoCAD writes
    std::vector<EditableText> texts; // in file order
    HostState loaded;
    StoreLayout store;
};

// Versions: the oldest and newest $ACADVER this host reads, and the first one in UTF-8.
inline constexpr std::string_view kOldestVersion = "AC1009";
inline constexpr std::string_view kNewestVersion = "AC1032";
inline constexpr std::string_view kFirstUtf8Version = "AC1021";

} // namespace cadhost::dxf
