#include "tests/drawing/dialog_fixture.h"

#include "cadhost/driver/session.h"
#include "platform/platform.h"
#include "settings/settings_store.h"

namespace qx::test {

bool DialogDrawingTest::UseDialogs(std::int32_t (*runModal)(void* dialog)) {
    hooks_.runModal = runModal;
    hooks_.messageBox = [](host::BoxKind, const char*, const char*, bool) {
        return host::BoxAnswer::Ok;
    };
    platform::SetUiHooks(&hooks_);
    cadhost::CurrentSession().config.macroPath = folder_.Folder("macros");
    cadhost::CurrentSession().config.sharedPath = folder_.Folder("shared");
    return settings::InitSettings("Quillex");
}

} // namespace qx::test
