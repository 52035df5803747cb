#include "dialogs/replace_text_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/drop_down_list.h"
#include "dialogs/table_builder.h"
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
} // namespace

TfmReplaceText::TfmReplaceText(QWidget* parent)
    : TfmReplaceText(*new form::TfmReplaceText(), parent) {
    adoptModel();
}

TfmReplaceText::TfmReplaceText(form::TfmReplaceText& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), model_(&model) {
    setObjectName(QLatin1String(qx::automation::kReplaceTextForm));
    setWindowTitle(QStringLiteral("Replace Text"));
    setFont(DialogFont());
    resize(kClientWidth, kClientHeight);
    setMinimumWidth(kClientWidth);
    setFixedHeight(kClientHeight);

    createControls();
    connectRules();
    orderTabStops();
    anchorControls();
    layout.takeDesign(*this);
}

void TfmReplaceText::createControls() {
    // The Replace Text rows, also under the layer dialog, which re-arranges them afterwards.
    BuildControls(*this, model_->form::TfmReplaceText::Table(),
                  model_->form::TfmReplaceText::Tabs());
    const auto find = [this]<typename Widget>(Widget*& member, const char* name) {
        member = findChild<Widget*>(QString::fromLatin1(name));
    };
    find(GroupBox1, "GroupBox1");
    find(eOldText, "eOldText");
    find(chbCase, "chbCase");
    find(chbWord, "chbWord");
    find(chbEntity, "chbEntity");
    find(GroupBox2, "GroupBox2");
    find(rbText, "rbText");
    find(eNewText, "eNewText");
    find(rbChangeCase, "rbChangeCase");
    find(cbCaseOptions, "cbCaseOptions");
    find(rbIncrement, "rbIncrement");
    find(cbIncOptions, "cbIncOptions");
    find(Label1, "Label1");
    find(seIncrement, "seIncrement");
    find(btnOK, "btnOK");
    find(btnCancel, "btnCancel");
    seIncrement->setValue(1);
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
