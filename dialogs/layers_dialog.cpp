#include "dialogs/layers_dialog.h"

#include "dialogs/bulb_icons.h"
#include "dialogs/drop_down_list.h"
#include "dialogs/form/bulb_shapes.h"
#include "dialogs/layer_grid.h"
#include "dialogs/table_builder.h"
#include "dialogs/whole_number_spin_field.h"
#include "host/automation_contract.h"
#include "host/host_records.h"
#include "host/host_table.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace qx {
namespace {

// The least outer size of 450 x 309, less 16 pixels of side borders and 39 of title bar and
// bottom border, since Qt measures the client area.
constexpr int kMinClientWidth = 434;
constexpr int kMinClientHeight = 270;

} // namespace

TfmLayers::TfmLayers(QWidget* parent) : TfmLayers(*new form::TfmLayers(), parent) {
    adoptModel();
}

TfmLayers::TfmLayers(form::TfmLayers& model, QWidget* parent)
    : TfmReplaceText(model, parent), LayerDetails(model.LayerDetails), layersModel_(model) {
    // The inherited controls are re-arranged from their designed places, not from the places
    // the Replace Text dialog fitted them to.
    layout.restoreDesign();
    setObjectName(QLatin1String(qx::automation::kLayersForm));
    setWindowTitle(QStringLiteral("Select Layer(s) to Process"));
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const form::Rect& client = layersModel_.Table().front().rect;
    resize(client.width, client.height);

    createLayerControls();
    layout.takeDesign(*this);
}

void TfmLayers::createLayerControls() {
    // The grid is the view's own; the builder makes the quick choices and re-places the Replace
    // Text controls as the layer dialog's table has them.
    sgLayers = new LayerGrid(LayerDetails, this);
    sgLayers->setObjectName(QStringLiteral("sgLayers"));
    const form::ControlTable table = layersModel_.Table();
    for (const form::ControlSpec& row : table)
        if (row.name == "sgLayers")
            sgLayers->setGeometry(row.rect.x, row.rect.y, row.rect.width, row.rect.height);
    BuildControls(*this, table, layersModel_.Tabs());

    const auto find = [this]<typename Widget>(Widget*& member, const char* name) {
        member = findChild<Widget*>(QString::fromLatin1(name));
    };
    find(btnActive, "btnActive");
    find(btnUnlockedOnLyrs, "btnUnlockedOnLyrs");
    find(btnUnlockedLyrs, "btnUnlockedLyrs");
    find(btnClear, "btnClear");
    find(lblLocked, "lblLocked");
    find(Button1, "Button1");
    btnActive->setIcon(ActiveBulbIcon());
    btnUnlockedOnLyrs->setIcon(LitBulbsIcon());
    btnUnlockedOnLyrs->setToolTip(QStringLiteral("All Unlocked Layers that are on"));
    btnUnlockedLyrs->setIcon(LitAndUnlitBulbsIcon());
    btnUnlockedLyrs->setToolTip(QStringLiteral("All Unlocked Layers (whether ON or OFF)"));
    for (QPushButton* button : {btnActive, btnUnlockedOnLyrs, btnUnlockedLyrs, btnClear}) {
        button->setIconSize({form::kBulbPictureSize, form::kBulbPictureSize});
        // The quick choices are clicked or reached through the grid's letter keys; Tab skips
        // them.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    lblLocked->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(btnActive, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&SelectActiveOnly); });
    connect(btnUnlockedOnLyrs, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&SelectUnlockedOnLayers); });
    connect(btnUnlockedLyrs, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&SelectUnlockedLayers); });
    connect(btnClear, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&ClearLayerSelection); });
    connect(Button1, &QPushButton::clicked, this, [this] { done(kResultFindOnly); });

    // Never shown: its height, one line of the dialog's font, is the height of a grid row.
    lblUsedForHeight = new QLabel(QStringLiteral("lblUsedForHeight"), this);
    lblUsedForHeight->setObjectName(QStringLiteral("lblUsedForHeight"));
    lblUsedForHeight->move(208, 47);
    lblUsedForHeight->adjustSize();
    lblUsedForHeight->hide();

    OrderTabs(*this, layersModel_.Tabs());
    layout.clearAnchors();
    AnchorFromTable(layout, *this, table);
}

void TfmLayers::PopulateLayers() {
    layersModel_.PopulateLayers();
    sgLayers->resetRows(lblUsedForHeight->height());
    sgLayers->setCurrentRowIndex(layersModel_.currentRow);
    // The column keeps this width when the window is resized later.
    sgLayers->setColumnWidth(0, sgLayers->width());
    sgLayers->viewport()->update();
}

} // namespace qx
