#!/usr/bin/env bash
# Installs the Debian packages this project needs that are missing.
# Usage: scripts/deps.sh build|test|package. Installs nothing when all are present.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# qt6-wayland: the window opens natively in a Wayland session that offers no XWayland.
build_pkgs=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland
    libgl-dev libxcb1-dev libfontconfig-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-arphic-uming fonts-arphic-ukai)
# weston: a headless Wayland desktop; fonts-wqy-microhei: a Chinese face other than the
# preferred ones, for the fallback; xfce4-panel under a dbus-launch session bus: a StatusNotifier
# tray host; at-spi2-core and python3-pyatspi: a screen reader's view; desktop-file-utils,
# appstream and dpkg-dev: validating the desktop metadata and building the Debian package;
# adwaita-icon-theme: named cursors, by which the harness sees a window manager's move begin
# and end; qt6-gtk-platformtheme: the skin under GTK's dark theme; fonts-noto-cjk: a CJK face of
# taller proportions than the layout's.
test_pkgs=(xvfb xauth xdotool imagemagick openbox trayer tint2 xcompmgr x11-utils libxdamage-dev
    weston fonts-wqy-microhei xfce4-panel dbus-x11 libglib2.0-bin at-spi2-core python3-pyatspi
    desktop-file-utils appstream dpkg-dev adwaita-icon-theme qt6-gtk-platformtheme fonts-noto-cjk)

# lintian, devscripts (hardening-check) and man-db: judging the Debian package as Debian does.
package_pkgs=(lintian devscripts man-db)

wanted=("${build_pkgs[@]}")
case "${1:-build}" in
test) wanted+=("${test_pkgs[@]}") ;;
package) wanted+=("${test_pkgs[@]}" "${package_pkgs[@]}") ;;
esac

install_missing "${wanted[@]}"
