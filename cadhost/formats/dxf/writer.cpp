#include "cadhost/formats/dxf/writer.h"

#include "cadhost/formats/dxf/state_store.h"

namespace cadhost::dxf {

namespace {

// Rewrites only the part of the value between what the old and the new text have in common
// at their start and at their end, so that everything else keeps its bytes, escapes and all.
qx::Status AddTextEdit(const Document& doc, const EditableText& text, std::string_view now,
                       std::vector<Edit>& edits) {
    const qx::Result<std::string_view> read =
        doc.image.Slice(Span{text.offset, std::size_t{text.offset} + text.length});
    if (!read)
        return qx::Failure{read.error()};
    const std::string_view raw = *read;
    std::string before;
    if (doc.codec.ToHost(raw, before) != TextFit::Held || before == now)
        return qx::Status{};
    const std::vector<std::uint32_t> starts = doc.codec.HostCharStarts(raw);
    if (starts.size() != before.size()) {
        // Cannot happen for a text that was offered; then the whole value is written.
        edits.push_back(
            Edit{text.offset, std::size_t{text.offset} + text.length, doc.codec.FromHost(now)});
        return qx::Status{};
    }
    std::size_t head = 0;
    while (head < before.size() && head < now.size() && before[head] == now[head])
        ++head;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < now.size() - head &&
           before[before.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const auto rawAt = [&](std::size_t ch) { return ch < starts.size() ? starts[ch] : raw.size(); };
    const std::size_t from = rawAt(head);
    const std::size_t to = rawAt(before.size() - tail);
    const std::string middle = doc.codec.FromHost(now.substr(head, now.size() - tail - head));
    // What is kept and what is new could meet in an escape that neither holds alone ("\U+00"
    // kept, "E4" new): then the whole value is written afresh.
    std::string value = std::string(raw.substr(0, from)) + middle + std::string(raw.substr(to));
    std::string check;
    if (doc.codec.ToHost(value, check) != TextFit::Held || check != now) {
        edits.push_back(
            Edit{text.offset, std::size_t{text.offset} + text.length, doc.codec.FromHost(now)});
        return qx::Status{};
    }
    edits.push_back(Edit{text.offset + from, text.offset + to, middle});
    return qx::Status{};
}

} // namespace

qx::Result<std::vector<Edit>> DxfEdits(const Document& doc, const Drawing& drawing,
                                       std::vector<std::string>& notes) {
    std::vector<Edit> edits;
    for (const EditableText& text : doc.texts) {
        // A text never changed since the load is the file's own: nothing to decode or compare.
        if (!drawing.WasChanged(text.Entity()))
            continue;
        const Entity* e = drawing.FindEntity(text.Entity());
        if (e == nullptr)
            continue;
        if (qx::Status added = AddTextEdit(doc, text, e->text.text, edits); !added)
            return qx::Failure{added.error()};
    }
    const HostState now = CaptureState(drawing);
    if (now == doc.loaded)
        return edits;
    if (!doc.store.unavailable.empty()) {
        notes.push_back("the drawing attributes and selection sets are not stored, since " +
                        doc.store.unavailable);
        return edits;
    }
    for (Edit& e : StateStoreEdits(doc, drawing))
        edits.push_back(std::move(e));
    return edits;
}

qx::Status WriteDxf(const Document& doc, const Drawing& drawing, std::vector<std::string>& notes,
                    const ByteSink& sink) {
    qx::Result<std::vector<Edit>> edits = DxfEdits(doc, drawing, notes);
    if (!edits)
        return qx::Failure{edits.error()};
    return StreamEdits(doc.image, std::move(*edits), sink);
}

qx::Result<std::string> WriteDxf(const Document& doc, const Drawing& drawing,
                                 std::vector<std::string>& notes) {
    std::string out;
    out.reserve(doc.image.Size());
    const qx::Status written =
        WriteDxf(doc, drawing, notes, [&out](std::string_view piece) { out.append(piece); });
    if (!written)
        return qx::Failure{written.error()};
    return out;
}

} // namespace cadhost::dxf
