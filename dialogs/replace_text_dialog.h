// The Replace Text dialog: the search text with its three match options, and what to do with
// matching entities (replace the matched text, change the case of the whole entity, or step a
// number in it). The layer dialog derives from it and reuses its controls and rules.
//
// Geometry is absolute, in pixels at design size, as the form was drawn: the client area is
// 434 x 270. The designed outer window was 450 x 309, that is the client area plus 16 pixels of
// side borders and 39 of title bar and bottom border; Qt measures client geometry, so the fixed
// outer height of 309 is kept as a fixed client height of 270 and the least outer width of 450
// as a least client width of 434. Only the width may grow. These are the least sizes: where the
// font needs more room for a text, the controls and the window grow (DesignLayout).
#pragma once

#include "dialogs/design_layout.h"
#include "dialogs/form/replace_text_form.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qx {

class DropDownList;
class WholeNumberSpinField;

class TfmReplaceText : public QDialog {
    Q_OBJECT

public:
    // A dialog with a form model of its own.
    explicit TfmReplaceText(QWidget* parent = nullptr);
    // A view over the caller's form model, which must outlive the dialog.
    explicit TfmReplaceText(form::TfmReplaceText& model, QWidget* parent = nullptr);

    // The values and rules the dialog shows and follows.
    form::TfmReplaceText& model() const { return *model_; }
    // Shows the model's values in the controls; the selection rules do not run meanwhile.
    void showValues();
    // Reads the controls into the model's values.
    void takeValues();

    // Which part of the dialog gets the focus when it is shown: 0 the search text,
    // 1 the replacement text, 2 the case list, 3 the number-position list, -1 the first control
    // in tab order; any other value acts as 0. Set by the caller before showing.
    std::int32_t startField = 0;
    // True while the dialog is being filled; the selection rules then do nothing, only the
    // increment field's zero rule runs.
    bool populating = false;

    // Esc, Cancel and closing the window all end with the Cancel result.
    void reject() override;

    QGroupBox* GroupBox1;
    QLineEdit* eOldText;
    QCheckBox* chbCase;
    QCheckBox* chbWord;
    QCheckBox* chbEntity;
    QGroupBox* GroupBox2;
    QRadioButton* rbText;
    QLineEdit* eNewText;
    QRadioButton* rbChangeCase;
    DropDownList* cbCaseOptions;
    QRadioButton* rbIncrement;
    DropDownList* cbIncOptions;
    QLabel* Label1;
    WholeNumberSpinField* seIncrement;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    // The selection rules: using a value picks its option. Each runs on a change and on a
    // click that leaves the value as it was.
    virtual void newTextUsed();
    virtual void caseOptionsUsed();
    virtual void incOptionsUsed();
    virtual void incrementUsed();
    // Shows the option the model's rules chose, and keeps out of the tab chain the radio
    // buttons the rules took out.
    void showOption();
    QRadioButton* radioOf(form::ReplaceOption option) const;

    // The first control that Tab reaches, which gets the focus for start field -1.
    QWidget* firstTabStop() const;
    bool isTabStop(const QWidget& widget) const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // The designed places, grown where a text needs more room, and how the controls follow the
    // width; a derived dialog lays them out anew.
    DesignLayout layout;

    // Takes ownership of the model the dialog was made with.
    void adoptModel() { ownModel_.reset(model_); }

private:
    std::unique_ptr<form::TfmReplaceText> ownModel_;
    form::TfmReplaceText* model_;

    void createSearchGroup();
    void createReplaceGroup();
    void createButtons();
    void connectRules();
    void orderTabStops();
    void anchorControls();
    void focusStartField();
};

} // namespace qx
