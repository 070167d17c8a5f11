# Sourced by the scripts: a Wine prefix of the project's own, made once (about a minute) in the
# Windows cache and reused. Without a display and without the offer to install Mono and Gecko,
# which nothing here needs.
prepare_wine_prefix() {
    export WINEPREFIX=${QUADRELLO_WINEPREFIX:-${QUADRELLO_WINDOWS_CACHE:-/var/cache/quadrello-windows}/wineprefix}
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ ! -f "$WINEPREFIX/.ready" ]]; then
        echo "Making the Wine prefix $WINEPREFIX (about a minute, once)"
        mkdir -p "$WINEPREFIX"
        DISPLAY= wine wineboot --init >/dev/null 2>&1
        wineserver --wait
        touch "$WINEPREFIX/.ready"
    fi
}
