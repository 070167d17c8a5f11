#!/usr/bin/env bash
# End to end on one real X desktop (Xvfb, openbox, a compositor, tray hosts), driven like a
# user with xdotool and checked in screenshots, window properties and the config.ini written.
#
#   desktop-e2e.sh PROGRAM SHOT_FOLDER
#
# The window: typing 1, -3, 2 and "计 算" plots the red curve and blue axes and writes the
# results; the options panel opens and "总在最前" is stored and makes the window topmost.
# The classic (XEmbed) tray: without a host a minimised window stays minimised; a host that
# comes later (trayer) gets the icon; minimising hides the window, a left click brings it back,
# the menu comes with the right button's release; its About item opens the About window, whose
# corners are clipped, whose title strip drags it, whose close picture lights up under the
# pointer and closes it; its exit item ends the program. A StatusNotifier host over D-Bus
# (xfce4-panel, started after the program): the icon reaches it, the exported menu lists the
# eight entries, activating the icon restores the window and the exported 退出 ends the
# program. A screen reader (AT-SPI) reads the named boxes, buttons and the five results.
# Screenshots go to SHOT_FOLDER, main-window.png among them (the window after computing, with its
# frame). QUADRELLO_E2E_SCREENSHOT_ONLY=1 stops after taking that one.
# Exit status 77 when a tool is missing (the test is skipped).
set -uo pipefail

program=${1:?usage: desktop-e2e.sh PROGRAM SHOT_FOLDER}
shots=${2:?usage: desktop-e2e.sh PROGRAM SHOT_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb openbox xcompmgr trayer xdotool xprop xwininfo import convert compare dbus-launch gdbus \
    xfce4-panel /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/deps.sh test installs it)"
        exit 77
    fi
done

readonly kScreenWidth=1280 kScreenHeight=800
readonly kAboutSize=310
readonly kFrameBlue='#245EBA'
readonly kOpaque=4294967295

work=$(mktemp -d)
mkdir -p "$shots" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
# No session bus: the icon goes to the XEmbed tray that trayer offers.
export DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

source "$here/harness.sh"

# The id of the top-level window of the program named NAME (exactly), or nothing. The tray
# icon's own window bears the application's name too, until a tray takes it in: windows smaller
# than 64 pixels either way are passed over.
window_named() {
    xwininfo -root -tree 2>/dev/null |
        awk -v name="\"$1\":" '$2 == name && $3 == "(\"quadrello\"" {
                split($5, size, /[x+]/)
                if (size[1] >= 64 && size[2] >= 64 && !found++) print $1
            }'
}

is_viewable() { output_has 'Map State: IsViewable' xwininfo -id "$1"; }
is_unmapped() { ! is_viewable "$1"; }

# Normal, Iconic, or Withdrawn (the property is gone once a window is hidden).
wm_state() {
    local state
    state=$(xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ { print $NF }')
    echo "${state:-Withdrawn}"
}
has_wm_state() { [[ $(wm_state "$1") == "$2" ]]; }

# The icon: a window of the program embedded (in a socket of trayer's) inside trayer's panel.
tray_icon() {
    local panel
    panel=$(xwininfo -root -tree 2>/dev/null | awk '$2 == "\"panel\":" && !found++ { print $1 }')
    [[ -n $panel ]] || return 1
    xwininfo -id "$panel" -tree 2>/dev/null | awk '/\("quadrello"/ && !found++ { print $1 }'
}
icon_docked() { [[ -n $(tray_icon) ]]; }

# A viewable pop-up menu of the program: an override-redirect window of its own on the root.
popup_menu() {
    local id info
    for id in $(xwininfo -root -children 2>/dev/null | awk '/\("quadrello"/ { print $1 }'); do
        info=$(xwininfo -id "$id" 2>/dev/null)
        if grep -q 'Map State: IsViewable' <<<"$info" &&
            grep -q 'Override Redirect State: yes' <<<"$info"; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
menu_open() { [[ -n $(popup_menu) ]]; }
menu_closed() { ! menu_open; }

# The open menu is drawn: most of it its white face, with the entries' black text on it. The
# program draws it only once it has shown it and taken the keyboard for it (mapped alone, it
# may not have yet), so keys pressed from then on reach the menu.
menu_drawn() {
    local id
    id=$(popup_menu) || return 1
    import -window "$id" "PNG24:$work/menu.png" 2>/dev/null || return 1
    convert "$work/menu.png" -format %c histogram:info:- 2>/dev/null | awk '
        { all += $1 } $3 == "#FFFFFF" { face = $1 + 0 } $3 == "#000000" { text = $1 + 0 }
        END { exit !(face * 2 > all && text >= 100) }'
}

# Pops up the tray menu and waits until it can take keys.
pop_up_menu() {
    xdotool mousemove "$1" "$2" click 3
    wait_for 5 menu_drawn
}

is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == $(($1)) ]]; }

