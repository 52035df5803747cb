// Every text of every dialog and floating window fits its control, whatever the font: at the
// dialog font, at one and a half times its size and with a wide font, and (run again by ctest
// with QT_SCALE_FACTOR=1.5) on a scaled display. Each window is also saved as a picture under
// the test-output folder, for a person to look at.
#include "cadhost/driver/session.h"
#include "dialogs/confirm_window.h"
#include "dialogs/edit_text_dialog.h"
#include "dialogs/found_text_window.h"
#include "dialogs/label_auto_height.h"
#include "dialogs/layer_grid.h"
#include "dialogs/layers_dialog.h"
#include "dialogs/replace_form_io.h"
#include "dialogs/replace_text_dialog.h"
#include "dialogs/report_dialog.h"
#include "dialogs/selset_dialog.h"
#include "state/state_access.h"
#include "tests/support/cadhost_slots.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qx {
namespace {

// ---------------------------------------------------------------------------------------------
// Where a control's text lies, and whether it fits.

constexpr int kUnbounded = 1 << 20;
// A text that touches the next control reads as running into it.
constexpr int kClearance = 2;

struct TextPlace {
    // The part of the control that shows something: the text and, for check boxes and radio
    // buttons, the indicator; a framed control shows all of itself.
    QRect ink;
    // Empty when the text fits, else what does not fit.
    std::string fault;
};

std::string SizeText(QSize size) {
    return std::to_string(size.width()) + " x " + std::to_string(size.height());
}

std::string Misfit(const char* what, QSize needed, QSize room) {
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return {};
    return std::string(what) + " needs " + SizeText(needed) + " but has " + SizeText(room);
}

// Laid out from the top: centred in an unbounded height, a line could round a pixel taller.
int LabelFlags(const QLabel& label) {
    const int horizontal = static_cast<int>(label.alignment() & Qt::AlignHorizontal_Mask);
    return horizontal | Qt::AlignTop | (label.wordWrap() ? Qt::TextWordWrap : 0);
}

TextPlace PlaceOfLabel(const QLabel& label) {
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(),
                                                     -label.margin(), -label.margin());
    if (label.text().isEmpty())
        return {};
    // Laid out in the label's width but with unlimited height: the rectangle the text takes.
    const QRect text = label.fontMetrics().boundingRect(
        QRect(room.topLeft(), QSize(room.width(), kUnbounded)), LabelFlags(label), label.text());
    const QRect ink =
        QStyle::alignedRect(label.layoutDirection(), label.alignment(), text.size(), room)
            .translated(label.pos());
    return {ink, Misfit("text", text.size(), room.size())};
}

TextPlace PlaceOfCheck(const QAbstractButton& button, QStyle::SubElement contents,
                       QStyle::SubElement indicator) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    const QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    const QRect textInk =
        QStyle::alignedRect(button.layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter, text, room);
    const QRect ink = textInk.united(button.style()->subElementRect(indicator, &option, &button));
    return {ink.translated(button.pos()), Misfit("text", text, room.size())};
}

TextPlace PlaceOfPushButton(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    if (button.isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (button.autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect room =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    QSize needed = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    if (!button.icon().isNull()) {
        // The style puts the icon before the text with a small gap.
        needed.rwidth() += button.iconSize().width() + 4;
        needed.setHeight(std::max(needed.height(), button.iconSize().height()));
    }
    return {button.geometry(), Misfit("caption", needed, room.size())};
}

TextPlace PlaceOfGroupTitle(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = box.alignment();
    const QRect title =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    // The style sizes the title's place from the text itself; what must fit there is the
    // glyphs, without the spacing a widely spaced font adds after the last letter.
    const QSize needed = box.fontMetrics().boundingRect(box.title()).size();
    std::string fault = Misfit("title", needed, title.size());
    if (fault.empty() && !box.rect().contains(title))
        fault = "title lies outside the box";
    return {title, fault};
}

TextPlace PlaceOfComboBox(const QComboBox& list) {
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    option.frame = list.hasFrame();
    const QRect room = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &list);
    QSize needed(0, list.fontMetrics().height());
    for (int i = 0; i < list.count(); ++i)
        needed.setWidth(
            std::max(needed.width(), list.fontMetrics().horizontalAdvance(list.itemText(i))));
    return {list.geometry(), Misfit("longest entry", needed, room.size())};
}

TextPlace PlaceOfLineEdit(const QLineEdit& field) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame() ? 1 : 0;
    const QRect room = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    // The field scrolls its text sideways; only a line's height must fit.
    return {field.geometry(),
            Misfit("a text line", {0, field.fontMetrics().height()}, room.size())};
}

