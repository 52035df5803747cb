#include "settings/form_placement.h"

#include "host/codepage.h"
#include "platform/platform.h"
#include "settings/ini_values.h"
#include "settings/store_state.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace qx::settings {
namespace {

using detail::Store;

// Stands for "no value stored" in a window's own section.
constexpr std::int32_t kNotStored = 2147483647;

// A restored window must show at least this much of itself on some screen, or the user could
// not reach it to move it back.
constexpr int kMinVisiblePixels = 32;

const char* const kFormWarning =
    "A non-fatal error occurred during processing of the form, please advise macro author";

class RestoreInProgress {
public:
    RestoreInProgress() { Store().restoreInProgress = true; }
    ~RestoreInProgress() { Store().restoreInProgress = false; }
    RestoreInProgress(const RestoreInProgress&) = delete;
    RestoreInProgress& operator=(const RestoreInProgress&) = delete;
};

std::string FormName(const PlacedWindow& form) {
    return host::Utf8ToCp1252Lossy(form.Name());
}

// Only files that exist already take a shared placement: the store creates the shared file at
// start-up, and a window must not create it.
std::optional<std::string> ExistingSharedFile() {
    auto file = detail::SharedFileFromHost();
    if (!file || !platform::FileExists(*file))
        return std::nullopt;
    return file;
}

bool IsReachableOnSomeScreen(const form::Rect& rect, const std::vector<form::Rect>& screens) {
    // Without screens there is nothing to measure against; the stored place stands.
    if (screens.empty())
        return true;
    const int needWidth = std::min(rect.width, kMinVisiblePixels);
    const int needHeight = std::min(rect.height, kMinVisiblePixels);
    return std::ranges::any_of(screens, [&](const form::Rect& screen) {
        const form::Rect visible = screen.Intersected(rect);
        return visible.width >= needWidth && visible.height >= needHeight;
    });
}

// Values are applied one at a time, as they are read; false when a value cannot be applied.
bool ApplyLeft(PlacedWindow& form, int left) {
    form.MoveTo(left, form.Place().y);
    return true;
}
bool ApplyTop(PlacedWindow& form, int top) {
    form.MoveTo(form.Place().x, top);
    return true;
}
bool ApplyWidth(PlacedWindow& form, int width) {
    if (width <= 0)
        return false;
    form.ResizeTo(width, form.Place().height);
    return true;
}
bool ApplyHeight(PlacedWindow& form, int height) {
    if (height <= 0)
        return false;
    form.ResizeTo(form.Place().width, height);
    return true;
}

using Apply = bool (*)(PlacedWindow&, int);

struct Field {
    const char* sharedSuffix; // scheme A: name + suffix in the product's section
    const char* ownKey;       // scheme B: key in the window's own section
    Apply apply;
    int (*current)(const PlacedWindow&);
};

const Field kLeft{"-left", "Left", ApplyLeft, [](const PlacedWindow& f) { return f.Place().x; }};
const Field kTop{"-top", "Top", ApplyTop, [](const PlacedWindow& f) { return f.Place().y; }};
const Field kWidth{"-width", "Width", ApplyWidth,
                   [](const PlacedWindow& f) { return f.Place().width; }};
const Field kHeight{"-height", "Height", ApplyHeight,
                    [](const PlacedWindow& f) { return f.Place().height; }};

// The orders in which each scheme reads and writes its values.
const Field* const kSharedOrder[] = {&kLeft, &kWidth, &kTop, &kHeight};
const Field* const kOwnOrder[] = {&kTop, &kLeft, &kHeight, &kWidth};

bool RestoreShared(PlacedWindow& form) {
    const auto file = ExistingSharedFile();
    if (!file)
        return true;
    const std::string name = FormName(form);
    for (const Field* field : kSharedOrder) {
        const int value =
            ReadIniInt(*file, detail::Section(), name + field->sharedSuffix, field->current(form));
        if (!field->apply(form, value))
            return false;
    }
    return true;
}

bool RestoreOwn(PlacedWindow& form) {
    const std::string& file = Store().macroIniFile;
    if (file.empty())
        return true;
    const std::string section = FormName(form);
    for (const Field* field : kOwnOrder) {
        const int value = ReadIniInt(file, section, field->ownKey, kNotStored);
        if (value != kNotStored && !field->apply(form, value))
            return false;
    }
    return true;
}

bool SaveShared(const PlacedWindow& form) {
    const auto file = ExistingSharedFile();
    if (!file)
        return true;
    const std::string name = FormName(form);
    return std::ranges::all_of(kSharedOrder, [&](const Field* field) {
        return WriteIniInt(*file, detail::Section(), name + field->sharedSuffix,
                           field->current(form));
    });
}

bool SaveOwn(const PlacedWindow& form) {
    const std::string& file = Store().macroIniFile;
    if (file.empty())
        return true;
    const std::string section = FormName(form);
    return std::ranges::all_of(kOwnOrder, [&](const Field* field) {
        return WriteIniInt(file, section, field->ownKey, field->current(form));
    });
}

} // namespace

void RestoreFormPos(PlacedWindow& form, PlacementFile file) {
    const RestoreInProgress guard;
    const bool restored = file == PlacementFile::Shared ? RestoreShared(form) : RestoreOwn(form);
    if (!restored)
        platform::WarningBox(kFormWarning);
    // A place stored under another screen layout may lie where no screen is; a modal dialog
    // there would block the host unseen, so the window keeps its designed place instead.
    if (form.IsTopLevel() && !IsReachableOnSomeScreen(form.Frame(), form.Screens()))
        form.ReturnToDesignedPlace();
}

void SaveFormPos(const PlacedWindow& form, PlacementFile file) {
    // Moving and sizing a window while restoring it may trigger a save of half-applied values.
    if (Store().restoreInProgress)
        return;
    const bool saved = file == PlacementFile::Shared ? SaveShared(form) : SaveOwn(form);
    if (!saved)
        platform::WarningBox(kFormWarning);
}

} // namespace qx::settings
