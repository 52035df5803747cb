// A picture of every native dialog and floating window of the macro, filled as in use: each
// is shown on the (virtual) screen, saved as a BMP file for a person to look at, and checked to
// be not blank and to show every text whole.
#include "window_picture.h"

#include "dialogs/win32/confirm_view.h"
#include "dialogs/win32/edit_text_view.h"
#include "dialogs/win32/replace_text_view.h"
#include "dialogs/win32/report_view.h"
#include "dialogs/win32/selset_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::win32::test {
namespace {

void CheckPicture(const FormWindow& form, const std::string& file) {
    const Picture picture = TakePicture(form.Handle());
    ASSERT_GT(picture.width, 0);
    EXPECT_TRUE(SaveBmp(picture, PictureFolder() / file)) << file;
    EXPECT_GE(picture.DistinctColours(), 4U) << file << " looks blank";
    const std::vector<std::string> clipped = ClippedTexts(form);
    EXPECT_TRUE(clipped.empty()) << file << ": " << testing::PrintToString(clipped);
}

TEST(ViewPictures, ReplaceText) {
    form::TfmReplaceText form;
    form.eOldText = "Grundstücksgrenze";
    form.eNewText = "Flurstücksgrenze";
    form.chbCase = true;
    form.option = form::ReplaceOption::Increment;
    form.cbIncOptions = 3;
    form.seIncrement = -12;
    ReplaceTextView view(form);
    view.Build(nullptr);
    view.Window().ShowFloating();
    EXPECT_TRUE(view.Window().Checked("rbIncrement"));
    EXPECT_EQ(view.Window().Text("cbIncOptions"), "Number at Start of Text");
    EXPECT_EQ(view.Window().Text("seIncrement"), "-12");
    EXPECT_EQ(view.Window().Text("eOldText"), "Grundstücksgrenze");
    CheckPicture(view.Window(), "replace_text.bmp");
}

TEST(ViewPictures, SelSet) {
    form::TfmSelSet form;
    form.Label1 = "Matches were found in 3 PText/MText entities.";
    form.lbSelSets = 2;
    form.chbAppend = true;
    SelSetView view(form,
                    {"$Set 1", "Set 2", "Quillset", "Set 4", "Set 5", "Set 6", "Set 7", "Set 8"});
    view.Build(nullptr);
    view.Window().ShowFloating();
    EXPECT_FALSE(IsWindowEnabled(view.Window().Control("btnOK")));
    EXPECT_EQ(view.Window().CurrentItem("lbSelSets"), 2);
    CheckPicture(view.Window(), "selset.bmp");
}

TEST(ViewPictures, Report) {
    form::TfmReport form;
    form.lines = {"oFirst old text",
                  "nFirst new text",
                  "oAn old text long enough to wrap onto "
                  "a second line of the report when the "
                  "window is as narrow as designed",
                  "pA new text of which only some matches were replaced",
                  "oCleared text",
                  "n",
                  "r3 text entities changed"};
    ReportView view(form);
    view.Build(nullptr);
    view.Window().ShowFloating();
    ASSERT_EQ(view.Labels().size(), 6U);
    EXPECT_EQ(view.Labels()[3].colour, RGB(0, 0, 255));
    EXPECT_EQ(view.Labels()[5].styles, kItalic);
    EXPECT_EQ(view.Window().Text("lblResultTxt"), "3 text entities changed");
    CheckPicture(view.Window(), "report.bmp");
}

TEST(ViewPictures, EditText) {
    form::TfmEditText form;
    form.eNewText = "LOT 12 - NORTH BOUNDARY";
    EditTextView view(form);
    view.Build(nullptr);
    view.Window().ShowFloating();
    CheckPicture(view.Window(), "edit_text.bmp");
}

TEST(ViewPictures, ConfirmWithALongNoteWrapsAndGrows) {
    ConfirmView view(nullptr, {1, 2, 5, 10});
    view.Create(nullptr);
    form::TfmConfirm form;
    form.lblOldTxt = "LOT 12 - NORTH BOUNDARY";
    form.lblNewTxt = "LOT 13 - NORTH BOUNDARY";
    form.lblWithNoteVisible = true;
    view.Show(form);
    const int oneLine = view.Window().ClientSize().height;
    CheckPicture(view.Window(), "confirm.bmp");

    form.lblWith = "This is a smart entity: the macro cannot change it, but it can add it to a "
                   "selection set so that you can change it by hand afterwards.";
    form.lblWithNoteVisible = false;
    form.btnEditEnabled = false;
    view.Show(form);
    EXPECT_GT(view.Window().ClientSize().height, oneLine);
    CheckPicture(view.Window(), "confirm_smart.bmp");
}

TEST(ViewPictures, FoundText) {
    FoundTextView view;
    view.Create(nullptr);
    form::TfmFoundText form;
    form.title = "Found on Boundaries";
    form.lblFoundText = "LOT 12 - NORTH BOUNDARY";
    view.Show(form);
    const int oneLine = view.Window().ClientSize().height;
    CheckPicture(view.Window(), "found_text.bmp");
    form.lblFoundText =
        std::string(40, 'W') + " " + std::string(40, 'W') + " " + std::string(40, 'W');
    view.Show(form);
    EXPECT_GT(view.Window().ClientSize().height, oneLine);
    CheckPicture(view.Window(), "found_text_wrapped.bmp");
}

} // namespace
} // namespace qx::win32::test
