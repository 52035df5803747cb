#include "cadhost/model/selection_set_table.h"

#include <algorithm>
#include <utility>

namespace cadhost {

SelectionSetTable::SelectionSetTable() {
    for (int i = 0; i < kSelectionSetCount; ++i) {
        sets_[static_cast<std::size_t>(i)].name = "Set " + std::to_string(i);
    }
}

void SelectionSetTable::SetName(int set, std::string name) {
    if (!IsValid(set)) {
        return;
    }
    sets_[static_cast<std::size_t>(set)].name = std::move(name);
}

std::string_view SelectionSetTable::Name(int set) const {
    if (!IsValid(set)) {
        return {};
    }
    return sets_[static_cast<std::size_t>(set)].name;
}

void SelectionSetTable::Clear(int set) {
    if (!IsValid(set)) {
        return;
    }
    sets_[static_cast<std::size_t>(set)].members.clear();
}

void SelectionSetTable::Add(int set, qx::host::lgl_addr entity) {
    if (!IsValid(set)) {
        return;
    }
    auto& members = sets_[static_cast<std::size_t>(set)].members;
    if (std::find(members.begin(), members.end(), entity) != members.end()) {
        return;
    }
    members.push_back(entity);
}

const std::vector<qx::host::lgl_addr>& SelectionSetTable::Members(int set) const {
    static const std::vector<qx::host::lgl_addr> kNone;
    if (!IsValid(set)) {
        return kNone;
    }
    return sets_[static_cast<std::size_t>(set)].members;
}

} // namespace cadhost