TextPlace PlaceOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return PlaceOfLabel(*label);
    if (const auto* check = qobject_cast<const QCheckBox*>(&widget))
        return PlaceOfCheck(*check, QStyle::SE_CheckBoxContents, QStyle::SE_CheckBoxIndicator);
    if (const auto* radio = qobject_cast<const QRadioButton*>(&widget))
        return PlaceOfCheck(*radio, QStyle::SE_RadioButtonContents,
                            QStyle::SE_RadioButtonIndicator);
    if (const auto* button = qobject_cast<const QPushButton*>(&widget))
        return PlaceOfPushButton(*button);
    if (const auto* list = qobject_cast<const QComboBox*>(&widget))
        return PlaceOfComboBox(*list);
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget))
        return PlaceOfLineEdit(*field);
    return {widget.geometry(), {}};
}

std::string Name(const QWidget& widget) {
    const QString name = widget.objectName();
    return name.isEmpty() ? widget.metaObject()->className() : name.toStdString();
}

// Everything wrong with one window: texts that do not fit their control, controls that stick
// out of the window or group they are in, and controls that cover another's text.
std::vector<std::string> Faults(QWidget& window) {
    std::vector<std::string> faults;
    const auto note = [&faults](const QWidget& widget, const std::string& fault) {
        faults.push_back(Name(widget) + ": " + fault);
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        const TextPlace place = PlaceOf(*widget);
        if (!place.fault.empty())
            note(*widget, place.fault);
        if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
            const TextPlace title = PlaceOfGroupTitle(*box);
            if (!title.fault.empty())
                note(*box, title.fault);
            for (const QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisibleTo(&window) && child->geometry().intersects(title.ink))
                    note(*child, "covers the title of " + Name(*box));
        }
    }

    // Placement is checked where the dialogs place controls themselves: in the window and in
    // its group boxes. Scrolling areas and composite controls arrange their own insides.
    std::vector<QWidget*> containers = {&window};
    for (QGroupBox* box : window.findChildren<QGroupBox*>())
        containers.push_back(box);
    for (QWidget* container : containers) {
        std::vector<std::pair<QWidget*, QRect>> inks;
        for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() || !child->isVisibleTo(&window))
                continue;
            if (!container->rect().contains(child->geometry()))
                note(*child, "lies outside " + Name(*container));
            const QRect ink = PlaceOf(*child).ink;
            if (!ink.isEmpty())
                inks.emplace_back(child, ink);
        }
        // A text keeps a little clearance to its neighbours; framed controls may touch.
        for (auto& [child, ink] : inks)
            if (qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child) ||
                qobject_cast<QRadioButton*>(child))
                ink.adjust(-kClearance, 0, kClearance, 0);
        for (std::size_t i = 0; i < inks.size(); ++i)
            for (std::size_t j = i + 1; j < inks.size(); ++j)
                if (inks[i].second.intersects(inks[j].second))
                    note(*inks[i].first, "runs into " + Name(*inks[j].first));
    }
    return faults;
}

// ---------------------------------------------------------------------------------------------
// The fonts and the windows.

struct FontSetting {
    const char* name;
    std::function<QFont(QFont)> change;
};

