// The private folder of a scenario run, made new for each run; each system has its own unit.
#pragma once

#include <string>

namespace cadhost::scenario {

// A new, empty folder of this run's own with the subfolders "macro" and "shared", written with
// forward slashes; empty when none could be made.
std::string MakeTempRoot();

} // namespace cadhost::scenario
