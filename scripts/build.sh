#!/usr/bin/env bash
# Configures (once) and builds the project into build/. Warnings are errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${QUADRELLO_BUILD_DIR:-$root/build}"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRELLO_WERROR=ON >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"
