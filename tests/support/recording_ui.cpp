#include "tests/support/recording_ui.h"

#include "platform/platform.h"

#include <stdexcept>

namespace qx::test {

RecordingUi* RecordingUi::active_ = nullptr;

struct RecordingUiCallbacks {
    static RecordingUi& Self() { return *RecordingUi::active_; }

    static host::BoxAnswer messageBox(host::BoxKind kind, const char* caption, const char* text,
                                      bool /*defaultNo*/) {
        RecordingUi& ui = Self();
        ui.boxes_.push_back({kind, caption, text});
        if (!ui.answers_.empty()) {
            const host::BoxAnswer answer = ui.answers_.front();
            ui.answers_.pop_front();
            return answer;
        }
        return kind == host::BoxKind::Confirmation ? host::BoxAnswer::Yes : host::BoxAnswer::Ok;
    }
    static void beep() { ++Self().beeps_; }
    static std::int32_t runModal(void* /*dialog*/) { return 0; }
    static bool openDocument(const char* path) {
        Self().opened_.emplace_back(path);
        return Self().openSucceeds_;
    }
    static void sendKey(std::int32_t keyCode) { Self().keys_.push_back(keyCode); }
};

RecordingUi::RecordingUi() {
    if (active_ != nullptr)
        throw std::logic_error("only one RecordingUi may exist at a time");
    active_ = this;
    hooks_ = {&RecordingUiCallbacks::messageBox, &RecordingUiCallbacks::beep,
              &RecordingUiCallbacks::runModal, &RecordingUiCallbacks::openDocument,
              &RecordingUiCallbacks::sendKey};
    platform::SetUiHooks(&hooks_);
}

RecordingUi::~RecordingUi() {
    platform::SetUiHooks(nullptr);
    active_ = nullptr;
}

} // namespace qx::test
