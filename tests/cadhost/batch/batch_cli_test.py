#!/usr/bin/python3
"""Tests of `cadhost batch` through the real executable and the real macro library.

usage: batch_cli_test.py CADHOST CASE

Each case builds a small project of drawings in a temporary folder, runs the command as a user
would, and checks the drawings it wrote, the files it left alone, its report and its exit status.
The report's rows are checked against the changes found by comparing each saved drawing with its
original, so that neither can be right while the other is wrong.
"""

import csv
import json
import os
import shutil
import stat
import subprocess
import sys
import tempfile

CADHOST = None

# A text that is one "door" and 250 other characters: any longer replacement does not fit.
LONG_NO_ROOM = "Door " + "a" * 250
# Two "door"s in 250 characters: a replacement three characters longer fits once, not twice.
LONG_SOME_ROOM = "door door " + "b" * 240


def text(value, at, name=None):
    entity = {"type": "text", "text": value, "at": at}
    if name:
        entity["name"] = name
    return entity


def smart(kind, pieces, name):
    return {"type": kind, "name": name,
            "pieces": [{"text": t, "at": [2, 20 - i]} for i, t in enumerate(pieces)]}


def project_a():
    """Plain, duplicated, long, smart and locked texts, and the macro's settings kept in the
    drawing as a user left them (confirm each and the report on, a search text)."""
    return {
        "layers": [
            {"name": "Doors", "entities": [
                text("Door 101", [2, 30], "door101"),
                text("DOOR 102", [2, 27], "door102"),
                text("door 2", [2, 24], "door2"),
                # Two texts alike in text and place: the report names both.
                text("Door 7", [2, 5]),
                text("Door 7", [2, 5]),
                smart("multiline", ["Back door"], "backdoor"),
                {"type": "line", "points": [[0, 18], [40, 18]]},
            ]},
            {"name": "Sheets", "entities": [
                text("Sheet 9 of 12", [50, 1], "sheet9"),
                text("A-101", [50, 3], "a101"),
            ]},
            {"name": "Notes", "entities": [
                text(LONG_NO_ROOM, [2, 8], "longnoroom"),
                text(LONG_SOME_ROOM, [2, 7], "longsomeroom"),
                smart("paragraph", ["All doors to be", "painted."], "paintnote"),
            ]},
            {"name": "Existing", "locked": True, "entities": [
                text("Door 99", [30, 30], "door99"),
            ]},
        ],
        "attributes": [
            {"name": "ConfirmEach", "integer": 1},
            {"name": "RptChanges", "integer": 1},
            {"name": "CaseSens", "integer": 1},
            {"name": "SearchStr", "text": "old"},
        ],
    }


def project_b():
    return {"layers": [
        {"name": "Tags", "entities": [text("Door 5", [0, 0], "tag5"),
                                      text("12 Main St", [0, 2], "address")]},
        {"name": "Doors", "entities": [text("door 3", [0, 4], "door3")]},
    ]}


def project_c():
    """Nothing in it matches a door."""
    return {"layers": [{"name": "Rooms", "entities": [text("Room 1", [0, 0], "room1")]}]}


class Project:
    def __init__(self, root):
        self.root = root
        self.dir = os.path.join(root, "plans")
        os.makedirs(self.dir)
        self.drawings = {"a.json": project_a(), "b.json": project_b(), "c.json": project_c()}
        for name, drawing in self.drawings.items():
            with open(self.path(name), "w") as f:
                json.dump(drawing, f, indent=1)

    def path(self, name):
        return os.path.join(self.dir, name)

    def snapshot(self):
        """Bytes and modification time of every file in the project folder."""
        out = {}
        for name in sorted(os.listdir(self.dir)):
            p = self.path(name)
            with open(p, "rb") as f:
                out[name] = (f.read(), os.lstat(p).st_mtime_ns)
        return out


def run(args, expect_status=0, env=None, stdin=subprocess.DEVNULL):
    full_env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    full_env.update(env or {})
    result = subprocess.run([CADHOST, "batch"] + args, capture_output=True, text=True,
                            env=full_env, stdin=stdin, timeout=300)
    if result.returncode != expect_status:
        raise AssertionError("cadhost batch %s exited with %d, not %d\n--- stdout\n%s--- stderr\n%s"
                             % (" ".join(args), result.returncode, expect_status, result.stdout,
                                result.stderr))
    return result


def read_json(path):
    with open(path) as f:
        return json.load(f)


