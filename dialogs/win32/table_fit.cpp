#include "dialogs/win32/table_fit.h"

#include "dialogs/axis_fit.h"

#include <algorithm>

namespace qx::win32 {
namespace {

using form::Kind;

fit::Anchor AnchorOf(form::Edges edges, form::Edge nearEdge, form::Edge farEdge) {
    const bool nearHeld = (edges & nearEdge) != 0;
    const bool farHeld = (edges & farEdge) != 0;
    if (nearHeld && farHeld)
        return fit::Anchor::Both;
    return farHeld ? fit::Anchor::Far : fit::Anchor::Near;
}

bool PaintsTextOnly(Kind kind) {
    return kind == Kind::Label || kind == Kind::WrapLabel || kind == Kind::CheckBox ||
           kind == Kind::RadioButton;
}

bool IsContainer(Kind kind) {
    return kind == Kind::Window || kind == Kind::GroupBox;
}

// Buttons drawn alike (same size, in one row or one column) stay alike when one must grow.
bool Alike(const form::ControlSpec& a, const form::Rect& aDesign, const form::ControlSpec& b,
           const form::Rect& bDesign) {
    return a.kind == Kind::Button && b.kind == Kind::Button && aDesign.width == bDesign.width &&
           aDesign.height == bDesign.height && (aDesign.x == bDesign.x || aDesign.y == bDesign.y);
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

    // The least size of each child: a group box needs what its own controls need, which was
    // fitted before it.
    std::vector<Size> LeastSizes(const std::vector<std::size_t>& children) const {
        std::vector<Size> least;
        for (const std::size_t row : children) {
            if (IsContainer(table_[row].kind))
                least.push_back({result_.rects[row].width, result_.rects[row].height});
            else
                least.push_back(least_[row]);
        }
        for (std::size_t i = 0; i < children.size(); ++i) {
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                const std::size_t a = children[i];
                const std::size_t b = children[j];
                if (!Alike(table_[a], design_[a], table_[b], design_[b]))
                    continue;
                const Size both{std::max(least[i].width, least[j].width),
                                std::max(least[i].height, least[j].height)};
                least[i] = least[j] = both;
            }
        }
        return least;
    }

    void FitContainer(std::size_t container) {
        const std::vector<std::size_t> children = ChildrenOf(container);
        const std::vector<Size> least = LeastSizes(children);
        const form::Rect& design = design_[container];
        const bool isGroup = table_[container].kind == Kind::GroupBox;
        const int titleWidth = isGroup ? least_[container].width : 0;
        const int titleHeight = isGroup ? needs_.TitleHeight(container) : 0;

        std::vector<fit::Span> across;
        for (std::size_t i = 0; i < children.size(); ++i) {
            const std::size_t row = children[i];
            const form::Rect& d = design_[row];
            across.push_back(
                {d.x, d.width, d.y, d.height,
                 AnchorOf(table_[row].anchors, form::kLeft, form::kRight),
                 PaintsTextOnly(table_[row].kind) ? fit::Paints::TextOnly : fit::Paints::WholeRect,
                 least[i].width, needs_.TextSpacing(row)});
        }
        const fit::Fitted x = fit::FitAxis({design.width, 0, titleWidth}, across);

        std::vector<fit::Span> down;
        for (std::size_t i = 0; i < children.size(); ++i) {
            const std::size_t row = children[i];
            const form::Rect& d = design_[row];
            // A wrapping text's height follows from the width it was just given.
            const int height =
                std::max(least[i].height, needs_.HeightForWidth(row, x.spans[i].length));
            down.push_back({d.y, d.height, d.x, d.width,
                            AnchorOf(table_[row].anchors, form::kTop, form::kBottom),
                            across[i].paints, height, across[i].textSpacing});
        }
        const fit::Fitted y = fit::FitAxis({design.height, titleHeight, 0}, down);

        form::Rect& fitted = result_.rects[container];
        fitted.width = x.length;
        fitted.height = y.length;
        for (std::size_t i = 0; i < children.size(); ++i)
            result_.rects[children[i]] = {x.spans[i].start, y.spans[i].start, x.spans[i].length,
                                          y.spans[i].length};
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
    const fit::Anchor across = AnchorOf(anchors, form::kLeft, form::kRight);
    if (across == fit::Anchor::Both)
        placed.width += delta.width;
    else if (across == fit::Anchor::Far)
        placed.x += delta.width;
    const fit::Anchor down = AnchorOf(anchors, form::kTop, form::kBottom);
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
