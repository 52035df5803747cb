// The selection-set chooser: offers to put smart-text entities, which the macro cannot change,
// into one of the host's eight selection sets so that the user can edit them by hand later.
//
// The dialog is built from its form's table (dialogs/form/selset_form.h). The least outer size
// of 337 x 224 is kept as a least client size of 321 x 185 (16 pixels of side borders, 39 of
// title bar and bottom border). The controls keep their places on a resize. Where the font
// needs more room for a text, the controls and these sizes grow (DesignLayout).
#pragma once

#include "dialogs/design_layout.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace qx {

class TfmSelSet : public QDialog {
    Q_OBJECT

public:
    // `entityCount` is the number of entities the chooser is opened for; the heading counts
    // them. The heading, the set names and the preselection come from the state record and
    // the host, so both must be in place.
    explicit TfmSelSet(int entityCount, QWidget* parent = nullptr);

    // The chosen row, which is the host's set number, or -1 when no row is chosen.
    int chosenSet() const;
    bool appendTicked() const;

    // Esc, Cancel and closing the window all end with the Cancel result.
    void reject() override;

    QLabel* Label1;
    QLabel* Label2;
    QListWidget* lbSelSets;
    QCheckBox* chbAppend;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void createControls();
    void writeHeading(int entityCount);
    void fillSetList();
    void preselectLastSet();
    void enableOkOnChoice();

    DesignLayout layout_;
};

} // namespace qx
