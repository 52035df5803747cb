#include "dialogs/form/report_form.h"

namespace qx::form {
namespace {

constexpr Edges kAll = kLeft | kTop | kRight | kBottom;
constexpr Edges kBottomStretch = kLeft | kRight | kBottom;
constexpr Edges kFarCorner = kRight | kBottom;
constexpr Edges kTopRight = kTop | kRight;

constexpr ControlSpec kReportTable[] = {
    {"fmReport", Kind::Window, "", {0, 0, 421, 244}, "Text Change Report "},
    {"ScrollBox1", Kind::ScrollBox, "fmReport", {5, 5, 409, 195}, "", kAll},
    {"lblTxtOld", Kind::WrapLabel, "ScrollBox1", {3, 4, 403, 0}, ""},
    {"lblTxtNew", Kind::WrapLabel, "ScrollBox1", {3, 20, 403, 0}, ""},
    {"lblResultTxt",
     Kind::WrapLabel,
     "fmReport",
     {8, 208, 316, 28},
     "lblResultTxt",
     kBottomStretch},
    {"Button1",
     Kind::Button,
     "fmReport",
     {330, 206, 84, 30},
     "Dismiss",
     kFarCorner,
     {},
     0,
     Role::Default},
};

constexpr std::string_view kReportTabs[] = {"Button1"};

constexpr ControlSpec kEditTable[] = {
    {"fmEditText", Kind::Window, "", {0, 0, 628, 60}, "Enter New Text for Entity"},
    {"eNewText", Kind::Edit, "fmEditText", {8, 8, 612, 23}, "", kNearEdges, {}, 255},
    {"Button1",
     Kind::Button,
     "fmEditText",
     {545, 37, 75, 19},
     "OK",
     kTopRight,
     {},
     0,
     Role::Default},
    {"btnCancel",
     Kind::Button,
     "fmEditText",
     {457, 37, 75, 19},
     "Cancel",
     kTopRight,
     {},
     0,
     Role::Cancel},
};

constexpr std::string_view kEditTabs[] = {"eNewText", "Button1", "btnCancel"};

} // namespace

ControlTable TfmReport::Table() {
    return kReportTable;
}

TabOrder TfmReport::Tabs() {
    return kReportTabs;
}

ControlTable TfmEditText::Table() {
    return kEditTable;
}

TabOrder TfmEditText::Tabs() {
    return kEditTabs;
}

} // namespace qx::form
