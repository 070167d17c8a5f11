#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. The program checks for a display it
# can open its window on (and Qt's plugin for it) before anything else and ends with status 3
# when there is none; then the command-line companion shows the results for the example
# 1, -3, 2 instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
"$root/scripts/build.sh"
build="${QUADRELLO_BUILD_DIR:-$root/build}"

readonly no_display_status=3
status=0
"$build/src/app/quadrello" || status=$?
if ((status == no_display_status)); then
    echo "Here are the results for 1, -3, 2 from quadrello-cli instead:"
    exec "$build/src/cli/quadrello-cli" 1 -3 2
fi
exit "$status"
