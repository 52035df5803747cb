// The change report: after a change run, every changed text before (red) and after (green, or
// blue when not every match fitted), and the run's result message at the bottom.
//
// Geometry is absolute, in pixels at design size: the client area is 421 x 244. The window may
// be resized freely; the texts re-wrap to the width of their scrolling area. The result message
// and the button grow where the font needs more room (DesignLayout), and the window with them.
#pragma once

#include "dialogs/design_layout.h"
#include "state/quillex_state.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;

namespace qx {

class TLabelAutoHeight;

class TfmReport : public QDialog {
    Q_OBJECT

public:
    explicit TfmReport(QWidget* parent = nullptr);

    // Builds the labels from the state record's report lines: pairs of an "o" line and an "n"
    // or "p" line, then one "r" line with the result message.
    void PopulateReport();
    void PopulateReport(const ReportLines& lines);

    // Esc, Dismiss and closing the window all end with the OK result, which nobody reads.
    void reject() override;

    // The labels of every pair after the first, which uses lblTxtOld and lblTxtNew. They are
    // children of the scrolling area's content and go with the dialog.
    struct LabelPair {
        TLabelAutoHeight* oldText;
        TLabelAutoHeight* newText;
    };
    std::vector<LabelPair> lblTxts;

    QScrollArea* ScrollBox1;
    TLabelAutoHeight* lblTxtOld;
    TLabelAutoHeight* lblTxtNew;
    QLabel* lblResultTxt;
    QPushButton* Button1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void freePairLabels();
    void formatNewText(TLabelAutoHeight& label, const std::string& line) const;
    // Re-wraps the texts for the width of the scrolling area and stacks the pairs.
    void layoutList();

    QWidget* content_;
    DesignLayout layout_;
};

} // namespace qx
