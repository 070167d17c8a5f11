#!/usr/bin/env bash
# End to end under Wine: the Windows build's own folder on a private X desktop (Xvfb, openbox, a
# compositor), driven like a user with xdotool and checked in screenshots, config.ini and the
# registry.
#
#   windows-e2e.sh DIST_FOLDER SHOT_FOLDER
#
# The window opens; 1, -3, 2 and "计 算" plot the red curve and blue axes; the options panel
# opens and a click on "总在最前" writes "WindowTop= 1" (CR LF lines) into the config.ini beside
# the exe and makes the window topmost; the registry holds the record (Path and Vision); "关于.." opens the About window, which
# fades in and closes with its fade on Escape; closing the window ends the program.
set -uo pipefail

dist=${1:?usage: windows-e2e.sh DIST_FOLDER SHOT_FOLDER}
shots=${2:?usage: windows-e2e.sh DIST_FOLDER SHOT_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-prefix.sh"

for tool in wine Xvfb openbox xcompmgr xdotool xprop xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

readonly kRecordKey='HKCU\Software\Tarvenn\Quadrello'
readonly kOpaque=4294967295

work=$(mktemp -d)
mkdir -p "$shots"
source "$here/harness.sh"
cleanup_more() { wineserver -k 2>/dev/null; }

# The visible window titled exactly NAME. By title alone: the X server is this script's own, and
# Wine may run the program under another process than the one started here.
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }

prepare_wine_prefix
# A Wine session still running from programs started without this display (the companion's
# tests) would put the windows on no screen at all: this test starts its own.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
start_desktop

# The folder as a pupil unzips it, and no record from an earlier run.
cp -r "$dist" "$work/Quadrello"
wine reg delete "$kRecordKey" /f >/dev/null 2>&1
wine "$work/Quadrello/quadrello.exe" >"$work/output.txt" 2>&1 &
app=$!
started+=("$app")

main_shown() { main=$(window_named Quadrello); [[ -n $main ]]; }
if ! wait_for 60 main_shown; then
    shoot windows-no-window
    echo "FAIL: the main window did not show"
    cat "$work/output.txt"
    exit 1
fi
read -r left top width height < <(geometry "$main")
pass "window: the main window shows (${width}x$height at $left,$top)"
click_at() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; }
region() { convert "$1" -crop "$2x$3+$((left + $4))+$((top + $5))" +repage "$6"; }
config_holds() { printf "$1" | cmp -s - "$work/Quadrello/config.ini"; }

# 1, -3, 2 and Enter on the focused 计 算: the plot in the drawing area of picGraphic.
plotted() {
    shoot windows-plot
    region "$shots/windows-plot.png" 285 201 10 232 "$work/plot.png"
    read -r red blue < <(count_colours "$work/plot.png" '#FF0000' '#0000FF')
    ((red > 300 && blue > 400))
}
sleep 1
xdotool windowactivate --sync "$main" 2>/dev/null
xdotool type --delay 60 '1'
xdotool key --delay 60 Tab
xdotool type --delay 60 -- '-3'
xdotool key --delay 60 Tab
xdotool type --delay 60 '2'
xdotool key --delay 60 Tab Return
xdotool mousemove 0 0
if wait_for 10 plotted; then
    pass "window: 1, -3, 2 and 计 算 plot the curve and the axes ($red red, $blue blue)"
else
    fail "window: the plot has $red red and $blue blue pixels"
fi

# The options panel, then 总在最前: stored at once beside the exe, with CR LF lines.
click_at 283 178
sleep 1
click_at 326 49
stored='[Function]\r\nDrawGraphic=1\r\nMark=1\r\n[Windows]\r\nWindowTop= 1\r\n'
if wait_for 10 config_holds "$stored"; then
    pass "window: 总在最前 writes WindowTop= 1 into config.ini beside the exe"
else
    fail "window: config.ini is $(od -c "$work/Quadrello/config.ini" | head -n 5)"
fi
# Topmost as Windows makes it (WS_EX_TOPMOST), which Wine hands to the window manager.
on_top() { xprop -id "$main" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE; }
wait_for 5 on_top && pass "window: 总在最前 puts the window above the others" ||
    fail "window: the window is not topmost"
shoot windows-panel

# The record, written at start.
record=$(wine reg query "$kRecordKey" 2>/dev/null | tr -d '\r')
if grep -q 'Path[[:space:]]*REG_SZ' <<<"$record" && grep -q 'Vision[[:space:]]*REG_SZ' <<<"$record"; then
    pass "registry: $(grep -o 'Path.*' <<<"$record" | head -n 1); $(grep -o 'Vision.*' <<<"$record")"
else
    fail "registry: no record under $kRecordKey: $record"
fi

# 关于..: the About window fades in, and Escape fades it out and closes it. Wine shows a layered
# window's alpha as the X opacity property and drops the property once the window is opaque.
about_shown() { about=$(window_named 关于); [[ -n $about ]]; }
about_opaque() { [[ -z $(opacity "$about") || $(opacity "$about") == "$kOpaque" ]]; }
# The opacities seen until the window is gone, one a line.
watch_fade_out() {
    local deadline=$((SECONDS + 10))
    while [[ -n $(window_named 关于) ]] && ((SECONDS < deadline)); do
        opacity "$about"
        echo
        sleep 0.02
    done
}
click_at 351 210
if wait_for 10 about_shown; then
    first=$(opacity "$about")
    if [[ -n $first && $first != "$kOpaque" ]] && wait_for 5 about_opaque; then
        pass "about: the About window opens fading in (opacity $first of $kOpaque at first)"
    else
        fail "about: the About window did not fade in (opacity ${first:-none}, then $(opacity "$about"))"
    fi
    shoot windows-about
    xdotool key Escape
    faded=$(watch_fade_out | awk 'NF && $1 < '"$kOpaque"' { n++ } END { print n + 0 }')
    if [[ -z $(window_named 关于) ]] && ((faded > 0)); then
        pass "about: Escape fades it out ($faded partly transparent steps seen) and closes it"
    else
        fail "about: Escape left it open or closed it without a fade ($faded steps)"
    fi
else
    fail "about: 关于.. did not open the About window"
fi

# Closing the window ends the program.
xdotool windowactivate "$main" 2>/dev/null
sleep 0.5
xdotool key alt+F4
program_ended() { ! kill -0 "$app" 2>/dev/null; }
wait_for 20 program_ended && pass "window: closing it ends the program" ||
    fail "window: the program did not end on close"

echo "windows e2e: $failures failed"
((failures == 0))
