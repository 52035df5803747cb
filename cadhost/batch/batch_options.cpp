#include "cadhost/batch/batch_options.h"

#include "host/codepage.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <map>

namespace cadhost::batch {
namespace {

constexpr std::size_t kMaxMacroText = 255;
constexpr int kMaxJobs = 64;
constexpr int kSelectionSets = 8;

const std::map<std::string, NumberPosition>& Positions() {
    static const std::map<std::string, NumberPosition> positions = {
        {"first", NumberPosition::First},
        {"second", NumberPosition::Second},
        {"last", NumberPosition::Last},
        {"start", NumberPosition::Start},
        {"end", NumberPosition::End}};
    return positions;
}

std::optional<std::int64_t> WholeNumber(const std::string& text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    qx::Result<BatchOptions> Run() {
        for (i_ = 0; i_ < args_.size() && error_.empty(); ++i_)
            Take(args_[i_]);
        if (error_.empty())
            Check();
        if (!error_.empty())
            return qx::Failure{error_};
        return std::move(o_);
    }

private:
    void Take(const std::string& arg) {
        if (filesOnly_ || arg.empty() || arg[0] != '-' || arg == "-") {
            o_.files.push_back(arg);
            return;
        }
        if (arg == "--") {
            filesOnly_ = true;
            return;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        } else if (arg.starts_with("-j") && arg.size() > 2) {
            name = "-j";
            inlineValue = arg.substr(2);
        }
        o_.optionArgs.push_back(name);
        if (TakeFlag(name)) {
            if (inlineValue)
                Fail(name + " takes no value");
            return;
        }
        const auto value = inlineValue ? inlineValue : NextValue(name);
        if (!value)
            return;
        o_.optionArgs.push_back(*value);
        TakeValue(name, *value);
    }

    std::optional<std::string> NextValue(const std::string& name) {
        if (i_ + 1 >= args_.size()) {
            Fail(name + " needs a value");
            return std::nullopt;
        }
        return args_[++i_];
    }

    bool TakeFlag(const std::string& name) {
        if (name == "--case-sensitive")
            o_.caseSensitive = true;
        else if (name == "--whole-word")
            o_.wholeWord = true;
        else if (name == "--whole-entity")
            o_.wholeEntity = true;
        else if (name == "--upper")
            SetOperation(Operation::Upper, name);
        else if (name == "--lower")
            SetOperation(Operation::Lower, name);
        else if (name == "--sentence")
            SetOperation(Operation::Sentence, name);
        else if (name == "--find")
            SetOperation(Operation::Find, name);
        else if (name == "--in-place")
            o_.inPlace = true;
        else if (name == "--dry-run")
            o_.mode = RunMode::DryRun;
        else if (name == "--yes")
            o_.yes = true;
        else if (name == "--worker")
            o_.worker = true;
        else if (name == "--help" || name == "-h")
            o_.help = true;
        else
            return false;
        return true;
    }

    void TakeValue(const std::string& name, const std::string& value) {
        if (name == "--search")
            o_.search = MacroText(name, value);
        else if (name == "--replace") {
            SetOperation(Operation::Replace, name);
            o_.replacement = MacroText(name, value);
        } else if (name == "--layer")
            o_.layers.push_back(MacroText(name, value));
        else if (name == "--increment")
            TakeIncrement(value);
        else if (name == "--step")
            TakeStep(value);
        else if (name == "--out")
            o_.outDir = value;
        else if (name == "--report")
            o_.report = value;
        else if (name == "-j" || name == "--jobs")
            o_.jobs = static_cast<int>(Bounded(name, value, 1, kMaxJobs));
        else if (name == "--selection-set")
            o_.selectionSet = static_cast<int>(Bounded(name, value, 0, kSelectionSets - 1));
        else if (name == "--macro")
            o_.macroLibrary = value;
        else if (name == "--worker-dir")
            o_.workerDir = value;
        else
            Fail("unknown option " + name + " (see cadhost batch --help)");
    }

    void TakeIncrement(const std::string& value) {
        SetOperation(Operation::Increment, "--increment");
        const auto it = Positions().find(Lower(value));
        if (it == Positions().end())
            return Fail("--increment takes first, second, last, start or end, not \"" + value +
                        "\"");
        o_.position = it->second;
    }

    void TakeStep(const std::string& value) {
        stepGiven_ = true;
        const auto step = WholeNumber(value);
        if (!step || *step < std::numeric_limits<std::int32_t>::min() ||
            *step > std::numeric_limits<std::int32_t>::max())
            return Fail("--step takes a whole number, not \"" + value + "\"");
        if (*step == 0)
            return Fail("--step cannot be zero: the macro does not accept a zero increment");
        o_.step = static_cast<std::int32_t>(*step);
    }

    std::int64_t Bounded(const std::string& name, const std::string& value, int low, int high) {
        const auto number = WholeNumber(value);
        if (!number || *number < low || *number > high) {
            Fail(name + " takes a whole number from " + std::to_string(low) + " to " +
                 std::to_string(high) + ", not \"" + value + "\"");
            return low;
        }
        return *number;
    }

    // A text the macro will be given at one of its prompts: Windows-1252, 255 characters.
    std::string MacroText(const std::string& name, const std::string& utf8) {
        auto text = qx::host::Utf8ToCp1252(utf8);
        if (!text) {
            Fail("the text of " + name +
                 " has a character that drawing texts cannot hold (Windows-1252)");
            return {};
        }
        if (text->size() > kMaxMacroText)
            Fail("the text of " + name + " is longer than 255 characters");
        return std::move(*text);
    }

    void SetOperation(Operation operation, const std::string& name) {
        if (!operationName_.empty() && operationName_ != name)
            return Fail("choose one operation: " + operationName_ + " and " + name +
                        " cannot be combined");
        if (!operationName_.empty())
            return Fail(name + " is given twice");
        operationName_ = name;
        o_.operation = operation;
    }

    void Check() {
        if (o_.help)
            return;
        if (operationName_.empty())
            return Fail("say what to do: --replace TEXT, --upper, --lower, --sentence, "
                        "--increment POSITION or --find");
        if (stepGiven_ && o_.operation != Operation::Increment)
            return Fail("--step goes with --increment");
        if ((o_.operation == Operation::Replace || o_.operation == Operation::Find) &&
            o_.search.empty())
            return Fail(operationName_ + " needs a --search text");
        if (!o_.outDir.empty() && o_.inPlace)
            return Fail("choose one of --out and --in-place");
        CheckDestination();
        if (!error_.empty() || o_.worker)
            return;
        if (o_.files.empty())
            return Fail("name the drawings to process (files or folders)");
        const std::string ext = Lower(o_.report.extension().string());
        if (!o_.report.empty() && ext != ".csv" && ext != ".json")
            return Fail("--report writes FILE.csv or FILE.json");
    }

    void CheckDestination() {
        const bool destination = !o_.outDir.empty() || o_.inPlace;
        if (!ChangesDrawings(o_)) {
            if (destination)
                return Fail("--find without --selection-set changes nothing, so --out and "
                            "--in-place do not apply");
            return;
        }
        if (!destination && o_.mode != RunMode::DryRun)
            return Fail("say where the changed drawings go: --out DIR, --in-place, or --dry-run "
                        "to only see what would change");
    }

    void Fail(const std::string& message) {
        if (error_.empty())
            error_ = message;
    }

    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
    BatchOptions o_;
    std::string operationName_;
    bool stepGiven_ = false;
    bool filesOnly_ = false;
    std::string error_;
};

} // namespace

qx::Result<BatchOptions> ParseBatchOptions(const std::vector<std::string>& args) {
    return Parser(args).Run();
}

bool ChangesDrawings(const BatchOptions& options) {
    return options.operation != Operation::Find || options.selectionSet.has_value();
}

bool WritesDrawings(const BatchOptions& options) {
    return ChangesDrawings(options) && options.mode == RunMode::Write;
}

std::string BatchHelp() {
    return R"(usage: cadhost batch [options] FILE...

Runs the Quillex macro over many drawings, as a person would at its menus, and reports every
change. FILE may be a drawing or a folder (its drawings are taken, not those of subfolders).

What to find:
  --search TEXT         the text to look for (needed by --replace and --find; for the other
                        operations an empty search takes every text)
  --case-sensitive      match letter case exactly
  --whole-word          match whole words only
  --whole-entity        match only the complete text of an entity
  --layer NAME          only the entities of this layer (repeat for more layers); without it,
                        the whole drawing

What to do (exactly one):
  --replace TEXT        replace what was found by TEXT
  --upper, --lower, --sentence
                        convert the whole text of each matching entity
  --increment POSITION  add a step to the first, second, last, start or end number
  --step N              the step for --increment (default 1, never 0)
  --find                find only: list the matches and change nothing

Where results go:
  --out DIR             write each changed drawing into DIR under the same name
  --in-place            replace the changed files themselves (asks first unless --yes)
  --dry-run             write no drawing; report what would change
  --yes                 do not ask before --in-place (needed when no terminal can ask)
  --report FILE         one row per change, as FILE.csv or FILE.json
  --selection-set N     collect the smart texts found (paragraph and multi-line texts, which the
                        macro cannot change) into selection set N (0 to 7) of each drawing

Running:
  -j N, --jobs N        process N drawings at once, each in a process of its own (default 1)
  --macro LIBRARY       the macro library to run (default: the one beside cadhost)
  --help                this text

Texts that would grow past 255 characters are left unchanged and reported as length errors.
A drawing that nothing changes is not written. The exit status is 0 when every drawing was
processed and 1 when any failed; a failed drawing is never written.

Examples:
  Replace a room tag in a project, writing the results to another folder:
    cadhost batch --search "Room 12" --replace "Room 12A" --whole-word --out fixed/ plans/
  Upper-case every text on two layers, in place, after looking at the report of a dry run:
    cadhost batch --upper --layer Tags --layer Notes --dry-run --report upper.csv plans/
    cadhost batch --upper --layer Tags --layer Notes --in-place --yes plans/
  Lower-case the texts that contain "NOTE":
    cadhost batch --search NOTE --lower --out lower/ plans/*.json
  Sentence case for titles, two drawings at a time:
    cadhost batch --search "SHEET TITLE" --sentence -j 2 --in-place plans/
  Renumber sheets: add 10 to the number at the end of every "Sheet" text:
    cadhost batch --search Sheet --increment end --step 10 --out renumbered/ plans/
  Find where a door tag is used, with a JSON report:
    cadhost batch --search "D-101" --case-sensitive --find --report doors.json plans/
)";
}

} // namespace cadhost::batch
