// What a scenario run shares between its parts: the script cursor, the invocation, the
// transcript and the first failure.
#pragma once

#include "cadhost/driver/macro_driver.h"
#include "cadhost/scenario/script.h"
#include "cadhost/scenario/transcript.h"
#include "host/host_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cadhost::scenario {

struct RunOptions {
    std::string macroLibrary;
    std::string drawingFile; // replaces the script's drawing when set
    std::string saveFile;    // the drawing is saved here at the end when set
    bool keepTemp = false;
};

class RunContext {
public:
    RunContext(const Script& script, const RunOptions& options, std::ostream& out);

    const Script& script;
    const RunOptions& options;
    Transcript transcript;

    std::size_t cursor = 0; // next step of the script
    bool invocationEnded = false;
    const MacroDriver* macro = nullptr; // the driver of the run's invocations

    std::string tempRoot;   // the run's private folder
    std::string libraryDir; // where the run's copy of the macro library lies, with a slash
    std::string failure;    // the first failure; the run stops at it

    // Events since the last input step, for the expectations that look back.
    int beeps = 0;
    std::vector<std::string> openedDocuments;
    std::vector<std::int32_t> sentKeys;

    // How much of the display list and of the view changes the transcript has shown.
    std::size_t shownDisplayItems = 0;
    std::size_t shownViewChanges = 0;

    void Fail(const Step& step, const std::string& message);
    void Fail(const std::string& message);
    bool Failed() const { return !failure.empty(); }
    // Replaces the run's temporary folder by "<tmp>" so transcripts do not depend on it.
    std::string Normalize(std::string text) const;
    std::string Resolve(const std::string& path) const; // "<tmp>" and the script's folder
};

} // namespace cadhost::scenario
