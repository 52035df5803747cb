// What the safe replacement of a file (file_replace.h) asks of the operating system, beside the
// replacement itself, which each system implements in its own unit.
#pragma once

#include <filesystem>

namespace cadhost {

// This process's id, as temporary file names carry it.
long CurrentProcessId();
// True when no process with this id runs any more.
bool ProcessIsGone(long pid);
// Removes the temporary files that interrupted saves of `target` left in `folder`.
void RemoveStaleTemporaryFiles(const std::filesystem::path& target,
                               const std::filesystem::path& folder);

} // namespace cadhost
