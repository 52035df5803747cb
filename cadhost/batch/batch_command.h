// `cadhost batch`: runs the macro over many drawings from options a person can type.
#pragma once

namespace cadhost::batch {

// argv[1] is "batch". Returns the process's exit status: 0 when every drawing was processed,
// 1 when any failed, 2 for a command line that cannot be carried out.
int RunBatchCommand(int argc, char** argv);

} // namespace cadhost::batch
