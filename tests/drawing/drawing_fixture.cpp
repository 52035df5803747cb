#include "tests/drawing/drawing_fixture.h"

#include "cadhost/driver/session.h"
#include "drawing/drawing_scan.h"
#include "host/host_table.h"
#include "state/state_access.h"
#include "tests/support/cadhost_slots.h"

namespace qx::test {

void DrawingTest::SetUp() {
    cadhost::ResetSession();
    BindSlotsToCadhost();
    // Value-initialised: zero-filled, as the host hands the record over.
    record_ = std::make_unique<QuillexL>();
    record_->pendingList = new PendingList();
    record_->reportLines = new ReportLines();
    SetStatePointer(record_.get());
}

void DrawingTest::TearDown() {
    delete record_->pendingList.get();
    record_->pendingList = nullptr;
    delete record_->reportLines.get();
    record_->reportLines = nullptr;
    SetStatePointer(nullptr);
    UnbindSlots();
}

cadhost::Drawing& DrawingTest::D() {
    return cadhost::CurrentSession().drawing;
}

host::lgl_addr DrawingTest::AddText(host::lgl_addr layer, const std::string& text) {
    return D().AddEntity(cadhost::MakeText(text, {10, 20, 0}), layer);
}

host::lgl_addr DrawingTest::AddSmart(host::lgl_addr layer, const std::vector<std::string>& pieces) {
    std::vector<cadhost::TextData> lines;
    double y = 5;
    for (const std::string& piece : pieces) {
        lines.push_back(cadhost::TextData{piece, {1, y, 0}, 1, 0});
        y -= 1.5;
    }
    return D().AddEntity(cadhost::MakeSmartText(host::kEntMultiLineText, lines), layer);
}

std::string DrawingTest::TextOf(host::lgl_addr entity) {
    const cadhost::Entity* e = D().FindEntity(entity);
    return e == nullptr ? std::string("<missing>") : e->text.text;
}

void DrawingTest::ScanLayer(host::lgl_addr layer) {
    host::ModeRec mode;
    host::Host().mode_init(&mode);
    host::Host().mode_1lyr(&mode, layer);
    ScanEntities(mode);
}

PendingChangeType DrawingTest::Entry(host::lgl_addr adr, std::string newstr, PendingChangeFlag flag,
                                     std::int32_t numChanges, bool locked) {
    PendingChangeType e;
    e.adr = adr;
    e.newstr = std::move(newstr);
    e.Flag = flag;
    e.NumChanges = numChanges;
    e.lyrLocked = locked;
    return e;
}

} // namespace qx::test
