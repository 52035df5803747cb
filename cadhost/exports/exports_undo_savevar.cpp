// The host functions for undo transactions and the saved variables.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"

CADHOST_EXPORT void UndoStartTransaction() {
    cadhost::CurrentSession().drawing.BeginTransaction();
}

CADHOST_EXPORT void UndoEndTransaction() {
    cadhost::CurrentSession().drawing.EndTransaction();
}

// The record lives with the drawing, so the macro and the host see and change the same bytes
// for as long as the drawing is open.
CADHOST_EXPORT SaveVarRec* PGSavevar() {
    return &cadhost::CurrentSession().drawing.SaveVars();
}
