#include "cadhost/scenario/transcript.h"

#include "cadhost/driver/keys.h"

#include "host/codepage.h"
#include "host/host_api.h"

namespace cadhost::scenario {
namespace {

using qx::host::Cp1252ToUtf8;

std::string Quoted(const std::string& cp1252) {
    return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

bool SameLabel(const Label& a, const Label& b) {
    return a.set == b.set && a.text == b.text && a.hint == b.hint && a.call == b.call &&
           a.on == b.on && a.state == b.state;
}

std::string DescribeLabel(int position, const Label& l) {
    std::string s = "  " + std::string(PositionName(position));
    s += " " + Quoted(l.text);
    if (l.call == Label::Call::Lblsett)
        s += l.on ? " [on]" : " [off]";
    else if (l.call == Label::Call::lblsettf)
        s += " [state " + std::to_string(l.state) + "]";
    if (!l.hint.empty())
        s += " hint " + Quoted(l.hint);
    return s;
}

} // namespace

void Transcript::Line(const std::string& text) {
    out_ << text << '\n';
}

void Transcript::Request(const UiState& ui) {
    const auto& r = ui.request;
    std::string head = "< " + RequestName(r.kind);
    if (r.kind == RequestKind::MenuGetMode)
        head += " " + Quoted(r.caption);
    else if (r.kind == RequestKind::DGetstr255)
        head += " " + Quoted(r.initialText);
    else if (r.kind == RequestKind::Getint || r.kind == RequestKind::Getclr)
        head += " " + std::to_string(r.initialInt);
    Line(head);
    if (ui.level != shownLevel_)
        Line("  level " + Quoted(ui.level));
    if (ui.message != shownMessage_)
        Line("  message " + Quoted(ui.message));
    if (ui.error != shownError_)
        Line("  error " + Quoted(ui.error));
    shownLevel_ = ui.level;
    shownMessage_ = ui.message;
    shownError_ = ui.error;
    bool changed = !labelsShown_;
    for (std::size_t i = 0; i < ui.labels.size() && !changed; ++i)
        changed = !SameLabel(ui.labels[i], shownLabels_[i]);
    if (!changed)
        return;
    Line("  labels:");
    for (std::size_t i = 0; i < ui.labels.size(); ++i) {
        if (ui.labels[i].set)
            Line(DescribeLabel(static_cast<int>(i) + 1, ui.labels[i]));
    }
    shownLabels_ = ui.labels;
    labelsShown_ = true;
}

void Transcript::Reset() {
    labelsShown_ = false;
    shownLabels_ = {};
    shownLevel_.clear();
    shownMessage_.clear();
    shownError_.clear();
}

} // namespace cadhost::scenario
