// The Qt view's control access: controls found by window and control name, read and used as a
// user would, with the dialog's rules running as for a person.
#include "dialog_fixture.h"
#include "dialogs/control_access_qt.h"
#include "dialogs/replace_form_io.h"
#include "platform/platform.h"

#include <QRadioButton>

#include <algorithm>

namespace qx::test {
namespace {

class ControlAccessTest : public DialogTest {
protected:
    ControlAccessTest() {
        FillReplaceForm(form);
        showActive();
    }
    std::unique_ptr<form::Control> Find(std::string_view control) {
        return access.Find("fmReplaceText", control);
    }

    QtControlAccess access;
};

TEST_F(ControlAccessTest, FindsOpenWindowsAndTheirControlsByName) {
    const std::vector<std::string> open = access.OpenWindows();
    EXPECT_NE(std::ranges::find(open, "fmReplaceText"), open.end());
    EXPECT_EQ(access.Find("fmNoSuchWindow", "btnOK"), nullptr);
    EXPECT_EQ(Find("btnNoSuchButton"), nullptr);
    ASSERT_NE(Find("fmReplaceText"), nullptr);
    EXPECT_EQ(Find("fmReplaceText")->Text(), "Replace Text");
    EXPECT_EQ(Find("GroupBox2")->Text(), "Replace With");
    EXPECT_EQ(Find("btnOK")->Text(), "OK");
}

TEST_F(ControlAccessTest, ReadsWhatTheUserSees) {
    const auto list = Find("cbCaseOptions");
    EXPECT_EQ(list->Items(),
              (std::vector<std::string>{"Upper Case", "Lower Case", "Sentence Case"}));
    EXPECT_EQ(list->CurrentItem(), 0);
    EXPECT_TRUE(Find("rbText")->Checked());
    EXPECT_FALSE(Find("chbCase")->Checked());
    EXPECT_TRUE(Find("eOldText")->Focused());
    EXPECT_FALSE(Find("eNewText")->Focused());
    EXPECT_TRUE(Find("Label1")->Visible());
    EXPECT_TRUE(Find("btnOK")->Enabled());
}

TEST_F(ControlAccessTest, ActionsRunTheDialogsRules) {
    EXPECT_EQ(Find("cbCaseOptions")->ChooseItem(2), "");
    EXPECT_EQ(Find("cbCaseOptions")->CurrentItem(), 2);
    EXPECT_TRUE(Find("rbChangeCase")->Checked());

    EXPECT_EQ(Find("eNewText")->ReplaceText("abc"), "");
    EXPECT_EQ(Find("eNewText")->Text(), "abc");
    EXPECT_TRUE(Find("rbText")->Checked());

    // Replacing a field's text selects it with Ctrl+A, which the key filter lets pass; the
    // emptied field then takes the opposite sign, and stepping skips zero.
    EXPECT_EQ(Find("seIncrement")->ReplaceText(""), "");
    EXPECT_EQ(Find("seIncrement")->Text(), "-1");
    EXPECT_TRUE(Find("rbIncrement")->Checked());
    EXPECT_EQ(Find("seIncrement")->PressKey(form::Key::Up), "");
    EXPECT_EQ(Find("seIncrement")->Text(), "1");

    EXPECT_EQ(Find("chbWord")->SetChecked(true), "");
    EXPECT_TRUE(Find("chbWord")->Checked());

    EXPECT_EQ(Find("eNewText")->PressKey(form::Key::Tab), "");
    EXPECT_TRUE(Find("cbCaseOptions")->Focused());

    EXPECT_EQ(Find("cbIncOptions")->ChooseItem(9), "the list has no entry 9");
    EXPECT_EQ(Find("btnOK")->ChooseItem(0), "the control has no entries to choose");
    EXPECT_EQ(Find("btnOK")->Click({.row = 1}), "the control has no rows");
}

TEST_F(ControlAccessTest, TypedCharactersGoThroughTheKeyFilter) {
    static int beeps = 0;
    static const host::UiHooks hooks{nullptr, [] { ++beeps; }, nullptr, nullptr, nullptr};
    platform::SetUiHooks(&hooks);
    beeps = 0;
    const auto field = Find("seIncrement");
    EXPECT_EQ(field->ReplaceText(""), "");
    EXPECT_EQ(field->TypeCharacter(U'4'), "");
    EXPECT_EQ(field->Text(), "-14");
    EXPECT_EQ(field->TypeCharacter(U'x'), "");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(field->TypeCharacter(U'a', form::kCtrl), "");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(field->Text(), "-14");
    platform::SetUiHooks(nullptr);
}

TEST_F(ControlAccessTest, AClickOnCancelClosesTheDialog) {
    EXPECT_EQ(Find("btnCancel")->Click(), "");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Find("btnOK"), nullptr) << "a closed window is not open";
}

} // namespace
} // namespace qx::test
