#include "drawing/drawing_scan.h"

#include "drawing/plain_text_scan.h"
#include "drawing/scan_options.h"
#include "drawing/smart_text_scan.h"
#include "host/host_table.h"
#include "state/pending_change.h"
#include "state/state_access.h"

#include <exception>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace qx {
namespace {

// The combined text of the smart entity under examination. The host's callback carries nothing
// of ours, so the pieces are gathered here.
std::string smartText;

// An exception must never unwind through the host's frames: the callback keeps it, and it is
// thrown again once the host has returned.
std::exception_ptr pieceFailure;

void QX_HOST_CALL AppendSmartPiece(host::EntityRec* piece, void* /*work1*/, void* /*work2*/) {
    if (piece == nullptr || piece->enttype != host::kEntText)
        return;
    try {
        const host::str255 text = piece->text;
        if (!smartText.empty())
            smartText += ' ';
        smartText += text.view();
    } catch (...) {
        if (!pieceFailure)
            pieceFailure = std::current_exception();
    }
}
static_assert(std::is_same_v<decltype(&AppendSmartPiece), host::SmartPieceCallback>);

void GatherSmartText(const host::EntityRec& ent) {
    smartText.clear();
    pieceFailure = nullptr;
    // Two areas of our own for the host to work in. The host does not say what it keeps there,
    // so each is as large as an entity record, the largest record it knows.
    host::EntityRec work1;
    host::EntityRec work2;
    host::Host().SmartEntity2RegularEntities(&ent, &work1, &work2, &AppendSmartPiece, 1, 1);
    if (pieceFailure)
        std::rethrow_exception(std::exchange(pieceFailure, nullptr));
}

struct Finding {
    std::string newstr;
    PendingChangeFlag flag;
    std::int32_t numChanges = 0;
};

std::optional<Finding> Examine(const host::EntityRec& ent, const ScanOptions& options) {
    if (ent.enttype == host::kEntText) {
        const host::str255 text = ent.text;
        auto plain = ExaminePlainText(text, options);
        if (!plain)
            return std::nullopt;
        return Finding{std::move(plain->newstr), plain->flag, plain->numChanges};
    }
    GatherSmartText(ent);
    const auto flag = ExamineSmartText(smartText, options);
    if (!flag)
        return std::nullopt;
    return Finding{smartText, *flag, 0};
}

void ScanOne(const host::EntityRec& ent, const ScanOptions& options, PendingList& list) {
    const auto& h = host::Host();
    const host::lgl_addr layer = ent.lyr;
    const bool locked = h.lyr_islocked(layer);
    auto finding = Examine(ent, options);
    if (!finding)
        return;

    host::str255 layerName;
    h.getlyrname(layer, &layerName, 255);
    PendingChangeType entry;
    entry.adr = ent.addr;
    entry.newstr = std::move(finding->newstr);
    entry.lyrname = layerName.view();
    entry.lyrLocked = locked;
    entry.Flag = finding->flag;
    entry.NumChanges = finding->numChanges;
    list.push_back(std::move(entry));
}

} // namespace

void ScanEntities(host::ModeRec& mode) {
    PendingList* list = State().pendingList.get();
    if (list == nullptr)
        return;
    const ScanOptions options = CurrentScanOptions();
    const auto& h = host::Host();

    for (const std::uint8_t type :
         {host::kEntText, host::kEntParagraphText, host::kEntMultiLineText})
        h.mode_enttype(&mode, type);

    host::lgl_addr addr;
    h.ent_first(&addr, &mode);
    host::EntityRec ent;
    while (h.ent_get(&ent, addr, true)) {
        // The next address comes first, from the entity just read, as the host's walk expects.
        h.ent_next(&addr, &ent, &mode);
        ScanOne(ent, options, *list);
    }
}

} // namespace qx
