// Stands in for the desktop in unit tests: records every message box and document-opening
// request the platform layer is asked for, and answers boxes from a script.
//
//     qx::test::RecordingUi ui;              // installed with qx::platform::SetUiHooks
//     ui.AnswerNext(qx::host::BoxAnswer::No);
//     ... code under test ...
//     ASSERT_EQ(ui.Boxes().size(), 1u);
//     EXPECT_EQ(ui.Boxes()[0].text, "...");
//
// Only one RecordingUi may exist at a time; its destructor removes the hooks. Boxes without a
// scripted answer get Yes (confirmations) or Ok. Modal dialogs are not run: they return 0, as
// if cancelled. Texts are UTF-8.
#pragma once

#include "host/ui_hooks.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace qx::test {

class RecordingUi {
public:
    struct Box {
        host::BoxKind kind;
        std::string caption;
        std::string text;
    };

    RecordingUi();
    ~RecordingUi();
    RecordingUi(const RecordingUi&) = delete;
    RecordingUi& operator=(const RecordingUi&) = delete;

    void AnswerNext(host::BoxAnswer answer) { answers_.push_back(answer); }
    // What an open request reports back.
    void SetOpenSucceeds(bool succeeds) { openSucceeds_ = succeeds; }

    const std::vector<Box>& Boxes() const { return boxes_; }
    const std::vector<std::string>& OpenedDocuments() const { return opened_; }
    const std::vector<std::int32_t>& SentKeys() const { return keys_; }
    int Beeps() const { return beeps_; }

private:
    friend struct RecordingUiCallbacks;
    static RecordingUi* active_;

    host::UiHooks hooks_{};
    std::deque<host::BoxAnswer> answers_;
    std::vector<Box> boxes_;
    std::vector<std::string> opened_;
    std::vector<std::int32_t> keys_;
    bool openSucceeds_ = true;
    int beeps_ = 0;
};

} // namespace qx::test