def entities(drawing):
    """(label, layer, entity) in file order; the label is the report's name for the entity."""
    out = []
    n = 0
    for layer in drawing["layers"]:
        for e in layer.get("entities", []):
            n += 1
            out.append((e.get("name") or "#%d" % n, layer["name"], e))
    return out


def text_changes(before, after):
    """The changes found by comparing a drawing with its saved form."""
    b, a = entities(before), entities(after)
    assert len(b) == len(a), "the saved drawing has other entities"
    changes = []
    for (label, layer, old), (_, _, new) in zip(b, a):
        if old.get("text") != new.get("text"):
            changes.append((label, layer, old["text"], new["text"]))
    return changes


def report_rows(path):
    if path.endswith(".json"):
        return [(c["file"], c["entity"], c["layer"], c["old"], c["new"], c["kind"])
                for c in read_json(path)["changes"]]
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    assert rows[0] == ["file", "entity", "layer", "old_text", "new_text", "kind"], rows[0]
    return [tuple(r) for r in rows[1:]]


def rows_of(rows, file, kind):
    return [r[1:5] for r in rows if os.path.basename(r[0]) == file and r[5] == kind]


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def check_rows_match_saved(project, out_dir, rows):
    """Every change in a saved drawing has its row, every changed row its change; a drawing
    without changes was not written."""
    for name, before in project.drawings.items():
        saved = os.path.join(out_dir, name)
        changed_rows = rows_of(rows, name, "changed")
        if not os.path.exists(saved):
            check(changed_rows == [], "%s changed (%s) but was not written" % (name, changed_rows))
            continue
        found = text_changes(before, read_json(saved))
        check(found, "%s was written without a change" % name)
        check([tuple(r) for r in changed_rows] == found,
              "%s: the report says %s, the saved drawing %s" % (name, changed_rows, found))


def changed_map(rows, file):
    return {r[0]: r[3] for r in rows_of(rows, file, "changed")}


# ---------------------------------------------------------------------------------------------
# Cases


def case_replace_whole_drawing(root):
    p = Project(root)
    out, report = os.path.join(root, "out"), os.path.join(root, "r.csv")
    result = run(["--search", "door", "--replace", "Gateway", "--out", out, "--report", report,
                  p.dir])
    rows = report_rows(report)
    check_rows_match_saved(p, out, rows)
    a = changed_map(rows, "a.json")
    check(a == {"door101": "Gateway 101", "door102": "Gateway 102", "door2": "Gateway 2",
                "#4": "Gateway 7", "#5": "Gateway 7"}, "a.json changes: %s" % a)
    check(changed_map(rows, "b.json") == {"tag5": "Gateway 5", "door3": "Gateway 3"},
          "b.json changes")
    check(not os.path.exists(os.path.join(out, "c.json")), "c.json has no match yet was written")
    # The locked layer is left alone, and said so.
    check("Locked Layers will NOT be modified" in result.stdout, result.stdout)
    # Length errors stay as they were; the partial replacement is what the macro offered.
    errors = {r[0]: r for r in rows_of(rows, "a.json", "length-error")}
    check(set(errors) == {"longnoroom", "longsomeroom"}, "length errors: %s" % errors)
    check(errors["longnoroom"][3] == LONG_NO_ROOM, errors["longnoroom"])
    check(errors["longsomeroom"][3] == LONG_SOME_ROOM.replace("door", "Gateway", 1),
          errors["longsomeroom"])
    saved = {label: e for label, _, e in entities(read_json(os.path.join(out, "a.json")))}
    check(saved["longnoroom"]["text"] == LONG_NO_ROOM, "a length error was changed")
    check(saved["longsomeroom"]["text"] == LONG_SOME_ROOM, "a length error was changed")
    smart_rows = rows_of(rows, "a.json", "smart-text")
    check([r[0] for r in smart_rows] == ["backdoor", "paintnote"], smart_rows)
    check(smart_rows[1][2] == "All doors to be painted.", smart_rows)
    # The macro's settings in the drawing and its selection sets are as the user left them.
    saved_a = read_json(os.path.join(out, "a.json"))
    def canonical(attributes):
        return sorted(json.dumps(a, sort_keys=True) for a in attributes)

    check(canonical(saved_a.get("attributes", [])) ==
          canonical(p.drawings["a.json"]["attributes"]),
          "the macro's settings in the drawing changed: %s" % saved_a.get("attributes"))
    check(all("members" not in s for s in saved_a.get("selectionSets", [])),
          "a selection set was filled unasked")
    check(saved_a.get("selectionSetMask", 0) == 0, "the selection-set mask changed")


