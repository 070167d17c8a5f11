#!/usr/bin/env bash
# Builds the picture program in a temporary folder and redraws resources/about/*.png and
# resources/icon/*.png, and the Windows icon resources/icon/quadrello.ico from the same sizes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$root/scripts/pictures" -B "$work" >/dev/null
cmake --build "$work" >/dev/null
QT_QPA_PLATFORM=offscreen "$work/draw-pictures" "$root/resources"
icon="$root/resources/icon/quadrello"
convert "$icon-16.png" "$icon-32.png" "$icon-48.png" "$icon-64.png" "$icon-128.png" "$icon.ico"
echo "pictures written to $root/resources/about and $root/resources/icon"
