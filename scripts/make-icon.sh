#!/usr/bin/env bash
# Redraws the program's icon into resources/icon/ with our own drawing program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O1 -fPIC "$root/scripts/make-icon/MakeIcon.cpp" -o "$work/make-icon" \
    $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$work/make-icon" "$root/resources/icon"
echo "icon written to $root/resources/icon"
