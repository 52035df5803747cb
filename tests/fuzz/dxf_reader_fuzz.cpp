// The DXF reader on any bytes: it gives a drawing or a message naming the file. A drawing it
// gives saves unchanged to the very same bytes; with its texts, an attribute and a selection set
// changed it saves to a file that reads back with exactly those changes.
#include "cadhost/formats/dxf/reader.h"
#include "cadhost/formats/dxf/writer.h"
#include "tests/cadhost/dxf/forgetful_bytes.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using cadhost::Drawing;
using cadhost::Entity;
using cadhost::dxf::LoadedDxf;

constexpr const char* kSource = "fuzz.dxf";

// A new text for each editable text: alternately the text reversed and the text with a prefix
// that ends in something that looks like half an escape.
std::string Changed(const std::string& text, std::size_t k) {
    if (k % 2 == 0)
        return std::string(text.rbegin(), text.rend());
    return ("\\U+00" + text).substr(0, cadhost::kMaxTextLength);
}

// Returns the saved bytes with the changes.
std::string CheckChangesReadBack(const LoadedDxf& loaded) {
    Drawing drawing = loaded.drawing;
    const auto& doc = *loaded.document;
    std::vector<std::pair<cadhost::lgl_addr, std::string>> expected;
    for (std::size_t k = 0; k < doc.texts.size(); ++k) {
        const Entity* e = drawing.FindEntity(doc.texts[k].Entity());
        QX_FUZZ_CHECK(e != nullptr);
        // A line end inside a text is written in caret form (^M) and reads back as such.
        const bool lineEnd = e->text.text.find_first_of("\r\n") != std::string::npos;
        const std::string now = lineEnd ? e->text.text : Changed(e->text.text, k);
        QX_FUZZ_CHECK(drawing.SetText(e->addr, now));
        expected.emplace_back(e->addr, now);
    }
    cadhost::Attribute attribute;
    attribute.name = "FuzzText";
    attribute.type = qx::host::kAtrText;
    attribute.textValue = "T\xFCr \\U+0041 \\";
    drawing.Attributes().Set(attribute);

    std::vector<std::string> notes;
    const std::string saved = cadhost::dxf::WriteDxf(doc, drawing, notes).value();
    const qx::Result<LoadedDxf> again = cadhost::dxf::ReadDxf(saved, kSource);
    QX_FUZZ_CHECK(again.ok());
    QX_FUZZ_CHECK(again->document->texts.size() == doc.texts.size());
    // Entities are added in file order, so the k-th editable text is the same entity.
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Entity* e = again->drawing.FindEntity(again->document->texts[k].Entity());
        QX_FUZZ_CHECK(e != nullptr && e->text.text == expected[k].second);
    }
    if (doc.store.unavailable.empty()) {
        const cadhost::Attribute* back = again->drawing.Attributes().Find("FuzzText");
        QX_FUZZ_CHECK(back != nullptr && *back == attribute);
    }
    // What was saved saves again unchanged.
    std::vector<std::string> moreNotes;
    QX_FUZZ_CHECK(cadhost::dxf::WriteDxf(*again->document, again->drawing, moreNotes).value() ==
                  saved);
    return saved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const qx::Result<LoadedDxf> loaded = cadhost::dxf::ReadDxf(bytes, kSource);
    if (!loaded) {
        QX_FUZZ_CHECK(loaded.error().starts_with(std::string(kSource) + ": "));
        return 0;
    }
    std::vector<std::string> notes;
    QX_FUZZ_CHECK(cadhost::dxf::WriteDxf(*loaded->document, loaded->drawing, notes).value() ==
                  bytes);
    QX_FUZZ_CHECK(notes.empty());
    const std::string changed = CheckChangesReadBack(*loaded);

    // Read through a source that gives back (and spoils) the bytes of every entity as soon as
    // the reader has passed it, the file reads and saves exactly alike: the save takes those
    // bytes from the file again.
    const qx::Result<LoadedDxf> forgetful =
        cadhost::dxf::ReadDxf(std::make_unique<cadhost::dxf::test::ForgetfulBytes>(bytes), kSource);
    QX_FUZZ_CHECK(forgetful.ok());
    QX_FUZZ_CHECK(forgetful->drawing.EntityCount() == loaded->drawing.EntityCount());
    QX_FUZZ_CHECK(cadhost::dxf::WriteDxf(*forgetful->document, forgetful->drawing, notes).value() ==
                  bytes);
    QX_FUZZ_CHECK(CheckChangesReadBack(*forgetful) == changed);
    return 0;
}
