#!/bin/bash
# Wine for the Windows build's tests: one private prefix and one X server per run, and a persistent
# wineserver, so that each program starts in a fraction of a second instead of several.
#
#   wine.sh start DIR [DPI]      a fresh prefix in DIR/prefix and an Xvfb, both at DPI dots per inch
#                                (default 96); writes DIR/env
#   wine.sh run PROGRAM ARGS...  runs a Windows program in the started prefix (WINE_DIR names DIR, else
#                                the nearest wine/ folder above the program), in English unless
#                                WINE_LOCALE names another user language (de_DE.UTF-8)
#   wine.sh stop DIR             ends the wineserver, every program in the prefix and the Xvfb
set -euo pipefail

# Debian 12 installs the 64-bit loader beside a wrapper that warns about the missing 32-bit one.
wine=/usr/lib/wine/wine64
[ -x $wine ] || wine=$(command -v wine)
wineserver=/usr/lib/wine/wineserver64
[ -x $wineserver ] || wineserver=$(command -v wineserver)

load_env() {
    local dir=${WINE_DIR:-}
    if [ -z "$dir" ]; then
        dir=$(dirname "$(readlink -f "$1")")
        while [ "$dir" != / ] && [ ! -f "$dir/wine/env" ]; do dir=$(dirname "$dir"); done
        dir=$dir/wine
    fi
    [ -f "$dir/env" ] || { echo "wine.sh: no started prefix for $1 (run wine.sh start first)" >&2; exit 1; }
    # shellcheck disable=SC1091
    . "$dir/env"
    # Wine makes LC_ALL each program's display language, and reads the name even where no such locale is
    # installed; a program it starts inherits it.
    export WINEPREFIX DISPLAY WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=${WINE_LOCALE:-C.UTF-8}
}

case ${1:-} in
start)
    dir=$(readlink -f "$2")
    [ ! -f "$dir/env" ] || "$0" stop "$dir" 2>/dev/null || true
    rm -rf "$dir" && mkdir -p "$dir"
    # Xvfb picks a free display and writes its number: runs side by side do not collide.
    exec 3>"$dir/display"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi "${3:-96}" -nolisten tcp >"$dir/xvfb.log" 2>&1 </dev/null &
    echo "XVFB_PID=$!" >"$dir/env"
    exec 3>&-
    for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
    [ -s "$dir/display" ] || { echo "wine.sh: Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    { echo "WINEPREFIX=$dir/prefix"; echo "DISPLAY=:$(cat "$dir/display")"; } >>"$dir/env"
    WINE_DIR=$dir load_env "$dir"
    mkdir -p "$WINEPREFIX"
    $wineserver -p </dev/null >/dev/null 2>&1
    # The tests' settings. Wine has no Times New Roman: the keypad's font is the metric-compatible
    # Liberation Serif, as on Linux. The system colours that the window takes are Windows 10's, not those of
    # Wine's theme, which sets them in the volatile key that comes first. The DPI is the session's, as on
    # Windows: Wine 8 takes every DPI from LogPixels, Wine 10 the system's from it and the monitor's from the
    # X server.
    {
        printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
        printf '"Times New Roman"="Liberation Serif"\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n'
        printf '"LogPixels"=dword:%08x\n' "${3:-96}"
        # Without a window manager, a managed window's every hiding waits a second for one.
        printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n'
        for key in 'Control Panel\Colors' 'Software\Wine\Temporary System Parameters\Control Panel\Colors'; do
            printf '\n[HKEY_CURRENT_USER\\%s]\n"ButtonFace"="240 240 240"\n' "$key"
            printf '"ActiveBorder"="180 180 180"\n"AppWorkSpace"="171 171 171"\n'
        done
    } >"$dir/settings.reg"
    # The first command creates the prefix (the loader runs wineboot for it): a second wineboot --init
    # would start a second services.exe, and COM's RpcSs would then fail to start after seconds of waiting.
    $wine regedit /S "Z:${dir//\//\\}\\settings.reg" >"$dir/wineboot.log" 2>&1 </dev/null
    # The desktop, started with the prefix, took the DPI before the settings were in: a session anew, whose
    # desktop and services a first command starts here, not inheriting a test's output.
    $wineserver -k 2>/dev/null || true
    $wineserver -w 2>/dev/null || true
    $wineserver -p </dev/null >/dev/null 2>&1
    $wine regedit /S "Z:${dir//\//\\}\\settings.reg" >>"$dir/wineboot.log" 2>&1 </dev/null
    ;;
run)
    shift
    load_env "$1"
    exec $wine "$@"
    ;;
stop)
    dir=$(readlink -f "$2")
    WINE_DIR=$dir load_env "$dir"
    $wineserver -k 2>/dev/null || true
    $wineserver -w 2>/dev/null || true
    # shellcheck disable=SC1091
    kill "$(. "$dir/env"; echo "$XVFB_PID")" 2>/dev/null || true
    ;;
*)
    echo "usage: wine.sh start|stop DIR, or wine.sh run PROGRAM ARGS..." >&2
    exit 2
    ;;
esac
