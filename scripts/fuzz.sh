#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer, in
# fuzz-build/) and runs each for SECONDS (default 60). The committed seeds in tests/fuzz/corpus/
# are only read; what a run discovers goes into fuzz-build/corpus/. A finding (crash, failed
# check, hang, leak, out of memory) is saved as fuzz-build/findings/<target>/crash-… and makes the
# exit status non-zero.
# Usage: scripts/fuzz.sh [SECONDS]   FUZZ_JOBS=N runs N targets at once (default 1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
jobs="${FUZZ_JOBS:-1}"
build="${QUADRELLO_FUZZ_BUILD_DIR:-$root/fuzz-build}"
targets=(fuzz_solver fuzz_profile fuzz_plot)
# A single input that runs longer than this counts as a hang.
hang_seconds=10
max_len=4096

source "$root/scripts/common.sh"
install_missing clang libclang-rt-dev

# Only the parts under test, without Qt: tests/fuzz is a project of its own here. Configured
# every time, so that changed options take effect.
cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUADRELLO_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" --parallel "$(nproc)"

run_one() {
    local target=$1
    local corpus="$build/corpus/$target" findings="$build/findings/$target"
    mkdir -p "$corpus" "$findings"
    local status=0
    "$build/$target" -max_total_time="$seconds" -timeout="$hang_seconds" \
        -max_len="$max_len" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "$root/tests/fuzz/corpus/${target#fuzz_}" \
        >"$build/$target.log" 2>&1 || status=$?
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/$target.log" | grep -o '[0-9]*$' || echo "?")
    if ((status == 0)); then
        printf '%-14s ok       %12s execs in %ss\n' "$target" "$runs" "$seconds"
    else
        printf '%-14s FINDING  %12s execs (exit %d), see %s\n' "$target" "$runs" "$status" "$build/$target.log"
        grep -m1 -A12 -E 'ERROR|fuzz check failed|Test unit written' "$build/$target.log" || true
    fi
    return "$status"
}

failed=0
pids=()
for target in "${targets[@]}"; do
    run_one "$target" &
    pids+=($!)
    if ((${#pids[@]} >= jobs)); then
        wait "${pids[0]}" || failed=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
exit "$failed"
