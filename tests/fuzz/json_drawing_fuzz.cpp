// The drawing loader on any text: it gives a drawing or a message, and a drawing it gives
// saves to a text that loads again into the same drawing.
#include "cadhost/formats/json_drawing.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qx::Result<cadhost::Drawing> loaded = cadhost::ParseDrawing(text, "fuzz.json");
    if (!loaded) {
        QX_FUZZ_CHECK(!loaded.error().empty());
        return 0;
    }
    const std::string saved = cadhost::DrawingToJson(*loaded);
    const qx::Result<cadhost::Drawing> reloaded = cadhost::ParseDrawing(saved, "saved.json");
    QX_FUZZ_CHECK(reloaded.ok());
    QX_FUZZ_CHECK(cadhost::DrawingToJson(*reloaded) == saved);
    return 0;
}
