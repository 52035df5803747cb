#include "dialogs/layers_dialog.h"

#include "dialogs/bulb_icons.h"
#include "dialogs/drop_down_list.h"
#include "dialogs/layer_grid.h"
#include "dialogs/make_control.h"
#include "dialogs/whole_number_spin_field.h"
#include "host/host_records.h"
#include "host/host_table.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace qx {
namespace {

constexpr int kClientWidth = 438;
constexpr int kClientHeight = 480;
// The least outer size of 450 x 309, less 16 pixels of side borders and 39 of title bar and
// bottom border, since Qt measures the client area.
constexpr int kMinClientWidth = 434;
constexpr int kMinClientHeight = 270;

QPushButton* MakeChoiceButton(QWidget* parent, const char* name, QRect geometry,
                              const QString& text) {
    auto* button = MakeControl<QPushButton>(parent, name, geometry);
    button->setText(text);
    // The quick choices are clicked or reached through the grid's letter keys; Tab skips them.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TfmLayers::TfmLayers(QWidget* parent) : TfmLayers(*new form::TfmLayers(), parent) {
    adoptModel();
}

TfmLayers::TfmLayers(form::TfmLayers& model, QWidget* parent)
    : TfmReplaceText(model, parent), LayerDetails(model.LayerDetails), layersModel_(model) {
    // The inherited controls are re-arranged from their designed places, not from the places
    // the Replace Text dialog fitted them to.
    layout.restoreDesign();
    setObjectName(QStringLiteral("fmLayers"));
    setWindowTitle(QStringLiteral("Select Layer(s) to Process"));
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(kClientWidth, kClientHeight);

    createLayerControls();
    placeInheritedControls();
    orderLayerTabStops();
    anchorLayerControls();
    layout.takeDesign(*this);
}

void TfmLayers::createLayerControls() {
    sgLayers = new LayerGrid(LayerDetails, this);
    sgLayers->setObjectName(QStringLiteral("sgLayers"));
    sgLayers->setGeometry(112, 8, 310, 203);

    btnActive = MakeChoiceButton(this, "btnActive", {8, 8, 101, 22}, QStringLiteral("Active Only"));
    btnActive->setIcon(ActiveBulbIcon());
    btnUnlockedOnLyrs =
        MakeChoiceButton(this, "btnUnlockedOnLyrs", {8, 31, 101, 22}, QStringLiteral("On Layers"));
    btnUnlockedOnLyrs->setIcon(LitBulbsIcon());
    btnUnlockedOnLyrs->setToolTip(QStringLiteral("All Unlocked Layers that are on"));
    btnUnlockedLyrs =
        MakeChoiceButton(this, "btnUnlockedLyrs", {8, 54, 101, 22}, QStringLiteral("All Layers"));
    btnUnlockedLyrs->setIcon(LitAndUnlitBulbsIcon());
    btnUnlockedLyrs->setToolTip(QStringLiteral("All Unlocked Layers (whether ON or OFF)"));
    btnClear = MakeChoiceButton(this, "btnClear", {8, 80, 101, 22}, QStringLiteral("Clear"));
    for (QPushButton* button : {btnActive, btnUnlockedOnLyrs, btnUnlockedLyrs})
        button->setIconSize({16, 16});

    connect(btnActive, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&SelectActiveOnly); });
    connect(btnUnlockedOnLyrs, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&SelectUnlockedOnLayers); });
    connect(btnUnlockedLyrs, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&SelectUnlockedLayers); });
    connect(btnClear, &QPushButton::clicked, this,
            [this] { sgLayers->applyChoice(&ClearLayerSelection); });

    lblLocked = MakeControl<QLabel>(this, "lblLocked", {24, 120, 71, 45});
    lblLocked->setText(QStringLiteral("Locked layers will NOT be selected"));
    lblLocked->setWordWrap(true);
    lblLocked->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Never shown: its height, one line of the dialog's font, is the height of a grid row.
    lblUsedForHeight = new QLabel(QStringLiteral("lblUsedForHeight"), this);
    lblUsedForHeight->setObjectName(QStringLiteral("lblUsedForHeight"));
    lblUsedForHeight->move(208, 47);
    lblUsedForHeight->adjustSize();
    lblUsedForHeight->hide();

    Button1 = MakeControl<QPushButton>(this, "Button1", {16, 448, 65, 25});
    Button1->setText(QStringLiteral("Find Only"));
    connect(Button1, &QPushButton::clicked, this, [this] { done(kResultFindOnly); });
}

void TfmLayers::placeInheritedControls() {
    GroupBox1->setGeometry(8, 217, 414, 84);
    GroupBox2->setGeometry(8, 307, 414, 130);
    // The entry fields end as far from their group's right edge as in the Replace Text dialog.
    const int wider = 414 - 398;
    eOldText->resize(eOldText->width() + wider, eOldText->height());
    eNewText->resize(eNewText->width() + wider, eNewText->height());
    btnOK->setGeometry(232, 447, 190, 25);
    btnOK->setText(QStringLiteral("Process Selected Layers Now"));
    btnCancel->setGeometry(147, 447, 67, 25);
}

void TfmLayers::orderLayerTabStops() {
    // The grid comes first, ahead of the inherited controls, so that a dialog opened with
    // start field -1 gives it the focus. Each call moves the later control behind the earlier.
    const QList<QWidget*> order = {sgLayers,     eOldText,      rbText,      eNewText,
                                   rbChangeCase, cbCaseOptions, rbIncrement, cbIncOptions,
                                   seIncrement,  btnOK,         btnCancel,   Button1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfmLayers::anchorLayerControls() {
    layout.clearAnchors();
    const Qt::Edges bottomStretch = Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
    const Qt::Edges sideStretch = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge;
    layout.setAnchors(GroupBox1, bottomStretch);
    layout.setAnchors(GroupBox2, bottomStretch);
    layout.setAnchors(eOldText, sideStretch);
    layout.setAnchors(eNewText, sideStretch);
    layout.setAnchors(sgLayers, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    layout.setAnchors(btnOK, Qt::RightEdge | Qt::BottomEdge);
    layout.setAnchors(btnCancel, Qt::RightEdge | Qt::BottomEdge);
    layout.setAnchors(Button1, Qt::LeftEdge | Qt::BottomEdge);
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
