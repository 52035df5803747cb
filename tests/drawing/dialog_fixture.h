// The drawing fixture for code that opens modal dialogs: the dialogs are run by the test's own
// runner, message boxes are answered OK, and the settings live in a fresh folder, where the
// dialogs keep their placement.
#pragma once

#include "host/ui_hooks.h"
#include "tests/drawing/drawing_fixture.h"
#include "tests/support/temp_dir.h"

#include <cstdint>

namespace qx::test {

class DialogDrawingTest : public DrawingTest {
protected:
    // Takes the hooks over from the recording ones, which DrawingTest removes again at the end.
    // False when the settings could not be opened.
    [[nodiscard]] bool UseDialogs(std::int32_t (*runModal)(void* dialog));

    TempDir folder_;
    host::UiHooks hooks_{};
};

} // namespace qx::test
