#include "dialogs/replace_text_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/drop_down_list.h"
#include "dialogs/make_control.h"
#include "dialogs/whole_number_spin_field.h"

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
    : TfmReplaceText(*new form::TfmReplaceText(), parent) {
    adoptModel();
}

TfmReplaceText::TfmReplaceText(form::TfmReplaceText& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), model_(&model) {
    setObjectName(QStringLiteral("fmReplaceText"));
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

QRadioButton* TfmReplaceText::radioOf(form::ReplaceOption option) const {
    switch (option) {
    case form::ReplaceOption::ChangeCase:
        return rbChangeCase;
    case form::ReplaceOption::Increment:
        return rbIncrement;
    default:
        return rbText;
    }
}

void TfmReplaceText::showOption() {
    radioOf(model_->option)->setChecked(true);
    // Qt gives a radio button the tab focus back when it receives the focus and takes it from
    // its siblings, so a group is one stop at a time; only the model's "taken out" is shown.
    for (const auto option : {form::ReplaceOption::Text, form::ReplaceOption::ChangeCase,
                              form::ReplaceOption::Increment}) {
        if (!model_->IsTabStop(form::TfmReplaceText::RadioOf(option)))
            radioOf(option)->setFocusPolicy(Qt::ClickFocus);
    }
}

void TfmReplaceText::showValues() {
    populating = true;
    model_->populating = true;
    eOldText->setText(QString::fromStdString(model_->eOldText));
    eNewText->setText(QString::fromStdString(model_->eNewText));
    chbCase->setChecked(model_->chbCase);
    chbWord->setChecked(model_->chbWord);
    chbEntity->setChecked(model_->chbEntity);
    cbCaseOptions->setCurrentIndex(model_->cbCaseOptions);
    cbIncOptions->setCurrentIndex(model_->cbIncOptions);
    showOption();
    // The model has applied the zero rule already; the field runs it again on the change, which
    // keeps the value.
    seIncrement->setValue(model_->seIncrement);
    model_->populating = false;
    populating = false;
}

void TfmReplaceText::takeValues() {
    model_->eOldText = eOldText->text().toStdString();
    model_->eNewText = eNewText->text().toStdString();
    model_->chbCase = chbCase->isChecked();
    model_->chbWord = chbWord->isChecked();
    model_->chbEntity = chbEntity->isChecked();
    model_->cbCaseOptions = cbCaseOptions->currentIndex();
    model_->cbIncOptions = cbIncOptions->currentIndex();
    model_->seIncrement = seIncrement->value();
    if (rbIncrement->isChecked())
        model_->option = form::ReplaceOption::Increment;
    else if (rbChangeCase->isChecked())
        model_->option = form::ReplaceOption::ChangeCase;
    else
        model_->option = form::ReplaceOption::Text;
}

void TfmReplaceText::newTextUsed() {
    if (populating)
        return;
    model_->NewTextUsed();
    showOption();
}

void TfmReplaceText::caseOptionsUsed() {
    if (populating)
        return;
    model_->CaseOptionsUsed();
    showOption();
}

void TfmReplaceText::incOptionsUsed() {
    if (populating)
        return;
    model_->IncOptionsUsed();
    showOption();
}

void TfmReplaceText::incrementUsed() {
    model_->populating = populating;
    const std::int32_t shown = model_->IncrementUsed(seIncrement->value());
    model_->populating = false;
    // The change runs this rule again, on a value the rule keeps.
    if (shown != seIncrement->value())
        seIncrement->setValue(shown);
    if (!populating)
        showOption();
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
