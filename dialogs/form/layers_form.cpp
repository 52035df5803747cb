#include "dialogs/form/layers_form.h"

#include "dialogs/form/search_groups.h"
#include "host/host_records.h"
#include "host/host_table.h"

namespace qx::form {
namespace {

constexpr int kMaxLayerNameLength = 255;

constexpr Edges kAll = kLeft | kTop | kRight | kBottom;
constexpr Edges kBottomStretch = kLeft | kRight | kBottom;
constexpr Edges kFarCorner = kRight | kBottom;
// The groups are as wide as the grid above them, 16 wider than in the Replace Text dialog.
constexpr int kWiderGroups = 414 - 398;

// The Replace Text dialog's controls below the grid, with the layer dialog's own beside and
// above them. Client area 438 x 480; the height may shrink to 270 and grow, the width only grow.
constexpr auto kTable = JoinRows(
    std::array<ControlSpec, 8>{{
        {"fmLayers", Kind::Window, "", {0, 0, 438, 480}, "Select Layer(s) to Process"},
        {"sgLayers", Kind::Grid, "fmLayers", {112, 8, 310, 203}, "", kAll},
        {"btnActive", Kind::Button, "fmLayers", {8, 8, 101, 22}, "Active Only"},
        {"btnUnlockedOnLyrs", Kind::Button, "fmLayers", {8, 31, 101, 22}, "On Layers"},
        {"btnUnlockedLyrs", Kind::Button, "fmLayers", {8, 54, 101, 22}, "All Layers"},
        {"btnClear", Kind::Button, "fmLayers", {8, 80, 101, 22}, "Clear"},
        {"lblLocked",
         Kind::WrapLabel,
         "fmLayers",
         {24, 120, 71, 45},
         "Locked layers will NOT be selected"},
        {"GroupBox1",
         Kind::GroupBox,
         "fmLayers",
         {8, 217, 414, 84},
         "Text to Search For",
         kBottomStretch},
    }},
    SearchGroupControls(kWiderGroups),
    std::array<ControlSpec, 1>{{
        {"GroupBox2",
         Kind::GroupBox,
         "fmLayers",
         {8, 307, 414, 130},
         "Replace With",
         kBottomStretch},
    }},
    ReplaceGroupControls(kWiderGroups),
    std::array<ControlSpec, 3>{{
        {"btnOK",
         Kind::Button,
         "fmLayers",
         {232, 447, 190, 25},
         "Process Selected Layers Now",
         kFarCorner,
         {},
         0,
         Role::Default},
        {"btnCancel",
         Kind::Button,
         "fmLayers",
         {147, 447, 67, 25},
         "Cancel",
         kFarCorner,
         {},
         0,
         Role::Cancel},
        {"Button1", Kind::Button, "fmLayers", {16, 448, 65, 25}, "Find Only", kLeft | kBottom},
    }});

constexpr std::string_view kTabs[] = {
    "sgLayers",    "eOldText",     "rbText",      "eNewText", "rbChangeCase", "cbCaseOptions",
    "rbIncrement", "cbIncOptions", "seIncrement", "btnOK",    "btnCancel",    "Button1"};

} // namespace

void TfmLayers::PopulateLayers() {
    const auto& h = host::Host();
    LayerDetails.clear();
    currentRow = kNoRow;
    host::lgl_addr active;
    h.getlyrcurr(&active);
    const host::SaveVarRec* saved = h.PGSavevar();
    const bool preselect = saved != nullptr && saved->layerDialog != 0;

    host::lgl_addr addr;
    h.lyr_first(&addr);
    // A drawing always has a layer, but an empty list must not be read as one.
    while (!h.isnil(addr)) {
        host::str255 name;
        h.getlyrname(addr, &name, kMaxLayerNameLength);
        host::LayerRec layer;
        h.lyr_get(addr, &layer);
        const std::int32_t lockWord = layer.lockWord;

        LyrDtl row;
        row.layeraddr = addr;
        row.name = std::string(name.view());
        row.ison = h.lyr_ison(addr);
        row.isactive = addr == active;
        row.islocked = lockWord != host::kLayerUnlocked;
        row.isSelected = row.isactive || (row.ison && preselect && !row.islocked);
        if (row.isactive)
            currentRow = static_cast<int>(LayerDetails.size());
        LayerDetails.push_back(std::move(row));

        host::lgl_addr next;
        h.lyr_next(&next, addr);
        addr = next;
    }
}

std::vector<host::lgl_addr> TfmLayers::ChosenLayers() const {
    std::vector<host::lgl_addr> chosen;
    for (const LyrDtl& layer : LayerDetails) {
        if (layer.isSelected)
            chosen.push_back(layer.layeraddr);
    }
    return chosen;
}

ControlTable TfmLayers::Table() const {
    return kTable;
}

TabOrder TfmLayers::Tabs() const {
    return kTabs;
}

} // namespace qx::form
