#!/usr/bin/env bash
# Cross-builds Quadrello for 64-bit Windows on Debian 12 and lays out the portable folder a
# pupil unzips and runs:
#   build-windows/dist/Quadrello/   quadrello.exe, quadrello-cli.exe, config.ini, skin.ski
#   build-windows/dist/Quadrello.zip
# Qt for Windows is built once from Debian's own source into a cache outside the clone (see
# windows-qt.sh); both programs are linked statically, so the folder holds no DLL.
#
#   scripts/windows.sh          installs what is missing, builds, lays out the folder and zip
#   scripts/windows.sh test     the same, then runs the Windows tests under Wine: the core and
#                               settings tests, the companion against the Linux one, and the
#                               window on a private X server
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/common.sh"
mode=${1:-build}
build="$root/build-windows/build"
dist="$root/build-windows/dist"
start=$SECONDS

# wine: the launcher that picks wine64; the rest for the checks under Wine.
install_missing g++-mingw-w64-x86-64-posix ninja-build cmake zip googletest
if [[ $mode == test ]]; then
    install_missing wine wine64 xvfb xauth xdotool x11-utils imagemagick fonts-arphic-uming \
        fonts-arphic-ukai
fi

# Its lines are shown as they come through the inherited standard error: naming /dev/stderr would
# open it again, and where that is a file, truncate what was logged before.
qt_prefix=$("$root/scripts/windows-qt.sh" | tee >(cat >&2) | tail -n 1)
echo "=== Qt for Windows ready after $((SECONDS - start)) s"

"$qt_prefix/bin/qt-cmake" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DQUADRELLO_WERROR=ON \
    -DQUADRELLO_BENCH=OFF -DQUADRELLO_TESTS=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"
echo "=== Quadrello for Windows built after $((SECONDS - start)) s"

# The folder: the programs stripped of their symbols, the shipped defaults with CR LF lines.
folder="$dist/Quadrello"
rm -rf "$dist"
mkdir -p "$folder"
for program in quadrello quadrello-cli; do
    built=$(find "$build" -path '*/CMakeFiles' -prune -o -name "$program.exe" -print | head -n 1)
    x86_64-w64-mingw32-strip -o "$folder/$program.exe" "$built"
done
cp "$root/resources/skin/skin.ski" "$folder/"
cmake -DDEST="$folder/config.ini" -P "$root/src/app/DefaultConfig.cmake"
(cd "$dist" && zip -q -r Quadrello.zip Quadrello)
echo "=== $dist/Quadrello.zip: $(du -k "$dist/Quadrello.zip" | cut -f1) KiB;" \
    "quadrello.exe $(du -k "$folder/quadrello.exe" | cut -f1) KiB"

[[ $mode == test ]] || exit 0

# --- under Wine ------------------------------------------------------------------------------
source "$root/scripts/wine-prefix.sh"
prepare_wine_prefix
(cd "$build" && ctest --output-on-failure --timeout 300)
echo "=== Windows unit tests passed after $((SECONDS - start)) s"

# The companion against the Linux one on the shared table of cases.
"$root/scripts/build.sh" >/dev/null
bash "$root/tests/cli/compare-companions.sh" "${QUADRELLO_BUILD_DIR:-$root/build}/src/cli/quadrello-cli" \
    "$folder/quadrello-cli.exe"
bash "$root/tests/e2e/windows-e2e.sh" "$folder" "$root/build-windows/shots"
echo "=== Windows stage done in $((SECONDS - start)) s"
