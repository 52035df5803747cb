#include "dialogs/replace_text_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/drop_down_list.h"
#include "dialogs/make_control.h"
#include "dialogs/whole_number_spin_field.h"
#include "host/automation_contract.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace qx {
namespace {

constexpr int kClientWidth = 434;
constexpr int kClientHeight = 270;
constexpr int kMaxTextLength = 255;

QLineEdit* MakeTextField(QWidget* parent, const char* name, QRect geometry) {
    auto* field = MakeControl<QLineEdit>(parent, name, geometry);
    field->setMaxLength(kMaxTextLength);
    return field;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, QRect geometry, const QString& text) {
    auto* box = MakeControl<QCheckBox>(parent, name, geometry);
    box->setText(text);
    // Options are ticked with the mouse; Tab moves only between the entry fields.
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

QRadioButton* MakeRadioButton(QWidget* parent, const char* name, QRect geometry,
                              const QString& text) {
    auto* button = MakeControl<QRadioButton>(parent, name, geometry);
    button->setText(text);
    return button;
}

} // namespace

TfmReplaceText::TfmReplaceText(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QLatin1String(qx::automation::kReplaceTextForm));
    setWindowTitle(QStringLiteral("Replace Text"));
    setFont(DialogFont());
    resize(kClientWidth, kClientHeight);
    setMinimumWidth(kClientWidth);
    setFixedHeight(kClientHeight);

    createSearchGroup();
    createReplaceGroup();
    createButtons();
    connectRules();
    orderTabStops();
    anchorControls();
    layout.takeDesign(*this);
}

void TfmReplaceText::createSearchGroup() {
    GroupBox1 = MakeControl<QGroupBox>(this, "GroupBox1", {8, 8, 398, 84});
    GroupBox1->setTitle(QStringLiteral("Text to Search For"));
    eOldText = MakeTextField(GroupBox1, "eOldText", {11, 25, 377, 23});
    chbCase =
        MakeCheckBox(GroupBox1, "chbCase", {11, 54, 97, 17}, QStringLiteral("Case Sensitive"));
    chbWord = MakeCheckBox(GroupBox1, "chbWord", {147, 54, 97, 17}, QStringLiteral("Whole Word"));
    chbEntity =
        MakeCheckBox(GroupBox1, "chbEntity", {276, 54, 97, 17}, QStringLiteral("Whole Entity"));
}

