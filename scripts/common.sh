# Sourced by the scripts: installing missing Debian packages, and a private X server.

# install_missing PACKAGE...: installs those of the Debian packages that are not installed yet;
# nothing at all when every one is there.
install_missing() {
    local missing=() pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
        [[ "$status" == installed ]] || missing+=("$pkg")
    done
    ((${#missing[@]} == 0)) && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo_cmd=()
    ((EUID == 0)) || sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get update -q &&
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q \
            --no-install-recommends "${missing[@]}"
}

# start_private_x LOG: starts Xvfb on a free display (1280x800, 24 bits) and exports DISPLAY;
# its pid is in xvfb_pid. -noreset: without it the server resets whenever its last client
# leaves and refuses connections meanwhile, so a program started then could not connect.
start_private_x() {
    local log=$1 fd display
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 1280x800x24 -nolisten tcp -noreset >"$log" 2>&1 &
    xvfb_pid=$!
    if ! read -r -t 15 -u "$fd" display; then
        exec {fd}>&-
        return 1
    fi
    exec {fd}>&-
    export DISPLAY=":$display"
}
