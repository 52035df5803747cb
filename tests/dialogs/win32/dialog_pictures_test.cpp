// A picture of every native dialog and floating window, as the user sees it: each is shown on
// the (virtual) screen, saved as a BMP file for a person to look at, and checked to be not
// blank and to show every text whole.
#include "window_picture.h"

#include "dialogs/win32/form_window.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::win32::test {
namespace {

using form::ControlSpec;
using form::Kind;

// Checks and saves the picture of a shown window.
void CheckPicture(const FormWindow& form, const std::string& file) {
    const Picture picture = TakePicture(form.Handle());
    ASSERT_GT(picture.width, 0);
    EXPECT_TRUE(SaveBmp(picture, PictureFolder() / file)) << file;
    // A frame, a face, texts in black and at least one more shade: a blank window has fewer.
    EXPECT_GE(picture.DistinctColours(), 4U) << file << " looks blank";
    const std::vector<std::string> clipped = ClippedTexts(form);
    EXPECT_TRUE(clipped.empty()) << file << ": " << testing::PrintToString(clipped);
}

constexpr ControlSpec kCrowded[] = {
    {"TfmCrowded", Kind::Window, "", {0, 0, 200, 90}, "Crowded", form::kNearEdges},
    {"lblFirst",
     Kind::Label,
     "TfmCrowded",
     {8, 8, 30, 15},
     "A label wider than drawn",
     form::kNearEdges},
    {"chbNext", Kind::CheckBox, "TfmCrowded", {40, 8, 40, 17}, "Pushed along", form::kNearEdges},
    {"lblWrap",
     Kind::WrapLabel,
     "TfmCrowded",
     {8, 30, 60, 15},
     "A wrapping text that needs several lines at this width",
     form::kNearEdges},
    {"btnOK",
     Kind::Button,
     "TfmCrowded",
     {150, 60, 40, 20},
     "Acknowledge",
     form::kRight | form::kBottom},
};

TEST(DialogPictures, AWindowDrawnTooSmallForItsTextsShowsThemWhole) {
    FormWindow form(kCrowded, {}, {});
    form.Create(nullptr);
    form.ShowFloating();
    CheckPicture(form, "crowded.bmp");
}

} // namespace
} // namespace qx::win32::test
