#include "dialogs/layer_details.h"

#include <algorithm>
#include <cstddef>

namespace qx {
namespace {

bool IsRow(const LayerDetailList& rows, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < rows.size();
}

int ActiveRow(const LayerDetailList& rows, int fallback) {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [](const LyrDtl& r) { return r.isactive; });
    if (it == rows.end())
        return fallback;
    return static_cast<int>(it - rows.begin());
}

} // namespace

int SelectActiveOnly(LayerDetailList& rows, int current) {
    for (LyrDtl& row : rows)
        row.isSelected = row.isactive;
    return ActiveRow(rows, current);
}

int SelectUnlockedOnLayers(LayerDetailList& rows, int current) {
    for (LyrDtl& row : rows)
        row.isSelected = row.ison && !row.islocked;
    const auto it =
        std::find_if(rows.begin(), rows.end(), [](const LyrDtl& r) { return r.isSelected; });
    if (it == rows.end())
        return current;
    return static_cast<int>(it - rows.begin());
}

int SelectUnlockedLayers(LayerDetailList& rows, int current) {
    for (LyrDtl& row : rows)
        row.isSelected = !row.islocked;
    return rows.empty() ? current : 0;
}

int ClearLayerSelection(LayerDetailList& rows, int current) {
    for (LyrDtl& row : rows)
        row.isSelected = false;
    return ActiveRow(rows, current);
}

void ToggleCurrentRow(LayerDetailList& rows, int current, bool ctrl) {
    if (!IsRow(rows, current))
        return;
    LyrDtl& row = rows[static_cast<std::size_t>(current)];
    row.isSelected = !row.isSelected;
    if (!row.isSelected || ctrl)
        return;
    for (LyrDtl& other : rows)
        other.isSelected = &other == &row;
}

int StepCurrentRow(LayerDetailList& rows, int current, int step, bool ctrl, bool shift) {
    const int next = current + step;
    if (!IsRow(rows, current) || !IsRow(rows, next))
        return current;
    LyrDtl& row = rows[static_cast<std::size_t>(next)];
    if (ctrl)
        row.isSelected = !row.isSelected;
    else if (shift)
        row.isSelected = true;
    return next;
}

int ClickRow(LayerDetailList& rows, int current, int clicked, bool ctrl, bool shift) {
    if (ctrl) {
        // A Ctrl+click beside the rows concerns no layer.
        if (!IsRow(rows, clicked))
            return current;
        LyrDtl& row = rows[static_cast<std::size_t>(clicked)];
        row.isSelected = !row.isSelected;
        return shift ? current : clicked;
    }
    if (shift) {
        // A click below the last row ranges from the top, so the user can choose every layer
        // above the current one in one stroke.
        const int end = IsRow(rows, clicked) ? clicked : 0;
        const int from = std::min(current, end);
        const int to = std::max(current, end);
        const bool currentWasSelected =
            IsRow(rows, current) && rows[static_cast<std::size_t>(current)].isSelected;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int index = static_cast<int>(i);
            rows[i].isSelected = index >= from && index <= to;
        }
        if (IsRow(rows, current) && !currentWasSelected)
            rows[static_cast<std::size_t>(current)].isSelected = false;
        return current;
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].isSelected = static_cast<int>(i) == clicked;
    return IsRow(rows, clicked) ? clicked : current;
}

} // namespace qx
