# Sourced by the end-to-end scripts, after they have set `work` (a scratch folder, removed on
# exit) and `shots` (where screenshots go): the processes they start, the verdicts, waiting,
# window facts and pixel counts on the X server in DISPLAY. A script may define cleanup_more,
# which runs first on exit.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

started=()  # the processes this script started, ended in reverse order on exit
cleanup() {
    local i
    declare -F cleanup_more >/dev/null && cleanup_more
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill "${started[i]}" 2>/dev/null
        wait "${started[i]}" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; false on timeout.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# X Y WIDTH HEIGHT of a window, in root coordinates.
geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# Reads a command's whole output before matching: `cmd | grep -q` can fail under pipefail when
# grep stops reading early and the command dies of SIGPIPE.
output_has() {
    local pattern=$1 text
    shift
    text=$("$@" 2>/dev/null)
    grep -q -- "$pattern" <<<"$text"
}

opacity() { xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null | awk -F' = ' 'NF == 2 { print $2 }'; }

# The colours #RRGGBB of the pixels X1 Y1 X2 Y2 ... of picture FILE, one a line, read in one go.
pixels() {
    local file=$1 format=''
    shift
    while (($# >= 2)); do
        format+="#%[hex:p{$1,$2}]\n"
        shift 2
    done
    convert "$file" -format "$format" info: 2>/dev/null
}
# The colour #RRGGBB of pixel X Y in picture FILE.
pixel() { pixels "$1" "$2" "$3"; }

# How many pixels of picture FILE have each of the colours #RRGGBB asked, on one line.
count_colours() {
    local file=$1
    shift
    convert "$file" -format %c histogram:info:- 2>/dev/null | awk -v wanted="$*" '
        { count[$3] += $1 }
        END {
            n = split(wanted, colour, " ")
            for (i = 1; i <= n; i++) printf "%d%s", count[colour[i]], (i < n ? " " : "\n")
        }'
}

shoot() { import -window root "PNG24:$shots/$1.png"; }

wm_running() { output_has 'window id' xprop -root _NET_SUPPORTING_WM_CHECK; }

# start_desktop: a private X server (DISPLAY set), openbox as window manager and xcompmgr for
# translucency; the script ends when one of them does not start.
start_desktop() {
    start_private_x "$work/xvfb.log" || { echo "FAIL: Xvfb did not start"; exit 1; }
    started+=("$xvfb_pid")
    openbox >"$work/openbox.log" 2>&1 &
    started+=("$!")
    wait_for 10 wm_running || { echo "FAIL: openbox did not start"; exit 1; }
    xcompmgr >"$work/xcompmgr.log" 2>&1 &
    started+=("$!")
}
