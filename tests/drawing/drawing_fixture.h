// A state record and a stand-in host drawing for the drawing side's tests. The macro's host
// slots are bound to the stand-in host's real functions, so every host call the code under test
// makes acts on cadhost::CurrentSession().drawing.
#pragma once

#include "cadhost/model/drawing.h"
#include "state/quillex_state.h"
#include "tests/support/recording_ui.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qx::test {

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QuillexL& S() { return *record_; }
    PendingList& Pending() { return *record_->pendingList; }
    ReportLines& Report() { return *record_->reportLines; }
    static cadhost::Drawing& D();

    host::lgl_addr AddText(host::lgl_addr layer, const std::string& text);
    host::lgl_addr AddSmart(host::lgl_addr layer, const std::vector<std::string>& pieces);
    // The text of a plain text entity as the drawing holds it now.
    static std::string TextOf(host::lgl_addr entity);

    // Scans one layer as the layer dialog's run does.
    static void ScanLayer(host::lgl_addr layer);

    static PendingChangeType Entry(host::lgl_addr adr, std::string newstr, PendingChangeFlag flag,
                                   std::int32_t numChanges = 1, bool locked = false);

    RecordingUi ui_;

private:
    std::unique_ptr<QuillexL> record_;
};

} // namespace qx::test
