// The builder of the JSON reader: checks the fields that the stream (json_drawing_stream.h)
// gathers and adds the layers, entities and the drawing's own fields to the model. Every fault
// is thrown as a json_checks::FormatError whose message names the place.
#pragma once

#include "cadhost/formats/json_drawing_fields.h"
#include "cadhost/model/drawing.h"

#include <cstddef>
#include <memory>

namespace cadhost::json_read {

using json_checks::json;

class DrawingBuilder {
public:
    // Room for as many entities as a text of `textSize` bytes can hold is reserved at once.
    explicit DrawingBuilder(std::size_t textSize);
    ~DrawingBuilder();
    DrawingBuilder(const DrawingBuilder&) = delete;
    DrawingBuilder& operator=(const DrawingBuilder&) = delete;

    // A layer's object opens; its fields other than the entities go into the tree given back.
    json& BeginLayer(std::size_t index);
    // The layer's list of entities opens: the layer joins the drawing now if its name is known.
    void BeginLayerEntities();
    // An entity of the current layer (or whatever stood in its place) is complete.
    void AddEntity(EntityFields& fields);
    // The layer's object closes.
    void EndLayer();
    // The drawing's "version", checked as soon as the layers begin, so that a file of another
    // version is refused for that instead of for its content.
    void CheckVersion(const json& root);
    // The drawing's object closes: its own fields (everything but the layers) are read.
    void EndDrawing(const json& root);

    Drawing Take();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace cadhost::json_read
