#!/usr/bin/env bash
# Configures and builds the project into build/. Warnings are errors. Configured every time (a
# no-op when nothing changed), so that changed options and new files take effect.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${QUADRELLO_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRELLO_WERROR=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"