def case_case_and_increment_operations(root):
    p = Project(root)
    cases = [
        (["--upper"], "a.json",
         {"door101": "DOOR 101", "door2": "DOOR 2", "#4": "DOOR 7", "#5": "DOOR 7",
          "sheet9": "SHEET 9 OF 12", "longnoroom": LONG_NO_ROOM.upper(),
          "longsomeroom": LONG_SOME_ROOM.upper()}),
        (["--search", "DOOR", "--case-sensitive", "--lower"], "a.json", {"door102": "door 102"}),
        (["--search", "door", "--sentence"], "a.json",
         {"door102": "Door 102", "door2": "Door 2",
          "longsomeroom": "Door door " + "b" * 240}),
        (["--search", "Door", "--increment", "first", "--step", "5"], "b.json",
         {"tag5": "Door 10", "door3": "door 8"}),
        (["--search", "Sheet", "--increment", "second", "--step", "2"], "a.json",
         {"sheet9": "Sheet 9 of 14"}),
        (["--search", "Sheet", "--increment", "last", "--step", "-1"], "a.json",
         {"sheet9": "Sheet 9 of 11"}),
        (["--search", "Sheet", "--increment", "end"], "a.json", {"sheet9": "Sheet 9 of 13"}),
        (["--search", "Main", "--increment", "start"], "b.json", {"address": "13 Main St"}),
    ]
    for i, (options, file, expected) in enumerate(cases):
        out, report = os.path.join(root, "out%d" % i), os.path.join(root, "r%d.json" % i)
        run(options + ["--out", out, "--report", report, p.dir])
        rows = report_rows(report)
        check_rows_match_saved(p, out, rows)
        got = changed_map(rows, file)
        check(got == expected, "%s on %s: %s, expected %s" % (options, file, got, expected))


def case_layer_scope(root):
    p = Project(root)
    out, report = os.path.join(root, "out"), os.path.join(root, "r.csv")
    result = run(["--search", "door", "--replace", "Gate", "--layer", "Notes", "--layer", "Tags",
                  "--out", out, "--report", report, p.dir])
    rows = report_rows(report)
    check_rows_match_saved(p, out, rows)
    check(changed_map(rows, "a.json") == {"longnoroom": "Gate " + "a" * 250,
                                          "longsomeroom": "Gate Gate " + "b" * 240},
          "a.json: %s" % changed_map(rows, "a.json"))
    check(changed_map(rows, "b.json") == {"tag5": "Gate 5"}, "b.json: only the Tags layer")
    check([r[0] for r in rows_of(rows, "a.json", "smart-text")] == ["paintnote"],
          "only the smart text of the Notes layer")
    check("has no layer Tags" in result.stdout, result.stdout)


def case_find_only(root):
    p = Project(root)
    before = p.snapshot()
    report = os.path.join(root, "r.json")
    result = run(["--search", "door", "--find", "--report", report, p.dir])
    check(p.snapshot() == before, "a find changed the project")
    rows = report_rows(report)
    found = [r[0] for r in rows_of(rows, "a.json", "found")]
    # A find lists the texts on locked layers too, and changes nothing, long or not.
    check(found == ["door101", "door102", "door2", "#4", "#5", "longnoroom", "longsomeroom",
                    "door99"], found)
    check([r[0] for r in rows_of(rows, "a.json", "smart-text")] == ["backdoor", "paintnote"],
          "smart texts found")
    check(all(r[5] in ("found", "smart-text") for r in rows), rows)
    check("Found" in result.stdout and "Replacements" not in result.stdout, result.stdout)
    # Into a selection set of the written drawing when asked.
    out = os.path.join(root, "out")
    run(["--search", "door", "--find", "--selection-set", "2", "--out", out, p.dir])
    sets = {s["set"]: s for s in read_json(os.path.join(out, "a.json"))["selectionSets"]}
    check(sets[2]["name"] == "Quillset" and sets[2]["members"] == ["backdoor", "paintnote"],
          sets[2])
    check(not os.path.exists(os.path.join(out, "c.json")), "c.json has no smart text")


