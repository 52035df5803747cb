// The batch command line: what each option sets, and every inconsistency refused with a message
// that says what to do instead.
#include "cadhost/batch/batch_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cadhost::batch {
namespace {

using Args = std::vector<std::string>;

BatchOptions Parsed(const Args& args) {
    const qx::Result<BatchOptions> parsed = ParseBatchOptions(args);
    EXPECT_TRUE(parsed.ok()) << parsed.error();
    return parsed ? *parsed : BatchOptions{};
}

TEST(BatchOptions, ReadsWhatToFindAndWhatToDo) {
    const BatchOptions o =
        Parsed({"--search", "Room 12", "--replace=Room 12A", "--case-sensitive", "--whole-word",
                "--whole-entity", "--layer", "Tags", "--layer", "Notes", "--out", "fixed", "-j2",
                "--report", "r.CSV", "a.json", "plans"});
    EXPECT_EQ(o.search, "Room 12");
    EXPECT_EQ(o.operation, Operation::Replace);
    EXPECT_EQ(o.replacement, "Room 12A");
    EXPECT_TRUE(o.caseSensitive && o.wholeWord && o.wholeEntity);
    EXPECT_EQ(o.layers, (Args{"Tags", "Notes"}));
    EXPECT_EQ(o.outDir, "fixed");
    EXPECT_EQ(o.jobs, 2);
    EXPECT_EQ(o.files, (Args{"a.json", "plans"}));
    EXPECT_TRUE(WritesDrawings(o));
}

TEST(BatchOptions, TextsAreGivenToTheMacroInItsCodePage) {
    const BatchOptions o = Parsed({"--search", "T\xC3\xBCr", "--upper", "--dry-run", "x.json"});
    EXPECT_EQ(o.search, "T\xFCr");
}

TEST(BatchOptions, IncrementTakesAPositionAndAStep) {
    struct Case {
        std::string position;
        NumberPosition expected;
    };
    for (const Case& c :
         {Case{"first", NumberPosition::First}, Case{"SECOND", NumberPosition::Second},
          Case{"last", NumberPosition::Last}, Case{"start", NumberPosition::Start},
          Case{"end", NumberPosition::End}}) {
        const BatchOptions o =
            Parsed({"--increment", c.position, "--step", "-3", "--dry-run", "x.json"});
        EXPECT_EQ(o.operation, Operation::Increment) << c.position;
        EXPECT_EQ(o.position, c.expected) << c.position;
        EXPECT_EQ(o.step, -3);
    }
}

TEST(BatchOptions, AFindWritesNothingUnlessItFillsASelectionSet) {
    const BatchOptions find = Parsed({"--search", "door", "--find", "x.json"});
    EXPECT_FALSE(ChangesDrawings(find));
    const BatchOptions collect =
        Parsed({"--search", "door", "--find", "--selection-set", "3", "--in-place", "x.json"});
    EXPECT_EQ(collect.selectionSet, 3);
    EXPECT_TRUE(WritesDrawings(collect));
    const BatchOptions dry = Parsed({"--upper", "--in-place", "--dry-run", "x.json"});
    EXPECT_TRUE(ChangesDrawings(dry));
    EXPECT_FALSE(WritesDrawings(dry));
}

TEST(BatchOptions, AWorkerIsStartedWithTheSameOptionsWithoutTheFiles) {
    const BatchOptions o =
        Parsed({"--search", "door", "--lower", "-j", "2", "--out=o", "--", "-odd.json"});
    EXPECT_EQ(o.optionArgs, (Args{"--search", "door", "--lower", "-j", "2", "--out", "o"}));
    EXPECT_EQ(o.files, (Args{"-odd.json"}));
    Args workerArgs = {"--worker", "--worker-dir", "w"};
    workerArgs.insert(workerArgs.end(), o.optionArgs.begin(), o.optionArgs.end());
    const BatchOptions worker = Parsed(workerArgs);
    EXPECT_TRUE(worker.worker);
    EXPECT_EQ(worker.operation, Operation::Lower);
    EXPECT_EQ(worker.search, "door");
}

TEST(BatchOptions, RefusesWhatCannotBeCarriedOut) {
    struct Case {
        Args args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--search", "a", "x.json"}, "say what to do"},
        {{"--upper", "--lower", "--dry-run", "x.json"}, "choose one operation"},
        {{"--upper", "--upper", "--dry-run", "x.json"}, "given twice"},
        {{"--search", "a", "--replace", "b", "x.json"}, "say where the changed drawings go"},
        {{"--replace", "b", "--dry-run", "x.json"}, "--replace needs a --search text"},
        {{"--find", "--dry-run", "x.json"}, "--find needs a --search text"},
        {{"--search", "a", "--find", "--out", "o", "x.json"}, "changes nothing"},
        {{"--upper", "--out", "o", "--in-place", "x.json"}, "one of --out and --in-place"},
        {{"--upper", "--step", "2", "--dry-run", "x.json"}, "--step goes with --increment"},
        {{"--increment", "first", "--step", "0", "--dry-run", "x.json"}, "cannot be zero"},
        {{"--increment", "first", "--step", "1.5", "--dry-run", "x.json"}, "whole number"},
        {{"--increment", "middle", "--dry-run", "x.json"}, "first, second, last, start or end"},
        {{"--upper", "--dry-run", "-j", "0", "x.json"}, "from 1 to 64"},
        {{"--upper", "--dry-run", "--selection-set", "8", "x.json"}, "from 0 to 7"},
        {{"--upper", "--dry-run", "--report", "r.txt", "x.json"}, "FILE.csv or FILE.json"},
        {{"--upper", "--dry-run"}, "name the drawings"},
        {{"--upper", "--dry-run", "--colour", "x.json"}, "unknown option --colour"},
        {{"--upper", "--dry-run", "--search"}, "--search needs a value"},
        {{"--upper", "--dry-run", "--yes=1", "x.json"}, "takes no value"},
        {{"--upper", "--dry-run", "--search", "\xE6\x97\xA5", "x.json"}, "Windows-1252"},
        {{"--upper", "--dry-run", "--search", std::string(256, 'a'), "x.json"}, "255 characters"},
    };
    for (const Case& c : cases) {
        const qx::Result<BatchOptions> parsed = ParseBatchOptions(c.args);
        EXPECT_FALSE(parsed.ok()) << c.says;
        EXPECT_NE(parsed.error().find(c.says), std::string::npos)
            << "expected \"" << c.says << "\", got \"" << parsed.error() << "\"";
    }
}

TEST(BatchOptions, HelpNeedsNothingElseAndShowsAnExampleForEachOperation) {
    EXPECT_TRUE(Parsed({"--help"}).help);
    const std::string help = BatchHelp();
    const std::string examples = help.substr(help.find("Examples:"));
    for (const char* operation :
         {"--replace", "--upper", "--lower", "--sentence", "--increment", "--find"})
        EXPECT_NE(examples.find(operation), std::string::npos) << operation;
}

} // namespace
} // namespace cadhost::batch
