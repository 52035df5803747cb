#include "drawing/scan_options.h"

#include "state/state_access.h"

namespace qx {

ScanOptions CurrentScanOptions() {
    const QuillexL& s = State();
    ScanOptions o;
    o.search = s.searchStr.str();
    o.replacement = s.replaceStr.str();
    o.caseSens = text::CaseSens{s.caseSens};
    o.wholeWords = text::WholeWords{s.wholeWords};
    o.wholeEnts = text::WholeEnts{s.wholeEnts};
    o.operation = s.operation;
    o.increment = s.increment;
    o.findOnly = s.findOnly;
    return o;
}

} // namespace qx
