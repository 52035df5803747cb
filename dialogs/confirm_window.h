// The floating window that shows the entity under review: its present text, the text it would
// get, and buttons that answer the review menu by pressing its keys. It stays on top of the
// host's window without being modal, so the user may also answer with the function keys or
// click in the drawing.
//
// Geometry is absolute, in pixels at design size: the client area is 468 x 123. The window's
// height follows its texts (fitLabels); only the width is the user's. Captions and buttons grow
// where the font needs more room for their texts (DesignLayout), and the window with them.
#pragma once

#include "dialogs/design_layout.h"

#include "dialogs/form/review_forms_content.h"
#include "dialogs/review_window.h"

#include <string>

class QLabel;
class QPushButton;

namespace qx {

class TLabelAutoHeight;

class TfmConfirm : public forms::ReviewWindow {
    Q_OBJECT

public:
    explicit TfmConfirm(QWidget* parent = nullptr);

    // Stacks the three texts for the present width, each wrapped to as many lines as it needs,
    // and makes the window just tall enough for them and the buttons. Runs on every resize; the
    // review loop calls it after filling the window.
    void fitLabels();

    // Shows the model's texts; the window keeps a copy of the model for its Edit button.
    void showForm(const form::TfmConfirm& form);

    // True while fitLabels sets the window's height, so that the resize it causes is ignored.
    bool AdjustingHeight = false;
    // The text the entity would get, as Windows-1252 bytes; an edit replaces it.
    std::string*& pNewStr = model_.pNewStr;
    // Set when an edit changes the proposed text.
    bool*& pManualEditMade = model_.pManualEditMade;

    QLabel* lblReplace = nullptr;
    QLabel* lblLocked = nullptr;
    TLabelAutoHeight* lblOldTxt = nullptr;
    TLabelAutoHeight* lblWith = nullptr;
    QLabel* lblWithNote = nullptr;
    QLabel* lblMaxLength = nullptr;
    TLabelAutoHeight* lblNewTxt = nullptr;
    QPushButton* btnYes = nullptr;
    QPushButton* btnNo = nullptr;
    QPushButton* btnYesAll = nullptr;
    QPushButton* btnNoAll = nullptr;
    QPushButton* btnEdit = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    form::TfmConfirm model_;

    void createLabels();
    void createButtons();
    // Where the notes start on the line of lblWith: after its text, at least where designed.
    int noteLeft() const;
    // Lets the user rewrite the proposed text in the edit dialog.
    void editText();

    DesignLayout layout_;
};

} // namespace qx
