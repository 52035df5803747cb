// The native layer dialog as a user meets it: its grid paints each layer by its state, its keys
// and clicks change the choice by the dialog's rules, its quick-choice buttons work without
// taking a place in the tab chain, and it ends with the right result.
#include "window_picture.h"

#include "dialogs/dialog_result.h"
#include "dialogs/win32/layers_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::win32::test {
namespace {

LyrDtl Layer(const char* name, bool on, bool locked, bool active, bool selected) {
    LyrDtl row;
    row.name = name;
    row.ison = on;
    row.islocked = locked;
    row.isactive = active;
    row.isSelected = selected;
    return row;
}

// Active "0", two plain layers (one off), a locked one that is on, and a name in Windows-1252.
form::TfmLayers SampleForm() {
    form::TfmLayers form;
    form.LayerDetails = {
        Layer("0", true, false, true, true), Layer("Walls", true, false, false, false),
        Layer("Doors", false, false, false, false), Layer("Survey", true, true, false, false),
        Layer("Stra\xDF"
              "e",
              true, false, false, false)};
    form.currentRow = 0;
    return form;
}

std::vector<bool> Chosen(const form::TfmLayers& form) {
    std::vector<bool> chosen;
    for (const LyrDtl& row : form.LayerDetails)
        chosen.push_back(row.isSelected);
    return chosen;
}

struct Fixture {
    form::TfmLayers form = SampleForm();
    LayersView view{form};
    HWND grid = nullptr;

    Fixture() {
        view.Build(nullptr);
        view.Window().ShowFloating();
        grid = view.Window().Control("sgLayers");
    }
    void Key(WPARAM key) { SendMessageW(grid, WM_KEYDOWN, key, 0); }
    void ClickRow(int row, WPARAM keys = 0) {
        RECT item{};
        item.left = LVIR_BOUNDS;
        SendMessageW(grid, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | keys,
                     MAKELPARAM(item.left + 4, item.top + 2));
        SendMessageW(grid, WM_LBUTTONUP, keys, MAKELPARAM(item.left + 4, item.top + 2));
    }
};

TEST(LayersView, GridShowsEveryLayerByName) {
    Fixture f;
    ASSERT_NE(f.grid, nullptr);
    EXPECT_EQ(SendMessageW(f.grid, LVM_GETITEMCOUNT, 0, 0), 5);
    wchar_t text[32] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(f.grid, LVM_GETITEMTEXTW, 4, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::wstring(text), L"Stra\u00DFe");
    EXPECT_EQ(f.view.Grid().CurrentRow(), 0);
}

TEST(LayersView, KeysFollowTheChoiceRules) {
    Fixture f;
    f.Key(VK_DOWN);
    EXPECT_EQ(f.view.Grid().CurrentRow(), 1);
    f.Key(VK_SPACE);
    // A row chosen without Ctrl becomes the only one.
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>{false, true, false, false, false}));
    f.Key('A');
    // Every unlocked layer, on or off; the locked one stays out.
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>{true, true, true, false, true}));
    f.Key('C');
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>(5, false)));
    f.Key('O');
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>{true, true, false, false, true}));
    f.Key('V');
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>{true, false, false, false, false}));
    // Keys the rules do not know neither choose nor move.
    const int before = f.view.Grid().CurrentRow();
    f.Key(VK_END);
    f.Key('W');
    EXPECT_EQ(f.view.Grid().CurrentRow(), before);
    EXPECT_EQ(f.form.currentRow, before);
}

TEST(LayersView, ClicksChooseRangesAndToggles) {
    Fixture f;
    f.ClickRow(2);
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>{false, false, true, false, false}));
    f.ClickRow(4, MK_SHIFT);
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>{false, false, true, true, true}));
    f.ClickRow(3, MK_CONTROL);
    EXPECT_FALSE(f.form.LayerDetails[3].isSelected);
    EXPECT_EQ(f.form.currentRow, 3);
    // The list view's own selection is never used: the rows alone say what is chosen.
    EXPECT_EQ(SendMessageW(f.grid, LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST(LayersView, QuickChoicesAreButtonsOutsideTheTabChain) {
    Fixture f;
    HWND all = f.view.Window().Control("btnUnlockedLyrs");
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(all, GWL_STYLE) & WS_TABSTOP, 0);
    SendMessageW(all, BM_CLICK, 0, 0);
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>{true, true, true, false, true}));
    SendMessageW(f.view.Window().Control("btnClear"), BM_CLICK, 0, 0);
    EXPECT_EQ(Chosen(f.form), (std::vector<bool>(5, false)));
}

TEST(LayersView, FindOnlyEndsWithItsOwnResult) {
    form::TfmLayers form = SampleForm();
    LayersView view(form);
    // Clicked as soon as the dialog shows, from inside its own modal loop.
    view.Window().onBeforeShow = [&] {
        PostMessageW(view.Window().Control("Button1"), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(view.Run(nullptr), kResultFindOnly);
}

TEST(LayersView, PictureShowsChosenAndActiveRows) {
    Fixture f;
    const Picture picture = TakePicture(f.view.Window().Handle());
    EXPECT_TRUE(SaveBmp(picture, PictureFolder() / "layers.bmp"));
    EXPECT_GE(picture.DistinctColours(), 6U);
    const std::vector<std::string> clipped = ClippedTexts(f.view.Window());
    EXPECT_TRUE(clipped.empty()) << testing::PrintToString(clipped);

    // The active layer's row is chosen: the highlight behind it, its text in lime.
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(f.grid, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    MapWindowPoints(f.grid, nullptr, reinterpret_cast<POINT*>(&row), 2);
    RECT outer{};
    GetWindowRect(f.view.Window().Handle(), &outer);
    bool highlight = false;
    bool lime = false;
    for (int y = row.top; y < row.bottom; ++y) {
        for (int x = row.left; x < row.right; ++x) {
            const COLORREF pixel = picture.pixels[static_cast<std::size_t>(y - outer.top) *
                                                      static_cast<std::size_t>(picture.width) +
                                                  static_cast<std::size_t>(x - outer.left)];
            highlight = highlight || pixel == GetSysColor(COLOR_HIGHLIGHT);
            lime = lime || pixel == RGB(0, 255, 0);
        }
    }
    EXPECT_TRUE(highlight);
    EXPECT_TRUE(lime);
}

} // namespace
} // namespace qx::win32::test
