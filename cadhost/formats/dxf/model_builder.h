// The builder of the DXF reader: turns the records that the section scanner (section_scanner.h)
// hands it into the host model: the layers of the LAYER table, and TEXT, ATTRIB, MTEXT, LINE
// and the polylines of the ENTITIES section. It notes in the document where each editable text
// came from, and counts the texts it cannot show the macro.
#pragma once

#include "cadhost/formats/dxf/document.h"
#include "cadhost/formats/dxf/record.h"
#include "cadhost/model/drawing.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

class ModelBuilder {
public:
    // The document's codec must be settled before the first record comes.
    explicit ModelBuilder(Document& doc);
    ~ModelBuilder();
    ModelBuilder(const ModelBuilder&) = delete;
    ModelBuilder& operator=(const ModelBuilder&) = delete;

    // Makes room for `count` entities at once.
    void ReserveEntities(std::size_t count);
    void TableRecord(const Record& record);
    void EntityRecord(const Record& record);
    // A section of records ends: a polyline still open there is complete.
    void EndSection();
    // The file is read: makes sure the drawing has a layer and makes the one the header names
    // ($CLAYER, as the file spells it) the current one.
    void Finish(std::string_view currentLayer);

    Drawing& Model();
    // What the drawing does not show the macro, and why (one note at most).
    std::vector<std::string> Notes() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace cadhost::dxf
