#!/usr/bin/env bash
# Builds the picture program in a temporary folder and redraws resources/about/*.png and
# resources/icon/*.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$root/scripts/pictures" -B "$work" >/dev/null
cmake --build "$work" >/dev/null
QT_QPA_PLATFORM=offscreen "$work/draw-pictures" "$root/resources"
echo "pictures written to $root/resources/about and $root/resources/icon"
