#!/usr/bin/env bash
# The packaging tests (ctest label "package"): installs the build into temporary prefixes in both
# layouts and runs the installed programs, builds the Debian package and has lintian --pedantic
# and hardening-check judge it; then makes the main window's screenshot for the metainfo
# (build/screenshot/main-window.png). Left out of scripts/test.sh, since every run installs and
# packages the whole program; CI runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" package
"$root/scripts/build.sh"
build="${QUADRELLO_BUILD_DIR:-$root/build}"
cd "$build"
ctest --output-on-failure --label-regex package --timeout 900
cmake --build "$build" --target screenshot