# Closes the main window as the window manager's close key does, once it is the active window
# (the key closes whichever window is active).
close_main_window() {
    xdotool windowactivate "$main" 2>/dev/null
    wait_for 5 is_active "$main" || return 1
    xdotool key alt+F4
}

# A folder of its own for the program, since config.ini lives beside the executable.
install_program() {
    local folder=$1
    mkdir -p "$folder"
    cp "$program" "$folder/quadrello"
    printf '[Windows]\r\nSetTray=1\r\n' >"$folder/config.ini"
}

start_program() {
    "$1/quadrello" >"$1/output.txt" 2>&1 &
    app=$!
    started+=("$app")
}

main_window_shown() {
    main=$(window_named Quadrello)
    [[ -n $main ]] && is_viewable "$main"
}

# Ended, or ended and not yet reaped (a zombie still answers kill -0).
program_ended() {
    local state
    state=$(ps -o stat= -p "$app" 2>/dev/null)
    [[ -z $state || $state == Z* ]]
}

# --- the desktop -----------------------------------------------------------------------------
start_desktop

# --- the window: compute, plot, options panel, always on top --------------------------------
mkdir -p "$work/window"
cp "$program" "$work/window/quadrello"
[[ -f "$(dirname "$program")/skin.ski" ]] && cp "$(dirname "$program")/skin.ski" "$work/window/"
printf '[Function]\r\nDrawGraphic=1\r\nMark=1\r\n' >"$work/window/config.ini"
start_program "$work/window"
wait_for 15 main_window_shown || { echo "FAIL: the main window did not show"; exit 1; }
read -r left top width _ < <(geometry "$main")
[[ $width == 308 ]] || fail "window: $width pixels wide, expected 308 (4715 twips outside)"
# Places in pixels (15 twips each) from the layout: boxes, buttons, picture area.
click_at() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; }
region() { convert "$1" -crop "$2x$3+$((left + $4))+$((top + $5))" +repage "$6"; }
config_holds() { printf "$1" | cmp -s - "$work/window/config.ini"; }
config_is() {
    config_holds "$1" || fail "window: $2: config.ini is $(od -c "$work/window/config.ini")"
}
width_is() {
    read -r _ _ width _ < <(geometry "$main")
    [[ $width == "$1" ]]
}
# The picture window-before, once the window is on the screen: the result frame (its captions
# and border) is drawn, no longer one plain colour. Its contents are compared after the click.
window_drawn() {
    local colours
    shoot window-before
    region "$shots/window-before.png" 176 84 10 134 "$work/results-before.png"
    colours=$(convert "$work/results-before.png" -format %k info: 2>/dev/null) && ((colours > 1))
}
# The picture window-after and what it holds: the red and blue pixels of the picture area (the
# drawing area inside the 2-pixel border of picGraphic, 8, 230, 289 x 205), and how many pixels
# of the result frame differ from window-before.
plotted() {
    shoot window-after
    region "$shots/window-after.png" 285 201 10 232 "$work/plot.png"
    read -r red blue < <(count_colours "$work/plot.png" '#FF0000' '#0000FF')
    region "$shots/window-after.png" 176 84 10 134 "$work/results-after.png"
    changed=$(compare -metric AE "$work/results-before.png" "$work/results-after.png" null: 2>&1 ||
        true)
    changed=${changed%%.*}
    [[ $changed =~ ^[0-9]+$ ]] || changed=0
    ((red > 300 && blue > 400 && changed > 50))
}
wait_for 10 window_drawn || fail "window: the window was not drawn"
# The focus is in 二次项系数文本框 from the start, its "0" selected: typing replaces it.
xdotool windowactivate --sync "$main"
xdotool type --delay 40 '1'
xdotool key Tab
xdotool type --delay 40 -- '-3'
xdotool key Tab
xdotool type --delay 40 '2'
xdotool key Tab Return  # Enter on the focused 计算按钮 "计 算"
xdotool mousemove 0 0
wait_for 5 plotted
((red > 300 && blue > 400)) &&
    pass "window: 1, -3, 2 and Enter on 计 算 plot the curve and the axes ($red red, $blue blue)" ||
    fail "window: the plot has $red red and $blue blue pixels"