const FontSetting kFontSettings[] = {
    {"dialog_font", [](QFont font) { return font; }},
    {"large_font",
     [](QFont font) {
         font.setPointSizeF(font.pointSizeF() * 1.5);
         return font;
     }},
    {"wide_font",
     [](QFont font) {
         font.setFamily(QStringLiteral("DejaVu Sans"));
         font.setStretch(QFont::ExtraExpanded);
         font.setLetterSpacing(QFont::PercentageSpacing, 125);
         return font;
     }},
};

const QString kLongText =
    QStringLiteral("Ground floor plan, north wing: revised door schedule and room finishes");

using Fill = std::function<void(QWidget&)>;

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    // Runs after the font is set, as the macro fills a window before showing it.
    Fill fill;
};

std::vector<std::string> ReportLinesForTest() {
    return {"oDoor 1",
            "nDoor 2",
            "oWindow schedule, level 1",
            "pWindow schedule, level 2",
            "o" + kLongText.toStdString(),
            "n",
            "r12 replacements made in 3 entities"};
}

TfmConfirm& Confirm(QWidget& window) {
    return static_cast<TfmConfirm&>(window);
}

void FillConfirm(QWidget& window, bool maxLengthNote) {
    TfmConfirm& form = Confirm(window);
    form.lblOldTxt->setText(QStringLiteral("Door 1"));
    form.lblNewTxt->setText(QStringLiteral("Door 2"));
    form.lblWithNote->setVisible(!maxLengthNote);
    form.lblMaxLength->setVisible(maxLengthNote);
    form.fitLabels();
}

std::vector<WindowCase> WindowCases() {
    return {
        {"ReplaceText", [] { return std::make_unique<TfmReplaceText>(); },
         [](QWidget& window) { FillReplaceForm(static_cast<TfmReplaceText&>(window)); }},
        {"Layers", [] { return std::make_unique<TfmLayers>(); },
         [](QWidget& window) {
             auto& form = static_cast<TfmLayers&>(window);
             form.PopulateLayers();
             FillReplaceForm(form);
         }},
        {"ConfirmWithNote", [] { return std::make_unique<TfmConfirm>(); },
         [](QWidget& window) { FillConfirm(window, false); }},
        {"ConfirmMaxLength", [] { return std::make_unique<TfmConfirm>(); },
         [](QWidget& window) { FillConfirm(window, true); }},
        {"ConfirmSmartEntity", [] { return std::make_unique<TfmConfirm>(); },
         [](QWidget& window) {
             TfmConfirm& form = Confirm(window);
             form.lblReplace->setText(QStringLiteral("Smart Entity Text"));
             form.lblOldTxt->setText(kLongText);
             form.lblWith->setText(
                 QStringLiteral("cannot be updated by this macro: Select 'F1 Yes' to add it to a "
                                "Selection Set for subsequent processing"));
             form.btnEdit->setEnabled(false);
             form.fitLabels();
         }},
        {"FoundText", [] { return std::make_unique<TfmFoundText>(); },
         [](QWidget& window) {
             auto& form = static_cast<TfmFoundText&>(window);
             form.setWindowTitle(QStringLiteral("Found on Plans"));
             form.lblFoundText->setText(kLongText + QStringLiteral(", ") + kLongText);
             form.fitLabels();
         }},
        {"EditText", [] { return std::make_unique<TfmEditText>(); },
         [](QWidget& window) { static_cast<TfmEditText&>(window).eNewText->setText(kLongText); }},
        {"Report", [] { return std::make_unique<TfmReport>(); },
         [](QWidget& window) {
             static_cast<TfmReport&>(window).PopulateReport(ReportLinesForTest());
         }},
        {"SelSet", [] { return std::make_unique<TfmSelSet>(3); }, [](QWidget&) {}},
        {"SelSetSingleEntity",
         [] {
             State().confirmEach = true;
             return std::make_unique<TfmSelSet>(1);
         },
         [](QWidget&) {}},
    };
}

// ---------------------------------------------------------------------------------------------

struct Combination {
    WindowCase window;
    FontSetting font;
};

void PrintTo(const Combination& combination, std::ostream* out) {
    *out << combination.window.name << " in " << combination.font.name;
}

