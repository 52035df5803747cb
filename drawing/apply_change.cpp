#include "drawing/apply_change.h"

#include "host/host_table.h"
#include "state/pending_change.h"
#include "state/state_access.h"

#include <string>
#include <string_view>

namespace qx {
namespace {

// A record without its lists is a valid "nothing yet" state: there is then nothing to report.
void AppendReportLine(QuillexL& s, char kind, std::string_view text) {
    ReportLines* lines = s.reportLines.get();
    if (lines == nullptr)
        return;
    std::string line(1, kind);
    line += text;
    lines->push_back(std::move(line));
}

// The entry under review, or nothing when curIndex does not name an entry of the list.
PendingChangeType* EntryUnderReview(QuillexL& s) {
    PendingList* list = s.pendingList.get();
    const std::int32_t index = s.curIndex;
    if (list == nullptr || index < 0 || static_cast<std::size_t>(index) >= list->size())
        return nullptr;
    return &(*list)[static_cast<std::size_t>(index)];
}

bool WritesText(PendingChangeFlag flag) {
    return flag == PendingChangeFlag::AllOK || flag == PendingChangeFlag::ChgdLenError;
}

// Erases the old image, writes the new text and keeps the count and the report.
void WriteText(QuillexL& s, PendingChangeType& entry, host::EntityRec& ent) {
    const auto& h = host::Host();
    const host::str255 oldText = ent.text;
    AppendReportLine(s, 'o', oldText.view());
    h.ent_draw_dl(&ent, 0, 0);
    // Entity texts hold at most 255 characters; the assignment cuts anything longer.
    const host::str255 newText(entry.newstr);
    ent.text = newText;
    h.ent_updates(&ent);
    s.numEntsChanged += 1;
    s.numReplacements += entry.NumChanges;
    if (entry.Flag == PendingChangeFlag::ChgdLenError) {
        AppendReportLine(s, 'p', newText.view());
        // Once written, the partial change is an ordinary one.
        entry.Flag = PendingChangeFlag::AllOK;
        return;
    }
    AppendReportLine(s, 'n', newText.view());
}

} // namespace

ApplyOutcome ApplyPendingChange() {
    QuillexL& s = State();
    PendingChangeType* entry = EntryUnderReview(s);
    if (entry == nullptr)
        return ApplyOutcome::Unchanged;

    // Worked on in a local record: curEnt sits unaligned in the state record.
    host::EntityRec ent;
    if (!host::Host().ent_get(&ent, entry->adr, true))
        return ApplyOutcome::Unchanged;

    ApplyOutcome outcome = ApplyOutcome::Unchanged;
    if (WritesText(entry->Flag)) {
        WriteText(s, *entry, ent);
        outcome = ApplyOutcome::Changed;
    } else if (entry->Flag == PendingChangeFlag::SmartEnt && s.confirmEach) {
        // The user chose to collect this smart entity. Marked as dealt with whatever set is
        // chosen, so that the collection after the run does not offer it a second time.
        entry->Flag = PendingChangeFlag::SmartEntConfirmed;
        outcome = ApplyOutcome::CollectSmartEntity;
    }
    s.curEnt = ent;
    return outcome;
}

void WriteResultMessage() {
    QuillexL& s = State();
    const std::int32_t entities = s.numEntsChanged;
    const std::int32_t replacements = s.numReplacements;

    std::string message;
    if (s.operation == opReplace && !s.manualEditMade)
        message = std::to_string(replacements) + " replacements made in " +
                  std::to_string(entities) + " entities";
    else if (entities == 0)
        message = "No entities were changed";
    else
        message = std::to_string(entities) + " entities were updated.";

    const host::str255 line(message);
    s.resultMsg = line;
    host::Host().wrterr(&line, 0);

    ReportLines* lines = s.reportLines.get();
    if (entities <= 0 || lines == nullptr)
        return;
    // One result line per report: a later result of the same run replaces the earlier one.
    std::erase_if(*lines, [](const std::string& l) { return l.starts_with('r'); });
    AppendReportLine(s, 'r', message);
}

} // namespace qx
