// The Qt view's control access (dialogs/form/control_access.h): the open windows are the
// application's visible top-level widgets, and a control is the child of that object name.
#pragma once

#include "dialogs/form/control_access.h"

namespace qx {

class QtControlAccess final : public form::ControlAccess {
public:
    std::vector<std::string> OpenWindows() const override;
    std::unique_ptr<form::Control> Find(std::string_view window,
                                        std::string_view control) const override;
};

} // namespace qx
