// Dialog windows reopen where the user last left them. Each window is named by its name in the
// dialogs' contract (its object name in the Qt view).
//
// The placement memory knows no toolkit: it works on a window through PlacedWindow, which each
// view implements over its own windows.
#pragma once

#include "dialogs/form/rect.h"

#include <string>
#include <vector>

namespace qx::settings {

// Where a window's placement is kept.
enum class PlacementFile {
    // The macro's own file, one section per window.
    Macro,
    // The shared file: section "Quillex", keys name-left/-width/-top/-height.
    Shared,
};

// A window as the placement memory sees it. Left and top are the window's position on the
// desktop, width and height the size of its client area, as the stored values mean them.
class PlacedWindow {
public:
    virtual ~PlacedWindow() = default;

    // The window's name, UTF-8: the section or key prefix its placement is kept under.
    virtual std::string Name() const = 0;
    virtual form::Rect Place() const = 0;
    virtual void MoveTo(int left, int top) = 0;
    // The view keeps the window within its least and greatest sizes.
    virtual void ResizeTo(int width, int height) = 0;
    // The rectangle the window covers on the desktop, its frame included.
    virtual form::Rect Frame() const = 0;
    // Only a top-level window must stay where the user can reach it.
    virtual bool IsTopLevel() const = 0;
    // The usable areas of the desktop's screens; empty when the view cannot tell.
    virtual std::vector<form::Rect> Screens() const = 0;
    // Puts the window back where it was before the restore began, as if never moved.
    virtual void ReturnToDesignedPlace() = 0;
};

void RestoreFormPos(PlacedWindow& form, PlacementFile file);
void SaveFormPos(const PlacedWindow& form, PlacementFile file);

} // namespace qx::settings