def case_selection_set(root):
    p = Project(root)
    out = os.path.join(root, "out")
    run(["--search", "door", "--replace", "Gate", "--selection-set", "5", "--out", out, p.dir])
    saved = read_json(os.path.join(out, "a.json"))
    sets = {s["set"]: s for s in saved["selectionSets"]}
    check(sets[5]["name"] == "Quillset" and sets[5]["members"] == ["backdoor", "paintnote"],
          sets[5])
    check(saved["selectionSetMask"] & (1 << 5), "set 5 is not the active set")


def case_dry_run(root):
    p = Project(root)
    before = p.snapshot()
    dry, real = os.path.join(root, "dry.csv"), os.path.join(root, "real.csv")
    result = run(["--search", "door", "--replace", "Gate", "--dry-run", "--in-place", "--report",
                  dry, p.dir])
    check(p.snapshot() == before, "a dry run wrote a file")
    check("Dry run: no drawing was written." in result.stdout, result.stdout)
    out = os.path.join(root, "out")
    run(["--search", "door", "--replace", "Gate", "--dry-run", "--out", out, p.dir])
    check(not os.path.exists(out) or os.listdir(out) == [], "a dry run wrote into --out")
    run(["--search", "door", "--replace", "Gate", "--out", out, "--report", real, p.dir])
    check(report_rows(dry) == report_rows(real), "the dry run reports other changes")


