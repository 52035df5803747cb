// The main procedure of a probe macro with the native confirm window: an invocation shows the
// floating window and waits for a key; the window's answer buttons send their keys to the host,
// which hands them back as the key the macro waits for. The key is told in an information box
// and the invocation ends. The host's automation finds the floating window by its name among
// the thread's windows.
#include "controller/quillex_main.h"

#include "dialogs/win32/confirm_view.h"
#include "host/host_api.h"
#include "host/host_table.h"
#include "host/res_layout.h"
#include "platform/platform.h"

#include <memory>
#include <string>

namespace qx {
namespace {

std::unique_ptr<win32::ConfirmView> g_confirm;

std::int32_t WaitForKey(QuillexL& record) {
    std::int32_t ret = 0;
    host::Host().getesc(record.res, &ret);
    return ret;
}

} // namespace

std::int32_t Quillex_Main(std::uint8_t action, QuillexL* record, void* /*arg*/) {
    // A slot the host could not fill is never called.
    if (action == static_cast<std::uint8_t>(host::Action::CallSizeQuery) &&
        host::Host().SetLocalSize != nullptr)
        host::Host().SetLocalSize(static_cast<std::int32_t>(sizeof(QuillexL)));
    if (record == nullptr || host::Host().getesc == nullptr)
        return 0;
    if (action == static_cast<std::uint8_t>(host::Action::CallStart)) {
        g_confirm = std::make_unique<win32::ConfirmView>(
            [](std::int32_t key) { platform::SendHostKey(key); },
            std::array<std::int32_t, 4>{host::kKeyF1, host::kKeyF1 + 1, host::kKeyF1 + 4,
                                        host::kKeyS1 + 9});
        g_confirm->Create(nullptr);
        form::TfmConfirm form;
        form.lblOldTxt = "door 1";
        form.lblNewTxt = "Gate 1";
        g_confirm->Show(form);
        return WaitForKey(*record);
    }
    if (action == static_cast<std::uint8_t>(host::Action::CallResume)) {
        const std::int32_t key = host::Res(record->res).escKey();
        g_confirm.reset();
        platform::InfoBox("key " + std::to_string(key));
    }
    if (action == static_cast<std::uint8_t>(host::Action::CallFinish))
        g_confirm.reset();
    return 0;
}

} // namespace qx
