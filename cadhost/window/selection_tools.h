// The host's selection tools at the macro's main menu: a click picks one entity, a rectangle
// picks what lies inside it, a layer picks everything on it, All picks everything visible. The
// mask tells which kinds of text a selection may hold; a completed selection is one answer.
#pragma once

#include "cadhost/driver/answer.h"
#include "cadhost/model/drawing.h"
#include "cadhost/model/extent.h"
#include "cadhost/window/panel_model.h"

#include <optional>
#include <vector>

class QWidget;

namespace cadhost::window {

class SelectionTools {
public:
    SelectionTool Tool() const { return tool_; }
    void Use(SelectionTool tool) { tool_ = tool; }
    const std::optional<SelectionMask>& Mask() const { return mask_; }
    // A mask that lets every kind through restricts nothing and is no mask.
    void SetMask(const SelectionMask& mask);

    // What a click at the point picks with the current tool: the entity there, or every
    // entity on its layer. Nothing when there is no entity within the tolerance.
    std::optional<SelectionAnswer> PickAt(const Drawing& drawing, const point& at,
                                          double tolerance) const;
    std::optional<SelectionAnswer> PickArea(const Drawing& drawing, const Extent& area) const;
    SelectionAnswer PickLayer(const Drawing& drawing, lgl_addr layer) const;
    SelectionAnswer PickAll(const Drawing& drawing) const;

private:
    SelectionAnswer Answer(std::vector<lgl_addr> entities) const;

    SelectionTool tool_ = SelectionTool::Entity;
    std::optional<SelectionMask> mask_;
};

// The mask dialog: which kinds of text a selection may pick. The new mask, or none when
// cancelled.
std::optional<SelectionMask> EditMask(const std::optional<SelectionMask>& current, QWidget* parent);

} // namespace cadhost::window
