#!/usr/bin/env bash
# Usage: window-e2e.sh QUADRELLO_EXECUTABLE [SCREENSHOT_FOLDER]
# Starts its own Xvfb (on a free display) with openbox, runs a copy of the program beside the
# shipped config.ini, types 1, -3, 2, presses "计 算", and checks the screenshot (red curve and
# blue axes in the picture area, changed result labels) and what the program stored.
set -euo pipefail
program=$1
shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)

command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
for tool in openbox xdotool xwininfo xprop import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/deps.sh test)"; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [[ -n "$shots" && -f "$work/after.png" ]] && cp "$work/after.png" "$shots/window-e2e.png"; exit 1; }

# The program as a user has it: the executable with the shipped config.ini and skin beside it.
mkdir -p "$work/app" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$work/app/quadrello"
[[ -f "$(dirname "$program")/skin.ski" ]] && cp "$(dirname "$program")/skin.ski" "$work/app/"
printf '[Function]\r\nDrawGraphic=1\r\nMark=1\r\n' >"$work/app/config.ini"

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 15 -u "$fd" display || fail "Xvfb did not start"
export DISPLAY=":$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset QT_QPA_PLATFORM

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for ((i = 0; i < 100; i++)); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

(cd "$work/app" && exec ./quadrello) >"$work/app.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quadrello$' | head -1) ||
    fail "the window did not appear: $(cat "$work/app.log")"
sleep 0.5  # let the window manager settle focus and frame
read -r left top < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
[[ "$width" == 308 ]] || fail "window is $width pixels wide, expected 308 (4715 twips outside)"

# Places in pixels (15 twips each) from the layout: boxes, buttons, picture area.
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.15; }
region() { convert "$1" -crop "$2x$3+$((left + $4))+$((top + $5))" +repage "$6"; }
count_colour() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:; }

import -window root "$work/before.png"
# The focus is in 二次项系数文本框 from the start, its "0" selected: typing replaces it.
xdotool windowactivate --sync "$window"
xdotool type --delay 40 '1'
xdotool key Tab
xdotool type --delay 40 -- '-3'
xdotool key Tab
xdotool type --delay 40 '2'
click 234 174  # 计算按钮 "计 算"
sleep 0.5
xdotool mousemove 0 0
sleep 0.2
import -window root "$work/after.png"
[[ -n "$shots" ]] && cp "$work/after.png" "$shots/window-e2e.png"

# Picture area: the drawing area inside the 2-pixel border of picGraphic (8, 230, 289 x 205).
region "$work/after.png" 285 201 10 232 "$work/plot.png"
red=$(count_colour "$work/plot.png" '#FF0000')
blue=$(count_colour "$work/plot.png" '#0000FF')
echo "picture area: $red red and $blue blue pixels"
((red > 300)) || fail "no curve: $red red pixels"
((blue > 400)) || fail "no axes: $blue blue pixels"
# The result frame: labels written (the frame's inside changed), the Δ line among them.
region "$work/before.png" 176 84 10 134 "$work/results-before.png"
region "$work/after.png" 176 84 10 134 "$work/results-after.png"
changed=$(compare -metric AE "$work/results-before.png" "$work/results-after.png" null: 2>&1 || true)
echo "result frame: $changed pixels changed"
((${changed%%.*} > 50)) || fail "the result labels did not change"

# config.ini holds exactly these bytes.
config_is() {
    printf "$1" | cmp -s - "$work/app/config.ini" || fail "$2: config.ini is $(od -c "$work/app/config.ini")"
}
config_is '[Function]\r\nDrawGraphic=1\r\nMark=1\r\n' "after start"

# Open the panel and switch "总在最前" on: stored at once with its leading blank, and the window
# is above the others.
click 283 178  # cmdOption
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
[[ "$width" == 392 ]] || fail "open panel: window is $width wide, expected 392"
click 326 49   # 总在最前复选框
config_is '[Function]\r\nDrawGraphic=1\r\nMark=1\r\n[Windows]\r\nWindowTop= 1\r\n' "after the click"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the window is not topmost"

echo "1 passed, 0 failed"
