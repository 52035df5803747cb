// The host functions that walk and read layers.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"
#include "cadhost/model/host_text.h"

namespace {

const cadhost::Layer* FindLayer(lgl_addr addr) {
    return cadhost::CurrentSession().drawing.FindLayer(addr);
}

} // namespace

CADHOST_EXPORT void getlyrcurr(lgl_addr* addr) {
    if (addr != nullptr) {
        *addr = cadhost::CurrentSession().drawing.CurrentLayer();
    }
}

CADHOST_EXPORT void lyr_first(lgl_addr* addr) {
    if (addr == nullptr) {
        return;
    }
    const auto& layers = cadhost::CurrentSession().drawing.Layers();
    *addr = layers.empty() ? lgl_addr{} : layers.front().addr;
}

CADHOST_EXPORT void lyr_next(lgl_addr* next, lgl_addr addr) {
    if (next != nullptr) {
        *next = cadhost::CurrentSession().drawing.NextLayer(addr);
    }
}

CADHOST_EXPORT bool isnil(lgl_addr addr) {
    return cadhost::IsNil(addr);
}

CADHOST_EXPORT void getlyrname(lgl_addr addr, str255* name, i32 maxLen) {
    if (name == nullptr) {
        return;
    }
    const cadhost::Layer* layer = FindLayer(addr);
    cadhost::CopyOut(layer == nullptr ? std::string_view{} : layer->name, maxLen, *name);
}

CADHOST_EXPORT bool lyr_get(lgl_addr addr, LayerRec* rec) {
    const cadhost::Layer* layer = FindLayer(addr);
    if (rec == nullptr || layer == nullptr) {
        return false;
    }
    *rec = LayerRec{};
    rec->addr = layer->addr;
    rec->on = layer->on ? 1 : 0;
    rec->color = layer->color;
    rec->lockWord = layer->locked ? 1 : qx::host::kLayerUnlocked;
    return true;
}

CADHOST_EXPORT bool lyr_ison(lgl_addr addr) {
    const cadhost::Layer* layer = FindLayer(addr);
    return layer != nullptr && layer->on;
}

CADHOST_EXPORT bool lyr_islocked(lgl_addr addr) {
    const cadhost::Layer* layer = FindLayer(addr);
    return layer != nullptr && layer->locked;
}
