#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite but the packaging tests
# (label "package": scripts/package-test.sh runs them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
"$root/scripts/build.sh"
build="${QUADRELLO_BUILD_DIR:-$root/build}"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300 --label-exclude package
