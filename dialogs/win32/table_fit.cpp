#include "dialogs/win32/table_fit.h"

#include <algorithm>

namespace qx::win32 {
namespace {

using form::Kind;

bool PaintsTextOnly(Kind kind) {
    return kind == Kind::Label || kind == Kind::WrapLabel || kind == Kind::CheckBox ||
           kind == Kind::RadioButton;
}

bool IsContainer(Kind kind) {
    return kind == Kind::Window || kind == Kind::GroupBox;
}

class Fitter {
public:
    Fitter(form::ControlTable table, const TextNeeds& needs) : table_(table), needs_(needs) {
        const std::size_t rows = table.size();
        result_.rects.resize(rows);
        result_.container.assign(rows, -1);
        design_.resize(rows);
        least_.resize(rows);
        for (std::size_t row = 0; row < rows; ++row) {
            least_[row] = needs.Least(row);
            design_[row] = DesignRect(table[row], least_[row]);
            result_.rects[row] = design_[row];
        }
        for (std::size_t row = 1; row < rows; ++row) {
            const int parent = RowNamed(table, table[row].parent);
            if (parent >= 0 && IsContainer(table[static_cast<std::size_t>(parent)].kind))
                result_.container[row] = parent;
        }
    }

    FittedTable Fit() && {
        // Inner group boxes first: what they need is what their parent must give them, and a
        // parent always comes before its children in the table.
        for (std::size_t row = table_.size(); row-- > 0;)
            if (IsContainer(table_[row].kind))
                FitContainer(row);
        return std::move(result_);
    }

private:
    std::vector<std::size_t> ChildrenOf(std::size_t container) const {
        std::vector<std::size_t> children;
        for (std::size_t row = 0; row < table_.size(); ++row)
            if (result_.container[row] == static_cast<int>(container))
                children.push_back(row);
        return children;
    }

    // One container through the fitting every view shares: each child with its design and
    // what its text needs (a group box needs what its own controls were fitted to).
    void FitContainer(std::size_t container) {
        const std::vector<std::size_t> children = ChildrenOf(container);
        std::vector<fit::ControlToFit> controls;
        for (const std::size_t row : children) {
            const form::ControlSpec& spec = table_[row];
            fit::ControlToFit control;
            control.design = design_[row];
            control.anchors = spec.anchors;
            control.paints =
                PaintsTextOnly(spec.kind) ? fit::Paints::TextOnly : fit::Paints::WholeRect;
            control.least = IsContainer(spec.kind)
                                ? Size{result_.rects[row].width, result_.rects[row].height}
                                : least_[row];
            control.textSpacing = needs_.TextSpacing(row);
            control.isButton = spec.kind == Kind::Button;
            control.heightForWidth = [this, row](int width) {
                return needs_.HeightForWidth(row, width);
            };
            controls.push_back(std::move(control));
        }
        const form::Rect& design = design_[container];
        const bool isGroup = table_[container].kind == Kind::GroupBox;
        fit::ContainerToFit box;
        box.design = {design.width, design.height};
        box.leadingTop = isGroup ? needs_.TitleHeight(container) : 0;
        box.titleWidth = isGroup ? least_[container].width : 0;
        const fit::FittedContainer fitted = fit::FitContainer(box, std::move(controls));

        result_.rects[container].width = fitted.size.width;
        result_.rects[container].height = fitted.size.height;
        for (std::size_t i = 0; i < children.size(); ++i)
            result_.rects[children[i]] = fitted.places[i];
    }

    form::ControlTable table_;
    const TextNeeds& needs_;
    std::vector<form::Rect> design_;
    std::vector<Size> least_;
    FittedTable result_;
};

} // namespace

form::Rect DesignRect(const form::ControlSpec& spec, Size least) {
    form::Rect rect = spec.rect;
    if (rect.width == 0 && rect.height == 0 &&
        (spec.kind == Kind::Label || spec.kind == Kind::WrapLabel)) {
        rect.width = least.width;
        rect.height = least.height;
    }
    return rect;
}

FittedTable FitTable(form::ControlTable table, const TextNeeds& needs) {
    if (table.empty())
        return {};
    return Fitter(table, needs).Fit();
}

form::Rect Follow(const form::Rect& fitted, Size delta, form::Edges anchors) {
    form::Rect placed = fitted;
    const fit::Anchor across = fit::AnchorOf(anchors, form::kLeft, form::kRight);
    if (across == fit::Anchor::Both)
        placed.width += delta.width;
    else if (across == fit::Anchor::Far)
        placed.x += delta.width;
    const fit::Anchor down = fit::AnchorOf(anchors, form::kTop, form::kBottom);
    if (down == fit::Anchor::Both)
        placed.height += delta.height;
    else if (down == fit::Anchor::Far)
        placed.y += delta.height;
    return placed;
}

int RowNamed(form::ControlTable table, std::string_view name) {
    for (std::size_t row = 0; row < table.size(); ++row)
        if (table[row].name == name)
            return static_cast<int>(row);
    return -1;
}

} // namespace qx::win32
