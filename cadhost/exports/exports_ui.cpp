// The host functions of the user interface: function-key labels, the three message lines,
// the requests, key conversion, and the host's version and paths.
//
// A request records what the macro asked and answers with a non-zero value; the invocation
// driver fills `res` or the variable passed before the next call.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"
#include "host/codepage.h"

#include <string>

namespace {

using cadhost::CurrentSession;
using cadhost::Label;
using cadhost::Request;
using cadhost::RequestKind;

std::string Text(const str255* s) {
    return s == nullptr ? std::string() : s->str();
}

Label* LabelAt(i32 key) {
    if (key < 1 || key > cadhost::kKeyPositions)
        return nullptr;
    return &CurrentSession().ui.labels[static_cast<std::size_t>(key - 1)];
}

// Every request answers with its own non-zero code, so a transcript can tell them apart.
void Ask(Request request, i32* ret) {
    auto& ui = CurrentSession().ui;
    ui.request = std::move(request);
    ++ui.requestsThisCall;
    if (ret != nullptr)
        *ret = static_cast<i32>(ui.request.kind);
}

void PutText(str255* text, i32 maxLen, const std::string& value) {
    if (text == nullptr)
        return;
    const auto limit = static_cast<std::size_t>(std::max(0, std::min<i32>(maxLen, 255)));
    text->assign(value.substr(0, limit));
}

} // namespace

CADHOST_EXPORT void Lblsinit() {
    auto& ui = CurrentSession().ui;
    ui.labels = {};
    ui.labelsOn = false;
}

CADHOST_EXPORT void Lblset(i32 key, const str255* label, const str255* hint) {
    if (Label* l = LabelAt(key))
        *l = Label{true, Text(label), Text(hint), Label::Call::Lblset, false, 0};
}

CADHOST_EXPORT void Lblsett(i32 key, const str255* label, bool on, const str255* hint) {
    if (Label* l = LabelAt(key))
        *l = Label{true, Text(label), Text(hint), Label::Call::Lblsett, on, 0};
}

CADHOST_EXPORT void lblsettf(i32 key, const str255* label, i32 state, const str255* hint) {
    if (Label* l = LabelAt(key))
        *l = Label{true, Text(label), Text(hint), Label::Call::lblsettf, false, state};
}

CADHOST_EXPORT void lblson(i32) {
    CurrentSession().ui.labelsOn = true;
}

CADHOST_EXPORT void getesc(void* res, i32* ret) {
    Ask(Request{.kind = RequestKind::Getesc, .res = res}, ret);
}

CADHOST_EXPORT void getint(i32* value, void* res, i32* ret) {
    Ask(Request{.kind = RequestKind::Getint,
                .res = res,
                .intTarget = value,
                .initialInt = value != nullptr ? *value : 0},
        ret);
}

CADHOST_EXPORT void getclr(i32* colour, void* res, i32* ret) {
    Ask(Request{.kind = RequestKind::Getclr,
                .res = res,
                .intTarget = colour,
                .initialInt = colour != nullptr ? *colour : 0},
        ret);
}

CADHOST_EXPORT void getpointp(i32, i32, void* res, i32* ret) {
    Ask(Request{.kind = RequestKind::Getpointp, .res = res}, ret);
}

CADHOST_EXPORT void callDGetstr255(str255* text, i32 maxLen, void* res, i32* ret) {
    Ask(Request{.kind = RequestKind::DGetstr255,
                .res = res,
                .textTarget = text,
                .maxLen = maxLen,
                .initialText = Text(text)},
        ret);
}

CADHOST_EXPORT void callGlobalesc(i32 key, void* res, i32* ret) {
    Ask(Request{.kind = RequestKind::GlobalEsc, .res = res, .key = key}, ret);
}

CADHOST_EXPORT void callNone(i32* ret) {
    Ask(Request{.kind = RequestKind::CallNone}, ret);
}

CADHOST_EXPORT void menuGetMode(const str255* caption, ModeRec* mode, void*, void* res, i32* ret) {
    Ask(Request{.kind = RequestKind::MenuGetMode,
                .res = res,
                .modeTarget = mode,
                .caption = Text(caption)},
        ret);
}

CADHOST_EXPORT void wrtlvl(const str255* text, i32) {
    CurrentSession().ui.level = Text(text);
}
CADHOST_EXPORT void wrtmsg(const str255* text, i32) {
    CurrentSession().ui.message = Text(text);
}
CADHOST_EXPORT void wrterr(const str255* text, i32) {
    CurrentSession().ui.error = Text(text);
}

CADHOST_EXPORT i32 FnKeyConv(i32 key) {
    if (key >= qx::host::kKeyF1 && key <= qx::host::kKeyF1 + 9)
        return key - qx::host::kKeyF1 + 1;
    if (key >= qx::host::kKeyS1 && key <= qx::host::kKeyS1 + 9)
        return key - qx::host::kKeyS1 + 11;
    return -1;
}

CADHOST_EXPORT void cvintst(i32 value, str255* text, i32 maxLen) {
    PutText(text, maxLen, std::to_string(value));
}

CADHOST_EXPORT void ClrGetName(i32 colour, str255* text, i32 maxLen) {
    const auto& names = CurrentSession().config.colourNames;
    const auto it = names.find(colour);
    PutText(text, maxLen, it != names.end() ? it->second : "Colour " + std::to_string(colour));
}

CADHOST_EXPORT i32 DataCAD_Version() {
    return CurrentSession().config.version;
}

CADHOST_EXPORT void SetLocalSize(i32 size) {
    CurrentSession().ui.localSize = size;
}

CADHOST_EXPORT void getpath(str255* text, i32 maxLen, i32 id) {
    const auto& config = CurrentSession().config;
    std::string path;
    if (id == qx::host::kPathMacro)
        path = config.macroPath;
    else if (id == qx::host::kPathShared)
        path = config.sharedPath;
    PutText(text, maxLen, qx::host::Utf8ToCp1252Lossy(path));
}
