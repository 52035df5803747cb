#include "settings/form_placement.h"

#include "host/codepage.h"
#include "platform/platform.h"
#include "settings/ini_values.h"
#include "settings/store_state.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

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

std::string FormName(const QWidget& form) {
    return host::Utf8ToCp1252Lossy(form.objectName().toStdString());
}

// Only files that exist already take a shared placement: the store creates the shared file at
// start-up, and a window must not create it.
std::optional<std::string> ExistingSharedFile() {
    auto file = detail::SharedFileFromHost();
    if (!file || !platform::FileExists(*file))
        return std::nullopt;
    return file;
}

// The designed place of a window, to go back to when the stored one cannot be seen.
struct Placement {
    QPoint pos;
    QSize size;
    bool moved = false;
    bool resized = false;

    static Placement Of(const QWidget& form) {
        return {form.pos(), form.size(), form.testAttribute(Qt::WA_Moved),
                form.testAttribute(Qt::WA_Resized)};
    }
    void ApplyTo(QWidget& form) const {
        form.move(pos);
        form.resize(size);
        form.setAttribute(Qt::WA_Moved, moved);
        form.setAttribute(Qt::WA_Resized, resized);
    }
};

bool IsReachableOnSomeScreen(const QRect& rect) {
    const auto screens = QGuiApplication::screens();
    // Without screens there is nothing to measure against; the stored place stands.
    if (screens.isEmpty())
        return true;
    const int needWidth = std::min(rect.width(), kMinVisiblePixels);
    const int needHeight = std::min(rect.height(), kMinVisiblePixels);
    return std::ranges::any_of(screens, [&](const QScreen* screen) {
        const QRect visible = screen->availableGeometry().intersected(rect);
        return visible.width() >= needWidth && visible.height() >= needHeight;
    });
}

// Values are applied one at a time, as they are read; false when a value cannot be applied.
bool ApplyLeft(QWidget& form, int left) {
    form.move(left, form.y());
    return true;
}
bool ApplyTop(QWidget& form, int top) {
    form.move(form.x(), top);
    return true;
}
bool ApplyWidth(QWidget& form, int width) {
    if (width <= 0)
        return false;
    form.resize(width, form.height());
    return true;
}
bool ApplyHeight(QWidget& form, int height) {
    if (height <= 0)
        return false;
    form.resize(form.width(), height);
    return true;
}

using Apply = bool (*)(QWidget&, int);

struct Field {
    const char* sharedSuffix; // scheme A: name + suffix in the product's section
    const char* ownKey;       // scheme B: key in the window's own section
    Apply apply;
    int (*current)(const QWidget&);
};

const Field kLeft{"-left", "Left", ApplyLeft, [](const QWidget& f) { return f.x(); }};
const Field kTop{"-top", "Top", ApplyTop, [](const QWidget& f) { return f.y(); }};
const Field kWidth{"-width", "Width", ApplyWidth, [](const QWidget& f) { return f.width(); }};
const Field kHeight{"-height", "Height", ApplyHeight, [](const QWidget& f) { return f.height(); }};

// The orders in which each scheme reads and writes its values.
const Field* const kSharedOrder[] = {&kLeft, &kWidth, &kTop, &kHeight};
const Field* const kOwnOrder[] = {&kTop, &kLeft, &kHeight, &kWidth};

bool RestoreShared(QWidget& form) {
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

bool RestoreOwn(QWidget& form) {
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

bool SaveShared(const QWidget& form) {
    const auto file = ExistingSharedFile();
    if (!file)
        return true;
    const std::string name = FormName(form);
    return std::ranges::all_of(kSharedOrder, [&](const Field* field) {
        return WriteIniInt(*file, detail::Section(), name + field->sharedSuffix,
                           field->current(form));
    });
}

bool SaveOwn(const QWidget& form) {
    const std::string& file = Store().macroIniFile;
    if (file.empty())
        return true;
    const std::string section = FormName(form);
    return std::ranges::all_of(kOwnOrder, [&](const Field* field) {
        return WriteIniInt(file, section, field->ownKey, field->current(form));
    });
}

} // namespace

void RestoreFormPos(QWidget& form, PlacementFile file) {
    const RestoreInProgress guard;
    const Placement designed = Placement::Of(form);
    const bool restored = file == PlacementFile::Shared ? RestoreShared(form) : RestoreOwn(form);
    if (!restored)
        platform::WarningBox(kFormWarning);
    // A place stored under another screen layout may lie where no screen is; a modal dialog
    // there would block the host unseen, so the window keeps its designed place instead.
    if (form.isWindow() && !IsReachableOnSomeScreen(form.frameGeometry()))
        designed.ApplyTo(form);
}

void SaveFormPos(QWidget& form, PlacementFile file) {
    // Moving and sizing a window while restoring it may trigger a save of half-applied values.
    if (Store().restoreInProgress)
        return;
    const bool saved = file == PlacementFile::Shared ? SaveShared(form) : SaveOwn(form);
    if (!saved)
        platform::WarningBox(kFormWarning);
}

} // namespace qx::settings
