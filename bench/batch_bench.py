#!/usr/bin/python3
"""Batch throughput: `cadhost batch` over many drawings of many texts, at -j 1 and -j 2, against
single runs of the same drawings through `cadhost --scenario`.

It reports drawings per second and entities per second (wall time), and the CPU time per entity
of a batch run against that of a single run (CPU time, because other work shares the machine).
A single run is measured whole, and also without the start-up of its process (measured on a
drawing of one text), which is the stricter comparison. A batch run must cost at most 1.5 times
a single run without start-up per entity; the script exits with 1 when it does not.

usage: bench/batch_bench.py CADHOST [--drawings N] [--texts N] [--singles N] [--keep DIR]
"""

import argparse
import json
import os
import random
import resource
import shutil
import subprocess
import sys
import tempfile
import time

SEARCH = "door"
REPLACEMENT = "Gate"
WORDS = ["Room", "WALL", "window", "Sheet", "rev", "Level", "steel", "BEAM", "note", "see",
         "plan", "GRID", "section", "A-", "typ.", "(n)"]
MATCHES = ["door", "Door", "DOOR", "doors", "backdoor"]

# The keys a person presses for the same run as the batch: prompts instead of the dialog, the
# search text, the replacement, case sensitivity off, then the whole drawing selected.
SCENARIO = """drawing bench
ini macro Quillex UseForm 0
start
key F9
text "{search}"
key S3
text "{replacement}"
key F10
select all
key S0
expect ended
"""


def make_text(rng):
    words = [rng.choice(WORDS) for _ in range(rng.randint(1, 6))]
    if rng.random() < 1 / 8:
        words.insert(rng.randrange(len(words) + 1), rng.choice(MATCHES))
    return " ".join(words) + " " + str(rng.randint(1, 999))


def make_drawing(rng, texts, layers=4):
    per_layer = texts // layers
    out = {"layers": []}
    for layer in range(layers):
        entities = [{"type": "text", "text": make_text(rng), "at": [i % 100, i // 100]}
                    for i in range(per_layer)]
        out["layers"].append({"name": "Layer %d" % layer, "entities": entities})
    return out


def timed(command, **kwargs):
    """Runs the command; returns (wall seconds, CPU seconds of it and its children)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   **kwargs)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cadhost")
    parser.add_argument("--drawings", type=int, default=100)
    parser.add_argument("--texts", type=int, default=10000)
    parser.add_argument("--singles", type=int, default=5, help="single runs to average")
    parser.add_argument("--keep", help="keep the generated drawings in this folder")
    args = parser.parse_args()

    work = args.keep or tempfile.mkdtemp(prefix="batch-bench-")
    drawings = os.path.join(work, "drawings")
    os.makedirs(drawings, exist_ok=True)
    rng = random.Random(12345)
    for i in range(args.drawings):
        path = os.path.join(drawings, "plan-%03d.json" % i)
        if not os.path.exists(path):
            with open(path, "w") as f:
                json.dump(make_drawing(rng, args.texts), f)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    entities = args.drawings * args.texts

    scenario = os.path.join(work, "single.scn")
    with open(scenario, "w") as f:
        f.write(SCENARIO.format(search=SEARCH, replacement=REPLACEMENT))
    single_wall = single_cpu = 0.0
    singles = min(args.singles, args.drawings)
    for i in range(singles):
        path = os.path.join(drawings, "plan-%03d.json" % i)
        wall, cpu = timed([args.cadhost, "--scenario", scenario, "--drawing", path,
                           "--save", os.path.join(work, "single-out.json")], env=env)
        single_wall += wall
        single_cpu += cpu
    single_cpu_per_entity = single_cpu / (singles * args.texts)

    # The start-up of one process, for the same keys on a drawing of one text.
    tiny = os.path.join(work, "tiny.json")
    with open(tiny, "w") as f:
        json.dump({"layers": [{"name": "Layer 0", "entities": [
            {"type": "text", "text": "door 1", "at": [0, 0]}]}]}, f)
    startup_cpu = 0.0
    for _ in range(singles):
        startup_cpu += timed([args.cadhost, "--scenario", scenario, "--drawing", tiny,
                              "--save", os.path.join(work, "tiny-out.json")], env=env)[1]
    startup_cpu /= singles
    work_cpu_per_entity = max(single_cpu / singles - startup_cpu, 1e-9) / args.texts

    print("%d drawings of %d texts; search %r, replace with %r" %
          (args.drawings, args.texts, SEARCH, REPLACEMENT))
    print("single run (cadhost --scenario), mean of %d: %.3f s wall, %.3f s CPU, %.2f us CPU/entity"
          % (singles, single_wall / singles, single_cpu / singles, single_cpu_per_entity * 1e6))
    print("start-up of one process: %.3f s CPU; a single run without it: %.2f us CPU/entity"
          % (startup_cpu, work_cpu_per_entity * 1e6))
    print()
    print("| jobs | wall | drawings/s | entities/s | CPU | CPU/entity | vs single run "
          "| vs single run without start-up |")
    print("|---|---|---|---|---|---|---|---|")
    worst = 0.0
    for jobs in (1, 2):
        out = os.path.join(work, "out-j%d" % jobs)
        shutil.rmtree(out, ignore_errors=True)
        wall, cpu = timed([args.cadhost, "batch", "--search", SEARCH, "--replace", REPLACEMENT,
                           "-j", str(jobs), "--out", out, drawings], env=env)
        ratio = cpu / entities / single_cpu_per_entity
        strict = cpu / entities / work_cpu_per_entity
        worst = max(worst, strict)
        print("| %d | %.2f s | %.1f | %.0f | %.2f s | %.2f us | %.2f | %.2f |" %
              (jobs, wall, args.drawings / wall, entities / wall, cpu, cpu / entities * 1e6,
               ratio, strict))
    if not args.keep:
        shutil.rmtree(work, ignore_errors=True)
    if worst > 1.5:
        print("FAIL: a batch run costs %.2f times a single run without start-up per entity "
              "(at most 1.5)" % worst)
        return 1
    print("OK: a batch run costs at most %.2f times a single run without start-up per entity"
          % worst)
    return 0


if __name__ == "__main__":
    sys.exit(main())
