// Reading a drawing file: the stream (json_drawing_stream.h) tokenizes the text and gathers its
// parts, the builder (json_drawing_builder.h) checks them and fills the model.
#include "cadhost/formats/json_drawing.h"
#include "cadhost/formats/json_drawing_stream.h"

#include <new>

namespace cadhost {

qx::Result<Drawing> ParseDrawing(std::string_view text, std::string_view source) {
    const auto failed = [&](const std::string& message) {
        return qx::Failure{std::string(source) + ": " + message};
    };
    try {
        json_read::DrawingBuilder builder(text.size());
        if (const qx::Status streamed = json_read::StreamDrawing(text, builder); !streamed) {
            return failed(streamed.error());
        }
        return builder.Take();
    } catch (const json_checks::FormatError& e) {
        return failed(e.message);
    } catch (const std::bad_alloc&) {
        return failed("is too large for the memory this host can have");
    }
}

} // namespace cadhost
