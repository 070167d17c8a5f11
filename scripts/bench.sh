#!/usr/bin/env bash
# Performance evidence in one table: every Google Benchmark under bench/, the start-up of the
# program against an empty Qt 6 window built in the same run (launch to the first mapped and to
# the first painted window on a bare Xvfb, median of 10, peak memory; measured by
# scripts/startup-bench.sh), and quadrello-cli --png for 1 -3 2 as a whole process against the
# 28 ms a plotting peer needs for the same 10,001-sample picture.
# Usage: scripts/bench.sh [BUILD_DIR]   (default build/, configured and built when needed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-${QUADRELLO_BUILD_DIR:-$root/build}}"
peer_png_ms=28
cli_runs=30

"$root/scripts/deps.sh" test
source "$root/scripts/common.sh"
# hyperfine is only a nicety: the loop below measures without it.
install_missing libx11-dev libxdamage-dev hyperfine || echo "bench: could not install all of libx11-dev libxdamage-dev hyperfine" >&2

# Configured every time, so that benchmark folders added since are picked up.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRELLO_WERROR=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rows="$work/rows.tsv"  # item, measured, reference, ratio

# Google Benchmarks: name and time per iteration.
for exe in "$build"/bench/*/*; do
    [[ -f "$exe" && -x "$exe" ]] || continue
    "$exe" --benchmark_format=csv --benchmark_min_time=0.2 2>/dev/null |
        awk -F, -v prog="$(basename "$exe")" '
            $1 == "name" { for (i = 1; i <= NF; i++) col[$i] = i; next }
            col["real_time"] && $1 != "" {
                name = $1; gsub(/"/, "", name)
                printf "%s/%s\t%.3g %s\t-\t-\n", prog, name, $col["real_time"], $col["time_unit"]
            }' >>"$rows"
done

# Start-up against the empty window.
startup="$work/startup.txt"
if [[ -x "$root/scripts/startup-bench.sh" || -f "$root/scripts/startup-bench.sh" ]]; then
    RUNS=10 bash "$root/scripts/startup-bench.sh" "$build" | tee "$startup" >&2
    awk '
        /^empty Qt 6/ { em = $(NF-8); ep = $(NF-5); er = $(NF-1) }
        /^quadrello/  { om = $(NF-8); op = $(NF-5); or = $(NF-1) }
        END {
            if (ep == "" || op == "") exit 1
            printf "start-up: launch to first mapped window\t%.2f ms\t%.2f ms (empty Qt 6 window)\t%.2f\n", om, em, om / em
            printf "start-up: launch to first painted window\t%.2f ms\t%.2f ms (empty Qt 6 window)\t%.2f\n", op, ep, op / ep
            printf "start-up: peak memory (RSS)\t%.1f MiB\t%.1f MiB (empty Qt 6 window)\t%.2f\n", or, er, or / er
        }' "$startup" >>"$rows" || echo "bench: no start-up figures (see above)" >&2
else
    echo "bench: scripts/startup-bench.sh is missing: no start-up figures" >&2
fi

# The companion's picture, as a whole process.
cli="$build/src/cli/quadrello-cli"
png_cmd="$cli --png $work/plot.png 1 -3 2"
if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 3 --runs "$cli_runs" --export-csv "$work/png.csv" "$png_cmd" >&2
    png_ms=$(awk -F, 'NR == 2 { printf "%.2f", $2 * 1000 }' "$work/png.csv")
    how="hyperfine, mean of $cli_runs"
else
    $png_cmd >/dev/null
    for ((i = 0; i < cli_runs; i++)); do
        start=$(date +%s%N)
        $png_cmd >/dev/null
        echo $(($(date +%s%N) - start))
    done | sort -n | awk '{a[NR] = $1} END {printf "%.2f\n", a[int((NR + 1) / 2)] / 1e6}' >"$work/png.txt"
    png_ms=$(cat "$work/png.txt")
    how="loop, median of $cli_runs"
fi
awk -v ms="$png_ms" -v peer="$peer_png_ms" -v how="$how" 'BEGIN {
    printf "quadrello-cli --png 1 -3 2 (whole process, %s)\t%.2f ms\t%d ms (plotting peer)\t%.2f\n", how, ms, peer, ms / peer
}' >>"$rows"

echo
awk -F'\t' '
    { for (i = 1; i <= 4; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } }
    END {
        split("item|measured|reference|ratio", head, "|")
        for (i = 1; i <= 4; i++) if (length(head[i]) > w[i]) w[i] = length(head[i])
        fmt = "| %-" w[1] "s | %" w[2] "s | %" w[3] "s | %" w[4] "s |\n"
        printf fmt, head[1], head[2], head[3], head[4]
        sep = "|"; for (i = 1; i <= 4; i++) { d = ""; for (j = 0; j < w[i] + 2; j++) d = d "-"; sep = sep d "|" }
        print sep
        for (r = 1; r <= NR; r++) printf fmt, cell[r, 1], cell[r, 2], cell[r, 3], cell[r, 4]
    }' "$rows"
