#!/bin/sh
# Times cadhost on JSON drawings of growing size: load, a whole-drawing replacement of "door" by
# "gate" (one text in ten matches), and the save. Prints wall time, peak memory and the cost
# per entity that grows with the drawing (the difference in CPU time, user plus system, to the
# smallest run, divided by the difference in entities). CPU time is used for the cost because
# the machine is shared: wall time grows with whatever else runs.
#
# usage: bench/json_run.sh [BUILD_DIR] [COUNT...]   (default: build/default, 100 10000 100000)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build/default}
[ $# -gt 0 ] && shift
counts=${*:-100 10000 100000}
cadhost=$build/cadhost/cadhost
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%10s %8s %8s %12s %10s %14s\n' entities wall_s cpu_s peak_rss_mib changed us_per_entity
first_n= first_t=
for n in $counts; do
    python3 "$here/make_json_drawing.py" "$n" "$work/in.json"
    QT_QPA_PLATFORM=offscreen /usr/bin/time -v "$cadhost" --scenario "$here/door_to_gate.scn" \
        --drawing "$work/in.json" --save "$work/out.json" >/dev/null 2>"$work/time.txt" || {
        cat "$work/time.txt" >&2
        exit 1
    }
    wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt" |
        awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
    cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$work/time.txt")
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
    changed=$(python3 -c 'import json, sys
d = json.load(open(sys.argv[1]))
print(sum("gate" in e.get("text", "") for l in d["layers"] for e in l.get("entities", [])))' "$work/out.json")
    per=-
    if [ -n "$first_n" ] && [ "$n" -gt "$first_n" ]; then
        per=$(awk -v t="$cpu" -v t0="$first_t" -v n="$n" -v n0="$first_n" \
            'BEGIN { printf "%.2f", (t - t0) * 1e6 / (n - n0) }')
    else
        first_n=$n first_t=$cpu
    fi
    printf '%10s %8s %8s %12s %10s %14s\n' "$n" "$wall" "$cpu" "$(awk -v k="$rss" 'BEGIN { printf "%.1f", k / 1024 }')" "$changed" "$per"
done
