#include "dialogs/selset_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/form/selset_form.h"
#include "dialogs/make_control.h"
#include "host/codepage.h"
#include "host/host_table.h"
#include "state/state_access.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cstdint>

namespace qx {
namespace {

constexpr int kClientWidth = 365;
constexpr int kClientHeight = 186;
constexpr int kMinClientWidth = 321;
constexpr int kMinClientHeight = 185;
constexpr int kSetCount = 8;
constexpr std::int32_t kMaxNameLength = 255;

QLabel* MakeWrappingLabel(QWidget* parent, const char* name, QRect geometry, const QString& text) {
    auto* label = MakeControl<QLabel>(parent, name, geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(text);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, QRect geometry, const QString& text) {
    auto* button = MakeControl<QPushButton>(parent, name, geometry);
    button->setText(text);
    return button;
}

// The set's name as the list shows it: a leading "$" marks the active set.
QString SetEntry(int set, std::int32_t mask) {
    host::str255 name;
    host::Host().ssGetName(set, &name, kMaxNameLength);
    QString entry = QString::fromStdString(host::Cp1252ToUtf8(name.view()));
    if ((mask & (std::int32_t{1} << set)) != 0)
        entry.prepend(QLatin1Char('$'));
    return entry;
}

} // namespace

TfmSelSet::TfmSelSet(int entityCount, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("fmSelSet"));
    setWindowTitle(QStringLiteral("Matching PText/MText entities found"));
    setFont(DialogFont());
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kMinClientWidth, kMinClientHeight);

    createControls();
    writeHeading(entityCount);
    layout_.takeDesign(*this);
    fillSetList();
    preselectLastSet();
    // Connected only now, so that the preselection alone leaves OK disabled: the user
    // confirms a set by choosing it.
    enableOkOnChoice();
}

void TfmSelSet::createControls() {
    Label1 = MakeWrappingLabel(this, "Label1", {8, 8, 346, 17},
                               QStringLiteral("Matches were found in PText/MText entities"));
    Label2 = MakeWrappingLabel(
        this, "Label2", {104, 32, 250, 113},
        QStringLiteral("These entities cannot be updated by this macro, but it can add them to a "
                       "Selection Set to facilitate subsequent manual updates. Select the "
                       "required set if you would like to do this (the selected set will be "
                       "renamed 'Quillset' and become the active set)."));
    lbSelSets = MakeControl<QListWidget>(this, "lbSelSets", {8, 32, 90, 131});
    lbSelSets->setSelectionMode(QAbstractItemView::SingleSelection);
    chbAppend = MakeControl<QCheckBox>(this, "chbAppend", {8, 165, 97, 16});
    chbAppend->setText(QStringLiteral("Append"));
    btnOK = MakeButton(this, "btnOK", {259, 157, 95, 25}, QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    btnCancel = MakeButton(this, "btnCancel", {178, 157, 75, 25}, QStringLiteral("Cancel"));

    connect(btnOK, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(btnCancel, &QPushButton::clicked, this, &TfmSelSet::reject);

    setTabOrder(btnOK, lbSelSets);
    setTabOrder(lbSelSets, btnCancel);
    setTabOrder(btnCancel, chbAppend);
}

void TfmSelSet::writeHeading(int entityCount) {
    form::TfmSelSet model;
    model.FillFrom(State(), entityCount);
    Label1->setText(QString::fromStdString(model.Label1));
    if (!model.title.empty())
        setWindowTitle(QString::fromStdString(model.title));
}

void TfmSelSet::fillSetList() {
    const host::SaveVarRec* saved = host::Host().PGSavevar();
    // Copied out: the mask sits unaligned in the host's packed record.
    const std::int32_t mask = saved == nullptr ? 0 : saved->selSetMask;
    for (int set = 0; set < kSetCount; ++set)
        lbSelSets->addItem(SetEntry(set, mask));
}

void TfmSelSet::preselectLastSet() {
    form::TfmSelSet model;
    model.FillFrom(State(), 1);
    if (model.lbSelSets < 0)
        return;
    lbSelSets->setCurrentRow(model.lbSelSets);
    chbAppend->setChecked(model.chbAppend);
}

void TfmSelSet::enableOkOnChoice() {
    const auto enableWhenChosen = [this] {
        if (chosenSet() >= 0)
            btnOK->setEnabled(true);
    };
    // A click on the preselected row changes no selection, yet confirms it.
    connect(lbSelSets, &QListWidget::itemClicked, this, enableWhenChosen);
    connect(lbSelSets, &QListWidget::itemSelectionChanged, this, enableWhenChosen);
}

int TfmSelSet::chosenSet() const {
    const QList<QListWidgetItem*> chosen = lbSelSets->selectedItems();
    if (chosen.isEmpty())
        return -1;
    return lbSelSets->row(chosen.front());
}

bool TfmSelSet::appendTicked() const {
    return chbAppend->isChecked();
}

void TfmSelSet::reject() {
    done(kResultCancel);
}

} // namespace qx