# The result frame: labels written (the frame's inside changed).
((changed > 50)) && pass "window: the result labels are written" ||
    fail "window: the result labels did not change"
# The picture software centres show (the metainfo's screenshot; target `screenshot` makes only
# this): the window with its frame, cut from the same shot.
read -r frame_left frame_right frame_top frame_bottom < <(xprop -id "$main" _NET_FRAME_EXTENTS |
    awk -F' = ' 'NF == 2 { gsub(",", "", $2); print $2 }')
read -r _ _ width height < <(geometry "$main")
convert "$shots/window-after.png" -crop "$((width + frame_left + frame_right))x$((height + frame_top + \
    frame_bottom))+$((left - frame_left))+$((top - frame_top))" +repage "$shots/main-window.png"
if [[ ${QUADRELLO_E2E_SCREENSHOT_ONLY:-} == 1 ]]; then
    close_main_window
    wait_for 10 program_ended
    ((failures == 0)) && echo "screenshot: $shots/main-window.png" && exit 0
    exit 1
fi
config_is '[Function]\r\nDrawGraphic=1\r\nMark=1\r\n' "after start"
# Open the panel and switch "总在最前" on: stored at once with its leading blank, and the window
# is above the others.
click_at 283 178  # cmdOption
wait_for 5 width_is 392 || fail "window: open panel is $width wide, expected 392"
click_at 326 49  # 总在最前复选框
stored='[Function]\r\nDrawGraphic=1\r\nMark=1\r\n[Windows]\r\nWindowTop= 1\r\n'
wait_for 5 config_holds "$stored"
config_is "$stored" "after the click"
on_top() { output_has _NET_WM_STATE_ABOVE xprop -id "$main" _NET_WM_STATE; }
wait_for 5 on_top && pass "window: 总在最前 stored and on top" ||
    fail "window: the window is not topmost"
close_main_window
wait_for 10 program_ended || fail "window: the program did not end on close"

# --- the skin under GTK's dark theme; another CJK face; a desktop opener that finds no mail ---
# look_of NAME [VARIABLE=VALUE...]: starts the skinned program with those variables, opens the
# options panel (the click leaves the focus on 选项, so no caret blinks), and keeps the client
# area as picture NAME.
look_of() {
    local name=$1 folder="$work/look-$1"
    shift
    mkdir -p "$folder"
    cp "$program" "$folder/quadrello"
    cp "$(dirname "$program")/skin.ski" "$folder/" 2>/dev/null
    printf '[Function]\r\nDrawGraphic=1\r\nMark=1\r\n' >"$folder/config.ini"
    env "$@" "$folder/quadrello" >"$folder/output.txt" 2>&1 &
    app=$!
    started+=("$app")
    wait_for 15 main_window_shown || return 1
    read -r left top _ _ < <(geometry "$main")
    click_at 283 178
    xdotool mousemove 0 0
    wait_for 5 width_is 392 || return 1
    sleep 0.3  # the open panel's first paint; nothing marks it
    import -window "$main" "PNG24:$shots/look-$name.png"
}
if [[ -f "$(dirname "$program")/skin.ski" ]] &&
    [[ -n $(find /usr/lib -path '*platformthemes/libqgtk3.so' -print -quit 2>/dev/null) ]]; then
    look_of light && close_main_window && wait_for 10 program_ended
    look_of gtk-dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark &&
        close_main_window && wait_for 10 program_ended
    differ=$(compare -metric AE "$shots/look-light.png" "$shots/look-gtk-dark.png" null: 2>&1)
    [[ $differ == 0 ]] && pass "skin: GTK's dark theme changes no pixel of the skinned window" ||
        fail "skin: $differ pixels differ under GTK's dark theme"
else
    echo "SKIP part: no skin beside the program or no GTK platform theme (qt6-gtk-platformtheme)"
fi

# Noto Sans CJK as the only Chinese face: the captions' boxes keep every glyph row. A caption
# cut at its box's edge leaves ink in the box's first or last pixel row.
noto=$(fc-list -f '%{file}\n' 'Noto Sans CJK SC' 2>/dev/null | head -n 1)
if [[ -n $noto ]]; then
    mkdir -p "$work/noto-fonts"
    ln -sf "$noto" "$work/noto-fonts/"
    cat >"$work/noto-fonts/fonts.conf" <<CONF
