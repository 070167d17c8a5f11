#!/usr/bin/env bash
# Builds the whole project a second time with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/) and runs the test suite there. Any sanitizer report fails the run: the build
# stops at the first undefined behaviour (-fno-sanitize-recover=all), and ASan aborts on its first
# error.
#
# Left out here: the end-to-end tests on a real X server (ctest label "e2e"). They drive whole
# programs under Xvfb with timeouts made for normal speed, and cover no code the widget tests
# do not already run under the sanitizers. And the packaging tests (label "package"): they judge
# the package built from the ordinary build (scripts/package-test.sh).
# Leak checking stays on: the widget tests run clean under LeakSanitizer (Qt's caches are still
# reachable at exit, so they are not reported).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${QUADRELLO_ASAN_BUILD_DIR:-$root/build-asan}"
"$root/scripts/deps.sh" test

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRELLO_WERROR=ON \
    -DQUADRELLO_SANITIZE=ON -DQUADRELLO_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600 --label-exclude 'e2e|package'
