#!/bin/sh
# Runs the location benchmark as built with the tracked allocator ($1) and without it
# ($2), and prints each benchmark's time in both with their ratio.
set -eu
tracked=$1
untracked=$2
filter=${BENCH_FILTER:-.}
run() {
    # CSV rows: "name",iterations,real_time,cpu_time,time_unit,...
    "$1" --benchmark_filter="$filter" --benchmark_format=csv 2>/dev/null | grep '^"' || true
}
echo "== allocator tracking on vs off: $(basename "$tracked")"
{ run "$tracked" | sed 's/^/T,/'; run "$untracked" | sed 's/^/U,/'; } | awk -F, '
    { gsub(/"/, "", $2) }
    $1 == "T" { order[++n] = $2; on[$2] = $4; unit[$2] = $6 }
    $1 == "U" { off[$2] = $4 }
    END {
        printf "%-14s %14s %14s %8s\n", "benchmark", "tracked", "untracked", "ratio"
        for (i = 1; i <= n; i++) {
            name = order[i]
            if (!(name in off) || off[name] == 0) {
                printf "%-14s %11.3f %-2s %14s %8s\n", name, on[name], unit[name], "-", "-"
                continue
            }
            printf "%-14s %11.3f %-2s %11.3f %-2s %7.2fx\n", name, on[name], unit[name], off[name], unit[name], on[name] / off[name]
        }
    }'
