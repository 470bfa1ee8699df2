#!/bin/sh
# Runs the location benchmark as built with the tracked allocator ($1) and without it
# ($2), alternating ROUNDS times, and prints each benchmark's fastest time in both with
# their ratio (the fastest of several runs keeps other load on a shared machine out).
set -eu
tracked=$1
untracked=$2
filter=${BENCH_FILTER:-.}
rounds=${ROUNDS:-3}
run() {
    # CSV rows: "name",iterations,real_time,cpu_time,time_unit,...
    "$2" --benchmark_filter="$filter" --benchmark_format=csv 2>/dev/null | grep '^"' | sed "s/^/$1,/" || true
}
echo "== allocator tracking on vs off: $(basename "$tracked"), fastest of $rounds runs each"
i=0
while [ "$i" -lt "$rounds" ]; do
    run T "$tracked"
    run U "$untracked"
    i=$((i + 1))
done | awk -F, '
    { gsub(/"/, "", $2) }
    $1 == "T" && !($2 in on) { order[++n] = $2; unit[$2] = $6 }
    $1 == "T" && (!($2 in on) || $4 < on[$2]) { on[$2] = $4 }
    $1 == "U" && (!($2 in off) || $4 < off[$2]) { off[$2] = $4 }
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