def case_in_place(root):
    p = Project(root)
    os.chmod(p.path("b.json"), stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    os.rename(p.path("a.json"), os.path.join(root, "a-target.json"))
    os.symlink(os.path.join(root, "a-target.json"), p.path("a.json"))
    before = p.snapshot()
    # Without a terminal to ask, --in-place needs --yes, and nothing happens without it.
    run(["--search", "door", "--replace", "Gate", "--in-place", p.dir], expect_status=2)
    check(p.snapshot() == before, "a refused in-place run wrote")
    report = os.path.join(root, "r.csv")
    result = run(["--search", "door", "--replace", "Gate", "--in-place", "--yes", "--report",
                  report, p.dir], expect_status=1)
    after = p.snapshot()
    check(os.path.islink(p.path("a.json")), "the link was replaced by a file")
    check(read_json(os.path.join(root, "a-target.json"))["layers"][0]["entities"][0]["text"] ==
          "Gate 101", "the link's file was not changed")
    check(after["b.json"] == before["b.json"], "the read-only file was written")
    check("b.json" in result.stdout and "read-only" in result.stdout, result.stdout)
    check(after["c.json"] == before["c.json"], "an unchanged drawing was rewritten")
    rows = report_rows(report)
    check(changed_map(rows, "a.json")["door101"] == "Gate 101", "a.json rows")


def case_unreadable_file(root):
    p = Project(root)
    with open(p.path("broken.json"), "w") as f:
        f.write('{"layers": [')
    out = os.path.join(root, "out")
    result = run(["--search", "door", "--replace", "Gate", "--out", out, p.dir,
                  os.path.join(root, "missing.json")], expect_status=1)
    check(sorted(os.listdir(out)) == ["a.json", "b.json"], os.listdir(out))
    check("broken.json: cannot be read" in result.stdout, result.stdout)
    check("missing.json: cannot be read" in result.stdout, result.stdout)


def case_jobs_give_same_results(root):
    p = Project(root)
    for i in range(6):
        shutil.copy(p.path("a.json"), p.path("copy%d.json" % i))
    outputs = {}
    # The same output folder for both, as the report names the files written.
    out = os.path.join(root, "out")
    for jobs in ("1", "2"):
        shutil.rmtree(out, ignore_errors=True)
        report = os.path.join(root, "r%s.json" % jobs)
        run(["--search", "door", "--replace", "Gateway", "-j", jobs, "--out", out, "--report",
             report, p.dir])
        files = {}
        for name in sorted(os.listdir(out)):
            with open(os.path.join(out, name), "rb") as f:
                files[name] = f.read()
        with open(report, "rb") as f:
            outputs[jobs] = (files, f.read())
    check(len(outputs["1"][0]) == 8, "drawings written: %s" % sorted(outputs["1"][0]))
    check(outputs["1"] == outputs["2"], "-j 2 gives other drawings or another report than -j 1")


def case_worker_crash(root):
    p = Project(root)
    for i in range(3):
        shutil.copy(p.path("b.json"), p.path("more%d.json" % i))
    out = os.path.join(root, "out")
    result = run(["--search", "door", "--replace", "Gate", "-j", "2", "--out", out, p.dir],
                 expect_status=1, env={"CADHOST_BATCH_TEST_CRASH_ON": "b.json"})
    check("b.json: the worker process crashed" in result.stdout, result.stdout)
    # The drawings after the crash are still done by a new worker.
    check(sorted(os.listdir(out)) == ["a.json", "more0.json", "more1.json", "more2.json"],
          os.listdir(out))


def case_command_line(root):
    result = run(["--help"])
    for example in ("--replace", "--upper", "--lower", "--sentence", "--increment", "--find"):
        check(example in result.stdout.split("Examples:")[1], "no example for " + example)
    p = Project(root)
    refused = [
        ["--search", "door", p.dir],  # no operation
        ["--search", "door", "--replace", "x", p.dir],  # no destination
        ["--upper", "--lower", "--dry-run", p.dir],
        ["--replace", "x", "--dry-run", p.dir],  # nothing to search
        ["--increment", "first", "--step", "0", "--dry-run", p.dir],
        ["--upper", "--dry-run", "--report", "r.txt", p.dir],
        ["--search", "door", "--find", "--out", "o", p.dir],
        ["--upper", "--dry-run", "-j", "0", p.dir],
        ["--upper", "--out", p.dir, p.dir],  # writing into the drawings' own folder
        ["--upper", "--dry-run", "--search", "\u65e5\u672c", p.dir],
        ["--upper", "--dry-run", "--report", os.path.join(root, "no", "r.csv"), p.dir],
        ["--upper", "--dry-run", os.path.join(root, "empty-folder")],
    ]
    os.makedirs(os.path.join(root, "empty-folder"))
    for args in refused:
        result = run(args, expect_status=2)
        check("cadhost batch: " in result.stderr, result.stderr)



def case_dxf_drawings(root):
    """DXF drawings among JSON ones: each is written back changed in its texts only, ezdxf reads
    the result, and the report names DXF entities by their handles."""
    import ezdxf
    src = os.path.join(root, "dxf")
    os.makedirs(src)
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "cadhost",
                          "samples", "doors.dxf")
    shutil.copy(sample, os.path.join(src, "doors.dxf"))
    with open(os.path.join(src, "plain.dxf"), "wb") as f, open(sample, "rb") as s:
        f.write(s.read().replace(b"door", b"hall").replace(b"Door", b"Hall").replace(
            b"DOOR", b"HALL"))
    out, report = os.path.join(root, "out"), os.path.join(root, "r.csv")
    run(["--search", "door", "--replace", "Gate", "--out", out, "--report", report, src])

    check(not os.path.exists(os.path.join(out, "plain.dxf")),
          "a DXF drawing without a match was written")
    before = ezdxf.readfile(os.path.join(src, "doors.dxf"))
    after = ezdxf.readfile(os.path.join(out, "doors.dxf"))

    def texts(doc):
        found = {}
        for e in doc.modelspace():
            if e.dxftype() == "TEXT":
                found[e.dxf.handle] = e.dxf.text
            elif e.dxftype() == "INSERT":
                for a in e.attribs:
                    found[a.dxf.handle] = a.dxf.text
            elif e.dxftype() == "MTEXT":
                found[e.dxf.handle] = e.text
        return found

    old, new = texts(before), texts(after)
    check(old.keys() == new.keys(), "the saved DXF has other entities")
    changed = {h: (old[h], new[h]) for h in old if old[h] != new[h]}
    rows = report_rows(report)
    reported = {r[1]: (r[3], r[4]) for r in rows if r[5] == "changed"}
    check(changed == reported, "the report says %s, the saved DXF %s" % (reported, changed))
    check(any(v == ("Door 101", "Gate 101") for v in changed.values()), changed)
    check(any(v == ("door D-7", "Gate D-7") for v in changed.values()),
          "the block attribute was not changed: %s" % changed)
    check(all(not v[0].startswith("Back door") for v in changed.values()),
          "a multi-line text was rewritten")
    check(any(r[5] != "changed" and r[3].startswith("Back door") for r in rows),
          "the multi-line text was not reported as found: %s" % rows)


CASES = {name[5:]: fn for name, fn in globals().items() if name.startswith("case_")}


def main():
    global CADHOST
    if len(sys.argv) != 3 or sys.argv[2] not in CASES:
        print(__doc__ + "\ncases: " + ", ".join(CASES), file=sys.stderr)
        return 2
    CADHOST = sys.argv[1]
    root = tempfile.mkdtemp(prefix="batch-test-")
    try:
        CASES[sys.argv[2]](root)
    except AssertionError as e:
        print("FAILED: %s" % e, file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(root, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
