#include "dialogs/confirm_window.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/edit_text_dialog.h"
#include "dialogs/label_auto_height.h"
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

constexpr int kClientWidth = 468;
constexpr int kClientHeight = 123;
// The window was designed with an outer size (a small title bar with only a close button) of
// 480 x 142 around this client area. The layout works in outer sizes, and Qt places the client
// area; these are the differences, so that the designed client area comes out as drawn.
constexpr int kFrameWidth = 12;
constexpr int kFrameHeight = 19;
constexpr int kMinOuterWidth = 480;
// The designed top of the present text and its distance below the "Replace" caption.
constexpr int kOldTextTop = 27;
constexpr int kOldTextGap = 4;
// The designed left edge of the notes on the line of lblWith.
constexpr int kNoteLeft = 39;

QLabel* MakeLabel(QWidget* parent, const char* name, QPoint at, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    label->adjustSize();
    return label;
}

TLabelAutoHeight* MakeAutoLabel(QWidget* parent, const char* name, QPoint at, bool bold) {
    auto* label = new TLabelAutoHeight(parent);
    label->setObjectName(QString::fromLatin1(name));
    if (bold) {
        // Only the weight is the label's own: family and size follow the window's font.
        QFont font;
        font.setBold(true);
        label->setFont(font);
    }
    label->move(at);
    label->setWidth(kClientWidth - 2 * at.x());
    return label;
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

QPushButton* MakeButton(QWidget* parent, const char* name, int left, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 106, 60, 15);
    // Enter and Esc mean nothing special here: only a click answers.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfmConfirm::TfmConfirm(QWidget* parent)
    : ReviewWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                               Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QLatin1String(qx::automation::kConfirmWindow));
    setWindowTitle(QStringLiteral("CONFIRM - left click in drawing area to move view to entity"));
    setFont(DialogFont());
    resize(kClientWidth, kClientHeight);
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
    lblReplace = MakeLabel(this, "lblReplace", {8, 8}, QStringLiteral("Replace"));
    lblLocked = MakeLabel(this, "lblLocked", {120, 8}, QStringLiteral(">>> LOCKED ENTITY <<<"));
    MakeNote(*lblLocked, true);
    lblOldTxt = MakeAutoLabel(this, "lblOldTxt", {16, 27}, true);
    lblWith = MakeAutoLabel(this, "lblWith", {8, 48}, false);
    lblWith->setText(QStringLiteral("With"));
    lblWithNote = MakeLabel(
        this, "lblWithNote", {39, 48},
        QStringLiteral("(Note: due to length of the text, only some changes have been made)"));
    MakeNote(*lblWithNote, false);
    lblMaxLength =
        MakeLabel(this, "lblMaxLength", {39, 48},
                  QStringLiteral("No changes made: Maximum text length would be exceeded"));
    MakeNote(*lblMaxLength, true);
    lblNewTxt = MakeAutoLabel(this, "lblNewTxt", {16, 67}, true);
}

void TfmConfirm::createButtons() {
    btnYes = MakeButton(this, "btnYes", 8, QStringLiteral("Yes"));
    btnNo = MakeButton(this, "btnNo", 76, QStringLiteral("No"));
    btnYesAll = MakeButton(this, "btnYesAll", 144, QStringLiteral("Yes to All"));
    btnNoAll = MakeButton(this, "btnNoAll", 212, QStringLiteral("No to All"));
    btnEdit = MakeButton(this, "btnEdit", 392, QStringLiteral("Edit"));

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

    const QList<QWidget*> order = {btnYes, btnNo, btnYesAll, btnNoAll, btnEdit};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

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
    lblOldTxt->move(lblOldTxt->x(), std::max(kOldTextTop, lblReplace->y() + h + kOldTextGap));
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
        return kNoteLeft;
    return std::max(kNoteLeft, lblWith->x() + withText + TextSpacing(*lblWith));
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
