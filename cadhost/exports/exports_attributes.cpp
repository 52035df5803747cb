// The host functions of drawing attributes.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"
#include "cadhost/model/attribute_table.h"

#include <utility>

namespace {

cadhost::AttributeTable& Attributes() {
    return cadhost::CurrentSession().drawing.Attributes();
}

} // namespace

CADHOST_EXPORT bool atr_sysfind(const str255* name, AttribRec* atr) {
    if (name == nullptr || atr == nullptr) {
        return false;
    }
    const cadhost::Attribute* found = Attributes().Find(name->view());
    if (found == nullptr) {
        return false;
    }
    cadhost::FillRecord(*found, *atr);
    return true;
}

CADHOST_EXPORT void atr_init(AttribRec* atr, i32 atrtype) {
    if (atr == nullptr) {
        return;
    }
    *atr = AttribRec{};
    atr->atrtype = atrtype;
}

CADHOST_EXPORT void atr_add2sys(AttribRec* atr) {
    if (atr == nullptr) {
        return;
    }
    auto attribute = cadhost::AttributeFromRecord(*atr);
    // A nameless attribute could never be found again, so it is not kept.
    if (!attribute || attribute->name.empty()) {
        return;
    }
    Attributes().Set(std::move(*attribute));
}

CADHOST_EXPORT void atr_update(AttribRec* atr) {
    if (atr == nullptr) {
        return;
    }
    if (auto attribute = cadhost::AttributeFromRecord(*atr)) {
        Attributes().Update(*attribute);
    }
}