void TfmReplaceText::createReplaceGroup() {
    GroupBox2 = MakeControl<QGroupBox>(this, "GroupBox2", {8, 98, 398, 130});
    GroupBox2->setTitle(QStringLiteral("Replace With"));
    rbText = MakeRadioButton(GroupBox2, "rbText", {12, 24, 54, 17}, QStringLiteral("Text:"));
    eNewText = MakeTextField(GroupBox2, "eNewText", {64, 21, 325, 23});
    rbChangeCase = MakeRadioButton(GroupBox2, "rbChangeCase", {12, 62, 190, 17},
                                   QStringLiteral("Change case of entire entity to"));
    // The entries follow the operation codes: case entry c is operation c + 1.
    cbCaseOptions = MakeControl<DropDownList>(GroupBox2, "cbCaseOptions", {200, 60, 129, 23});
    cbCaseOptions->addItems({QStringLiteral("Upper Case"), QStringLiteral("Lower Case"),
                             QStringLiteral("Sentence Case")});
    rbIncrement =
        MakeRadioButton(GroupBox2, "rbIncrement", {12, 100, 83, 17}, QStringLiteral("Increment"));
    // Number-position entry p is operation p + 4.
    cbIncOptions = MakeControl<DropDownList>(GroupBox2, "cbIncOptions", {99, 98, 145, 23});
    cbIncOptions->addItems(
        {QStringLiteral("First Number in Text"), QStringLiteral("Second Number in Text"),
         QStringLiteral("Last Number in Text"), QStringLiteral("Number at Start of Text"),
         QStringLiteral("Number at End of Text")});
    Label1 = new QLabel(QStringLiteral("by"), GroupBox2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(250, 102);
    Label1->adjustSize();
    seIncrement = MakeControl<WholeNumberSpinField>(GroupBox2, "seIncrement", {269, 98, 60, 24});
    seIncrement->setValue(1);
}

void TfmReplaceText::createButtons() {
    btnOK = MakeControl<QPushButton>(this, "btnOK", {331, 236, 75, 25});
    btnOK->setText(QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = MakeControl<QPushButton>(this, "btnCancel", {251, 236, 67, 25});
    btnCancel->setText(QStringLiteral("Cancel"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfmReplaceText::reject);
}

void TfmReplaceText::connectRules() {
    connect(eNewText, &QLineEdit::textChanged, this, [this] { newTextUsed(); });
    connect(cbCaseOptions, &QComboBox::currentIndexChanged, this, [this] { caseOptionsUsed(); });
    connect(cbIncOptions, &QComboBox::currentIndexChanged, this, [this] { incOptionsUsed(); });
    connect(seIncrement, &WholeNumberSpinField::textChanged, this, [this] { incrementUsed(); });
    // A click that leaves the value unchanged must pick the option too, so clicks are watched
    // as well as changes.
    for (QObject* watched :
         {static_cast<QObject*>(eNewText), static_cast<QObject*>(cbCaseOptions),
          static_cast<QObject*>(cbIncOptions), static_cast<QObject*>(seIncrement),
          static_cast<QObject*>(seIncrement->editor())})
        watched->installEventFilter(this);
}

void TfmReplaceText::orderTabStops() {
    const QList<QWidget*> order = {eOldText,      rbText,      eNewText,     rbChangeCase,
                                   cbCaseOptions, rbIncrement, cbIncOptions, seIncrement,
                                   btnOK,         btnCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfmReplaceText::anchorControls() {
    const Qt::Edges stretch = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge;
    const Qt::Edges farCorner = Qt::RightEdge | Qt::BottomEdge;
    layout.setAnchors(GroupBox1, stretch);
    layout.setAnchors(GroupBox2, stretch);
    layout.setAnchors(eOldText, stretch);
    layout.setAnchors(eNewText, stretch);
    layout.setAnchors(btnOK, farCorner);
    layout.setAnchors(btnCancel, farCorner);
}

void TfmReplaceText::applyZeroRule() {
    std::int32_t value = seIncrement->value();
    if (value == 0) {
        value = PrevIncValue > 0 ? -1 : 1;
        // Recorded before the text changes, because the change runs this rule again.
        PrevIncValue = value;
        seIncrement->setValue(value);
    }
    PrevIncValue = value;
}

void TfmReplaceText::takeOutOfTabOrder(QRadioButton& button) {
    button.setFocusPolicy(Qt::ClickFocus);
}

void TfmReplaceText::selectOption(QRadioButton& button) {
    button.setChecked(true);
    takeOutOfTabOrder(button);
}

void TfmReplaceText::newTextUsed() {
    if (populating)
        return;
    selectOption(*rbText);
}

void TfmReplaceText::caseOptionsUsed() {
    if (populating)
        return;
    selectOption(*rbChangeCase);
}

void TfmReplaceText::incOptionsUsed() {
    if (populating)
        return;
    selectOption(*rbIncrement);
}

void TfmReplaceText::incrementUsed() {
    applyZeroRule();
    incOptionsUsed();
}

void TfmReplaceText::reject() {
    done(kResultCancel);
}

bool TfmReplaceText::isTabStop(const QWidget& widget) const {
    const bool takesTab = (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
    return &widget != this && takesTab && widget.window() == this && widget.isEnabled() &&
           widget.isVisibleTo(this) && widget.focusProxy() == nullptr;
}

QWidget* TfmReplaceText::firstTabStop() const {
    for (QWidget* widget = nextInFocusChain(); widget != this;
         widget = widget->nextInFocusChain()) {
        if (isTabStop(*widget))
            return widget;
    }
    return nullptr;
}

bool TfmReplaceText::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress)
        return QDialog::eventFilter(watched, event);
    if (watched == eNewText)
        newTextUsed();
    else if (watched == cbCaseOptions)
        caseOptionsUsed();
    else if (watched == cbIncOptions)
        incOptionsUsed();
    else if (watched == seIncrement || watched == seIncrement->editor())
        incrementUsed();
    return QDialog::eventFilter(watched, event);
}

void TfmReplaceText::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        focusStartField();
}

void TfmReplaceText::focusStartField() {
    switch (startField) {
    case -1:
        if (QWidget* first = firstTabStop())
            first->setFocus(Qt::TabFocusReason);
        return;
    case 1:
        rbText->setChecked(true);
        eNewText->setFocus(Qt::OtherFocusReason);
        return;
    case 2:
        rbChangeCase->setChecked(true);
        cbCaseOptions->setFocus(Qt::OtherFocusReason);
        return;
    case 3:
        rbIncrement->setChecked(true);
        cbIncOptions->setFocus(Qt::OtherFocusReason);
        return;
    default:
        eOldText->setFocus(Qt::OtherFocusReason);
        return;
    }
}

} // namespace qx
