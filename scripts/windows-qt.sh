#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (static, MinGW-w64) from Debian's own qt6-base source, once, into
# a cache outside the clone; prints the prefix on its last line. Later runs with the same Qt
# version and options find the cache and build nothing. Sourced by windows.sh; runs alone too.
# QUADRELLO_WINDOWS_CACHE chooses the cache folder (default /var/cache/quadrello-windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/common.sh"

cache=${QUADRELLO_WINDOWS_CACHE:-/var/cache/quadrello-windows}
toolchain="$root/cmake/mingw-w64.cmake"

# What the program uses of Qt and nothing else: no OpenGL, D-Bus, network, SQL, printing.
qt_features=(-release -static -nomake tests -nomake examples -no-opengl -no-dbus
    -no-feature-network -no-feature-sql -no-feature-tabletevent -no-feature-printsupport
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion)

# qt6-base-dev: the host tools' CMake packages (Qt6HostInfo) that the cross build needs.
install_missing g++-mingw-w64-x86-64-posix ninja-build cmake qt6-base-dev qt6-base-dev-tools dpkg-dev

# The source comes from the same Debian archive as the binary packages.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
    ! grep -qs '^deb-src' /etc/apt/sources.list; then
    echo "Adding a deb-src entry for bookworm main (Qt's source)"
    cat >/etc/apt/sources.list.d/quadrello-deb-src.sources <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt-get update -q
fi

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
key=$(printf '%s\n' "$qt_version" "${qt_features[*]}" "$(cat "$toolchain")" |
    sha256sum | cut -c1-12)
prefix="$cache/qt6-win64-$key"
if [[ -f "$prefix/.complete" ]]; then
    echo "Qt for Windows: cached in $prefix"
    echo "$prefix"
    exit 0
fi

start=$SECONDS
work="$cache/build-$key"
rm -rf "$work"
mkdir -p "$work"
echo "Qt for Windows: not cached; building Qt $qt_version in $work (about 30 min on 2 cores)"
(cd "$work" && apt-get source -q qt6-base >source.log 2>&1) || {
    cat "$work/source.log"
    exit 1
}
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
mkdir -p "$work/build"
cd "$work/build"
"$src/configure" -prefix "$prefix" "${qt_features[@]}" \
    -platform linux-g++ -xplatform win32-g++ -qt-host-path /usr \
    -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -G Ninja >configure.log 2>&1 || {
    tail -n 60 configure.log
    exit 1
}
echo "Qt for Windows: configured in $((SECONDS - start)) s; compiling"
# Progress every 500 steps, the whole log kept beside the build.
NINJA_STATUS='[%f/%t %es] ' ninja -j "$(nproc)" >ninja.log 2>&1 &
ninja_pid=$!
while kill -0 "$ninja_pid" 2>/dev/null; do
    sleep 60
    progress=$(grep -o '^\[[0-9]*/[0-9]* [0-9.]*s\]' ninja.log | tail -n 1 || true)
    echo "Qt for Windows: $progress"
done
if ! wait "$ninja_pid"; then
    grep -B2 -A20 'FAILED' ninja.log | head -n 80
    exit 1
fi
cmake --install . >install.log 2>&1
touch "$prefix/.complete"
rm -rf "$work"
echo "Qt for Windows: built in $((SECONDS - start)) s, $(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
