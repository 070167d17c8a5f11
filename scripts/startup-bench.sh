#!/usr/bin/env bash
# Start-up of quadrello against an empty Qt 6 window with one Chinese label, built here in the
# same run, on a bare Xvfb (no window manager): the time from launch to the first mapped and to
# the first painted window (median of RUNS runs each, default 10, alternating the two programs)
# and the peak memory by /usr/bin/time -v. Targets: at most 1.25 times the empty window's time to paint,
# and at most 10 MiB above its peak memory.
# Usage: scripts/startup-bench.sh [BUILD_DIR]   (default build/; quadrello must be built)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-${QUADRELLO_BUILD_DIR:-$root/build}}"
runs="${RUNS:-10}"
program="$build/src/app/quadrello"
[[ -x "$program" ]] || { echo "startup-bench: build quadrello first ($program is missing)" >&2; exit 2; }
for tool in Xvfb gcc g++ pkg-config /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "startup-bench: $tool is missing" >&2; exit 2; }
done
[[ -f /usr/include/X11/extensions/Xdamage.h ]] || {
    echo "startup-bench: needs the Debian package libxdamage-dev" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

gcc -O2 -std=c11 "$root/scripts/startup-bench/first-paint.c" -o "$work/first-paint" -lX11 -lXdamage
g++ -O2 -std=c++20 -fPIC "$root/scripts/startup-bench/empty-window.cpp" -o "$work/empty-window" \
    $(pkg-config --cflags --libs Qt6Widgets)

# The program as shipped: a copy of the executable with the default config.ini and skin.ski.
mkdir -p "$work/app" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$build/src/app/skin.ski" "$work/app/"
printf '[Function]\r\nDrawGraphic=1\r\nMark=1\r\n' >"$work/app/config.ini"

source "$(dirname "$0")/common.sh"
start_private_x "$work/xvfb.log" || { echo "startup-bench: Xvfb did not start" >&2; exit 1; }
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset QT_QPA_PLATFORM

# One measurement: "MAP_MS PAINT_MS RSS_KIB".
measure() {
    local times rss
    times=$("$work/first-paint" -- /usr/bin/time -v -o "$work/time.txt" "$@")
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    echo "$times $rss"
}

median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

measure "$work/empty-window" >/dev/null  # warm the caches for both
(cd "$work/app" && measure ./quadrello >/dev/null)
for ((i = 0; i < runs; i++)); do
    measure "$work/empty-window" >>"$work/empty.txt"
    (cd "$work/app" && measure ./quadrello) >>"$work/quadrello.txt"
done

report() {
    local name=$1 file=$2
    printf '%-14s map %7.2f ms   paint %7.2f ms   peak RSS %6.1f MiB\n' "$name" \
        "$(cut -d' ' -f1 "$file" | median)" "$(cut -d' ' -f2 "$file" | median)" \
        "$(cut -d' ' -f3 "$file" | median | awk '{print $1 / 1024}')"
}
echo "median of $runs runs, bare Xvfb $DISPLAY"
report "empty Qt 6" "$work/empty.txt"
report "quadrello" "$work/quadrello.txt"
empty_paint=$(cut -d' ' -f2 "$work/empty.txt" | median)
ours_paint=$(cut -d' ' -f2 "$work/quadrello.txt" | median)
empty_rss=$(cut -d' ' -f3 "$work/empty.txt" | median)
ours_rss=$(cut -d' ' -f3 "$work/quadrello.txt" | median)
awk -v e="$empty_paint" -v o="$ours_paint" -v er="$empty_rss" -v or="$ours_rss" 'BEGIN {
    ratio = o / e; extra = (or - er) / 1024
    printf "time ratio %.2f (target <= 1.25): %s\n", ratio, ratio <= 1.25 ? "met" : "MISSED"
    printf "memory above the empty window %.1f MiB (target <= 10): %s\n", extra, extra <= 10 ? "met" : "MISSED"
}'
