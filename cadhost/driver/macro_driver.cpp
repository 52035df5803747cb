#include "cadhost/driver/macro_driver.h"

#include "cadhost/driver/request_name.h"
#include "cadhost/driver/session.h"
#include "host/res_layout.h"

#include <algorithm>
#include <iterator>

namespace cadhost {
namespace {

using qx::host::Res;

// Even an empty drawing leaves the macro room for its own bookkeeping between waits.
constexpr std::size_t kBaseAutomaticCalls = 100000;
// A scan may hand control back a few times per entity and per layer.
constexpr std::size_t kAutomaticCallsPerItem = 8;

} // namespace

bool SelectionMask::Allows(std::uint8_t type) const {
    switch (type) {
    case qx::host::kEntText:
        return text;
    case qx::host::kEntParagraphText:
        return paragraphText;
    case qx::host::kEntMultiLineText:
        return multiLineText;
    default:
        return true;
    }
}

const Request& MacroDriver::Waiting() const {
    return CurrentSession().ui.request;
}

DriverState MacroDriver::Start() {
    Finish();
    failure_.clear();
    CurrentSession().ui = UiState{};
    invocation_.emplace(main_);
    const std::int32_t answer = invocation_->Start();
    localSize_ = CurrentSession().ui.localSize;
    return Settle(answer);
}

std::string MacroDriver::Answer(const cadhost::Answer& answer) {
    if (state_ != DriverState::Waiting || !Running())
        return "no invocation is waiting for input";
    Request& request = CurrentSession().ui.request;
    if (std::string problem = Fill(answer, request); !problem.empty())
        return problem;
    if (onAnswerAccepted)
        onAnswerAccepted();
    Settle(invocation_->Resume());
    return {};
}

void MacroDriver::Finish() {
    if (Running())
        invocation_->Finish();
    if (state_ == DriverState::Waiting)
        state_ = DriverState::Idle;
}

std::size_t MacroDriver::AutomaticCallLimit() const {
    const Drawing& d = CurrentSession().drawing;
    return kBaseAutomaticCalls + kAutomaticCallsPerItem * (d.LiveEntityCount() + d.Layers().size());
}

DriverState MacroDriver::Settle(std::int32_t answer) {
    const std::size_t limit = AutomaticCallLimit();
    for (std::size_t calls = 0;; ++calls) {
        if (answer == 0) {
            invocation_->Finish();
            return state_ = DriverState::Idle;
        }
        if (calls > limit) {
            failure_ = "the macro keeps asking without waiting for the user";
            invocation_->Finish();
            return state_ = DriverState::Failed;
        }
        const Request& r = CurrentSession().ui.request;
        if (r.kind == RequestKind::CallNone) {
            answer = invocation_->Resume();
            continue;
        }
        if (r.kind == RequestKind::GlobalEsc) {
            if (onGlobalKey)
                onGlobalKey(r.key);
            answer = invocation_->Resume();
            continue;
        }
        return state_ = DriverState::Waiting;
    }
}

std::string MacroDriver::Fill(const cadhost::Answer& answer, Request& r) {
    const std::string wrongRequest = "the macro is waiting for " + RequestName(r.kind);
    Res res(r.res);
    if (const auto* key = std::get_if<KeyAnswer>(&answer)) {
        switch (r.kind) {
        case RequestKind::MenuGetMode:
            res.setModeKey(key->key);
            return {};
        case RequestKind::Getesc:
            res.setEscKey(key->key);
            return {};
        case RequestKind::Getpointp:
            res.setPointKey(key->key);
            return {};
        case RequestKind::DGetstr255:
            res.setStrKey(key->key);
            return {};
        case RequestKind::Getint:
        case RequestKind::Getclr:
            return {}; // the variable keeps its value
        default:
            return wrongRequest;
        }
    }
    if (const auto* text = std::get_if<TextAnswer>(&answer)) {
        if (r.kind != RequestKind::DGetstr255 || r.textTarget == nullptr)
            return wrongRequest;
        r.textTarget->assign(text->text.substr(0, static_cast<std::size_t>(std::max(0, r.maxLen))));
        res.setStrAccepted(r.textTarget, r.textTarget->len + 1);
        return {};
    }
    if (const auto* number = std::get_if<NumberAnswer>(&answer)) {
        if ((r.kind != RequestKind::Getint && r.kind != RequestKind::Getclr) ||
            r.intTarget == nullptr)
            return wrongRequest;
        *r.intTarget = number->value;
        return {};
    }
    if (const auto* point = std::get_if<PointAnswer>(&answer)) {
        if (r.kind != RequestKind::Getpointp)
            return wrongRequest;
        res.setPoint(point->x, point->y);
        return {};
    }
    if (r.kind != RequestKind::MenuGetMode || r.modeTarget == nullptr)
        return wrongRequest;
    return FillSelection(std::get<SelectionAnswer>(answer), r);
}

std::string MacroDriver::FillSelection(const SelectionAnswer& selection, Request& r) {
    Drawing& d = CurrentSession().drawing;
    // The host's selection tools never pick what the user's mask leaves out.
    const auto allowed = [&](const Entity& e) {
        return !selection.mask || selection.mask->Allows(e.type);
    };
    std::vector<lgl_addr> chosen;
    if (selection.everything) {
        chosen.reserve(d.LiveEntityCount());
        for (const Layer& layer : d.Layers()) {
            d.ForEachEntityOnLayer(layer.addr, [&](const Entity& e) {
                if (allowed(e))
                    chosen.push_back(e.addr);
            });
        }
    }
    chosen.reserve(chosen.size() + selection.entities.size());
    for (lgl_addr addr : selection.entities) {
        const Entity* e = d.FindEntity(addr);
        if (e == nullptr)
            return "no entity at " + std::to_string(addr.page) + ":" + std::to_string(addr.ofs);
        if (allowed(*e))
            chosen.push_back(addr);
    }
    selInfo_ = {};
    selMask_ = {};
    if (selection.mask) {
        auto& b = selMask_.bytes;
        std::fill(std::begin(b), std::end(b), 1); // kinds the mask does not name stay allowed
        b[qx::host::kMaskActiveA] = 1;
        b[qx::host::kMaskActiveB] = 1;
        b[qx::host::kEntText] = selection.mask->text;
        b[qx::host::kEntParagraphText] = selection.mask->paragraphText;
        b[qx::host::kEntMultiLineText] = selection.mask->multiLineText;
        selInfo_.maskAddr = reinterpret_cast<std::uintptr_t>(&selMask_);
    }
    InitMode(*r.modeTarget);
    SetModeSelection(*r.modeTarget, d.CreateSelection(std::move(chosen)));
    Res(r.res).setModeSelection(&selInfo_);
    return {};
}

} // namespace cadhost