<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$work/noto-fonts</dir><dir>/usr/share/fonts/truetype/dejavu</dir>
<cachedir>$work/noto-fonts/cache</cachedir></fontconfig>
CONF
    look_of noto FONTCONFIG_FILE="$work/noto-fonts/fonts.conf"
    # Label1, Label2, Label3, Label4, Label6 and 顶点 "X=", "Y=": 12-pixel boxes, in pixels.
    cut=()
    for box in "Label1 9 18 72" "Label2 9 56 72" "Label3 9 95 72" "Label4 21 128 48" \
        "Label6 15 198 60" "Label7 77 198 12" "Label8 133 198 12"; do
        read -r name bx by bw <<<"$box"
        for row in $by $((by + 11)); do
            convert "$shots/look-noto.png" -crop "${bw}x1+$bx+$row" +repage \
                -colorspace Gray -threshold 50% -format '%[fx:minima]' info: 2>/dev/null |
                grep -q '^0' && cut+=("$name@$row")
        done
    done
    ((${#cut[@]} == 0)) && pass "Noto CJK: no caption is cut at its box" ||
        fail "Noto CJK: ink at the edge of ${cut[*]}"
    close_main_window
    wait_for 10 program_ended
else
    echo "SKIP part: Noto Sans CJK is not installed (fonts-noto-cjk)"
fi

# A desktop opener that runs and reports that no program takes mailto links (xdg-open's exit
# status 3): 联系作者 shows the box with the address.
mkdir -p "$work/opener"
printf '#!/bin/sh\necho "xdg-open: no method available for opening '"'"'$1'"'"'" >&2\nexit 3\n' \
    >"$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
# The program's message box: a viewable window of its own beside the main window.
message_box() {
    local id
    for id in $(xwininfo -root -tree 2>/dev/null |
        awk -v main="$main" '$3 == "(\"quadrello\"" && $1 != main { print $1 }'); do
        is_viewable "$id" && echo "$id" && return
    done
}
box_shown() { [[ -n $(message_box) ]] && is_viewable "$(message_box)"; }
if look_of opener PATH="$work/opener:$PATH"; then
    click_at 351 175  # 联系作者
    if wait_for 5 box_shown; then
        pass "mail: an opener that finds no mail program brings the address box"
        shoot mail-box
        xdotool key Return  # the box is modal and active
        wait_for 5 test -z "$(message_box)" || fail "mail: Enter did not close the box"
    else
        fail "mail: no box after the opener ended with status 3"
    fi
    close_main_window
    wait_for 10 program_ended || fail "mail: the program did not end"
else
    fail "mail: the window did not open"
fi

# --- without a tray host, then with one that comes later -------------------------------------
start_trayer() {
    trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel \
        --height 32 >"$work/trayer.log" 2>&1 &
    trayer_pid=$!
    started+=("$trayer_pid")
    wait_for 10 panel_up || {
        echo "FAIL: trayer did not start"
        cat "$work/trayer.log"
        xwininfo -root -tree | grep -i -E "trayer|panel"
        ps -o pid,stat,cmd -p "${started[-1]}"
        exit 1
    }
}
panel_up() { output_has '"panel": ("panel" "trayer")' xwininfo -root -tree; }

install_program "$work/no-tray"
start_program "$work/no-tray"
wait_for 15 main_window_shown || { echo "FAIL: the main window did not show"; exit 1; }
xdotool windowminimize "$main"
if wait_for 5 has_wm_state "$main" Iconic; then
    # A hide would follow the minimise at once; nothing marks that the program decided against it.
    sleep 0.5
    [[ $(wm_state "$main") == Iconic ]] && pass "no tray: the minimised window stays minimised" ||
        fail "no tray: the minimised window was hidden ($(wm_state "$main"))"
else
    fail "no tray: the window did not minimise"
fi
shoot no-tray-minimised
xdotool windowactivate "$main" 2>/dev/null
wait_for 5 has_wm_state "$main" Normal || fail "no tray: the window did not come back"
grep -q 'SetTray=1' "$work/no-tray/config.ini" && pass "no tray: SetTray stays 1" ||
    fail "no tray: SetTray was not kept"

# A tray host that starts later gets the icon, and from then on the icon works.
start_trayer
if wait_for 10 icon_docked; then
    pass "late tray: the icon docks when a tray host appears"
    read -r ix iy iw ih < <(geometry "$(tray_icon)")
    xdotool windowminimize "$main"
    wait_for 5 has_wm_state "$main" Withdrawn || fail "late tray: minimising did not hide"
    xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
    wait_for 5 has_wm_state "$main" Normal && pass "late tray: a left click brings the window back" ||
        fail "late tray: the window did not come back ($(wm_state "$main"))"
else
    fail "late tray: the icon did not dock"
fi
close_main_window
wait_for 10 program_ended && pass "closing ends the program" ||
    fail "the program did not end on close (state $(ps -o stat= -p "$app"))"
wait_for 5 test -z "$(tray_icon)" || fail "the icon outlived the program"

# --- with a tray host from the start ---------------------------------------------------------
install_program "$work/tray"
start_program "$work/tray"
wait_for 15 main_window_shown || { echo "FAIL: the main window did not show"; exit 1; }
if wait_for 10 icon_docked; then
    pass "the icon docks at start"
else
    fail "the icon did not dock"
    exit 1
fi
icon=$(tray_icon)
read -r ix iy iw ih < <(geometry "$icon")
icon_x=$((ix + iw / 2)) icon_y=$((iy + ih / 2))
shoot tray-docked

xdotool windowminimize "$main"
if wait_for 5 is_unmapped "$main" && wait_for 5 has_wm_state "$main" Withdrawn; then
    pass "minimising hides the window"
else
    fail "minimising did not hide the window ($(wm_state "$main"))"
fi

xdotool mousemove "$icon_x" "$icon_y" click 1
if wait_for 5 is_viewable "$main" && wait_for 5 has_wm_state "$main" Normal; then
    pass "a left click on the icon brings the window back"
else
    fail "the window did not come back ($(wm_state "$main"))"
fi

# The menu comes with the release, not the press: this fails loudly should Qt stop naming its
# XEmbed icon widget as the program expects (it would then fall back to Qt's press reports).
xdotool mousemove "$icon_x" "$icon_y" mousedown 3
# A menu would follow the press at once; nothing marks that the program took it without one.
sleep 0.5
menu_open && fail "the tray menu opened on the press of the right button"
xdotool mouseup 3
if wait_for 5 menu_open; then
    pass "the tray menu opens on the release of the right button"
    wait_for 5 menu_drawn || fail "the tray menu was not drawn"
    xdotool key Escape
    wait_for 5 menu_closed || fail "Escape did not close the menu"
else
    fail "no tray menu after a right press and release"
fi

if pop_up_menu "$icon_x" "$icon_y"; then
    pass "a right click pops up the tray menu"
    shoot tray-menu
    read -r mx my mw mh < <(geometry "$(popup_menu)")
    # Qt moves the menu into the screen: it touches the pointer from above and to the left.
    gap_x=$((mx > icon_x ? mx - icon_x : (icon_x > mx + mw ? icon_x - mx - mw : 0)))
    gap_y=$((my > icon_y ? my - icon_y : (icon_y > my + mh ? icon_y - my - mh : 0)))
    ((gap_x <= 2 && gap_y <= 2)) || fail "the menu is not at the pointer ($mx $my ${mw}x$mh)"
    xdotool key Escape
    wait_for 5 menu_closed || fail "Escape did not close the menu"
else
    fail "no tray menu"
fi

# open_about: the tray menu's About item (the one above the separator and 退出).
open_about() {
    pop_up_menu "$icon_x" "$icon_y" || return 1
    xdotool key Up Up Return
}
about_shown() {
    about=$(window_named 关于)
    [[ -n $about ]] && is_viewable "$about"
}
about_opaque() { [[ $(opacity "$about") == "$kOpaque" ]]; }

# What lies where the About window will be, with the menu closed and the pointer out of the way.
xdotool mousemove 5 5
shoot before-about
if open_about && wait_for 5 about_shown; then
    pass "the tray menu opens the About window"
else
    fail "the About window did not open"
    exit 1
fi
wait_for 5 about_opaque || fail "the About window did not fade in ($(opacity "$about"))"
read -r ax ay aw ah < <(geometry "$about")
[[ "$aw x $ah" == "$kAboutSize x $kAboutSize" ]] || fail "the About window is ${aw}x$ah"
((ax == (kScreenWidth - kAboutSize) / 2 && ay == (kScreenHeight - kAboutSize) / 2)) &&
    pass "the About window is centred" || fail "the About window is at $ax $ay"
output_has _NET_WM_STATE_ABOVE xprop -id "$about" _NET_WM_STATE || fail "the About window is not topmost"

# The corners: each corner pixel and its two neighbours along the edges (which lie outside the
# clipped window), and the pixel diagonally inside (where the frame starts).
under=() inside=()
for corner in "0 0 1 1" "$((aw - 1)) 0 -1 1" "0 $((ah - 1)) 1 -1" "$((aw - 1)) $((ah - 1)) -1 -1"; do
    read -r cx cy dx dy <<<"$corner"
    under+=($((ax + cx)) $((ay + cy)) $((ax + cx + dx)) $((ay + cy)) $((ax + cx)) $((ay + cy + dy)))
    inside+=($((ax + cx + dx)) $((ay + cy + dy)))
done
# The picture about-open, once the window is on the screen fully opaque: the frame's own blue
# inside every corner (half faded, it is mixed with what lies behind).
about_drawn() {
    shoot about-open
    [[ $(pixels "$shots/about-open.png" "${inside[@]}" | sort -u) == "$kFrameBlue" ]]
}

# First opening: straight onto the close picture, the cross stays pale.
close_x=$((ax + 282 + 9)) close_y=$((ay + 10 + 9))
xdotool mousemove "$close_x" "$close_y"
# A cross lit up by this move would show at once; nothing marks that the program took it unlit.
sleep 0.3
wait_for 5 about_drawn
cross=$(pixel "$shots/about-open.png" "$close_x" "$close_y")
[[ $cross != '#FFFFFF' ]] && pass "the first move onto the close picture keeps the pale cross" ||
    fail "the cross lit up without a move over the window"

# The corners show what lay under them; the frame starts diagonally inside.
shown=$(pixels "$shots/about-open.png" "${under[@]}")
[[ $shown == $(pixels "$shots/before-about.png" "${under[@]}") &&
    $(pixels "$shots/about-open.png" "${inside[@]}" | sort -u) == "$kFrameBlue" ]] &&
    pass "the corners are clipped" || fail "the corners are not clipped"

# Over the picture, then onto the close image: the bright cross.
xdotool mousemove $((ax + 150)) $((ay + 300))
# Nothing shows this move was taken, and Qt drops a move queued behind another: it gets a moment.
sleep 0.2
xdotool mousemove "$close_x" "$close_y"
close_lit() {
    shoot about-close-lit
    [[ $(pixel "$shots/about-close-lit.png" "$close_x" "$close_y") == '#FFFFFF' ]]
}
wait_for 5 close_lit && pass "the close picture lights up under the pointer" ||
    fail "the close picture did not light up"

# Drag the title strip. At the first move the program hands the move to the window manager,
# which shows its move cursor from then until the release; the window follows the pointer in
# between. Each step waits for that, so that the window manager starts from the first move's
# place and sees the release only after the window has moved.
moving() { [[ $(/usr/bin/python3 "$here/pointer_cursor.py") == fleur ]]; }
not_moving() { ! moving; }
about_moved() {
    read -r bx by _ _ < <(geometry "$about")
    [[ "$bx $by" != "$ax $ay" ]]
}
xdotool mousemove $((ax + 100)) $((ay + 16)) mousedown 1
xdotool mousemove $((ax + 110)) $((ay + 26))
wait_for 5 moving || fail "the window manager did not take the move over"
xdotool mousemove $((ax + 160)) $((ay + 66))
wait_for 5 about_moved
xdotool mouseup 1
wait_for 5 not_moving || fail "the move did not end at the release"
read -r bx by _ _ < <(geometry "$about")
moved_x=$((bx - ax)) moved_y=$((by - ay))
if ((moved_x >= 48 && moved_x <= 62 && moved_y >= 38 && moved_y <= 52)); then
    pass "dragging the title strip moves the window ($moved_x, $moved_y)"
else
    fail "the drag moved the window by ($moved_x, $moved_y)"
fi
xdotool mousemove $((bx + 150)) $((by + 300))
# A window still following the pointer would move at once; nothing marks that it does not.
sleep 0.3
read -r cx2 cy2 _ _ < <(geometry "$about")
[[ "$cx2 $cy2" == "$bx $by" ]] || fail "the window still follows the pointer after the drag"

xdotool mousemove $((bx + 282 + 9)) $((by + 19)) click 1
if wait_for 5 is_unmapped "$about"; then
    pass "the close picture closes the About window"
else
    fail "the About window did not close"
fi

# A second opening fades in from invisible again.
if open_about && wait_for 5 about_shown; then
    seen=$(opacity "$about")
    wait_for 5 about_opaque
    [[ -n $seen && $seen != "$kOpaque" ]] && pass "the second opening fades in again" ||
        fail "the second opening showed opaque at once"
    # Escape ends it as the close picture does: with the fade-out.
    xdotool key Escape
    fading() { is_viewable "$about" && [[ -n $(opacity "$about") && $(opacity "$about") != "$kOpaque" ]]; }
    wait_for 2 fading && pass "Escape starts the About window's fade-out" ||
        fail "Escape did not fade the About window out"
    wait_for 5 is_unmapped "$about" || fail "Escape did not close the About window"
else
    fail "the About window did not open a second time"
fi

# The tray goes away while the window is hidden in it: the window comes back, shown normally.
# With a tray again, the next minimise hides it again.
xdotool windowminimize "$main"
wait_for 5 has_wm_state "$main" Withdrawn || fail "tray gone: minimising did not hide"
kill "$trayer_pid"
wait "$trayer_pid" 2>/dev/null
if wait_for 5 is_viewable "$main" && wait_for 5 has_wm_state "$main" Normal; then
    pass "tray gone: the hidden window comes back when the tray exits"
else
    fail "tray gone: the window stayed hidden ($(wm_state "$main"))"
fi
start_trayer
wait_for 10 icon_docked || fail "tray gone: the icon did not dock in the new tray"
xdotool windowminimize "$main"
wait_for 5 has_wm_state "$main" Withdrawn && pass "tray gone: with a tray again, minimising hides" ||
    fail "tray gone: with a tray again, minimising did not hide ($(wm_state "$main"))"
read -r ix iy iw ih < <(geometry "$(tray_icon)")
icon_x=$((ix + iw / 2)) icon_y=$((iy + ih / 2))
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for 5 has_wm_state "$main" Normal || fail "tray gone: the new icon did not bring the window back"

# The menu's exit item ends the program and takes the icon away.
if pop_up_menu "$icon_x" "$icon_y"; then
    xdotool key Up Return
    if wait_for 10 program_ended; then
        wait "$app"
        status=$?
        ((status == 0)) && pass "退出 ends the program" || fail "the program ended with status $status"
        wait_for 5 test -z "$(tray_icon)" || fail "the icon outlived the program"
    else
        fail "退出 did not end the program (state $(ps -o stat= -p "$app"))"
    fi
else
    fail "no tray menu for 退出"
fi
grep -q 'SetTray=1' "$work/tray/config.ini" || fail "SetTray was not kept"

# --- a StatusNotifier host over D-Bus (xfce4-panel's status tray), started after the program ---
kill "$trayer_pid" 2>/dev/null
wait "$trayer_pid" 2>/dev/null
eval "$(dbus-launch --sh-syntax)"
started+=("$DBUS_SESSION_BUS_PID")
export XDG_CONFIG_HOME="$work/config"
panel_xml="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml"
mkdir -p "$(dirname "$panel_xml")"
cat >"$panel_xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=640;y=780"/>
      <property name="length" type="uint" value="100"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML

# The item's bus name once the watcher lists it, or nothing.
sni_item() {
    gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
        RegisteredStatusNotifierItems 2>/dev/null | grep -o "org.kde.StatusNotifierItem-$app-[0-9]*"
}
sni_listed() { [[ -n $(sni_item) ]]; }
sni_gone() { ! sni_listed; }
menu_call() {
    gdbus call --session --dest "$item" --object-path /MenuBar --method "com.canonical.dbusmenu.$1" \
        -- "${@:2}" 2>&1
}

install_program "$work/sni"
start_program "$work/sni"
wait_for 15 main_window_shown || { echo "FAIL: the main window did not show"; exit 1; }
xfce4-panel >"$work/panel.log" 2>&1 &
started+=("$!")
if wait_for 20 sni_listed; then
    pass "D-Bus host: a panel that starts after the program gets the icon"
    item=$(sni_item)
    layout=$(menu_call GetLayout 0 -1 '@as []')
    entries=$(grep -o -E "'label': <'[^']*'>|'type': <'separator'>" <<<"$layout" |
        sed -E "s/'label': <'(.*)'>/\1/; s/'type': <'separator'>/-/" | paste -sd'|')
    [[ $entries == '系统计算器|配置颜色|作者主页|联系作者|更多软件|关于..|-|退出' ]] &&
        pass "D-Bus host: the exported menu lists the eight entries in order" ||
        fail "D-Bus host: the exported menu is '$entries'"
    # The tip's two lines: the title and the description.
    tip=$(gdbus call --session --dest "$item" --object-path /StatusNotifierItem \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem ToolTip 2>&1)
    [[ $tip == *"'Quadrello', '作者：Tarvenn')"* ]] &&
        pass "D-Bus host: the tip's first line is its title, the second its description" ||
        fail "D-Bus host: the tip reads '${tip: -80}'"
    shoot sni-docked

    xdotool windowminimize "$main"
    wait_for 5 has_wm_state "$main" Withdrawn || fail "D-Bus host: minimising did not hide"
    gdbus call --session --dest "$item" --object-path /StatusNotifierItem \
        --method org.kde.StatusNotifierItem.Activate -- 0 0 >/dev/null 2>&1
    wait_for 5 has_wm_state "$main" Normal && pass "D-Bus host: activating the icon brings the window back" ||
        fail "D-Bus host: the window did not come back ($(wm_state "$main"))"

    menu_call Event 8 clicked '<"">' 0 >/dev/null
    if wait_for 10 program_ended; then
        wait "$app"
        status=$?
        ((status == 0)) && pass "D-Bus host: the exported 退出 ends the program" ||
            fail "D-Bus host: the program ended with status $status"
        wait_for 5 sni_gone || fail "D-Bus host: the icon outlived the program"
    else
        fail "D-Bus host: 退出 did not end the program"
    fi
else
    fail "D-Bus host: the icon never reached the panel"
    cat "$work/panel.log"
fi

# --- a screen reader's view (AT-SPI): the boxes named by their captions, the results read ---
if /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    # The accessibility bus is started on demand; started first, the program finds it at once.
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.a11y.Bus.GetAddress >/dev/null 2>&1
    mkdir -p "$work/a11y"
    cp "$program" "$work/a11y/quadrello"
    printf '[Function]\r\nMark=1\r\nDrawGraphic=1\r\n' >"$work/a11y/config.ini"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$work/a11y"
    wait_for 15 main_window_shown || fail "a11y: the main window did not show"
    xdotool windowactivate "$main" 2>/dev/null
    wait_for 5 is_active "$main" || fail "a11y: the main window did not become active"
    xdotool type 1
    xdotool key Tab
    xdotool type -- -3
    xdotool key Tab
    xdotool type 2
    xdotool key Return
    read_tree() { /usr/bin/python3 "$here/read_accessible.py" Quadrello >"$work/a11y/tree.txt"; }
    results_read() { read_tree && grep -q '判别式 Δ(Delta)=1|showing' "$work/a11y/tree.txt"; }
    if wait_for 15 results_read; then
        missing=()
        for line in 'text|二次项系数|showing' 'text|一次项系数|showing' 'text|常数项系数|showing' \
            'label|第一个根 ①=2.|showing' 'label|第二个根 ②=1.|showing' \
            'label|顶点横坐标 1.5|showing' 'label|顶点纵坐标 -0.25|showing' \
            'push button|计算|showing' 'push button|选项|showing'; do
            grep -qF -- "$line" "$work/a11y/tree.txt" || missing+=("$line")
        done
        grep -q '分数模式\|重画图像' "$work/a11y/tree.txt" && missing+=("hidden switches exposed")
        # The collapsed panel lies outside the window; the frame lines are no objects to read.
        grep -q '|关于|\||计算器|' "$work/a11y/tree.txt" && missing+=("collapsed panel exposed")
        grep -q 'filler||' "$work/a11y/tree.txt" && missing+=("nameless fillers (the lines)")
        ((${#missing[@]} == 0)) && pass "a11y: a screen reader reads the named boxes, buttons and the five results" ||
            fail "a11y: missing ${missing[*]}"
    else
        fail "a11y: no results on the accessibility bus"
        cat "$work/a11y/tree.txt"
    fi
    # Opened, the panel's controls are read; its About button opens a dialog named 关于 with a
    # close button named 关闭.
    read -r left top _ _ < <(geometry "$main")
    click_at 283 178
    panel_read() { read_tree && grep -q 'push button|关于|showing' "$work/a11y/tree.txt"; }
    wait_for 10 panel_read && pass "a11y: the open panel's controls are read" ||
        fail "a11y: the open panel's 关于 is not read"
    click_at 351 210  # 关于按钮
    about_read() { read_tree && grep -q 'dialog|关于|showing' "$work/a11y/tree.txt"; }
    if wait_for 10 about_read; then
        grep -q 'push button|关闭|' "$work/a11y/tree.txt" &&
            pass "a11y: the About window is a dialog named 关于 with a named close button" ||
            fail "a11y: the About window's close button is not named"
        xdotool key Escape
        wait_for 5 test -z "$(window_named 关于)" || wait_for 5 is_unmapped "$(window_named 关于)"
    else
        fail "a11y: no dialog named 关于"
        cat "$work/a11y/tree.txt"
    fi
    close_main_window
    wait_for 10 program_ended || fail "a11y: the program did not end"
else
    echo "SKIP part: python3-pyatspi is not installed (scripts/deps.sh test installs it)"
fi

if ((failures > 0)); then
    echo "$failures check(s) failed; screenshots in $shots"
    for log in "$work"/*/output.txt; do
        echo "--- $log"
        cat "$log"
    done
    exit 1
fi
echo "all checks passed; screenshots in $shots"
