// The stream of the JSON reader: the drawing's text tokenized by nlohmann's SAX parser, its
// events gathered into entity records and small trees and handed to the builder.
#pragma once

#include "cadhost/formats/json_drawing_builder.h"
#include "platform/result.h"

#include <string_view>

namespace cadhost::json_read {

// Streams the text into the builder. A text that is not JSON gives a failure that says where;
// a fault of the drawing's content is thrown by the builder as a json_checks::FormatError.
qx::Status StreamDrawing(std::string_view text, DrawingBuilder& builder);

} // namespace cadhost::json_read
