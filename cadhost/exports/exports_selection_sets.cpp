// The host functions of the drawing's selection sets. Set numbers outside 0..7 are ignored.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"
#include "cadhost/model/host_text.h"

namespace {

cadhost::SelectionSetTable& Sets() {
    return cadhost::CurrentSession().drawing.SelectionSets();
}

} // namespace

CADHOST_EXPORT void ssSetName(i32 set, const str255* name) {
    if (name != nullptr) {
        Sets().SetName(set, name->str());
    }
}

CADHOST_EXPORT void ssClear(i32 set) {
    Sets().Clear(set);
}

CADHOST_EXPORT void ssAdd(i32 set, EntityRec* ent) {
    // Only entities of the drawing join a set; a record the macro made up has no place in one.
    if (ent == nullptr || cadhost::CurrentSession().drawing.FindEntity(ent->addr) == nullptr) {
        return;
    }
    Sets().Add(set, ent->addr);
}

CADHOST_EXPORT void ssGetName(i32 set, str255* name, i32 maxLen) {
    if (name == nullptr) {
        return;
    }
    cadhost::CopyOut(Sets().Name(set), maxLen, *name);
}
