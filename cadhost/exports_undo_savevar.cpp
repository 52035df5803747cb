// The host functions for undo transactions and the saved variables.
#include "cadhost/exports.h"
#include "cadhost/session.h"

CADHOST_EXPORT void UndoStartTransaction() {
    cadhost::CurrentSession().drawing.BeginTransaction();
}

CADHOST_EXPORT void UndoEndTransaction() {
    cadhost::CurrentSession().drawing.EndTransaction();
}

CADHOST_EXPORT SaveVarRec* PGSavevar() {
    cadhost::Session& session = cadhost::CurrentSession();
    SaveVarRec& vars = session.drawing.SaveVars();
    // The layer-dialog byte mirrors the host's configuration, which a run may change at any
    // time; the other bytes belong to the drawing.
    vars.layerDialog = session.config.preselect ? 1 : 0;
    return &vars;
}
