#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
"$root/scripts/build.sh"
build="${QUADRELLO_BUILD_DIR:-$root/build}"
exec "$build/src/cli/quadrello-cli" 1 -3 2
