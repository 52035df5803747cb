// Replacing a drawing file's contents safely. Every drawing save of the host goes through here,
// whatever the file's format.
#pragma once

#include "platform/result.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace cadhost {

// Writes `bytes` as the new contents of `file` so that the file holds either its old or its new
// contents at every moment, even across a crash or a power cut:
//
// - the bytes go to a temporary file in the same folder, are flushed to the disk, and the
//   temporary file is renamed over the old one; the folder is flushed after the rename;
// - a symbolic link stays a link: the file it leads to is replaced;
// - a file without any write permission bit is refused, whoever runs the host (root included),
//   and so is a file this user may not write; the new file keeps the old one's permission bits;
// - temporary files that an interrupted save left beside the file are removed first (see
//   IsStaleTemporaryFile).
//
// On failure the message names the file and says that the old file is unchanged.
qx::Status ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

// The same, for contents too large to hold in memory at once: `write` is called once and hands
// the contents to the sink piece by piece, in order. When it fails, the old file stays and the
// save fails with its message.
using ByteSink = std::function<void(std::string_view)>;
using ContentWriter = std::function<qx::Status(const ByteSink&)>;
qx::Status ReplaceFileContents(const std::filesystem::path& file, const ContentWriter& write);

// The name of a save's temporary file: ".NAME.tmp-PID-RANDOM", beside the file NAME.
std::string TemporaryNameFor(const std::filesystem::path& file, long pid, unsigned random);

// How old a temporary file must be before it counts as abandoned even though a process with the
// pid in its name is running (that pid may have been reused, or the file may come from another
// machine sharing the folder).
inline constexpr std::chrono::minutes kStaleTemporaryAge{60};

// True when `name` is a temporary file of a save of `file` that no longer runs: its process is
// gone, or it is older than kStaleTemporaryAge. A temporary file of a save in progress in
// another process is never stale.
bool IsStaleTemporaryFile(const std::filesystem::path& file, const std::filesystem::path& name);

} // namespace cadhost
