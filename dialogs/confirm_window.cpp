#include "dialogs/confirm_window.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/edit_text_dialog.h"
#include "dialogs/label_auto_height.h"
#include "dialogs/table_builder.h"
#include "dialogs/text_room.h"
#include "dialogs/window_placement.h"
#include "host/automation_contract.h"
#include "host/codepage.h"
#include "host/host_api.h"
#include "platform/platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace qx {
namespace {

// The window was designed with an outer size (a small title bar with only a close button) of
// 480 x 142 around this client area. The layout works in outer sizes, and Qt places the client
// area; these are the differences, so that the designed client area comes out as drawn.
constexpr int kFrameWidth = 12;
constexpr int kFrameHeight = 19;
constexpr int kMinOuterWidth = 480;
// The distance of the present text below the "Replace" caption.
constexpr int kOldTextGap = 4;

// A row's designed rectangle in the window's table.
form::Rect Design(std::string_view name) {
    for (const form::ControlSpec& row : form::TfmConfirm::Table())
        if (row.name == name)
            return row.rect;
    return {};
}

// A red note; `bold` adds weight to the italic.
void MakeNote(QLabel& label, bool bold) {
    // Only the style is the note's own: family and size follow the window's font.
    QFont font;
    font.setItalic(true);
    font.setBold(bold);
    label.setFont(font);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(palette);
    label.adjustSize();
    label.hide();
}

// Only the weight is the label's own: family and size follow the window's font.
void MakeBold(QLabel& label) {
    QFont font;
    font.setBold(true);
    label.setFont(font);
}

} // namespace

TfmConfirm::TfmConfirm(QWidget* parent)
    : ReviewWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                               Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QLatin1String(qx::automation::kConfirmWindow));
    setWindowTitle(QStringLiteral("CONFIRM - left click in drawing area to move view to entity"));
    setFont(DialogFont());
    const form::Rect client = Design(qx::automation::kConfirmWindow);
    resize(client.width, client.height);
    setMinimumWidth(kMinOuterWidth - kFrameWidth);

    createLabels();
    createButtons();
    // The texts from the drawing and the notes on their line are stacked by fitLabels.
    for (QWidget* label : {static_cast<QWidget*>(lblOldTxt), static_cast<QWidget*>(lblWith),
                           static_cast<QWidget*>(lblNewTxt), static_cast<QWidget*>(lblWithNote),
                           static_cast<QWidget*>(lblMaxLength)})
        layout_.leaveOut(label);
    layout_.takeDesign(*this);
}

void TfmConfirm::createLabels() {
    BuildControls(*this, form::TfmConfirm::Table(), form::TfmConfirm::Tabs());
    const auto find = [this]<typename Widget>(Widget*& member, const char* name) {
        member = findChild<Widget*>(QString::fromLatin1(name));
    };
    find(lblReplace, "lblReplace");
    find(lblLocked, "lblLocked");
    find(lblOldTxt, "lblOldTxt");
    find(lblWith, "lblWith");
    find(lblWithNote, "lblWithNote");
    find(lblMaxLength, "lblMaxLength");
    find(lblNewTxt, "lblNewTxt");
    MakeNote(*lblLocked, true);
    MakeNote(*lblWithNote, false);
    MakeNote(*lblMaxLength, true);
    MakeBold(*lblOldTxt);
    MakeBold(*lblNewTxt);
    // The bold texts measure their height in their own font.
    lblOldTxt->setWidth(lblOldTxt->width());
    lblNewTxt->setWidth(lblNewTxt->width());
}

void TfmConfirm::createButtons() {
    const auto find = [this](QPushButton*& member, const char* name) {
        member = findChild<QPushButton*>(QString::fromLatin1(name));
        // Enter and Esc mean nothing special here: only a click answers.
        member->setAutoDefault(false);
    };
    find(btnYes, "btnYes");
    find(btnNo, "btnNo");
    find(btnYesAll, "btnYesAll");
    find(btnNoAll, "btnNoAll");
    find(btnEdit, "btnEdit");

    // Each answer presses the key that gives the same answer in the review menu, so the host
    // hears it as if the user had typed it. The window itself stays as it is: the review loop
    // replaces it once it has acted on the key.
    connect(btnYes, &QPushButton::clicked, this,
            [] { platform::SendHostKey(form::TfmConfirm::kAnswerKeys[0]); });
    connect(btnNo, &QPushButton::clicked, this,
            [] { platform::SendHostKey(form::TfmConfirm::kAnswerKeys[1]); });
    connect(btnYesAll, &QPushButton::clicked, this,
            [] { platform::SendHostKey(form::TfmConfirm::kAnswerKeys[2]); });
    connect(btnNoAll, &QPushButton::clicked, this,
            [] { platform::SendHostKey(form::TfmConfirm::kAnswerKeys[3]); });
    connect(btnEdit, &QPushButton::clicked, this, &TfmConfirm::editText);

    OrderTabs(*this, form::TfmConfirm::Tabs());

    for (QPushButton* button : {btnYes, btnNo, btnYesAll, btnNoAll})
        layout_.setAnchors(button, Qt::LeftEdge | Qt::BottomEdge);
    layout_.setAnchors(btnEdit, Qt::RightEdge | Qt::BottomEdge);
}