std::string CombinationName(const testing::TestParamInfo<Combination>& info) {
    return std::string(info.param.window.name) + "_" + info.param.font.name;
}

std::vector<Combination> Combinations() {
    std::vector<Combination> all;
    for (const WindowCase& window : WindowCases())
        for (const FontSetting& font : kFontSettings)
            all.push_back({window, font});
    return all;
}

class TextFitTest : public testing::TestWithParam<Combination> {
protected:
    TextFitTest() : record_(std::make_unique<QuillexL>()) {
        cadhost::ResetSession();
        test::BindSlotsToCadhost();
        SetStatePointer(record_.get());
        cadhost::Drawing& drawing = cadhost::CurrentSession().drawing;
        drawing.AddLayer("Plans");
        drawing.AddLayer("Locked layer with a long name", true, true);
        drawing.AddLayer("Off", false);
        State().searchStr.assign("Door");
        State().replaceStr.assign("Gate");
    }
    ~TextFitTest() override {
        SetStatePointer(nullptr);
        test::UnbindSlots();
    }

    // Keeps the picture for a person to look at; a test never compares it.
    static void SavePicture(QWidget& window, const std::string& name) {
        const QString folder = QStringLiteral(QX_TEST_OUTPUT_DIR);
        QDir().mkpath(folder);
        const int scale = static_cast<int>(window.devicePixelRatioF() * 10 + 0.5);
        const QString file =
            QStringLiteral("%1/%2_scale%3.png")
                .arg(folder, QString::fromStdString(name))
                .arg(scale == 10 ? QStringLiteral("1") : QString::number(scale / 10.0));
        window.grab().save(file);
    }

private:
    std::unique_ptr<QuillexL> record_;
};

TEST_P(TextFitTest, EveryTextFitsItsControl) {
    const Combination& combination = GetParam();
    std::unique_ptr<QWidget> window = combination.window.make();
    window->setFont(combination.font.change(window->font()));
    combination.window.fill(*window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();

    for (const std::string& fault : Faults(*window))
        ADD_FAILURE() << fault;
    if (auto* layers = qobject_cast<TfmLayers*>(window.get())) {
        // The grid draws the layer names itself, bold, one per row.
        QFont bold = layers->sgLayers->font();
        bold.setBold(true);
        EXPECT_GE(layers->sgLayers->rowHeight(0), QFontMetrics(bold).height());
    }
    SavePicture(*window, CombinationName({combination, 0}));
}

INSTANTIATE_TEST_SUITE_P(AllWindows, TextFitTest, testing::ValuesIn(Combinations()),
                         CombinationName);

// The check itself must see a clipped text, or every pass above would mean nothing.
TEST(TextFitCheck, SeesClippedAndCoveredTexts) {
    QWidget window;
    window.resize(300, 100);
    auto* box = new QCheckBox(QStringLiteral("A caption far too long for its box"), &window);
    box->setObjectName(QStringLiteral("box"));
    box->setGeometry(8, 8, 60, 17);
    auto* label = new QLabel(QStringLiteral("Covered"), &window);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(8, 40, 100, 20);
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    button->setObjectName(QStringLiteral("button"));
    button->setGeometry(20, 40, 75, 25);
    auto* outside = new QPushButton(QStringLiteral("Out"), &window);
    outside->setObjectName(QStringLiteral("outside"));
    outside->setGeometry(280, 8, 75, 25);
    window.show();

    const std::vector<std::string> faults = Faults(window);
    const auto has = [&faults](const std::string& start) {
        return std::any_of(faults.begin(), faults.end(),
                           [&start](const std::string& f) { return f.rfind(start, 0) == 0; });
    };
    EXPECT_TRUE(has("box: text needs"));
    EXPECT_TRUE(has("label: runs into button"));
    EXPECT_TRUE(has("outside: lies outside"));

    box->setGeometry(8, 8, 280, 17);
    label->move(8, 70);
    outside->move(200, 40);
    EXPECT_EQ(Faults(window), std::vector<std::string>{});
}

} // namespace
} // namespace qx
