#include "drawing/scan_options.h"

#include "state/state_access.h"

namespace qx {

ScanOptions CurrentScanOptions() {
    const QuillexL& s = State();
    ScanOptions o;
    o.search = s.searchStr.str();
    o.replacement = s.replaceStr.str();
    o.match = {text::CaseSens{s.caseSens}, text::WholeWords{s.wholeWords},
               text::WholeEnts{s.wholeEnts}};
    o.operation = s.operation;
    o.increment = s.increment;
    o.findOnly = s.findOnly;
    return o;
}

} // namespace qx
