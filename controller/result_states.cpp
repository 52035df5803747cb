// After a run: the result message or the change report. Key 27 is handed to the host once per
// invocation, before the first of them.
#include "controller/host_calls.h"
#include "controller/states.h"
#include "dialogs/forms.h"
#include "platform/platform.h"

namespace qx {

void ResultSetup(QuillexL& s, std::int32_t* ret) {
    call::Lblsinit();
    call::lblson();
    if (!s.escSent) {
        s.escSent = true;
        host::Host().callGlobalesc(host::kKeyEscape, s.res, ret);
        return;
    }
    host::Host().callNone(ret);
}

void ResultInput(QuillexL& s) {
    if (s.numEntsChanged > 0) {
        s.state = stReport;
        return;
    }
    platform::InfoBox(std::string(s.resultMsg.view()));
    s.state = stMainMenu;
}

void ReportInput(QuillexL& s) {
    // A report needs more than its result line.
    if (s.reportLines->size() > 1)
        forms::RunReport(*s.reportLines);
    s.state = stMainMenu;
}

} // namespace qx
