// One drawing of a batch run: the macro is driven through its real call protocol as a person
// would drive it, key by key (its settings, the search text, the match options, the operation),
// the run is started by a completed selection or through the layer dialog, the matches the
// macro shows are answered, and the invocation is ended. Afterwards the texts of the drawing
// are compared with what they were, which gives the changes.
#pragma once

#include "cadhost/batch/batch_options.h"
#include "cadhost/batch/batch_responder.h"
#include "cadhost/batch/file_result.h"
#include "host/host_api.h"

#include <string>
#include <vector>

namespace cadhost::batch {

// The selection set that smart texts pass through when the options ask for none: the batch
// reads who went in and then puts every set back as it was.
inline constexpr int kScratchSelectionSet = 0;

struct DrawingRun {
    std::string error; // empty when the run went through
    std::vector<std::string> notes;
    int replacements = 0;
    int changed = 0;
    int lengthErrors = 0;
    int smartTexts = 0;
    int found = 0;
    std::vector<ChangeRow> rows; // in the drawing's entity order
    // True when the drawing differs from what it was: texts, or the selection set the options
    // asked to fill.
    bool drawingChanged = false;
};

// Runs the macro over the drawing of the current session, with `responder` installed for its
// boxes and dialogs. The settings the macro keeps in the drawing (its attributes), the view
// and, unless the options name one, the selection sets are put back as they were, so that only
// the texts change.
DrawingRun RunMacroOnDrawing(const BatchOptions& options, qx::host::Main_fn main,
                             BatchResponder& responder);

} // namespace cadhost::batch