void TfmConfirm::fitLabels() {
    if (AdjustingHeight)
        return;
    lblWithNote->adjustSize();
    lblMaxLength->adjustSize();
    const int u = lblWithNote->height();
    const int h = lblReplace->height();
    // A note that is shown must fit on the line of lblWith; this may widen the window, whose
    // resize lays everything out anew.
    int leastWidth = layout_.leastWindowSize().width();
    for (const QLabel* note : {lblWithNote, lblMaxLength})
        if (!note->isHidden())
            leastWidth = std::max(leastWidth,
                                  noteLeft() + note->width() - lblWith->x() + 2 * u - kFrameWidth);
    if (leastWidth != minimumWidth())
        setMinimumWidth(leastWidth);

    const int outerWidth = width() + kFrameWidth;
    const int textWidth = outerWidth - 2 * u;
    // Below the caption, however tall the font makes it.
    lblOldTxt->move(lblOldTxt->x(),
                    std::max(Design("lblOldTxt").y, lblReplace->y() + h + kOldTextGap));
    lblOldTxt->setWidth(textWidth);
    lblWith->move(lblWith->x(), lblOldTxt->y() + lblOldTxt->height() + h / 2);
    lblNewTxt->move(lblNewTxt->x(), lblWith->y() + static_cast<int>(std::lround(1.2 * h)));
    lblNewTxt->setWidth(textWidth);
    lblWith->setWidth(textWidth);
    lblWithNote->move(noteLeft(), lblWith->y());
    lblMaxLength->move(noteLeft(), lblWith->y());

    AdjustingHeight = true;
    const TLabelAutoHeight* last = lblWith->text().isEmpty() ? lblWith : lblNewTxt;
    resize(width(), 4 * u + last->y() + last->height() - kFrameHeight);
    // A window that is not shown yet gets its resize event only when it is shown, so the
    // buttons are placed here as well.
    layout_.apply();
    AdjustingHeight = false;
}

int TfmConfirm::noteLeft() const {
    // The notes follow a one-line lblWith ("With") with a space between; a longer text there
    // (the smart-entity message) never comes with a note.
    const int withText = lblWith->fontMetrics().horizontalAdvance(lblWith->text());
    if (withText > lblWith->width())
        return Design("lblWithNote").x;
    return std::max(Design("lblWithNote").x, lblWith->x() + withText + TextSpacing(*lblWith));
}

void TfmConfirm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitLabels();
}

void TfmConfirm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Showing fitted the captions and buttons again, which sets the least width anew.
    fitLabels();
}

void TfmConfirm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The layout has fitted the captions and buttons to the new font; the texts follow. The
    // dialog font itself arrives before the labels exist.
    const bool restyled =
        event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
    if (restyled && lblNewTxt != nullptr)
        fitLabels();
}

void TfmConfirm::showForm(const form::TfmConfirm& form) {
    model_ = form;
    if (!form.title.empty())
        setWindowTitle(QString::fromStdString(form.title));
    if (!form.lblReplace.empty())
        lblReplace->setText(QString::fromStdString(form.lblReplace));
    if (!form.lblWith.empty())
        lblWith->setText(QString::fromStdString(form.lblWith));
    lblOldTxt->setText(QString::fromStdString(form.lblOldTxt));
    lblNewTxt->setText(QString::fromStdString(form.lblNewTxt));
    lblMaxLength->setVisible(form.lblMaxLengthVisible);
    lblWithNote->setVisible(form.lblWithNoteVisible);
    btnEdit->setEnabled(form.btnEditEnabled);
    fitLabels();
}

void TfmConfirm::editText() {
    TfmEditText dialog;
    dialog.eNewText->setText(lblNewTxt->text());
    RestoreWindowPlace(dialog, settings::PlacementFile::Shared);
    hide();
    if (platform::RunModal(dialog) == kResultOk) {
        model_.lblNewTxt = lblNewTxt->text().toStdString();
        model_.lblMaxLengthVisible = !lblMaxLength->isHidden();
        model_.EditAccepted(dialog.eNewText->text().toStdString());
        lblMaxLength->setVisible(model_.lblMaxLengthVisible);
        lblNewTxt->setText(QString::fromStdString(model_.lblNewTxt));
        fitLabels();
    }
    show();
    SaveWindowPlace(dialog, settings::PlacementFile::Shared);
}

} // namespace qx
