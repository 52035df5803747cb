// A worker process of the batch's pool. It loads the macro once, then takes drawings one at a
// time from its standard input and answers each with its result on the results channel:
//
//   command -> worker (standard input):   {"file": "plans/a.json"}   one line per drawing
//   worker -> command (file descriptor 3): the FileResult as JSON    one line per drawing
//
// The worker ends when its standard input ends. Whatever else it prints (Qt's warnings, a
// crash message) goes to its standard output and error, which the command keeps for the
// report of a drawing that brought the worker down.
#pragma once

#include "cadhost/batch/batch_options.h"

#include <string>

namespace cadhost::batch {

inline constexpr int kResultsDescriptor = 3;

// Writes all of `bytes` to a pipe, going on after interrupted writes. False when the other end
// is gone.
bool WriteAll(int fd, const std::string& bytes);

// Runs the worker; the process's exit status.
int RunWorker(const BatchOptions& options, int argc, char** argv);

} // namespace cadhost::batch
