// Shared set-up of the dialog tests: a zero-filled state record reached through the state
// pointer, as the host hands it over, and helpers to find controls by their object name.
#pragma once

#include "dialogs/replace_text_dialog.h"
#include "state/state_access.h"

#include <QApplication>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Lets test failures show texts instead of bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace qx::test {

class DialogTest : public ::testing::Test {
protected:
    DialogTest() : record_(std::make_unique<QuillexL>()) { SetStatePointer(record_.get()); }
    ~DialogTest() override { SetStatePointer(nullptr); }

    QuillexL& state() { return *record_; }

    template <typename Widget> Widget& control(const char* name) {
        auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr)
            throw std::runtime_error(std::string("no control named ") + name);
        return *widget;
    }

    // Shows the dialog as the active window, so that focus and keys behave as for a user.
    void showActive() {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    std::unique_ptr<QuillexL> record_;
    TfmReplaceText form;
};

} // namespace qx::test
