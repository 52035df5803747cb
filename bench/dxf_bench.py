#!/usr/bin/python3
"""The DXF benchmark: one job, "door" replaced by "gate" without regard to case in a generated
drawing (dxf_generate.py), done three ways, each timed with its peak memory:

  (a) cadhost end to end: load the DXF, run the real macro through Main over the whole
      drawing (dxf_replace.scn), save the DXF;
  (b) Python with ezdxf (dxf_ezdxf_replace.py);
  (c) the floor: a bare C++ streaming pass (dxf_floor).

    dxf_bench.py [--build DIR] [--sizes 10000,100000,1000000] [--work DIR]

DIR is a configured build with cadhost and dxf_floor built (default build/default). Prints a
Markdown table of wall time, peak memory and the ratios, and how each run ended. A tiny drawing
is run first to measure each tool's fixed start-up cost.
"""
import argparse
import os
import re
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import dxf_generate  # noqa: E402

STARTUP_SIZE = 20


def run(cmd, log):
    """Runs cmd with its output in log; gives wall seconds, peak MiB, exit code, output and
    CPU seconds (user and system)."""
    with open(log, "w") as f:
        pid = os.fork()
        if pid == 0:
            os.dup2(f.fileno(), 1)
            os.dup2(f.fileno(), 2)
            os.execvpe(cmd[0], cmd, dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        start = time.perf_counter()
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
    with open(log, errors="replace") as f:
        output = f.read()
    cpu = usage.ru_utime + usage.ru_stime
    return wall, usage.ru_maxrss / 1024.0, os.waitstatus_to_exitcode(status), output, cpu


def replacements(output):
    m = re.search(r"(\d+) replacements", output)
    return int(m.group(1)) if m else None


def jobs(build, source, work, tag):
    cadhost = os.path.join(build, "cadhost", "cadhost")
    floor = os.path.join(build, "bench", "dxf_floor")
    return {
        "a": [cadhost, "--scenario", os.path.join(HERE, "dxf_replace.scn"), "--drawing", source,
              "--save", os.path.join(work, f"{tag}-a.dxf")],
        "b": ["/usr/bin/python3", os.path.join(HERE, "dxf_ezdxf_replace.py"), source,
              os.path.join(work, f"{tag}-b.dxf")],
        "c": [floor, source, os.path.join(work, f"{tag}-c.dxf")],
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build", "default"))
    parser.add_argument("--sizes", default="10000,100000,1000000")
    parser.add_argument("--work", default="/tmp/quillex-dxf-bench")
    parser.add_argument("--jobs", default="abc", help="which of the runs a, b, c to make")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    sizes = [int(s) for s in args.sizes.split(",")]

    results = {}
    # Skipped runs are marked with the exit code -1.
    for n in [STARTUP_SIZE] + sizes:
        source = os.path.join(args.work, f"drawing-{n}.dxf")
        if not os.path.exists(source):
            dxf_generate.generate(n, source)
        size_mib = os.path.getsize(source) / 2**20
        for job, cmd in jobs(args.build, source, args.work, str(n)).items():
            if job not in args.jobs:
                results[(n, job)] = (float("nan"), float("nan"), -1, None, size_mib, float("nan"))
                continue
            log = os.path.join(args.work, f"{n}-{job}.log")
            wall, peak, code, output, cpu = run(cmd, log)
            results[(n, job)] = (wall, peak, code, replacements(output), size_mib, cpu)
            state = "ok" if code == 0 else f"exit {code}, see {log}"
            print(f"N={n} ({size_mib:.1f} MiB) {job}: {wall:.2f} s ({cpu:.2f} s CPU), {peak:.0f} MiB, "
                  f"{replacements(output)} replacements, {state}", file=sys.stderr)

    print(f"Load average at the end: {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores\n")
    print("| N | file | (a) cadhost | (b) ezdxf | (c) floor | b/a | a/c | b/a past start-up | "
          "(a) CPU | (a) peak | (a) peak growth / file |")
    print("|---|---|---|---|---|---|---|---|---|---|---|")
    fixed_peak = results[(STARTUP_SIZE, "a")][1]
    for n in sizes:
        a, b, c = (results[(n, j)] for j in "abc")
        size = a[4]
        def cell(r):
            if r[2] == -1:
                return "not run"
            return f"{r[0]:.2f} s" if r[2] == 0 else f"did not finish ({r[0]:.1f} s)"
        ratio_ba = f"{b[0] / a[0]:.0f}x" if a[2] == 0 and b[2] == 0 else "-"
        ratio_ac = f"{a[0] / c[0]:.1f}x" if a[2] == 0 else "-"
        growth = (a[1] - fixed_peak) / size
        past = "-"
        if a[2] == 0 and b[2] == 0:
            grown_b = b[0] - results[(STARTUP_SIZE, "b")][0]
            grown_a = a[0] - results[(STARTUP_SIZE, "a")][0]
            past = f"{grown_b / grown_a:.0f}x"
        print(f"| {n:,} | {size:.1f} MiB | {cell(a)} | {cell(b)} | {cell(c)} | {ratio_ba} | "
              f"{ratio_ac} | {past} | {a[5]:.2f} s | {a[1]:.0f} MiB | {growth:.2f} |")
    print()
    fixed = {j: results[(STARTUP_SIZE, j)][0] for j in "abc"}
    print(f"Fixed start-up ({STARTUP_SIZE} entities): (a) {fixed['a']:.2f} s, "
          f"{fixed_peak:.0f} MiB; (b) {fixed['b']:.2f} s; (c) {fixed['c']:.3f} s.")
    finished = [n for n in sizes if results[(n, "a")][2] == 0]
    for lo, hi in zip(finished, finished[1:]):
        entities = (hi - lo) * 21 / 20  # TEXT and MTEXT
        per = (results[(hi, "a")][0] - results[(lo, "a")][0]) / entities * 1e6
        cpu = (results[(hi, "a")][5] - results[(lo, "a")][5]) / entities * 1e6
        print(f"(a) growing cost from N={lo:,} to N={hi:,}: {per:.2f} µs per entity "
              f"({cpu:.2f} µs of CPU time).")
    for n in sizes:
        counts = {j: results[(n, j)][3] for j in "abc"}
        if len({v for v in counts.values() if v is not None}) > 1:
            print(f"N={n:,}: the replacement counts differ: {counts}")


if __name__ == "__main__":
    main()
