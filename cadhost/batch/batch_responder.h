// The batch run's side of the macro's boxes and dialogs: it answers them as the options say,
// the way a person at the screen would, and keeps what the macro said for the report.
#pragma once

#include "cadhost/driver/ui_responder.h"

#include <optional>
#include <string>
#include <vector>

namespace cadhost::batch {

// How the layer dialog is to be answered: the rows (the host's layer order) to choose, and
// whether to process them or only find.
struct LayerChoice {
    std::vector<int> rows;
    enum class Button { Process, FindOnly } button = Button::Process;
};

class BatchResponder final : public UiResponder {
public:
    // Forgets everything of the previous drawing.
    void Reset();
    void PlanLayerDialog(LayerChoice choice) { layerChoice_ = std::move(choice); }
    // The selection set the chooser takes. The first choice of a drawing empties the set, later
    // ones add to it.
    void PlanSelectionSet(int set) { selectionSet_ = set; }

    // What went wrong: an error box, a beep at a key, or a dialog a batch run does not expect.
    // Empty while all is well.
    const std::string& Problem() const { return problem_; }
    // What the macro told the user in information boxes, each once.
    const std::vector<std::string>& Notes() const { return notes_; }
    // True once the selection-set chooser was answered for this drawing.
    bool SelectionSetChosen() const { return setChosenBefore_; }

    qx::host::BoxAnswer ShowMessageBox(qx::host::BoxKind kind, const std::string& caption,
                                       const std::string& text, bool defaultNo) override;
    void Beep() override;
    int RunModal(QDialog& dialog) override;
    bool OpenDocument(const std::string& path) override;
    void SendKey(std::int32_t key) override;

private:
    int AnswerLayerDialog(QDialog& dialog);
    int AnswerSelectionSetChooser(QDialog& dialog);
    void Note(const std::string& text);
    void Fail(const std::string& text);

    std::optional<LayerChoice> layerChoice_;
    std::optional<int> selectionSet_;
    bool setChosenBefore_ = false;
    std::string problem_;
    std::vector<std::string> notes_;
};

} // namespace cadhost::batch
