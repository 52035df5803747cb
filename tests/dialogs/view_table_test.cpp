// The Qt view against the form tables: every control of a table exists in the Qt window under
// its name, inside the parent the table names, with the table's caption and entries. The
// tables are the contract with the other views and with automation, so the two must not drift.
#include "cadhost/driver/session.h"
#include "dialogs/confirm_window.h"
#include "dialogs/edit_text_dialog.h"
#include "dialogs/form/layers_form.h"
#include "dialogs/form/replace_text_form.h"
#include "dialogs/form/report_form.h"
#include "dialogs/form/review_forms_content.h"
#include "dialogs/form/selset_form.h"
#include "dialogs/found_text_window.h"
#include "dialogs/layers_dialog.h"
#include "dialogs/replace_text_dialog.h"
#include "dialogs/report_dialog.h"
#include "dialogs/selset_dialog.h"
#include "state/state_access.h"
#include "tests/support/cadhost_slots.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx {
namespace {

QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The caption the user sees on a control, or nothing for controls without one.
std::optional<QString> CaptionOf(const QWidget& w) {
    if (w.isWindow())
        return w.windowTitle();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&w))
        return button->text();
    if (const auto* box = qobject_cast<const QGroupBox*>(&w))
        return box->title();
    if (const auto* label = qobject_cast<const QLabel*>(&w))
        return label->text();
    return std::nullopt;
}

void ExpectViewMatchesTable(QWidget& window, form::ControlTable table) {
    ASSERT_EQ(window.objectName(), Q(table.front().name));
    for (const form::ControlSpec& row : table) {
        SCOPED_TRACE(std::string(row.name));
        QWidget* w = row.parent.empty() ? &window : window.findChild<QWidget*>(Q(row.name));
        ASSERT_NE(w, nullptr) << "the Qt view has no control of that name";
        if (!row.parent.empty()) {
            QWidget* parent = row.parent == table.front().name
                                  ? &window
                                  : window.findChild<QWidget*>(Q(row.parent));
            ASSERT_NE(parent, nullptr);
            EXPECT_TRUE(parent->isAncestorOf(w)) << "not inside " << row.parent;
        }
        // Captions filled at run time (empty in the table) are not compared.
        const std::optional<QString> caption = CaptionOf(*w);
        if (caption && !row.caption.empty()) {
            EXPECT_EQ(caption->toStdString(), std::string(row.caption));
        }
        if (const auto* list = qobject_cast<const QComboBox*>(w)) {
            ASSERT_EQ(list->count(), static_cast<int>(row.items.size()));
            for (int i = 0; i < list->count(); ++i)
                EXPECT_EQ(list->itemText(i).toStdString(), std::string(row.items[i]));
        }
        if (const auto* field = qobject_cast<const QLineEdit*>(w); field && row.maxLength > 0) {
            EXPECT_EQ(field->maxLength(), row.maxLength);
        }
    }
}

class ViewTableTest : public ::testing::Test {
protected:
    ViewTableTest() : record_(std::make_unique<QuillexL>()) {
        cadhost::ResetSession();
        test::BindSlotsToCadhost();
        SetStatePointer(record_.get());
    }
    ~ViewTableTest() override {
        SetStatePointer(nullptr);
        test::UnbindSlots();
    }

    std::unique_ptr<QuillexL> record_;
};

TEST_F(ViewTableTest, ReplaceText) {
    TfmReplaceText dialog;
    ExpectViewMatchesTable(dialog, dialog.model().Table());
}

TEST_F(ViewTableTest, Layers) {
    TfmLayers dialog;
    ExpectViewMatchesTable(dialog, dialog.layersModel().Table());
}

TEST_F(ViewTableTest, SelSet) {
    TfmSelSet dialog(2);
    ExpectViewMatchesTable(dialog, form::TfmSelSet::Table());
}

TEST_F(ViewTableTest, ReportEditTextAndTheFloatingWindows) {
    TfmReport report;
    ExpectViewMatchesTable(report, form::TfmReport::Table());
    TfmEditText edit;
    ExpectViewMatchesTable(edit, form::TfmEditText::Table());
    TfmConfirm confirm;
    ExpectViewMatchesTable(confirm, form::TfmConfirm::Table());
    TfmFoundText found;
    ExpectViewMatchesTable(found, form::TfmFoundText::Table());
}

} // namespace
} // namespace qx
