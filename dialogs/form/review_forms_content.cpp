#include "dialogs/form/review_forms_content.h"

#include "host/codepage.h"

namespace qx::form {
namespace {

constexpr ControlSpec kConfirmTable[] = {
    {"fmConfirm",
     Kind::Window,
     "",
     {0, 0, 468, 123},
     "CONFIRM - left click in drawing area to move view to entity"},
    {"lblReplace", Kind::Label, "fmConfirm", {8, 8, 0, 0}, "Replace"},
    {"lblLocked", Kind::Label, "fmConfirm", {120, 8, 0, 0}, ">>> LOCKED ENTITY <<<"},
    {"lblOldTxt", Kind::WrapLabel, "fmConfirm", {16, 27, 436, 0}, ""},
    {"lblWith", Kind::WrapLabel, "fmConfirm", {8, 48, 452, 0}, "With"},
    {"lblWithNote",
     Kind::Label,
     "fmConfirm",
     {39, 48, 0, 0},
     "(Note: due to length of the text, only some changes have been made)"},
    {"lblMaxLength",
     Kind::Label,
     "fmConfirm",
     {39, 48, 0, 0},
     "No changes made: Maximum text length would be exceeded"},
    {"lblNewTxt", Kind::WrapLabel, "fmConfirm", {16, 67, 436, 0}, ""},
    {"btnYes", Kind::Button, "fmConfirm", {8, 106, 60, 15}, "Yes"},
    {"btnNo", Kind::Button, "fmConfirm", {76, 106, 60, 15}, "No"},
    {"btnYesAll", Kind::Button, "fmConfirm", {144, 106, 60, 15}, "Yes to All"},
    {"btnNoAll", Kind::Button, "fmConfirm", {212, 106, 60, 15}, "No to All"},
    {"btnEdit", Kind::Button, "fmConfirm", {392, 106, 60, 15}, "Edit"},
};

constexpr std::string_view kConfirmTabs[] = {"btnYes", "btnNo", "btnYesAll", "btnNoAll", "btnEdit"};

constexpr ControlSpec kFoundTextTable[] = {
    {"fmFoundText", Kind::Window, "", {0, 0, 624, 26}, ""},
    {"lblFoundText", Kind::WrapLabel, "fmFoundText", {8, 6, 616, 0}, ""},
};

} // namespace

ControlTable TfmConfirm::Table() {
    return kConfirmTable;
}

TabOrder TfmConfirm::Tabs() {
    return kConfirmTabs;
}

ControlTable TfmFoundText::Table() {
    return kFoundTextTable;
}

void TfmConfirm::EditAccepted(const std::string& utf8) {
    const std::string text = host::Utf8ToCp1252Lossy(utf8);
    const std::string shown = host::Cp1252ToUtf8(text);
    if (shown != lblNewTxt) {
        lblMaxLengthVisible = false;
        if (pManualEditMade != nullptr)
            *pManualEditMade = true;
    }
    lblNewTxt = shown;
    if (pNewStr != nullptr)
        *pNewStr = text;
}

} // namespace qx::form
