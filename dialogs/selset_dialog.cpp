#include "dialogs/selset_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/form/selset_form.h"
#include "dialogs/table_builder.h"
#include "host/automation_contract.h"
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

constexpr int kSetCount = 8;
constexpr std::int32_t kMaxNameLength = 255;
// The least outer size of 337 x 224, less 16 pixels of side borders and 39 of title bar and
// bottom border, since Qt measures the client area.
constexpr int kMinClientWidth = 321;
constexpr int kMinClientHeight = 185;

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
    const form::ControlTable table = form::TfmSelSet::Table();
    const form::Rect& client = table.front().rect;
    setObjectName(QLatin1String(qx::automation::kSelectionSetForm));
    setWindowTitle(QString::fromUtf8(table.front().caption.data(),
                                     static_cast<qsizetype>(table.front().caption.size())));
    setFont(DialogFont());
    resize(client.width, client.height);
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
    BuildControls(*this, form::TfmSelSet::Table(), form::TfmSelSet::Tabs());
    Label1 = findChild<QLabel*>(QStringLiteral("Label1"));
    Label2 = findChild<QLabel*>(QStringLiteral("Label2"));
    lbSelSets = findChild<QListWidget*>(QStringLiteral("lbSelSets"));
    chbAppend = findChild<QCheckBox*>(QStringLiteral("chbAppend"));
    btnOK = findChild<QPushButton*>(QStringLiteral("btnOK"));
    btnCancel = findChild<QPushButton*>(QStringLiteral("btnCancel"));
    for (QLabel* label : {Label1, Label2})
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    btnOK->setEnabled(false);

    connect(btnOK, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(btnCancel, &QPushButton::clicked, this, &TfmSelSet::reject);
    OrderTabs(*this, form::TfmSelSet::Tabs());
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
